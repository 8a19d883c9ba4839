#pragma once

#include "storage/ArchiveFile.h"
#include "storage/PackedLines.h"
#include "storage/ReceiptRecord.h"

#include <QString>

// The receipts of one calendar year, in the year file beside the program
// ("2024.ric"): its name, the numbers New proposes, the dates Save accepts,
// and the one-line summary by which the report lists find a receipt again.
namespace ReceiptArchive {

// The full path of a year's file: the program's folder, the trimmed year, ".ric".
QString yearFilePath(const QString& year);
ArchiveFile yearFile(const QString& path);

// The number New proposes: the numbering start plus the receipts already in
// the file, counted under the archive's lock. Nothing is proposed from a
// start that is not a whole number from 1 to 999,999,999 (BadStart) or from
// a settings file that cannot be read (SettingsUnreadable).
enum class Numbering { Proposed, BadStart, SettingsUnreadable, Failed };
struct Proposal
{
    Numbering outcome = Numbering::Failed;
    QString number;
    QString startText;    // the start as stored ("" when missing)
    qint64 counted = 0;   // the receipts in the file when the number was proposed
};
Proposal proposeNumber(ArchiveFile& file);
// What New says when the numbering start in the settings is not a whole number.
QString badStartMessage(const QString& startText);

// Whether a stored receipt carries number, both as the record stores them
// (trimmed, cut to the field): the test Save of a new receipt makes on the
// whole year file under its lock, reading the number field alone, so that a
// number already there, typed by hand or saved by another workstation, is
// never saved twice without the question.
// With an index (kept by the editor from one save to the next), the numbers
// of the year are read only when the file changed since the index saw it.
ArchiveFile::FieldTest carriesNumber(const QString& number, ArchiveFile::FieldIndex* index = nullptr);

// A date the archive keeps: dd/mm/yyyy with two-digit day and month and a
// four-digit year, and a real calendar day (31/02/2024 is not).
bool isSavableDate(const QString& text);

// "Sì" or "No", as the paid mark is stored.
QString paidMark(bool paid);

// The one-line summary of a receipt in the report lists: label and number,
// date, client and the three totals, the grand total starting at column 150.
void composeListLine(const char* record, LineComposer& line);
QString listLine(const TRecRicevuta& r);
QString listLine(const char* record);

// The receipt a list line leads back to: every record's line is rebuilt and
// compared (trimmed) with the chosen one; the last equal one wins. False
// when no line matches or the file failed.
bool findByListLine(ArchiveFile& file, const QString& line, TRecRicevuta& receipt, qint64& position);

} // namespace ReceiptArchive
