#include "app/Startup.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CreateScreens();
    showLogin();
    return app.exec();
}
