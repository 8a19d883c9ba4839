#include "receipts/ui/TfrmRicevute.h"

TfrmRicevute::TfrmRicevute()
    : WorkAreaWindow(QStringLiteral("frmRicevute"), QStringLiteral(" Emissione ricevute"), {8, 18, QSize(1030, 742)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));
    grpAnno = addPanel(QStringLiteral("grpAnno"));
}

void TfrmRicevute::showYearPanel()
{
    grpAnno->setVisible(true);
    grpContainer->setVisible(false);
}
