#include "clients/TfrmCartellaMat.h"

TfrmCartellaMat::TfrmCartellaMat()
    : DialogScreen(QStringLiteral("frmCartellaMat"), QStringLiteral(" Associa cartella"), QSize(640, 480))
{
}
