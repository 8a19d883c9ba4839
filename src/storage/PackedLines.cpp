#include "storage/PackedLines.h"

#include "storage/TextRules.h"

#include "platform/FileSystem.h"

#include <QChar>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <queue>


namespace {

// One line in sixteen is kept whole, so that reading any line unpacks at
// most sixteen.
constexpr qsizetype kWholeEvery = 16;
constexpr std::uint32_t kForeign = 0x80000000u;
// Lines added are sorted and packed once a batch holds this many lines or
// bytes (100,000 client lines make one batch); the batches are merged when
// the list is first read.
constexpr std::size_t kBatchLines = std::size_t(1) << 18;
constexpr std::size_t kBatchBytes = std::size_t(32) << 20;
// The sort entry of a line (PackedLines::packBatch).
constexpr std::size_t kEntrySize = 32;

// A whole line is packed against a line of blanks: the padding of its
// columns then costs next to nothing.
const std::string& blanks()
{
    static const std::string line(1024, ' ');
    return line;
}

// Memory for the large buffers of a list, straight from the system: it goes
// back the moment it is freed. Fresh memory normally comes a small page at a
// time, as it is first touched, and on a virtual machine each of those pages
// can cost as much as reading a few records; so the lines of a list come in
// pages made ready ahead, and the scratch room of a batch in large pages
// where the system offers them (a large page is taken whole: fine for
// scratch, too much for the lines of a short list).
class Area
{
public:
    explicit Area(bool scratch = false) : m_scratch(scratch) {}
    Area(Area&& other) noexcept { swap(other); }
    Area& operator=(Area&& other) noexcept
    {
        Area(std::move(other)).swap(*this);
        return *this;
    }
    ~Area() { release(); }

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() { m_size = 0; }

    void reserve(std::size_t bytes)
    {
        if (bytes <= m_capacity)
            return;
        std::size_t capacity = std::max({bytes, m_capacity + (m_scratch ? m_capacity : m_capacity / 2),
                                         std::size_t(64) << 10});
        capacity = (capacity + 4095) / 4096 * 4096;
        void* p = nullptr;
        if (m_scratch && m_data) {
            // Grown in place or moved, never copied; touched as it fills.
            p = FileSystem::growMemory(m_data, m_capacity, capacity);
        }
        if (!p) {
            p = FileSystem::reserveMemory(capacity, !m_scratch);
            if (!p)
                throw std::bad_alloc();
            if (m_data) {
                std::memcpy(p, m_data, m_size);
                FileSystem::releaseMemory(m_data, m_capacity);
            }
        }
        m_data = static_cast<char*>(p);
        m_capacity = capacity;
    }

    // The room beyond what is written goes back.
    void trim()
    {
        const std::size_t keep = std::max<std::size_t>(4096, (m_size + 4095) / 4096 * 4096);
        if (m_data && keep < m_capacity && FileSystem::shrinkMemory(m_data, m_capacity, keep))
            m_capacity = keep;
    }

    void append(const char* bytes, std::size_t n)
    {
        reserve(m_size + n);
        std::memcpy(m_data + m_size, bytes, n);
        m_size += n;
    }
    // Where up to n more bytes may be written; grow() counts those written.
    char* room(std::size_t n)
    {
        reserve(m_size + n);
        return m_data + m_size;
    }
    void grow(std::size_t n) { m_size += n; }
    // The area as an array of trivially copyable T.
    template <class T>
    T* as()
    {
        return reinterpret_cast<T*>(m_data);
    }
    template <class T>
    void add(const T& item)
    {
        append(reinterpret_cast<const char*>(&item), sizeof(T));
    }

private:
    void swap(Area& other) noexcept
    {
        std::swap(m_scratch, other.m_scratch);
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }
    void release()
    {
        FileSystem::releaseMemory(m_data, m_capacity);
    }

    bool m_scratch;
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Windows-1252 as the archives' texts are read (ShortString): each byte's
// character, and where the case-insensitive order puts it.
struct CodePage
{
    char16_t unicode[256];
    // The rank of each byte's folded character among all folded characters,
    // from 1: comparing ranks byte by byte orders lines as
    // TextRules::compareIgnoringCase orders their texts.
    std::uint8_t rank[256];

