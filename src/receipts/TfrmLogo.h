#pragma once

#include "app/ScreenWindows.h"

// Loads the company logo printed on receipts.
class TfrmLogo : public DialogScreen
{
    Q_OBJECT
public:
    TfrmLogo();
};
