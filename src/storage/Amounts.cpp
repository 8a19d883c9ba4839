#include "storage/Amounts.h"

#include "storage/TextRules.h"

#include <cmath>
#include <cstdio>

namespace {

long double powerOfTen(int n)
{
    // Exact in extended precision up to 10^27; beyond that the nearest value.
    long double p = 1.0L;
    long double base = 10.0L;
    while (n > 0) {
        if (n & 1)
            p *= base;
        base *= base;
        n >>= 1;
    }
    return p;
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

bool ParseAmount(const QString& text, double& value)
{
    const int n = text.size();
    int i = 0;
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    int end = n;
    while (end > i && text.at(end - 1) == QLatin1Char(' '))
        --end;

    bool negative = false;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }

    long double mantissa = 0.0L;
    int scale = 0;           // power of ten applied to the mantissa
    int significant = 0;     // digits accumulated so far (beyond 19 they only shift the scale)
    bool sawDigitOrComma = false;

    auto addDigit = [&](int d, bool fraction) {
        if (significant < 19 || mantissa == 0.0L) {
            mantissa = mantissa * 10.0L + d;
            if (mantissa != 0.0L)
                ++significant;
            if (fraction)
                --scale;
        } else if (!fraction) {
            ++scale;
        }
    };

    while (i < end && isDigit(text.at(i))) {
        addDigit(text.at(i).unicode() - '0', false);
        sawDigitOrComma = true;
        ++i;
    }
    if (i < end && text.at(i) == QLatin1Char(',')) {
        sawDigitOrComma = true;
        ++i;
        while (i < end && isDigit(text.at(i))) {
            addDigit(text.at(i).unicode() - '0', true);
            ++i;
        }
    }
    if (!sawDigitOrComma)
        return false;

    if (i < end && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
        ++i;
        bool expNegative = false;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
            expNegative = text.at(i) == QLatin1Char('-');
            ++i;
        }
        if (i >= end || !isDigit(text.at(i)))
            return false;
        int exponent = 0;
        while (i < end && isDigit(text.at(i))) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text.at(i).unicode() - '0');
            ++i;
        }
        scale += expNegative ? -exponent : exponent;
    }
    if (i != end)
        return false;

    long double result = mantissa;
    // Zero stays zero whatever its exponent: a power of ten too large for
    // extended precision is infinite, and zero times infinity is no number.
    if (result != 0.0L && scale < 0)
        result /= powerOfTen(-scale);
    else if (result != 0.0L && scale > 0)
        result *= powerOfTen(scale);
    if (negative)
        result = -result;
    if (!std::isfinite(static_cast<double>(result)))
        return false;
    value = static_cast<double>(result);
    return true;
}

double RoundToDecimals(double x, int decimals)
{
    const long double m = powerOfTen(decimals);
    // Negative values arise only from discounts above 100 per cent; they are
    // rounded symmetrically (half away from zero), so -1,23455 gives -1,2346
    // just as 1,23455 gives 1,2346.
    if (x < 0) {
        const long double t = std::trunc(static_cast<long double>(-x) * m + 0.5L);
        return static_cast<double>(-t / m);
    }
    const long double t = std::trunc(static_cast<long double>(x) * m + 0.5L);
    return static_cast<double>(t / m);
}

QString FormatGeneral(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");

    // 15 significant digits, then the decimal exponent decides the notation.
    // Built in a buffer of bytes: every total of every receipt passes here.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.ddddddddddddddde[+-]xx
    char digits[24];
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && n < int(sizeof digits))
            digits[n++] = *p;
    }
    const int exponent = std::atoi(p + 1);
    while (n > 1 && digits[n - 1] == '0')
        --n;

    char out[64];
    int o = 0;
    auto put = [&](char c) { out[o++] = c; };
    if (value < 0)
        put('-');
    if (exponent < -5 || exponent >= 15) {
        put(digits[0]);
        if (n > 1) {
            put(',');
            for (int i = 1; i < n; ++i)
                put(digits[i]);
        }
        o += std::snprintf(out + o, sizeof out - o, "E%c%d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return QString::fromLatin1(out, o);
    }
    if (exponent < 0) {
        put('0');
        put(',');
        for (int i = 0; i < -exponent - 1; ++i)
            put('0');
        for (int i = 0; i < n; ++i)
            put(digits[i]);
        return QString::fromLatin1(out, o);
    }
    const int intDigits = exponent + 1;
    for (int i = 0; i < intDigits; ++i)
        put(i < n ? digits[i] : '0');
    if (n > intDigits) {
        put(',');
        for (int i = intDigits; i < n; ++i)
            put(digits[i]);
    }
    return QString::fromLatin1(out, o);
}

