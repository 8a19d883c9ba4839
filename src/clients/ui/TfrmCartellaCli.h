#pragma once

#include "screens/FolderDialog.h"

// The folder linked to a client card.
class TfrmCartellaCli : public FolderDialog
{
    Q_OBJECT
public:
    // Without a card (the instance made at start-up) "Applica e chiudi" only closes.
    explicit TfrmCartellaCli(QWidget* card = nullptr);

    // Opens a fresh dialog filled from card's hidden labels, modally, and
    // destroys it after it closes; only "Applica e chiudi" writes back.
    static bool run(QWidget* card);
};
