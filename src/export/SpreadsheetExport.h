#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The worksheet file that Excel opens: an HTML table with the Office
// spreadsheet markup, written as Windows-1252 bytes with no line break at all.
// Every cell is marked as text in the way of Excel and of LibreOffice Calc,
// so both show each cell as the preview does (leading zeros kept).
namespace SpreadsheetExport {

// One exported column: its header in the file and its width there, in pixels.
struct FileColumn
{
    QString header;
    int width;
    // Amounts, quantities and stock: a cell that reads as a number ("12,50",
    // "-3", "007") is written as one, shown as typed, so a spreadsheet sums
    // it. Anything else in the column stays text.
    bool number = false;
};

// The bytes of the whole file: the worksheet name, one header cell per
// column, then one row per entry of rows (each holding one already-trimmed
// text per column, in column order). "<", ">" and "&" in a text are written
// as entities, so that a value holding them cannot break the table.
QByteArray build(const QString& worksheetName, const std::vector<FileColumn>& columns,
                 const std::vector<QStringList>& rows);

// The file composed as it goes: the markup before the data first, then one
// row at a time, then the closing markup. The Windows-1252 bytes leave in
// pieces of about a megabyte, so that an archive of any size never has its
// whole file in memory; build() and writeFile() give the same bytes.
class Composer
{
public:
    // Takes the next piece; false stops the composing (the file failed).
    using Out = std::function<bool(const QByteArray& piece)>;

    Composer(Out out, const QString& worksheetName, const std::vector<FileColumn>& columns);
    // One data row: a text per column, in column order (missing ones empty).
    bool addRow(const QStringList& row);
    // The closing markup, and every byte still held, out.
    bool finish();

private:
    bool put();
    bool flush();

    Out m_out;
    std::vector<bool> m_numbers;   // per column: written as numbers where they read as one
    QString m_text;        // markup not yet turned into bytes
    QByteArray m_piece;    // bytes not yet handed out
    bool m_ok = true;
};

// Writes the file at path from rows rows, row(i) giving the texts of row i
// (0-based), composing and writing it in pieces; the file at path is
// replaced only once whole (FileWrites::Replacement): a failure midway
// leaves the previous export as it was. Shows nothing.
bool writeFile(const QString& path, const QString& worksheetName, const std::vector<FileColumn>& columns,
               qint64 rows, const std::function<QStringList(qint64 row)>& row);

// The attributes that make a cell a number in both spreadsheet programs, for
// a text that reads as an Italian number ("1234,50", "-3", "007"): the value
// for Excel (x:num) and Calc (sdval, in Italian), and a format that shows it
// as typed, leading zeros and decimals included, where the program follows
// it (Excel; Calc shows the value in its general format). Empty for any
// other text.
QString numberAttributes(const QString& text);

// A text as it goes into a cell: the three markup characters as entities.
QString cellText(const QString& text);

// Writes bytes as the file at path, replacing any file of that name only once
// every byte is on disk: a failed export (a full disk, a folder in its place)
// leaves the previous export whole, or no file, never half a worksheet under
// the final name. Shows nothing.
bool write(const QString& path, const QByteArray& bytes);

} // namespace SpreadsheetExport
