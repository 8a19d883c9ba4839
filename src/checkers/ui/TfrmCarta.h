#pragma once

#include "checkers/ui/CheckerWindow.h"

// Checks a credit card number with its Luhn digit and names its brand; the
// client card's credit card button opens it.
class TfrmCarta : public CheckerScreen<TfrmCarta>
{
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);

    // The field is txtNumero here; the number goes in as any checker's code.
    void setNumber(const QString& number) { setCode(number); }
};
