#pragma once

#include "app/ScreenWindows.h"

// The client work area: the client card.
class TfrmClienti : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmClienti();

private:
    QFrame* grpContainer;
};
