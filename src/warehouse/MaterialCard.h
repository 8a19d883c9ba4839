#pragma once

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

} // namespace MaterialCard
