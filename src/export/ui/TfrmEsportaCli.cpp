#include "export/ui/TfrmEsportaCli.h"

TfrmEsportaCli::TfrmEsportaCli()
    : ExportWindow(QStringLiteral("frmEsportaCli"), QStringLiteral(" Esportazione archivio clienti in Microsoft Excel"),
                   ExportTables::clients(),
                   QStringLiteral(" Esporta l'archivio in un foglio di lavoro di Microsoft Excel."))
{
}
