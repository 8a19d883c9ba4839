#pragma once

#include "platform/qt/ScreenWindows.h"

// The price list work area.
class TfrmListino : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmListino();

private:
    QFrame* grpContainer;
};