    CodePage()
    {
        char32_t folded[256];
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const QString text = ShortString::fromWindows1252(&c, 1);
            unicode[b] = text.size() == 1 ? text.at(0).unicode() : u'\ufffd';
            folded[b] = QChar::toCaseFolded(char32_t(unicode[b]));
        }
        std::vector<char32_t> order(folded, folded + 256);
        std::sort(order.begin(), order.end());
        order.erase(std::unique(order.begin(), order.end()), order.end());
        for (int b = 0; b < 256; ++b)
            rank[b] = std::uint8_t(1 + (std::lower_bound(order.begin(), order.end(), folded[b]) - order.begin()));
    }

    // The byte that stands for c, or -1 when Windows-1252 has none.
    int byteOf(char16_t c) const
    {
        if (c < 0x100 && unicode[c] == c)
            return c;
        for (int b = 0x80; b < 0x100; ++b) {
            if (unicode[b] == c)
                return b;
        }
        return -1;
    }

    QString text(const char* bytes, std::size_t size) const
    {
        QString out(qsizetype(size), Qt::Uninitialized);
        char16_t* to = reinterpret_cast<char16_t*>(out.data());
        for (std::size_t i = 0; i < size; ++i)
            to[i] = unicode[static_cast<unsigned char>(bytes[i])];
        return out;
    }
};

const CodePage& codePage()
{
    static const CodePage page;
    return page;
}

// Lines of bytes compared as their texts are by TextRules::compareIgnoringCase,
// from byte `from` on (the ones before known equal).
int compareBytes(const char* a, std::size_t aSize, const char* b, std::size_t bSize, std::size_t from = 0)
{
    const std::uint8_t* rank = codePage().rank;
    const std::size_t n = std::min(aSize, bSize);
    for (std::size_t i = from; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const int diff = rank[static_cast<unsigned char>(a[i])] - rank[static_cast<unsigned char>(b[i])];
        if (diff != 0)
            return diff;
    }
    return aSize == bSize ? 0 : aSize < bSize ? -1 : 1;
}

std::uint32_t takeNumber(const char*& at)
{
    std::uint32_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        n |= std::uint32_t(byte & 0x7F) << shift;
        if (byte < 0x80)
            return n;
    }
}

// A line of a batch: where its bytes start and how many, or, for a foreign
// line, the index of its text.
struct Added
{
    std::uint32_t start;
    std::uint32_t size;   // kForeign set: start is an index into the foreign texts
};

} // namespace

// Lines packed one after another, a whole line every sixteen.
struct PackedLines::Block
{
    explicit Block(bool scratch = false) : data(scratch) {}

    Area data;
    std::vector<std::uint32_t> keys;   // where lines 0, 16, 32... start
    qsizetype count = 0;
};

// The lines added since the last batch was packed, and the room a batch is
// sorted in.
struct PackedLines::Batch
{
    Area bytes{true};
    Area added{true};     // of Added
    Area entries{true};   // of the sort's entries
    std::size_t count = 0;
};

// Packs lines one after another into a block. A line is written as its
// length and runs of (bytes the same as in the line above, bytes of its
// own); a foreign line as the index of its text.
class PackedLines::Writer
{
public:
    explicit Writer(Block& block) : m_block(block) {}

