#pragma once

#include "platform/qt/ScreenWindows.h"

// Writes the receipts of a year as a spreadsheet.
class TfrmEsportaRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmEsportaRic();
};
