#pragma once

#include "storage/PackedLines.h"
#include "storage/ShortString.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ArchiveFile;

// What the card searches share: criteria tested against record fields, and
// the way back from a list line to its record.
namespace ListSearch {

// A criterion as typed and the record field it is looked for in.
struct Criterion
{
    QString typed;
    FieldPos field;
};

// Criteria whose trimmed text is not empty.
int filled(const std::vector<Criterion>& criteria);

// How many criteria occur in the record: a criterion occurs when its text
// as typed, letters A to Z folded, is part of the field; an empty criterion
// never occurs.
int occurring(const char* record, const std::vector<Criterion>& criteria);

// True when at least `filled` criteria occur in the record: a criterion
// occurs when its text as typed, letters A to Z folded, is part of the field;
// an empty criterion never occurs. With no criterion filled every record matches.
bool matches(const char* record, const std::vector<Criterion>& criteria, int filled);

// A list line rebuilt from a raw record.
using LineBuilder = std::function<QString(const char* record)>;

// Appends the line compose makes of every record that keep accepts, in file
// order; false after an archive failure (the lines found so far are kept).
using RecordTest = std::function<bool(const char* record)>;
bool collectWhere(ArchiveFile& archive, const RecordTest& keep, LineComposer::Composition compose,
                  PackedLines& lines);
// The same for the records that match the criteria.
bool collect(ArchiveFile& archive, const std::vector<Criterion>& criteria, LineComposer::Composition compose,
             PackedLines& lines);

// The record whose rebuilt line, trimmed, equals the chosen line, trimmed
// (exactly, case included); the last such record in the file wins. False
// when none matches or the archive fails; nothing is reported either way.
bool findByLine(ArchiveFile& archive, const LineBuilder& build, const QString& line, QByteArray& record,
                qint64& position);

} // namespace ListSearch
