#include "reports/ui/TfrmCercaRic.h"

#include "reports/ReceiptSearch.h"
#include "screens/ListServices.h"
#include "storage/TextRules.h"

namespace {

ListScreenSpec searchSpec(std::function<QString()> year)
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaRic");
    spec.caption = QStringLiteral(" Ricerca ricevute e in archivio");
    spec.size = QSize(760, 540);
    spec.variant = ListScreenSpec::Variant::Criteria;
    spec.scrollWidth = 1600;
    spec.emptyFindText = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna ricevuta.");
    spec.instructions = findInListInstructions();
    spec.maroonInstruction = doubleClickInstruction();
    // The title carries the year open in the editor at the moment of printing.
    spec.report = [year = std::move(year)] {
        return plainListReport(QStringLiteral("Ricevute dell'anno ") + TextRules::trim(year()), 20);
    };
    spec.criteriaTitle = QStringLiteral("Ricerca ricevute in archivio");
    spec.criteriaHelp =
        QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede\n"
                       "delle ricevute da cercare e premere il pulsante Trova.\n"
                       "Lasciare in bianco gli altri campi.\n"
                       "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.");
    spec.criteria = {
        {"txtDettagli", "Ricevuta n."},        {"txtTipologia", "Cognome e nome cliente:"},
        {"txtCognome", "Città cliente:"},      {"txtData", "Data emissione:"},
        {"txtTelaio", "Codice apparecchio:"},  {"txtTarga", "Marca:"},
        {"txtNome", "Partita Iva:"},           {"txtAzienda", "Codice fiscale:"},
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

bool TfrmCercaRic::collect(PackedLines& lines)
{
    ReceiptSearch::Criteria c;
    c.numero = criterion("txtDettagli");
    c.cliente = criterion("txtTipologia");
    c.citta = criterion("txtCognome");
    c.data = criterion("txtData");
    c.codiceApp = criterion("txtTelaio");
    c.marca = criterion("txtTarga");
    c.iva = criterion("txtNome");
    c.codFisc = criterion("txtAzienda");
    forgetChoice();
    return ReceiptSearch::search(yearFile(), c, lines);
}
