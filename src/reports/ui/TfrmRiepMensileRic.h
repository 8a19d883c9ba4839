#pragma once

#include "reports/ui/SummaryScreen.h"

// The receipts of a month with their totals.
class TfrmRiepMensileRic : public SummaryScreen
{
    Q_OBJECT
public:
    TfrmRiepMensileRic();
};
