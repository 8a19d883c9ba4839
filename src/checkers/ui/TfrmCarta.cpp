#include "checkers/ui/TfrmCarta.h"

#include "checkers/CreditCard.h"

TfrmCarta::TfrmCarta(QWidget* parent)
    : CheckerScreen({"frmCarta", "txtNumero", "cmdControllo"}, CartaChecker::rules(), parent)
{
}
