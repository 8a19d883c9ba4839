#pragma once

#include "reports/ui/SummaryScreen.h"

// The receipts of a calendar quarter with their totals.
class TfrmRiepTrimestraleRic : public SummaryScreen
{
    Q_OBJECT
public:
    TfrmRiepTrimestraleRic();
};