    // stable: the bytes stay where they are until the next line is added,
    // so they need no copy to be the line above it.
    void add(const char* bytes, std::size_t size, std::int64_t foreign, bool stable = false)
    {
        const bool whole = m_block.count % kWholeEvery == 0;
        if (whole)
            m_block.keys.push_back(std::uint32_t(m_block.data.size()));
        ++m_block.count;
        // Room for the worst a line can come to: two runs every three bytes,
        // each with its count.
        char* const start = m_block.data.room(size * 5 + 32);
        char* out = start;
        if (foreign >= 0) {
            out = putNumber(out, std::uint32_t(foreign) << 1 | 1);
            m_block.data.grow(std::size_t(out - start));
            m_aboveSize = 0;
            return;
        }
        const char* above = whole ? blanks().data() : m_above;
        const std::size_t common = std::min(size, whole ? blanks().size() : m_aboveSize);
        out = putNumber(out, std::uint32_t(size) << 1);
        std::size_t i = 0;
        while (i < size) {
            const std::size_t same = i + sameBytes(bytes + i, above + i, common - std::min(common, i));
            // Bytes of its own, up to where three or more agree again.
            std::size_t own = same;
            while (own < size
                   && !(own + 3 <= common && bytes[own] == above[own] && bytes[own + 1] == above[own + 1]
                        && bytes[own + 2] == above[own + 2]))
                ++own;
            out = putNumber(out, std::uint32_t(same - i));
            out = putNumber(out, std::uint32_t(own - same));
            std::memcpy(out, bytes + same, own - same);
            out += own - same;
            i = own;
        }
        m_block.data.grow(std::size_t(out - start));
        if (stable) {
            m_above = bytes;
        } else {
            m_copy.assign(bytes, size);
            m_above = m_copy.data();
        }
        m_aboveSize = size;
    }

private:
    // How many of the first n bytes of a and b agree, eight at a time.
    static std::size_t sameBytes(const char* a, const char* b, std::size_t n)
    {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x, y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y)
                return i + std::size_t(__builtin_ctzll(x ^ y) / 8);
        }
        while (i < n && a[i] == b[i])
            ++i;
        return i;
    }

    static char* putNumber(char* out, std::uint32_t n)
    {
        while (n >= 0x80) {
            *out++ = static_cast<char>(n | 0x80);
            n >>= 7;
        }
        *out++ = static_cast<char>(n);
        return out;
    }

    Block& m_block;
    const char* m_above = nullptr;
    std::size_t m_aboveSize = 0;
    std::string m_copy;
};

class PackedLines::Reader
{
public:
    Reader(const Block& block, std::size_t index, qsizetype row) : m_block(&block), m_index(index) { seek(row); }

    std::size_t index() const { return m_index; }
    qsizetype row() const { return m_row; }
    bool atEnd() const { return m_row >= m_block->count; }
    const std::string& bytes() const { return m_line; }
    std::int64_t foreign() const { return m_foreign; }

    void seek(qsizetype row)
    {
        const qsizetype whole = row / kWholeEvery * kWholeEvery;
        if (m_row < whole || m_row > row) {
            m_row = whole;
            m_at = m_block->data.data() + m_block->keys[std::size_t(whole / kWholeEvery)];
            unpack();
        }
        while (m_row < row)
            next();
    }

    void next()
    {
        if (++m_row < m_block->count)
            unpack();
    }

private:
    void unpack()
    {
        const std::uint32_t head = takeNumber(m_at);
        if (head & 1) {
            m_foreign = head >> 1;
            m_line.clear();
            return;
        }
        m_foreign = -1;
        const std::string& above = m_row % kWholeEvery == 0 ? blanks() : m_line;
        const std::size_t size = head >> 1;
        m_spare.resize(size);
        for (std::size_t i = 0; i < size;) {
            const std::size_t same = takeNumber(m_at);
            const std::size_t own = takeNumber(m_at);
            std::memcpy(&m_spare[i], above.data() + i, same);
            std::memcpy(&m_spare[i + same], m_at, own);
            m_at += own;
            i += same + own;
        }
        m_line.swap(m_spare);
    }

    const Block* m_block;
    std::size_t m_index;
    qsizetype m_row = -1;
    const char* m_at = nullptr;
    std::string m_line, m_spare;
    std::int64_t m_foreign = -1;
};

LineComposer& LineComposer::field(const char* record, FieldPos pos)
{
    const auto [bytes, length] = ShortString::loadBytes(record + pos.offset, pos.capacity);
    m_bytes.append(bytes, std::size_t(length));
    return *this;
}

LineComposer& LineComposer::fitted(const char* record, FieldPos pos, int width)
{
    const std::size_t start = mark();
    return field(record, pos).fitSince(start, width);
}

