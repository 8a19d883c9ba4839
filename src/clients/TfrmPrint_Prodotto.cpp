#include "clients/TfrmPrint_Prodotto.h"

TfrmPrint_Prodotto::TfrmPrint_Prodotto()
{
    setObjectName(QStringLiteral("frmPrint_Prodotto"));
    // The layout surface of the printed card.
    resize(746, 1065);
}
