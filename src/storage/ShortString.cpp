#include "storage/ShortString.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

QByteArray toWindows1252(const QString& text)
{
    // Opening a converter is costly: one per thread is kept and reused.
    thread_local QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromWindows1252(const char* data, int length)
{
    // Windows-1252 is Latin-1 but for the bytes 0x80 to 0x9F (the euro sign,
    // the typographic quotes...): their characters come from the converter
    // once, and every text is made in one pass without it.
    static const std::array<char16_t, 32> upper = [] {
        std::array<char16_t, 32> table{};
        QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 32; ++b) {
            const char byte = static_cast<char>(0x80 + b);
            const QString c = decoder.decode(QByteArrayView(&byte, 1));
            table[size_t(b)] = c.size() == 1 ? c.at(0).unicode() : u'\ufffd';
        }
        return table;
    }();
    if (length <= 0)
        return QString();
    QString text(length, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (int i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = b - 0x80u < 0x20u ? upper[b - 0x80u] : char16_t(b);
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
