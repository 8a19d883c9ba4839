#include "screens/ListScreen.h"

#include "platform/qt/FieldColours.h"
#include "screens/ListServices.h"
#include "platform/qt/RecordList.h"
#include "storage/TextRules.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QResizeEvent>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

// Widens the controls placed for a parent oldWidth wide by dx: those that
// run across it grow (their own controls likewise), those in its right half
// move with its right edge, the others stay. Lists, fields and buttons keep
// their insides to themselves.
void widenControls(QWidget* parent, int oldWidth, int dx)
{
    for (QWidget* c : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (c->isWindow())
            continue;
        const QRect g = c->geometry();
        if (g.left() < oldWidth / 3 && g.right() > 2 * oldWidth / 3) {
            const bool container = c->layout() == nullptr
                                   && (c->metaObject() == &QWidget::staticMetaObject
                                       || c->metaObject() == &QFrame::staticMetaObject || qobject_cast<QGroupBox*>(c));
            if (container)
                widenControls(c, g.width(), dx);
            c->resize(g.width() + dx, g.height());
        } else if (g.left() >= oldWidth / 2) {
            c->move(g.x() + dx, g.y());
        }
    }
}

} // namespace

ListScreen::ListScreen(ListScreenSpec spec, QWidget* parent)
    : DialogScreen(spec.objectName, spec.caption, spec.size, parent), m_spec(std::move(spec)), m_laidOutWidth(m_spec.size.width())
{
    // The lines of a list are longer than the designed window: it may be
    // made wider (never narrower, nor taller), and the list widens with it.
    setMinimumSize(m_spec.size);
    setMaximumSize(QWIDGETSIZE_MAX, m_spec.size.height());
    if (m_spec.instructions.isEmpty())
        m_spec.instructions = cardListInstructions();
    const int w = m_spec.size.width();
    const int h = m_spec.size.height();
    const bool criteria = m_spec.variant == ListScreenSpec::Variant::Criteria;
    const QRect inside(10, 10, w - 20, h - 66);
    const int listWidth = criteria ? inside.width() : w;
    const int listHeight = criteria ? 280 : 300;
    m_panels = new ListPanels(this, m_spec, inside, QRect(10, 10, listWidth - 20, listHeight),
                              [this](PackedLines& lines) { return collect(lines); });
    lstRecords = m_panels->list();
    if (m_spec.doubleClickChooses)
        connect(lstRecords, &RecordList::lineDoubleClicked, this, &ListScreen::lstRecordsDblClick);
    buildListExtras(listWidth, listHeight);
    buildButtons();
    if (m_spec.callerMark) {
        m_callerMark = new QLabel(this);
        m_callerMark->setObjectName(QLatin1String(m_spec.callerMark));
        m_callerMark->hide();
    }
    m_services = new ListServices(lstRecords, txtTrova, cmdTrova02, cmdStampa, m_spec.emptyFindText, m_spec.report,
                                  this);
    connect(m_panels, &ListPanels::listShown, this, [this] {
        cmdStampa->setEnabled(true);
        m_services->reset();
        listed();
    });
    connect(m_panels, &ListPanels::criteriaShown, this, [this] {
        cmdStampa->setEnabled(false);
        updateFind();
    });
    connect(m_panels, &ListPanels::wentBack, this, [this] {
        if (QWidget* focus = backFocus())
            focus->setFocus();
        updateFind();
    });
}

// The find field with its button and the instructions, under the list.
void ListScreen::buildListExtras(int width, int listHeight)
{
    QWidget* parent = m_panels->listPanel();
    const int y = listHeight + 20;
    txtTrova = new QLineEdit(parent);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(10, y, width - 140, 26);
    cmdTrova02 = listButton(parent, "cmdTrova02", m_spec.findCaption, QRect(width - 120, y - 2, 110, 30));
    listLabel(parent, m_spec.instructions, QRect(10, y + 34, width - 20, 60));
    if (!m_spec.maroonInstruction.isEmpty()) {
        QLabel* line = listLabel(parent, m_spec.maroonInstruction, QRect(10, y + 80, width - 20, 22));
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, FieldColours::captionMaroon());
        line->setPalette(palette);
    }
}

