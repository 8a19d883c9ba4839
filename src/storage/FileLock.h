#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// An advisory fcntl lock on a byte range for the lifetime of the object.
// Writers lock the whole file exclusively, so two workstations appending at
// once never compute the same record count; readers lock what they read
// shared, so they never see a record that another workstation is halfway
// through rewriting. fcntl locks also work on network file systems that
// support locking; where locking is not supported the operation goes ahead.
class FileLock
{
public:
    enum Kind { Shared, Exclusive };

    // length 0: from start to the end of the file, however it grows.
    FileLock(int fd, Kind kind, qint64 start = 0, qint64 length = 0);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return m_locked; }

private:
    int m_fd;
    qint64 m_start;
    qint64 m_length;
    bool m_locked = false;
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
// name. Where no lock can be had (a share without locking, a folder that
// takes no new file) the write goes ahead without it, as the archives do.
class ReplacementLock
{
public:
    explicit ReplacementLock(const QString& path);
    ~ReplacementLock();
    ReplacementLock(const ReplacementLock&) = delete;
    ReplacementLock& operator=(const ReplacementLock&) = delete;

private:
    QByteArray m_lockPath;
    int m_fd = -1;
    std::optional<FileLock> m_lock;
};
