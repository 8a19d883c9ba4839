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

// The rules of the partita IVA checker window.
namespace IvaChecker {

inline constexpr int kLength = 11;

// The same window serves a partita IVA and the numeric codice fiscale of a
// company; only its caption and instructions change.
enum class Purpose { PartitaIva, NumericCodiceFiscale };

QString caption(Purpose purpose);
QString instructionLine1(Purpose purpose);
QString instructionLine2(Purpose purpose);

// "Controlla" is enabled from 11 characters on: a longer text handed over by
// a caller enables it too, and is then told it has the wrong length.
bool canCheck(const QString& fieldText);
// Enter acts as "Controlla" only on exactly 11 characters.
bool enterChecks(const QString& fieldText);
// "Controlla" on the field's text: the wrong-length notice keeps the window open.
CheckerOutcome check(const QString& fieldText);

} // namespace IvaChecker
