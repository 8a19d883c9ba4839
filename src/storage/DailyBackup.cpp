#include "storage/DailyBackup.h"

#include "storage/ClientRecord.h"
#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/IniFile.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"
#include "storage/RegularFile.h"

#include <QFile>
#include <QRegularExpression>

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

// A descriptor closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

int openFolderAt(int at, const char* name)
{
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether name in the open folder at is the very folder held open as fd.
bool isHeldFolder(int at, const char* name, int fd)
{
    struct stat named {}, held {};
    return ::fstatat(at, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &held) == 0
           && S_ISDIR(named.st_mode) && sameFile(named, held);
}

// Renames the finished copy to its date unless that name already exists:
// of two workstations copying at once, the first rename wins and the other
// finds the name taken. Taken means by a real folder: the other's backup.
bool renameNoReplace(int root, const char* from, const char* to, bool& taken)
{
    taken = false;
    if (::renameat2(root, from, root, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // A file system that cannot refuse to replace: rename() still never
        // replaces a folder that holds files, and an empty one is no backup.
        if (::renameat(root, from, root, to) == 0)
            return true;
    }
    taken = (errno == EEXIST || errno == ENOTEMPTY) && kindAt(root, to) == Kind::Folder;
    return false;
}

// The names in the open folder at, "." and ".." aside.
std::vector<std::string> namesIn(int at)
{
    std::vector<std::string> names;
    const int fd = ::openat(at, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR* folder = ::fdopendir(fd);
    if (!folder) {
        ::close(fd);
        return names;
    }
    while (const dirent* e = ::readdir(folder)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    }
    ::closedir(folder);
    return names;
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
    const Descriptor folder(openFolderAt(at, name));
    if (!folder.valid())
        return false;
    bool ok = true;
    for (const std::string& inside : namesIn(folder.get()))
        ok = removeTree(folder.get(), inside.c_str(), depth + 1) && ok;
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
void prune(int root, const QDate& day)
{
    QStringList dated;
    for (const std::string& entryName : namesIn(root)) {
        const QString name = QFile::decodeName(entryName.c_str());
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
}

Result failed(Result r, const QString& reason)
{
    r.outcome = Outcome::Failed;
    r.reason = reason;
    return r;
}

// The largest archive copied: far beyond what a shop writes in a lifetime.
constexpr qint64 kMaxRecords = 5000000;

// The record length of one of the program's own archives, 0 for the
// settings and the store (text files of a few lines), -1 for any other name.
int recordSizeOf(const QString& name)
{
    static const QRegularExpression year(QStringLiteral("^\\d{4}\\.ric$"));
    if (name == QLatin1String(TRecCliente::FileName))
        return TRecCliente::Size;
    if (name == QLatin1String(TRecMateriale::FileName))
        return TRecMateriale::Size;
    if (year.match(name).hasMatch())
        return TRecRicevuta::Size;
    if (name == QLatin1String("Impostazioni.ini") || name == QLatin1String("unins000.dll"))
        return 0;
    return -1;
}

// Whether a file of this size can be the archive named: whole records and no
// more of them than any shop keeps; a text file within the size ever read.
bool saneSize(int recordSize, qint64 size)
{
    if (recordSize == 0)
        return size <= IniFile::kMaxFileSize;
    return size % recordSize == 0 && size / recordSize <= kMaxRecords;
}

enum class Copied { Yes, Refused, Held, Failed };

// Copies name of the open folder top into the open folder to, under a shared
// lock on the whole source waited for within a bound: the copy holds no
// record another workstation is halfway through writing. The source is
// opened without following a link and must be a regular file; the copy is
// created in the held folder, never through a name.
Copied copyInto(int top, const std::string& name, int recordSize, int to)
{
    const Descriptor in(RegularFile::openAt(top, name.c_str()));
    if (!in.valid())
        return errno == ENOENT || errno == ELOOP || errno == EINVAL ? Copied::Refused : Copied::Failed;
    const FileLock lock(in.get(), FileLock::Shared, 0, 0, FileLock::kBoundedWaitMs);
    if (lock.timedOut())
        return Copied::Held;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return Copied::Failed;
    if (!saneSize(recordSize, st.st_size))
        return Copied::Refused;
    const Descriptor out(::openat(to, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.valid())
        return Copied::Failed;
    const bool ok = ::fchmod(out.get(), st.st_mode & 0777) == 0 && FileWrites::copyContents(in.get(), out.get())
                    && ::fsync(out.get()) == 0;
    return ok ? Copied::Yes : Copied::Failed;
}

// The folder a backup is written into, under Backup/ and held open from the
// moment it is made: whatever is later put under its name, the copies go
// into this folder and nowhere else. Unless kept, it is removed when it
// goes, through the descriptors: the files it was given, then the folder
// itself if its name still holds it; anything swapped in under that name is
// removed as a link or left alone, never entered.
class PartialFolder
{
public:
    PartialFolder(int root, const QDate& day) : m_root(root)
    {
        for (int attempt = 0; attempt < 100 && !m_fd.valid(); ++attempt) {
            m_name = (QFile::encodeName(day.toString(kDateFormat) + kPartialMark) + FileWrites::randomSuffix()).toStdString();
            // A backup is for whoever restores it, from any workstation.
            if (::mkdirat(root, m_name.c_str(), 0755) != 0) {
                if (errno == EEXIST)
                    continue;
                return;
            }
            m_fd.reset(openFolderAt(root, m_name.c_str()));
        }
    }
    ~PartialFolder()
    {
        if (!m_fd.valid() || m_kept)
            return;
        for (const std::string& file : m_files)
            ::unlinkat(m_fd.get(), file.c_str(), 0);
        if (isHeldFolder(m_root, m_name.c_str(), m_fd.get()))
            ::unlinkat(m_root, m_name.c_str(), AT_REMOVEDIR);
        else if (kindAt(m_root, m_name.c_str()) == Kind::Link)
            ::unlinkat(m_root, m_name.c_str(), 0);
    }
    PartialFolder(const PartialFolder&) = delete;
    PartialFolder& operator=(const PartialFolder&) = delete;

    bool valid() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }
    const char* name() const { return m_name.c_str(); }
    void added(const std::string& file) { m_files.push_back(file); }
    void keep() { m_kept = true; }

private:
    int m_root;
    std::string m_name;
    Descriptor m_fd;
    std::vector<std::string> m_files;
    bool m_kept = false;
};

} // namespace

Result make(const QString& folder, const QDate& day)
{
    Result r;
    const QString rootPath = folder + QLatin1Char('/') + kFolder;
    r.folder = rootPath + QLatin1Char('/') + day.toString(kDateFormat);
    if (!day.isValid())
        return failed(r, QStringLiteral("no valid date"));
    // Every step works on folders held open, never on a path looked up
    // again: Backup/ and today's backup must be real folders, and a folder
    // swapped for a link while the copy waits cannot send a byte or a
    // deletion elsewhere.
    const Descriptor top(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!top.valid())
        return failed(r, QStringLiteral("cannot open %1").arg(folder));
    const QByteArray rootName = QFile::encodeName(kFolder);
    // (Another workstation may make Backup/ at the same moment.)
    if (::mkdirat(top.get(), rootName.constData(), 0777) != 0 && errno != EEXIST)
        return failed(r, QStringLiteral("cannot create %1").arg(rootPath));
    const Descriptor root(openFolderAt(top.get(), rootName.constData()));
    if (!root.valid())
        return failed(r, QStringLiteral("no folder %1 can be had").arg(rootPath));
    const QByteArray today = QFile::encodeName(day.toString(kDateFormat));
    switch (kindAt(root.get(), today.constData())) {
    case Kind::Folder:
        r.outcome = Outcome::AlreadyThere;
        return r;
    case Kind::Link:
        // Removed as a link; today's backup is made in its place.
        if (::unlinkat(root.get(), today.constData(), 0) != 0)
            return failed(r, QStringLiteral("cannot remove the link %1").arg(r.folder));
        break;
    case Kind::Other:
        return failed(r, QStringLiteral("%1 is not a backup folder").arg(r.folder));
    case Kind::Missing:
        break;
    }

    PartialFolder partial(root.get(), day);
    if (!partial.valid())
        return failed(r, QStringLiteral("cannot create a folder in %1").arg(rootPath));
    std::vector<std::string> names = namesIn(top.get());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const QString shown = QFile::decodeName(name.c_str());
        const int recordSize = recordSizeOf(shown);
        if (recordSize < 0)
            continue;
        partial.added(name);
        switch (copyInto(top.get(), name, recordSize, partial.fd())) {
        case Copied::Yes:
            break;
        case Copied::Refused:
            // A link, a FIFO, a device, a file cut short or of no sane size:
            // not an archive of the program, and nothing a backup copies.
            if (kindAt(top.get(), name.c_str()) == Kind::Other)
                r.refused << shown;
            break;
        case Copied::Held:
            r.held = folder + QLatin1Char('/') + shown;
            return failed(r, QStringLiteral("%1 is held locked").arg(shown));
        case Copied::Failed:
            return failed(r, QStringLiteral("cannot copy %1").arg(shown));
        }
    }
    if (::fsync(partial.fd()) != 0)
        return failed(r, QStringLiteral("cannot sync the copy"));
    bool taken = false;
    if (!renameNoReplace(root.get(), partial.name(), today.constData(), taken)) {
        if (!taken)
            return failed(r, QStringLiteral("cannot rename the copy to %1").arg(r.folder));
        // Another workstation made today's backup meanwhile; ours goes.
        r.outcome = Outcome::AlreadyThere;
        return r;
    }
    // What was renamed must be the folder that holds the copies: a link
    // swapped in under the temporary name is no backup.
    if (!isHeldFolder(root.get(), today.constData(), partial.fd())) {
        if (kindAt(root.get(), today.constData()) == Kind::Link)
            ::unlinkat(root.get(), today.constData(), 0);
        return failed(r, QStringLiteral("the copy was swapped for something else"));
    }
    partial.keep();
    ::fsync(root.get());
    r.outcome = Outcome::Made;
    prune(root.get(), day);
    return r;
}

QString failureMessage()
{
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera degli archivi.");
}

QString failureMessage(const Result& r)
{
    if (r.held.isEmpty())
        return failureMessage();
    return failureMessage() + QStringLiteral("\n\r\n\rIl file\n\r\n\r%1\n\r\n\rè bloccato da un'altra postazione.")
                                  .arg(r.held);
}

QString refusedMessage(const QStringList& names)
{
    return QStringLiteral("Attenzione: i file seguenti non sono stati copiati nella copia di sicurezza giornaliera "
                          "perché la loro dimensione non è quella di un archivio integro:\n\r\n\r%1")
        .arg(names.join(QStringLiteral("\n\r")));
}

} // namespace DailyBackup
