#include "storage/ShortString.h"


#include <array>
#include <cstring>

namespace ShortString {

namespace {
inline bool isTrimmed(uint code) { return code <= 32; }
}

QString trimControls(const QString& text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isTrimmed(text.at(begin).unicode()))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1).unicode()))
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

namespace {

// Windows-1252 is Latin-1 but for the bytes 0x80 to 0x9F (the euro sign, the
// typographic quotes...); the five bytes the code page leaves undefined stand
// for the control characters of the same number. The table is the program's
// own, so the bytes written are the same on every system, with or without a
// converter library.
constexpr std::array<char16_t, 32> kUpper = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A character the code page lacks is written as SUB (0x1A), one byte for
// each character, as the system's converters do.
constexpr char kMissing = 0x1A;

char byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kUpper.size(); ++i) {
        if (kUpper[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return kMissing;
}

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        // A pair of surrogates is one character, missing from the code page.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes[n++] = byteFor(c);
    }
    bytes.truncate(n);
    return bytes;
}

QString fromWindows1252(const char* data, int length)
{
    if (length <= 0)
        return QString();
    QString text(length, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (int i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = b - 0x80u < 0x20u ? kUpper[b - 0x80u] : char16_t(b);
    }
    return text;
}

void store(char* dest, int capacity, const QString& text)
{
    QString value = trimControls(text);
    value.truncate(255);
    value.truncate(capacity);
    QByteArray bytes = toWindows1252(value);
    // A character outside the code page may not map to exactly one byte.
    if (bytes.size() > capacity)
        bytes.truncate(capacity);
    std::memset(dest, 0, static_cast<size_t>(capacity) + 1);
    dest[0] = static_cast<char>(bytes.size());
    std::memcpy(dest + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::pair<const char*, int> loadBytes(const char* src, int capacity)
{
    int length = static_cast<unsigned char>(src[0]);
    if (length > capacity)
        length = capacity;
    const char* begin = src + 1;
    const char* end = begin + length;
    // Trim at byte level: codes 0..32 are the same characters in Windows-1252.
    while (begin < end && static_cast<unsigned char>(*begin) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(end[-1]) <= 32)
        --end;
    return {begin, static_cast<int>(end - begin)};
}

QString load(const char* src, int capacity)
{
    const auto [bytes, length] = loadBytes(src, capacity);
    return fromWindows1252(bytes, length);
}

bool isWindows1252(const QString& text)
{
    const QByteArray bytes = toWindows1252(text);
    return fromWindows1252(bytes.constData(), int(bytes.size())) == text;
}

QString keepWindows1252(const QString& text, int at, int* removedBefore)
{
    QString kept;
    kept.reserve(text.size());
    int removed = 0;
    for (int i = 0; i < text.size();) {
        // One character: a surrogate pair stands for one.
        const int length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, length);
        if (isWindows1252(character))
            kept += character;
        else if (i < at)
            removed += length;
        i += length;
    }
    if (removedBefore)
        *removedBefore = removed;
    return kept;
}

} // namespace ShortString
