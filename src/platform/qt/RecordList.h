#pragma once

#include "storage/PackedLines.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

#include <vector>

// Packed lines as a list model: a row per line, the line its text.
class PackedLinesModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const PackedLines& lines() const { return m_lines; }
    void setLines(PackedLines lines);
    void removeLines(std::vector<qsizetype> rows);

private:
    PackedLines m_lines;
};

// The list of a list screen, lstRecords: lines of fixed-width text shown
// from packed lines, which keep a line in a few dozen bytes where an item of
// a list widget took some seven hundred. Rows are line numbers from 0 in the
// order shown.
class RecordList : public QListView
{
    Q_OBJECT
public:
    explicit RecordList(QWidget* parent = nullptr);

    // New lines in place of the old; nothing selected.
    void setLines(PackedLines lines);
    void clear();

    int count() const;
    QString line(int row) const;
    QStringList lines() const;
    const PackedLines& packedLines() const;

    // The current row, -1 when there is none.
    int currentRow() const;
    // row alone selected and current, scrolled into view; -1: none of either.
    void setCurrentRow(int row);
    // The selected rows, top to bottom.
    std::vector<int> selectedRows() const;
    // The first selected line; empty when none is.
    QString selectedLine() const;
    // Removes the selected lines; nothing is selected afterwards.
    void removeSelected();

signals:
    void lineDoubleClicked(int row);
    void selectedLinesChanged();

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    PackedLinesModel* m_model;
};
