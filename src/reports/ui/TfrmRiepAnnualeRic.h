#pragma once

#include "reports/ui/SummaryScreen.h"

// The receipts of the open year with their totals.
class TfrmRiepAnnualeRic : public SummaryScreen
{
    Q_OBJECT
public:
    TfrmRiepAnnualeRic();
};
