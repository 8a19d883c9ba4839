#include "checkers/TfrmIban.h"

TfrmIban::TfrmIban()
    : DialogScreen(QStringLiteral("frmIban"), QStringLiteral(" Controllo coordinate bancarie IBAN"), QSize(640, 480))
{
}
