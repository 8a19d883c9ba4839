#include "checkers/TfrmIva.h"

TfrmIva::TfrmIva()
    : DialogScreen(QStringLiteral("frmIva"), QStringLiteral(" Controllo partita IVA "), QSize(640, 480))
{
}
