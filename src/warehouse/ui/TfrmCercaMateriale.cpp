#include "warehouse/ui/TfrmCercaMateriale.h"

TfrmCercaMateriale::TfrmCercaMateriale()
    : DialogScreen(QStringLiteral("frmCercaMateriale"), QStringLiteral(" Ricerca materiali in archivio"), QSize(640, 480))
{
}
