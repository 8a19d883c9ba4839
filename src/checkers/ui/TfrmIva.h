#pragma once

#include "platform/qt/ScreenWindows.h"
#include "checkers/PartitaIva.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Checks a partita IVA, or the numeric codice fiscale of a company, and
// names the VAT office that issued a valid one. Advisory only: the caller's
// field is never changed.
class TfrmIva : public DialogScreen
{
    Q_OBJECT
public:
    explicit TfrmIva(QWidget* parent = nullptr);

    // What the partita IVA buttons of the client card and of the receipt
    // editor do: a fresh checker, modal to owner, with the trimmed code in
    // its field, destroyed when closed. The codice fiscale buttons come here
    // for a digits-only code through TfrmCodFisc::Run.
    static void run(QWidget* owner, const QString& code,
                    IvaChecker::Purpose purpose = IvaChecker::Purpose::PartitaIva);

    // Caption and instruction lines for a partita IVA or a numeric codice fiscale.
    void setPurpose(IvaChecker::Purpose purpose);
    // Puts the trimmed code into the field, as a change of the field. The
    // 11-character limit holds for typing only: a longer code is shown whole.
    void setCode(const QString& code);

    void cmdPartitaIvaClick();

private:
    void txtCodiceChange();

    QLabel* lblIstruzioni1;
    QLabel* lblIstruzioni2;
    QLineEdit* txtCodice;
    QPushButton* cmdPartitaIva;
};
