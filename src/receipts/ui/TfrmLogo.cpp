#include "receipts/ui/TfrmLogo.h"

TfrmLogo::TfrmLogo()
    : DialogScreen(QStringLiteral("frmLogo"), QStringLiteral(" Carica logo Ditta"), QSize(640, 480))
{
}
