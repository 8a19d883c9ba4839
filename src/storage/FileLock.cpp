#include "storage/FileLock.h"

#include "storage/RegularFile.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
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

FileLock::FileLock(int fd, Kind kind, qint64 start, qint64 length, int waitMs)
    : m_fd(fd), m_start(start), m_length(length)
{
    struct flock lk = range(kind == Shared ? F_RDLCK : F_WRLCK, m_start, m_length);
    // No waiting call takes a time limit: the lock is tried, and tried
    // again a little later, more and more rarely, until the limit.
    const QDeadlineTimer deadline(waitMs);
    int pause = 1;
    while (true) {
        if (::fcntl(m_fd, F_SETLK, &lk) == 0) {
            m_locked = true;
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EACCES)
            return;
        if (deadline.hasExpired()) {
            m_timedOut = true;
            return;
        }
        QThread::msleep(std::min<qint64>(pause, std::max<qint64>(1, deadline.remainingTime())));
        pause = std::min(pause * 2, 50);
    }
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
    m_lockName = file.absolutePath() + QLatin1String("/.") + file.fileName() + QLatin1String(".lock");
    m_lockPath = QFile::encodeName(m_lockName);
    struct stat folder {};
    const bool folderKnown = ::stat(QFile::encodeName(file.absolutePath()).constData(), &folder) == 0;
    // A round ends with the lock held on the file that bears the name, or
    // starts again when the holder before removed that file meanwhile. Each
    // round lost means another workstation wrote in between; the rounds
    // together wait no longer than one bounded wait.
    const QDeadlineTimer deadline(FileLock::kBoundedWaitMs);
    for (int round = 0; round < 64 && !deadline.hasExpired(); ++round) {
        const int fd = RegularFile::openForUpdate(m_lockName);
        if (fd < 0)
            return;
        struct stat held {};
        if (::fstat(fd, &held) == 0 && held.st_uid == ::geteuid() && folderKnown) {
            // Another user of the shared folder must be able to take it too;
            // one outside the folder's group cannot give it that group, and
            // the lock file keeps the one it has.
            if (held.st_gid != folder.st_gid)
                (void)!::fchown(fd, uid_t(-1), folder.st_gid);
            ::fchmod(fd, 0664);
        }
        m_lock.emplace(fd, FileLock::Exclusive, 0, 0, int(std::max<qint64>(0, deadline.remainingTime())));
        if (!m_lock->locked()) {
            m_lock.reset();
            ::close(fd);
            return;
        }
        struct stat named {};
        if (::lstat(m_lockPath.constData(), &named) == 0 && sameFile(held, named)) {
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

QString lockFileMessage(const QString& lockPath)
{
    return QStringLiteral("Attenzione: non è stato possibile ottenere l'uso esclusivo del file\n\r\n\r%1\n\r\n\r"
                          "che un'altra postazione tiene bloccato o che non è un file valido. "
                          "Le modifiche non sono state salvate.")
        .arg(lockPath);
}
