#pragma once

#include "storage/ShortString.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One list line composed in Windows-1252 bytes straight from the fields of a
// raw record, column by column as TextRules::fit composes texts, without a
// QString on the way: a list of a large archive is built at the speed of
// its scan.
class LineComposer
{
public:
    // The field, trimmed, whole.
    LineComposer& field(const char* record, FieldPos pos);
    // The field, trimmed, padded with blanks or cut to exactly width characters.
    LineComposer& fitted(const char* record, FieldPos pos, int width);
    // A text of the program's own (a column caption); a character Windows-1252
    // has no byte for becomes "?".
    LineComposer& text(QStringView text);
    // A column of several pieces: what was composed since mark(), trimmed,
    // padded or cut to width.
    std::size_t mark() const { return m_bytes.size(); }
    LineComposer& fitSince(std::size_t mark, int width);

    const std::string& bytes() const { return m_bytes; }
    QString toString() const;
    void clear() { m_bytes.clear(); }

    // The text of the line compose makes of record.
    using Composition = void (*)(const char* record, LineComposer& line);
    static QString textOf(Composition compose, const char* record);
    // text in Windows-1252; false when a character has no byte there.
    static bool encode(QStringView text, std::string& bytes);

private:
    std::string m_bytes;
};

// The lines of a list screen, kept packed: each line as its Windows-1252
// bytes, and each line but one in sixteen only as what it changes from the
// line above it (the columns of a list line up, so neighbours share most of
// their bytes). A list of 100,000 client cards takes a few megabytes where
// a list control of its own items took seventy.
//
// A line holding a character that Windows-1252 cannot write is kept as its
// text and comes back exactly.
//
// In the order IgnoringCase the lines come back sorted as
// TextRules::sortIgnoringCase sorts them, lines equal but for case in the
// order they were added. The lines are sorted a batch at a time as they come
// and the batches merged when the list is first read, so a million lines
// never exist as texts, nor all at once unpacked.
class PackedLines
{
public:
    enum class Order { AsAdded, IgnoringCase };

    explicit PackedLines(Order order = Order::AsAdded);
    PackedLines(PackedLines&& other) noexcept;
    PackedLines& operator=(PackedLines&& other) noexcept;
    ~PackedLines();

    Order order() const { return m_order; }

    void append(const QString& line);
    void append(const LineComposer& line);
    void append(const char* windows1252, std::size_t size);

    qsizetype count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    // Line at row (0 to count() - 1); reading row after row is the quick way.
    QString line(qsizetype row) const;
    QStringList lines() const;

    // Removes the lines at rows (any order; rows out of range are ignored).
    void removeRows(std::vector<qsizetype> rows);
    void clear();

    // Bytes held for the lines once packed, bookkeeping included.
    std::size_t bytesHeld() const;

private:
    struct Block;
    struct Batch;
    class Writer;
    class Reader;

    void addBytes(const char* bytes, std::size_t size);
    void addForeign(const QString& line);
    Batch& batch();
    void packBatch(bool last) const;
    void settle() const;
    QString text(const std::string& bytes, std::int64_t foreign) const;

    Order m_order;
    qsizetype m_count = 0;
    std::vector<QString> m_foreign;
    // Packed and merged by const readers too: the lines read are the same
    // before and after.
    mutable std::unique_ptr<Batch> m_batch;       // the lines added since the last batch was packed
    mutable std::vector<Block> m_blocks;
    mutable std::vector<qsizetype> m_firstRows;   // of each block
    mutable std::unique_ptr<Reader> m_reader;     // at the last line read, for the next one
};
