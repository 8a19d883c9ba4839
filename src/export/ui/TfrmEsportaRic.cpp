#include "export/ui/TfrmEsportaRic.h"

TfrmEsportaRic::TfrmEsportaRic()
    : DialogScreen(QStringLiteral("frmEsportaRic"), QStringLiteral(" Esportazione ricevute in Microsoft Excel"), QSize(640, 480))
{
}
