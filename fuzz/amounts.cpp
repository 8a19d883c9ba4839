// Amount texts. ParseAmount accepts exactly the texts of its grammar and
// reads them as the C library reads the same number; what the normalisers and
// FormatGeneral write reads back as the value it stands for, and normalising
// it again changes nothing; rounding stays within half a unit of its last
// decimal; the key filter refuses what it must.

#include "storage/Amounts.h"

#include "FuzzSupport.h"

#include <QRegularExpression>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const QString kAmountAlphabet = QStringLiteral("0123456789,,+-eE 00099.");

// The grammar of an amount text: blanks around, a sign, digits with at most
// one comma (at least a digit or the comma), an exponent.
bool inGrammar(const QString& text)
{
    static const QRegularExpression grammar(
        QStringLiteral("\\A *[+-]?(?=[0-9,])[0-9]*(,[0-9]*)?([eE][+-]?[0-9]+)? *\\z"));
    return grammar.match(text).hasMatch();
}

// The same number read by the C library, in extended precision.
long double reference(const QString& text)
{
    QByteArray c = text.trimmed().toLatin1();
    c.replace(',', '.');
    // A mantissa without digits (",", "-,e5") is zero.
    const int exponent = int(c.toLower().indexOf('e'));
    const QByteArray mantissa = exponent >= 0 ? c.left(exponent) : c;
    if (std::none_of(mantissa.begin(), mantissa.end(), [](char d) { return d >= '0' && d <= '9'; }))
        return 0.0L;
    return std::strtold(c.constData(), nullptr);
}

// Two readings of one number agree to within a few units of the 15th digit.
bool close(long double a, long double b, long double relative = 1e-14L)
{
    return std::fabs(a - b) <= std::fabs(b) * relative + 1e-300L;
}

