// The IBAN check over any text: the remainder agrees with a plain digit by
// digit reading of the rearranged code, blanks, letter case and a leading
// "IBAN" change nothing, a code given the check digits of the standard is
// right and turns wrong when they are swapped, and the window follows.

#include "checkers/Iban.h"
#include "storage/TextRules.h"

#include "FuzzSupport.h"

namespace {

const QString kIbanAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789012345678901234567890123456789 ibnaz-/\xe0");
const QString kBbanAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789012345678901234567890123456789");
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The MOD 97-10 remainder as the standard states it: blanks out, upper case,
// the word IBAN out, the first four characters to the end, letters as two
// digits, then the number modulo 97, read one digit at a time.
int standardRemainder(const QString& text)
{
    QString code = TextRules::upperAZ(QString(text).remove(QLatin1Char(' ')));
    const int word = int(code.indexOf(QLatin1String("IBAN")));
    if (word >= 0)
        code.remove(word, 4);
    code = code.mid(4) + code.left(4);
    int remainder = 0;
    bool any = false;
    for (const QChar c : code) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') {
            remainder = (remainder * 10 + (u - '0')) % 97;
        } else if (u >= 'A' && u <= 'Z') {
            remainder = (remainder * 100 + (u - 'A' + 10)) % 97;
        } else {
            return 0;
        }
        any = true;
    }
    return any ? remainder : 0;
}

// The code in groups of four, lower case, as a customer may write it.
QString asWritten(const QString& code)
{
    QString out;
    for (int i = 0; i < code.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            out += QLatin1Char(' ');
        out += code.at(i);
    }
    return TextRules::lowerAZ(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString country = fuzz::takeText(in, fuzz::TextKind::Alphabet, kLetters, 2).leftJustified(2, 'I');
    const QString bban = fuzz::takeText(in, fuzz::TextKind::Alphabet, kBbanAlphabet, 30);
    const QString text = fuzz::takeAnyText(in, kIbanAlphabet, 64);

    const int remainder = IbanRemainder(text);
    FUZZ_REQUIRE(remainder >= 0 && remainder < 97, text);
    FUZZ_REQUIRE(remainder == standardRemainder(text), text);
    FUZZ_REQUIRE(CheckIban(text) == (remainder == 1), text);
    FUZZ_REQUIRE(IbanRemainder(asWritten(text)) == remainder, text);
    if (!TextRules::upperAZ(QString(text).remove(QLatin1Char(' '))).contains(QLatin1String("IBAN")))
        FUZZ_REQUIRE(IbanRemainder(QStringLiteral("IBAN ") + text) == remainder, text);

    // A code with the check digits of the standard.
    const int check = 98 - standardRemainder(country + QStringLiteral("00") + bban);
    const QString checkDigits = QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0'));
    const QString iban = country + checkDigits + bban;
    if (!bban.contains(QLatin1String("IBAN")) && !iban.contains(QLatin1String("IBAN"))) {
        FUZZ_REQUIRE(CheckIban(iban), iban);
        FUZZ_REQUIRE(CheckIban(asWritten(iban)), iban);
        FUZZ_REQUIRE(CheckIban(QStringLiteral("IBAN") + iban), iban);
        if (checkDigits.at(0) != checkDigits.at(1)) {
            const QString swapped = country + checkDigits.at(1) + checkDigits.at(0) + bban;
            FUZZ_REQUIRE(!CheckIban(swapped), swapped);
        }
    }

    const CheckerOutcome outcome = IbanChecker::check(text);
    FUZZ_REQUIRE(outcome.closesWindow && outcome.message.box == CheckerMessage::Box::Task, text);
    FUZZ_REQUIRE((outcome.message.icon == platform::MessageIcon::Information) == CheckIban(TextRules::trim(text)),
                 text);
    FUZZ_REQUIRE(IbanChecker::enterChecks(text) == (text.size() >= 27), text);
    return 0;
}
