#include "clients/ui/TfrmCartellaCli.h"

TfrmCartellaCli::TfrmCartellaCli(QWidget* card)
    : FolderDialog(QStringLiteral("frmCartellaCli"), card)
{
}

bool TfrmCartellaCli::run(QWidget* card)
{
    return runOn<TfrmCartellaCli>(card);
}
