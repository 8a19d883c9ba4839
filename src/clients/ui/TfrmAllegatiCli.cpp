#include "clients/ui/TfrmAllegatiCli.h"

TfrmAllegatiCli::TfrmAllegatiCli(QWidget* card)
    : AttachmentsDialog(QStringLiteral("frmAllegatiCli"), card)
{
}

void TfrmAllegatiCli::run(QWidget* card)
{
    runOn<TfrmAllegatiCli>(card);
}
