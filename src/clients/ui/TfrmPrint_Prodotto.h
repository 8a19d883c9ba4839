#pragma once

#include "clients/CardPrint.h"

#include <QWidget>

// The print layout of a material card; never shown as a window.
class TfrmPrint_Prodotto : public QWidget
{
    Q_OBJECT
public:
    TfrmPrint_Prodotto();

    // Prints the material card as it stands on the screen, saved or not:
    // print dialog, then one portrait page per copy.
    void printCard(QWidget* card);

    const PrintLayout& layout() const { return m_layout; }

private:
    PrintLayout m_layout;
};
