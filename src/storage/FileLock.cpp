#include "storage/FileLock.h"

#include "storage/RegularFile.h"

#include "platform/FileSystem.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>

namespace {

FileSystem::LockKind kindOf(FileLock::Kind kind)
{
    return kind == FileLock::Shared ? FileSystem::LockKind::Shared : FileSystem::LockKind::Exclusive;
}

} // namespace

FileLock::FileLock(int fd, Kind kind, qint64 start, qint64 length) : m_fd(fd), m_start(start), m_length(length)
{
    m_locked = FileSystem::lock(m_fd, kindOf(kind), m_start, m_length, true) == FileSystem::Locked::Yes;
}

FileLock::FileLock(int fd, Kind kind, qint64 start, qint64 length, int waitMs)
    : m_fd(fd), m_start(start), m_length(length)
{
    // No waiting call takes a time limit: the lock is tried, and tried
    // again a little later, more and more rarely, until the limit.
    const QDeadlineTimer deadline(waitMs);
    int pause = 1;
    while (true) {
        const FileSystem::Locked got = FileSystem::lock(m_fd, kindOf(kind), m_start, m_length, false);
        if (got != FileSystem::Locked::Busy) {
            m_locked = got == FileSystem::Locked::Yes;
            return;
        }
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
    if (m_locked)
        FileSystem::unlock(m_fd, m_start, m_length);
}

ReplacementLock::ReplacementLock(const QString& path)
{
    const QFileInfo file(path);
    m_lockName = file.absolutePath() + QLatin1String("/.") + file.fileName() + QLatin1String(".lock");
    // A round ends with the lock held on the file that bears the name, or
    // starts again when the holder before removed that file meanwhile. Each
    // round lost means another workstation wrote in between; the rounds
    // together wait no longer than one bounded wait. A name still held by a
    // removed file (Windows keeps it until its last holder lets go) is a
    // round lost too, after a short pause.
    const QDeadlineTimer deadline(FileLock::kBoundedWaitMs);
    for (int round = 0; round < 1000 && !deadline.hasExpired(); ++round) {
        FileSystem::Descriptor fd(RegularFile::openForUpdate(m_lockName));
        if (!fd.valid()) {
            if (errno != EAGAIN)
                return;
            QThread::msleep(std::min(1 << std::min(round, 5), 20));
            continue;
        }
        FileSystem::shareLockFile(fd.get(), file.absolutePath());
        m_lock.emplace(fd.get(), FileLock::Exclusive, 0, 0, int(std::max<qint64>(0, deadline.remainingTime())));
        if (!m_lock->locked()) {
            m_lock.reset();
            return;
        }
        if (FileSystem::isSameFile(fd.get(), m_lockName)) {
            m_fd = fd.release();
            return;
        }
        // The holder before removed it while this one waited.
        m_lock.reset();
    }
}

ReplacementLock::~ReplacementLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held: a workstation waiting on it finds it gone
    // and takes a new one, never this one after its release.
    FileSystem::removeFile(m_lockName);
    m_lock.reset();
    FileSystem::close(m_fd);
}

QString lockFileMessage(const QString& lockPath)
{
    return QStringLiteral("Attenzione: non è stato possibile ottenere l'uso esclusivo del file\n\r\n\r%1\n\r\n\r"
                          "che un'altra postazione tiene bloccato o che non è un file valido. "
                          "Le modifiche non sono state salvate.")
        .arg(lockPath);
}
