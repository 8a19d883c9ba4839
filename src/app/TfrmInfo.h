#pragma once

#include "platform/qt/ScreenWindows.h"

// The information screen: the product's pictures, links to the maker's web
// page and e-mail.
class TfrmInfo : public DialogScreen
{
    Q_OBJECT
public:
    TfrmInfo();
};
