#include "clients/TfrmCartellaCli.h"

TfrmCartellaCli::TfrmCartellaCli()
    : DialogScreen(QStringLiteral("frmCartellaCli"), QStringLiteral(" Associa cartella"), QSize(640, 480))
{
}
