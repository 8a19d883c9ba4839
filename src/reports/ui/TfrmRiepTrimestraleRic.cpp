#include "reports/ui/TfrmRiepTrimestraleRic.h"

TfrmRiepTrimestraleRic::TfrmRiepTrimestraleRic()
    : DialogScreen(QStringLiteral("frmRiepTrimestraleRic"), QStringLiteral(" Riepilogo trimestrale fatture"), QSize(640, 480))
{
}
