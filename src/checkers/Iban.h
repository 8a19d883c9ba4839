#pragma once

#include "checkers/CheckerMessage.h"

#include <QString>

// The ISO 7064 MOD 97-10 check of an IBAN: blanks are removed, letters a to z
// upper-cased, the first "IBAN" found is deleted wherever it stands, the
// first four characters move to the end and every letter becomes its number
// (A = 10 ... Z = 35). The code is right when the resulting number leaves 1
// modulo 97. Country, length and layout are not examined.
bool CheckIban(const QString& text);

// The remainder modulo 97 that CheckIban tests, worked out on pieces of at
// most nine digits. A text holding anything but digits once the letters are
// replaced (a hyphen, a slash, an accented letter), or an empty text, leaves 0.
int IbanRemainder(const QString& text);

// The rules of the IBAN checker window: "Controlla", and Enter, from 27
// characters on, blanks included (the length of an Italian IBAN: shorter
// codes cannot be checked here); the window always closes after the check.
struct IbanChecker : CheckerNames<IbanChecker>
{
    static constexpr int kMinimumLength = 27;
    static constexpr int kMaximumLength = 40;
    static const CheckerRules& rules();
};
