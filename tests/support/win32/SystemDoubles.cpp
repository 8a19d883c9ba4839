// The test doubles of the system on Windows: no FIFOs and no tmpfs; links
// where the user may make them.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace SystemDoubles {

bool overridesPermissions()
{
    // The read-only attribute stops every writer, administrators included.
    return false;
}

QByteArray noFifoReason()
{
    return "Windows has no FIFOs in folders: named pipes live apart, under \\\\.\\pipe\\";
}

} // namespace SystemDoubles

bool makeFifo(const QString&)
{
    return false;
}

bool plantLink(const QString& target, const QString& link)
{
    const std::wstring from = QDir::toNativeSeparators(QFileInfo(link).absoluteFilePath()).toStdWString();
    const std::wstring to = QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()).toStdWString();
    const DWORD flags = (QFileInfo(target).isDir() ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0)
                        | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    return CreateSymbolicLinkW(from.c_str(), to.c_str(), flags) != 0;
}

SmallTmpfs::SmallTmpfs(int, int)
{
    m_skipReason = "Windows has no tmpfs to fill: a full disk is shown by the failing writer instead";
}

SmallTmpfs::~SmallTmpfs() = default;

bool SmallTmpfs::fill() const
{
    return false;
}

bool SmallTmpfs::fillInodes() const
{
    return false;
}

bool SmallTmpfs::makeReadOnly() const
{
    return false;
}

QByteArray SystemDoubles::noLinkReason()
{
    // Tried once in a scratch folder: Windows without developer mode and
    // Wine make no symbolic links.
    static const QByteArray reason = [] {
        const QString probe = QDir::temp().filePath(QStringLiteral("ventoria-link-probe"));
        QFile::remove(probe);
        const bool made = plantLink(QDir::tempPath(), probe);
        QDir().rmdir(probe);
        QFile::remove(probe);
        return made ? QByteArray()
                    : QByteArray("no symbolic link or junction can be made here (Wine makes none, Windows "
                                 "needs developer mode): checked on Linux, and on paper for Windows");
    }();
    return reason;
}

qint64 SystemDoubles::bytesTaken(const QString& path)
{
    const std::wstring name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    DWORD high = 0;
    const DWORD low = GetCompressedFileSizeW(name.c_str(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return -1;
    return (qint64(high) << 32) | low;
}
