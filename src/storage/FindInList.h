#pragma once

#include <QString>
#include <QStringList>

class PackedLines;

// Find in list: the next line of a list that contains the typed text.
//
// selected is the selected line (-1 when none). Returns the line to select:
// the matching line, or the selection as it stands when nothing matches (the
// first line when nothing was selected). lastSearch is the screen's memory of
// the previous search; it receives the lower-cased text in every case, which
// is how a second press with the same text moves on to the next match.
//
// Case is ignored for A to Z only; the text is not trimmed, and an empty text
// never matches. An empty list returns selected untouched and leaves
// lastSearch alone: telling the user is the screen's job.
int findInList(const QStringList& lines, int selected, const QString& typed, QString& lastSearch);
// The same over the packed lines of a list, read one after another.
int findInList(const PackedLines& lines, int selected, const QString& typed, QString& lastSearch);
