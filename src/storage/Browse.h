#pragma once

#include <QByteArray>
#include <QString>

class ArchiveFile;

enum class BrowseCommand { First, Previous, Next, Last };

// The four browse commands of the card screens and the receipt editor.
// positionLabel is the text of the screen's position label; it is updated
// (set to the position read, or cleared by Next on an empty archive).
// Returns true when a record was read into record: the caller then fills its
// controls from it. Messages (empty archive, archive access) are shown here.
bool BrowseArchive(ArchiveFile& archive, BrowseCommand command, QString& positionLabel, QByteArray& record);

// The message shown when browsing an archive with no record.
QString emptyArchiveCaption();
QString emptyArchiveMessage();
