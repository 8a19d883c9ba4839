#pragma once

#include "checkers/PartitaIva.h"
#include "checkers/ui/CheckerWindow.h"

// Checks a partita IVA, or the numeric codice fiscale of a company, and
// names the VAT office that issued a valid one. The 11-digit limit holds for
// typing only: a longer code from the caller is shown whole.
class TfrmIva : public CheckerWindow
{
    Q_OBJECT
public:
    explicit TfrmIva(QWidget* parent = nullptr);

    // What the partita IVA buttons of the client card and of the receipt
    // editor do: a fresh checker, modal to owner, with the trimmed code in
    // its field. The codice fiscale buttons come here for a digits-only code
    // through TfrmCodFisc::run.
    static void run(QWidget* owner, const QString& code,
                    IvaChecker::Purpose purpose = IvaChecker::Purpose::PartitaIva);

    // Caption and instruction lines for a partita IVA or a numeric codice fiscale.
    void setPurpose(IvaChecker::Purpose purpose) { showTexts(IvaChecker::rules(purpose)); }
};
