#pragma once

#include "checkers/CheckerMessage.h"

#include <QString>

// True when the 16th character of a 16-character codice fiscale is the check
// character of the first 15 (tables of the Ministerial Decree of 23 December
// 1976). Only the check character is examined: any 16 characters whose last
// one matches are valid. Letters must already be upper case.
bool CheckCodiceFiscale(const QString& code);

// A company's codice fiscale: the trimmed text is not empty and holds only the
// digits 0 to 9. The callers send it to the partita IVA checker, which has the
// same form, instead of the codice fiscale checker.
bool IsNumericCodiceFiscale(const QString& code);

// The rules of the codice fiscale checker window: "Controlla" from 16
// characters, Enter on exactly 16; the wrong-length warning keeps the window open.
struct CodFiscChecker : CheckerNames<CodFiscChecker>
{
    static constexpr int kLength = 16;
    static const CheckerRules& rules();
};
