#include "clients/TfrmAllegatiMat.h"

TfrmAllegatiMat::TfrmAllegatiMat()
    : DialogScreen(QStringLiteral("frmAllegatiMat"), QStringLiteral(" Allega file"), QSize(640, 480))
{
}
