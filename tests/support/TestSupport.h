#pragma once

#include "platform/AppDir.h"
#include "platform/qt/RecordList.h"
#include "storage/FileWrites.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
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

// Points AppDir at an existing folder for the object's lifetime.
class AppDirAt
{
public:
    explicit AppDirAt(const QString& path) : m_previous(AppDir::path()) { AppDir::setPath(path); }
    ~AppDirAt() { AppDir::setPath(m_previous); }
    AppDirAt(const AppDirAt&) = delete;
    AppDirAt& operator=(const AppDirAt&) = delete;

private:
    QString m_previous;
};

// A small tmpfs mounted on a temporary folder for the object's lifetime, to
// make writes fail for real on a full file system. Mounting needs root:
// mounted() tells whether it worked, skipReason() why not.
class SmallTmpfs
{
public:
    // At most kilobytes of data and, with inodes > 0, that many files and folders.
    explicit SmallTmpfs(int kilobytes = 64, int inodes = 0);
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
    // Takes the free files with empty fillers ("riempitivo-1", ...) until
    // the file system refuses one more; true when it did. For a tmpfs
    // mounted with an inode limit.
    bool fillInodes() const;
    // Mounts the file system again read-only: no one may write there, root included.
    bool makeReadOnly() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_skipReason;
};

// A FIFO at path, where a program file should be; false when none could be made.
bool makeFifo(const QString& path);
// A symbolic link at link pointing to target (a junction for a folder on
// Windows); false when none could be made (Windows without the right to
// make links, or Wine, which makes none).
bool plantLink(const QString& target, const QString& link);

// What a test must know of the system it runs on. One file per system
// (posix/, win32/ beside this one) answers.
namespace SystemDoubles {
// Whether this user passes over file permissions (root): a read-only file
// stops no write of theirs.
bool overridesPermissions();
// Why FIFOs cannot be had here; empty where makeFifo works.
QByteArray noFifoReason();
// The room the file at path takes on disk, in bytes (holes take none); -1
// when it cannot be told.
qint64 bytesTaken(const QString& path);
// Why links cannot be planted here; empty where plantLink works.
QByteArray noLinkReason();
} // namespace SystemDoubles

// Plants a link for a test, or skips the test where the system makes none.
#define PLANT_LINK(target, link)                                                                    \
    do {                                                                                           \
        if (!plantLink((target), (link))) {                                                        \
            if (!SystemDoubles::noLinkReason().isEmpty())                                          \
                QSKIP(SystemDoubles::noLinkReason().constData());                                  \
            QFAIL("no link could be planted");                                                     \
        }                                                                                          \
    } while (false)
// Plants a FIFO at path, or skips the test where the system has none.
#define PLANT_FIFO(path)                                                                           \
    do {                                                                                           \
        NEED_FIFOS();                                                                              \
        QVERIFY(makeFifo(path));                                                                   \
    } while (false)
// Skips a test that needs a FIFO where the system has none.
#define NEED_FIFOS()                                                                               \
    do {                                                                                           \
        if (!SystemDoubles::noFifoReason().isEmpty())                                              \
            QSKIP(SystemDoubles::noFifoReason().constData());                                      \
    } while (false)

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
QStringList listItems(RecordList* list);
// A click on the line at row of a list, scrolled into view first.
void clickLine(RecordList* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Types text into a field as a user does (focus, then key by key).
void typeInto(QWidget* field, const QString& text);
// Clicks a control with the left button.
void clickOn(QWidget* w);
// Presses Enter in a control.
void pressEnter(QWidget* w);
// The mouse arriving over a control.
void sendEnter(QWidget* w);
// The mouse moving over a control without a button pressed (it reaches the
// control only when the control tracks the mouse).
void sendMove(QWidget* w);
// The colour a label below root writes its text in.
QColor labelColour(QWidget* root, const char* name);
// A key pressed and released as an X11 keyboard sends it: key code and text
// together (Delete comes with "\x7f", Ctrl+V with "\x16", the arrows with none).
void press(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Replaces the call that hands bytes to the disk for its lifetime (a write
// that fails on purpose).
class DeviceWriterSwap
{
public:
    explicit DeviceWriterSwap(FileWrites::Writer writer) : m_previous(FileWrites::setWriter(std::move(writer))) {}
    ~DeviceWriterSwap() { FileWrites::setWriter(std::move(m_previous)); }
    DeviceWriterSwap(const DeviceWriterSwap&) = delete;
    DeviceWriterSwap& operator=(const DeviceWriterSwap&) = delete;

private:
    FileWrites::Writer m_previous;
};

// Writers for DeviceWriterSwap.
// A disk with spare bytes free: a write that grows a file takes what is
// left and comes out short, then the disk refuses (ENOSPC); writing over
// bytes a file already has goes through, as on a real full disk.
FileWrites::Writer fullDiskWriter(qint64 spare = 0);
// A device that takes only `taken` bytes of the next write, and then works
// again (a network share that dropped for a moment).
FileWrites::Writer brokenWriteWriter(qint64 taken = 5);

// Several workstations at once. The test program is started again once per
// argument list, with "--workstation" before them (see
// QTEST_MAIN_WITH_WORKSTATIONS); each started process calls waitForGo() when
// it is about to work, and all are let go together once every one is ready.
// Waits for every process to end; outputs receives their standard outputs.
// False, with why, when one could not start, failed or did not end in time.
bool runWorkstations(const QList<QStringList>& arguments, QStringList& outputs, QString& why);
// In a started process: tells the test it is ready and waits for the go.
void waitForGo();

// The main of a test program whose processes run again as workstations:
// workstation(arguments after "--workstation") returns the exit code.
#define QTEST_MAIN_WITH_WORKSTATIONS(TestObject, workstation)                                           \
    int main(int argc, char* argv[])                                                                     \
    {                                                                                                    \
        QApplication app(argc, argv);                                                                    \
        if (argc > 1 && qstrcmp(argv[1], "--workstation") == 0)                                          \
            return workstation(app.arguments().mid(2));                                                  \
        TestObject tc;                                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                       \
        return QTest::qExec(&tc, argc, argv);                                                            \
    }
// A path given relative to the test program's own folder, made whole.
QString testPath(const QString& relative);

#ifdef TEST_DATA_DIR
// A file of tests/data (its path below that folder), whole; empty, with a
// warning, when it cannot be read.
inline QByteArray testDataFile(const QString& name)
{
    QFile file(testPath(QStringLiteral(TEST_DATA_DIR "/") + name));
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
