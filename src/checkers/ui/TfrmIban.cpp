#include "checkers/ui/TfrmIban.h"

#include "checkers/Iban.h"

TfrmIban::TfrmIban(QWidget* parent)
    : CheckerScreen({"frmIban", "txtCodice", "cmdCheckIban"}, IbanChecker::rules(), parent)
{
}
