#include "storage/DailyBackup.h"

#include "storage/ClientRecord.h"
#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/IniFile.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include "platform/FileSystem.h"

#include <QRegularExpression>

#include <cerrno>

#include <algorithm>
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

using FileSystem::Descriptor;
using FileSystem::Kind;

// What stands under a name, looked at without following a link.
Kind kindAt(int folder, const QString& name)
{
    return FileSystem::entryAt(folder, name).kind;
}

// Whether name in the open folder at is the very folder held open as fd.
bool isHeldFolder(int at, const QString& name, int fd)
{
    return kindAt(at, name) == Kind::Folder && FileSystem::isSameFileAt(at, name, fd);
}

// Renames the finished copy to its date unless that name already exists:
// of two workstations copying at once, the first rename wins and the other
// finds the name taken. Taken means by a real folder: the other's backup.
bool renameNoReplace(int root, const QString& from, const QString& to, bool& taken)
{
    taken = false;
    if (FileSystem::renameNoReplaceAt(root, from, to))
        return true;
    taken = (errno == EEXIST || errno == ENOTEMPTY) && kindAt(root, to) == Kind::Folder;
    return false;
}

// Deepest folder removed: a backup holds files only, so anything deeper is
// not one of ours, and each level holds a descriptor open.
constexpr int kDeepest = 8;

// Removes name from the open folder at with all it holds. Every entry is
// removed where it stands: a link, at the top or anywhere inside, is removed
// as a link and never followed, so nothing outside the folder is touched,
// whatever is put inside it or swapped in while it is removed.
bool removeTree(int at, const QString& name, int depth = 0)
{
    if (FileSystem::removeAt(at, name) || errno == ENOENT)
        return true;
    if (errno != EISDIR || depth > kDeepest)
        return false;
    const Descriptor folder(FileSystem::openFolderAt(at, name));
    if (!folder.valid())
        return false;
    bool ok = true;
    for (const QString& inside : FileSystem::namesIn(folder.get()))
        ok = removeTree(folder.get(), inside, depth + 1) && ok;
    return ok && FileSystem::removeFolderAt(at, name);
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
    for (const QString& name : FileSystem::namesIn(root)) {
        const QDate backup = dayOf(name);
        const QDate partial = dayOfPartial(name);
        if (!backup.isValid() && !partial.isValid())
            continue;
        const Kind kind = kindAt(root, name);
        if (kind == Kind::Link)
            FileSystem::removeAt(root, name);
        if (kind != Kind::Folder)
            continue;
        if (backup.isValid() && backup <= day)
            dated << name;
        else if (partial.isValid() && partial < day)
            removeTree(root, name);
    }
    // yyyy-mm-dd sorts as the days do.
    std::sort(dated.begin(), dated.end(), std::greater<QString>());
    for (int i = kKept; i < dated.size(); ++i)
        removeTree(root, dated.at(i));
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
    if (name == QLatin1String("Impostazioni.ini") || name == QLatin1String("unins000.dll")
        || name == QLatin1String("Destinatari.ini"))
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
Copied copyInto(int top, const QString& name, int recordSize, int to)
{
    const Descriptor in(FileSystem::openRegularAt(top, name));
    if (!in.valid())
        return errno == ENOENT || errno == ELOOP || errno == EINVAL ? Copied::Refused : Copied::Failed;
    const FileLock lock(in.get(), FileLock::Shared, 0, 0, FileLock::kBoundedWaitMs);
    if (lock.timedOut())
        return Copied::Held;
    const FileSystem::Entry source = FileSystem::entryAt(top, name);
    const qint64 size = FileSystem::sizeOf(in.get());
    if (size < 0)
        return Copied::Failed;
    if (!saneSize(recordSize, size))
        return Copied::Refused;
    const Descriptor out(FileSystem::createNewAt(to, name, 0600));
    if (!out.valid())
        return Copied::Failed;
    FileSystem::Entry like = source;
    like.group = -1;
    const bool ok = (source.kind != Kind::File || FileSystem::keepPermissions(out.get(), like))
                    && FileWrites::copyContents(in.get(), out.get()) && FileSystem::flush(out.get());
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
            m_name = day.toString(kDateFormat) + kPartialMark + QString::fromLatin1(FileWrites::randomSuffix());
            if (!FileSystem::makeFolderAt(root, m_name)) {
                if (errno == EEXIST)
                    continue;
                return;
            }
            m_fd.reset(FileSystem::openFolderAt(root, m_name));
        }
    }
    ~PartialFolder()
    {
        if (!m_fd.valid() || m_kept)
            return;
        for (const QString& file : m_files)
            FileSystem::removeAt(m_fd.get(), file);
        if (isHeldFolder(m_root, m_name, m_fd.get()))
            FileSystem::removeFolderAt(m_root, m_name);
        else if (kindAt(m_root, m_name) == Kind::Link)
            FileSystem::removeAt(m_root, m_name);
    }
    PartialFolder(const PartialFolder&) = delete;
    PartialFolder& operator=(const PartialFolder&) = delete;

    bool valid() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }
    const QString& name() const { return m_name; }
    void added(const QString& file) { m_files.push_back(file); }
    void keep() { m_kept = true; }

