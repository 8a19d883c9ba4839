#pragma once

#include <QChar>
#include <QString>

// Amounts live as texts with a comma as decimal separator, no thousands
// separator and no currency sign. Arithmetic reads them, computes in extended
// precision (long double, 64-bit significand), rounds by RoundToDecimals and
// writes them back with FormatGeneral.

// Reads a decimal number: blanks around it, an optional sign, digits,
// optionally a comma and digits, optionally an exponent. At least one digit or
// the comma must be present (",", "12," and ",5" read). False on failure.
bool ParseAmount(const QString& text, double& value);

// x·10ⁿ + ½ in extended precision, cut to a whole number, divided by 10ⁿ.
double RoundToDecimals(double x, int decimals);

// The general number format: at most 15 significant digits, comma as decimal
// separator, no trailing zeros; exponent form below 0,00001 or from 10¹⁵.
QString FormatGeneral(double value);

// Completes an amount to at least two decimals: "12" → "12,00", "12,5" → "12,50";
// an exponent form in its mantissa: "4E-6" → "4,00E-6".
QString CompleteDecimals(const QString& text);

// Fits an amount text into a field that stores capacity characters, so that
// it reads back as the value written, to its last stored decimal. A text that
// fits, or that is no number at all, comes back trimmed and unchanged. A
// longer one loses decimals by rounding, written in plain digits (never a
// cut exponent form: a residue too small for the field becomes "0"). Money
// keeps its two decimals: false when the amount cannot be stored to the
// cent. Otherwise false when even the integer part with its sign cannot fit:
// the value cannot be stored.
bool FitAmountText(const QString& text, int capacity, bool money, QString& fitted);

// What an amount field becomes when left: empty stays empty, unreadable gives
// "0,00", otherwise rounded to 4 decimals and completed to at least two.
QString NormalizeAmountText(const QString& text);

// The same for quantities and discounts, without completion: unreadable gives "0".
QString NormalizeNumberText(const QString& text);

// The same for counts of pieces (stock, warning level): rounded half up to a
// whole number, plain digits; unreadable gives "0", empty stays empty.
QString NormalizeWholeNumberText(const QString& text);

// What a numeric search bound becomes when left: a blank text stays as it
// is, an unreadable one (letters pasted in) is emptied, otherwise rounded to
// 4 decimals without completion ("10" stays "10", "," becomes "0").
QString NormalizeBoundText(const QString& text);

// The key filter of an amount field.
enum class AmountKey {
    Accept,          // the character reaches the field
    InvalidChar,     // "Attenzione: carattere non valido.", the character is discarded
    InvalidValue     // "Attenzione: valore non valido.", discarded and the field becomes "0,00"
};

// The fields with a value limit (receipt unit prices, warehouse price) refuse
// any key once their text reads above 30,000,000.
AmountKey CheckAmountKey(const QString& currentText, QChar typed, bool valueLimit);

QString invalidCharacterMessage();
QString invalidValueMessage();