void ListScreen::buildButtons()
{
    const int w = m_spec.size.width();
    const int y = m_spec.size.height() - 46;
    cmdStampa = listButton(this, "cmdStampa", QStringLiteral("Stampa"), QRect(w - 120, y, 110, 30));
    if (m_spec.variant == ListScreenSpec::Variant::Plain) {
        const bool cancels = m_spec.actionCaption.isEmpty();
        cmdAnnulla = listButton(this, "cmdAnnulla", cancels ? QStringLiteral("Annulla") : m_spec.actionCaption,
                                QRect(w - 240, y, 110, 30));
        if (cancels)
            connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
        return;
    }
    m_panels->addButtons(y);
    cmdStampa->setEnabled(false);
    connect(m_panels->annulla(), &QPushButton::clicked, this, &QDialog::reject);
}

void ListScreen::setCallerMark(const QString& mark)
{
    m_callerMark->setText(mark);
}

QString ListScreen::callerMark() const
{
    return TextRules::trim(m_callerMark->text());
}

bool ListScreen::collectFrom(const LineSource& source, PackedLines& lines) const
{
    ArchiveFile file = source.archive();
    if (source.keep)
        return ListSearch::collectWhere(file, source.keep, source.compose, lines);
    return ListSearch::collect(file, m_panels->searchCriteria(), source.compose, lines);
}

bool ListScreen::leadBack(const LineSource& source, const QString& line, QByteArray& record, qint64& position)
{
    ArchiveFile file = source.archive();
    const auto compose = source.compose;
    return ListSearch::findByLine(file, [compose](const char* r) { return LineComposer::textOf(compose, r); }, line,
                                  record, position);
}

void ListScreen::updateFind()
{
    QPushButton* trova = m_panels->trova();
    if (trova && m_panels->criteriaPanel()->isVisibleTo(this))
        trova->setEnabled(canFind());
}

bool ListScreen::fill()
{
    if (!m_panels->fill([this](PackedLines& lines) { return collect(lines); }))
        return false;
    m_services->reset();
    return true;
}

void ListScreen::cmdTrovaClick()
{
    m_panels->find();
}

void ListScreen::cmdIndietroClick()
{
    m_panels->back();
}

void ListScreen::lstRecordsDblClick()
{
    if (lstRecords->currentRow() >= 0)
        choose(lstRecords->line(lstRecords->currentRow()));
    accept();
}

void ListScreen::fitToTheLines()
{
    const QScreen* shown = screen();
    if (m_spec.scrollWidth <= 0 || !shown)
        return;
    const int wanted = width() + m_spec.scrollWidth - lstRecords->viewport()->width();
    const int room = shown->availableGeometry().width() - 40;
    if (std::min(wanted, room) > width()) {
        resize(std::min(wanted, room), height());
        move(shown->availableGeometry().center().x() - width() / 2, y());
    }
}

void ListScreen::resizeEvent(QResizeEvent* event)
{
    DialogScreen::resizeEvent(event);
    const int dx = event->size().width() - m_laidOutWidth;
    if (dx != 0) {
        widenControls(this, m_laidOutWidth, dx);
        m_laidOutWidth = event->size().width();
    }
}

void ListScreen::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    if (!event->spontaneous())
        fitToTheLines();
    if (m_spec.variant == ListScreenSpec::Variant::Plain && !event->spontaneous())
        fill();
}

void ListScreen::closeEvent(QCloseEvent* event)
{
    m_panels->showCriteria(true);
    DialogScreen::closeEvent(event);
}

void ListScreen::done(int result)
{
    m_panels->showCriteria(true);
    DialogScreen::done(result);
}
