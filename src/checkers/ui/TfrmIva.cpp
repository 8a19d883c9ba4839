#include "checkers/ui/TfrmIva.h"

TfrmIva::TfrmIva(QWidget* parent)
    : CheckerWindow({"frmIva", "txtCodice", "cmdPartitaIva"}, IvaChecker::rules(), parent)
{
}

void TfrmIva::run(QWidget* owner, const QString& code, IvaChecker::Purpose purpose)
{
    TfrmIva checker(owner);
    checker.setPurpose(purpose);
    checker.setCode(code);
    checker.exec();
}
