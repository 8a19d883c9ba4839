#pragma once

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QString>
#include <QWidget>

#include <memory>

// What a screen test needs: the platform double in force, the program's
// screens created as at start, and a fresh application folder for each test.
class ScreenFixture
{
public:
    // Installs the double and creates the screens (once per process).
    ScreenFixture();
    ~ScreenFixture();

    // A fresh folder and a double with nothing recorded, the clock at its
    // fixed moment: call from init().
    void beginTest();
    // Drops the folder: call from cleanup().
    void endTest();

    FakePlatform& fake() { return *m_fake; }
    TempAppDir& dir() { return *m_dir; }

    // A screen by objectName ("frmClienti").
    static QWidget* screen(const char* name);
    // Opens a work area as its launcher tile does, and waits until it is active.
    static bool openWorkArea(QWidget* workArea);
    // Presses and releases the left button over a control named below root,
    // as the mouse does on a picture button.
    static void press(QWidget* root, const char* control);

private:
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<TempAppDir> m_dir;
};
