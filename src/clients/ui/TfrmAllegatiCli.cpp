#include "clients/ui/TfrmAllegatiCli.h"

TfrmAllegatiCli::TfrmAllegatiCli(QWidget* card)
    : AttachmentsDialog(QStringLiteral("frmAllegatiCli"), card)
{
}

bool TfrmAllegatiCli::run(QWidget* card)
{
    return runOn<TfrmAllegatiCli>(card);
}
