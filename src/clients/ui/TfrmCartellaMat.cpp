#include "clients/ui/TfrmCartellaMat.h"

TfrmCartellaMat::TfrmCartellaMat(QWidget* card)
    : FolderDialog(QStringLiteral("frmCartellaMat"), card)
{
}

void TfrmCartellaMat::Run(QWidget* card)
{
    runOn<TfrmCartellaMat>(card);
}
