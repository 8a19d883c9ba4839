#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

// A short string field of capacity N occupies N+1 bytes: a length byte L
// (0..N) followed by the L Windows-1252 characters; the bytes after them are
// not significant.
namespace ShortString {

// Removes leading and trailing characters with codes 0 to 32.
QString trimControls(const QString& text);

// Stores text into the N+1 bytes at dest: trimmed, cut to 255 then to N.
// The bytes after the text are zeroed.
void store(char* dest, int capacity, const QString& text);

// Loads the field at src: the counted characters, trimmed again. A length
// byte above the capacity (a damaged file) reads as capacity characters.
QString load(const char* src, int capacity);
// The bytes load() decodes, in place: where they start and how many.
std::pair<const char*, int> loadBytes(const char* src, int capacity);

// Windows-1252 conversions, through Qt's converter.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const char* data, int length);

// True when every character of text has a Windows-1252 byte, so that the
// text is stored exactly as shown.
bool isWindows1252(const QString& text);
// text without the characters that have no Windows-1252 byte (a character
// outside the basic plane, an emoji say, counts as one); removedBefore, when
// given, receives how many of them stood before position `at`.
QString keepWindows1252(const QString& text, int at = 0, int* removedBefore = nullptr);

} // namespace ShortString

// Where a field lies in its record.
struct FieldPos
{
    int offset;
    int capacity;
    constexpr int end() const { return offset + capacity + 1; }
};

// Loads one field of a raw record, for scans that read only a few fields.
inline QString loadField(const char* record, FieldPos pos)
{
    return ShortString::load(record + pos.offset, pos.capacity);
}
