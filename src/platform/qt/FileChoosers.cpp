#include "platform/qt/FileChoosers.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QHeaderView>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace {

QString startingFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return desktop;
    return QDir::homePath();
}

// Puts the prompt in a row of its own above the dialog's own rows.
void addPrompt(QFileDialog& dialog, const QString& prompt)
{
    auto* label = new QLabel(prompt, &dialog);
    label->setObjectName(QStringLiteral("lblPrompt"));
    label->setWordWrap(true);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        dialog.layout()->addWidget(label);
        return;
    }
    struct Cell
    {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    QList<Cell> cells;
    while (grid->count() > 0) {
        Cell c{nullptr, 0, 0, 0, 0};
        grid->getItemPosition(0, &c.row, &c.column, &c.rowSpan, &c.columnSpan);
        c.item = grid->takeAt(0);
        cells << c;
    }
    const int columns = grid->columnCount();
    grid->addWidget(label, 0, 0, 1, columns);
    for (const Cell& c : cells)
        grid->addItem(c.item, c.row + 1, c.column, c.rowSpan, c.columnSpan);
}

// "Tutti i file (*.*)" lists with "Tutti i file (*)": only the patterns
// inside the parentheses change.
QString listingFilter(const QString& filter)
{
    static const QRegularExpression anyName(QStringLiteral("(?<=[( ])\\*\\.\\*(?=[ )])"));
    const int open = filter.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return filter;
    QString patterns = filter.mid(open);
    patterns.replace(anyName, QStringLiteral("*"));
    return filter.left(open) + patterns;
}

// The dialog matches with the listing filters while its filter box shows
// the filters as given.
void setFilters(QFileDialog& dialog, const QStringList& filters)
{
    QStringList listing;
    for (const QString& f : filters)
        listing << listingFilter(f);
    dialog.setNameFilters(listing);
    auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (!box)
        return;
    for (int i = 0; i < box->count() && i < filters.size(); ++i)
        box->setItemText(i, filters[i]);
}

// The columns of the detailed view never narrower than their headings
// ("Dimensione", "Data di modifica" are longer than the English ones).
void widenHeadings(QFileDialog& dialog)
{
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView* header = tree->header();
    int widest = 0;
    for (int c = 0; c < header->count(); ++c) {
        const QString heading = header->model()->headerData(c, Qt::Horizontal).toString();
        widest = std::max(widest, header->fontMetrics().horizontalAdvance(heading));
    }
    // Room for the sort arrow and the section's margins.
    header->setMinimumSectionSize(widest + 28);
    for (int c = 0; c < header->count(); ++c)
        header->resizeSection(c, std::max(header->sectionSize(c), widest + 28));
}

} // namespace

QString folderChooserCaption()
{
    return QStringLiteral("Cerca cartella");
}

std::unique_ptr<QFileDialog> makeFolderChooser(QWidget* owner, const QString& prompt)
{
    auto dialog = std::make_unique<QFileDialog>(owner, folderChooserCaption(), startingFolder());
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    addPrompt(*dialog, prompt);
    // ReadOnly only disables the new-folder button; a disabled button
    // would still suggest that folders can be made here.
    if (auto* newFolder = dialog->findChild<QToolButton*>(QStringLiteral("newFolderButton")))
        newFolder->hide();
    widenHeadings(*dialog);
    return dialog;
}

std::unique_ptr<QFileDialog> makeFileChooser(QWidget* owner, const QString& title, const QStringList& filters)
{
    auto dialog = std::make_unique<QFileDialog>(owner, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    setFilters(*dialog, filters);
    widenHeadings(*dialog);
    return dialog;
}

std::unique_ptr<QFileDialog> makeSaveChooser(QWidget* owner, const QString& title, const QString& proposedPath,
                                             const QStringList& filters)
{
    auto dialog = std::make_unique<QFileDialog>(owner, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    setFilters(*dialog, filters);
    const QFileInfo proposed(proposedPath);
    dialog->setDirectory(proposed.absolutePath());
    dialog->selectFile(proposed.fileName());
    // A name typed without its extension still gets the file the filter names.
    dialog->setDefaultSuffix(proposed.suffix());
    widenHeadings(*dialog);
    return dialog;
}
