// The Windows side of the file-system seam, and the only file of the program
// that speaks Win32. A descriptor is a CRT descriptor owning a HANDLE, so the
// callers keep working with small ints and errno on both systems.

#include "platform/FileSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shlwapi.h>

#include <fcntl.h>
#include <io.h>

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace FileSystem {

namespace {

// Others may always read, write, rename and delete what we hold open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Enough to ask what an object is, without reading it or waking a device.
constexpr DWORD kProbeAccess = FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kFolderAccess = GENERIC_READ | FILE_LIST_DIRECTORY | FILE_TRAVERSE | SYNCHRONIZE;
constexpr DWORD kDeleteAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
// The name itself, link or folder, never what it points to.
constexpr DWORD kNoFollow = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

// Classes and flags of Windows 10 1607 and later, spelled out so the build
// does not depend on which of them the headers let through.
const auto kDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
const auto kRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplacePosix = 0x1 | 0x2;
constexpr DWORD kDeletePosixIgnoreReadOnly = 0x1 | 0x2 | 0x10;
constexpr LONG kStatusDeletePending = static_cast<LONG>(0xC0000056);

// FILE_RENAME_INFO as the system reads it, with the flags word of the Ex class
// in place of ReplaceIfExists (its first byte, so one layout serves both).
struct RenameRequest
{
    DWORD flags;
    HANDLE root;
    DWORD nameBytes;
    WCHAR name[1];
};
static_assert(offsetof(RenameRequest, root) == offsetof(FILE_RENAME_INFO, RootDirectory), "rename layout");
static_assert(offsetof(RenameRequest, name) == offsetof(FILE_RENAME_INFO, FileName), "rename layout");

class Handle
{
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : m_h(other.release()) {}
    Handle& operator=(Handle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE get() const { return m_h; }
    HANDLE release() { return std::exchange(m_h, INVALID_HANDLE_VALUE); }
    void reset(HANDLE h = INVALID_HANDLE_VALUE)
    {
        if (valid())
            CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h;
};

using LastNtStatusFn = LONG(WINAPI*)();

LastNtStatusFn resolveLastNtStatus()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const FARPROC proc = ntdll ? GetProcAddress(ntdll, "RtlGetLastNtStatus") : nullptr;
    return reinterpret_cast<LastNtStatusFn>(reinterpret_cast<void*>(proc));
}

// Looked up before main, so that looking never disturbs the status asked for.
const LastNtStatusFn lastNtStatus = resolveLastNtStatus();

struct CountedName
{
    USHORT bytes;
    USHORT capacity;
    PWSTR text;
};
using QueryObjectFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
const auto queryObject = reinterpret_cast<QueryObjectFn>(
    reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));

// A failure taken at once: a name held by a file being deleted comes back as
// ERROR_ACCESS_DENIED, and only the NT status behind it tells it apart.
struct Failure
{
    DWORD code = ERROR_SUCCESS;
    bool deletePending = false;
};

Failure lastFailure()
{
    Failure failure;
    failure.code = GetLastError();
    failure.deletePending =
        failure.code == ERROR_ACCESS_DENIED && lastNtStatus && lastNtStatus() == kStatusDeletePending;
    return failure;
}

int errnoFor(DWORD code)
{
    static const std::pair<DWORD, int> known[] = {
        {ERROR_FILE_NOT_FOUND, ENOENT}, {ERROR_PATH_NOT_FOUND, ENOENT}, {ERROR_INVALID_DRIVE, ENOENT},
        {ERROR_BAD_NETPATH, ENOENT}, {ERROR_BAD_NET_NAME, ENOENT}, {ERROR_BAD_PATHNAME, ENOENT},
        {ERROR_INVALID_NAME, ENOENT}, // no file can stand under such a name
        {ERROR_FILE_EXISTS, EEXIST}, {ERROR_ALREADY_EXISTS, EEXIST},
        {ERROR_ACCESS_DENIED, EACCES}, {ERROR_SHARING_VIOLATION, EACCES}, {ERROR_NETWORK_ACCESS_DENIED, EACCES},
        {ERROR_PRIVILEGE_NOT_HELD, EACCES}, {ERROR_CANNOT_MAKE, EACCES}, {ERROR_LOCK_VIOLATION, EAGAIN},
        {ERROR_WRITE_PROTECT, EROFS}, {ERROR_DISK_FULL, ENOSPC}, {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {1295 /* quota exceeded */, ENOSPC}, {ERROR_DIR_NOT_EMPTY, ENOTEMPTY}, {ERROR_FILE_TOO_LARGE, EFBIG},
        {ERROR_DIRECTORY, ENOTDIR}, {ERROR_NOT_SAME_DEVICE, EXDEV}, {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
        {ERROR_NOT_ENOUGH_MEMORY, ENOMEM}, {ERROR_OUTOFMEMORY, ENOMEM}, {ERROR_NO_SYSTEM_RESOURCES, ENOMEM},
        {ERROR_INVALID_HANDLE, EBADF}, {ERROR_INVALID_PARAMETER, EINVAL}, {ERROR_NEGATIVE_SEEK, EINVAL},
        {ERROR_NOT_SUPPORTED, ENOTSUP}, {ERROR_INVALID_FUNCTION, ENOTSUP}, {ERROR_CALL_NOT_IMPLEMENTED, ENOTSUP},
        {ERROR_CANT_RESOLVE_FILENAME, ELOOP}, {681 /* stopped on symlink */, ELOOP},
        {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG}, {ERROR_OPERATION_ABORTED, EINTR},
    };
    for (const auto& [win32, error] : known) {
        if (win32 == code)
            return error;
    }
    return EIO;
}

void setErrno(const Failure& failure)
{
    errno = failure.deletePending ? EAGAIN : errnoFor(failure.code);
}

// Passes a Win32 result on, with errno set when it failed.
bool succeeded(BOOL ok)
{
    if (!ok)
        setErrno(lastFailure());
    return ok != FALSE;
}

// What the system answers for a class or flag it does not know: older
// Windows, Wine, FAT and many file servers.
bool unsupported(DWORD code)
{
    return code == ERROR_INVALID_PARAMETER || code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION
           || code == ERROR_CALL_NOT_IMPLEMENTED;
}

std::wstring toWide(const QString& text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

bool startsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

bool equalNoCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring withoutTrailingSeparators(std::wstring path)
{
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

// The folder holding path; a drive root keeps its separator, since "X:" alone
// names the volume device.
std::wstring parentOf(const std::wstring& path)
{
    const std::size_t cut = path.find_last_of(L'\\');
    std::wstring parent = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
    if (!parent.empty() && parent.back() == L':')
        parent += L'\\';
    return parent;
}

std::wstring fullPathOf(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD written = needed ? GetFullPathNameW(path.c_str(), needed, &full[0], nullptr) : 0;
    if (written == 0 || written >= needed)
        return path;
    full.resize(written);
    return full;
}

// The path in the system's own long form, so that any letter and any length
// go through: "\\?\C:\..." or "\\?\UNC\server\share\...". A reserved device
// name comes back from GetFullPathNameW as "\\.\NAME", refused later.
std::wstring widePath(const QString& path)
{
    std::wstring wide = toWide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.empty() || startsWith(wide, LR"(\\?\)") || startsWith(wide, LR"(\\.\)"))
        return wide;
    wide = fullPathOf(wide);
    while (wide.size() > 3 && wide.back() == L'\\')
        wide.pop_back();
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        return LR"(\\?\)" + wide;
    if (startsWith(wide, LR"(\\)") && !startsWith(wide, LR"(\\.\)") && !startsWith(wide, LR"(\\?\)"))
        return LR"(\\?\UNC\)" + wide.substr(2);
    return wide;
}

// CON, NUL, COM1... are devices in every folder for much of Windows, also
// with an extension; such a name is never opened for data.
bool isReservedName(const std::wstring& path)
{
    const std::wstring last = path.substr(path.find_last_of(L'\\') + 1);
    QString base = QString::fromWCharArray(last.c_str(), qsizetype(last.size()));
    base = base.left(base.indexOf(QLatin1Char('.'))).trimmed().toUpper();
    static const QStringList fixed{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                   QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (fixed.contains(base))
        return true;
    return base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))
           && base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
}

// Paths to devices, pipes or the object namespace rather than to a file
// system: refused before anything is opened, so nothing is woken.
bool isDevicePath(const std::wstring& wide)
{
    if (startsWith(wide, LR"(\\.\)"))
        return true;
    if (startsWith(wide, LR"(\\?\)")) {
        const std::wstring rest = wide.substr(4);
        const bool drive = rest.size() >= 2 && rest[1] == L':';
        const bool unc = equalNoCase(rest.substr(0, 4), L"UNC\\");
        if (!drive && !unc && !equalNoCase(rest.substr(0, 7), L"Volume{"))
            return true;
        // \\server\pipe\... reaches a named pipe on that server.
        const std::size_t server = unc ? rest.find(L'\\', 4) : std::wstring::npos;
        if (server != std::wstring::npos && equalNoCase(rest.substr(server + 1, 5), L"pipe\\"))
            return true;
    }
    return isReservedName(wide);
}

bool validName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() == 0;
    });
}

Handle openWide(const std::wstring& path, DWORD access, DWORD creation, DWORD flags)
{
    const HANDLE h = CreateFileW(path.c_str(), access, kShareAll, nullptr, creation, flags, nullptr);
    succeeded(h != INVALID_HANDLE_VALUE);
    return Handle(h);
}

HANDLE handleOf(int fd)
{
    // The CRT's own check of a bad descriptor may end the program; ours does not.
    const intptr_t h = fd >= 0 ? _get_osfhandle(fd) : -1;
    if (h == -1)
        errno = EBADF;
    return reinterpret_cast<HANDLE>(h);
}

// Hands the handle over to a CRT descriptor, which closes it from then on.
int adopt(Handle& h, int flags)
{
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h.get()), flags | _O_BINARY);
    if (fd < 0) {
        errno = EMFILE;
        return -1;
    }
    h.release();
    return fd;
}

