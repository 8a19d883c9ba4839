#pragma once

#include "platform/qt/ScreenWindows.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Checks the MOD 97-10 check digits of an IBAN. Advisory only: the caller's
// field is never changed.
class TfrmIban : public DialogScreen
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);

    // What the client card's IBAN button does: a fresh checker, modal to
    // owner, with the trimmed code in its field, destroyed when closed.
    static void run(QWidget* owner, const QString& code);

    // Puts the trimmed code into the field whole, as a change of the field.
    void setCode(const QString& code);

    void cmdCheckIbanClick();

private:
    void txtCodiceChange();
    void txtCodiceEnter();

    QLabel* lblIstruzioni1;
    QLabel* lblIstruzioni2;
    QLineEdit* txtCodice;
    QPushButton* cmdCheckIban;
};
