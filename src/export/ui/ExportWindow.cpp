#include "export/ui/ExportWindow.h"

#include "export/PreviewRows.h"
#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/LinkLabels.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/Screens.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

#include <vector>

namespace {

const int kNumberColumnWidth = 50;
const int kRowHeight = 24;

QColor paleYellow() { return QColor(249, 255, 225); }
QColor paleBlue() { return QColor(223, 235, 255); }

} // namespace

// The grid's texts: column 0 numbers the records from 1, the others hold the
// record's row. Clearing keeps the rows (blank) until the next archive with
// records sets their number, as the preview always did. The texts are held
// packed (PreviewRows) and made into strings only for the cells painted.
class ExportGridModel : public QAbstractTableModel
{
public:
    ExportGridModel(const std::vector<ExportColumn>& columns, QObject* parent)
        : QAbstractTableModel(parent), m_columns(columns)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_rowCount;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size()) + 1;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
            return QVariant();
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return m_rows.cell(index.row(), index.column() - 1);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QVariant();
        return section == 0 ? QString() : m_columns[size_t(section - 1)].gridHeader;
    }

    void clearTexts()
    {
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }
    void setRowCountTo(int rows)
    {
        beginResetModel();
        m_rowCount = rows;
        endResetModel();
    }
    void append(const QStringList& row)
    {
        const int at = int(m_rows.size());
        m_rows.append(row);
        if (at < m_rowCount)
            emit dataChanged(index(at, 0), index(at, columnCount() - 1));
    }

    int filled() const { return int(m_rows.size()); }
    const PreviewRows& rows() const { return m_rows; }

private:
    const std::vector<ExportColumn>& m_columns;
    PreviewRows m_rows;
    int m_rowCount = 1;
};

namespace {

// Each cell drawn as the preview shows it: the number column sky blue, the
// records alternating pale yellow and pale blue, black text 2 pixels in from
// the top-left corner, a frame around the cell.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int number = index.row() + 1;
        QColor background = index.column() == 0 ? FieldColours::computedBlue()
                                                 : (number % 2 == 0 ? paleYellow() : paleBlue());
        painter->save();
        painter->fillRect(option.rect, background);
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        const bool current = option.state & QStyle::State_HasFocus;
        painter->setPen(current ? QPen(QColor(0, 0, 128), 2) : QPen(QColor(128, 128, 128)));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

ExportWindow::ExportWindow(const QString& objectName, const QString& caption, const ExportTable& table,
                           const QString& exportHint)
    : DialogScreen(objectName, caption, QSize(960, 620)), m_table(table), m_archiveName(table.archiveName)
{
    m_model = new ExportGridModel(m_table.columns, this);

    grdRecords = makeControl<QTableView>(this, QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 8, 944, 472);
    grdRecords->setModel(m_model);
    grdRecords->setItemDelegate(new GridCellDelegate(grdRecords));
    grdRecords->setShowGrid(false);
    grdRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = grdRecords->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(kRowHeight);
    header->setHighlightSections(false);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background: %1; color: black;"
                                         " border: 1px solid gray; padding-left: 0px; }")
                              .arg(FieldColours::computedBlue().name()));
    grdRecords->setMouseTracking(true);
    grdRecords->viewport()->installEventFilter(this);
    for (int c = 0; c <= int(m_table.columns.size()); ++c)
        grdRecords->setColumnWidth(c, c == 0 ? kNumberColumnWidth : m_table.columns[size_t(c - 1)].gridWidth);

    panInfo = makeControl<QLabel>(this, QStringLiteral("panInfo"));
    panInfo->setGeometry(8, 484, 944, 20);
    panInfo->setAutoFillBackground(true);
    QPalette info = panInfo->palette();
    info.setColor(QPalette::Window, QColor(0, 0, 128));
    info.setColor(QPalette::WindowText, Qt::white);
    panInfo->setPalette(info);

    panAzioni = makeControl<QFrame>(this, QStringLiteral("panAzioni"));
    panAzioni->setGeometry(8, 512, 944, 100);
    panAzioni->setFrameShape(QFrame::StyledPanel);
    panAzioni->setMouseTracking(true);
    panAzioni->installEventFilter(this);

    // The action labels turn red under the mouse and black over the panel or the grid.
    m_links = new LinkLabels(Qt::black, Qt::red, this);
    m_links->addRestArea(panAzioni);
    m_links->addRestArea(grdRecords->viewport());

    addAction(QStringLiteral("Guida"), QStringLiteral(":/pictures/btn_guida.png"), QStringLiteral("Guida"),
              QStringLiteral(" Visualizza la guida in linea."), 16, &ExportWindow::imgGuidaClick);
    addAction(QStringLiteral("Esci"), QStringLiteral(":/pictures/btn_esci.png"), QStringLiteral("Esci"),
              QStringLiteral(" Esce dalla schermata di lavoro corrente."), 156, &ExportWindow::imgEsciClick);
    addAction(QStringLiteral("Excel"), QStringLiteral(":/pictures/btn_excel.png"),
              QStringLiteral("Esporta in Excel"), exportHint, 296, &ExportWindow::imgExcelClick);

    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo.png"), panAzioni);
    logo->move(panAzioni->width() - logo->width() - 16, (panAzioni->height() - logo->height()) / 2);
    logo->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ExportWindow::addAction(const QString& name, const QString& picture, const QString& caption,
                             const QString& hint, int x, void (ExportWindow::*onClick)())
{
    auto* image = new PictureButton(QStringLiteral("img") + name, picture, hint, panAzioni);
    image->move(x, 34);
    auto* label = new PictureButton(QStringLiteral("lbl") + name, QString(), hint, panAzioni);
    label->setText(caption);
    label->setGeometry(x + 38, 40, 100, 20);
    for (PictureButton* b : {image, label})
        connect(b, &PictureButton::clicked, this, onClick);
    m_links->add(label, {image});
}

