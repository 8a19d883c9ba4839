#pragma once

#include "platform/qt/ScreenWindows.h"

// The receipts of the open year not yet paid.
class TfrmCercaSospesiRic : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaSospesiRic();
};
