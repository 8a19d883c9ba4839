#pragma once

#include <QString>

// Qt reads "qt.conf" beside the executable while the application starts, to
// find the folder's libraries and plugins. Something other than a regular
// file under that name (a FIFO planted in a shared folder, a device) would
// hold every workstation's start for good, before any window could say so.
namespace QtConf {

// Whether the qt.conf of the folder holding the running executable, if any,
// may be read: true when there is none or it is a regular file.
bool usable();

// What is written on the terminal when it may not.
QString refusal();

} // namespace QtConf
