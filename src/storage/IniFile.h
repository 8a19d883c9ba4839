#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QFileDevice;

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

// Writes key=value in section, creating the file, the section or the key when
// missing and replacing an existing value. False when the file cannot be
// written; the file is then as it was.
bool write(const QString& path, const QString& section, const QString& key, const QString& value);

// The bytes that write() puts in place of contents.
QByteArray withValue(const QByteArray& contents, const QString& section, const QString& key, const QString& value);

// The largest file read. Settings and the store are a few short lines; a file
// of many megabytes is not one of them, and reading it would hold up the
// program, so it is refused as unreadable without being read.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

// Replaces the whole file with data. The bytes go to a temporary file beside
// it, which is renamed over the old one only when every byte has been
// written and synced: a failed write (a full disk, a file-size limit) leaves
// the old file byte for byte as it was, and no temporary file behind.
bool replaceFile(const QString& path, const QByteArray& data);

// The call that hands each piece of a new file to the device; tests replace it
// to make a write fail where a real full disk cannot be had. Returns the
// writer in force before.
using DeviceWriter = std::function<qint64(QFileDevice& file, const char* data, qint64 size)>;
DeviceWriter setDeviceWriter(DeviceWriter writer);

} // namespace IniFile
