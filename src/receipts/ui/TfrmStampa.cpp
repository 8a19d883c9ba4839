#include "receipts/ui/TfrmStampa.h"

TfrmStampa::TfrmStampa()
    : DialogScreen(QStringLiteral("frmStampa"), QStringLiteral(" Stampa ricevuta"), QSize(640, 480))
{
}

void TfrmStampa::printReceipt(QWidget* owner, const TRecRicevuta& receipt)
{
    Q_UNUSED(owner);
    Q_UNUSED(receipt);
}
