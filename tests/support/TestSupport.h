#pragma once

#include "storage/IniFile.h"

#include <QByteArray>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// Points AppDir at a fresh temporary directory for its lifetime.
class TempAppDir
{
public:
    TempAppDir();
    ~TempAppDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    // Helpers to make file operations fail for real.
    // A folder where the file should be: no one can open it as a file, root included.
    void putFolderInPlaceOf(const QString& name) const;
    // A read-only file; returns false when permissions are not enforced (running as root).
    bool makeReadOnly(const QString& name) const;

    QByteArray readAll(const QString& name) const;
    void writeAll(const QString& name, const QByteArray& data) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A small tmpfs mounted on a temporary folder for the object's lifetime, to
// make writes fail for real on a full file system. Mounting needs root:
// mounted() tells whether it worked, skipReason() why not.
class SmallTmpfs
{
public:
    explicit SmallTmpfs(int kilobytes = 64);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    QByteArray skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    // Takes the free space with a filler file until the file system refuses
    // one more byte; true when it did (ENOSPC).
    bool fill() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_skipReason;
};

// Finds a control by its objectName below root; fails the test when absent.
template <class T>
T* control(QWidget* root, const QString& name)
{
    T* w = root->findChild<T*>(name);
    if (!w)
        qWarning("control %s not found", qPrintable(name));
    return w;
}

// A top-level screen by its objectName ("frmClienti"), or nullptr.
QWidget* topLevel(const char* name);
// The shown one, for a modal window driven from inside its loop while a
// hidden instance of the same screen may exist.
QWidget* shownTopLevel(const char* name);

// The texts of a list control, in display order.
QStringList listItems(QListWidget* list);

// Types text into a field as a user does (focus, then key by key).
void typeInto(QWidget* field, const QString& text);
// Clicks a control with the left button.
void clickOn(QWidget* w);
// Presses Enter in a control.
void pressEnter(QWidget* w);
// A key pressed and released as an X11 keyboard sends it: key code and text
// together (Delete comes with "\x7f", Ctrl+V with "\x16", the arrows with none).
void press(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Replaces the writer of new settings and store files for its lifetime
// (a write that fails on purpose).
class DeviceWriterSwap
{
public:
    explicit DeviceWriterSwap(IniFile::DeviceWriter writer) : m_previous(IniFile::setDeviceWriter(std::move(writer))) {}
    ~DeviceWriterSwap() { IniFile::setDeviceWriter(std::move(m_previous)); }

private:
    IniFile::DeviceWriter m_previous;
};

#ifdef TEST_DATA_DIR
// A file of tests/data (its path below that folder), whole; empty, with a
// warning, when it cannot be read.
inline QByteArray testDataFile(const QString& name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qWarning("test data %s not found", qPrintable(name));
    return file.readAll();
}

// The lines of a UTF-8 text file of tests/data, without blank lines and
// "#" comments.
inline QStringList testDataLines(const QString& name)
{
    QStringList lines;
    for (const QByteArray& line : testDataFile(name).split('\n')) {
        const QString text = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        if (!text.trimmed().isEmpty() && !text.startsWith(QLatin1Char('#')))
            lines << text;
    }
    return lines;
}
#endif
