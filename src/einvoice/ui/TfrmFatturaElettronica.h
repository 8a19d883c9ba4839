#pragma once

#include "einvoice/EInvoice.h"
#include "platform/qt/ScreenWindows.h"
#include "storage/ReceiptRecord.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

// Asks what an electronic invoice needs beyond the receipt: the recipient's
// code and PEC, the tax regime, the nature of a zero rate, the payment
// method and the stamp duty. Asked once for one receipt, or once for every
// receipt of a month. "Crea" closes it only with choices the file can take;
// the receipts themselves are checked when each file is written.
class TfrmFatturaElettronica : public DialogScreen
{
    Q_OBJECT
public:
    TfrmFatturaElettronica();

    // One stored receipt: asks, writes its file and tells the user, offering
    // to open the folder. A receipt the file cannot take is said; the
    // editor control it concerns is handed back (empty otherwise).
    static QString invoiceStored(const TRecRicevuta& stored);
    // The receipts of a period: asked once, written with a progress bar,
    // summed up at the end (files written, receipts refused and why).
    static void invoiceAll(const std::vector<TRecRicevuta>& receipts, QWidget* parent);
    // The caption of every refusal.
    static QString refusedCaption();

    // What is proposed for one receipt: the recipient remembered for its
    // client, the method named by its payment terms, the IBAN of its bank,
    // the stamp duty when due. The nature is asked only at a zero rate.
    void proposeFor(const TRecRicevuta& receipt);
    // For the receipts of a month: the recipient typed here serves the
    // clients that have none remembered, the IBAN comes from each receipt's
    // bank, the nature is asked when any receipt has a zero rate and the
    // stamp duty goes only where it is due.
    void proposeForMonth(const std::vector<TRecRicevuta>& receipts);

    // The choices, once the dialog was accepted.
    EInvoice::Options options() const;

    void cmdCreaClick();

private:
    void build();
    void propose(bool zeroRate, const QString& paymentTerms, const QString& iban, bool stampDuty);
    // The first choice of the dialog itself that the file cannot take.
    std::optional<EInvoice::Refusal> refusedChoice() const;

    QLineEdit* txtCodiceDestinatario = nullptr;
    QLineEdit* txtPEC = nullptr;
    QComboBox* cboRegimeFiscale = nullptr;
    QComboBox* cboNatura = nullptr;
    QComboBox* cboModalitaPagamento = nullptr;
    QLineEdit* txtIBAN = nullptr;
    QCheckBox* chkBollo = nullptr;
    bool m_zeroRate = false;
};
