#pragma once

#include "checkers/ui/CheckerWindow.h"

// Checks the check character of a personal codice fiscale.
class TfrmCodFisc : public CheckerScreen<TfrmCodFisc>
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);

    // A digits-only code (a company's) goes to the partita IVA checker
    // under its codice fiscale caption.
    static void run(QWidget* owner, const QString& code);
};
