#pragma once

#include "platform/qt/ScreenWindows.h"

// Finds materials by several criteria at once.
class TfrmCercaMateriale : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaMateriale();
};
