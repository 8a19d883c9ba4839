#pragma once

#include "checkers/ui/CheckerWindow.h"

// Checks the MOD 97-10 check digits of an IBAN; the client card's IBAN
// button opens it.
class TfrmIban : public CheckerScreen<TfrmIban>
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);
};
