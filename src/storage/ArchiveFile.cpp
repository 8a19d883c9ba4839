#include "storage/ArchiveFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

QString archiveAccessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

namespace {

// Opens for reading and writing, creating the file when missing; an existing
// file that cannot be opened so (read-only, a folder in its place) is left alone.
// Unbuffered: every read and write goes to the file while its lock is held, and
// a write the file system refuses fails at once.
bool openArchive(QFile& file)
{
    if (QFileInfo(file.fileName()).isDir())
        return false;
    return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

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
    FileLock(int fd, Kind kind, qint64 start = 0, qint64 length = 0) : m_fd(fd), m_start(start), m_length(length)
    {
        struct flock lk = range(kind == Shared ? F_RDLCK : F_WRLCK);
        int rc;
        do {
            rc = ::fcntl(m_fd, F_SETLKW, &lk);
        } while (rc == -1 && errno == EINTR);
        m_locked = (rc == 0);
    }
    ~FileLock()
    {
        if (!m_locked)
            return;
        struct flock lk = range(F_UNLCK);
        ::fcntl(m_fd, F_SETLK, &lk);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    struct flock range(short type) const
    {
        struct flock lk {};
        lk.l_type = type;
        lk.l_whence = SEEK_SET;
        lk.l_start = static_cast<off_t>(m_start);
        lk.l_len = static_cast<off_t>(m_length);
        return lk;
    }

    int m_fd;
    qint64 m_start;
    qint64 m_length;
    bool m_locked = false;
};

// Reads exactly bytes at offset under a shared lock on them.
bool readAt(QFile& file, qint64 offset, char* data, qint64 bytes)
{
    FileLock lock(file.handle(), FileLock::Shared, offset, bytes);
    if (!file.seek(offset))
        return false;
    return file.read(data, bytes) == bytes;
}

// Writes the whole record at index and makes sure it reached the file.
bool writeAt(QFile& file, qint64 offset, const QByteArray& record)
{
    if (!file.seek(offset))
        return false;
    if (file.write(record) != record.size())
        return false;
    return file.flush();
}

} // namespace

ArchiveFile::ArchiveFile(const QString& path, int recordSize)
    : m_path(path.trimmed()), m_recordSize(recordSize)
{
}

bool ArchiveFile::count(qint64& records)
{
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    // Shared: a count waits for an append of another workstation to finish,
    // so the number a receipt is proposed counts that record too.
    FileLock lock(file.handle(), FileLock::Shared);
    records = file.size() / m_recordSize;
    return true;
}

bool ArchiveFile::read(qint64 index, QByteArray& record)
{
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    if (index < 0)
        return false;
    QByteArray data(m_recordSize, Qt::Uninitialized);
    if (!readAt(file, index * m_recordSize, data.data(), m_recordSize))
        return false;
    record = data;
    return true;
}

bool ArchiveFile::append(const QByteArray& record, qint64& position)
{
    Q_ASSERT(record.size() == m_recordSize);
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    FileLock lock(file.handle(), FileLock::Exclusive);
    const qint64 index = file.size() / m_recordSize;
    if (!writeAt(file, index * m_recordSize, record))
        return false;
    position = index + 1;
    return true;
}

bool ArchiveFile::update(qint64 position, const QByteArray& record)
{
    Q_ASSERT(record.size() == m_recordSize);
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    FileLock lock(file.handle(), FileLock::Exclusive);
    const qint64 records = file.size() / m_recordSize;
    if (position < 1 || position > records)
        return false;
    if (!writeAt(file, (position - 1) * m_recordSize, record))
        return false;
    return true;
}

bool ArchiveFile::scan(const Visitor& visit)
{
    return scanFrom(0, visit);
}

bool ArchiveFile::scanFrom(qint64 first, const Visitor& visit)
{
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    const qint64 records = file.size() / m_recordSize;
    // About one megabyte at a time: the archive itself is never held in memory.
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / m_recordSize);
    std::vector<char> block(static_cast<size_t>(perBlock * m_recordSize));
    qint64 index = std::max<qint64>(0, first);
    while (index < records) {
        const qint64 n = std::min(perBlock, records - index);
        const qint64 bytes = n * m_recordSize;
        // One lock per block, released before the records are visited.
        if (!readAt(file, index * m_recordSize, block.data(), bytes))
            return false;
        for (qint64 i = 0; i < n; ++i) {
            if (!visit(index + i, block.data() + i * m_recordSize))
                return true;
        }
        index += n;
    }
    return true;
}
