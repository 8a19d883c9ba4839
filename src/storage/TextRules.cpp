#include "storage/TextRules.h"

#include "storage/ShortString.h"

#include <algorithm>

namespace TextRules {

QString trim(const QString& text)
{
    return ShortString::trimControls(text);
}

QString upperAZ(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return out;
}

bool isDigitFieldCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || u == '\b' || u == '\r';
}

QString lowerAZ(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return out;
}

QString fit(const QString& text, int n)
{
    QString out = trim(text);
    if (out.size() < n)
        out += QString(n - out.size(), QLatin1Char(' '));
    return out.left(n);
}

QString paragraphs(const QStringList& list)
{
    return list.join(QStringLiteral("\r\n\r\n"));
}

namespace {

// One character as the case-insensitive comparison folds it: its simple
// case folding, the letters A to Z without a table look-up; the low half of
// a surrogate pair stands for the folded character of the whole pair.
inline char32_t folded(char16_t unit, char16_t previous)
{
    char32_t c = unit;
    if (QChar::isLowSurrogate(c) && QChar::isHighSurrogate(previous))
        c = QChar::surrogateToUcs4(previous, unit);
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
    return QChar::toCaseFolded(c);
}

} // namespace

int compareIgnoringCase(const QString& a, const QString& b)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(a.constData());
    const char16_t* q = reinterpret_cast<const char16_t*>(b.constData());
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        // Equal units fold alike: what came before them folded alike too,
        // and a unit that folds like another but differs is never half of
        // a surrogate pair.
        if (p[i] == q[i])
            continue;
        const int diff = int(folded(p[i], i ? p[i - 1] : 0)) - int(folded(q[i], i ? q[i - 1] : 0));
        if (diff != 0)
            return diff;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

void sortIgnoringCase(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const QString& a, const QString& b) { return compareIgnoringCase(a, b) < 0; });
}

bool isYear(const QString& text)
{
    if (text.size() != 4)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace TextRules
