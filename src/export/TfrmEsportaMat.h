#pragma once

#include "app/ScreenWindows.h"

// Writes the warehouse as a spreadsheet.
class TfrmEsportaMat : public DialogScreen
{
    Q_OBJECT
public:
    TfrmEsportaMat();
};
