#pragma once

#include "platform/PrintCanvas.h"
#include "storage/ListSearch.h"
#include "storage/MaterialRecord.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

// The price list without widgets: its line, the choice of the articles and
// the printed page.
namespace PriceList {

// Code (20), three blanks, type (22), three blanks, description (45),
// "   Euro ", the price trimmed and never cut.
void composeLine(const char* record, LineComposer& line);
QString line(const char* record);
QString line(const TRecMateriale& record);

// The nine criteria as typed; the four bounds are amount texts.
struct Criteria
{
    QString codice, tipologia, descrizione;
    QString prezzoMin, prezzoMax, giaceMin, giaceMax;
    QString fornitore, documento;

    std::vector<ListSearch::Criterion> textFields() const;
    // Criteria whose trimmed text is not empty, bounds included.
    int filled() const;
};

// True when at least `filled` criteria hold for the record. Text criteria
// occur as in every card search; a bound holds when the record's Prezzo or
// Giacenza, read as an amount, lies within it (both ends included). A card
// whose Prezzo or Giacenza cannot be read while a bound on it is set does
// not match: one damaged card must not hide the rest of the archive.
bool matches(const char* record, const Criteria& criteria, int filled);

// Lines of every matching record, in file order; false after an archive
// failure (the lines found so far are kept).
bool search(const Criteria& criteria, PackedLines& lines);
// Lines of every record with a code (stored length not 0), in file order.
bool showAll(PackedLines& lines);

// "Listino prezzi del dd/mm/yyyy": the heading proposed with a new list.
QString proposedHeading(const QDate& today);
// The heading printed: the one typed, trimmed, or "LISTINO PREZZI DEL dd/mm/yyyy".
QString printedHeading(const QString& typed, const QDate& today);
// The 111-character column header, its words over code, type, description and price.
QString columnHeader();

// One copy on an open portrait canvas in printer pixels: heading, underlined
// column header, the lines three line heights apart with page breaks, the
// rule and stampLine.
void compose(platform::PrintCanvas& canvas, const QStringList& lines, const QString& heading,
             const QString& stampLine);

} // namespace PriceList
