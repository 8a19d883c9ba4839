#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The texts of every row of an export preview, held compactly: a whole
// archive is shown (100,000 cards and more) and the file is written from
// what was shown, so the texts stay in memory until the next showing.
// Rather than a string object per cell, each row is packed into large
// blocks: a cell is a two-byte length followed by its characters, one byte
// each when they all have one (Latin-1, the usual case), two otherwise. A
// cell reads back exactly as it was added.
class PreviewRows
{
public:
    PreviewRows();
    ~PreviewRows();
    PreviewRows(const PreviewRows&) = delete;
    PreviewRows& operator=(const PreviewRows&) = delete;

    void clear();
    void append(const QStringList& row);

    qint64 size() const { return qint64(m_rows.size()); }
    // The text of a cell; empty beyond the row's cells.
    QString cell(qint64 row, int column) const;
    QStringList row(qint64 row) const;

private:
    const char* rowStart(qint64 row) const;
    char* reserve(size_t bytes);

    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_lastBlockSize = 0;   // capacity of the last block
    size_t m_used = 0;            // bytes taken in the last block
    // Per row: block index in the high 24 bits, offset in the low 40.
    std::vector<quint64> m_rows;
};
