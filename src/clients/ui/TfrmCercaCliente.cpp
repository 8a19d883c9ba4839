#include "clients/ui/TfrmCercaCliente.h"

#include "clients/ClientCard.h"

#include <QLineEdit>

namespace {

ListScreenSpec searchSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaCliente");
    spec.caption = QStringLiteral(" Ricerca clienti in archivio");
    spec.variant = ListScreenSpec::Variant::Criteria;
    spec.report = [] { return plainListReport(QStringLiteral("Anagrafica clienti"), 21); };
    spec.criteriaTitle = QStringLiteral("Ricerca clienti in archivio");
    spec.criteriaHelp =
        QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede\n"
                       "dei clienti da cercare e premere il pulsante Trova.\n"
                       "Lasciare in bianco gli altri campi.\n"
                       "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.");
    spec.criteria = {
        {"txtCognome", "Cognome e nome:"}, {"cboGiorno", "Zona di appartenenza:"}, {"txtNome", "Città:"},
        {"cboMese", "Prodotti o servizi:"}, {"txtAzienda", "Sconti praticati:"},   {"txtAnno", "Categoria cliente:"},
        {"txtDettagli", "Note:"},
    };
    return spec;
}

} // namespace

TfrmCercaCliente::TfrmCercaCliente() : ListScreen(searchSpec())
{
    m_callerMark = new QLineEdit(this);
    m_callerMark->setObjectName(QStringLiteral("txtChiamante"));
    m_callerMark->hide();
}

void TfrmCercaCliente::setCallerMark(const QString& mark)
{
    m_callerMark->setText(mark);
}

QString TfrmCercaCliente::callerMark() const
{
    return m_callerMark->text();
}

bool TfrmCercaCliente::collect(PackedLines& lines)
{
    ClientCard::Criteria c;
    c.nominativo = criterion("txtCognome");
    c.zona = criterion("cboGiorno");
    c.citta = criterion("txtNome");
    c.prodotti = criterion("cboMese");
    c.sconti = criterion("txtAzienda");
    c.categoria = criterion("txtAnno");
    c.note = criterion("txtDettagli");
    m_chosen.reset();
    return ClientCard::search(c, lines);
}

void TfrmCercaCliente::choose(const QString& line)
{
    ChosenClient found{};
    if (ClientCard::findByLine(ClientCard::composeSearchLine, line, found.record, found.position))
        m_chosen = found;
}
