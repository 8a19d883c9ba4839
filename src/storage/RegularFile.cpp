#include "storage/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
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

// Opens what stands under name in the folder at, with flags (the access
// mode, O_NOFOLLOW to refuse a link), only when it is a regular file. What
// the name holds is looked at first through a handle that opens nothing
// (O_PATH: no device woken or rewound, no FIFO's writer let through), and
// that very file is then opened through the handle, so nothing swapped in
// under the name meanwhile is opened instead. Without /proc the file is
// opened without waiting and looked at on its descriptor.
int openRegularAt(int at, const char* name, int flags)
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

} // namespace

int openForReading(const QString& path, Links links)
{
    return openRegularAt(AT_FDCWD, QFile::encodeName(path).constData(),
                         O_RDONLY | (links == Links::Refuse ? O_NOFOLLOW : 0));
}

int openForUpdate(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Made here when missing (a new file is a regular one); otherwise opened
    // as any other. Should another workstation make it between the two
    // steps, the next round opens theirs.
    for (int round = 0; round < 8; ++round) {
        const int fd = openRegularAt(AT_FDCWD, name.constData(), O_RDWR | O_NOFOLLOW);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        int made;
        do {
            made = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        } while (made == -1 && errno == EINTR);
        if (made >= 0 || errno != EEXIST)
            return made;
    }
    return -1;
}

int openAt(int folder, const char* name)
{
    return openRegularAt(folder, name, O_RDONLY | O_NOFOLLOW);
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
