#include "app/Startup.h"
#include "launcher/QtConf.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (!QtConf::usable()) {
        std::fprintf(stderr, "%s\n", QtConf::refusal().toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    CreateScreens();
    showLogin();
    return app.exec();
}
