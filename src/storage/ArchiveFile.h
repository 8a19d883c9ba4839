#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <unordered_set>

// The message of every failure while an archive is open.
QString archiveAccessMessage();

// A headerless file of fixed-size records. Every operation opens the file
// (creating it empty when missing), works and closes it again: nothing of an
// archive is kept between two user actions, so each operation sees the file
// as it is on disk, records of other workstations included.
//
// Other workstations may work on the same file: appends and updates hold an
// exclusive lock on the file while they write, reads and scans a shared lock
// on what they are reading, so no one reads a record half rewritten.
//
// An archive is a regular file of the folder: anything else under its name
// (a symbolic link, a FIFO, a device, a folder) fails every operation.
//
// On any failure the operation is abandoned and returns false; nothing is
// shown here: the screen that asked reports it (with the archive-access
// message, or not at all where a list stops silently).
class ArchiveFile
{
public:
    ArchiveFile(const QString& path, int recordSize);

    const QString& path() const { return m_path; }
    int recordSize() const { return m_recordSize; }

    // Number of whole records (an incomplete tail is not a record).
    bool count(qint64& records);
    // Reads the record at 0-based index.
    bool read(qint64 index, QByteArray& record);
    // Writes a new record at index = count, over any incomplete tail;
    // position receives its 1-based position. A record the file system does
    // not take whole is cut off again: the count stays as it was.
    bool append(const QByteArray& record, qint64& position);
    // The same, unless one of the records from 0-based index from on makes
    // veto true: then nothing is written. Looking and writing happen under
    // one exclusive lock, so no other workstation adds a record in between.
    enum class Appended { Done, Vetoed, Failed };
    using RecordTest = std::function<bool(const char* record)>;
    Appended appendUnless(const QByteArray& record, qint64 from, const RecordTest& veto, qint64& position);
    // Overwrites the record at 1-based position. A position beyond the
    // current count (the file was shrunk or replaced elsewhere) writes nothing
    // and fails. A record the file system does not take whole is replaced
    // by the old one again: the card is the old one or the new one, never a
    // mix of both.
    bool update(qint64 position, const QByteArray& record);

    // The same over the whole file, for a test on one field: veto gets a
    // pointer to the `length` bytes at `offset` of each record and looks at
    // nothing else, so a year of receipts is looked through at the speed of
    // a plain read of the file.
    //
    // With an index, the field of every record is looked up in what the
    // index holds instead, as long as the file is exactly as it was when the
    // index last saw it (same file, size and change times, taken under the
    // lock); otherwise every record is read once more and the index made
    // again. An append through it adds its own key and stamp, so a
    // workstation saving one receipt after another reads the year only when
    // another workstation wrote it meanwhile.
    struct FieldIndex
    {
        std::array<qint64, 7> stamp{};   // the file the keys describe; all 0: none yet
        std::unordered_set<std::string> keys;
    };
    struct FieldTest
    {
        int offset = 0;
        int length = 0;
        RecordTest test;
        // For an index: the key of a record's field, the key of the record
        // appended (test then is not used), the index kept by the caller.
        std::function<std::string(const char* field)> keyOf;
        std::string key;
        FieldIndex* index = nullptr;
    };
    Appended appendUnless(const QByteArray& record, const FieldTest& veto, qint64& position);
    // Brings test's index up to the file as it is now, reading the records
    // only if it changed since the index last saw it: done ahead (when the
    // year is opened), it spares the first append the read.
    bool prepareIndex(const FieldTest& test);

    // Rewrites the record at 1-based position with what `rewrite` makes of
    // the record as it is now: the read, the judgement and the write happen
    // under one exclusive lock, so nothing another workstation writes in
    // between is undone (a stock lowered twice at once is lowered twice).
    // rewrite gets the stored bytes and returns true with the bytes to write
    // in their place, or false to leave the record as it is (Kept). A
    // position beyond the current count is Missing and nothing is written.
    // A record the file system does not take whole is replaced by the old
    // one again (Failed).
    enum class Changed { Done, Kept, Missing, Failed };
    using RecordChange = std::function<bool(QByteArray& record)>;
    Changed change(qint64 position, const RecordChange& rewrite);

    // Reads every record from index 0 upward, a block at a time; visit gets the
    // index and a pointer to recordSize bytes, and returns false to stop early.
    using Visitor = std::function<bool(qint64 index, const char* record)>;
    bool scan(const Visitor& visit);
    // The same from a 0-based index on (the records added since a count).
    bool scanFrom(qint64 first, const Visitor& visit);

private:
    Appended appendUnlessIndexed(const QByteArray& record, const FieldTest& veto, qint64& position);
    bool refreshIndex(int fd, const FieldTest& test, const std::array<qint64, 7>& stamp, bool lockBlocks);

    QString m_path;
    int m_recordSize;
};
