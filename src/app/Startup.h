#pragma once

class QWidget;

// Everything the program sets up before its first window: the application
// title, the platform, the screens. Tests call it to get the program as a user does.
void CreateScreens();

// The application's main window, shown first.
QWidget* mainScreen();

// Shows the first window. The first start of each day copies the archives
// into Backup/ first; a copy that fails is told once and the start goes on.
void showLogin();