// Wine answers ERROR_MORE_DATA for paths past MAX_PATH, however large the
// buffer; its object names are the DOS path behind "\??\", asked here with
// room enough. (Windows names the device instead, and never gets here.)
std::wstring objectPathOf(HANDLE h)
{
    std::vector<LONGLONG> buffer(64 * 1024 / sizeof(LONGLONG));
    ULONG length = 0;
    if (!queryObject || queryObject(h, 1 /* ObjectNameInformation */, buffer.data(), 64 * 1024, &length) < 0)
        return {};
    const auto* name = reinterpret_cast<const CountedName*>(buffer.data());
    std::wstring path(name->text, name->bytes / sizeof(WCHAR));
    if (!startsWith(path, LR"(\??\)"))
        return {};
    path[1] = L'\\';
    return path;
}

// The path the system resolves the handle to, in "\\?\" form; empty with
// errno set when it cannot tell. File servers may refuse the normalized name
// and give the opened one.
std::wstring finalPathOf(HANDLE h)
{
    for (const DWORD kind : {DWORD(FILE_NAME_NORMALIZED), DWORD(FILE_NAME_OPENED)}) {
        std::wstring path(MAX_PATH, L'\0');
        DWORD length = GetFinalPathNameByHandleW(h, &path[0], DWORD(path.size()), kind | VOLUME_NAME_DOS);
        if (length >= path.size()) {
            path.resize(length);
            length = GetFinalPathNameByHandleW(h, &path[0], DWORD(path.size()), kind | VOLUME_NAME_DOS);
        }
        if (length > 0 && length < path.size()) {
            path.resize(length);
            return path;
        }
    }
    const Failure failure = lastFailure();
    std::wstring path = objectPathOf(h);
    if (path.empty())
        setErrno(failure);
    return path;
}

