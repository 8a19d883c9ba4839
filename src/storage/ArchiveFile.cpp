#include "storage/ArchiveFile.h"

#include <QFile>
#include <QFileInfo>

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
bool openArchive(QFile& file)
{
    if (QFileInfo(file.fileName()).isDir())
        return false;
    return file.open(QIODevice::ReadWrite);
}

// Exclusive advisory lock on the whole file for the lifetime of the object:
// two workstations appending at once never compute the same record count.
// Readers take no lock. fcntl locks also work on network file systems that
// support locking; where locking is not supported the write goes ahead.
class WriteLock
{
public:
    explicit WriteLock(int fd) : m_fd(fd)
    {
        struct flock lk {};
        lk.l_type = F_WRLCK;
        lk.l_whence = SEEK_SET;
        lk.l_start = 0;
        lk.l_len = 0;
        int rc;
        do {
            rc = ::fcntl(m_fd, F_SETLKW, &lk);
        } while (rc == -1 && errno == EINTR);
        m_locked = (rc == 0);
    }
    ~WriteLock()
    {
        if (!m_locked)
            return;
        struct flock lk {};
        lk.l_type = F_UNLCK;
        lk.l_whence = SEEK_SET;
        ::fcntl(m_fd, F_SETLK, &lk);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int m_fd;
    bool m_locked = false;
};

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
    records = file.size() / m_recordSize;
    return true;
}

bool ArchiveFile::read(qint64 index, QByteArray& record)
{
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    if (index < 0 || !file.seek(index * m_recordSize))
        return false;
    QByteArray data = file.read(m_recordSize);
    if (data.size() != m_recordSize)
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
    WriteLock lock(file.handle());
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
    WriteLock lock(file.handle());
    const qint64 records = file.size() / m_recordSize;
    if (position < 1 || position > records)
        return false;
    if (!writeAt(file, (position - 1) * m_recordSize, record))
        return false;
    return true;
}

bool ArchiveFile::scan(const Visitor& visit)
{
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    const qint64 records = file.size() / m_recordSize;
    // About one megabyte at a time: the archive itself is never held in memory.
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / m_recordSize);
    std::vector<char> block(static_cast<size_t>(perBlock * m_recordSize));
    qint64 index = 0;
    while (index < records) {
        const qint64 n = std::min(perBlock, records - index);
        const qint64 bytes = n * m_recordSize;
        if (file.read(block.data(), bytes) != bytes)
            return false;
        for (qint64 i = 0; i < n; ++i) {
            if (!visit(index + i, block.data() + i * m_recordSize))
                return true;
        }
        index += n;
    }
    return true;
}
