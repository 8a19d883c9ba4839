#pragma once

#include "reports/ui/ReceiptListScreen.h"

// The receipts of the year open in the receipt editor not yet marked paid,
// listed as the screen opens; a double click hands the chosen receipt back
// to the editor, where it can be marked paid and saved.
class TfrmCercaSospesiRic : public ReceiptListScreen
{
    Q_OBJECT
public:
    TfrmCercaSospesiRic();
};
