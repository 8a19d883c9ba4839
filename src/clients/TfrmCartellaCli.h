#pragma once

#include "app/ScreenWindows.h"

// The folder linked to a client card.
class TfrmCartellaCli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCartellaCli();
};
