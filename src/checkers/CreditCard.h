#pragma once

#include "checkers/CheckerMessage.h"

#include <QString>

// The Luhn check of a credit card number. Only the digits among the first 20
// characters count (blanks or hyphens there are skipped); the last of them is
// the check digit. Returns the brand class from the first digit, 1 for a 3,
// 2 for a 4, 3 for a 5 and 4 for a 6, or 0 for a wrong number: a failed
// check, no digits, or a first digit from 0 to 2 or from 7 to 9.
int CheckCreditCard(const QString& text);

// The brand named for a valid number of the given class. Class 1 splits by
// the first two characters of the trimmed text, as they stand: "30", "36",
// "38" Diner's Club / Carte Blanche, "34", "37" American Express, "31", "33",
// "35" JCB. Empty when no brand applies ("32", "39", or a class out of range).
QString CreditCardBrand(int brandClass, const QString& trimmedText);

// The rules of the credit card checker window: "Controlla", and Enter, from
// 13 characters on; the window always closes after the check.
struct CartaChecker : CheckerNames<CartaChecker>
{
    static constexpr int kMinimumLength = 13;
    static const CheckerRules& rules();
};
