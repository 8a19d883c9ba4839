#include "TestSupport.h"

#include "platform/qt/Screens.h"

#include "platform/AppDir.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

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
    return ::geteuid() != 0;
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

SmallTmpfs::SmallTmpfs(int kilobytes)
{
    if (::geteuid() != 0) {
        m_skipReason = "mounting a small tmpfs to fill it needs root";
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_skipReason = "cannot mount a tmpfs here: " + QByteArray(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallTmpfs::~SmallTmpfs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallTmpfs::fill() const
{
    const QByteArray filler = QFile::encodeName(file(QStringLiteral("riempitivo")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'x');
    bool full = false;
    // Pages first, then single bytes, until the file system refuses.
    for (const int chunk : {4096, 1}) {
        while (true) {
            const ssize_t n = ::write(fd, page.constData(), static_cast<size_t>(chunk));
            if (n < 0) {
                full = (errno == ENOSPC);
                break;
            }
        }
    }
    ::close(fd);
    return full;
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

QStringList listItems(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void press(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, w, Qt::Key(key), text, modifiers);
}
