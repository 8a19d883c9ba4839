#include "storage/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace RegularFile {
namespace {

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

int openWith(const QString& path, int flags)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd == -1 && errno == EINTR);
    return keepRegular(fd);
}

} // namespace

int openForReading(const QString& path, Links links)
{
    return openWith(path, O_RDONLY | (links == Links::Refuse ? O_NOFOLLOW : 0));
}

int openForUpdate(const QString& path)
{
    return openWith(path, O_RDWR | O_CREAT | O_NOFOLLOW);
}

int openAt(int folder, const char* name)
{
    int fd;
    do {
        fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    } while (fd == -1 && errno == EINTR);
    return keepRegular(fd);
}

Outcome readAll(const QString& path, qint64 maxSize, QByteArray& contents, Links links)
{
    contents.clear();
    const int fd = openForReading(path, links);
    if (fd < 0)
        return errno == ENOENT ? Outcome::Missing : errno == ELOOP ? Outcome::Link : Outcome::Refused;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && st.st_size <= maxSize;
    // Room for the size found and one byte more: a file that grows while it
    // is read gets more room, up to one byte beyond the bound, which is
    // enough to know it is too large.
    const qint64 limit = maxSize + 1;
    QByteArray data(ok ? qint64(st.st_size) + 1 : 0, Qt::Uninitialized);
    qint64 got = 0;
    while (ok && got < limit) {
        if (got == data.size())
            data.resize(std::min<qint64>(limit, 2 * qint64(data.size())));
        const ssize_t n = ::read(fd, data.data() + got, size_t(data.size() - got));
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            got += n;
    }
    ::close(fd);
    if (!ok || got > maxSize)
        return Outcome::Refused;
    data.truncate(got);
    contents = data;
    return Outcome::Read;
}

} // namespace RegularFile