private:
    int m_root;
    QString m_name;
    Descriptor m_fd;
    std::vector<QString> m_files;
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
    const Descriptor top(FileSystem::openFolder(folder));
    if (!top.valid())
        return failed(r, QStringLiteral("cannot open %1").arg(folder));
    // (Another workstation may make Backup/ at the same moment.)
    if (!FileSystem::makeFolderAt(top.get(), kFolder) && errno != EEXIST)
        return failed(r, QStringLiteral("cannot create %1").arg(rootPath));
    const Descriptor root(FileSystem::openFolderAt(top.get(), kFolder));
    if (!root.valid())
        return failed(r, QStringLiteral("no folder %1 can be had").arg(rootPath));
    const QString today = day.toString(kDateFormat);
    switch (kindAt(root.get(), today)) {
    case Kind::Folder:
        r.outcome = Outcome::AlreadyThere;
        return r;
    case Kind::Link:
        // Removed as a link; today's backup is made in its place.
        if (!FileSystem::removeAt(root.get(), today))
            return failed(r, QStringLiteral("cannot remove the link %1").arg(r.folder));
        break;
    case Kind::File:
    case Kind::Other:
        return failed(r, QStringLiteral("%1 is not a backup folder").arg(r.folder));
    case Kind::Missing:
        break;
    }

    PartialFolder partial(root.get(), day);
    if (!partial.valid())
        return failed(r, QStringLiteral("cannot create a folder in %1").arg(rootPath));
    QStringList names = FileSystem::namesIn(top.get());
    std::sort(names.begin(), names.end());
    for (const QString& name : names) {
        const QString& shown = name;
        const int recordSize = recordSizeOf(shown);
        if (recordSize < 0)
            continue;
        partial.added(name);
        switch (copyInto(top.get(), name, recordSize, partial.fd())) {
        case Copied::Yes:
            break;
        case Copied::Refused: {
            // A link, a FIFO, a device, a file cut short or of no sane size:
            // not an archive of the program, and nothing a backup copies.
            const Kind kind = kindAt(top.get(), name);
            if (kind == Kind::File || kind == Kind::Other)
                r.refused << shown;
            break;
        }
        case Copied::Held:
            r.held = folder + QLatin1Char('/') + shown;
            return failed(r, QStringLiteral("%1 is held locked").arg(shown));
        case Copied::Failed:
            return failed(r, QStringLiteral("cannot copy %1").arg(shown));
        }
    }
    if (!FileSystem::flushFolder(partial.fd()))
        return failed(r, QStringLiteral("cannot sync the copy"));
    bool taken = false;
    if (!renameNoReplace(root.get(), partial.name(), today, taken)) {
        if (!taken)
            return failed(r, QStringLiteral("cannot rename the copy to %1").arg(r.folder));
        // Another workstation made today's backup meanwhile; ours goes.
        r.outcome = Outcome::AlreadyThere;
        return r;
    }
    // What was renamed must be the folder that holds the copies: a link
    // swapped in under the temporary name is no backup.
    if (!isHeldFolder(root.get(), today, partial.fd())) {
        if (kindAt(root.get(), today) == Kind::Link)
            FileSystem::removeAt(root.get(), today);
        return failed(r, QStringLiteral("the copy was swapped for something else"));
    }
    partial.keep();
    FileSystem::flushFolder(root.get());
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
