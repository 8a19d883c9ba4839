#pragma once

#include "platform/qt/ScreenWindows.h"

// The receipts of a month with their totals.
class TfrmRiepMensileRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmRiepMensileRic();
};
