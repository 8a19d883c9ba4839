#include "reports/ui/TfrmCercaSospesiRic.h"

TfrmCercaSospesiRic::TfrmCercaSospesiRic()
    : DialogScreen(QStringLiteral("frmCercaSospesiRic"), QStringLiteral("Ricevute non ancora saldate"), QSize(640, 480))
{
}