int ExportWindow::recordCount() const
{
    return m_model->filled();
}

void ExportWindow::setStatus(const QString& text)
{
    panInfo->setText(text);
}

bool ExportWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdRecords->viewport() && event->type() == QEvent::MouseMove) {
        // The text of the current cell, not of the cell under the mouse.
        setStatus(u' ' + TextRules::trim(grdRecords->currentIndex().data().toString()));
    } else if (watched == panAzioni && event->type() == QEvent::MouseMove) {
        setStatus(QString());
    }
    return DialogScreen::eventFilter(watched, event);
}

void ExportWindow::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    setStatus(QString());
    m_links->rest();
    loadArchive();
}

void ExportWindow::loadArchive()
{
    m_model->clearTexts();
    if (m_archiveName.isEmpty())
        return;

    // A failure ends the reading silently: the grid keeps what was read.
    ArchiveFile archive(AppDir::filePath(m_archiveName), m_table.recordSize);
    qint64 records = 0;
    if (!archive.count(records) || records == 0)
        return;
    m_model->setRowCountTo(int(records));
    const bool read = archive.scan([this](qint64, const char* record) {
        m_model->append(m_table.row(record));
        return true;
    });
    if (!read)
        return;
    for (int c = 0; c <= int(m_table.columns.size()); ++c)
        grdRecords->setColumnWidth(c, c == 0 ? kNumberColumnWidth : m_table.columns[size_t(c - 1)].gridWidth);
}

void ExportWindow::imgGuidaClick()
{
    Screens::showGuide(m_table.guideTitle, m_table.guideText);
}

void ExportWindow::imgEsciClick()
{
    close();
}

void ExportWindow::imgExcelClick()
{
    const QString caption = QStringLiteral("Esportazione archivio in Excel");
    if (!platform::current().askYesNo(
            caption, QString::fromUtf8("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
                                       "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati "
                                       "adesso?")))
        return;

    const QString path = AppDir::filePath(m_table.fileName);
    bool written = false;
    {
        platform::BusyCursor busy;
        // The file takes the texts of the grid, as the user saw them, and is
        // written as it is composed: never whole in memory.
        const PreviewRows& rows = m_model->rows();
        written = SpreadsheetExport::writeFile(path, m_table.worksheetName, m_table.fileColumns(), rows.size(),
                                               [&rows](qint64 i) {
                                                   QStringList texts = rows.row(i);
                                                   for (QString& text : texts)
                                                       text = TextRules::trim(text);
                                                   return texts;
                                               });
        if (written
            && platform::current().askYesNo(
                QStringLiteral("Esportazione archivio in Excel terminata"),
                QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il "
                               "file di Excel?")))
            platform::openDocumentOrTell(path);
    }
    if (!written) {
        // Typically the spreadsheet program holds the file open.
        platform::current().showMessage(QString::fromUtf8(
            "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non "
            "sia già aperto."));
    }
}
