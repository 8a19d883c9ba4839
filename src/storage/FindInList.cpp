#include "storage/FindInList.h"

#include "storage/TextRules.h"

namespace {

bool lineMatches(const QString& line, const QString& lowerText)
{
    return !lowerText.isEmpty() && TextRules::lowerAZ(line).contains(lowerText);
}

} // namespace

int FindInList(const QStringList& lines, int selected, const QString& typed, QString& lastSearch)
{
    const int count = static_cast<int>(lines.size());
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

    const int start = newSearch ? 0 : selected;
    if (newSearch && lineMatches(lines.at(start), text))
        return start;
    for (int i = (start + 1) % count;; i = (i + 1) % count) {
        if (lineMatches(lines.at(i), text))
            return i;
        if (i == start)
            return selected;
    }
}
