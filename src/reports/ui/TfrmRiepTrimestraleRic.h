#pragma once

#include "platform/qt/ScreenWindows.h"

// The receipts of a quarter with their totals.
class TfrmRiepTrimestraleRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmRiepTrimestraleRic();
};