QString CompleteDecimals(const QString& text)
{
    // An exponent form ("4E-6", a VAT total of a tiny net amount) is completed
    // in its mantissa ("4,00E-6"): decimals after the exponent would make an
    // amount that no longer reads as a number.
    const int exponent = int(text.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive));
    QString out = exponent >= 0 ? text.left(exponent) : text;
    if (!out.contains(QLatin1Char(',')))
        out += QStringLiteral(",00");
    const int n = int(out.size());
    if (n >= 2 && out.at(n - 2) == QLatin1Char(',') && isDigit(out.at(n - 1)))
        out += QLatin1Char('0');
    return exponent >= 0 ? out + text.mid(exponent) : out;
}

namespace {

// A value already rounded to the given decimals, in plain digits with a
// comma, trailing zeros and a trailing comma removed; zero of either sign is "0".
QString plainDecimals(double value, int decimals)
{
    if (value == 0.0)
        return QStringLiteral("0");
    QString out = QString::number(value, 'f', decimals);
    if (out.contains(QLatin1Char('.'))) {
        while (out.endsWith(QLatin1Char('0')))
            out.chop(1);
        if (out.endsWith(QLatin1Char('.')))
            out.chop(1);
    }
    out.replace(QLatin1Char('.'), QLatin1Char(','));
    return out == QLatin1String("-0") ? QStringLiteral("0") : out;
}

} // namespace

bool FitAmountText(const QString& text, int capacity, bool money, QString& fitted)
{
    fitted = TextRules::trim(text);
    double value = 0;
    if (fitted.size() <= capacity || !ParseAmount(fitted, value))
        return true;
    // The most decimals that fit: "0," and one decimal leave capacity − 2 at
    // most. Money keeps its cents: an amount is never stored rounded away
    // from what the customer pays.
    const int fewest = money ? 2 : 0;
    for (int decimals = capacity - 2; decimals >= fewest; --decimals) {
        const QString plain = plainDecimals(RoundToDecimals(value, decimals), decimals);
        // Money is written with its cents, as every stored amount is.
        const QString written = money ? CompleteDecimals(plain) : plain;
        if (written.size() <= capacity) {
            fitted = written;
            return true;
        }
    }
    // Rounding can carry into one digit more (9999999999,7 gives 10000000000)
    // where the integer part alone still fits, within one unit of the value.
    const QString whole = plainDecimals(std::trunc(value), 0);
    if (!money && whole.size() <= capacity) {
        fitted = whole;
        return true;
    }
    return false;
}

namespace {

// What a field left by the user becomes: an empty text stays empty, an
// unreadable one takes the given text, any other the value rounded to the
// given decimals in the general format, completed to two decimals for money.
QString normalized(const QString& text, int decimals, const char* unreadable, bool money)
{
    if (text.trimmed().isEmpty())
        return QString();
    double value = 0;
    if (!ParseAmount(text, value))
        return QLatin1String(unreadable);
    const QString written = FormatGeneral(RoundToDecimals(value, decimals));
    return money ? CompleteDecimals(written) : written;
}

} // namespace

QString NormalizeAmountText(const QString& text)
{
    return normalized(text, 4, "0,00", true);
}

QString NormalizeNumberText(const QString& text)
{
    return normalized(text, 4, "0", false);
}

QString NormalizeWholeNumberText(const QString& text)
{
    return normalized(text, 0, "0", false);
}

QString NormalizeBoundText(const QString& text)
{
    if (text.trimmed().isEmpty())
        return text;
    double value = 0;
    // An emptied bound is a bound no longer set: nothing is hidden by a
    // value the user never typed.
    if (!ParseAmount(text, value))
        return QString();
    return NormalizeNumberText(text);
}

QString invalidCharacterMessage()
{
    return QStringLiteral("Attenzione: carattere non valido.");
}

QString invalidValueMessage()
{
    return QStringLiteral("Attenzione: valore non valido.");
}

AmountKey CheckAmountKey(const QString& currentText, QChar typed, bool valueLimit)
{
    if (valueLimit && !currentText.trimmed().isEmpty()) {
        double value = 0;
        // A text that does not read as a number counts as within the limit.
        if (ParseAmount(currentText, value) && value > 30000000.0)
            return AmountKey::InvalidValue;
    }
    const bool comma = typed == QLatin1Char(',');
    if (!comma && !TextRules::isDigitFieldCharacter(typed))
        return AmountKey::InvalidChar;
    if (comma && currentText.contains(QLatin1Char(',')))
        return AmountKey::InvalidChar;
    return AmountKey::Accept;
}
