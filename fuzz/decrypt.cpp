// The scrambling of the password store: Decrypt accepts exactly the texts
// whose complete pairs are hexadecimal digits, gives one character per pair,
// and scrambling what it gave yields those digits again (upper case); any
// text of the code page comes back from Decrypt(Encrypt(text)) unchanged.

#include "launcher/Crypt.h"

#include "FuzzSupport.h"

namespace {

const QString kHexAlphabet = QStringLiteral("0123456789ABCDEFabcdef");

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
           || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString hex = fuzz::takeAnyText(in, kHexAlphabet, 1024);
    const QString plainText = fuzz::takeAnyText(in, kHexAlphabet, 512);

    const int pairs = int(hex.size() / 2);
    bool allHex = true;
    for (int i = 0; i < 2 * pairs; ++i)
        allHex = allHex && isHexDigit(hex.at(i));

    const QString untouched = QStringLiteral("\x01untouched");
    QString plain = untouched;
    const bool decrypted = Decrypt(hex, plain);
    FUZZ_REQUIRE(decrypted == allHex, hex);
    if (decrypted) {
        FUZZ_REQUIRE(plain.size() == pairs, hex, plain);
        FUZZ_REQUIRE(Encrypt(plain) == hex.left(2 * pairs).toUpper(), hex, plain);
    } else {
        FUZZ_REQUIRE(plain == untouched, hex, plain);
    }

    // Only characters of the code page can be stored; the others are left out.
    const QString storable = ShortString::keepWindows1252(plainText);
    const QString scrambled = Encrypt(storable);
    FUZZ_REQUIRE(scrambled.size() == 2 * storable.size(), storable, scrambled);
    for (const QChar c : scrambled)
        FUZZ_REQUIRE(isHexDigit(c) && !(c >= QLatin1Char('a') && c <= QLatin1Char('f')), scrambled);
    QString back;
    FUZZ_REQUIRE(Decrypt(scrambled, back) && back == storable, storable, scrambled, back);
    return 0;
}
