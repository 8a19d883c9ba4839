#include "warehouse/ui/TfrmAllegatiMat.h"

TfrmAllegatiMat::TfrmAllegatiMat(QWidget* card)
    : AttachmentsDialog(QStringLiteral("frmAllegatiMat"), card)
{
}

void TfrmAllegatiMat::run(QWidget* card)
{
    runOn<TfrmAllegatiMat>(card);
}
