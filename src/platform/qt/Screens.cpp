#include "platform/qt/Screens.h"


namespace Screens {

namespace {
std::vector<QWidget*>& screens()
{
    static std::vector<QWidget*> list;
    return list;
}

std::function<void()>& launcher()
{
    static std::function<void()> show;
    return show;
}

std::function<void(const QString&, const QString&)>& guide()
{
    static std::function<void(const QString&, const QString&)> show;
    return show;
}
} // namespace

void add(QWidget* screen)
{
    screens().push_back(screen);
}

const std::vector<QWidget*>& all()
{
    return screens();
}

void destroyAll()
{
    // Latest first: no screen outlives one created after it.
    auto& list = screens();
    while (!list.empty()) {
        delete list.back();
        list.pop_back();
    }
}

void showLauncher()
{
    if (launcher())
        launcher()();
}

void showGuide(const QString& title, const QString& text)
{
    if (guide())
        guide()(title, text);
}

void setLauncher(std::function<void()> show)
{
    launcher() = std::move(show);
}

void setGuide(std::function<void(const QString&, const QString&)> show)
{
    guide() = std::move(show);
}

} // namespace Screens
