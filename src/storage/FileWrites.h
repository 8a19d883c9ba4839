#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

// Every byte the program puts on disk goes through here: the records of the
// archives, the settings, the password store, the logo and the exports. One
// door, so that a full disk or a refusing network share is met the same way
// everywhere, and so that tests can make a write fail where a real full disk
// cannot be had.
namespace FileWrites {

// Hands size bytes to the open file fd at offset, in one call; returns what
// the file system took (fewer on a full disk) or -1.
qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset);

// The call writeAt makes. Tests replace it to make a write come out short
// or fail; returns the writer in force before.
using Writer = std::function<qint64(int fd, const char* data, qint64 size, qint64 offset)>;
Writer setWriter(Writer writer);

// Copies the whole of the open file `from` into the empty open file `to`,
// by the cheapest means the file systems offer: the copy sharing the
// original's blocks (a clone, on file systems that can: Btrfs, XFS), else
// a copy made inside the system or on the file server (no byte through the
// program), else reads and writes; each step falls back to the next where
// it is not supported. Holes of a sparse file stay holes in the copy where
// the system tells them apart. Does not sync. A replaced writer (setWriter) always
// gets the bytes through reads and writes, so that a test sees them.
bool copyContents(int from, int to);

// Six random letters or digits: the end of a name made beside another for a
// file or folder being written, which no one else uses.
QByteArray randomSuffix();

// Replaces the whole file at path with data. The bytes go to a temporary
// file beside it, which is renamed over the old one only when every byte has
// been written and synced: a failed write (a full disk, a file-size limit, a
// folder without write permission) leaves the old file byte for byte as it
// was, and no temporary file behind. An existing file that may not be
// written (read-only), or a folder, is not replaced. The new file keeps the
// old one's permissions. A symbolic link in the file's place is replaced
// itself, by the new file: what it points to, anywhere, is never written.
bool replaceFile(const QString& path, const QByteArray& data);

// New files of the open folder `folder`, never written over anything
// already under their names. Each file's bytes go to a temporary file of the
// folder as it is added; commit() puts them all on disk in one step and only
// then gives each its name, if the name is still free at that moment. A
// file that could not be written, or whose name was taken, leaves no
// temporary file behind, nor does a set dropped without commit.
enum class Created { Done, Taken, Failed };
class NewFiles
{
public:
    explicit NewFiles(int folder) : m_folder(folder) {}
    ~NewFiles();
    NewFiles(const NewFiles&) = delete;
    NewFiles& operator=(const NewFiles&) = delete;

    // False when the bytes could not be written whole (a full disk).
    bool add(const QString& name, const QByteArray& data);
    // The outcome of each file added, in order: Done, Taken (nothing
    // written under the name), or Failed when the files could not be put
    // on disk.
    std::vector<Created> commit();

private:
    struct Pending
    {
        QString name, temporary;
    };
    int m_folder;
    std::vector<Pending> m_pending;
};

// The same for a file handed over in pieces, so that a large file is never
// whole in memory: each piece goes to the temporary file as it comes, and
// commit() renames it over the old file once every piece is written and
// synced. Until then, after any failed piece, and when the replacement is
// dropped without commit, the old file stays byte for byte as it was and no
// temporary file is left behind.
class Replacement
{
public:
    explicit Replacement(const QString& path);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // False once the temporary file could not be made or a piece failed.
    bool ok() const { return m_ok; }
    // Appends a piece; false (and every later call false) when it did not
    // go through whole.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& piece) { return write(piece.constData(), piece.size()); }
    // Syncs and renames over the old file; false leaves the old file.
    bool commit();

private:
    void drop();

    QString m_path;       // the file replaced
    QString m_temporary;  // the file written, beside it
    int m_fd = -1;
    qint64 m_written = 0;
    bool m_ok = false;
};

} // namespace FileWrites
