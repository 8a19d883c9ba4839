// The operating system's files on Linux (and other POSIX systems): descriptors
// and errno are the system's own.
#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

namespace FileSystem {
namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Keeps fd only when it is a regular file, and makes its reads blocking
// again (the file was opened without waiting, in case it was a FIFO).
int keepRegular(int fd)
{
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Opens what stands under name in the folder at, with flags (the access
// mode, O_NOFOLLOW to refuse a link), only when it is a regular file. What
// the name holds is looked at first through a handle that opens nothing
// (O_PATH: no device woken or rewound, no FIFO's writer let through), and
// that very file is then opened through the handle, so nothing swapped in
// under the name meanwhile is opened instead. Without /proc the file is
// opened without waiting and looked at on its descriptor.
int openRegularFlags(int at, const char* name, int flags)
{
    const int probe = ::openat(at, name, O_PATH | O_CLOEXEC | (flags & O_NOFOLLOW));
    if (probe < 0)
        return -1;
    struct stat st {};
    if (::fstat(probe, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int kind = S_ISLNK(st.st_mode) ? ELOOP : EINVAL;
        ::close(probe);
        errno = kind;
        return -1;
    }
    char handle[32];
    std::snprintf(handle, sizeof handle, "/proc/self/fd/%d", probe);
    int fd;
    do {
        fd = ::open(handle, (flags & ~O_NOFOLLOW) | O_CLOEXEC);
    } while (fd == -1 && errno == EINTR);
    const bool noProc = fd == -1 && errno == ENOENT;
    ::close(probe);
    if (!noProc)
        return fd;
    do {
        fd = ::openat(at, name, flags | O_NONBLOCK | O_CLOEXEC);
    } while (fd == -1 && errno == EINTR);
    return keepRegular(fd);
}

int createAt(int at, const char* name, int mode)
{
    int fd;
    do {
        fd = ::openat(at, name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
    } while (fd == -1 && errno == EINTR);
    return fd;
}

Entry entryFrom(int rc, const struct stat& st, int at, const char* name)
{
    Entry e;
    if (rc != 0)
        return e;
    e.kind = S_ISREG(st.st_mode) ? Kind::File : S_ISDIR(st.st_mode) ? Kind::Folder
           : S_ISLNK(st.st_mode) ? Kind::Link : Kind::Other;
    e.size = st.st_size;
    e.mode = int(st.st_mode & 0777);
    e.group = qint64(st.st_gid);
    e.writable = ::faccessat(at, name, W_OK, AT_SYMLINK_NOFOLLOW) == 0
                 || (errno == EINVAL && ::faccessat(at, name, W_OK, 0) == 0);
    return e;
}

Stamp stampFrom(const struct stat& st)
{
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec),
            qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
}

struct flock range(short type, qint64 start, qint64 length)
{
    struct flock lk {};
    lk.l_type = type;
    lk.l_whence = SEEK_SET;
    lk.l_start = static_cast<off_t>(start);
    lk.l_len = static_cast<off_t>(length);
    return lk;
}

// The errors that mean "not this way here", as opposed to a real failure
// (a full disk, an I/O error) that no other way would get past.
bool notSupported(int error)
{
    return error == EOPNOTSUPP || error == ENOTSUP || error == EXDEV || error == EINVAL || error == ENOSYS
           || error == ENOTTY || error == EBADF || error == ETXTBSY;
}

// The bytes from offset up to end, copied inside the system where it can.
bool copyRange(int from, int to, qint64 offset, qint64 end, const std::function<bool(qint64, qint64)>& byWrites)
{
    while (offset < end) {
        loff_t in = offset, out = offset;
        const ssize_t n = ::copy_file_range(from, &in, to, &out, size_t(std::min<qint64>(end - offset, 1 << 30)), 0);
        if (n == 0)
            return true;
        if (n > 0) {
            offset += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        // Where the system cannot copy between these two files, what is
        // left goes through the program.
        return notSupported(errno) && byWrites(offset, end);
    }
    return true;
}

} // namespace

void Descriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

void close(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

int openRegular(const QString& path, Access access, Links links)
{
    return openRegularFlags(AT_FDCWD, native(path).constData(),
                            (access == Access::Read ? O_RDONLY : O_RDWR) | (links == Links::Refuse ? O_NOFOLLOW : 0));
}

int openRegularAt(int folder, const QString& name)
{
    return openRegularFlags(folder, native(name).constData(), O_RDONLY | O_NOFOLLOW);
}

int createNew(const QString& path, int mode)
{
    return createAt(AT_FDCWD, native(path).constData(), mode);
}

int createNewAt(int folder, const QString& name, int mode)
{
    return createAt(folder, native(name).constData(), mode);
}

qint64 readAt(int fd, char* data, qint64 size, qint64 offset)
{
    ssize_t n;
    do {
        n = ::pread(fd, data, size_t(size), off_t(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    ssize_t n;
    do {
        n = ::pwrite(fd, data, size_t(size), off_t(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

qint64 sizeOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
}

bool truncate(int fd, qint64 size)
{
    return ::ftruncate(fd, off_t(size)) == 0;
}

bool flush(int fd, bool dataOnly)
{
    int rc;
    do {
        rc = dataOnly ? ::fdatasync(fd) : ::fsync(fd);
    } while (rc == -1 && errno == EINTR);
    return rc == 0;
}

Locked lock(int fd, LockKind kind, qint64 start, qint64 length, bool wait)
{
    struct flock lk = range(kind == LockKind::Shared ? F_RDLCK : F_WRLCK, start, length);
    while (true) {
        if (::fcntl(fd, wait ? F_SETLKW : F_SETLK, &lk) == 0)
            return Locked::Yes;
        if (errno == EINTR)
            continue;
        return !wait && (errno == EAGAIN || errno == EACCES) ? Locked::Busy : Locked::Failed;
    }
}

void unlock(int fd, qint64 start, qint64 length)
{
    struct flock lk = range(F_UNLCK, start, length);
    ::fcntl(fd, F_SETLK, &lk);
}

Entry entryOf(const QString& path)
{
    const QByteArray name = native(path);
    struct stat st {};
    const int rc = ::fstatat(AT_FDCWD, name.constData(), &st, AT_SYMLINK_NOFOLLOW);
    return entryFrom(rc, st, AT_FDCWD, name.constData());
}

Entry entryAt(int folder, const QString& name)
{
    const QByteArray n = native(name);
    struct stat st {};
    const int rc = ::fstatat(folder, n.constData(), &st, AT_SYMLINK_NOFOLLOW);
    return entryFrom(rc, st, folder, n.constData());
}

Stamp stampOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? stampFrom(st) : Stamp{};
}

bool sameFile(const Stamp& a, const Stamp& b)
{
    return a != Stamp{} && a[0] == b[0] && a[1] == b[1];
}

bool isSameFile(int fd, const QString& path)
{
    struct stat named {};
    return ::lstat(native(path).constData(), &named) == 0 && sameFile(stampOf(fd), stampFrom(named));
}

bool isSameFileAt(int folder, const QString& name, int fd)
{
    struct stat named {};
    return ::fstatat(folder, native(name).constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && sameFile(stampOf(fd), stampFrom(named));
}

bool keepPermissions(int fd, const Entry& like)
{
    if (::fchmod(fd, mode_t(like.mode)) != 0)
        return false;
    // On a folder shared by several users the file keeps the group that
    // lets the others read it; a user outside that group cannot give it,
    // and the file is theirs as any new one would be.
    if (like.group >= 0)
        (void)!::fchown(fd, uid_t(-1), gid_t(like.group));
    return true;
}

void shareLockFile(int fd, const QString& folder)
{
    struct stat held {}, owner {};
    if (::fstat(fd, &held) != 0 || held.st_uid != ::geteuid() || ::stat(native(folder).constData(), &owner) != 0)
        return;
    // Another user of the shared folder must be able to take it too; one
    // outside the folder's group cannot give it that group, and the lock
    // file keeps the one it has.
    if (held.st_gid != owner.st_gid)
        (void)!::fchown(fd, uid_t(-1), owner.st_gid);
    ::fchmod(fd, 0664);
}

bool replaceByRename(const QString& from, const QString& to)
{
    // A rename over a file is atomic here and never refused because the old
    // file is open elsewhere: nothing to wait for.
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

bool removeFile(const QString& path)
{
    return ::unlink(native(path).constData()) == 0;
}

bool flushFolderOf(const QString& path)
{
    const QByteArray p = native(path);
    const int slash = p.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : p.left(slash);
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder that cannot be opened for reading cannot be synced either.
    return !fd.valid() || flushFolder(fd.get());
}

int openFolder(const QString& path)
{
    return ::open(native(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int openFolderAt(int folder, const QString& name)
{
    return ::openat(folder, native(name).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool makeFolderAt(int folder, const QString& name)
{
    // A backup is for whoever restores it, from any workstation: the
    // umask decides who else may write in it.
    return ::mkdirat(folder, native(name).constData(), 0777) == 0;
}

bool flushFolder(int folder)
{
    // A file system that cannot sync a folder (some network shares) says
    // EINVAL: there is nothing more to do there.
    return flush(folder) || errno == EINVAL;
}

bool flushFilesAt(int folder, const QStringList& names)
{
    // One sync of the file system holding the folder costs what one fsync
    // does and covers every file: far cheaper than a sync per file.
    if (names.isEmpty())
        return true;
    return ::syncfs(folder) == 0;
}

QStringList namesIn(int folder)
{
    QStringList names;
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names << QFile::decodeName(e->d_name);
    }
    ::closedir(dir);
    return names;
}

bool removeAt(int folder, const QString& name)
{
    if (::unlinkat(folder, native(name).constData(), 0) == 0)
        return true;
    if (errno == EPERM || errno == EISDIR) {
        // Linux says EISDIR for a folder, other systems EPERM.
        struct stat st {};
        if (::fstatat(folder, native(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
            errno = EISDIR;
    }
    return false;
}

bool removeFolderAt(int folder, const QString& name)
{
    return ::unlinkat(folder, native(name).constData(), AT_REMOVEDIR) == 0;
}

bool renameNoReplaceAt(int folder, const QString& from, const QString& to)
{
    const QByteArray f = native(from), t = native(to);
    if (::renameat2(folder, f.constData(), folder, t.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot refuse to replace (some network shares).
    struct stat st;
    if (::fstatat(folder, f.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(st.st_mode)) {
        // A file takes its new name as a second link, which is never made
        // over a name already there, and then loses its old one.
        if (::linkat(folder, f.constData(), folder, t.constData(), 0) == 0) {
            ::unlinkat(folder, f.constData(), 0);
            return true;
        }
        if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
            return false;
        // Nor links: the name is looked at just before the rename.
        if (::fstatat(folder, t.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) {
            errno = EEXIST;
            return false;
        }
    }
    // rename() never replaces a folder that holds files, and an empty one is
    // no backup.
    return ::renameat(folder, f.constData(), folder, t.constData()) == 0;
}

bool copyInSystem(int from, int to, qint64 size, const std::function<bool(qint64, qint64)>& byWrites)
{
#ifdef FICLONE
    if (::ioctl(to, FICLONE, from) == 0)
        return true;
    if (!notSupported(errno))
        return false;
#endif
    // Only the parts that hold data are copied; a hole stays a hole, so a
    // sparse file takes no more room in the copy than in the original.
    // Where holes cannot be told, the whole file counts as data.
    qint64 offset = 0;
    while (offset < size) {
        off_t data = ::lseek(from, off_t(offset), SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            break;   // nothing but a hole up to the end
        off_t hole = data < 0 ? off_t(size) : ::lseek(from, data, SEEK_HOLE);
        if (data < 0) {
            data = off_t(offset);
        } else if (hole < 0) {
            hole = off_t(size);
        }
        const qint64 end = std::min<qint64>(hole, size);
        if (!copyRange(from, to, data, end, byWrites))
            return false;
        offset = end;
    }
    return ::ftruncate(to, off_t(size)) == 0;
}

void* reserveMemory(std::size_t bytes, bool touchNow)
{
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | (touchNow ? MAP_POPULATE : 0), -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
    // Large areas in huge pages where the system allows: fewer faults as
    // they fill.
    if (!touchNow && bytes >= (std::size_t(2) << 20))
        ::madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

void* growMemory(void* area, std::size_t bytes, std::size_t newBytes)
{
    void* p = ::mremap(area, bytes, newBytes, MREMAP_MAYMOVE);
    if (p == MAP_FAILED)
        return nullptr;
    if (newBytes >= (std::size_t(2) << 20))
        ::madvise(p, newBytes, MADV_HUGEPAGE);
    return p;
}

bool shrinkMemory(void* area, std::size_t bytes, std::size_t newBytes)
{
    return ::mremap(area, bytes, newBytes, 0) != MAP_FAILED;
}

void releaseMemory(void* area, std::size_t bytes)
{
    if (area)
        ::munmap(area, bytes);
}

void prepareProcess()
{
    // A write beyond the process's file-size limit would end the program
    // with SIGXFSZ, leaving the user without a word; ignored, the write
    // fails with EFBIG and the screen reports the file it could not write.
    std::signal(SIGXFSZ, SIG_IGN);
}

// The desktop hands a document to xdg-open, which reports success as soon as
// it has started, even when no program for the file's type exists and
// nothing ever opens: the desktop is asked first.
bool hasProgramFor(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;   // no way to ask: the shell's own answer decides
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QMimeDatabase().mimeTypeForFile(path).name()});
    if (!query.waitForFinished(10000)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
           && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace FileSystem
