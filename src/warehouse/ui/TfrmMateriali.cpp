#include "warehouse/ui/TfrmMateriali.h"

TfrmMateriali::TfrmMateriali()
    : WorkAreaWindow(QStringLiteral("frmMateriali"), QStringLiteral(" Magazzino materiali"), {4, 18, QSize(1022, 738)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));
}
