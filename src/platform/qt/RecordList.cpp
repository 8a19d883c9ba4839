#include "platform/qt/RecordList.h"

#include <QItemSelectionModel>

#include <algorithm>

int PackedLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.count());
}

QVariant PackedLinesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return m_lines.line(index.row());
}

void PackedLinesModel::setLines(PackedLines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void PackedLinesModel::removeLines(std::vector<qsizetype> rows)
{
    beginResetModel();
    m_lines.removeRows(std::move(rows));
    endResetModel();
}

RecordList::RecordList(QWidget* parent) : QListView(parent), m_model(new PackedLinesModel(this))
{
    setModel(m_model);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        emit lineDoubleClicked(index.row());
    });
}

void RecordList::setLines(PackedLines lines)
{
    m_model->setLines(std::move(lines));
}

void RecordList::clear()
{
    // The old lines go at once: a long list is megabytes.
    m_model->setLines(PackedLines(m_model->lines().order()));
}

int RecordList::count() const
{
    return m_model->rowCount();
}

QString RecordList::line(int row) const
{
    return m_model->lines().line(row);
}

QStringList RecordList::lines() const
{
    return m_model->lines().lines();
}

const PackedLines& RecordList::packedLines() const
{
    return m_model->lines();
}

int RecordList::currentRow() const
{
    return currentIndex().row();
}

void RecordList::setCurrentRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

std::vector<int> RecordList::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString RecordList::selectedLine() const
{
    const std::vector<int> rows = selectedRows();
    return rows.empty() ? QString() : line(rows.front());
}

void RecordList::removeSelected()
{
    const std::vector<int> rows = selectedRows();
    if (!rows.empty())
        m_model->removeLines(std::vector<qsizetype>(rows.begin(), rows.end()));
}

void RecordList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    emit selectedLinesChanged();
}
