#include "reports/ui/TfrmCercaRic.h"

#include "screens/ListServices.h"
#include "storage/TextRules.h"

namespace {

ListScreenSpec searchSpec(std::function<QString()> year)
{
    ListScreenSpec spec = ListScreenSpec::criteriaSearch("frmCercaRic", " Ricerca ricevute e in archivio",
                                                         "Ricerca ricevute in archivio", "delle ricevute");
    spec.size = QSize(760, 540);
    spec.scrollWidth = 1600;
    spec.emptyFindText = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna ricevuta.");
    spec.instructions = findInListInstructions();
    spec.maroonInstruction = doubleClickInstruction();
    // The title carries the year open in the editor at the moment of printing.
    spec.report = [year = std::move(year)] {
        return plainListReport(QStringLiteral("Ricevute dell'anno ") + TextRules::trim(year()), 20);
    };
    using R = TRecRicevuta;
    spec.criteria = {
        {"txtDettagli", "Ricevuta n.", R::posNumRic},          {"txtTipologia", "Cognome e nome cliente:", R::posCliente},
        {"txtCognome", "Città cliente:", R::posCittaCli},      {"txtData", "Data emissione:", R::posData},
        {"txtTelaio", "Codice apparecchio:", R::posCodiceApp}, {"txtTarga", "Marca:", R::posMarcaApp},
        {"txtNome", "Partita Iva:", R::posIvaCli},             {"txtAzienda", "Codice fiscale:", R::posCodFiscCli},
    };
    spec.backFocus = "txtTipologia";
    return spec;
}

} // namespace

TfrmCercaRic::TfrmCercaRic() : ReceiptListScreen(searchSpec([this] { return m_year; }))
{
}

void TfrmCercaRic::setYear(const QString& file, const QString& year)
{
    setYearFile(file);
    m_year = year;
}
