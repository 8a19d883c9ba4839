#pragma once

// What the benchmarks of list screens share: a list measured from the
// action that fills it to its first paint, with what the list keeps.

#include "BenchSupport.h"
#include "screens/ListScreen.h"
#include "platform/qt/RecordList.h"

#include "platform/AppDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <initializer_list>
#include <utility>

namespace bench {

// The process of a screen benchmark: Qt offscreen, the program's folder a
// fresh temporary one, and a platform that never blocks in force.
class ScreenBench
{
public:
    ScreenBench(int& argc, char** argv) : m_app(offscreen(argc), argv)
    {
        AppDir::setPath(m_dir.path());
        platform::install(&platform);
    }
    ~ScreenBench() { platform::install(nullptr); }
    ScreenBench(const ScreenBench&) = delete;
    ScreenBench& operator=(const ScreenBench&) = delete;

    BenchPlatform platform;

private:
    static int& offscreen(int& argc)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    QApplication m_app;
    QTemporaryDir m_dir;
};

inline RecordList* listOf(QWidget& screen)
{
    return screen.findChild<RecordList*>(QStringLiteral("lstRecords"));
}

// fill() on the screen, up to the first paint of the filled list: the
// figure's size tells the lines listed, held what the list keeps resident.
template <class Fill>
double listed(QWidget& screen, Fill fill, Figure& figure, double& held)
{
    const Resident resident;
    QElapsedTimer t;
    t.start();
    fill();
    RecordList* list = listOf(screen);
    list->grab();   // the first paint of the filled list belongs to it
    const double s = t.nsecsElapsed() / 1e9;
    figure.size = QStringLiteral("%1 lines").arg(list->count());
    figure.lines = list->count();
    held = resident.grown();
    return s;
}

// "Trova" on a criteria list with the criteria typed (by control name).
inline double found(ListScreen& screen, std::initializer_list<std::pair<const char*, QString>> typed, Figure& figure,
                    double& held)
{
    screen.show();
    for (const auto& [name, text] : typed)
        screen.findChild<QLineEdit*>(QLatin1String(name))->setText(text);
    return listed(screen, [&] { screen.cmdTrovaClick(); }, figure, held);
}

// A plain list, which fills itself as it is shown.
inline double shown(ListScreen& screen, Figure& figure, double& held)
{
    return listed(screen, [&] { screen.show(); }, figure, held);
}

} // namespace bench
