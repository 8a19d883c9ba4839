#include "storage/ListSearch.h"

#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

namespace ListSearch {

int filled(const std::vector<Criterion>& criteria)
{
    int n = 0;
    for (const Criterion& c : criteria) {
        if (!TextRules::trim(c.typed).isEmpty())
            ++n;
    }
    return n;
}

int occurring(const char* record, const std::vector<Criterion>& criteria)
{
    int n = 0;
    for (const Criterion& c : criteria) {
        if (!c.typed.isEmpty()
            && TextRules::lowerAZ(loadField(record, c.field)).contains(TextRules::lowerAZ(c.typed)))
            ++n;
    }
    return n;
}

bool matches(const char* record, const std::vector<Criterion>& criteria, int filled)
{
    return filled == 0 || occurring(record, criteria) >= filled;
}

bool collectWhere(ArchiveFile& archive, const RecordTest& keep, LineComposer::Composition compose,
                  PackedLines& lines)
{
    LineComposer line;
    return archive.scan([&](qint64, const char* record) {
        if (keep(record)) {
            line.clear();
            compose(record, line);
            lines.append(line);
        }
        return true;
    });
}

bool collect(ArchiveFile& archive, const std::vector<Criterion>& criteria, LineComposer::Composition compose,
             PackedLines& lines)
{
    const int wanted = filled(criteria);
    return collectWhere(
        archive, [&](const char* record) { return matches(record, criteria, wanted); }, compose, lines);
}

bool findByLine(ArchiveFile& archive, const LineBuilder& build, const QString& line, QByteArray& record,
                qint64& position)
{
    const QString wanted = TextRules::trim(line);
    bool found = false;
    const bool ok = archive.scan([&](qint64 index, const char* raw) {
        if (TextRules::trim(build(raw)) == wanted) {
            record = QByteArray(raw, archive.recordSize());
            position = index + 1;
            found = true;
        }
        return true;
    });
    return ok && found;
}

} // namespace ListSearch
