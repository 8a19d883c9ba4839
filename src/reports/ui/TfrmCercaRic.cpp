#include "reports/ui/TfrmCercaRic.h"

TfrmCercaRic::TfrmCercaRic()
    : DialogScreen(QStringLiteral("frmCercaRic"), QStringLiteral(" Ricerca ricevute e in archivio"), QSize(640, 480))
{
}
