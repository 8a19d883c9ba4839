// The partita IVA check over any text: only eleven digits can be valid,
// exactly one last digit completes ten digits, every office code has a name
// or none without failing, and the window's verdict, box and closing follow
// the check.

#include "checkers/PartitaIva.h"

#include "FuzzSupport.h"

namespace {

const QString kNumberAlphabet = QStringLiteral("0123456789012345678901234567890123456789 aA-\xe0\xff10");

bool allDigits(const QString& text)
{
    return fuzz::digitsOf(text) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString text = fuzz::takeAnyText(in, kNumberAlphabet, 24);

    const bool valid = CheckPartitaIva(text);
    FUZZ_REQUIRE(!valid || (text.size() == 11 && allDigits(text)), text);

    if (text.size() >= 10) {
        const QString first = text.left(10);
        int completions = 0;
        for (char16_t last = 0; last < 0x100; ++last)
            completions += CheckPartitaIva(first + QChar(last)) ? 1 : 0;
        FUZZ_REQUIRE(completions == (allDigits(first) ? 1 : 0), first);
    }

    const QString office = IvaOfficeName(text.mid(7, 3));
    if (!office.isEmpty())
        FUZZ_REQUIRE(text.size() >= 10 && allDigits(text.mid(7, 3)), text, office);

    const IvaChecker::Purpose purpose =
        in.ConsumeBool() ? IvaChecker::Purpose::PartitaIva : IvaChecker::Purpose::NumericCodiceFiscale;
    FUZZ_REQUIRE(!IvaChecker::caption(purpose).isEmpty() && !IvaChecker::instructionLine1(purpose).isEmpty());
    const CheckerOutcome outcome = IvaChecker::check(text);
    FUZZ_REQUIRE(!outcome.message.text.isEmpty(), text);
    FUZZ_REQUIRE(outcome.closesWindow == (text.size() == 11), text);
    if (outcome.closesWindow) {
        // A valid number goes to the plain box with its office, a wrong one to the warning box.
        FUZZ_REQUIRE((outcome.message.box == CheckerMessage::Box::Plain) == valid, text);
        FUZZ_REQUIRE((outcome.message.icon == platform::MessageIcon::Warning) == !valid, text);
        if (valid)
            FUZZ_REQUIRE(outcome.message.text.endsWith(office + QLatin1Char('.')), text, outcome.message.text);
    }
    FUZZ_REQUIRE(IvaChecker::enterChecks(text) == (text.size() == 11), text);
    FUZZ_REQUIRE(IvaChecker::canCheck(text) == (text.size() >= 11), text);

    for (const QChar typed : text) {
        const DigitKey key = judgeDigitKey(typed, valid);
        const bool digit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
        FUZZ_REQUIRE((key == DigitKey::Accept) == (digit || typed == QLatin1Char('\b')), QString(typed));
    }
    return 0;
}
