#include "TestSupport.h"

#include "platform/qt/Screens.h"

#include "platform/AppDir.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <memory>

TempAppDir::TempAppDir() : m_previous(AppDir::path())
{
    AppDir::setPath(m_dir.path());
}

TempAppDir::~TempAppDir()
{
    AppDir::setPath(m_previous);
}

void TempAppDir::putFolderInPlaceOf(const QString& name) const
{
    QFile::remove(file(name));
    QDir(m_dir.path()).mkdir(name);
}

bool TempAppDir::makeReadOnly(const QString& name) const
{
    QFile f(file(name));
    if (!f.exists()) {
        f.open(QIODevice::WriteOnly);
        f.close();
    }
    f.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return !SystemDoubles::overridesPermissions();
}

QByteArray TempAppDir::readAll(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempAppDir::writeAll(const QString& name, const QByteArray& data) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

FileWrites::Writer fullDiskWriter(qint64 spare)
{
    auto left = std::make_shared<qint64>(spare);
    return [left](int fd, const char* data, qint64 size, qint64 offset) -> qint64 {
        const qint64 had = FileSystem::sizeOf(fd);
        if (had < 0)
            return -1;
        const qint64 growth = std::max<qint64>(0, offset + size - had);
        qint64 allowed = size;
        if (growth > *left)
            allowed = size - (growth - *left);
        *left = std::max<qint64>(0, *left - growth);
        if (allowed <= 0) {
            errno = ENOSPC;
            return -1;
        }
        return FileSystem::writeAt(fd, data, allowed, offset);
    };
}

FileWrites::Writer brokenWriteWriter(qint64 taken)
{
    auto broken = std::make_shared<bool>(false);
    return [broken, taken](int fd, const char* data, qint64 size, qint64 offset) -> qint64 {
        if (*broken)
            return FileSystem::writeAt(fd, data, size, offset);
        *broken = true;
        return FileSystem::writeAt(fd, data, std::min(size, taken), offset);
    };
}

void typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            // Accented letters arrive as a key event that carries only its text.
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void clickOn(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void pressEnter(QWidget* w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

void sendEnter(QWidget* w)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(w, &enter);
}

void sendMove(QWidget* w)
{
    const QPointF at(4, 4);
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QColor labelColour(QWidget* root, const char* name)
{
    return control<QLabel>(root, name)->palette().color(QPalette::WindowText);
}

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name))
            return w;
    }
    // A screen of the program not asked for yet is built now, as the
    // program does when it first opens it.
    return Screens::byName(QLatin1String(name));
}

QWidget* shownTopLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

QStringList listItems(RecordList* list)
{
    return list->lines();
}

void clickLine(RecordList* list, int row, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    // Near the start of the line: a line is as wide as the list scrolls, most of it out of sight.
    const QRect rect = list->visualRect(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, QPoint(rect.left() + 10, rect.center().y()));
}

void press(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, w, Qt::Key(key), text, modifiers);
}

bool runWorkstations(const QList<QStringList>& arguments, QStringList& outputs, QString& why)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList& args : arguments) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--workstation")} + args);
        processes.push_back(std::move(p));
    }
    auto stopAll = [&] {
        for (auto& p : processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    };
    // Every one at the gate first, so that they really work at the same time.
    for (auto& p : processes) {
        if (!p->waitForStarted(30000)) {
            why = QStringLiteral("a workstation did not start: ") + p->errorString();
            stopAll();
            return false;
        }
        while (!p->canReadLine()) {
            if (!p->waitForReadyRead(60000)) {
                why = QStringLiteral("a workstation never got ready");
                stopAll();
                return false;
            }
        }
        const QByteArray line = p->readLine().trimmed();
        if (line != "ready") {
            why = QStringLiteral("a workstation said %1 instead of ready").arg(QString::fromLatin1(line));
            stopAll();
            return false;
        }
    }
    // QProcess hands what is written to the pipe only inside its own wait
    // calls: each go is pushed out at once, or a process would wait for the
    // one before it to end.
    for (auto& p : processes)
        p->write("go\n");
    for (auto& p : processes)
        p->waitForBytesWritten(30000);
    outputs.clear();
    for (auto& p : processes) {
        if (!p->waitForFinished(180000)) {
            why = QStringLiteral("a workstation did not end in time");
            stopAll();
            return false;
        }
        outputs << QString::fromUtf8(p->readAllStandardOutput());
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0) {
            why = QStringLiteral("a workstation failed (%1): %2").arg(p->exitCode()).arg(outputs.last());
            return false;
        }
    }
    return true;
}

void waitForGo()
{
    std::puts("ready");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        std::exit(3);
}

QString testPath(const QString& relative)
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(relative);
}
