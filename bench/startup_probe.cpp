// Starts as the program does and reports once the login window is shown;
// built twice: as Ventoria, and as a minimal Qt program with one empty window.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#ifdef PROBE_VENTORIA
#include "app/Startup.h"
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef PROBE_VENTORIA
    CreateScreens();
    // As the program starts: the day's backup (made once a day, checked at
    // every start), then the login.
    showLogin();
    QWidget* window = mainScreen();
#else
    QWidget empty;
    QWidget* window = &empty;
#endif
    window->show();
    // The first turn of the event loop comes after the window is on screen.
    QTimer::singleShot(0, [] {
        std::printf("shown\n");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return app.exec();
}
