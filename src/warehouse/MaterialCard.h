#pragma once

#include "layouts/ListReport.h"
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

// The list line of the material search (and of the import into a receipt):
// code (30), type (25), brand and model (30), "  Prezzo: " price (15),
// "  Giacenza: " stock (10), two blanks, the note.
void composeSearchLine(const char* record, LineComposer& line);
QString searchLine(const char* record);
QString searchLine(const TRecMateriale& record);
// The list line of the under-stock list: code (25), brand and model (30),
// "  Costo: " cost (15), "  Giacenza: " stock (10), supplier (30), contact.
void composeUnderStockLine(const char* record, LineComposer& line);
QString underStockLine(const char* record);
QString underStockLine(const TRecMateriale& record);

// The printed list of the material search and of the import list.
ListReportSpec goodsReport();

// True when the card's stock has fallen to its threshold or below. A stock
// or threshold that cannot be read as a number leaves the card out.
bool underStock(const char* record);

// The import list of a receipt line: the search line of every card whose
// stock text is not empty, in file order; false after an archive failure
// (the lines found so far are kept).
bool importList(PackedLines& lines);

// The card a line of the import list stands for: the last record whose line
// equals it, or else (its stock changed by another workstation since the
// list was made) the last whose line equals it apart from the stock. False
// when none does or the archive failed.
bool findChosen(const QString& line, TRecMateriale& record, qint64& position);

// How an import into a receipt line ended.
enum class ImportOutcome {
    Imported,    // the article fills the line (its stock lowered when asked)
    StockShort,  // the stock as it is now is lower than the quantity: nothing written
    Changed,     // the card chosen no longer holds that article: nothing written
    Failed       // nothing chosen, an unreadable number or an archive failure
};

// Imports the article chosen in the list: the card at the 1-based
// `position` whose code was `code` when its line was clicked (position 0:
// nothing chosen). The card is read again at the import, under the
// archive's exclusive lock; a card whose code is no longer `code`, or that
// is no longer there, is Changed. With lowerStock, the card's stock as it is
// now (G) and the quantity (Q) are read as amounts: G < Q refuses the
// import, otherwise the card gets G - Q as its stock, written in the general
// number format with the decimals that fit the field (a residue too small
// for it is "0"), every other byte of the card left as stored. The read,
// the judgement and the write are one step, so imports made at the same
// moment on several workstations all count. article receives the card.
// stockBefore, when given, receives the stock as it was before the import.
ImportOutcome importArticle(qint64 position, const QString& code, const QString& quantity, bool lowerStock,
                            TRecMateriale& article, QString* stockBefore = nullptr);
// What the import says of a card that changed after it was chosen.
QString changedArticleMessage();
// What the import says of the stock it lowered: the decrease is stored at
// once, whether or not the receipt is saved afterwards.
QString stockLoweredMessage(const TRecMateriale& article, const QString& before);

// A Save of the material card over a card whose stock another workstation
// lowered (an import) after it was shown: when the stock is all that
// changed there and the card's stock was not edited here (only brought to
// whole pieces, as Save does), the record to write keeps the stored stock
// and true is returned; otherwise the user must be asked. Records in the
// form a save writes them.
bool keepStockChangedElsewhere(const QByteArray& shown, const QByteArray& stored, QByteArray& record);

} // namespace MaterialCard
