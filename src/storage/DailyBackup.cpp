#include "storage/DailyBackup.h"

#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "storage/ArchiveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

#include <algorithm>

namespace DailyBackup {
namespace {

const QString kFolder = QStringLiteral("Backup");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
// A backup being written: its date, then this mark. Never a date alone, so
// it is never taken for a finished backup nor counted among the kept ones.
const QString kPartialMark = QStringLiteral(".parziale-");

// The day of a finished backup folder, or an invalid date for any other name.
QDate dayOf(const QString& name)
{
    static const QRegularExpression dated(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!dated.match(name).hasMatch())
        return QDate();
    return QDate::fromString(name, kDateFormat);
}

// The day of a temporary folder, or an invalid date.
QDate dayOfPartial(const QString& name)
{
    const int mark = name.indexOf(kPartialMark);
    return mark == 10 ? dayOf(name.left(mark)) : QDate();
}

// Renames the finished copy to its date unless that name already exists:
// of two workstations copying at once, the first rename wins and the other
// finds the name taken.
bool renameNoReplace(const QString& from, const QString& to, bool& taken)
{
    taken = false;
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // A file system that cannot refuse to replace: rename() still never
        // replaces a folder that holds files, and an empty one is no backup.
        if (::rename(a.constData(), b.constData()) == 0)
            return true;
    }
    taken = (errno == EEXIST || errno == ENOTEMPTY) && QFileInfo(to).isDir();
    return false;
}

// Deletes the oldest finished backups beyond the kept ones, and temporary
// folders of earlier days (a start that stopped halfway). Anything else in
// the folder is left alone, and so is a temporary folder of today, which
// may be another workstation's copy in progress.
void prune(const QDir& root, const QDate& day)
{
    QStringList dated;
    const QStringList names = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        if (dayOf(name).isValid()) {
            dated << name;
        } else {
            const QDate partial = dayOfPartial(name);
            if (partial.isValid() && partial < day)
                QDir(root.filePath(name)).removeRecursively();
        }
    }
    // yyyy-mm-dd sorts as the days do.
    std::sort(dated.begin(), dated.end(), std::greater<QString>());
    for (int i = kKept; i < dated.size(); ++i)
        QDir(root.filePath(dated.at(i))).removeRecursively();
}

Result failed(Result r, const QString& reason)
{
    r.outcome = Outcome::Failed;
    r.reason = reason;
    return r;
}

} // namespace

QStringList copiedPatterns()
{
    return {QStringLiteral("Clienti.pro"), QStringLiteral("Materiali.pro"), QStringLiteral("*.ric"),
            QStringLiteral("Impostazioni.ini"), QStringLiteral("unins000.dll")};
}

Result make(const QString& folder, const QDate& day)
{
    Result r;
    const QDir dir(folder);
    const QString rootPath = dir.filePath(kFolder);
    r.folder = QDir(rootPath).filePath(day.toString(kDateFormat));
    if (!day.isValid())
        return failed(r, QStringLiteral("no valid date"));
    if (QFileInfo(r.folder).isDir()) {
        r.outcome = Outcome::AlreadyThere;
        return r;
    }
    if (!dir.mkpath(kFolder) || !QFileInfo(rootPath).isDir())
        return failed(r, QStringLiteral("cannot create %1").arg(rootPath));

    QTemporaryDir partial(QDir(rootPath).filePath(day.toString(kDateFormat) + kPartialMark + QStringLiteral("XXXXXX")));
    if (!partial.isValid())
        return failed(r, QStringLiteral("cannot create a folder in %1: %2").arg(rootPath, partial.errorString()));
    // A temporary folder is private to its maker; a backup is for whoever
    // restores it, from any workstation.
    QFile::setPermissions(partial.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QFileInfoList files = dir.entryInfoList(copiedPatterns(), QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!ArchiveFile::copyWhole(file.filePath(), partial.filePath(file.fileName())))
            return failed(r, QStringLiteral("cannot copy %1").arg(file.fileName()));
    }
    bool taken = false;
    if (!renameNoReplace(partial.path(), r.folder, taken)) {
        if (!taken)
            return failed(r, QStringLiteral("cannot rename %1 to %2").arg(partial.path(), r.folder));
        // Another workstation made today's backup meanwhile; ours goes.
        r.outcome = Outcome::AlreadyThere;
        return r;
    }
    partial.setAutoRemove(false);
    r.outcome = Outcome::Made;
    prune(QDir(rootPath), day);
    return r;
}

Result makeToday()
{
    return make(AppDir::path(), platform::current().today());
}

QString failureMessage()
{
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera degli archivi.");
}

} // namespace DailyBackup
