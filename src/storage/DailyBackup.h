#pragma once

#include <QDate>
#include <QString>

// The copy of the archives that the first start of each day makes before
// the login: Clienti.pro, Materiali.pro, the year files (*.ric),
// Impostazioni.ini and unins000.dll that are in the program's folder go into
// Backup/yyyy-mm-dd/ beside them. The copy is made in a temporary folder and
// renamed to its date only when every file is whole, so a folder named by a
// date is always a complete backup; the rename also decides between two
// workstations starting together. The 14 most recent backups up to the day
// are kept; one dated later is left alone and never counted.
// Only regular files are copied (a symbolic link is skipped, never followed),
// each with its own permissions; Backup/ and the backups are real folders,
// and only folders the backup itself names are ever deleted, a link never
// followed. Nothing is shown here: start-up tells the user of a failure.
namespace DailyBackup {

enum class Outcome { Made, AlreadyThere, Failed };

struct Result
{
    Outcome outcome = Outcome::Failed;
    QString folder;   // the backup folder of the day
    QString reason;   // what failed (not shown to the user)
};

// How many dated backup folders are kept, the newest ones.
constexpr int kKept = 14;

// Makes the backup of day for the files in folder, unless one is already there.
Result make(const QString& folder, const QDate& day);
// The same for the program's folder and today's date.
Result makeToday();

// The files a backup copies, by name pattern.
QStringList copiedPatterns();

// What the user is told, once, when the backup could not be made.
QString failureMessage();

} // namespace DailyBackup
