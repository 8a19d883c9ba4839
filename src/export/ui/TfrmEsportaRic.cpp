#include "export/ui/TfrmEsportaRic.h"

#include "storage/TextRules.h"

// Until the receipt screen names a year the window has no file to read, and
// its caption says only what it is for.
TfrmEsportaRic::TfrmEsportaRic()
    : ExportWindow(QStringLiteral("frmEsportaRic"), QStringLiteral(" Esportazione ricevute in Microsoft Excel"),
                   ExportTables::receipts(),
                   QStringLiteral(" Esporta l'archivio delle ricevute in un foglio di lavoro di Microsoft Excel."))
{
}

void TfrmEsportaRic::setYear(const QString& year)
{
    const QString trimmed = TextRules::trim(year);
    setWindowTitle(QStringLiteral(" Esporta ricevute dell'anno ") + trimmed);
    // An empty year names no file, so none is created.
    setArchiveName(trimmed.isEmpty() ? QString() : ExportTables::receiptArchiveName(trimmed));
}
