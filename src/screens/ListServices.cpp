#include "screens/ListServices.h"

#include "platform/qt/FieldColours.h"
#include "platform/qt/FixedFont.h"
#include "platform/qt/RecordList.h"
#include "platform/Platform.h"
#include "platform/PrintJobs.h"
#include "storage/FindInList.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Items at least as wide as the scroll width: with uniform item sizes the
// list takes its horizontal extent from them.
class ScrollWidthDelegate final : public QStyledItemDelegate
{
public:
    ScrollWidthDelegate(int width, QObject* parent) : QStyledItemDelegate(parent), m_width(width) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), m_width));
        return size;
    }

private:
    int m_width;
};

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

ListServices::ListServices(RecordList* lstRecords, QLineEdit* txtTrova, QAbstractButton* cmdTrova02,
                           QAbstractButton* cmdStampa, QString emptyFindText,
                           std::function<ListReportSpec()> reportSpec, QWidget* owner)
    : QObject(owner), m_list(lstRecords), m_find(txtTrova), m_emptyFindText(std::move(emptyFindText)),
      m_reportSpec(std::move(reportSpec)), m_owner(owner)
{
    FieldColours::install(m_find, Qt::white);
    m_find->installEventFilter(this);
    connect(cmdTrova02, &QAbstractButton::clicked, this, &ListServices::find);
    connect(cmdStampa, &QAbstractButton::clicked, this, &ListServices::print);
}

void ListServices::reset()
{
    m_lastSearch.clear();
    m_list->setCurrentRow(-1);
    m_find->clear();
    m_find->setFocus();
}

QStringList ListServices::lines() const
{
    return m_list->lines();
}

void ListServices::find()
{
    const PackedLines& all = m_list->packedLines();
    if (all.isEmpty()) {
        platform::current().showMessage(m_emptyFindText);
        return;
    }
    const std::vector<int> selected = m_list->selectedRows();
    m_list->setCurrentRow(findInList(all, selected.empty() ? -1 : selected.front(), m_find->text(), m_lastSearch));
}

void ListServices::print()
{
    printListReport(m_owner, lines(), m_reportSpec ? m_reportSpec() : ListReportSpec());
}

bool ListServices::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_find && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        find();
        // Enter stops here: left to travel on, it would press the dialog's
        // default button (and might close the list).
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void configureListControl(QListView* list, int scrollWidthPixels)
{
    list->setFont(fixedFont(8));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (scrollWidthPixels > 0) {
        list->setItemDelegate(new ScrollWidthDelegate(scrollWidthPixels, list));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
}

QString findInListInstructions()
{
    return QStringLiteral(
        "Inserire una o più parole consecutive presenti nella scheda da cercare e premere il pulsante Trova.\n"
        "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Trova.");
}

QString doubleClickInstruction()
{
    return QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic.");
}

QString cardListInstructions()
{
    return findInListInstructions() + QLatin1Char('\n') + doubleClickInstruction();
}

void printListReport(QWidget* owner, const QStringList& lines, const ListReportSpec& spec)
{
    ListPrintJob job;
    job.question = spec.question;
    job.jobName = QStringLiteral("Ventoria 2.0 - ") + spec.title;
    job.orientation = platform::PageOrientation::Landscape;
    job.compose = [&spec](platform::PrintCanvas& canvas, const QStringList& shown, const QString& stamp) {
        composeListReport(canvas, shown, spec, stamp);
    };
    printList(owner, lines, job);
}

void printList(QWidget* owner, const QStringList& lines, const ListPrintJob& job)
{
    platform::Platform& p = platform::current();
    if (lines.isEmpty()) {
        p.showMessage(QStringLiteral("Operazione di stampa non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (!p.askYesNo(QStringLiteral("Conferma operazione di stampa"), job.question))
        return;
    int copies = 0;
    if (!p.printDialog(owner, copies) || copies <= 0)
        return;
    platform::PrintJob document;
    document.name = job.jobName;
    document.orientation = job.orientation;
    document.compose = [&](platform::PrintCanvas& canvas) {
        // Each copy is stamped with the moment it is composed.
        job.compose(canvas, lines, listReportStampLine(p.today(), p.now()));
    };
    if (!platform::printCopies(copies, document))
        p.showMessage(platform::printFailureMessage());
}
