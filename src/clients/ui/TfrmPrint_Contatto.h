#pragma once

#include "clients/CardPrint.h"

#include <QWidget>

// The print layout of a client card; never shown as a window.
class TfrmPrint_Contatto : public QWidget
{
    Q_OBJECT
public:
    TfrmPrint_Contatto();

    // Prints the client card as it stands on the screen, saved or not:
    // print dialog, then one portrait page per copy.
    void printCard(QWidget* card);

    const PrintLayout& layout() const { return m_layout; }

private:
    PrintLayout m_layout;
};
