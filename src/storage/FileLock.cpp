#include "storage/FileLock.h"

#include "storage/RegularFile.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct flock range(short type, qint64 start, qint64 length)
{
    struct flock lk {};
    lk.l_type = type;
    lk.l_whence = SEEK_SET;
    lk.l_start = static_cast<off_t>(start);
    lk.l_len = static_cast<off_t>(length);
    return lk;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

FileLock::FileLock(int fd, Kind kind, qint64 start, qint64 length) : m_fd(fd), m_start(start), m_length(length)
{
    struct flock lk = range(kind == Shared ? F_RDLCK : F_WRLCK, m_start, m_length);
    int rc;
    do {
        rc = ::fcntl(m_fd, F_SETLKW, &lk);
    } while (rc == -1 && errno == EINTR);
    m_locked = (rc == 0);
}

FileLock::~FileLock()
{
    if (!m_locked)
        return;
    struct flock lk = range(F_UNLCK, m_start, m_length);
    ::fcntl(m_fd, F_SETLK, &lk);
}

ReplacementLock::ReplacementLock(const QString& path)
{
    const QFileInfo file(path);
    const QString lockPath = file.absolutePath() + QLatin1String("/.") + file.fileName() + QLatin1String(".lock");
    m_lockPath = QFile::encodeName(lockPath);
    // A round ends with the lock held on the file that bears the name, or
    // starts again when the holder before removed that file meanwhile. Each
    // round lost means another workstation wrote in between; after many
    // the write goes ahead without the lock rather than wait on for good.
    for (int round = 0; round < 64; ++round) {
        const int fd = RegularFile::openForUpdate(lockPath);
        if (fd < 0)
            return;
        m_lock.emplace(fd, FileLock::Exclusive);
        if (!m_lock->locked()) {
            m_lock.reset();
            ::close(fd);
            return;
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::lstat(m_lockPath.constData(), &named) == 0 && sameFile(held, named)) {
            m_fd = fd;
            return;
        }
        // The holder before removed it while this one waited.
        m_lock.reset();
        ::close(fd);
    }
}

ReplacementLock::~ReplacementLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held: a workstation waiting on it finds it gone
    // and takes a new one, never this one after its release.
    ::unlink(m_lockPath.constData());
    m_lock.reset();
    ::close(m_fd);
}
