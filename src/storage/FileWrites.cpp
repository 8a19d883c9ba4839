#include "storage/FileWrites.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Reads and writes from offset on, a megabyte at a time, through writeAt.
bool copyByWrites(int from, int to, qint64 offset)
{
    std::vector<char> block(1 << 20);
    while (true) {
        ssize_t n;
        do {
            n = ::pread(from, block.data(), block.size(), static_cast<off_t>(offset));
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
}

} // namespace

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    return writer()(fd, data, size, offset);
}

Writer setWriter(Writer w)
{
    Writer previous = std::move(writer());
    writerReplaced() = static_cast<bool>(w);
    writer() = w ? std::move(w) : Writer(systemWrite);
    return previous;
}

bool copyContents(int from, int to)
{
    if (writerReplaced())
        return copyByWrites(from, to, 0);
    if (::ioctl(to, FICLONE, from) == 0)
        return true;
    if (!notSupported(errno))
        return false;
    qint64 offset = 0;
    while (true) {
        loff_t in = offset, out = offset;
        const ssize_t n = ::copy_file_range(from, &in, to, &out, size_t(1) << 30, 0);
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
        return notSupported(errno) && copyByWrites(from, to, offset);
    }
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
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + '.';
        for (int i = 0; i < 6; ++i)
            temporary += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        int fd;
        do {
            fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        } while (fd == -1 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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
    if (::lstat(m_path.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return;
        if (!S_ISLNK(st.st_mode)) {
            if (::access(m_path.constData(), W_OK) != 0)
                return;
            keepMode = true;
            mode = st.st_mode & 0777;
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
    return true;
}

} // namespace FileWrites
