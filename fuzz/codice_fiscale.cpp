// The codice fiscale check over any text: only a 16-character code can be
// valid, exactly one last letter makes valid a first part that lies in the
// tables, a character outside them makes the code wrong, and the window's
// verdict, box and closing follow the check.

#include "checkers/CodiceFiscale.h"
#include "storage/TextRules.h"

#include "FuzzSupport.h"

namespace {

const QString kCodeAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcz:@ .-\xe0");

bool inTables(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('Z');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString text = fuzz::takeAnyText(in, kCodeAlphabet, 40);

    const bool valid = CheckCodiceFiscale(text);
    if (valid) {
        FUZZ_REQUIRE(text.size() == 16, text);
        for (int i = 0; i < 15; ++i)
            FUZZ_REQUIRE(inTables(text.at(i)), text);
        FUZZ_REQUIRE(text.at(15) >= QLatin1Char('A') && text.at(15) <= QLatin1Char('Z'), text);
    }

    // Any 15 characters of the tables have exactly one check letter.
    if (text.size() >= 15) {
        const QString first = text.left(15);
        bool allInTables = true;
        for (const QChar c : first)
            allInTables = allInTables && inTables(c);
        int letters = 0;
        for (char16_t last = 0; last < 0x100; ++last)
            letters += CheckCodiceFiscale(first + QChar(last)) ? 1 : 0;
        FUZZ_REQUIRE(letters == (allInTables ? 1 : 0), first);
    }

    // The window upper-cases a to z, stays open on a wrong length and
    // otherwise closes after its verdict.
    const CheckerOutcome outcome = CodFiscChecker::check(text);
    FUZZ_REQUIRE(!outcome.message.text.isEmpty() && outcome.message.box == CheckerMessage::Box::Task, text);
    FUZZ_REQUIRE(outcome.closesWindow == (text.size() == 16), text);
    if (outcome.closesWindow) {
        const bool validUpper = CheckCodiceFiscale(TextRules::upperAZ(text));
        FUZZ_REQUIRE((outcome.message.icon == platform::MessageIcon::Information) == validUpper, text);
        FUZZ_REQUIRE((outcome.message.icon == platform::MessageIcon::Warning) == !validUpper, text);
    }
    FUZZ_REQUIRE(CodFiscChecker::check(TextRules::lowerAZ(text)).message.text == outcome.message.text, text);
    FUZZ_REQUIRE(!CodFiscChecker::enterChecks(text) || CodFiscChecker::canCheck(text), text);
    FUZZ_REQUIRE(CodFiscChecker::enterChecks(text) == (text.size() == 16), text);
    FUZZ_REQUIRE(!IsNumericCodiceFiscale(text) || !valid, text);
    return 0;
}