// What an open object is, asked of the handle: the kind of object first, so
// a device or a pipe is never asked anything more.
struct Shape
{
    DWORD type = FILE_TYPE_UNKNOWN;
    DWORD attributes = 0;
    DWORD tag = 0;

    bool reparse() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    // Symbolic links, junctions and mount points name another place.
    bool link() const { return reparse() && IsReparseTagNameSurrogate(tag); }
    Kind kind() const
    {
        // WSL's sockets, FIFOs and device nodes are reparse points too.
        const bool special = reparse() && tag >= 0x80000023 && tag <= 0x80000026;
        if (type != FILE_TYPE_DISK || special)
            return Kind::Other;
        if (link())
            return Kind::Link;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Folder : Kind::File;
    }
};

bool shapeOf(HANDLE h, Shape& shape)
{
    shape = Shape();
    shape.type = GetFileType(h);
    if (shape.type != FILE_TYPE_DISK)
        return true;
    FILE_ATTRIBUTE_TAG_INFO tagged{};
    if (GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tagged, sizeof tagged)) {
        shape.attributes = tagged.FileAttributes;
        shape.tag = tagged.ReparseTag;
        return true;
    }
    // Some file servers know the attributes but not the tag class.
    BY_HANDLE_FILE_INFORMATION basic{};
    shape.attributes = GetFileInformationByHandle(h, &basic) ? basic.dwFileAttributes : 0;
    return succeeded(shape.attributes != 0);
}

// The volume and file number. The 128-bit number is needed on ReFS; the older
// call gives the same low half and volume serial on NTFS, so the two agree
// wherever both work.
std::array<quint64, 3> identityOf(HANDLE h)
{
    std::array<quint64, 3> id{};
    FILE_ID_INFO info{};
    BY_HANDLE_FILE_INFORMATION basic{};
    if (GetFileInformationByHandleEx(h, FileIdInfo, &info, sizeof info)) {
        id[0] = info.VolumeSerialNumber & 0xFFFFFFFFu;
        std::memcpy(&id[2], info.FileId.Identifier, sizeof id[2]);
        std::memcpy(&id[1], info.FileId.Identifier + sizeof id[2], sizeof id[1]);
    } else if (succeeded(GetFileInformationByHandle(h, &basic))) {
        id[0] = basic.dwVolumeSerialNumber;
        id[2] = (quint64(basic.nFileIndexHigh) << 32) | basic.nFileIndexLow;
    }
    return id;
}

// The file numbers must match; the volumes too, where both are known (Wine
// gives a handle whose folder was renamed the volume number 0).
bool sameIdentity(const std::array<quint64, 3>& a, const std::array<quint64, 3>& b)
{
    const bool known = a[1] != 0 || a[2] != 0;
    const bool volumes = a[0] == 0 || b[0] == 0 || a[0] == b[0];
    return known && volumes && a[1] == b[1] && a[2] == b[2];
}

