#pragma once

#include "app/ScreenWindows.h"

// Checks a partita IVA and names the office that issued it.
class TfrmIva : public DialogScreen
{
    Q_OBJECT
public:
    TfrmIva();
};
