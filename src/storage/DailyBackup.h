#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The copy of the archives that the first start of each day makes before
// the login: Clienti.pro, Materiali.pro, the year files (yyyy.ric),
// Impostazioni.ini and unins000.dll that are in the program's folder go into
// Backup/yyyy-mm-dd/ beside them. The copy is made in a temporary folder and
// renamed to its date only when every file is whole, so a folder named by a
// date is always a complete backup; the rename also decides between two
// workstations starting together. The 14 most recent backups up to the day
// are kept; one dated later is left alone and never counted.
// Only regular files are copied (a symbolic link is skipped, never followed),
// each with its own permissions; Backup/ and the backups are real folders,
// and only folders the backup itself names are ever deleted, a link never
// followed. Every step works on folders held open (the program's folder,
// Backup/, the copy in progress), so a folder swapped for a link meanwhile
// can neither receive a copy nor lose a file. An archive is copied only when
// its size is whole records, and no more of them than any shop keeps (a
// sparse file of a terabyte would fill the disk); holes stay holes. A lock
// held on an archive beyond a bounded wait stops the backup, naming the file.
// Nothing is shown here: start-up tells the user.
namespace DailyBackup {

enum class Outcome { Made, AlreadyThere, Failed };

struct Result
{
    Outcome outcome = Outcome::Failed;
    QString folder;   // the backup folder of the day
    QString reason;   // what failed (not shown to the user)
    QString held;     // the full path of an archive held locked beyond the wait
    QStringList refused;   // archives not copied: not whole records or too large
};

// How many dated backup folders are kept, the newest ones.
constexpr int kKept = 14;

// Makes the backup of day for the files in folder, unless one is already there.
Result make(const QString& folder, const QDate& day);
// What the user is told, once, when the backup could not be made.
QString failureMessage();
// The same for a result: names the archive held locked, if that was why.
QString failureMessage(const Result& r);
// What the user is told of archives the backup refused to copy.
QString refusedMessage(const QStringList& names);

} // namespace DailyBackup
