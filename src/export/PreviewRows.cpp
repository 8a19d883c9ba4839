#include "export/PreviewRows.h"

#include <cstring>

namespace {

// Big enough that the blocks stay few, small enough that the last one,
// half used, wastes little.
constexpr size_t kBlockBytes = size_t(1) << 20;
// The length word of a cell: the count of characters, and this bit when
// they are two bytes each.
constexpr quint16 kWide = 0x8000;
constexpr int kMaxCellLength = 0x7fff;
constexpr int kOffsetBits = 40;

quint16 lengthWord(const char* at)
{
    quint16 word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

bool fitsOneByte(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

// The bytes a cell takes.
size_t cellBytes(const char* at)
{
    const quint16 word = lengthWord(at);
    const size_t length = word & ~kWide;
    return sizeof word + ((word & kWide) ? 2 * length : length);
}

// The text of the cell at `at`.
QString cellAt(const char* at)
{
    const quint16 word = lengthWord(at);
    const int length = word & ~kWide;
    at += sizeof word;
    if (!(word & kWide))
        return QString::fromLatin1(at, length);
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), at, size_t(length) * 2);
    return text;
}

} // namespace

PreviewRows::PreviewRows() = default;
PreviewRows::~PreviewRows() = default;

void PreviewRows::clear()
{
    m_blocks.clear();
    m_lastBlockSize = 0;
    m_used = 0;
    m_rows.clear();
    m_rows.shrink_to_fit();
}

char* PreviewRows::reserve(size_t bytes)
{
    if (m_blocks.empty() || m_used + bytes > m_lastBlockSize) {
        // A row never straddles two blocks; an outsized one gets a block of its own.
        m_lastBlockSize = std::max(kBlockBytes, bytes);
        m_blocks.push_back(std::make_unique<char[]>(m_lastBlockSize));
        m_used = 0;
    }
    char* at = m_blocks.back().get() + m_used;
    m_used += bytes;
    return at;
}

void PreviewRows::append(const QStringList& row)
{
    // A field holds at most 255 characters and a joined value a few of them:
    // a text beyond the length word's reach cannot come from an archive.
    size_t bytes = sizeof(quint16);   // the count of cells
    for (const QString& text : row) {
        const size_t length = std::min<qsizetype>(text.size(), kMaxCellLength);
        bytes += sizeof(quint16) + (fitsOneByte(text) ? length : 2 * length);
    }
    char* at = reserve(bytes);
    m_rows.push_back((quint64(m_blocks.size() - 1) << kOffsetBits) | quint64(at - m_blocks.back().get()));

    const quint16 cells = quint16(std::min<qsizetype>(row.size(), 0xffff));
    std::memcpy(at, &cells, sizeof cells);
    at += sizeof cells;
    for (int c = 0; c < cells; ++c) {
        const QStringView text = QStringView(row.at(c)).left(kMaxCellLength);
        const bool wide = !fitsOneByte(text);
        const quint16 word = quint16(text.size()) | (wide ? kWide : 0);
        std::memcpy(at, &word, sizeof word);
        at += sizeof word;
        if (wide) {
            std::memcpy(at, text.utf16(), size_t(text.size()) * 2);
            at += text.size() * 2;
        } else {
            for (const QChar ch : text)
                *at++ = char(ch.unicode());
        }
    }
}

const char* PreviewRows::rowStart(qint64 row) const
{
    const quint64 where = m_rows[size_t(row)];
    return m_blocks[size_t(where >> kOffsetBits)].get() + (where & ((quint64(1) << kOffsetBits) - 1));
}

QString PreviewRows::cell(qint64 row, int column) const
{
    if (row < 0 || row >= size() || column < 0)
        return QString();
    const char* at = rowStart(row);
    const quint16 cells = lengthWord(at);
    if (column >= cells)
        return QString();
    at += sizeof cells;
    for (int c = 0; c < column; ++c)
        at += cellBytes(at);
    return cellAt(at);
}

QStringList PreviewRows::row(qint64 row) const
{
    QStringList texts;
    if (row < 0 || row >= size())
        return texts;
    const char* at = rowStart(row);
    const quint16 cells = lengthWord(at);
    texts.reserve(cells);
    at += sizeof cells;
    for (int c = 0; c < cells; ++c) {
        texts << cellAt(at);
        at += cellBytes(at);
    }
    return texts;
}
