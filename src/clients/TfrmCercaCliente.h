#pragma once

#include "app/ScreenWindows.h"

// Finds clients by several criteria at once.
class TfrmCercaCliente : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaCliente();
};
