#include "platform/qt/ListScreen.h"

#include "platform/qt/ArchiveReports.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/ListServices.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

QLabel* text(QWidget* parent, const QString& s, const QRect& geometry, bool title = false)
{
    auto* l = new QLabel(s, parent);
    l->setGeometry(geometry);
    if (title) {
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

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

} // namespace

ListScreen::ListScreen(ListScreenSpec spec, QWidget* parent)
    : DialogScreen(spec.objectName, spec.caption, spec.size, parent), m_spec(std::move(spec))
{
    if (m_spec.instructions.isEmpty())
        m_spec.instructions = CardListInstructions();
    const int w = m_spec.size.width();
    const int h = m_spec.size.height();
    if (m_spec.variant == ListScreenSpec::Variant::Criteria) {
        const QRect inside(10, 10, w - 20, h - 66);
        grpCriteri = panel(this, "grpCriteri", inside);
        buildCriteriaPanel();
        grpElenco = panel(this, "grpElenco", inside);
        grpElenco->hide();
        buildListPanel(grpElenco, inside.width(), 280);
    } else {
        buildListPanel(this, w, 300);
    }
    buildButtons();
    m_services = new ListServices(lstRecords, txtTrova, cmdTrova02, cmdStampa, m_spec.emptyFindText, m_spec.report,
                                  this);
}

void ListScreen::buildCriteriaPanel()
{
    const int w = grpCriteri->width();
    text(grpCriteri, m_spec.criteriaTitle, QRect(16, 10, w - 40, 28), true);
    text(grpCriteri, m_spec.criteriaHelp, QRect(16, 42, w - 40, 72));
    QList<QWidget*> chain;
    int y = 128;
    for (const ListScreenSpec::Criterion& c : m_spec.criteria) {
        text(grpCriteri, QString::fromUtf8(c.caption), QRect(16, y, 170, 24));
        auto* field = new QLineEdit(grpCriteri);
        field->setObjectName(QLatin1String(c.name));
        field->setGeometry(190, y, w - 220, 24);
        FieldColours::install(field, FieldColours::restGreen());
        chain.append(field);
        m_criteria.append(field);
        y += 38;
    }
    KeyFilters::enterChain(chain);
}

// The list, the find field with its button and the instructions, across width.
void ListScreen::buildListPanel(QWidget* parent, int width, int listHeight)
{
    lstRecords = new QListWidget(parent);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(10, 10, width - 20, listHeight);
    ConfigureListControl(lstRecords, m_spec.scrollWidth);
    connect(lstRecords, &QListWidget::itemDoubleClicked, this, &ListScreen::lstRecordsDblClick);
    const int y = listHeight + 20;
    txtTrova = new QLineEdit(parent);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(10, y, width - 140, 26);
    cmdTrova02 = button(parent, "cmdTrova02", QStringLiteral("Trova"), QRect(width - 120, y - 2, 110, 30));
    text(parent, m_spec.instructions, QRect(10, y + 34, width - 20, 60));
}

void ListScreen::buildButtons()
{
    const int w = m_spec.size.width();
    const int y = m_spec.size.height() - 46;
    cmdStampa = button(this, "cmdStampa", QStringLiteral("Stampa"), QRect(w - 120, y, 110, 30));
    if (m_spec.variant == ListScreenSpec::Variant::Plain) {
        auto* cmdAnnulla = button(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(w - 240, y, 110, 30));
        connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
        return;
    }
    cmdTrova = button(this, "cmdTrova", QStringLiteral("Trova"), QRect(250, y, 110, 30));
    auto* cmdAnnulla = button(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(370, y, 110, 30));
    cmdIndietro = button(this, "cmdIndietro", QStringLiteral("<< Indietro"), QRect(10, y, 110, 30));
    cmdIndietro->setEnabled(false);
    cmdStampa->setEnabled(false);
    connect(cmdTrova, &QPushButton::clicked, this, &ListScreen::cmdTrovaClick);
    connect(cmdIndietro, &QPushButton::clicked, this, &ListScreen::cmdIndietroClick);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

QString ListScreen::criterion(const char* name) const
{
    for (const QLineEdit* field : m_criteria) {
        if (field->objectName() == QLatin1String(name))
            return field->text();
    }
    return QString();
}

// Lists what collect finds, sorted by text without regard to case; false
// when the archive failed.
bool ListScreen::fill()
{
    lstRecords->clear();
    QStringList lines;
    const bool ok = collect(lines);
    if (!ok && m_spec.reportsArchiveFailure) {
        reportArchiveFailure();
        return false;
    }
    // Sorting once keeps a long list quick to fill.
    lines.sort(Qt::CaseInsensitive);
    lstRecords->addItems(lines);
    m_services->reset();
    return true;
}

void ListScreen::cmdTrovaClick()
{
    if (!fill())
        return;   // the criteria stay on screen
    grpCriteri->hide();
    grpElenco->show();
    cmdTrova->setEnabled(false);
    cmdIndietro->setEnabled(true);
    cmdStampa->setEnabled(true);
    m_services->reset();
}

void ListScreen::cmdIndietroClick()
{
    resetToCriteria(false);
    if (!m_criteria.isEmpty())
        m_criteria.first()->setFocus();
}

void ListScreen::resetToCriteria(bool clearCriteria)
{
    lstRecords->clear();
    if (!grpCriteri)
        return;
    cmdIndietro->setEnabled(false);
    cmdStampa->setEnabled(false);
    cmdTrova->setEnabled(true);
    grpElenco->hide();
    grpCriteri->show();
    if (clearCriteria) {
        for (QLineEdit* field : m_criteria)
            field->clear();
    }
}

void ListScreen::lstRecordsDblClick()
{
    if (QListWidgetItem* item = lstRecords->currentItem())
        choose(item->text());
    accept();
}

void ListScreen::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    if (m_spec.variant == ListScreenSpec::Variant::Plain && !event->spontaneous())
        fill();
}

void ListScreen::closeEvent(QCloseEvent* event)
{
    resetToCriteria(true);
    DialogScreen::closeEvent(event);
}

void ListScreen::done(int result)
{
    resetToCriteria(true);
    DialogScreen::done(result);
}
