#pragma once

#include "platform/qt/ScreenWindows.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Checks the check character of a personal codice fiscale. Advisory only:
// the caller's field is never changed.
class TfrmCodFisc : public DialogScreen
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);

    // What the codice fiscale buttons of the client card and of the receipt
    // editor do: a fresh checker, modal to owner, with the trimmed code in
    // its field, destroyed when closed. A digits-only code (a company's)
    // goes to the partita IVA checker under its codice fiscale caption.
    static void run(QWidget* owner, const QString& code);

    // Puts the trimmed code into the field whole, as a change of the field.
    void setCode(const QString& code);

    void cmdCodFiscClick();

private:
    void txtCodiceChange();
    void txtCodiceEnter();

    QLabel* lblIstruzioni1;
    QLabel* lblIstruzioni2;
    QLineEdit* txtCodice;
    QPushButton* cmdCodFisc;
};
