#include "storage/FindInList.h"

#include "storage/PackedLines.h"
#include "storage/TextRules.h"

namespace {

bool lineMatches(const QString& line, const QString& lowerText)
{
    return TextRules::lowerAZ(line).contains(lowerText);
}

template <class Lines>
int findIn(const Lines& lines, int count, int selected, const QString& typed, QString& lastSearch)
{
    if (count == 0)
        return selected;
    if (selected < 0 || selected >= count)
        selected = 0;

    const QString text = TextRules::lowerAZ(typed);
    // A new text starts over from the top and may stop on the first line;
    // the same text again means "the next one", so the selection itself is
    // only reconsidered after a full turn.
    const bool newSearch = text != lastSearch;
    lastSearch = text;
    if (text.isEmpty())
        return selected;   // matches nothing: no line need be read

    const int start = newSearch ? 0 : selected;
    if (newSearch && lineMatches(lines(start), text))
        return start;
    for (int i = (start + 1) % count;; i = (i + 1) % count) {
        if (lineMatches(lines(i), text))
            return i;
        if (i == start)
            return selected;
    }
}

} // namespace

int findInList(const QStringList& lines, int selected, const QString& typed, QString& lastSearch)
{
    return findIn([&](int row) { return lines.at(row); }, int(lines.size()), selected, typed, lastSearch);
}

int findInList(const PackedLines& lines, int selected, const QString& typed, QString& lastSearch)
{
    return findIn([&](int row) { return lines.line(row); }, int(lines.count()), selected, typed, lastSearch);
}
