#pragma once

#include "platform/qt/ScreenWindows.h"

// The articles whose stock has fallen to their threshold.
class TfrmCercaSottoscorta : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaSottoscorta();
};
