#include "storage/IniFile.h"

#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/RegularFile.h"
#include "storage/ShortString.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace IniFile {
namespace {

// The lines of a file's text without their line ends.
QStringList linesOf(const QByteArray& contents)
{
    const QString text = ShortString::fromWindows1252(contents.constData(), int(contents.size()));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A final line end leaves an empty last piece that is not a line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a header line "[name]", or a null string.
QString sectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Splits "key=value"; false for lines without '=' or comments.
bool splitEntry(const QString& line, QString& key, QString& value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

bool readContents(const QString& path, QByteArray& contents)
{
    // A link to a settings file elsewhere is read; a FIFO or a device in the
    // file's place is refused, never waited on nor read without end.
    return RegularFile::readAll(path, kMaxFileSize, contents) != RegularFile::Outcome::Refused;
}

QString valueIn(const QByteArray& contents, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const QString& line : linesOf(contents)) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QString k, v;
        if (inSection && splitEntry(line, k, v) && sameName(k, key))
            return v;
    }
    return QString();
}

bool read(const QString& path, const QString& section, const QString& key, QString& value)
{
    value.clear();
    QByteArray contents;
    if (!readContents(path, contents))
        return false;
    value = valueIn(contents, section, key);
    return true;
}

QString read(const QString& path, const QString& section, const QString& key)
{
    QString value;
    read(path, section, key, value);
    return value;
}

namespace {

// Sets key=value in section of lines, creating the section or the key when
// missing and replacing an existing value.
void setValue(QStringList& lines, const QString& section, const QString& key, const QString& value)
{
    // The key goes in as a replaced entry keeps it, trimmed: written twice,
    // a key given with blanks around it must give the same file.
    const QString entry = key.trimmed() + QLatin1Char('=') + value;
    int sectionStart = -1;   // index of the header line
    int sectionEnd = -1;     // one past the last non-blank line of the section
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines.at(i));
        if (!name.isNull()) {
            if (sectionStart >= 0)
                break;   // the section ended without the key
            if (sameName(name, section)) {
                sectionStart = i;
                sectionEnd = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        QString k, v;
        if (splitEntry(lines.at(i), k, v) && sameName(k, key)) {
            lines[i] = k + QLatin1Char('=') + value;
            return;
        }
        if (!lines.at(i).trimmed().isEmpty())
            sectionEnd = i + 1;
    }
    if (sectionStart >= 0) {
        lines.insert(sectionEnd, entry);
        return;
    }
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
        lines.append(QString());
    lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
    lines.append(entry);
}

QByteArray bytesOf(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines) {
        data += ShortString::toWindows1252(line);
        data += "\r\n";
    }
    return data;
}

} // namespace

QByteArray withValue(const QByteArray& contents, const QString& section, const QString& key, const QString& value)
{
    QStringList lines = linesOf(contents);
    setValue(lines, section, key, value);
    return bytesOf(lines);
}

Written write(const QString& path, const QString& section, const QString& key, const QString& value)
{
    return write(path, std::vector<Entry>{{section, key, value}});
}

Written write(const QString& path, const std::vector<Entry>& entries)
{
    return update(path, [&entries](const QByteArray&) { return entries; });
}

Written update(const QString& path, const Change& change)
{
    // The read, the change and the replacement are one step: a workstation
    // writing other keys at the same moment waits, then reads the file this
    // write leaves, so neither undoes the other's values.
    const ReplacementLock lock(path);
    Written result;
    if (!lock.held()) {
        result.heldLock = lock.lockPath();
        return result;
    }
    // The file is rewritten whole into the shared folder: through a link it
    // could carry somebody's private file there, so a link reads as empty.
    QByteArray contents;
    const RegularFile::Outcome read = RegularFile::readAll(path, kMaxFileSize, contents, RegularFile::Links::Refuse);
    if (read == RegularFile::Outcome::Refused)
        return result;
    const std::vector<Entry> entries = change(contents);
    if (entries.empty()) {
        result.ok = true;
        return result;
    }
    QStringList lines = linesOf(contents);
    for (const Entry& e : entries)
        setValue(lines, e.section, e.key, e.value);
    result.ok = FileWrites::replaceFile(path, bytesOf(lines));
    return result;
}

} // namespace IniFile
