#pragma once

#include "platform/qt/ScreenWindows.h"

// Writes the warehouse as a spreadsheet.
class TfrmEsportaMat : public DialogScreen
{
    Q_OBJECT
public:
    TfrmEsportaMat();
};
