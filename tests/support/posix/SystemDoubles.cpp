// The test doubles of the system on Linux: FIFOs, links, a small tmpfs.
#include "TestSupport.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SystemDoubles {

bool overridesPermissions()
{
    return ::geteuid() == 0;
}

QByteArray noFifoReason()
{
    return QByteArray();
}

} // namespace SystemDoubles

bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool plantLink(const QString& target, const QString& link)
{
    return QFile::link(target, link);
}

SmallTmpfs::SmallTmpfs(int kilobytes, int inodes)
{
    if (::geteuid() != 0) {
        m_skipReason = "mounting a small tmpfs to fill it needs root";
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (inodes > 0)
        options += ",nr_inodes=" + QByteArray::number(inodes);
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_skipReason = "cannot mount a tmpfs here: " + QByteArray(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallTmpfs::~SmallTmpfs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallTmpfs::fill() const
{
    const QByteArray filler = QFile::encodeName(file(QStringLiteral("riempitivo")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'x');
    bool full = false;
    // Pages first, then single bytes, until the file system refuses.
    for (const int chunk : {4096, 1}) {
        while (true) {
            const ssize_t n = ::write(fd, page.constData(), static_cast<size_t>(chunk));
            if (n < 0) {
                full = (errno == ENOSPC);
                break;
            }
        }
    }
    ::close(fd);
    return full;
}

bool SmallTmpfs::fillInodes() const
{
    for (int i = 1; i < 100000; ++i) {
        const QByteArray name = QFile::encodeName(file(QStringLiteral("riempitivo-%1").arg(i)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            return errno == ENOSPC;
        ::close(fd);
    }
    return false;
}

bool SmallTmpfs::makeReadOnly() const
{
    const QByteArray where = QFile::encodeName(m_dir.path());
    return m_mounted && ::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

QByteArray SystemDoubles::noLinkReason()
{
    return QByteArray();
}

qint64 SystemDoubles::bytesTaken(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_blocks) * 512 : -1;
}
