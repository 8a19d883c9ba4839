#include "warehouse/ui/TfrmListino.h"

TfrmListino::TfrmListino()
    : WorkAreaWindow(QStringLiteral("frmListino"), QStringLiteral(" Creazione listino prezzi"), {4, 14, QSize(1030, 742)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));
}
