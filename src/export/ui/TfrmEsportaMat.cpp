#include "export/ui/TfrmEsportaMat.h"

TfrmEsportaMat::TfrmEsportaMat()
    : ExportWindow(QStringLiteral("frmEsportaMat"),
                   QStringLiteral(" Esportazione magazzino materiali in Microsoft Excel"), ExportTables::materials(),
                   QStringLiteral(" Esporta l'archivio in un foglio di lavoro di Microsoft Excel."))
{
}
