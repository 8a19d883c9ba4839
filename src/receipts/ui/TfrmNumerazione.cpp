#include "receipts/ui/TfrmNumerazione.h"

TfrmNumerazione::TfrmNumerazione()
    : DialogScreen(QStringLiteral("frmNumerazione"), QStringLiteral(" Imposta inizio numerazione"), QSize(640, 480))
{
}
