#pragma once

#include "app/ScreenWindows.h"

// Checks a credit card number and names its brand.
class TfrmCarta : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCarta();
};
