#include "warehouse/ui/TfrmCercaSottoscorta.h"

TfrmCercaSottoscorta::TfrmCercaSottoscorta()
    : DialogScreen(QStringLiteral("frmCercaSottoscorta"), QStringLiteral(" Materiali in esaurimento"), QSize(640, 480))
{
}
