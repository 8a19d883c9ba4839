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

// Writes bytes as the file at path, replacing any file of that name only once
// every byte is on disk: a failed export (a full disk, a folder in its place)
// leaves the previous export whole, or no file, never half a worksheet under
// the final name. Shows nothing.
bool write(const QString& path, const QByteArray& bytes);

} // namespace SpreadsheetExport
