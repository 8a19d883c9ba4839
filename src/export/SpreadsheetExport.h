#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The worksheet file that Excel opens: an HTML table with the Office
// spreadsheet markup, written as Windows-1252 bytes with no line break at all.
namespace SpreadsheetExport {

// One exported column: its header in the file and its width there, in pixels.
struct FileColumn
{
    QString header;
    int width;
};

// The bytes of the whole file: the worksheet name, one header cell per
// column, then one row per entry of rows (each holding one already-trimmed
// text per column, in column order). "<", ">" and "&" in a text are written
// as entities, so that a value holding them cannot break the table.
QByteArray build(const QString& worksheetName, const std::vector<FileColumn>& columns,
                 const std::vector<QStringList>& rows);

// A text as it goes into a cell: the three markup characters as entities.
QString cellText(const QString& text);

// Creates or truncates the file at path and writes bytes into it. False when
// creating, writing or closing fails; whatever was written before the failure
// stays in the file. Shows nothing.
bool write(const QString& path, const QByteArray& bytes);

} // namespace SpreadsheetExport
