#pragma once

#include <QWidget>

// The print layout of a client card; never shown as a window.
class TfrmPrint_Contatto : public QWidget
{
    Q_OBJECT
public:
    TfrmPrint_Contatto();
};
