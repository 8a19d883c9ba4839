#include "app/Startup.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CreateScreens();
    ShowLogin();
    return app.exec();
}
