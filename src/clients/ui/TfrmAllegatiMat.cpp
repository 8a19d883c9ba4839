#include "clients/ui/TfrmAllegatiMat.h"

TfrmAllegatiMat::TfrmAllegatiMat(QWidget* card)
    : AttachmentsDialog(QStringLiteral("frmAllegatiMat"), card)
{
}

void TfrmAllegatiMat::Run(QWidget* card)
{
    runOn<TfrmAllegatiMat>(card);
}
