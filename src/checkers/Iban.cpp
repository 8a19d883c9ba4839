#include "checkers/Iban.h"

#include "storage/TextRules.h"

namespace {

// Nine digits always fit an int: a two-digit remainder plus seven new digits.
constexpr int kPieceLength = 9;

// Steps before the arithmetic: blanks out, upper case, the word "IBAN" out,
// the country and check digits moved to the end, letters turned into numbers.
QString digitText(const QString& text)
{
    QString s = TextRules::upperAZ(QString(text).remove(QLatin1Char(' ')));
    const int word = s.indexOf(QLatin1String("IBAN"));
    if (word >= 0)
        s.remove(word, 4);
    s = s.mid(4) + s.left(4);
    QString digits;
    digits.reserve(s.size() * 2);
    for (const QChar c : s) {
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            digits += QString::number(c.unicode() - 'A' + 10);
        else
            digits += c;
    }
    return digits;
}

bool allDigits(const QString& piece)
{
    for (const QChar c : piece) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return !piece.isEmpty();
}

} // namespace

int IbanRemainder(const QString& text)
{
    const QString digits = digitText(text);
    QString remainder;
    int next = 0;
    while (next < digits.size()) {
        const QString piece = remainder + digits.mid(next, kPieceLength - remainder.size());
        next += kPieceLength - remainder.size();
        // A character that is no digit makes the whole code unreadable: going
        // on from a remainder of 0 could land on 1 by chance and pass a code
        // that holds a hyphen or a slash.
        if (!allDigits(piece))
            return 0;
        remainder = QString::number(piece.toInt() % 97);
    }
    return remainder.isEmpty() ? 0 : remainder.toInt();
}

bool CheckIban(const QString& text)
{
    return IbanRemainder(text) == 1;
}

namespace {

// Blanks are part of the field's text but not of the code.
CheckerMessage verdict(const QString& fieldText)
{
    return CheckerMessage::judged(QStringLiteral("Risultato controllo codice IBAN"),
                                  CheckIban(TextRules::trim(fieldText)),
                                  QString::fromUtf8("Il codice IBAN digitato è ESATTO."),
                                  QString::fromUtf8("Attenzione: il codice IBAN digitato è ERRATO!"));
}

} // namespace

const CheckerRules& IbanChecker::rules()
{
    static const CheckerRules rules =
        CheckerRules(verdict)
            .enabledFrom(kMinimumLength, CheckerRules::Enter::FromEnabling)
            .typingUpTo(kMaximumLength)
            .taking(CheckerRules::Field::Capitals)
            .texts(QStringLiteral(" Controllo coordinate bancarie IBAN"),
                   QStringLiteral("Immettere il codice IBAN nella casella sottostante e premere il pulsante di"),
                   QStringLiteral("controllo."));
    return rules;
}