bool sameObject(HANDLE a, HANDLE b)
{
    return sameIdentity(identityOf(a), identityOf(b));
}

// Win32 opens by path only, so a name in a held folder is reached through the
// folder's current path, and what was opened is checked to lie in that folder.
struct Child
{
    HANDLE folder = INVALID_HANDLE_VALUE;
    std::wstring folderPath;
    std::wstring path;
};

bool childOf(int folder, const QString& name, Child& child)
{
    if (!validName(name)) {
        errno = EINVAL;
        return false;
    }
    child.folder = handleOf(folder);
    child.folderPath = child.folder == INVALID_HANDLE_VALUE ? std::wstring() : finalPathOf(child.folder);
    child.path = withoutTrailingSeparators(child.folderPath) + L'\\' + toWide(name);
    return !child.folderPath.empty();
}

bool sameFolderPath(const std::wstring& a, const std::wstring& b)
{
    return equalNoCase(withoutTrailingSeparators(a), withoutTrailingSeparators(b));
}

// Whether the folder's path still leads to the held folder. Wine, and some
// file servers, go on giving a moved folder's handle its old path.
bool stillThere(const Child& child)
{
    const Handle there = openWide(child.folderPath, kProbeAccess, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    return there.valid() && sameObject(there.get(), child.folder);
}

bool markDeleted(HANDLE h);

// Opens name under the held folder; fails with EAGAIN when the folder moved
// (or a link crept into its path) between reading its path and opening, and
// a file just made in the wrong place goes again.
Handle openChild(const Child& child, DWORD access, DWORD creation, DWORD flags)
{
    Handle h = openWide(child.path, access, creation, flags);
    if (!h.valid())
        return h;
    const std::wstring opened = finalPathOf(h.get());
    if (!opened.empty() && sameFolderPath(parentOf(opened), child.folderPath) && stillThere(child))
        return h;
    const int why = opened.empty() ? errno : EAGAIN;
    if (creation == CREATE_NEW)
        markDeleted(h.get());
    errno = why;
    return Handle();
}

// The probe could only look; the file is opened again by name for its data
// and must turn out to be the very file the probe looked at.
int reopenForData(const std::wstring& path, HANDLE probe, const Shape& shape, DWORD access, bool followed)
{
    if (shape.kind() != Kind::File) {
        errno = shape.link() ? ELOOP : EINVAL;
        return -1;
    }
    // A plain file is reopened without following, so a link planted in the
    // meantime is opened as itself and caught below. Cloud placeholders and
    // other non-link reparse points need the driver that serves their data.
    const DWORD flags = (followed || shape.reparse()) ? 0 : FILE_FLAG_OPEN_REPARSE_POINT;
    Handle file = openWide(path, access, OPEN_EXISTING, flags);
    if (!file.valid())
        return -1;
    if (!sameObject(probe, file.get())) {
        errno = EAGAIN;
        return -1;
    }
    return adopt(file, (access & GENERIC_WRITE) ? _O_RDWR : _O_RDONLY);
}

// Only these can be set; the rest (folder, compressed, sparse...) are the
// file system's own.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                      | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE
                                      | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool setAttributes(HANDLE h, DWORD attributes)
{
    FILE_BASIC_INFO change{}; // zero times are left as they are
    attributes &= kSettableAttributes;
    change.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(h, FileBasicInfo, &change, sizeof change) != FALSE;
}

// The delete mark of the old kind: the name goes when the last holder lets
// go, and a read-only file takes it only once its own mark is off.
bool markDeletedOnClose(HANDLE h)
{
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition))
        return true;
    Failure failure = lastFailure();
    FILE_BASIC_INFO basic{};
    if (failure.code == ERROR_ACCESS_DENIED && !failure.deletePending
        && GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)
        && (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)
        && setAttributes(h, basic.FileAttributes & ~DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NORMAL))) {
        if (SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition))
            return true;
        failure = lastFailure();
        setAttributes(h, basic.FileAttributes);
    }
    setErrno(failure);
    return false;
}

// Deletes the open object. POSIX semantics take the name away at once, even
// while another workstation still holds the file, so it can be made again.
bool markDeleted(HANDLE h)
{
    DWORD flags = kDeletePosixIgnoreReadOnly;
    if (SetFileInformationByHandle(h, kDispositionInfoEx, &flags, sizeof flags))
        return true;
    const Failure failure = lastFailure();
    if (unsupported(failure.code))
        return markDeletedOnClose(h);
    setErrno(failure);
    return false;
}

// Opens for deletion; some shares grant DELETE but not the attributes, which
// only a read-only file needs.
template <typename Open>
Handle openForDelete(Open open)
{
    Handle h = open(kDeleteAccess);
    if (!h.valid() && errno == EACCES)
        h = open(DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE);
    return h;
}

