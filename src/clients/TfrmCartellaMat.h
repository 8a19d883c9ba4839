#pragma once

#include "app/ScreenWindows.h"

// The folder linked to a material card.
class TfrmCartellaMat : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCartellaMat();
};
