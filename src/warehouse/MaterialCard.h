#pragma once

#include "storage/ListReport.h"
#include "storage/ListSearch.h"
#include "storage/MaterialRecord.h"

#include <QStringList>

#include <vector>

class ArchiveFile;

// What the warehouse screens share without widgets: the archive, the list
// lines of the material search and of the under-stock list, and the way back
// from a list line to its record.
namespace MaterialCard {

QString archiveFileName();   // "Materiali.pro"
ArchiveFile archive();

// The web search of an article: brand, one blank, model (the blank stays
// when the model is empty), encoded as a query.
QString webSearchUrl(const QString& brand, const QString& model);

// The refusal of a Save whose stock or warning level cannot be read as a
// number (letters pasted and the field not left yet), naming the field.
QString unreadableNumberMessage(const QString& fieldName);

// The seven criteria of the material search, as typed.
struct Criteria
{
    QString codice, tipologia, marca, modello, accessori, descrizione, note;
    std::vector<ListSearch::Criterion> fields() const;
};

// The list line of the material search (and of the import into a receipt):
// code (30), type (25), brand and model (30), "  Prezzo: " price (15),
// "  Giacenza: " stock (10), two blanks, the note.
QString searchLine(const char* record);
QString searchLine(const TRecMateriale& record);
// The list line of the under-stock list: code (25), brand and model (30),
// "  Costo: " cost (15), "  Giacenza: " stock (10), supplier (30), contact.
QString underStockLine(const char* record);
QString underStockLine(const TRecMateriale& record);

// The printed list of the material search and of the import list.
ListReportSpec goodsReport();

// Lines of every matching record, in file order; false after an archive
// failure (the lines found so far are kept).
bool search(const Criteria& criteria, QStringList& lines);

// True when the card's stock has fallen to its threshold or below. A stock
// or threshold that cannot be read as a number leaves the card out.
bool underStock(const char* record);
// Lines of every card under stock, in file order; false after an archive
// failure (the lines found so far are kept).
bool underStockList(QStringList& lines);

// The record whose rebuilt line equals the chosen line (the last such wins).
bool findByLine(const ListSearch::LineBuilder& build, const QString& line, TRecMateriale& record,
                qint64& position);

// The import list of a receipt line: the search line of every card whose
// stock text is not empty, in file order; false after an archive failure
// (the lines found so far are kept).
bool importList(QStringList& lines);

// How an import into a receipt line ended.
enum class ImportOutcome {
    Imported,    // the article fills the line (its stock lowered when asked)
    StockShort,  // the stock shown is lower than the quantity: nothing written
    Failed       // no such line, an unreadable number or an archive failure
};

// The article listed as `line` imported into a receipt line. With
// lowerStock, the stock shown when the line was clicked (G) and the quantity
// (Q) are read as amounts; G < Q refuses the import; otherwise the card at
// the 1-based `position` (0: none clicked, nothing written) gets G - Q as its
// stock, written in the general number format with the decimals that fit
// the field (a residue too small for it is "0"), every other byte of the card
// left as stored. A stock written stays written even if a later step fails.
ImportOutcome importArticle(const QString& line, qint64 position, const QString& stockShown,
                            const QString& quantity, bool lowerStock, TRecMateriale& article);

} // namespace MaterialCard
