#include "receipts/ui/TfrmStampa.h"

TfrmStampa::TfrmStampa()
    : DialogScreen(QStringLiteral("frmStampa"), QStringLiteral(" Stampa ricevuta"), QSize(640, 480))
{
}