LineComposer& LineComposer::text(QStringView text)
{
    // A list line carries six or so captions: each is encoded into a buffer
    // of its own and appended in one go, the ASCII characters as themselves
    // (Windows-1252 keeps them where they are).
    char buffer[128];
    std::size_t n = 0;
    for (const QChar c : text) {
        if (n == sizeof buffer) {
            m_bytes.append(buffer, n);
            n = 0;
        }
        const char16_t u = c.unicode();
        const int b = u < 0x80 ? int(u) : codePage().byteOf(u);
        buffer[n++] = b < 0 ? '?' : static_cast<char>(b);
    }
    m_bytes.append(buffer, n);
    return *this;
}

LineComposer& LineComposer::fitSince(std::size_t mark, int width)
{
    std::size_t begin = mark;
    std::size_t end = m_bytes.size();
    while (begin < end && static_cast<unsigned char>(m_bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(m_bytes[end - 1]) <= 32)
        --end;
    // The kept bytes moved to the column's start, then cut or padded.
    const std::size_t kept = std::min(end - begin, std::size_t(width));
    if (begin > mark)
        std::memmove(&m_bytes[mark], &m_bytes[begin], kept);
    m_bytes.resize(mark + kept);
    m_bytes.append(std::size_t(width) - kept, ' ');
    return *this;
}

QString LineComposer::toString() const
{
    return codePage().text(m_bytes.data(), m_bytes.size());
}

QString LineComposer::textOf(Composition compose, const char* record)
{
    LineComposer line;
    compose(record, line);
    return line.toString();
}

bool LineComposer::encode(QStringView text, std::string& bytes)
{
    const CodePage& page = codePage();
    bytes.clear();
    bytes.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        const int b = page.byteOf(c.unicode());
        if (b < 0)
            return false;
        bytes.push_back(static_cast<char>(b));
    }
    return true;
}


PackedLines::PackedLines(Order order) : m_order(order) {}
PackedLines::PackedLines(PackedLines&& other) noexcept = default;
PackedLines& PackedLines::operator=(PackedLines&& other) noexcept = default;
PackedLines::~PackedLines() = default;

void PackedLines::append(const QString& line)
{
    std::string bytes;
    if (LineComposer::encode(line, bytes))
        addBytes(bytes.data(), bytes.size());
    else
        addForeign(line);
}

void PackedLines::append(const LineComposer& line)
{
    addBytes(line.bytes().data(), line.bytes().size());
}

void PackedLines::append(const char* windows1252, std::size_t size)
{
    addBytes(windows1252, size);
}

PackedLines::Batch& PackedLines::batch()
{
    if (!m_batch) {
        // The room of a whole batch at once, in large pages: only what is
        // written is ever touched.
        m_batch = std::make_unique<Batch>();
        m_batch->bytes.reserve(kBatchBytes + 4096);
        m_batch->added.reserve(kBatchLines * sizeof(Added));
        m_batch->entries.reserve(kBatchLines * kEntrySize);
    }
    return *m_batch;
}

void PackedLines::addBytes(const char* bytes, std::size_t size)
{
    Batch& b = batch();
    b.added.add(Added{std::uint32_t(b.bytes.size()), std::uint32_t(size)});
    b.bytes.append(bytes, size);
    ++b.count;
    ++m_count;
    if (b.count >= kBatchLines || b.bytes.size() >= kBatchBytes)
        packBatch(false);
}

void PackedLines::addForeign(const QString& line)
{
    Batch& b = batch();
    b.added.add(Added{std::uint32_t(m_foreign.size()), kForeign});
    m_foreign.push_back(line);
    ++b.count;
    ++m_count;
}

QString PackedLines::text(const std::string& bytes, std::int64_t foreign) const
{
    if (foreign >= 0)
        return m_foreign[std::size_t(foreign)];
    return codePage().text(bytes.data(), bytes.size());
}

