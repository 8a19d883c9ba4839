#pragma once

#include <QWidget>

#include <functional>
#include <vector>

// The program's long-lived screens, created once at start in a fixed order
// and kept until the program ends.
namespace Screens {

// Takes ownership; screens are destroyed together when the application ends.
void add(QWidget* screen);
const std::vector<QWidget*>& all();
void destroyAll();

template <class T>
T* get()
{
    for (QWidget* w : all()) {
        if (auto* t = qobject_cast<T*>(w))
            return t;
    }
    return nullptr;
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
