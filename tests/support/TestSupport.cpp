#include "TestSupport.h"

#include "platform/AppDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>

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

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name))
            return w;
    }
    return nullptr;
}
