#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/ReceiptRecord.h"

#include <QImage>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Prints the receipt on the editor in the large or small layout: the
// printer, the number of copies and the format. The copies and the format
// stay as chosen from one opening to the next within a run.
class TfrmStampa : public DialogScreen
{
    Q_OBJECT
public:
    TfrmStampa();

    // Shows the dialog for the receipt as the editor holds it (the record
    // Save would write) and prints it when the user confirms.
    void printReceipt(QWidget* owner, const TRecRicevuta& receipt);

    // The logo the next printing carries, as loaded when the dialog was shown.
    const QImage& logo() const { return m_logo; }

    void cmdStampaClick();
    void cmdAnnullaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void optFormatoClick();

    QGroupBox* grpStampante;
    QLabel* imgStampante;
    QLabel* lblStampante;
    QComboBox* cboPrinters;
    QGroupBox* grpCopie;
    QLineEdit* txtCopie;
    QSpinBox* scrCopie;
    QGroupBox* grpFormato;
    QRadioButton* optPiccolo;
    QRadioButton* optGrande;
    QPushButton* cmdAnnulla;
    QPushButton* cmdStampa;
    QLabel* imgLogo;   // hidden: the logo to print

    QImage m_logo;
    TRecRicevuta m_receipt;
};
