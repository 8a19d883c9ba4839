#pragma once

#include "platform/qt/ScreenWindows.h"

// Loads the company logo printed on receipts.
class TfrmLogo : public DialogScreen
{
    Q_OBJECT
public:
    TfrmLogo();
};
