#pragma once

#include "storage/ListSearch.h"
#include "storage/ReceiptRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

// The receipt search and the unpaid list over one year file: which receipts
// they list, by the receipt list line, and the way back from a line.
namespace ReceiptSearch {

// The eight criteria of the receipt search, as typed.
struct Criteria
{
    QString numero;       // NumRic
    QString cliente;      // Cliente
    QString citta;        // CittaCli
    QString data;         // Data
    QString codiceApp;    // CodiceApp
    QString marca;        // MarcaApp
    QString iva;          // IvaCli
    QString codFisc;      // CodFiscCli

    std::vector<ListSearch::Criterion> fields() const;
};

// Appends the line of every receipt of the year file in which all filled
// criteria occur (every receipt when none is filled); false when the file
// failed (the lines found so far are kept).
bool search(const QString& yearFile, const Criteria& criteria, PackedLines& lines);

// Only the exact mark "Sì" (trimmed) means paid: "Si", "sì", "No" and an
// empty mark all leave the receipt to be collected.
bool isPaid(const char* record);

// Appends the line of every receipt of the year file not marked paid; false
// when the file failed (the lines found so far are kept).
bool unpaid(const QString& yearFile, PackedLines& lines);

} // namespace ReceiptSearch
