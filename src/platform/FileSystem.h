#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <functional>

// Every call the program makes to the operating system's files goes through
// here: one implementation per system (posix/FileSystem.cpp,
// win32/FileSystem.cpp), chosen when the program is built. The callers
// above work on descriptors (small non-negative ints, -1 for none; on
// Windows each one owns a handle) and read errno after a failure; each
// system's implementation sets errno to the values named below, so the
// callers never ask which system they run on.
//
// What every implementation guarantees:
// - Locks: a byte range locked shared or exclusive is respected by every
//   process and every workstation that reaches the file, network shares
//   included where they lock at all (fcntl; LockFileEx). On Windows locks
//   are mandatory and belong to the descriptor: a read or write through
//   another descriptor of the locked range fails, so the program reads and
//   writes a locked file through the descriptor that holds the lock, and
//   releases exactly the range it locked.
// - Only a regular file is opened as an archive, the settings or the store:
//   a FIFO, a device, a pipe or a folder under the name is refused without
//   being waited on, woken or read.
// - A planted link is never followed where a name is opened without
//   following (Links::Refuse, the *At calls, removals): a symbolic link and,
//   on Windows, a junction or any name-surrogate reparse point are links.
//   Cloud placeholders, deduplicated and compressed files are regular files.
// - A file replaced by rename (replaceByRename) is afterwards either the
//   old one or the whole new one, also after a power cut: the new file is
//   flushed first and the rename is written through. When another program
//   holds the old file, the rename is tried again for about two seconds;
//   after that it fails and the old file is as it was.
// - The program's own descriptors never stand in the way of a rename or a
//   removal by another workstation (on Windows: opened with delete sharing).
// - Folders are worked on through descriptors held open (openFolder,
//   *At calls): a copy or a removal never leaves the folder held, whatever is
//   swapped in under its name.
// - Paths are passed whole to the system in its own wide form: any letter a
//   folder name can hold, and paths longer than 260 characters on Windows.
namespace FileSystem {

// A descriptor closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : m_fd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1);
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

void close(int fd);

// Whether a link in the place of the name is followed.
enum class Links { Follow, Refuse };
enum class Access { Read, ReadWrite };

// Opens the regular file at path: -1 with errno ENOENT when nothing is
// there, ELOOP for a refused link, EINVAL when it is not a regular file,
// EAGAIN when the name is held by a file being deleted (Windows keeps such a
// name until its last holder lets go), anything else for other failures.
int openRegular(const QString& path, Access access, Links links);
// The same for name in the open folder `folder`, for reading, never
// following a link.
int openRegularAt(int folder, const QString& name);
// Creates a new regular file at path, or name in the open folder, for
// reading and writing: -1 with EEXIST when the name is taken (by anything,
// a link included, which is never followed). mode is the POSIX permission
// set, narrowed by the umask.
int createNew(const QString& path, int mode);
int createNewAt(int folder, const QString& name, int mode);

// size bytes at offset, in one call (retried when interrupted): the count
// read or written, 0 at the end of the file, -1 on failure (errno ENOSPC,
// EFBIG, EIO...).
qint64 readAt(int fd, char* data, qint64 size, qint64 offset);
qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset);
// -1 on failure.
qint64 sizeOf(int fd);
bool truncate(int fd, qint64 size);
// Waits until the file's bytes (and, unless dataOnly, its attributes) are
// on disk.
bool flush(int fd, bool dataOnly = false);

// Byte-range locks. length 0 locks from start to any end the file may reach.
enum class LockKind { Shared, Exclusive };
enum class Locked { Yes, Busy, Failed };
// wait: until the range is free (Busy never comes back), else one try.
Locked lock(int fd, LockKind kind, qint64 start, qint64 length, bool wait);
void unlock(int fd, qint64 start, qint64 length);

// What stands under a name, looked at without following a link.
enum class Kind { Missing, File, Folder, Link, Other };
struct Entry
{
    Kind kind = Kind::Missing;
    qint64 size = 0;
    // The POSIX permissions and group; on Windows the mode says only
    // whether the file is read-only (0444) or not (0666).
    int mode = 0;
    qint64 group = -1;
    // The current user may write it (not read-only).
    bool writable = false;
};
Entry entryOf(const QString& path);
Entry entryAt(int folder, const QString& name);

