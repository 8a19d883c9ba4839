#include "reports/ui/SummaryScreen.h"

#include "einvoice/ui/TfrmFatturaElettronica.h"
#include "platform/Platform.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "screens/ListServices.h"
#include "receipts/ReceiptArchive.h"
#include "storage/TextRules.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace {

const QSize kSize(900, 580);

ListScreenSpec summarySpec(const SummaryScreen::Table& t, const SummaryScreen* self)
{
    ListScreenSpec spec;
    spec.objectName = QString::fromUtf8(t.objectName);
    spec.caption = QString::fromUtf8(t.caption);
    spec.size = kSize;
    spec.variant = ListScreenSpec::Variant::Criteria;
    spec.sorted = false;   // the receipts in the order of the file
    spec.scrollWidth = 1600;
    spec.emptyFindText = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna ricevuta.");
    spec.instructions = QStringLiteral(
        "Inserire una o più parole consecutive presenti nella voce da selezionare nella lista e premere il pulsante "
        "Cerca.\n"
        "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Cerca.");
    spec.maroonInstruction = doubleClickInstruction();
    // "Trova" builds the summary; the find in list reads "Cerca" here.
    spec.findCaption = QStringLiteral("Cerca");
    spec.report = [self] { return self->report(); };
    spec.criteriaTitle = QString::fromUtf8(t.heading);
    spec.criteriaHelp = QString::fromUtf8(t.help);
    return spec;
}

} // namespace

SummaryScreen::SummaryScreen(const Table& table) : ReceiptListScreen(summarySpec(table, this)), m_kind(table.kind)
{
    QWidget* criteria = panels()->criteriaPanel();
    int y = 128;
    if (table.periodLabel) {
        listLabel(criteria, QString::fromUtf8(table.periodLabel), QRect(16, y, 120, 24));
        cboMese = new QComboBox(criteria);
        cboMese->setObjectName(QStringLiteral("cboMese"));
        cboMese->addItems(table.items);
        cboMese->setCurrentIndex(-1);
        cboMese->setGeometry(140, y, 300, 26);
        FieldColours::install(cboMese, FieldColours::restGreen());
        cboMese->installEventFilter(this);
        connect(cboMese, &QComboBox::currentIndexChanged, this, [this] { updateFind(); });
        y += 40;
    }
    listLabel(criteria, QStringLiteral("Anno:"), QRect(16, y, 120, 24));
    txtAnno = new QLineEdit(criteria);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setGeometry(140, y, 80, 24);
    txtAnno->setMaxLength(4);
    txtAnno->setReadOnly(true);
    // Out of the Tab order: the year comes from the editor and cannot change.
    txtAnno->setFocusPolicy(Qt::ClickFocus);
    if (cboMese) {
        FieldColours::setBackground(txtAnno, Qt::lightGray);
    } else {
        // The year is the one period field: it takes the focus and warns of keys.
        FieldColours::install(txtAnno, FieldColours::restGreen());
        KeyFilters::yearDigits(txtAnno);
    }
    connect(txtAnno, &QLineEdit::textChanged, this, [this] { updateFind(); });

    buildTotals();
    if (table.invoices)
        buildInvoices();
    updateFind();
}

void SummaryScreen::buildInvoices()
{
    cmdFatture = listButton(this, "cmdFatture", QStringLiteral("Fatture XML"),
                            QRect(kSize.width() - 240, kSize.height() - 46, 110, 30));
    cmdFatture->setToolTip(QStringLiteral(" Crea le fatture elettroniche (file XML) delle ricevute del mese "));
    cmdFatture->setEnabled(false);
    connect(cmdFatture, &QPushButton::clicked, this, &SummaryScreen::cmdFattureClick);
    connect(panels(), &ListPanels::listShown, cmdFatture, [this] { cmdFatture->setEnabled(true); });
    connect(panels(), &ListPanels::criteriaShown, cmdFatture, [this] { cmdFatture->setEnabled(false); });
}

void SummaryScreen::cmdFattureClick()
{
    std::vector<TRecRicevuta> receipts;
    ArchiveFile file = ReceiptArchive::yearFile(yearFile());
    bool read = false;
    {
        const platform::BusyCursor busy;
        read = ReceiptSummary::receiptsIn(file, rule(), receipts);
    }
    if (!read) {
        reportArchiveFailure();
        return;
    }
    TfrmFatturaElettronica::invoiceAll(receipts, this);
}

void SummaryScreen::buildTotals()
{
    QWidget* list = panels()->listPanel();
    auto total = [list](const char* name, const QString& caption, int y, bool bold) {
        auto* c = new QLabel(caption, list);
        c->setGeometry(list->width() - 340, y, 140, 22);
        auto* v = new QLabel(QStringLiteral("0,00"), list);
        v->setObjectName(QLatin1String(name));
        v->setGeometry(list->width() - 200, y, 180, 22);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (bold) {
            QFont f = v->font();
            f.setBold(true);
            c->setFont(f);
            v->setFont(f);
        }
        return v;
    };
    lblTotNetto = total("lblTotNetto", QStringLiteral("Totale netto:"), 406, false);
    lblTotIva = total("lblTotIva", QStringLiteral("Totale IVA:"), 430, false);
    lblTotale = total("lblTotale", QStringLiteral("TOTALE:"), 454, true);
}

void SummaryScreen::setYear(const QString& yearFilePath, const QString& year)
{
    setYearFile(yearFilePath);
    txtAnno->setText(TextRules::trim(year));
}

ReceiptSummary::PeriodRule SummaryScreen::rule() const
{
    ReceiptSummary::PeriodRule r;
    r.kind = m_kind;
    r.choice = cboMese ? cboMese->currentText() : QString();
    r.year = txtAnno->text();
    return r;
}

ListReportSpec SummaryScreen::report() const
{
    ListReportSpec spec;
    spec.title = rule().title();
    spec.ruleLength = 30;
    spec.totals = true;
    spec.totNetto = lblTotNetto->text();
    spec.totIva = lblTotIva->text();
    spec.totale = lblTotale->text();
    spec.question = QStringLiteral("Si vuole stampare il presente riepilogo di ricevute?");
    return spec;
}

bool SummaryScreen::canFind() const
{
    return cboMese ? cboMese->currentIndex() >= 0 : txtAnno->text().size() == 4;
}

QWidget* SummaryScreen::backFocus() const
{
    if (cboMese)
        return cboMese;
    return txtAnno;
}

bool SummaryScreen::collect(PackedLines& lines)
{
    ReceiptSummary::Summary summary;
    ArchiveFile file = ReceiptArchive::yearFile(yearFile());
    if (!ReceiptSummary::build(file, rule(), summary))
        return false;
    lines = std::move(summary.lines);
    lblTotNetto->setText(summary.totNetto);
    lblTotIva->setText(summary.totIva);
    lblTotale->setText(summary.totale);
    m_leftOut = summary.leftOut;
    return true;
}

void SummaryScreen::listed()
{
    if (m_leftOut > 0)
        platform::current().showMessage(ReceiptSummary::leftOutMessage(m_leftOut));
    m_leftOut = 0;
}

bool SummaryScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == cboMese && !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;   // a month is chosen with the mouse or the arrows, never typed
    }
    return ListScreen::eventFilter(watched, event);
}
