#pragma once

#include <QWidget>

// The print layout of a material card; never shown as a window.
class TfrmPrint_Prodotto : public QWidget
{
    Q_OBJECT
public:
    TfrmPrint_Prodotto();
};
