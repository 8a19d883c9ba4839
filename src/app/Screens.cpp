#include "app/Screens.h"

#include "app/TfrmAvvio.h"

namespace Screens {

namespace {
std::vector<QWidget*>& screens()
{
    static std::vector<QWidget*> list;
    return list;
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
    if (auto* launcher = get<TfrmAvvio>())
        launcher->showLauncher();
}

} // namespace Screens
