#include "checkers/CodiceFiscale.h"

#include "storage/TextRules.h"

#include <array>

namespace {

// Both tables run over the characters "0" to "Z" (codes 48 to 90) in code
// order; the seven signs between "9" and "A" lie inside them and count 0.
constexpr ushort kFirst = '0';
constexpr ushort kLast = 'Z';

// Odd positions: the decree's table, digits reading as the letter of the
// same rank (0 as A, 1 as B, ...).
constexpr std::array<int, 26> kOddLetters = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                             20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};

bool inTables(QChar c)
{
    return c.unicode() >= kFirst && c.unicode() <= kLast;
}

int evenValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    return 0;
}

int oddValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return kOddLetters[u - '0'];
    if (u >= 'A' && u <= 'Z')
        return kOddLetters[u - 'A'];
    return 0;
}

QString resultCaption()
{
    return QStringLiteral("Risultato controllo codice fiscale");
}

CheckerMessage verdict(const QString& fieldText)
{
    return CheckerMessage::judged(resultCaption(), CheckCodiceFiscale(TextRules::upperAZ(fieldText)),
                                  QString::fromUtf8("Il codice fiscale digitato è VALIDO."),
                                  QString::fromUtf8("Attenzione: il codice fiscale digitato è ERRATO."));
}

} // namespace

bool CheckCodiceFiscale(const QString& code)
{
    if (code.size() != CodFiscChecker::kLength)
        return false;
    int sum = 0;
    for (int i = 0; i < CodFiscChecker::kLength - 1; ++i) {
        const QChar c = code.at(i);
        if (!inTables(c))
            return false;
        // Position i + 1 counts from 1: index 0 is the first, odd, position.
        sum += (i % 2 == 0) ? oddValue(c) : evenValue(c);
    }
    return code.at(CodFiscChecker::kLength - 1) == QChar('A' + sum % 26);
}

bool IsNumericCodiceFiscale(const QString& code)
{
    const QString t = TextRules::trim(code);
    if (t.isEmpty())
        return false;
    for (const QChar c : t) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return true;
}

const CheckerRules& CodFiscChecker::rules()
{
    static const CheckerRules rules =
        CheckerRules(verdict)
            .enabledFrom(kLength, CheckerRules::Enter::Exactly)
            .taking(CheckerRules::Field::Capitals)
            .requiring(kLength,
                       CheckerMessage::task(resultCaption(),
                                            QStringLiteral("Attenzione: il codice fiscale deve essere composto da "
                                                           "16 caratteri alfanumerici."),
                                            platform::MessageIcon::Information),
                       true)
            .texts(QStringLiteral(" Controllo codice fiscale"),
                   QStringLiteral("Immettere il codice fiscale nella casella sottostante e premere il"),
                   QStringLiteral("pulsante di controllo."));
    return rules;
}
