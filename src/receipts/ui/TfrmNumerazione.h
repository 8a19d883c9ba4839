#pragma once

#include "platform/qt/ScreenWindows.h"

class QLineEdit;
class QSpinBox;

// Sets the number the receipts of every year start from.
class TfrmNumerazione : public DialogScreen
{
    Q_OBJECT
public:
    TfrmNumerazione();

    void cmdApplicaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* txtInizio;
    QSpinBox* scrInizio;
};
