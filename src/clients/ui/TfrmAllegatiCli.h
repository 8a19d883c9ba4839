#pragma once

#include "screens/AttachmentsDialog.h"

// The attachments of a client card: up to three files and their descriptions.
class TfrmAllegatiCli : public AttachmentsDialog
{
    Q_OBJECT
public:
    // Without a card (the instance made at start-up) "Applica e chiudi" only closes.
    explicit TfrmAllegatiCli(QWidget* card = nullptr);

    // Opens a fresh dialog filled from card's hidden labels, modally, and
    // destroys it after it closes; only "Applica e chiudi" writes back.
    static bool run(QWidget* card);
};
