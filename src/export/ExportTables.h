#pragma once

#include "export/SpreadsheetExport.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What each archive's export shows and writes: its columns, the worksheet,
// the file, and how a raw record turns into the texts of its row.
struct ExportColumn
{
    QString gridHeader;   // with its leading blank
    int gridWidth;
    QString fileHeader;
    int fileWidth;
    bool number = false;   // amounts, quantities, stock: numbers in the file
};

struct ExportTable
{
    QString worksheetName;
    QString fileName;      // beside the executable, e.g. "Clienti.xls"
    QString archiveName;   // e.g. "Clienti.pro"; receipts name theirs by year
    int recordSize;
    std::vector<ExportColumn> columns;
    // The texts of a record's row, one per column, every field trimmed.
    std::function<QStringList(const char* record)> row;
    QString guideTitle;
    QString guideText;

    std::vector<SpreadsheetExport::FileColumn> fileColumns() const;
};

namespace ExportTables {

const ExportTable& clients();
const ExportTable& materials();
const ExportTable& receipts();

// The rows of each archive, from a raw record.
QStringList clientRow(const char* record);
QStringList materialRow(const char* record);
QStringList receiptRow(const char* record);

// The consent as the worksheet shows it: "Sì", "No", or empty for any other text.
QString consentCell(const QString& pubblicita);

// The receipt file of a year: the year, trimmed, followed by ".ric".
QString receiptArchiveName(const QString& year);

} // namespace ExportTables
