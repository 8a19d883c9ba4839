#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/ReceiptRecord.h"

// Prints the receipt on the editor in the large or small layout.
class TfrmStampa : public DialogScreen
{
    Q_OBJECT
public:
    TfrmStampa();

    // Shows the dialog for the receipt as the editor holds it (the record
    // Save would write) and prints it when the user confirms.
    void printReceipt(QWidget* owner, const TRecRicevuta& receipt);
};
