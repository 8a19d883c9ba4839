#include "storage/TextRules.h"

#include "storage/ShortString.h"

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

} // namespace TextRules
