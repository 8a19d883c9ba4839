#include "export/ui/TfrmEsportaCli.h"

TfrmEsportaCli::TfrmEsportaCli()
    : DialogScreen(QStringLiteral("frmEsportaCli"), QStringLiteral(" Esportazione archivio clienti in Microsoft Excel"), QSize(640, 480))
{
}
