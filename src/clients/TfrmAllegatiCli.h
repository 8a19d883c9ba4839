#pragma once

#include "app/ScreenWindows.h"

// The attachments of a client card: up to three files and their descriptions.
class TfrmAllegatiCli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmAllegatiCli();
};
