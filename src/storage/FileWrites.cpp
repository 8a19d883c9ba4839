#include "storage/FileWrites.h"

#include "platform/FileSystem.h"

#include <QRandomGenerator>

#include <cerrno>

#include <algorithm>
#include <vector>

namespace FileWrites {
namespace {

qint64 systemWrite(int fd, const char* data, qint64 size, qint64 offset)
{
    return FileSystem::writeAt(fd, data, size, offset);
}

Writer& writer()
{
    static Writer w = systemWrite;
    return w;
}

bool& writerReplaced()
{
    static bool replaced = false;
    return replaced;
}

// Reads and writes the bytes from offset up to end, a megabyte at a time,
// through writeAt.
bool copyByWrites(int from, int to, qint64 offset, qint64 end)
{
    std::vector<char> block(1 << 20);
    while (offset < end) {
        const qint64 n = FileSystem::readAt(from, block.data(), std::min<qint64>(qint64(block.size()), end - offset),
                                            offset);
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        for (qint64 done = 0; done < n;) {
            const qint64 w = writeAt(to, block.data() + done, n - done, offset + done);
            if (w <= 0)
                return false;
            done += w;
        }
        offset += n;
    }
    return true;
}

} // namespace

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    return writer()(fd, data, size, offset);
}

Writer setWriter(Writer w)
{
    Writer previous = std::move(writer());
    // The system's own call handed back (a test putting back the writer it
    // replaced) is no replacement: copies take the cheap ways again.
    using Call = qint64 (*)(int, const char*, qint64, qint64);
    const Call* call = w ? w.target<Call>() : nullptr;
    writerReplaced() = w && !(call && *call == systemWrite);
    writer() = w ? std::move(w) : Writer(systemWrite);
    return previous;
}

bool copyContents(int from, int to)
{
    const qint64 size = FileSystem::sizeOf(from);
    if (size < 0)
        return false;
    const auto byWrites = [from, to](qint64 offset, qint64 end) { return copyByWrites(from, to, offset, end); };
    if (writerReplaced())
        return byWrites(0, size) && FileSystem::truncate(to, size);
    return FileSystem::copyInSystem(from, to, size, byWrites);
}

QByteArray randomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix;
    for (int i = 0; i < 6; ++i)
        suffix += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return suffix;
}

bool replaceFile(const QString& path, const QByteArray& data)
{
    Replacement file(path);
    return file.write(data) && file.commit();
}

namespace {

// A new file of a name no one else uses: nameWith(six random letters or
// digits), made here and now by create (never over an existing name), so
// neither a link nor a file someone put under that name in the meantime is
// ever written to. made receives the name.
int createUnique(const std::function<QString(const QString&)>& nameWith,
                 const std::function<int(const QString&)>& create, QString& made)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = nameWith(QString::fromLatin1(randomSuffix()));
        const int fd = create(made);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A temporary file beside path: path, a dot and the random letters.
int createBeside(const QString& path, int mode, QString& temporary)
{
    return createUnique([&path](const QString& suffix) { return path + QLatin1Char('.') + suffix; },
                        [mode](const QString& name) { return FileSystem::createNew(name, mode); }, temporary);
}

// Writes the size bytes of data at offset of fd, in as many calls as the
// file system wants; false on any failure.
bool writeWhole(int fd, const char* data, qint64 size, qint64 offset)
{
    for (qint64 done = 0; done < size;) {
        const qint64 n = writeAt(fd, data + done, size - done, offset + done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

NewFiles::~NewFiles()
{
    for (const Pending& p : m_pending)
        FileSystem::removeAt(m_folder, p.temporary);
}

bool NewFiles::add(const QString& name, const QByteArray& data)
{
    Pending p{name, QString()};
    FileSystem::Descriptor fd(createUnique(
        [&name](const QString& suffix) { return QLatin1Char('.') + name + QLatin1Char('.') + suffix; },
        [this](const QString& temporary) { return FileSystem::createNewAt(m_folder, temporary, 0666); }, p.temporary));
    if (!fd.valid())
        return false;
    const bool written = writeWhole(fd.get(), data.constData(), data.size(), 0);
    fd.reset();
    if (!written) {
        FileSystem::removeAt(m_folder, p.temporary);
        return false;
    }
    m_pending.push_back(p);
    return true;
}

std::vector<Created> NewFiles::commit()
{
    std::vector<Created> outcomes(m_pending.size(), Created::Failed);
    QStringList temporaries;
    for (const Pending& p : m_pending)
        temporaries << p.temporary;
    // Every byte on disk before any name appears: after a power cut a name
    // stands for a whole file, never for one the disk had not received yet.
    if (FileSystem::flushFilesAt(m_folder, temporaries)) {
        for (size_t i = 0; i < m_pending.size(); ++i) {
            // The rename decides between two writers of the same name: the
            // second finds it taken and its bytes go nowhere.
            if (FileSystem::renameNoReplaceAt(m_folder, m_pending[i].temporary, m_pending[i].name)) {
                outcomes[i] = Created::Done;
                m_pending[i].temporary.clear();
            } else if (errno == EEXIST || errno == ENOTEMPTY) {
                outcomes[i] = Created::Taken;
            }
        }
        // The names are there from now on, whatever this says.
        FileSystem::flushFolder(m_folder);
    }
    for (const Pending& p : m_pending) {
        if (!p.temporary.isEmpty())
            FileSystem::removeAt(m_folder, p.temporary);
    }
    m_pending.clear();
    return outcomes;
}

// The bytes go straight to the temporary file's descriptor: a write the
// disk refuses fails at the write itself, not later in a flush. No
// direct-write fallback either: writing over the old file in place is
// exactly what a failure must never leave behind. The old file is looked at
// without following a link: a link is replaced like a file, by the rename,
// which changes the entry in this folder and nothing the link points to.
Replacement::Replacement(const QString& path) : m_path(path)
{
    const FileSystem::Entry old = FileSystem::entryOf(m_path);
    if (old.kind == FileSystem::Kind::Folder || old.kind == FileSystem::Kind::Other)
        return;
    const bool keepMode = old.kind == FileSystem::Kind::File;
    if (keepMode && !old.writable)
        return;
    if (old.kind == FileSystem::Kind::Missing && errno != ENOENT)
        return;
    // Private until it has the old file's permissions; a new file gets
    // what the system gives a file it creates (the umask applies).
    m_fd = createBeside(m_path, keepMode ? 0600 : 0666, m_temporary);
    if (m_fd < 0)
        return;
    if (keepMode && !FileSystem::keepPermissions(m_fd, old)) {
        drop();
        return;
    }
    m_ok = true;
}

Replacement::~Replacement()
{
    drop();
}

void Replacement::drop()
{
    m_ok = false;
    if (m_fd < 0)
        return;
    FileSystem::close(m_fd);
    m_fd = -1;
    FileSystem::removeFile(m_temporary);
}

bool Replacement::write(const char* data, qint64 size)
{
    if (!m_ok)
        return false;
    if (!writeWhole(m_fd, data, size, m_written)) {
        drop();
        return false;
    }
    m_written += size;
    return true;
}

bool Replacement::commit()
{
    if (!m_ok)
        return false;
    if (!FileSystem::flush(m_fd)) {
        drop();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    m_ok = false;   // one commit per replacement
    FileSystem::close(fd);
    if (!FileSystem::replaceByRename(m_temporary, m_path)) {
        FileSystem::removeFile(m_temporary);
        return false;
    }
    return FileSystem::flushFolderOf(m_path);
}

} // namespace FileWrites
