#include "checkers/TfrmCodFisc.h"

TfrmCodFisc::TfrmCodFisc()
    : DialogScreen(QStringLiteral("frmCodFisc"), QStringLiteral(" Controllo codice fiscale"), QSize(640, 480))
{
}
