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
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

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

// What stands under a name, looked at without following a link.
enum class Kind { Missing, Folder, Link, Other };

Kind kindAt(int folder, const char* name)
{
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Kind::Missing : Kind::Other;
    return S_ISDIR(st.st_mode) ? Kind::Folder : S_ISLNK(st.st_mode) ? Kind::Link : Kind::Other;
}

Kind kindAt(const QString& path)
{
    return kindAt(AT_FDCWD, QFile::encodeName(path).constData());
}

// Renames the finished copy to its date unless that name already exists:
// of two workstations copying at once, the first rename wins and the other
// finds the name taken. Taken means by a real folder: the other's backup.
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
    taken = (errno == EEXIST || errno == ENOTEMPTY) && kindAt(to) == Kind::Folder;
    return false;
}

// Deepest folder removed: a backup holds files only, so anything deeper is
// not one of ours, and each level holds a descriptor open.
constexpr int kDeepest = 8;

// Removes name from the open folder at with all it holds. Every entry is
// removed where it stands: a link, at the top or anywhere inside, is removed
// as a link and never followed, so nothing outside the folder is touched,
// whatever is put inside it or swapped in while it is removed.
bool removeTree(int at, const char* name, int depth = 0)
{
    if (::unlinkat(at, name, 0) == 0 || errno == ENOENT)
        return true;
    if ((errno != EISDIR && errno != EPERM) || depth > kDeepest)
        return false;
    const int fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* folder = ::fdopendir(fd);
    if (!folder) {
        ::close(fd);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(folder)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    }
    bool ok = true;
    for (const std::string& inside : names)
        ok = removeTree(::dirfd(folder), inside.c_str(), depth + 1) && ok;
    ::closedir(folder);
    return ok && ::unlinkat(at, name, AT_REMOVEDIR) == 0;
}

// Deletes the oldest finished backups beyond the kept ones, and temporary
// folders of earlier days (a start that stopped halfway). Only real folders
// named as the backup names them are ever removed. A symbolic link under
// such a name is no backup: it is removed as a link, never followed, and not
// counted. Anything else in the folder is left alone, and so is a temporary
// folder of today, which may be another workstation's copy in progress, and
// a backup dated after today (a workstation whose clock was once ahead): it
// is neither counted among the kept nor deleted, so it can never push
// today's backup out.
void prune(const QString& rootPath, const QDate& day)
{
    const int root = ::open(QFile::encodeName(rootPath).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (root < 0)
        return;
    QStringList dated;
    const QStringList names = QDir(rootPath).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        const QDate backup = dayOf(name);
        const QDate partial = dayOfPartial(name);
        if (!backup.isValid() && !partial.isValid())
            continue;
        const QByteArray entry = QFile::encodeName(name);
        const Kind kind = kindAt(root, entry.constData());
        if (kind == Kind::Link)
            ::unlinkat(root, entry.constData(), 0);
        if (kind != Kind::Folder)
            continue;
        if (backup.isValid() && backup <= day)
            dated << name;
        else if (partial.isValid() && partial < day)
            removeTree(root, entry.constData());
    }
    // yyyy-mm-dd sorts as the days do.
    std::sort(dated.begin(), dated.end(), std::greater<QString>());
    for (int i = kKept; i < dated.size(); ++i)
        removeTree(root, QFile::encodeName(dated.at(i)).constData());
    ::close(root);
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
    // Backup/ and today's backup must be real folders: through a link the
    // copy and the pruning would work on a folder elsewhere, and a link
    // under today's name is no backup at all.
    // (Another workstation may make Backup/ at the same moment.)
    if (kindAt(rootPath) == Kind::Missing)
        dir.mkdir(kFolder);
    if (kindAt(rootPath) != Kind::Folder)
        return failed(r, QStringLiteral("no folder %1 can be had").arg(rootPath));
    switch (kindAt(r.folder)) {
    case Kind::Folder:
        r.outcome = Outcome::AlreadyThere;
        return r;
    case Kind::Link:
        // Removed as a link; today's backup is made in its place.
        if (!QFile::remove(r.folder))
            return failed(r, QStringLiteral("cannot remove the link %1").arg(r.folder));
        break;
    case Kind::Other:
        return failed(r, QStringLiteral("%1 is not a backup folder").arg(r.folder));
    case Kind::Missing:
        break;
    }

    QTemporaryDir partial(QDir(rootPath).filePath(day.toString(kDateFormat) + kPartialMark + QStringLiteral("XXXXXX")));
    if (!partial.isValid())
        return failed(r, QStringLiteral("cannot create a folder in %1: %2").arg(rootPath, partial.errorString()));
    // A temporary folder is private to its maker; a backup is for whoever
    // restores it, from any workstation.
    QFile::setPermissions(partial.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    // Regular files only: a link is skipped, whatever it points to (a FIFO,
    // a device, somebody's private file elsewhere), as the archives refuse
    // it too; so are FIFOs and devices themselves.
    const QFileInfoList files = dir.entryInfoList(copiedPatterns(), QDir::Files | QDir::NoSymLinks, QDir::Name);
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
    prune(rootPath, day);
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
