#pragma once

#include "app/ScreenWindows.h"

// The articles whose stock has fallen to their threshold.
class TfrmCercaSottoscorta : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaSottoscorta();
};
