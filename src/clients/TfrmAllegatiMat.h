#pragma once

#include "app/ScreenWindows.h"

// The attachments of a material card: up to three files and their descriptions.
class TfrmAllegatiMat : public DialogScreen
{
    Q_OBJECT
public:
    TfrmAllegatiMat();
};
