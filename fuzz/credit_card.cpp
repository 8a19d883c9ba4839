// The credit card check over any text: the result is a brand class from 0
// to 4; only the digits among the first 20 characters count; exactly one last
// digit completes a number, which then has a class only for a first digit
// from 3 to 6; the window's verdict and brand follow the check.

#include "checkers/CreditCard.h"
#include "storage/TextRules.h"

#include "FuzzSupport.h"

namespace {
const QString kCardAlphabet = QStringLiteral("01234567890123456789345634563456 -/a\xe0");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString text = fuzz::takeAnyText(in, kCardAlphabet, 48);

    const int brandClass = CheckCreditCard(text);
    FUZZ_REQUIRE(brandClass >= 0 && brandClass <= 4, text);
    const QString digits = fuzz::digitsOf(text.left(20));
    FUZZ_REQUIRE(CheckCreditCard(text.left(20)) == brandClass, text);
    FUZZ_REQUIRE(CheckCreditCard(digits) == brandClass, text, digits);
    if (brandClass != 0)
        FUZZ_REQUIRE(brandClass == digits.at(0).unicode() - '0' - 2, text);

    // The digits before the last one have one check digit: exactly one of
    // the ten completes them, and it has a class when the first digit allows.
    if (!digits.isEmpty() && digits.size() < 20) {
        int completions = 0;
        for (char16_t last = '0'; last <= '9'; ++last) {
            const QString number = digits + QChar(last);
            completions += CheckCreditCard(number) != 0 ? 1 : 0;
        }
        const char16_t first = digits.at(0).unicode();
        FUZZ_REQUIRE(completions == ((first >= '3' && first <= '6') ? 1 : 0), digits);
    }

    const QString trimmed = TextRules::trim(text);
    for (int c = -1; c <= 6; ++c) {
        const QString brand = CreditCardBrand(c, trimmed);
        FUZZ_REQUIRE((c >= 2 && c <= 4) ? !brand.isEmpty() : (c == 1 || brand.isEmpty()), trimmed, brand);
    }

    const CheckerOutcome outcome = CartaChecker::check(text);
    FUZZ_REQUIRE(outcome.closesWindow && !outcome.message.text.isEmpty(), text);
    FUZZ_REQUIRE((outcome.message.box == CheckerMessage::Box::Plain) == (brandClass != 0), text);
    if (brandClass != 0) {
        FUZZ_REQUIRE(outcome.message.text.contains(trimmed), text, outcome.message.text);
        const QString brand = CreditCardBrand(brandClass, trimmed);
        FUZZ_REQUIRE(brand.isEmpty() || outcome.message.text.contains(brand), text, outcome.message.text);
    }
    FUZZ_REQUIRE(CartaChecker::enterChecks(text) == (text.size() >= 13), text);
    FUZZ_REQUIRE(CartaChecker::canCheck(text) == (text.size() >= 13), text);
    return 0;
}
