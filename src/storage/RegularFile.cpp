#include "storage/RegularFile.h"

#include "platform/FileSystem.h"

#include <cerrno>

#include <algorithm>

namespace RegularFile {

int openForReading(const QString& path, Links links)
{
    return FileSystem::openRegular(path, FileSystem::Access::Read,
                                   links == Links::Refuse ? FileSystem::Links::Refuse : FileSystem::Links::Follow);
}

int openForUpdate(const QString& path)
{
    // Made here when missing (a new file is a regular one); otherwise opened
    // as any other. Should another workstation make it between the two
    // steps, the next round opens theirs.
    for (int round = 0; round < 8; ++round) {
        const int fd = FileSystem::openRegular(path, FileSystem::Access::ReadWrite, FileSystem::Links::Refuse);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = FileSystem::createNew(path, 0666);
        if (made >= 0 || errno != EEXIST)
            return made;
    }
    return -1;
}

Outcome readAll(const QString& path, qint64 maxSize, QByteArray& contents, Links links)
{
    contents.clear();
    const FileSystem::Descriptor fd(openForReading(path, links));
    if (!fd.valid())
        return errno == ENOENT ? Outcome::Missing : errno == ELOOP ? Outcome::Link : Outcome::Refused;
    const qint64 size = FileSystem::sizeOf(fd.get());
    bool ok = size >= 0 && size <= maxSize;
    // Room for the size found and one byte more: a file that grows while it
    // is read gets more room, up to one byte beyond the bound, which is
    // enough to know it is too large.
    const qint64 limit = maxSize + 1;
    QByteArray data(ok ? size + 1 : 0, Qt::Uninitialized);
    qint64 got = 0;
    while (ok && got < limit) {
        if (got == data.size())
            data.resize(std::min<qint64>(limit, 2 * qint64(data.size())));
        const qint64 n = FileSystem::readAt(fd.get(), data.data() + got, data.size() - got, got);
        if (n == 0)
            break;
        ok = n > 0;
        if (ok)
            got += n;
    }
    if (!ok || got > maxSize)
        return Outcome::Refused;
    data.truncate(got);
    contents = data;
    return Outcome::Read;
}

} // namespace RegularFile
