#include "reports/ui/TfrmRiepAnnualeRic.h"

TfrmRiepAnnualeRic::TfrmRiepAnnualeRic()
    : DialogScreen(QStringLiteral("frmRiepAnnualeRic"), QStringLiteral(" Riepilogo annuale ricevute"), QSize(640, 480))
{
}
