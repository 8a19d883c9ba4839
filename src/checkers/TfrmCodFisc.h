#pragma once

#include "app/ScreenWindows.h"

// Checks a codice fiscale.
class TfrmCodFisc : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCodFisc();
};