double doubleFrom(FuzzedDataProvider& in)
{
    const auto bits = in.ConsumeIntegral<uint64_t>();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// The mantissa of a written amount has a comma and at least two decimals.
bool hasTwoDecimals(const QString& text)
{
    const int e = int(text.indexOf(QLatin1Char('E')));
    const QString mantissa = e >= 0 ? text.left(e) : text;
    const int comma = int(mantissa.indexOf(QLatin1Char(',')));
    return comma >= 0 && mantissa.size() - comma - 1 >= 2;
}

void checkWritten(double value)
{
    const QString general = FormatGeneral(value);
    FUZZ_REQUIRE(!general.contains(QLatin1Char('.')), general);
    double back = 0;
    FUZZ_REQUIRE(ParseAmount(general, back), general);
    FUZZ_REQUIRE(close(back, value), general);
    if (std::fabs(value) > 1e-300)
        FUZZ_REQUIRE(FormatGeneral(back) == general, general, FormatGeneral(back));
    // At most 15 significant digits.
    const int exponent = int(general.indexOf(QLatin1Char('E')));
    QString digits = exponent >= 0 ? general.left(exponent) : general;
    digits.remove(QLatin1Char('-')).remove(QLatin1Char(','));
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    FUZZ_REQUIRE(digits.size() <= 15, general);

    // Completed for money, it still reads as the same value.
    const QString money = CompleteDecimals(general);
    double moneyBack = 0;
    FUZZ_REQUIRE(ParseAmount(money, moneyBack), general, money);
    FUZZ_REQUIRE(moneyBack == back, general, money);
    FUZZ_REQUIRE(hasTwoDecimals(money), money);
}

void checkRounding(double value)
{
    for (const int decimals : {0, 2, 4}) {
        const double rounded = RoundToDecimals(value, decimals);
        const long double unit = std::pow(10.0L, -decimals);
        FUZZ_REQUIRE(std::fabs(static_cast<long double>(rounded) - value)
                         <= unit / 2 * (1 + 1e-9L) + std::fabs(static_cast<long double>(value)) * 1e-15L,
                     FormatGeneral(value), FormatGeneral(rounded));
        FUZZ_REQUIRE(RoundToDecimals(-value, decimals) == -rounded, FormatGeneral(value));
        if (std::fabs(value) < 1e14)
            FUZZ_REQUIRE(RoundToDecimals(rounded, decimals) == rounded, FormatGeneral(value));
    }
}

// A normaliser's result: unreadable texts take their fixed text, the others
// read back as the value rounded, and normalising again changes nothing.
void checkNormalized(const QString& text, bool readable, double value, QString (*normalize)(const QString&),
                     int decimals, const char* unreadable, bool money)
{
    const QString out = normalize(text);
    if (text.trimmed().isEmpty()) {
        FUZZ_REQUIRE(out.isEmpty(), text, out);
        return;
    }
    if (!readable) {
        FUZZ_REQUIRE(out == QLatin1String(unreadable), text, out);
        return;
    }
    double back = 0;
    FUZZ_REQUIRE(ParseAmount(out, back), text, out);
    FUZZ_REQUIRE(close(back, RoundToDecimals(value, decimals)), text, out);
    FUZZ_REQUIRE(normalize(out) == out, text, out, normalize(out));
    FUZZ_REQUIRE(!money || hasTwoDecimals(out), text, out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString text = fuzz::takeAnyText(in, kAmountAlphabet, 64);
    const double raw = doubleFrom(in);
    const QString current = fuzz::takeAnyText(in, kAmountAlphabet, 16);
    const QChar typed(in.ConsumeIntegral<char16_t>());
    const bool valueLimit = in.ConsumeBool();

    const double untouched = 12345.678;
    double value = untouched;
    const bool readable = ParseAmount(text, value);
    if (!inGrammar(text)) {
        FUZZ_REQUIRE(!readable && value == untouched, text);
    } else {
        const long double ref = reference(text);
        if (std::fabs(ref) <= static_cast<long double>(DBL_MAX) * 0.9999999L) {
            FUZZ_REQUIRE(readable, text);
            FUZZ_REQUIRE(close(value, ref, 1e-15L), text, FormatGeneral(value));
        } else if (std::fabs(ref) > static_cast<long double>(DBL_MAX) * 1.0000001L) {
            FUZZ_REQUIRE(!readable, text);
        }
    }
    if (readable)
        FUZZ_REQUIRE(std::isfinite(value), text);
    // Amounts of the program are far from the end of the double range; there
    // a value written with 15 digits can round up past it (see below).
    if (!readable || std::fabs(value) < 1e300) {
        if (readable) {
            checkWritten(value);
            checkRounding(value);
        }
        checkNormalized(text, readable, value, NormalizeAmountText, 4, "0,00", true);
        checkNormalized(text, readable, value, NormalizeNumberText, 4, "0", false);
        checkNormalized(text, readable, value, NormalizeWholeNumberText, 0, "0", false);
    }
    if (text.trimmed().isEmpty())
        FUZZ_REQUIRE(NormalizeBoundText(text) == text, text);
    else
        FUZZ_REQUIRE(NormalizeBoundText(text) == (readable ? NormalizeNumberText(text) : QString()), text);

    // Any double, short of the last digits of the range: written with 15
    // digits, the largest doubles round up past it and read as infinite.
    if (std::isfinite(raw) && std::fabs(raw) < 1e300) {
        checkWritten(raw);
        checkRounding(raw);
    }

    const AmountKey verdict = CheckAmountKey(current, typed, valueLimit);
    const bool fieldCharacter = (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('\b')
                                || typed == QLatin1Char('\r') || typed == QLatin1Char(',');
    if (verdict == AmountKey::InvalidValue) {
        double shown = 0;
        FUZZ_REQUIRE(valueLimit && ParseAmount(current, shown) && shown > 30000000.0, current);
    } else {
        FUZZ_REQUIRE((verdict == AmountKey::Accept)
                         == (fieldCharacter && !(typed == QLatin1Char(',') && current.contains(QLatin1Char(',')))),
                     current, QString(typed));
    }
    return 0;
}
