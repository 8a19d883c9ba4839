#pragma once

#include <QByteArray>
#include <QString>

class ArchiveFile;

enum class BrowseCommand { First, Previous, Next, Last };

// What a browse command leads to. The screen shows it: the record and its
// position, the empty-archive box, or the archive-access message.
struct BrowseResult
{
    enum class Outcome {
        Record,         // record and position hold the card to show
        Nothing,        // nothing to do (Previous on the first card, Next on the last)
        EmptyArchive,   // the archive holds no record
        Failed          // the archive could not be read
    };
    Outcome outcome = Outcome::Nothing;
    QByteArray record;
    qint64 position = 0;         // 1-based, with Outcome::Record
    bool clearPosition = false;  // the card shown no longer exists: show it as a new card
};

// The four browse commands of the card screens and the receipt editor.
// current is the 1-based position of the card shown, 0 for a new card.
BrowseResult browseArchive(ArchiveFile& archive, BrowseCommand command, qint64 current);

// The box shown when browsing an archive with no record.
QString emptyArchiveCaption();
QString emptyArchiveMessage();

// The question of a Save about to overwrite a card that another workstation
// changed after it was shown here.
QString changedElsewhereCaption();
QString changedElsewhereQuestion();
