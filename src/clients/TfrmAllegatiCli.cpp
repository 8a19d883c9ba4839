#include "clients/TfrmAllegatiCli.h"

TfrmAllegatiCli::TfrmAllegatiCli()
    : DialogScreen(QStringLiteral("frmAllegatiCli"), QStringLiteral(" Allega file"), QSize(640, 480))
{
}
