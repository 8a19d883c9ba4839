#pragma once

#include "platform/qt/ScreenWindows.h"

// The splash screen shown from the launcher's copyright button; a click
// anywhere opens the maker's web page and closes it.
class TfrmSplash : public DialogScreen
{
    Q_OBJECT
public:
    TfrmSplash();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
