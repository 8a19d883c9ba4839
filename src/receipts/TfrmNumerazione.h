#pragma once

#include "app/ScreenWindows.h"

// Sets the number the receipts start from.
class TfrmNumerazione : public DialogScreen
{
    Q_OBJECT
public:
    TfrmNumerazione();
};
