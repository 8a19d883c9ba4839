#pragma once

class QLineEdit;
class QWidget;

// Password fields: at most 230 characters shown as bold filled circles,
// white at rest and yellow while focused.
QLineEdit* makePasswordField(QWidget* parent, const char* name);

// The silver, fixed-size, desktop-centred frame of the two password screens.
void setUpPasswordWindow(QWidget* window, int width, int height);
