#include "app/Startup.h"

#include "platform/QtPlatform.h"

#include <QApplication>
#include <QMainWindow>

#include <memory>

namespace {
std::unique_ptr<QWidget> mainScreen;
}

void CreateScreens()
{
    QApplication::setApplicationName(QStringLiteral("Ventoria 2.0"));
    platform::installQtPlatformIfNone();
    if (!mainScreen) {
        mainScreen = std::make_unique<QMainWindow>();
        mainScreen->setObjectName(QStringLiteral("frmPassword"));
        mainScreen->setWindowTitle(QStringLiteral(" Ventoria © 2.0 - Autenticazione"));
    }
}

QWidget* MainScreen()
{
    return mainScreen.get();
}
