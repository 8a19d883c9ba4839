#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Opening the program's own files so that whatever stands under their names
// cannot hold the program up: a FIFO would stop the start or the login for
// good, a device such as /dev/zero would be read or copied until memory or
// the disk runs out. Only a regular file is ever opened: what the name holds
// is looked at through a handle that opens nothing (a device is never
// opened, so never woken or rewound; a FIFO's waiting writer is never let
// through), and that very file is then opened through the handle, so nothing
// can be swapped in between the look and the opening.
namespace RegularFile {

// Whether a symbolic link in the file's place is followed. Reading through a
// link to a regular file elsewhere is harmless; writing through one would
// change a file outside the program's folder.
enum class Links { Follow, Refuse };

// Opens path for reading only. The descriptor (to be closed by the caller),
// or -1 with errno set: ENOENT when nothing is there, ELOOP for a refused
// link, EINVAL when it is not a regular file. Never waits on a FIFO.
int openForReading(const QString& path, Links links);

// Opens path for reading and writing, creating it empty when missing. A
// symbolic link in its place is refused: what the program writes in place
// stays in its folder.
int openForUpdate(const QString& path);

enum class Outcome { Read, Missing, Refused, Link };
// The whole of the file at path. Refused, with contents empty, when it is
// not a regular file, cannot be read or holds more than maxSize bytes: a
// larger file is refused without being read, and one that grows past
// maxSize while being read is refused at that point. A symbolic link in its
// place is followed, or with Links::Refuse not opened at all (Link).
Outcome readAll(const QString& path, qint64 maxSize, QByteArray& contents, Links links = Links::Follow);

} // namespace RegularFile
