#include "export/ui/TfrmEsportaMat.h"

TfrmEsportaMat::TfrmEsportaMat()
    : DialogScreen(QStringLiteral("frmEsportaMat"), QStringLiteral(" Esportazione magazzino materiali in Microsoft Excel"), QSize(640, 480))
{
}
