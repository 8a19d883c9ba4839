#pragma once

#include "app/ScreenWindows.h"

// Writes the client archive as a spreadsheet.
class TfrmEsportaCli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmEsportaCli();
};
