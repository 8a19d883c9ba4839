#include "checkers/CreditCard.h"

#include "storage/TextRules.h"

#include <QStringList>

#include <vector>

namespace {

// Only the first 20 characters are read: a longer number is judged on the
// digits among them, the last of which is then taken as the check digit.
constexpr int kCharactersRead = 20;

std::vector<int> digitsOf(const QString& text)
{
    std::vector<int> digits;
    for (const QChar c : text.left(kCharactersRead)) {
        if (c.unicode() >= '0' && c.unicode() <= '9')
            digits.push_back(c.unicode() - '0');
    }
    return digits;
}

int luhnCheckDigit(const std::vector<int>& digits)
{
    // Doubling starts with the digit just before the check digit.
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin() + 1; it != digits.rend(); ++it, doubled = !doubled) {
        int v = *it;
        if (doubled) {
            v *= 2;
            if (v >= 10)
                v -= 9;
        }
        sum += v;
    }
    return (10 - sum % 10) % 10;
}

QString wrongCaption()
{
    return QStringLiteral("Risultato controllo numero di carta di credito");
}

} // namespace

int CheckCreditCard(const QString& text)
{
    const std::vector<int> digits = digitsOf(text);
    if (digits.empty() || digits.back() != luhnCheckDigit(digits))
        return 0;
    const int brandClass = digits.front() - 2;
    return (brandClass >= 1 && brandClass <= 4) ? brandClass : 0;
}

QString CreditCardBrand(int brandClass, const QString& trimmedText)
{
    switch (brandClass) {
    case 1: {
        const QString firstTwo = trimmedText.left(2);
        if (QStringList{"30", "36", "38"}.contains(firstTwo))
            return QStringLiteral("Diner's Club / Carte Blanche");
        if (QStringList{"34", "37"}.contains(firstTwo))
            return QStringLiteral("American Express");
        if (QStringList{"31", "33", "35"}.contains(firstTwo))
            return QStringLiteral("JCB");
        return QString();
    }
    case 2:
        return QStringLiteral("Visa");
    case 3:
        return QStringLiteral("MasterCard");
    case 4:
        return QStringLiteral("Discover");
    default:
        return QString();
    }
}

namespace {

CheckerMessage verdict(const QString& fieldText)
{
    const int brandClass = CheckCreditCard(fieldText);
    if (brandClass == 0)
        return CheckerMessage::wrong(wrongCaption(), QStringLiteral("Attenzione: il numero digitato risulta ERRATO!"),
                                     QString::fromUtf8("Non è quindi possibile fornire informazioni relative al "
                                                       "tipo di carta di credito."));
    const QString shown = TextRules::trim(fieldText);
    const QString valid = QStringLiteral("Il numero di carta di credito ") + shown
                          + QStringLiteral(" risulta valido.") + checkerParagraphBreak();
    const QString brand = CreditCardBrand(brandClass, shown);
    // A valid number with leading digits of no known brand (32, 39) is still
    // valid: say so rather than closing without a word.
    if (brand.isEmpty())
        return CheckerMessage::plain(valid
                                     + QString::fromUtf8("Non è però possibile riconoscere il tipo di carta di credito."));
    return CheckerMessage::plain(valid + QString::fromUtf8("La carta di credito è del tipo ") + brand + QLatin1Char('.'));
}

} // namespace

const CheckerRules& CartaChecker::rules()
{
    static const CheckerRules rules =
        CheckerRules(verdict)
            .enabledFrom(kMinimumLength, CheckerRules::Enter::FromEnabling)
            .taking(CheckerRules::Field::Digits)
            .texts(QStringLiteral(" Controllo carta di credito"),
                   QStringLiteral("Inserire il numero di carta di credito senza spazi o trattini nella"),
                   QStringLiteral("casella sottostante e premere il pulsante di controllo."));
    return rules;
}
