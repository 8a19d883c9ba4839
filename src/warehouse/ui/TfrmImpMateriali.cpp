#include "warehouse/ui/TfrmImpMateriali.h"

TfrmImpMateriali::TfrmImpMateriali()
    : DialogScreen(QStringLiteral("frmImpMateriali"), QStringLiteral(" Importa materiali da magazzino"), QSize(640, 480))
{
}
