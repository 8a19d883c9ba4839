#include "checkers/ui/TfrmCodFisc.h"

#include "checkers/CodiceFiscale.h"
#include "checkers/ui/TfrmIva.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : CheckerScreen({"frmCodFisc", "txtCodice", "cmdCodFisc"}, CodFiscChecker::rules(), parent)
{
}

void TfrmCodFisc::run(QWidget* owner, const QString& code)
{
    if (IsNumericCodiceFiscale(code))
        TfrmIva::run(owner, code, IvaChecker::Purpose::NumericCodiceFiscale);
    else
        CheckerScreen::run(owner, code);
}
