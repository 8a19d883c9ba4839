#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

// Reads and writes INI files the way Windows programs do, so that the
// settings and the password store stay readable by the usual conventions:
// section and key names compared without regard to case, names written as
// given ("[Dati Azienda]"), values as plain Windows-1252 text, CRLF line ends.
// Everything else in the file (other sections, other keys, comments) is kept
// untouched when a value is written.
namespace IniFile {

// value receives the value (trimmed); empty when the file, the section or the
// key is missing. False only when the file exists but cannot be read.
bool read(const QString& path, const QString& section, const QString& key, QString& value);

// Convenience form: empty on any failure.
QString read(const QString& path, const QString& section, const QString& key);

// The bytes of the file at path, empty when it is missing. False when it
// exists but cannot be read, or is larger than kMaxFileSize.
bool readContents(const QString& path, QByteArray& contents);

// What read() finds in the bytes of a file: the value (trimmed), empty when
// the section or the key is missing.
QString valueIn(const QByteArray& contents, const QString& section, const QString& key);

// The outcome of a write: true when written. When false, the file is as it
// was; heldLock names the lock file when it was the lock that could not be
// had (see lockFileMessage), and is empty when the file itself could not be
// read or replaced.
struct Written
{
    bool ok = false;
    QString heldLock;
    operator bool() const { return ok; }
};

// Writes key=value in section, creating the file, the section or the key when
// missing and replacing an existing value.
Written write(const QString& path, const QString& section, const QString& key, const QString& value);

// One key of a write of several.
struct Entry
{
    QString section;
    QString key;
    QString value;
};
// Writes every entry, in order, in one replacement of the file: afterwards
// the file holds all the new values or, on failure, all the old ones. The
// file is read, changed and replaced under one exclusive lock (see
// ReplacementLock): two workstations writing at once both keep their values.
// A symbolic link in the file's place is read as an empty file: the values
// are written into a new file of the folder, and whatever the link pointed
// to never lands in it.
Written write(const QString& path, const std::vector<Entry>& entries);
// The same, with the entries chosen from the file as it stands once the lock
// is held: a value worked out from another (the next number of a sequence)
// is never worked out twice from the same one, by two workstations at once.
// An empty choice writes nothing and succeeds.
using Change = std::function<std::vector<Entry>(const QByteArray& contents)>;
Written update(const QString& path, const Change& change);
// The bytes that write() puts in place of contents.
QByteArray withValue(const QByteArray& contents, const QString& section, const QString& key, const QString& value);

// The largest file read. Settings and the store are a few short lines; a file
// of many megabytes is not one of them, and reading it would hold up the
// program, so it is refused as unreadable without being read.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

} // namespace IniFile
