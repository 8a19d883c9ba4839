#include "storage/ArchiveFile.h"

#include "storage/FileWrites.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
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

// Reads exactly bytes at offset; under a shared lock on them unless the
// caller already holds the file exclusively (a shared lock taken then would
// turn the caller's own exclusive lock into a shared one, and its release
// would free the range altogether).
bool readAt(QFile& file, qint64 offset, char* data, qint64 bytes, bool lockIt = true)
{
    std::optional<FileLock> lock;
    if (lockIt)
        lock.emplace(file.handle(), FileLock::Shared, offset, bytes);
    if (!file.seek(offset))
        return false;
    return file.read(data, bytes) == bytes;
}

qint64 sizeOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? static_cast<qint64>(st.st_size) : -1;
}

bool syncData(int fd)
{
    int rc;
    do {
        rc = ::fdatasync(fd);
    } while (rc == -1 && errno == EINTR);
    return rc == 0;
}

// Writes one record at offset in a single call and waits until the file
// system has it: on a network share a refused write often shows only then.
// A record is never handed over in pieces, so no other workstation's write
// can come between two halves of it.
bool writeRecord(int fd, qint64 offset, const QByteArray& record)
{
    return FileWrites::writeAt(fd, record.constData(), record.size(), offset) == record.size() && syncData(fd);
}

// Visits the records from index first to records - 1, about a megabyte at a
// time: the archive itself is never held in memory.
bool visitRecords(QFile& file, int recordSize, qint64 first, qint64 records, const ArchiveFile::Visitor& visit,
                  bool lockBlocks)
{
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / recordSize);
    std::vector<char> block(static_cast<size_t>(perBlock * recordSize));
    qint64 index = std::max<qint64>(0, first);
    while (index < records) {
        const qint64 n = std::min(perBlock, records - index);
        // One lock per block, released before the records are visited.
        if (!readAt(file, index * recordSize, block.data(), n * recordSize, lockBlocks))
            return false;
        for (qint64 i = 0; i < n; ++i) {
            if (!visit(index + i, block.data() + i * recordSize))
                return true;
        }
        index += n;
    }
    return true;
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
    return appendUnless(record, 0, nullptr, position) == Appended::Done;
}

ArchiveFile::Appended ArchiveFile::appendUnless(const QByteArray& record, qint64 from, const RecordTest& veto,
                                                qint64& position)
{
    Q_ASSERT(record.size() == m_recordSize);
    QFile file(m_path);
    if (!openArchive(file))
        return Appended::Failed;
    // The look at the records and the write are one step: no other
    // workstation can add a record between them.
    FileLock lock(file.handle(), FileLock::Exclusive);
    const int fd = file.handle();
    const qint64 size = sizeOf(fd);
    if (size < 0)
        return Appended::Failed;
    const qint64 index = size / m_recordSize;
    if (veto) {
        bool vetoed = false;
        const bool read = visitRecords(file, m_recordSize, from, index, [&](qint64, const char* r) {
            vetoed = veto(r);
            return !vetoed;
        }, false);
        if (!read)
            return Appended::Failed;
        if (vetoed)
            return Appended::Vetoed;
    }
    if (!writeRecord(fd, index * m_recordSize, record)) {
        // What went out of a refused record is cut off again, back to the
        // length before: the count stays, and no fragment is left to be
        // taken for the start of a record.
        if (sizeOf(fd) > size)
            ::ftruncate(fd, static_cast<off_t>(size));
        return Appended::Failed;
    }
    position = index + 1;
    return Appended::Done;
}

bool ArchiveFile::update(qint64 position, const QByteArray& record)
{
    Q_ASSERT(record.size() == m_recordSize);
    QFile file(m_path);
    if (!openArchive(file))
        return false;
    FileLock lock(file.handle(), FileLock::Exclusive);
    const int fd = file.handle();
    const qint64 records = sizeOf(fd) / m_recordSize;
    if (position < 1 || position > records)
        return false;
    const qint64 offset = (position - 1) * m_recordSize;
    // The card as it is, to put back if the new one does not go through whole.
    QByteArray old(m_recordSize, Qt::Uninitialized);
    if (!readAt(file, offset, old.data(), m_recordSize, false))
        return false;
    if (writeRecord(fd, offset, record))
        return true;
    writeRecord(fd, offset, old);
    return false;
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
    return visitRecords(file, m_recordSize, first, file.size() / m_recordSize, visit, true);
}

bool ArchiveFile::copyWhole(const QString& from, const QString& to)
{
    QFile source(from);
    if (QFileInfo(from).isDir() || !source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    FileLock lock(source.handle(), FileLock::Shared);
    const QByteArray target = QFile::encodeName(to);
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = FileWrites::copyContents(source.handle(), fd);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}
