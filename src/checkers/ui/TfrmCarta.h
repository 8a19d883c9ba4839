#pragma once

#include "platform/qt/ScreenWindows.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Checks a credit card number with its Luhn digit and names its brand.
// Advisory only: the caller's field is never changed.
class TfrmCarta : public DialogScreen
{
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);

    // What the client card's credit card button does: a fresh checker, modal
    // to owner, with the trimmed number in its field, destroyed when closed.
    static void run(QWidget* owner, const QString& number);

    // Puts the trimmed number into the field, as a change of the field.
    void setNumber(const QString& number);

    void cmdControlloClick();

private:
    void txtNumeroChange();

    QLabel* lblIstruzioni1;
    QLabel* lblIstruzioni2;
    QLineEdit* txtNumero;
    QPushButton* cmdControllo;
};
