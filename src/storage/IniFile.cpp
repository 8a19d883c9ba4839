#include "storage/IniFile.h"

#include "storage/ShortString.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

DeviceWriter& deviceWriter()
{
    static DeviceWriter writer = [](QFileDevice& file, const char* data, qint64 size) {
        return file.write(data, size);
    };
    return writer;
}

bool writeAll(QFileDevice& file, const QByteArray& data)
{
    const char* next = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const qint64 written = deviceWriter()(file, next, left);
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
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
    contents.clear();
    QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.size() > kMaxFileSize)
        return false;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return false;
    contents = file.readAll();
    return file.error() == QFileDevice::NoError;
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

QByteArray withValue(const QByteArray& contents, const QString& section, const QString& key, const QString& value)
{
    QStringList lines = linesOf(contents);

    // The key goes in as a replaced entry keeps it, trimmed: written twice,
    // a key given with blanks around it must give the same file.
    const QString entry = key.trimmed() + QLatin1Char('=') + value;
    int sectionStart = -1;   // index of the header line
    int sectionEnd = -1;     // one past the last non-blank line of the section
    bool replaced = false;
    for (int i = 0; i < lines.size() && !replaced; ++i) {
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
            replaced = true;
        } else if (!lines.at(i).trimmed().isEmpty()) {
            sectionEnd = i + 1;
        }
    }
    if (!replaced) {
        if (sectionStart >= 0) {
            lines.insert(sectionEnd, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        }
    }

    QByteArray data;
    for (const QString& line : lines) {
        data += ShortString::toWindows1252(line);
        data += "\r\n";
    }
    return data;
}

bool write(const QString& path, const QString& section, const QString& key, const QString& value)
{
    QByteArray contents;
    if (!readContents(path, contents))
        return false;
    return replaceFile(path, withValue(contents, section, key, value));
}

bool replaceFile(const QString& path, const QByteArray& data)
{
    // Unbuffered: a write the disk refuses fails at the write itself. Through
    // a buffer the refusal would surface only in the flush inside commit(),
    // which does not report it, and an empty file would replace the old one.
    // No direct-write fallback either: writing over the old file in place is
    // exactly what a failure must never leave behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!writeAll(file, data) || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

DeviceWriter setDeviceWriter(DeviceWriter writer)
{
    DeviceWriter previous = std::move(deviceWriter());
    deviceWriter() = std::move(writer);
    return previous;
}

} // namespace IniFile
