#include "storage/ArchiveFile.h"

#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/RegularFile.h"

#include "platform/FileSystem.h"

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
bool openArchive(FileSystem::Descriptor& file, const QString& path)
{
    file.reset(RegularFile::openForUpdate(path));
    return file.valid();
}

// Reads exactly bytes at offset; under a shared lock on them unless the
// caller already holds the file exclusively (a shared lock taken then would
// turn the caller's own exclusive lock into a shared one, and its release
// would free the range altogether).
bool readAt(int fd, qint64 offset, char* data, qint64 bytes, bool lockIt = true)
{
    std::optional<FileLock> lock;
    if (lockIt)
        lock.emplace(fd, FileLock::Shared, offset, bytes);
    // One call per read where a seek and a read would take two: a scan
    // reads a block at a time, each under its own lock.
    while (bytes > 0) {
        const qint64 got = FileSystem::readAt(fd, data, bytes, offset);
        if (got <= 0)
            return false;
        data += got;
        offset += got;
        bytes -= got;
    }
    return true;
}

// Writes one record at offset in a single call and waits until the file
// system has it: on a network share a refused write often shows only then.
// A record is never handed over in pieces, so no other workstation's write
// can come between two halves of it.
bool writeRecord(int fd, qint64 offset, const QByteArray& record)
{
    return FileWrites::writeAt(fd, record.constData(), record.size(), offset) == record.size()
           && FileSystem::flush(fd, true);
}

// Writes a new record at offset, the end of a file of size bytes (over any
// incomplete tail). What went out of a refused record is cut off again, back
// to the length before: the count stays, and no fragment is left to be taken
// for the start of a record.
bool writeAtEnd(int fd, qint64 size, qint64 offset, const QByteArray& record)
{
    if (writeRecord(fd, offset, record))
        return true;
    if (FileSystem::sizeOf(fd) > size)
        FileSystem::truncate(fd, size);
    return false;
}

// Visits the records from index first to records - 1, about a megabyte at a
// time: the archive itself is never held in memory.
bool visitRecords(int file, int recordSize, qint64 first, qint64 records, const ArchiveFile::Visitor& visit,
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
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return false;
    // Shared: a count waits for an append of another workstation to finish,
    // so the number a receipt is proposed counts that record too.
    FileLock lock(file.get(), FileLock::Shared);
    records = FileSystem::sizeOf(file.get()) / m_recordSize;
    return true;
}

bool ArchiveFile::read(qint64 index, QByteArray& record)
{
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return false;
    if (index < 0)
        return false;
    QByteArray data(m_recordSize, Qt::Uninitialized);
    if (!readAt(file.get(), index * m_recordSize, data.data(), m_recordSize))
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
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return Appended::Failed;
    // The look at the records and the write are one step: no other
    // workstation can add a record between them.
    FileLock lock(file.get(), FileLock::Exclusive);
    const int fd = file.get();
    const qint64 size = FileSystem::sizeOf(fd);
    if (size < 0)
        return Appended::Failed;
    const qint64 index = size / m_recordSize;
    if (veto) {
        bool vetoed = false;
        const bool read = visitRecords(file.get(), m_recordSize, from, index, [&](qint64, const char* r) {
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

bool ArchiveFile::refreshIndex(int file, const FieldTest& test, const FileSystem::Stamp& stamp, bool lockBlocks)
{
    FieldIndex& index = *test.index;
    if (stamp == index.stamp)
        return true;
    index.stamp = {};
    index.keys.clear();
    index.keys.reserve(size_t(stamp[FileSystem::kStampSize] / m_recordSize) + 64);
    const bool read = visitRecords(file, m_recordSize, 0, stamp[FileSystem::kStampSize] / m_recordSize, [&](qint64, const char* r) {
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
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return false;
    // Shared for the whole look, so that the stamp and the keys describe
    // one and the same file.
    FileLock lock(file.get(), FileLock::Shared);
    const FileSystem::Stamp stamp = FileSystem::stampOf(file.get());
    return stamp != FileSystem::Stamp{} && refreshIndex(file.get(), test, stamp, false);
}

ArchiveFile::Appended ArchiveFile::appendUnlessIndexed(const QByteArray& record, const FieldTest& veto,
                                                       qint64& position)
{
    Q_ASSERT(record.size() == m_recordSize);
    FieldIndex& index = *veto.index;
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return Appended::Failed;
    FileLock lock(file.get(), FileLock::Exclusive);
    const int fd = file.get();
    const FileSystem::Stamp stamp = FileSystem::stampOf(fd);
    if (stamp == FileSystem::Stamp{})
        return Appended::Failed;
    const qint64 size = stamp[FileSystem::kStampSize];
    const qint64 records = size / m_recordSize;
    if (!refreshIndex(file.get(), veto, stamp, false))
        return Appended::Failed;
    if (index.keys.count(veto.key))
        return Appended::Vetoed;
    if (!writeAtEnd(fd, size, records * m_recordSize, record)) {
        index.stamp = {};
        return Appended::Failed;
    }
    index.keys.insert(veto.key);
    index.stamp = FileSystem::stampOf(fd);
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
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return Changed::Failed;
    FileLock lock(file.get(), FileLock::Exclusive);
    const int fd = file.get();
    const qint64 size = FileSystem::sizeOf(fd);
    if (size < 0)
        return Changed::Failed;
    if (position < 1 || position > size / m_recordSize)
        return Changed::Missing;
    const qint64 offset = (position - 1) * m_recordSize;
    // The card as it is: judged by rewrite, and put back if the new one does
    // not go through whole.
    QByteArray old(m_recordSize, Qt::Uninitialized);
    if (!readAt(file.get(), offset, old.data(), m_recordSize, false))
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
    FileSystem::Descriptor file;
    if (!openArchive(file, m_path))
        return false;
    return visitRecords(file.get(), m_recordSize, first, FileSystem::sizeOf(file.get()) / m_recordSize, visit, true);
}

