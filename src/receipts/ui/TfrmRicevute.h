#pragma once

#include "platform/qt/ScreenWindows.h"

// The receipt work area: the year panel and the receipt editor.
class TfrmRicevute : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmRicevute();

    // The work area always opens on the choice of the year file.
    void showYearPanel();

private:
    QFrame* grpContainer;
    QFrame* grpAnno;
};
