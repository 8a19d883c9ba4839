#include "clients/ui/TfrmCartellaCli.h"

TfrmCartellaCli::TfrmCartellaCli(QWidget* card)
    : FolderDialog(QStringLiteral("frmCartellaCli"), card)
{
}

void TfrmCartellaCli::run(QWidget* card)
{
    runOn<TfrmCartellaCli>(card);
}
