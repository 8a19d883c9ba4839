#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// A lock on a byte range for the lifetime of the object.
// Writers lock the whole file exclusively, so two workstations appending at
// once never compute the same record count; readers lock what they read
// shared, so they never see a record that another workstation is halfway
// through rewriting. The locks also hold on network shares that support
// locking; where locking is not supported the operation goes ahead. On
// Windows a lock also keeps other descriptors from the range: what is read
// or written under it goes through fd.
class FileLock
{
public:
    enum Kind { Shared, Exclusive };
    // How long a lock is waited for when a wait is bounded: far longer than
    // any write of the program holds one, so only a hung workstation or a
    // lock planted by hand runs it out.
    static constexpr int kBoundedWaitMs = 10000;

    // length 0: from start to the end of the file, however it grows. Waits
    // as long as the lock is held elsewhere.
    FileLock(int fd, Kind kind, qint64 start = 0, qint64 length = 0);
    // The same, waiting at most waitMs: after that locked() is false and
    // timedOut() true.
    FileLock(int fd, Kind kind, qint64 start, qint64 length, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return m_locked; }
    bool timedOut() const { return m_timedOut; }

private:
    int m_fd;
    qint64 m_start;
    qint64 m_length;
    bool m_locked = false;
    bool m_timedOut = false;
};

// An exclusive lock around the read, the change and the replacement of a
// file that is written by renaming a new one over it (the settings, the
// password store), so that two workstations writing it at once never undo
// each other's values. A lock on the file itself would not do: after the
// rename the name holds a new file, and a workstation that opened the new
// one would not wait for one that locked the old. The lock is taken on a
// file beside it, ".<name>.lock", made for the occasion and removed on
// release, so the folder keeps only the program's own files; whoever got
// the lock on a lock file just removed tries again on the one now under the
// name. The lock file is made readable and writable by the group owning the
// folder, so every user of a shared folder can take it.
// When no lock can be had (something that is not a file under the lock's
// name, a folder that takes no new file, a share without locking, a lock
// held beyond the bounded wait), held() is false and the write must not go
// ahead: two workstations would undo each other's change without a word.
class ReplacementLock
{
public:
    explicit ReplacementLock(const QString& path);
    ~ReplacementLock();
    ReplacementLock(const ReplacementLock&) = delete;
    ReplacementLock& operator=(const ReplacementLock&) = delete;

    bool held() const { return m_fd >= 0; }
    // The full path of the lock file, for the message of a lock not held.
    QString lockPath() const { return m_lockName; }

private:
    QString m_lockName;
    int m_fd = -1;
    std::optional<FileLock> m_lock;
};

// What the user is told when the lock file of a write could not be had: the
// change was not written.
QString lockFileMessage(const QString& lockPath);
