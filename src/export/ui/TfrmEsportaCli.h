#pragma once

#include "platform/qt/ScreenWindows.h"

// Writes the client archive as a spreadsheet.
class TfrmEsportaCli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmEsportaCli();
};
