#include "warehouse/ui/TfrmPrint_Prodotto.h"

TfrmPrint_Prodotto::TfrmPrint_Prodotto()
    : CardPrintScreen(QStringLiteral("frmPrint_Prodotto"), materialCardLayout(),
                      QStringLiteral("Ventoria 2.0 - Scheda articolo"))
{
}

void TfrmPrint_Prodotto::printCard(QWidget* owner, const Values& values)
{
    print(owner, values);
}
