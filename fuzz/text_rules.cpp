// The text rules and the short string field over any text, lone surrogates
// included: trimming, the a-to-z case folding, list columns, the code-page
// guard, and a field stored and loaded again.

#include "storage/ShortString.h"
#include "storage/TextRules.h"

#include "FuzzSupport.h"

#include <memory>

namespace {

const QString kTextAlphabet = QStringLiteral(" \t\r\n\x01\x1f\x7f" "aZz09\xe0\xc8\xff\x20ac\xfffd\xd83d\xde00");

bool trimmedAtBothEnds(const QString& text)
{
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

bool isSubsequence(const QString& part, const QString& whole)
{
    int at = 0;
    for (const QChar c : part) {
        while (at < whole.size() && whole.at(at) != c)
            ++at;
        if (at == whole.size())
            return false;
        ++at;
    }
    return true;
}

void checkTrimAndCase(const QString& text)
{
    const QString trimmed = TextRules::trim(text);
    FUZZ_REQUIRE(trimmed == ShortString::trimControls(text), text);
    FUZZ_REQUIRE(trimmedAtBothEnds(trimmed), text, trimmed);
    FUZZ_REQUIRE(text.contains(trimmed), text, trimmed);
    FUZZ_REQUIRE(TextRules::trim(trimmed) == trimmed, text);

    const QString upper = TextRules::upperAZ(text);
    const QString lower = TextRules::lowerAZ(text);
    FUZZ_REQUIRE(upper.size() == text.size() && lower.size() == text.size(), text);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool small = c >= QLatin1Char('a') && c <= QLatin1Char('z');
        const bool capital = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        FUZZ_REQUIRE(upper.at(i) == (small ? QChar(c.unicode() - 32) : c), text, upper);
        FUZZ_REQUIRE(lower.at(i) == (capital ? QChar(c.unicode() + 32) : c), text, lower);
    }
    FUZZ_REQUIRE(TextRules::upperAZ(lower) == upper, text);
}

void checkFit(const QString& text, int width)
{
    const QString fitted = TextRules::fit(text, width);
    const QString trimmed = TextRules::trim(text);
    FUZZ_REQUIRE(fitted.size() == width, text, fitted);
    FUZZ_REQUIRE(fitted == (trimmed + QString(qMax(0, width - int(trimmed.size())), QLatin1Char(' '))).left(width),
                 text, fitted);
}

void checkCodePage(const QString& text, int at)
{
    const bool representable = ShortString::isWindows1252(text);
    int removed = -1;
    const QString kept = ShortString::keepWindows1252(text, at, &removed);
    FUZZ_REQUIRE(ShortString::isWindows1252(kept), text, kept);
    FUZZ_REQUIRE(isSubsequence(kept, text), text, kept);
    FUZZ_REQUIRE(removed >= 0 && removed <= qMax(0, at) + 1, text, kept);
    FUZZ_REQUIRE(removed <= text.size() - kept.size(), text, kept);
    if (representable)
        FUZZ_REQUIRE(kept == text && removed == 0, text, kept);
    else
        FUZZ_REQUIRE(kept.size() < text.size(), text, kept);
}

// A field of the given capacity stored and loaded back, in a buffer of
// exactly its size so that a write or read past it is a finding.
void checkField(const QString& text, int capacity)
{
    const auto field = std::make_unique<char[]>(size_t(capacity) + 1);
    ShortString::store(field.get(), capacity, text);
    const int length = static_cast<unsigned char>(field[0]);
    FUZZ_REQUIRE(length <= capacity, text);
    for (int i = 1 + length; i <= capacity; ++i)
        FUZZ_REQUIRE(field[size_t(i)] == '\0', text);
    const QString loaded = ShortString::load(field.get(), capacity);
    FUZZ_REQUIRE(loaded.size() <= capacity && ShortString::isWindows1252(loaded), text, loaded);
    FUZZ_REQUIRE(trimmedAtBothEnds(loaded), text, loaded);
    if (ShortString::isWindows1252(text)) {
        const QString wanted = ShortString::trimControls(ShortString::trimControls(text).left(qMin(255, capacity)));
        FUZZ_REQUIRE(loaded == wanted, text, loaded, wanted);
    }

    // Whatever the bytes of a field, loading stays within it.
    const QByteArray raw = ShortString::toWindows1252(text);
    const auto damaged = std::make_unique<char[]>(size_t(capacity) + 1);
    for (int i = 0; i <= capacity; ++i)
        damaged[size_t(i)] = i < raw.size() ? raw[i] : char(0xff - i);
    const QString fromDamaged = ShortString::load(damaged.get(), capacity);
    FUZZ_REQUIRE(fromDamaged.size() <= capacity && trimmedAtBothEnds(fromDamaged), text, fromDamaged);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange<int>(0, 300);
    const int capacity = in.ConsumeIntegralInRange<int>(1, 255);
    const int at = in.ConsumeIntegralInRange<int>(-2, 600);
    const QString text = fuzz::takeAnyText(in, kTextAlphabet, 600);

    checkTrimAndCase(text);
    checkFit(text, width);
    checkCodePage(text, at);
    checkField(text, capacity);

    // Bytes of the code page come back unchanged through a text.
    const QByteArray bytes = ShortString::toWindows1252(text);
    const QString decoded = ShortString::fromWindows1252(bytes.constData(), int(bytes.size()));
    FUZZ_REQUIRE(ShortString::toWindows1252(decoded) == bytes, text, decoded);
    return 0;
}
