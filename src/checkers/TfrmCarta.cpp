#include "checkers/TfrmCarta.h"

TfrmCarta::TfrmCarta()
    : DialogScreen(QStringLiteral("frmCarta"), QStringLiteral(" Controllo carta di credito"), QSize(640, 480))
{
}
