#include "warehouse/ui/TfrmAllegatiMat.h"

TfrmAllegatiMat::TfrmAllegatiMat(QWidget* card)
    : AttachmentsDialog(QStringLiteral("frmAllegatiMat"), card)
{
}

bool TfrmAllegatiMat::run(QWidget* card)
{
    return runOn<TfrmAllegatiMat>(card);
}