// Removes what h holds when it is a folder exactly when one is wanted.
bool removeOpened(const Handle& h, bool folder)
{
    Shape shape;
    if (!h.valid() || !shapeOf(h.get(), shape))
        return false;
    if ((shape.kind() == Kind::Folder) != folder) {
        errno = folder ? ENOTDIR : EISDIR;
        return false;
    }
    return markDeleted(h.get());
}

bool renameByHandle(HANDLE h, const std::wstring& target, DWORD flags, FILE_INFO_BY_HANDLE_CLASS infoClass)
{
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(offsetof(RenameRequest, name) + nameBytes + sizeof(wchar_t), 0);
    auto* request = reinterpret_cast<RenameRequest*>(buffer.data());
    request->flags = flags;
    request->root = nullptr;
    request->nameBytes = DWORD(nameBytes);
    std::memcpy(request->name, target.c_str(), nameBytes);
    return SetFileInformationByHandle(h, infoClass, request, DWORD(buffer.size())) != FALSE;
}

// One attempt at renaming source over target.
Failure renameOnce(const std::wstring& source, const std::wstring& target)
{
    {
        Handle from = openWide(source, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, OPEN_EXISTING, kNoFollow);
        if (!from.valid())
            return lastFailure();
        // POSIX semantics replace a target that others hold open with delete
        // sharing, which the classic rename refuses.
        if (renameByHandle(from.get(), target, kRenameReplacePosix, kRenameInfoEx))
            return Failure();
        const Failure failure = lastFailure();
        if (!unsupported(failure.code))
            return failure;
    } // MoveFileExW opens the source itself
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Failure();
    return lastFailure();
}

// Best effort: a folder handle opened for writing can be flushed where the
// file system allows it, and nothing is lost where it does not.
void flushFolder(const std::wstring& folder)
{
    const int saved = errno;
    const Handle h = openWide(folder, GENERIC_WRITE | SYNCHRONIZE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (h.valid())
        FlushFileBuffers(h.get());
    errno = saved;
}

Entry describe(const Handle& h)
{
    Entry entry;
    Shape shape;
    if (!h.valid()) {
        entry.kind = errno == ENOENT ? Kind::Missing : Kind::Other;
        return entry;
    }
    entry.kind = shapeOf(h.get(), shape) ? shape.kind() : Kind::Other;
    FILE_STANDARD_INFO standard{};
    if (entry.kind == Kind::File && GetFileInformationByHandleEx(h.get(), FileStandardInfo, &standard, sizeof standard))
        entry.size = standard.EndOfFile.QuadPart;
    // On a folder the read-only mark only asks Explorer for a custom view; it
    // never stops anyone writing inside.
    const bool readOnly = (shape.attributes & FILE_ATTRIBUTE_READONLY) && entry.kind != Kind::Folder;
    entry.mode = readOnly ? 0444 : 0666;
    entry.writable = !readOnly;
    return entry;
}

// The descriptor's handle when a transfer of size bytes at offset can be asked.
HANDLE transferHandle(int fd, qint64 size, qint64 offset)
{
    const HANDLE h = handleOf(fd);
    if (h != INVALID_HANDLE_VALUE && (size < 0 || offset < 0)) {
        errno = EINVAL;
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

// Large enough for any single transfer the program makes, small enough for a DWORD.
constexpr qint64 kMaxTransfer = qint64(1) << 30;

OVERLAPPED overlappedAt(quint64 offset)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    return at;
}

struct Range
{
    OVERLAPPED at;
    DWORD low;
    DWORD high;
};

// Locks and unlocks must name exactly the same range, so both compute it
// here; length 0 reaches the largest offset there is.
Range rangeOf(qint64 start, qint64 length)
{
    const quint64 from = quint64(start);
    const quint64 count = length > 0 ? quint64(length) : ~quint64(0) - from;
    return Range{overlappedAt(from), DWORD(count), DWORD(count >> 32)};
}

} // namespace

void Descriptor::reset(int fd)
{
    const int old = m_fd;
    m_fd = fd;
    if (old >= 0 && old != fd)
        close(old);
}

void close(int fd)
{
    // Closing happens on the way out of failures; their errno must survive.
    const int saved = errno;
    if (fd >= 0)
        _close(fd);
    errno = saved;
}

int openRegular(const QString& path, Access access, Links links)
{
    const std::wstring wide = widePath(path);
    if (isDevicePath(wide)) {
        errno = EINVAL;
        return -1;
    }
    Handle probe = openWide(wide, kProbeAccess, OPEN_EXISTING, kNoFollow);
    Shape shape;
    if (!probe.valid() || !shapeOf(probe.get(), shape))
        return -1;
    const bool follow = links == Links::Follow && shape.link();
    if (follow) {
        probe = openWide(wide, kProbeAccess, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
        if (!probe.valid() || !shapeOf(probe.get(), shape))
            return -1;
    }
    const DWORD data = access == Access::ReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    return reopenForData(wide, probe.get(), shape, data, follow);
}

int openRegularAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child))
        return -1;
    const Handle probe = openChild(child, kProbeAccess, OPEN_EXISTING, kNoFollow);
    Shape shape;
    if (!probe.valid() || !shapeOf(probe.get(), shape))
        return -1;
    return reopenForData(child.path, probe.get(), shape, GENERIC_READ, false);
}

