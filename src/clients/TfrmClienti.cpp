#include "clients/TfrmClienti.h"

TfrmClienti::TfrmClienti()
    : WorkAreaWindow(QStringLiteral("frmClienti"), QStringLiteral(" Archivio clienti"), {8, 18, QSize(1022, 738)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));
}
