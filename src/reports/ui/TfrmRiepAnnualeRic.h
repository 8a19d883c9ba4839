#pragma once

#include "platform/qt/ScreenWindows.h"

// The receipts of the open year with their totals.
class TfrmRiepAnnualeRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmRiepAnnualeRic();
};
