#pragma once

#include "app/ScreenWindows.h"

// The receipts of a quarter with their totals.
class TfrmRiepTrimestraleRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmRiepTrimestraleRic();
};
