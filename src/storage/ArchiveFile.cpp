#include "storage/ArchiveFile.h"

#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <optional>
#include <vector>

QString archiveAccessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

namespace {

// Opens for reading and writing, creating the file when missing; an existing
// file that cannot be opened so (read-only, a folder in its place) is left
// alone. Only a regular file in the folder itself is an archive: a FIFO would
// hold the program up, a device would never end, and a symbolic link would
// have the records written into some file elsewhere.
// Unbuffered: every read and write goes to the file while its lock is held, and
// a write the file system refuses fails at once.
bool openArchive(QFile& file, const QString& path)
{
    const int fd = RegularFile::openForUpdate(path);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

// Reads exactly bytes at offset; under a shared lock on them unless the
// caller already holds the file exclusively (a shared lock taken then would
// turn the caller's own exclusive lock into a shared one, and its release
// would free the range altogether).
bool readAt(QFile& file, qint64 offset, char* data, qint64 bytes, bool lockIt = true)
{
    std::optional<FileLock> lock;
    if (lockIt)
        lock.emplace(file.handle(), FileLock::Shared, offset, bytes);
    // One call per read where a seek and a read would take two: a scan
    // reads a block at a time, each under its own lock.
    while (bytes > 0) {
        const ssize_t got = ::pread(file.handle(), data, size_t(bytes), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        offset += got;
        bytes -= got;
    }
    return true;
}

// What tells a file apart from itself after any write: the same file
// (device and inode), its size and its change times to the nanosecond.
std::array<qint64, 7> stampOf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {};
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec),
            qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
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

// Writes a new record at offset, the end of a file of size bytes (over any
// incomplete tail). What went out of a refused record is cut off again, back
// to the length before: the count stays, and no fragment is left to be taken
// for the start of a record.
bool writeAtEnd(int fd, qint64 size, qint64 offset, const QByteArray& record)
{
    if (writeRecord(fd, offset, record))
        return true;
    if (sizeOf(fd) > size)
        ::ftruncate(fd, static_cast<off_t>(size));
    return false;
}

// Visits the records from index first to records - 1, about a megabyte at a
// time: the archive itself is never held in memory.
bool visitRecords(QFile& file, int recordSize, qint64 first, qint64 records, const ArchiveFile::Visitor& visit,
                  bool lockBlocks)
{
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / recordSize);
    // The block of the last scan serves the next: fresh memory is made ready
    // a page at a time as it is first written, which on a virtual machine
    // costs a good part of a scan. A scan within a visit makes its own.
    thread_local std::vector<char> spare;
    std::vector<char> block;
    block.swap(spare);
    block.resize(static_cast<size_t>(perBlock * recordSize));
    struct GiveBack
    {
        std::vector<char>& block;
        ~GiveBack()
        {
            if (spare.empty())
                spare.swap(block);
        }
    } giveBack{block};
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
    QFile file;
    if (!openArchive(file, m_path))
        return false;
    // Shared: a count waits for an append of another workstation to finish,
    // so the number a receipt is proposed counts that record too.
    FileLock lock(file.handle(), FileLock::Shared);
    records = file.size() / m_recordSize;
    return true;
}

bool ArchiveFile::read(qint64 index, QByteArray& record)
{
    QFile file;
    if (!openArchive(file, m_path))
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
    QFile file;
    if (!openArchive(file, m_path))
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
    if (!writeAtEnd(fd, size, index * m_recordSize, record))
        return Appended::Failed;
    position = index + 1;
    return Appended::Done;
}

ArchiveFile::Appended ArchiveFile::appendUnless(const QByteArray& record, const FieldTest& veto, qint64& position)
{
    Q_ASSERT(veto.offset >= 0 && veto.length > 0 && veto.offset + veto.length <= m_recordSize);
    if (veto.index)
        return appendUnlessIndexed(record, veto, position);
    // Whole blocks of records are read all the same: one read of a megabyte
    // costs far less than a read of a few bytes for each record.
    return appendUnless(record, 0, [&veto](const char* r) { return veto.test(r + veto.offset); }, position);
}

bool ArchiveFile::refreshIndex(QFile& file, const FieldTest& test, const std::array<qint64, 7>& stamp, bool lockBlocks)
{
    FieldIndex& index = *test.index;
    if (stamp == index.stamp)
        return true;
    index.stamp = {};
    index.keys.clear();
    index.keys.reserve(size_t(stamp[2] / m_recordSize) + 64);
    const bool read = visitRecords(file, m_recordSize, 0, stamp[2] / m_recordSize, [&](qint64, const char* r) {
        index.keys.insert(test.keyOf(r + test.offset));
        return true;
    }, lockBlocks);
    if (!read) {
        index.keys.clear();
        return false;
    }
    index.stamp = stamp;
    return true;
}

bool ArchiveFile::prepareIndex(const FieldTest& test)
{
    QFile file;
    if (!openArchive(file, m_path))
        return false;
    // Shared for the whole look, so that the stamp and the keys describe
    // one and the same file.
    FileLock lock(file.handle(), FileLock::Shared);
    const std::array<qint64, 7> stamp = stampOf(file.handle());
    return stamp != std::array<qint64, 7>{} && refreshIndex(file, test, stamp, false);
}

ArchiveFile::Appended ArchiveFile::appendUnlessIndexed(const QByteArray& record, const FieldTest& veto,
                                                       qint64& position)
{
    Q_ASSERT(record.size() == m_recordSize);
    FieldIndex& index = *veto.index;
    QFile file;
    if (!openArchive(file, m_path))
        return Appended::Failed;
    FileLock lock(file.handle(), FileLock::Exclusive);
    const int fd = file.handle();
    const std::array<qint64, 7> stamp = stampOf(fd);
    if (stamp == std::array<qint64, 7>{})
        return Appended::Failed;
    const qint64 size = stamp[2];
    const qint64 records = size / m_recordSize;
    if (!refreshIndex(file, veto, stamp, false))
        return Appended::Failed;
    if (index.keys.count(veto.key))
        return Appended::Vetoed;
    if (!writeAtEnd(fd, size, records * m_recordSize, record)) {
        index.stamp = {};
        return Appended::Failed;
    }
    index.keys.insert(veto.key);
    index.stamp = stampOf(fd);
    position = records + 1;
    return Appended::Done;
}

bool ArchiveFile::update(qint64 position, const QByteArray& record)
{
    Q_ASSERT(record.size() == m_recordSize);
    return change(position, [&record](QByteArray& stored) {
        stored = record;
        return true;
    }) == Changed::Done;
}

ArchiveFile::Changed ArchiveFile::change(qint64 position, const RecordChange& rewrite)
{
    QFile file;
    if (!openArchive(file, m_path))
        return Changed::Failed;
    FileLock lock(file.handle(), FileLock::Exclusive);
    const int fd = file.handle();
    const qint64 size = sizeOf(fd);
    if (size < 0)
        return Changed::Failed;
    if (position < 1 || position > size / m_recordSize)
        return Changed::Missing;
    const qint64 offset = (position - 1) * m_recordSize;
    // The card as it is: judged by rewrite, and put back if the new one does
    // not go through whole.
    QByteArray old(m_recordSize, Qt::Uninitialized);
    if (!readAt(file, offset, old.data(), m_recordSize, false))
        return Changed::Failed;
    QByteArray record = old;
    if (!rewrite(record))
        return Changed::Kept;
    Q_ASSERT(record.size() == m_recordSize);
    if (record.size() == m_recordSize && writeRecord(fd, offset, record))
        return Changed::Done;
    writeRecord(fd, offset, old);
    return Changed::Failed;
}

bool ArchiveFile::scan(const Visitor& visit)
{
    return scanFrom(0, visit);
}

bool ArchiveFile::scanFrom(qint64 first, const Visitor& visit)
{
    QFile file;
    if (!openArchive(file, m_path))
        return false;
    return visitRecords(file, m_recordSize, first, file.size() / m_recordSize, visit, true);
}

