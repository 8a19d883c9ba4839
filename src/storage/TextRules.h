#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The text rules every screen shares.
namespace TextRules {

// Removes leading and trailing characters with codes 0 to 32.
QString trim(const QString& text);

// Case folding touches only the letters A to Z: accented letters keep their case.
QString upperAZ(const QString& text);
QString lowerAZ(const QString& text);

// What every numeric field takes as typed: the digits 0 to 9, Backspace
// ('\b') and Enter ('\r'). Any other character, control characters of the
// copy and paste shortcuts included, is refused by the field's filter.
bool isDigitFieldCharacter(QChar c);

// A year as the year files are named: four digits and nothing else. A colon
// would name a hidden stream of another file on Windows, a slash a file
// elsewhere.
bool isYear(const QString& text);

// A list column: the text trimmed, padded with blanks, exactly n characters.
QString fit(const QString& text, int n);

// Sorts lines as the sorted lists show them: by QString's case-insensitive
// comparison (each character by its simple case folding), lines equal but
// for case in the order they came. The comparison folds the letters A to Z
// without a table look-up: a list of 100,000 lines sorts in a fraction of
// the time.
void sortIgnoringCase(QStringList& lines);
// The comparison that order rests on: negative, zero or positive as
// QString::compare(a, b, Qt::CaseInsensitive).
int compareIgnoringCase(const QString& a, const QString& b);

// Paragraphs of a guide text, separated by one empty line (CR LF twice).
QString paragraphs(const QStringList& list);

} // namespace TextRules
