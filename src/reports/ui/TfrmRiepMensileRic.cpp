#include "reports/ui/TfrmRiepMensileRic.h"

TfrmRiepMensileRic::TfrmRiepMensileRic()
    : DialogScreen(QStringLiteral("frmRiepMensileRic"), QStringLiteral(" Riepilogo mensile ricevute"), QSize(640, 480))
{
}
