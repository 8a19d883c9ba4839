#pragma once

#include "screens/CardPrintScreen.h"

// The print layout of a material card.
class TfrmPrint_Prodotto : public CardPrintScreen
{
    Q_OBJECT
public:
    TfrmPrint_Prodotto();

    // Prints a material card from the values Save would write.
    void printCard(QWidget* owner, const Values& values);
};
