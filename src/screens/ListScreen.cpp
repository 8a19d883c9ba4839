#include "screens/ListScreen.h"

#include "platform/qt/FieldColours.h"
#include "screens/ListServices.h"
#include "platform/qt/RecordList.h"
#include "storage/TextRules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

ListScreen::ListScreen(ListScreenSpec spec, QWidget* parent)
    : DialogScreen(spec.objectName, spec.caption, spec.size, parent), m_spec(std::move(spec))
{
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

void ListScreen::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
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
