#include "export/ui/TfrmEsportaRic.h"

#include "storage/TextRules.h"

TfrmEsportaRic::TfrmEsportaRic()
    : ExportWindow(QStringLiteral("frmEsportaRic"), QString(), ExportTables::receipts(),
                   QStringLiteral(" Esporta l'archivio delle ricevute in un foglio di lavoro di Microsoft Excel."))
{
    setYear(QString());
}

void TfrmEsportaRic::setYear(const QString& year)
{
    const QString trimmed = TextRules::trim(year);
    setWindowTitle(QStringLiteral(" Esporta ricevute dell'anno ") + trimmed);
    // Without a year there is no file to read, and none is created.
    setArchiveName(trimmed.isEmpty() ? QString() : ExportTables::receiptArchiveName(trimmed));
}