// The lines added since the last batch become a block of their own, sorted
// when the list is.
void PackedLines::packBatch(bool last) const
{
    if (!m_batch || m_batch->count == 0)
        return;
    Batch& b = *m_batch;
    const Added* added = b.added.as<Added>();
    const char* bytes = b.bytes.data();
    // The first sixteen bytes of each line by rank, as two numbers: most
    // lines are told apart by them without a look at their bytes.
    struct Entry
    {
        std::uint64_t head[2];
        std::uint32_t index;
        std::uint32_t start;  // as in Added
        std::uint32_t size;
    };
    static_assert(sizeof(Entry) == kEntrySize, "the room of a batch's entries");
    b.entries.clear();
    b.entries.reserve(b.count * sizeof(Entry));
    const std::uint8_t* rank = codePage().rank;
    const bool sorted = m_order == Order::IgnoringCase;
    // What every line of the batch begins with tells no line from another:
    // the heads start after it.
    std::size_t skip = 0;
    const Added* first = nullptr;
    for (std::uint32_t i = 0; sorted && i < b.count; ++i) {
        const Added& a = added[i];
        if (a.size & kForeign)
            continue;
        if (!first) {
            first = &a;
            skip = a.size;
        }
        std::size_t same = 0;
        while (same < std::min<std::size_t>(skip, a.size)
               && rank[static_cast<unsigned char>(bytes[a.start + same])]
                      == rank[static_cast<unsigned char>(bytes[first->start + same])])
            ++same;
        skip = same;
    }
    for (std::uint32_t i = 0; i < b.count; ++i) {
        const Added& a = added[i];
        Entry e{{0, 0}, i, a.start, a.size};
        const std::size_t end = !sorted || a.size & kForeign ? skip : std::min<std::size_t>(a.size, skip + 16);
        for (std::size_t k = skip; k < end; ++k)
            e.head[(k - skip) / 8] |= std::uint64_t(rank[static_cast<unsigned char>(bytes[a.start + k])])
                                      << (56 - 8 * ((k - skip) % 8));
        b.entries.add(e);
    }
    Entry* entries = b.entries.as<Entry>();
    if (sorted) {
        auto textOf = [&](const Entry& e) {
            return e.size & kForeign ? m_foreign[e.start] : codePage().text(bytes + e.start, e.size);
        };
        auto compare = [&](const Entry& x, const Entry& y) {
            if ((x.size | y.size) & kForeign)
                return TextRules::compareIgnoringCase(textOf(x), textOf(y));
            if (x.head[0] != y.head[0])
                return x.head[0] < y.head[0] ? -1 : 1;
            if (x.head[1] != y.head[1])
                return x.head[1] < y.head[1] ? -1 : 1;
            if (x.size <= skip + 16 && y.size <= skip + 16)
                return int(x.size) - int(y.size);
            return compareBytes(bytes + x.start, x.size, bytes + y.start, y.size, skip + 16);
        };
        std::sort(entries, entries + b.count, [&](const Entry& x, const Entry& y) {
            const int c = compare(x, y);
            // Equal but for case: in the order added.
            return c != 0 ? c < 0 : x.index < y.index;
        });
    }
    // A sorted batch followed by others is merged with them and goes.
    m_blocks.emplace_back(m_order == Order::IgnoringCase && !(last && m_blocks.empty()));
    Block& block = m_blocks.back();
    // Lines pack to a third or less; room for that is made ready at once.
    block.data.reserve(b.bytes.size() / 3 + 1024);
    Writer writer(block);
    for (std::size_t i = 0; i < b.count; ++i) {
        if (i + 8 < b.count)
            __builtin_prefetch(bytes + entries[i + 8].start);
        const Entry& e = entries[i];
        if (e.size & kForeign)
            writer.add(nullptr, 0, e.start);
        else
            writer.add(bytes + e.start, e.size, -1, true);
    }
    block.data.trim();
    b.bytes.clear();
    b.added.clear();
    b.count = 0;
    m_firstRows.clear();
    m_reader.reset();
}

