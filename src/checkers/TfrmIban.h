#pragma once

#include "app/ScreenWindows.h"

// Checks an IBAN.
class TfrmIban : public DialogScreen
{
    Q_OBJECT
public:
    TfrmIban();
};
