#pragma once

#include "platform/qt/ScreenWindows.h"

// Imports an article of the warehouse into a receipt line.
class TfrmImpMateriali : public DialogScreen
{
    Q_OBJECT
public:
    TfrmImpMateriali();
};
