#include "warehouse/ui/TfrmCartellaMat.h"

TfrmCartellaMat::TfrmCartellaMat(QWidget* card)
    : FolderDialog(QStringLiteral("frmCartellaMat"), card)
{
}

void TfrmCartellaMat::run(QWidget* card)
{
    runOn<TfrmCartellaMat>(card);
}
