#include "clients/ui/TfrmCercaCliente.h"

#include "platform/qt/Screens.h"
#include "clients/ClientCard.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/CardFields.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/ListServices.h"
#include "storage/ListReport.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QLabel* text(QWidget* parent, const QString& s, const QRect& geometry, bool bold = false)
{
    auto* l = new QLabel(s, parent);
    l->setGeometry(geometry);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 3);
        l->setFont(f);
    }
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmCercaCliente::TfrmCercaCliente()
    : DialogScreen(QStringLiteral("frmCercaCliente"), QStringLiteral(" Ricerca clienti in archivio"), QSize(760, 470))
{
    m_callerMark = new QLineEdit(this);
    m_callerMark->setObjectName(QStringLiteral("txtChiamante"));
    m_callerMark->hide();

    buildCriteriaPanel();
    buildListPanel();

    cmdTrova = button(this, "cmdTrova", QStringLiteral("Trova"), QRect(250, 424, 110, 30));
    cmdAnnulla = button(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(370, 424, 110, 30));
    cmdIndietro = button(this, "cmdIndietro", QStringLiteral("<< Indietro"), QRect(10, 424, 110, 30));
    cmdStampa = button(this, "cmdStampa", QStringLiteral("Stampa"), QRect(640, 424, 110, 30));
    cmdIndietro->setEnabled(false);
    cmdStampa->setEnabled(false);
    connect(cmdTrova, &QPushButton::clicked, this, &TfrmCercaCliente::cmdTrovaClick);
    connect(cmdIndietro, &QPushButton::clicked, this, &TfrmCercaCliente::cmdIndietroClick);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    m_services = new ListServices(
        lstRecords, txtTrova, findChild<QPushButton*>(QStringLiteral("cmdTrova02")), cmdStampa,
        QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."),
        [] {
            ListReportSpec spec;
            spec.title = QStringLiteral("Anagrafica clienti");
            spec.ruleLength = 21;
            return spec;
        },
        this);
}

void TfrmCercaCliente::buildCriteriaPanel()
{
    grpCriteri = new QFrame(this);
    grpCriteri->setObjectName(QStringLiteral("grpCriteri"));
    grpCriteri->setGeometry(10, 10, 740, 404);
    grpCriteri->setFrameShape(QFrame::StyledPanel);
    text(grpCriteri, QStringLiteral("Ricerca clienti in archivio"), QRect(16, 10, 700, 28), true);
    text(grpCriteri,
         QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede\n"
                        "dei clienti da cercare e premere il pulsante Trova.\n"
                        "Lasciare in bianco gli altri campi.\n"
                        "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
         QRect(16, 42, 700, 72));
    const struct
    {
        const char* name;
        const char* caption;
    } criteria[] = {
        {"txtCognome", "Cognome e nome:"}, {"cboGiorno", "Zona di appartenenza:"}, {"txtNome", "Città:"},
        {"cboMese", "Prodotti o servizi:"}, {"txtAzienda", "Sconti praticati:"},   {"txtAnno", "Categoria cliente:"},
        {"txtDettagli", "Note:"},
    };
    QList<QWidget*> chain;
    int y = 128;
    for (const auto& c : criteria) {
        text(grpCriteri, QString::fromUtf8(c.caption), QRect(16, y, 170, 24));
        auto* field = new QLineEdit(grpCriteri);
        field->setObjectName(QLatin1String(c.name));
        field->setGeometry(190, y, 520, 24);
        FieldColours::install(field, FieldColours::restGreen());
        chain.append(field);
        y += 38;
    }
    txtCognome = static_cast<QLineEdit*>(chain.first());
    KeyFilters::enterChain(chain);
}

void TfrmCercaCliente::buildListPanel()
{
    grpElenco = new QFrame(this);
    grpElenco->setObjectName(QStringLiteral("grpElenco"));
    grpElenco->setGeometry(10, 10, 740, 404);
    grpElenco->setFrameShape(QFrame::StyledPanel);
    grpElenco->hide();
    lstRecords = new QListWidget(grpElenco);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(10, 10, 720, 280);
    ConfigureListControl(lstRecords, 1500);
    connect(lstRecords, &QListWidget::itemDoubleClicked, this, &TfrmCercaCliente::lstRecordsDblClick);
    txtTrova = new QLineEdit(grpElenco);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(10, 300, 600, 26);
    button(grpElenco, "cmdTrova02", QStringLiteral("Trova"), QRect(620, 298, 110, 30));
    text(grpElenco,
         CardListInstructions(),
         QRect(10, 336, 720, 60));
}

void TfrmCercaCliente::setCallerMark(const QString& mark)
{
    m_callerMark->setText(mark);
}

void TfrmCercaCliente::cmdTrovaClick()
{
    ClientCard::Criteria criteria;
    auto typed = [this](const char* name) { return grpCriteri->findChild<QLineEdit*>(QLatin1String(name))->text(); };
    criteria.nominativo = typed("txtCognome");
    criteria.zona = typed("cboGiorno");
    criteria.citta = typed("txtNome");
    criteria.prodotti = typed("cboMese");
    criteria.sconti = typed("txtAzienda");
    criteria.categoria = typed("txtAnno");
    criteria.note = typed("txtDettagli");
    m_filled = criteria.filled();

    lstRecords->clear();
    QStringList lines;
    if (!ClientCard::search(criteria, lines)) {
        reportArchiveFailure();   // the criteria stay on screen
        return;
    }
    // The list is kept sorted by its text; sorting once keeps a long list quick to fill.
    lines.sort(Qt::CaseInsensitive);
    lstRecords->addItems(lines);

    grpCriteri->hide();
    grpElenco->show();
    cmdTrova->setEnabled(false);
    cmdIndietro->setEnabled(true);
    cmdStampa->setEnabled(true);
    m_services->reset();
}

void TfrmCercaCliente::cmdIndietroClick()
{
    resetToCriteria(false);
    txtCognome->setFocus();
}

void TfrmCercaCliente::resetToCriteria(bool clearCriteria)
{
    lstRecords->clear();
    m_filled = 0;
    cmdIndietro->setEnabled(false);
    cmdStampa->setEnabled(false);
    cmdTrova->setEnabled(true);
    grpElenco->hide();
    grpCriteri->show();
    if (clearCriteria) {
        for (QLineEdit* field : grpCriteri->findChildren<QLineEdit*>())
            field->clear();
    }
}

void TfrmCercaCliente::lstRecordsDblClick()
{
    QListWidgetItem* item = lstRecords->currentItem();
    TRecCliente record;
    qint64 position = 0;
    m_chosen.reset();
    if (item && ClientCard::findByLine(&ClientCard::searchLine, item->text(), record, position))
        m_chosen = ChosenClient{record, position};
    accept();
}

void TfrmCercaCliente::closeEvent(QCloseEvent* event)
{
    resetToCriteria(true);
    DialogScreen::closeEvent(event);
}

void TfrmCercaCliente::done(int result)
{
    resetToCriteria(true);
    DialogScreen::done(result);
}
