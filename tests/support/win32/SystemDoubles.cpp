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
    // On Windows the read-only attribute stops every writer, administrators
    // included; under Wine run as root it stops no one. Asked once, of a
    // scratch file.
    static const bool overrides = [] {
        const QString probe = QDir::temp().filePath(QStringLiteral("ventoria-readonly-probe"));
        const std::wstring name = QDir::toNativeSeparators(probe).toStdWString();
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(name.c_str());
        HANDLE made = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY,
                                  nullptr);
        if (made == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(made);
        HANDLE again = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool opened = again != INVALID_HANDLE_VALUE;
        if (opened)
            CloseHandle(again);
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(name.c_str());
        return opened;
    }();
    return overrides;
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
    if (!CreateSymbolicLinkW(from.c_str(), to.c_str(), flags))
        return false;
    // Wine answers with a link of the Unix side, which Windows programs see
    // through as the file itself: no link a test can plant.
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryW(from.c_str());
    else
        DeleteFileW(from.c_str());
    return false;
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
