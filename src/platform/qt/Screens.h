#pragma once

#include <QWidget>

#include <functional>
#include <vector>

// The program's long-lived screens. Every screen is known from the start, in
// a fixed order, but each is built the first time it is asked for: the login
// comes up without waiting for the thirty-odd windows behind it. Once built,
// a screen is kept until the program ends.
namespace Screens {

// Makes a screen known; it is built on first use.
void define(const QMetaObject* type, std::function<QWidget*()> make);
template <class T>
void define()
{
    define(&T::staticMetaObject, [] { return new T; });
}
// Whether any screen is known yet.
bool defined();
// The objectNames of every known screen, in the order they were made known.
QStringList names();

// Takes ownership; screens are destroyed together when the application ends.
void add(QWidget* screen);
// The screens built so far, in the order they were built.
const std::vector<QWidget*>& all();
void destroyAll();

// The screen of that type (or derived from it), built now if it was not yet.
QWidget* ofType(const QMetaObject* type);
// The screen with that objectName ("frmClienti"), built now if it was not yet;
// nullptr when no screen has that name.
QWidget* byName(const QString& objectName);

template <class T>
T* get()
{
    return qobject_cast<T*>(ofType(&T::staticMetaObject));
}

// Shows the launcher again (a work area was closed).
void showLauncher();
// Shows a topic in the guide window.
void showGuide(const QString& title, const QString& text);

// The application says at start-up how the launcher and the guide are shown;
// the screens of the work areas only ask for them.
void setLauncher(std::function<void()> show);
void setGuide(std::function<void(const QString& title, const QString& text)> show);

} // namespace Screens
