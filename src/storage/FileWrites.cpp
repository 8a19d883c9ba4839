#include "storage/FileWrites.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace FileWrites {
namespace {

qint64 systemWrite(int fd, const char* data, qint64 size, qint64 offset)
{
    ssize_t n;
    do {
        n = ::pwrite(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

Writer& writer()
{
    static Writer w = systemWrite;
    return w;
}

bool& writerReplaced()
{
    static bool replaced = false;
    return replaced;
}

// The errors that mean "not this way here", as opposed to a real failure
// (a full disk, an I/O error) that no other way would get past.
bool notSupported(int error)
{
    return error == EOPNOTSUPP || error == ENOTSUP || error == EXDEV || error == EINVAL || error == ENOSYS
           || error == ENOTTY || error == EBADF || error == ETXTBSY;
}

// Reads and writes the bytes from offset up to end, a megabyte at a time,
// through writeAt.
bool copyByWrites(int from, int to, qint64 offset, qint64 end)
{
    std::vector<char> block(1 << 20);
    while (offset < end) {
        ssize_t n;
        do {
            n = ::pread(from, block.data(), size_t(std::min<qint64>(qint64(block.size()), end - offset)),
                        static_cast<off_t>(offset));
        } while (n < 0 && errno == EINTR);
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        for (qint64 done = 0; done < n;) {
            const qint64 w = writeAt(to, block.data() + done, n - done, offset + done);
            if (w <= 0)
                return false;
            done += w;
        }
        offset += n;
    }
    return true;
}

// The bytes from offset up to end, copied inside the system where it can.
bool copyRange(int from, int to, qint64 offset, qint64 end)
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
        return notSupported(errno) && copyByWrites(from, to, offset, end);
    }
    return true;
}

} // namespace

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    return writer()(fd, data, size, offset);
}

Writer setWriter(Writer w)
{
    Writer previous = std::move(writer());
    // The system's own call handed back (a test putting back the writer it
    // replaced) is no replacement: copies take the cheap ways again.
    using Call = qint64 (*)(int, const char*, qint64, qint64);
    const Call* call = w ? w.target<Call>() : nullptr;
    writerReplaced() = w && !(call && *call == systemWrite);
    writer() = w ? std::move(w) : Writer(systemWrite);
    return previous;
}

bool copyContents(int from, int to)
{
    struct stat st {};
    if (::fstat(from, &st) != 0)
        return false;
    const qint64 size = st.st_size;
    if (writerReplaced())
        return copyByWrites(from, to, 0, size);
    if (::ioctl(to, FICLONE, from) == 0)
        return true;
    if (!notSupported(errno))
        return false;
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
        if (!copyRange(from, to, data, end))
            return false;
        offset = end;
    }
    return ::ftruncate(to, off_t(size)) == 0;
}

QByteArray randomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix;
    for (int i = 0; i < 6; ++i)
        suffix += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return suffix;
}

bool replaceFile(const QString& path, const QByteArray& data)
{
    Replacement file(path);
    return file.write(data) && file.commit();
}

namespace {

// A file of a name no one else uses, beside path: path, a dot and six random
// letters or digits. Created here and now (O_EXCL), so neither a link nor a
// file someone put under that name in the meantime is ever written to.
int createBeside(const QByteArray& path, mode_t mode, QByteArray& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + '.' + randomSuffix();
        int fd;
        do {
            fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        } while (fd == -1 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The rename is an entry of the folder: until the folder is on disk, a power
// cut can bring the old file back after a save reported as done.
bool syncFolderOf(const QByteArray& path)
{
    const int slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;   // a folder that cannot be opened for reading cannot be synced either
    // A file system that cannot sync a folder (some network shares) says
    // EINVAL: there is nothing more to do there.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

} // namespace

// The bytes go straight to the temporary file's descriptor: a write the
// disk refuses fails at the write itself, not later in a flush. No
// direct-write fallback either: writing over the old file in place is
// exactly what a failure must never leave behind. The old file is looked at
// without following a link: a link is replaced like a file, by the rename,
// which changes the entry in this folder and nothing the link points to.
Replacement::Replacement(const QString& path) : m_path(QFile::encodeName(path))
{
    struct stat st {};
    bool keepMode = false;
    mode_t mode = 0;
    gid_t group = 0;
    if (::lstat(m_path.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return;
        if (!S_ISLNK(st.st_mode)) {
            if (::access(m_path.constData(), W_OK) != 0)
                return;
            keepMode = true;
            mode = st.st_mode & 0777;
            group = st.st_gid;
        }
    } else if (errno != ENOENT) {
        return;
    }
    // Private until it has the old file's permissions; a new file gets
    // what the system gives a file it creates (the umask applies).
    m_fd = createBeside(m_path, keepMode ? 0600 : 0666, m_temporary);
    if (m_fd < 0)
        return;
    if (keepMode && ::fchmod(m_fd, mode) != 0) {
        drop();
        return;
    }
    // On a folder shared by several users the file keeps the group that
    // lets the others read it; a user outside that group cannot give it,
    // and the file is theirs as any new one would be.
    if (keepMode)
        (void)!::fchown(m_fd, uid_t(-1), group);
    m_ok = true;
}

Replacement::~Replacement()
{
    drop();
}

void Replacement::drop()
{
    m_ok = false;
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_temporary.constData());
}

bool Replacement::write(const char* data, qint64 size)
{
    if (!m_ok)
        return false;
    for (qint64 done = 0; done < size;) {
        const qint64 n = writeAt(m_fd, data + done, size - done, m_written);
        if (n <= 0) {
            drop();
            return false;
        }
        done += n;
        m_written += n;
    }
    return true;
}

bool Replacement::commit()
{
    if (!m_ok)
        return false;
    if (::fsync(m_fd) != 0) {
        drop();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    m_ok = false;   // one commit per replacement
    if (::close(fd) != 0 || ::rename(m_temporary.constData(), m_path.constData()) != 0) {
        ::unlink(m_temporary.constData());
        return false;
    }
    return syncFolderOf(m_path);
}

} // namespace FileWrites
