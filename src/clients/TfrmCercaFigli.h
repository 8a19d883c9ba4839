#pragma once

#include "app/ScreenWindows.h"

// The clients who accept advertising.
class TfrmCercaFigli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaFigli();
};
