#pragma once

#include "platform/PrintCanvas.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// What a list screen tells the printed list report about itself.
struct ListReportSpec
{
    QString title;        // one line
    int ruleLength = 21;  // N hyphens above and below the title
    bool totals = false;  // the three receipt summaries
    QString totNetto, totIva, totale;   // texts of lblTotNetto, lblTotIva, lblTotale (trimmed when printed)
    QString question = QStringLiteral("Si vuole stampare il presente elenco?");
};

// A list printed with its title between two rules and the plain closing.
ListReportSpec plainListReport(const QString& title, int ruleLength);

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss"
QString listReportStampLine(const QDate& today, const QTime& now);

// What every printed list shares, the price list included.
const int kListReportLeft = 150;   // printer pixels, the same on every printer

// Height of a "Courier New" line of the given point size on this printer:
// points × vertical dots per inch / 72, to the nearest pixel.
int listReportLineHeight(const platform::PrintCanvas& canvas, int points);

// Black "Courier New" of the given size; bold and underline only when asked,
// whatever the printer's font had is dropped.
void useListReportFont(platform::PrintCanvas& canvas, int points, bool bold = false, bool underline = false);

// The lines in Courier New 8 from y, one every `spacing` line heights of
// size 8, as given (trailing blanks included). A line due at or below the
// page height less three line heights goes to the top of a new page, at two
// line heights, with nothing repeated. Returns the y below the last line.
int composeListLines(platform::PrintCanvas& canvas, const QStringList& lines, int y, int spacing);

// Lays one copy of the report out on an open landscape canvas in printer
// pixels: rule, title, rule, the lines with page breaks, and the closing
// block (plain, or with the three totals) ending with stampLine.
void composeListReport(platform::PrintCanvas& canvas, const QStringList& lines, const ListReportSpec& spec,
                       const QString& stampLine);