// What tells a file apart from itself after any write: the file (volume and
// file number), its size and its change times to the finest step kept. The
// size is always the third entry.
using Stamp = std::array<qint64, 7>;
constexpr int kStampSize = 2;
// All zero when it cannot be had.
Stamp stampOf(int fd);
// Whether two stamps, or the open file and the name, are the same file.
bool sameFile(const Stamp& a, const Stamp& b);
bool isSameFile(int fd, const QString& path);
bool isSameFileAt(int folder, const QString& name, int fd);

// Gives a new file the permissions and group of the one it replaces, where
// the system keeps them (a user outside the group keeps their own).
bool keepPermissions(int fd, const Entry& like);
// The lock file of a folder several users share: readable and writable by
// the folder's group; on Windows hidden, like the dot name on Linux.
void shareLockFile(int fd, const QString& folder);

// Renames from over to (see above: flushed, written through, about two
// seconds of retries while another program holds to).
bool replaceByRename(const QString& from, const QString& to);
// Removes the file (or link) at path: false with errno ENOENT when missing.
bool removeFile(const QString& path);
// Waits until the entries of the folder holding path are on disk, where the
// system can; true where there is nothing to wait for.
bool flushFolderOf(const QString& path);

// Folders held open.
int openFolder(const QString& path);
// name in the open folder, never through a link or junction.
int openFolderAt(int folder, const QString& name);
// false with errno EEXIST when the name is taken.
bool makeFolderAt(int folder, const QString& name);
// Waits until the entries of the open folder are on disk, where the system
// can; true where it cannot (Windows writes a folder's entries through).
bool flushFolder(int folder);
// Waits until the bytes of the named files of the open folder are on disk:
// many files written one after the other are put on disk together, in one
// step where the system has one for a whole file system (Linux), one file
// after the other where it has not (Windows).
bool flushFilesAt(int folder, const QStringList& names);
// The names in the open folder, "." and ".." aside.
QStringList namesIn(int folder);
// Removes the entry name of the open folder when it is not a folder: a file,
// or a link (a junction on Windows) removed as a link. A read-only file is
// removed all the same. false with errno EISDIR for a real folder, ENOENT
// when missing.
bool removeAt(int folder, const QString& name);
// Removes the empty folder name of the open folder.
bool removeFolderAt(int folder, const QString& name);
// Renames from to to inside the open folder, never over an existing name:
// false with errno EEXIST (or ENOTEMPTY) when to is taken.
bool renameNoReplaceAt(int folder, const QString& from, const QString& to);

// Copies the size bytes of from into the empty file to inside the system
// where it can (a clone of the blocks, a copy on the file server), holes of
// a sparse file kept; the ranges it cannot copy so go to byWrites(offset,
// end), which copies them through the program. false on a real failure.
bool copyInSystem(int from, int to, qint64 size, const std::function<bool(qint64, qint64)>& byWrites);

// Memory for large working areas, taken straight from the system so that a
// freed one goes back at once. reserve returns nullptr when none is left;
// touchNow makes every page ready at once (the area is about to be filled).
// grow resizes in place or by moving without copying, nullptr where the
// system cannot (the caller copies); shrink gives back the end, false where
// it cannot.
void* reserveMemory(std::size_t bytes, bool touchNow);
void* growMemory(void* area, std::size_t bytes, std::size_t newBytes);
bool shrinkMemory(void* area, std::size_t bytes, std::size_t newBytes);
void releaseMemory(void* area, std::size_t bytes);

// Once at start: a write beyond a file-size limit comes back as a failed
// write (never a signal that ends the program), and a missing drive or disk
// is reported to the program, never in a box of the system's own.
void prepareProcess();

// Whether the desktop has a program that opens the file at path (by its
// type or extension). true when it cannot be asked.
bool hasProgramFor(const QString& path);

} // namespace FileSystem