// The POSIX mode has no counterpart here: a new file takes the access rules
// of its folder, and a read-only mark would lock out our own writes.
int createNew(const QString& path, int /*mode*/)
{
    const std::wstring wide = widePath(path);
    if (isDevicePath(wide)) {
        errno = EINVAL;
        return -1;
    }
    Handle file =
        openWide(wide, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
    return file.valid() ? adopt(file, _O_RDWR) : -1;
}

int createNewAt(int folder, const QString& name, int /*mode*/)
{
    Child child;
    if (!childOf(folder, name, child))
        return -1;
    // DELETE as well, so a file made in the wrong place can be taken back.
    Handle file = openChild(child, GENERIC_READ | GENERIC_WRITE | DELETE, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
    return file.valid() ? adopt(file, _O_RDWR) : -1;
}

qint64 readAt(int fd, char* data, qint64 size, qint64 offset)
{
    const HANDLE h = transferHandle(fd, size, offset);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    OVERLAPPED at = overlappedAt(quint64(offset));
    DWORD done = 0;
    if (ReadFile(h, data, DWORD(std::min(size, kMaxTransfer)), &done, &at))
        return done;
    const Failure failure = lastFailure();
    if (failure.code == ERROR_HANDLE_EOF)
        return 0;
    setErrno(failure);
    return -1;
}

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    const HANDLE h = transferHandle(fd, size, offset);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    const DWORD count = DWORD(std::min(size, kMaxTransfer));
    OVERLAPPED at = overlappedAt(quint64(offset));
    DWORD done = 0;
    if (!succeeded(WriteFile(h, data, count, &done, &at)))
        return -1;
    // A disk file is written whole or not at all; less means the space ran out.
    if (done < count)
        errno = ENOSPC;
    return done == 0 && count > 0 ? -1 : qint64(done);
}

qint64 sizeOf(int fd)
{
    const HANDLE h = handleOf(fd);
    LARGE_INTEGER size{};
    return h != INVALID_HANDLE_VALUE && succeeded(GetFileSizeEx(h, &size)) ? size.QuadPart : -1;
}

bool truncate(int fd, qint64 size)
{
    const HANDLE h = transferHandle(fd, size, 0);
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return h != INVALID_HANDLE_VALUE && succeeded(SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end));
}

// Win32 flushes data and attributes together; there is no cheaper half.
bool flush(int fd, bool /*dataOnly*/)
{
    const HANDLE h = handleOf(fd);
    return h != INVALID_HANDLE_VALUE && succeeded(FlushFileBuffers(h));
}

Locked lock(int fd, LockKind kind, qint64 start, qint64 length, bool wait)
{
    const HANDLE h = transferHandle(fd, length, start);
    if (h == INVALID_HANDLE_VALUE)
        return Locked::Failed;
    Range range = rangeOf(start, length);
    DWORD flags = kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!wait)
        flags |= LOCKFILE_FAIL_IMMEDIATELY;
    // The handle is synchronous: a waiting lock returns once it is granted.
    if (LockFileEx(h, flags, 0, range.low, range.high, &range.at))
        return Locked::Yes;
    const Failure failure = lastFailure();
    setErrno(failure);
    const bool busy = failure.code == ERROR_LOCK_VIOLATION || failure.code == ERROR_IO_PENDING;
    if (!wait && busy) {
        errno = EAGAIN;
        return Locked::Busy;
    }
    return Locked::Failed;
}

void unlock(int fd, qint64 start, qint64 length)
{
    const HANDLE h = transferHandle(fd, length, start);
    Range range = rangeOf(start, length);
    if (h != INVALID_HANDLE_VALUE)
        UnlockFileEx(h, 0, range.low, range.high, &range.at);
}

Entry entryOf(const QString& path)
{
    const std::wstring wide = widePath(path);
    if (isDevicePath(wide)) {
        Entry device;
        device.kind = Kind::Other;
        return device;
    }
    return describe(openWide(wide, kProbeAccess, OPEN_EXISTING, kNoFollow));
}

Entry entryAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child))
        return describe(Handle());
    return describe(openChild(child, kProbeAccess, OPEN_EXISTING, kNoFollow));
}

Stamp stampOf(int fd)
{
    const HANDLE h = handleOf(fd);
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (h == INVALID_HANDLE_VALUE || !GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic)
        || !GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard))
        return Stamp{};
    const std::array<quint64, 3> id = identityOf(h);
    if (id == std::array<quint64, 3>{})
        return Stamp{};
    // The size third, as the header says; the rest of the file's number after it.
    return Stamp{qint64(id[0]), qint64(id[1]), standard.EndOfFile.QuadPart, qint64(id[2]),
                 basic.LastWriteTime.QuadPart, basic.ChangeTime.QuadPart, 0};
}

