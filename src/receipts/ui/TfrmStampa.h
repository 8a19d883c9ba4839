#pragma once

#include "platform/qt/ScreenWindows.h"

// Prints the receipt on the editor in the large or small layout.
class TfrmStampa : public DialogScreen
{
    Q_OBJECT
public:
    TfrmStampa();
};
