#pragma once

#include "platform/qt/ScreenWindows.h"

// Sets the number the receipts start from.
class TfrmNumerazione : public DialogScreen
{
    Q_OBJECT
public:
    TfrmNumerazione();
};
