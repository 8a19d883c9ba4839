#include "warehouse/ui/TfrmCercaMateriale.h"

#include "warehouse/MaterialCard.h"

namespace {

ListScreenSpec searchSpec()
{
    using R = TRecMateriale;
    ListScreenSpec spec = ListScreenSpec::cardSearch(
        "frmCercaMateriale", "Ricerca materiali in archivio", "dei materiali", "lblMemory",
        {"Codice:", "Tipologia:", "Marca:", "Modello:", "Accessori:", "Descrizione:", "Note:"},
        {R::posCodice, R::posTipologia, R::posMarca, R::posModello, R::posAccessori, R::posDescrizione, R::posNote});
    spec.scrollWidth = 3000;
    spec.report = MaterialCard::goodsReport;
    return spec;
}

} // namespace

TfrmCercaMateriale::TfrmCercaMateriale()
    : RecordListScreen(searchSpec(), {MaterialCard::archive, MaterialCard::composeSearchLine})
{
}
