#pragma once

#include "checkers/CheckerMessage.h"

#include <QString>

// True when the text is 11 digits whose last is the check digit of the first
// ten (odd positions at face value, even positions doubled with their digits
// added). A company's numeric codice fiscale has the same form and rule.
bool CheckPartitaIva(const QString& number);

// The provincial VAT office for the three-digit code found at characters 8 to
// 10 of a partita IVA; empty for a code without entry (000, 103 to 119, 122 on).
QString IvaOfficeName(const QString& officeCode);

// The rules of the partita IVA checker window: "Controlla" from 11
// characters (a longer text handed over by a caller enables it too, and is
// then told it has the wrong length), Enter on exactly 11; the wrong-length
// notice keeps the window open.
struct IvaChecker : CheckerNames<IvaChecker>
{
    static constexpr int kLength = 11;

    // The same window serves a partita IVA and the numeric codice fiscale of
    // a company; only its caption and instructions change.
    enum class Purpose { PartitaIva, NumericCodiceFiscale };

    static const CheckerRules& rules(Purpose purpose = Purpose::PartitaIva);
    static QString caption(Purpose purpose) { return rules(purpose).caption; }
    static QString instructionLine1(Purpose purpose) { return rules(purpose).instructionLine1; }
    static QString instructionLine2(Purpose purpose) { return rules(purpose).instructionLine2; }
};