bool sameFile(const Stamp& a, const Stamp& b)
{
    return sameIdentity({quint64(a[0]), quint64(a[1]), quint64(a[3])}, {quint64(b[0]), quint64(b[1]), quint64(b[3])});
}

bool isSameFile(int fd, const QString& path)
{
    const HANDLE h = handleOf(fd);
    const std::wstring wide = widePath(path);
    if (h == INVALID_HANDLE_VALUE || isDevicePath(wide))
        return false;
    const Handle other = openWide(wide, kProbeAccess, OPEN_EXISTING, kNoFollow);
    return other.valid() && sameObject(h, other.get());
}

bool isSameFileAt(int folder, const QString& name, int fd)
{
    const HANDLE h = handleOf(fd);
    Child child;
    if (h == INVALID_HANDLE_VALUE || !childOf(folder, name, child))
        return false;
    const Handle other = openChild(child, kProbeAccess, OPEN_EXISTING, kNoFollow);
    return other.valid() && sameObject(h, other.get());
}

// Rights come from the folder; the read-only mark of the old file is not
// carried over, since the program must go on writing the new one.
bool keepPermissions(int /*fd*/, const Entry& /*like*/)
{
    return true;
}

void shareLockFile(int fd, const QString& /*folder*/)
{
    const HANDLE h = handleOf(fd);
    FILE_BASIC_INFO basic{};
    if (h != INVALID_HANDLE_VALUE && GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic))
        setAttributes(h, (basic.FileAttributes & ~DWORD(FILE_ATTRIBUTE_NORMAL)) | FILE_ATTRIBUTE_HIDDEN);
}

bool replaceByRename(const QString& from, const QString& to)
{
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    if (isDevicePath(source) || isDevicePath(target)) {
        errno = EINVAL;
        return false;
    }
    const ULONGLONG started = GetTickCount64();
    for (DWORD pause = 10;; pause = std::min<DWORD>(pause * 2, 100)) {
        const Failure failure = renameOnce(source, target);
        // The callers follow with flushFolderOf, which puts the entry on disk.
        if (failure.code == ERROR_SUCCESS)
            return true;
        // An antivirus, a backup or an indexer holding the target lets go
        // within moments; past two seconds it is not a moment.
        const bool held = failure.code == ERROR_ACCESS_DENIED || failure.code == ERROR_SHARING_VIOLATION
                          || failure.code == ERROR_LOCK_VIOLATION;
        if (!held || GetTickCount64() - started >= 2000) {
            setErrno(failure);
            return false;
        }
        Sleep(pause);
    }
}

bool removeFile(const QString& path)
{
    const std::wstring wide = widePath(path);
    if (isDevicePath(wide)) {
        errno = EINVAL;
        return false;
    }
    return removeOpened(openForDelete([&](DWORD access) { return openWide(wide, access, OPEN_EXISTING, kNoFollow); }),
                        false);
}

bool flushFolderOf(const QString& path)
{
    flushFolder(parentOf(widePath(path)));
    return true;
}

int openFolder(const QString& path)
{
    const std::wstring wide = widePath(path);
    if (isDevicePath(wide)) {
        errno = ENOTDIR;
        return -1;
    }
    Handle h = openWide(wide, kFolderAccess, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    Shape shape;
    if (!h.valid() || !shapeOf(h.get(), shape))
        return -1;
    if (shape.kind() != Kind::Folder) {
        errno = ENOTDIR;
        return -1;
    }
    return adopt(h, _O_RDONLY);
}

int openFolderAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child))
        return -1;
    Handle h = openChild(child, kFolderAccess, OPEN_EXISTING, kNoFollow);
    Shape shape;
    if (!h.valid() || !shapeOf(h.get(), shape))
        return -1;
    // Never through a reparse point of any kind: only plain folders are entered.
    if (shape.reparse() || shape.kind() != Kind::Folder) {
        errno = shape.reparse() ? ELOOP : ENOTDIR;
        return -1;
    }
    return adopt(h, _O_RDONLY);
}

bool makeFolderAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child) || !succeeded(CreateDirectoryW(child.path.c_str(), nullptr)))
        return false;
    // Had the held folder moved meanwhile, the new one stands elsewhere: it
    // goes again, while it is surely ours and empty.
    if (sameFolderPath(finalPathOf(child.folder), child.folderPath) && stillThere(child))
        return true;
    RemoveDirectoryW(child.path.c_str());
    errno = EAGAIN;
    return false;
}

bool flushFolder(int folder)
{
    // A folder opened to be read cannot be flushed here; its entries went
    // to disk with the writes and renames that made them.
    const HANDLE h = handleOf(folder);
    if (h != INVALID_HANDLE_VALUE)
        FlushFileBuffers(h);
    return true;
}

