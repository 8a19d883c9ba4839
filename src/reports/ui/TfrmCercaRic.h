#pragma once

#include "platform/qt/ScreenWindows.h"

// Finds the receipts of the open year.
class TfrmCercaRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaRic();
};
