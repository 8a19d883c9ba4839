#include "warehouse/ui/TfrmCartellaMat.h"

TfrmCartellaMat::TfrmCartellaMat(QWidget* card)
    : FolderDialog(QStringLiteral("frmCartellaMat"), card)
{
}

bool TfrmCartellaMat::run(QWidget* card)
{
    return runOn<TfrmCartellaMat>(card);
}
