// The INI reader and writer over any file text: reading never fails on what
// a file holds, a value written reads back as written (trimmed), writing it
// again changes nothing, and no other key changes its value.

#include "storage/IniFile.h"

#include "FuzzSupport.h"

namespace {

// Names as the program's files use them, with the odd characters that a
// hand-edited file may bring; the rest of the input is the file itself.
const QString kNameAlphabet = QStringLiteral("AaBbVvZz09 _.-=;[]\t\xe0\xc8");
const QString kValueAlphabet = QStringLiteral("ab 09,=;[]#\t\xe0\xe8\x20ac");

// A name the writer can put in a file and find again: one line, every
// character in the code page, and for a key nothing that turns its line into
// a comment, a section header or an entry of another key.
bool writableName(const QString& name, bool key)
{
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')) || !ShortString::isWindows1252(name))
        return false;
    const QString t = name.trimmed();
    return !key
           || (!name.contains(QLatin1Char('=')) && !t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('[')));
}

bool writableValue(const QString& value)
{
    return !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'))
           && ShortString::isWindows1252(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString section = fuzz::takeAnyText(in, kNameAlphabet, 24);
    const QString key = fuzz::takeAnyText(in, kNameAlphabet, 24);
    const QString value = fuzz::takeAnyText(in, kValueAlphabet, 64);
    const QString otherSection = fuzz::takeAnyText(in, kNameAlphabet, 24);
    const QString otherKey = fuzz::takeAnyText(in, kNameAlphabet, 24);
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray contents(rest.data(), int(rest.size()));

    const QString before = IniFile::valueIn(contents, section, key);
    FUZZ_REQUIRE(before == before.trimmed(), before);
    const QString otherBefore = IniFile::valueIn(contents, otherSection, otherKey);

    const QByteArray written = IniFile::withValue(contents, section, key, value);
    if (!writableName(section, false) || !writableName(key, true) || !writableValue(value))
        return 0;
    FUZZ_REQUIRE(IniFile::valueIn(written, section, key) == value.trimmed(), section, key, value);
    FUZZ_REQUIRE(IniFile::withValue(written, section, key, value) == written, section, key, value);
    const bool sameEntry = section.trimmed().compare(otherSection.trimmed(), Qt::CaseInsensitive) == 0
                           && key.trimmed().compare(otherKey.trimmed(), Qt::CaseInsensitive) == 0;
    if (!sameEntry) {
        FUZZ_REQUIRE(IniFile::valueIn(written, otherSection, otherKey) == otherBefore, otherSection, otherKey,
                     otherBefore);
    }
    return 0;
}