bool flushFilesAt(int folder, const QStringList& names)
{
    // Flushing a whole volume takes an administrator: each file on its own.
    for (const QString& name : names) {
        Child child;
        if (!childOf(folder, name, child))
            return false;
        const Handle h = openChild(child, GENERIC_WRITE | SYNCHRONIZE, OPEN_EXISTING, kNoFollow);
        if (!h.valid())
            return false;
        if (!FlushFileBuffers(h.get())) {
            errno = EIO;
            return false;
        }
    }
    return true;
}

QStringList namesIn(int folder)
{
    QStringList names;
    const HANDLE h = handleOf(folder);
    // Read through the handle itself, never by name, so the listing is of the
    // folder we hold; LONGLONG keeps the records aligned.
    std::vector<LONGLONG> buffer(64 * 1024 / sizeof(LONGLONG));
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    while (h != INVALID_HANDLE_VALUE
           && GetFileInformationByHandleEx(h, infoClass, buffer.data(), DWORD(buffer.size() * sizeof(LONGLONG)))) {
        infoClass = FileIdBothDirectoryInfo;
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        for (std::size_t at = 0;;) {
            const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + at);
            const QString name = QString::fromWCharArray(record->FileName, record->FileNameLength / sizeof(WCHAR));
            if (name != QLatin1String(".") && name != QLatin1String(".."))
                names << name;
            if (record->NextEntryOffset == 0)
                break;
            at += record->NextEntryOffset;
        }
    }
    const Failure failure = lastFailure();
    if (h != INVALID_HANDLE_VALUE && failure.code != ERROR_NO_MORE_FILES && failure.code != ERROR_FILE_NOT_FOUND)
        setErrno(failure);
    return names;
}

// A junction is a folder that is also a link: it goes as the link, and what
// it points to is never entered.
bool removeAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child))
        return false;
    return removeOpened(
        openForDelete([&](DWORD access) { return openChild(child, access, OPEN_EXISTING, kNoFollow); }), false);
}

// ENOTEMPTY from the delete mark when something is left inside.
bool removeFolderAt(int folder, const QString& name)
{
    Child child;
    if (!childOf(folder, name, child))
        return false;
    return removeOpened(
        openForDelete([&](DWORD access) { return openChild(child, access, OPEN_EXISTING, kNoFollow); }), true);
}

bool renameNoReplaceAt(int folder, const QString& from, const QString& to)
{
    Child child;
    if (!childOf(folder, from, child))
        return false;
    if (!validName(to)) {
        errno = EINVAL;
        return false;
    }
    // The source is the checked handle; only the new name goes by path.
    const Handle source = openChild(child, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, OPEN_EXISTING, kNoFollow);
    const std::wstring target = withoutTrailingSeparators(child.folderPath) + L'\\' + toWide(to);
    return source.valid() && succeeded(renameByHandle(source.get(), target, 0, FileRenameInfo));
}

// Windows offers no block cloning a plain program can count on, and its copy
// call reopens both files by name; the program copies the bytes itself.
bool copyInSystem(int /*from*/, int /*to*/, qint64 size, const std::function<bool(qint64, qint64)>& byWrites)
{
    return size <= 0 || byWrites(0, size);
}

// Committed at once, so running out shows here and not at the first touch;
// the pages come zeroed on first use either way.
void* reserveMemory(std::size_t bytes, bool /*touchNow*/)
{
    void* area = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!area)
        errno = ENOMEM;
    return area;
}

void* growMemory(void* /*area*/, std::size_t /*bytes*/, std::size_t /*newBytes*/)
{
    return nullptr;
}

bool shrinkMemory(void* /*area*/, std::size_t /*bytes*/, std::size_t /*newBytes*/)
{
    return false;
}

void releaseMemory(void* area, std::size_t /*bytes*/)
{
    if (area)
        VirtualFree(area, 0, MEM_RELEASE);
}

// No signal ends a program for a file-size limit here; what remains is the
// system's own "insert a disk" box, which must come to us as an error.
void prepareProcess()
{
    const UINT previous = SetErrorMode(0);
    SetErrorMode(previous | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool hasProgramFor(const QString& path)
{
    const Entry entry = entryOf(path);
    if (entry.kind == Kind::Missing || entry.kind == Kind::Folder)
        return entry.kind == Kind::Folder; // Explorer opens any folder
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return false;
    const std::wstring extension = L"." + toWide(suffix);
    const HRESULT none[] = {HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
                            HRESULT_FROM_WIN32(ERROR_NOT_FOUND)};
    bool unanswered = false;
    // Store apps answer only to the command; classic programs to both.
    for (const ASSOCSTR what : {ASSOCSTR_EXECUTABLE, ASSOCSTR_COMMAND}) {
        wchar_t answer[2048] = {};
        DWORD length = DWORD(std::size(answer));
        const HRESULT result =
            AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN, what, extension.c_str(), nullptr, answer, &length);
        // An answer too long for the buffer is still an answer.
        if ((result == S_OK && answer[0] != 0) || result == E_POINTER)
            return true;
        unanswered = unanswered || std::find(std::begin(none), std::end(none), result) == std::end(none);
    }
    return unanswered;
}

} // namespace FileSystem
