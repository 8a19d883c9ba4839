#pragma once

#include "screens/CardPrintScreen.h"

// The print layout of a client card.
class TfrmPrint_Contatto : public CardPrintScreen
{
    Q_OBJECT
public:
    TfrmPrint_Contatto();

    // Prints a client card from the values Save would write, with its consent line.
    void printCard(QWidget* owner, const Values& values, bool consents);
};
