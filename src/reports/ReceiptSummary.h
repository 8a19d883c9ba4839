#pragma once

#include "storage/ArchiveFile.h"
#include "storage/PackedLines.h"
#include "storage/ReceiptRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

// The monthly, quarterly and annual summaries of a year file: one build,
// three period rules. The period is read from fixed places of the date
// (dd/mm/yyyy), the totals are summed in file order and rounded once.
namespace ReceiptSummary {

// Which receipts a summary takes: the chosen item of its list (a month, a
// quarter, nothing for the year) and the year of the screen.
struct PeriodRule
{
    enum class Kind { Month, Quarter, Year };
    Kind kind = Kind::Year;
    QString choice;   // as shown in the list ("Marzo", "Gennaio, febbraio, marzo")
    QString year;

    bool contains(const QString& date) const;
    // "Ricevute del mese di marzo 2024" and the like.
    QString title() const;
};

// The items of the period lists.
QStringList monthItems();
QStringList quarterItems();

// Characters 4–5 and 7–10 of the trimmed date followed by ten blanks.
QString monthCode(const QString& date);
QString yearOf(const QString& date);

struct Summary
{
    PackedLines lines;                  // receipt list lines, in file order
    QString totNetto, totIva, totale;   // "€ 1234,50", or uncomputableTotal()
    int leftOut = 0;                    // listed receipts whose totals are not numbers
};

// Scans the year file; false when the archive failed.
bool build(ArchiveFile& file, const PeriodRule& rule, Summary& summary);

// The receipts of the period, whole, in file order; false when the archive failed.
bool receiptsIn(ArchiveFile& file, const PeriodRule& rule, std::vector<TRecRicevuta>& receipts);

// A sum as its label shows it: rounded to the cent once, "€ " in front.
QString totalLabel(double sum);

// What a total label says instead of an amount when its sum overflowed or
// grew too large to keep its cents (damaged totals such as 1E20).
QString uncomputableTotal();

// What the screen says when some receipts were left out of the totals.
QString leftOutMessage(int count);

} // namespace ReceiptSummary
