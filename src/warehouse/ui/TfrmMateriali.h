#pragma once

#include "platform/qt/ScreenWindows.h"

// The warehouse work area: the material card.
class TfrmMateriali : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmMateriali();

private:
    QFrame* grpContainer;
};