// Everything added readable: the last batch packed and, in a sorted list,
// the batches merged into one block.
void PackedLines::settle() const
{
    if (m_batch) {
        packBatch(true);
        // The batch's room goes back now: the list may stay long as it is.
        m_batch.reset();
    }
    if (m_order == Order::IgnoringCase && m_blocks.size() > 1) {
        std::vector<Reader> readers;
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            readers.emplace_back(m_blocks[i], i, 0);
            bytes += m_blocks[i].data.size();
        }
        auto later = [&](std::size_t x, std::size_t y) {
            const Reader& a = readers[x];
            const Reader& b = readers[y];
            const int c = a.foreign() < 0 && b.foreign() < 0
                              ? compareBytes(a.bytes().data(), a.bytes().size(), b.bytes().data(), b.bytes().size())
                              : TextRules::compareIgnoringCase(text(a.bytes(), a.foreign()), text(b.bytes(), b.foreign()));
            // Equal lines: the earlier batch first.
            return c != 0 ? c > 0 : x > y;
        };
        std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> next(later);
        for (std::size_t i = 0; i < readers.size(); ++i)
            next.push(i);
        Block merged;
        merged.data.reserve(bytes + bytes / 8 + 1024);
        Writer writer(merged);
        while (!next.empty()) {
            const std::size_t i = next.top();
            next.pop();
            writer.add(readers[i].bytes().data(), readers[i].bytes().size(), readers[i].foreign());
            readers[i].next();
            if (!readers[i].atEnd())
                next.push(i);
        }
        readers.clear();
        merged.data.trim();
        m_blocks.clear();
        m_blocks.push_back(std::move(merged));
        m_firstRows.clear();
        m_reader.reset();
    }
    if (m_firstRows.size() != m_blocks.size()) {
        m_firstRows.clear();
        qsizetype first = 0;
        for (const Block& block : m_blocks) {
            m_firstRows.push_back(first);
            first += block.count;
        }
    }
}

QString PackedLines::line(qsizetype row) const
{
    if (row < 0 || row >= m_count)
        return QString();
    settle();
    const std::size_t index = std::size_t(std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row)
                                          - m_firstRows.begin() - 1);
    const qsizetype inBlock = row - m_firstRows[index];
    if (m_reader && m_reader->index() == index)
        m_reader->seek(inBlock);
    else
        m_reader = std::make_unique<Reader>(m_blocks[index], index, inBlock);
    return text(m_reader->bytes(), m_reader->foreign());
}

QStringList PackedLines::lines() const
{
    QStringList out;
    out.reserve(m_count);
    for (qsizetype row = 0; row < m_count; ++row)
        out.append(line(row));
    return out;
}

void PackedLines::removeRows(std::vector<qsizetype> rows)
{
    settle();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    Block kept;
    std::size_t bytes = 0;
    for (const Block& block : m_blocks)
        bytes += block.data.size();
    kept.data.reserve(bytes + 1024);
    Writer writer(kept);
    auto gone = rows.begin();
    qsizetype row = 0;
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
        for (Reader reader(m_blocks[i], i, 0); !reader.atEnd(); reader.next(), ++row) {
            while (gone != rows.end() && *gone < row)
                ++gone;
            if (gone == rows.end() || *gone != row)
                writer.add(reader.bytes().data(), reader.bytes().size(), reader.foreign());
        }
    }
    kept.data.trim();
    m_count = kept.count;
    m_blocks.clear();
    if (kept.count > 0)
        m_blocks.push_back(std::move(kept));
    m_firstRows.clear();
    m_reader.reset();
}

void PackedLines::clear()
{
    *this = PackedLines(m_order);
}

std::size_t PackedLines::bytesHeld() const
{
    settle();
    // What is written: room reserved and never written takes no memory.
    std::size_t bytes = m_firstRows.capacity() * sizeof(qsizetype);
    for (const Block& block : m_blocks)
        bytes += sizeof(Block) + block.data.size() + block.keys.capacity() * sizeof(std::uint32_t);
    for (const QString& text : m_foreign)
        bytes += sizeof(QString) + std::size_t(text.size()) * sizeof(QChar);
    return bytes;
}
