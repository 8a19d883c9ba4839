#include "warehouse/ui/TfrmCercaMateriale.h"

#include "storage/TextRules.h"
#include "warehouse/MaterialCard.h"

#include <QLabel>

namespace {

ListScreenSpec searchSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaMateriale");
    spec.caption = QStringLiteral(" Ricerca materiali in archivio");
    spec.variant = ListScreenSpec::Variant::Criteria;
    spec.scrollWidth = 3000;
    spec.report = MaterialCard::goodsReport;
    spec.criteriaTitle = QStringLiteral("Ricerca materiali in archivio");
    spec.criteriaHelp =
        QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede\n"
                       "dei materiali da cercare e premere il pulsante Trova.\n"
                       "Lasciare in bianco gli altri campi.\n"
                       "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.");
    spec.criteria = {
        {"txtCognome", "Codice:"},    {"cboGiorno", "Tipologia:"},   {"txtNome", "Marca:"}, {"cboMese", "Modello:"},
        {"txtAzienda", "Accessori:"}, {"txtAnno", "Descrizione:"}, {"txtDettagli", "Note:"},
    };
    return spec;
}

} // namespace

TfrmCercaMateriale::TfrmCercaMateriale() : ListScreen(searchSpec())
{
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
}

void TfrmCercaMateriale::setCallerMark(const QString& mark)
{
    lblMemory->setText(mark);
}

QString TfrmCercaMateriale::callerMark() const
{
    return TextRules::trim(lblMemory->text());
}

void TfrmCercaMateriale::showEvent(QShowEvent* event)
{
    // The single instance of the receipt editor starts each use without a choice.
    m_chosen.reset();
    ListScreen::showEvent(event);
}

bool TfrmCercaMateriale::collect(PackedLines& lines)
{
    MaterialCard::Criteria c;
    c.codice = criterion("txtCognome");
    c.tipologia = criterion("cboGiorno");
    c.marca = criterion("txtNome");
    c.modello = criterion("cboMese");
    c.accessori = criterion("txtAzienda");
    c.descrizione = criterion("txtAnno");
    c.note = criterion("txtDettagli");
    m_chosen.reset();
    return MaterialCard::search(c, lines);
}

void TfrmCercaMateriale::choose(const QString& line)
{
    Chosen<TRecMateriale> found{};
    if (MaterialCard::findByLine([](const char* r) { return MaterialCard::searchLine(r); }, line, found.record,
                                 found.position))
        m_chosen = found;
}
