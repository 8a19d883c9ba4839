#include "clients/ui/TfrmCercaCliente.h"

#include "clients/ClientCard.h"

namespace {

ListScreenSpec searchSpec()
{
    using R = TRecCliente;
    ListScreenSpec spec = ListScreenSpec::cardSearch(
        "frmCercaCliente", "Ricerca clienti in archivio", "dei clienti", "txtChiamante",
        {"Cognome e nome:", "Zona di appartenenza:", "Città:", "Prodotti o servizi:", "Sconti praticati:",
         "Categoria cliente:", "Note:"},
        {R::posNominativo, R::posZona, R::posCitta, R::posProdotti, R::posSconti, R::posCategoria, R::posNote});
    spec.report = [] { return plainListReport(QStringLiteral("Anagrafica clienti"), 21); };
    return spec;
}

} // namespace

TfrmCercaCliente::TfrmCercaCliente()
    : RecordListScreen(searchSpec(), {ClientCard::archive, ClientCard::composeSearchLine})
{
}
