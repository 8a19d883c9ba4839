#include "storage/FileWrites.h"

#include <QSaveFile>

#include <cerrno>
#include <linux/fs.h>
#include <sys/ioctl.h>
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

// The bytes go straight to the temporary file's descriptor: a write the
// disk refuses fails at the write itself, not later in a flush whose
// failure commit() would not tell. No direct-write fallback either: writing
// over the old file in place is exactly what a failure must never leave
// behind.
Replacement::Replacement(const QString& path) : m_file(std::make_unique<QSaveFile>(path))
{
    m_ok = m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

Replacement::~Replacement()
{
    if (m_file->isOpen())
        m_file->cancelWriting();   // QSaveFile then removes the temporary file
}

bool Replacement::write(const char* data, qint64 size)
{
    if (!m_ok)
        return false;
    const int fd = m_file->handle();
    for (qint64 done = 0; done < size;) {
        const qint64 n = writeAt(fd, data + done, size - done, m_written);
        if (n <= 0) {
            m_ok = false;
            m_file->cancelWriting();
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
    m_ok = false;   // one commit per replacement
    if (::fsync(m_file->handle()) != 0) {
        m_file->cancelWriting();
        return false;
    }
    return m_file->commit();
}

} // namespace FileWrites
