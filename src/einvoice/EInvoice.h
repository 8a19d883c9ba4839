#pragma once

#include "storage/ReceiptRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// The electronic invoice of a stored receipt: the XML file of the national
// format for private clients (FatturaPA, FPR12) that the shop sends through
// the exchange system. Everything comes from the receipt as stored; what the
// receipt does not hold (the recipient's code, the tax regime, the nature of
// a zero rate, the payment method, the stamp duty) is asked once by the
// screen and handed in as Options.
namespace EInvoice {

// A code of the format with its Italian label, as the lists show them.
struct Code
{
    QString code;    // "RF01", "N2.2", "MP05"
    QString label;   // "Ordinario", "Non soggette - altri casi", "Bonifico"
};
// The tax regimes, RF01 first.
const std::vector<Code>& taxRegimes();
// The natures of a zero rate (N1 ... N7, with the N2, N3 and N6 subcodes).
const std::vector<Code>& natures();
// The payment methods offered: none (empty code), MP01, MP02, MP05, MP08.
const std::vector<Code>& paymentMethods();
// The legal reference written beside a nature in the summary.
QString legalReference(const QString& nature);

// What the screen asks.
struct Options
{
    QString recipientCode = QStringLiteral("0000000");   // CodiceDestinatario
    QString pec;                                          // PECDestinatario, optional
    QString taxRegime = QStringLiteral("RF01");
    QString nature;          // used (and required) only when the rate is 0
    QString paymentMethod;   // empty: no payment block
    QString iban;            // with the payment, when the bank holds one
    bool stampDuty = false;  // virtual stamp duty of 2,00 EUR
};

// The receipt's VAT rate reads as zero (empty counts as zero).
bool zeroRate(const TRecRicevuta& receipt);
// What the screen proposes: the method named by the words of the payment
// terms ("contanti", "assegno", "bonifico", "carta"/"bancomat"...), empty
// when none; the IBAN in the bank text that the IBAN check accepts, blanks
// removed and upper-cased, empty when none; the stamp duty when the rate is
// zero and the receipt's total exceeds 77,47.
QString proposedPaymentMethod(const QString& paymentTerms);
QString ibanIn(const QString& bankText);
bool stampDutyProposed(const TRecRicevuta& receipt);

// Why a receipt cannot become an invoice, naming the field; nothing is written.
struct Refusal
{
    QString field;     // the editor control it concerns ("txtIvaVen"), or the dialog's
    QString message;   // the Italian message shown
};
// The checks made before writing, in order; the first failing one.
std::optional<Refusal> check(const TRecRicevuta& receipt, const Options& options);
// Those of check() that look at what the screen asks alone, in the same
// order: the recipient's code and PEC address, the nature when the rate is
// zero, the tax regime, the payment method and the IBAN.
std::optional<Refusal> checkOptions(const Options& options, bool zeroRate);

// The amounts of the invoice, in the form the file writes them.
struct Amounts
{
    QString taxable;   // ImponibileImporto: the sum of the lines' PrezzoTotale, to the cent
    QString tax;       // Imposta: taxable x rate / 100, to the cent, half away from zero
    QString total;     // ImportoTotaleDocumento: taxable + tax
};

// An invoice composed.
struct Document
{
    QByteArray xml;          // UTF-8
    Amounts amounts;
    // What the user must be told: each text cut to the format's length,
    // naming its field, the receipt's number where it had to lose accents or
    // signs the format does not take there, and a total that differs from
    // the receipt's own, with both figures. Empty when there is nothing to say.
    QStringList notices;
};

// The file for a receipt that passed check(), with the transmission's
// progressive (five characters 0-9 A-Z).
Document compose(const TRecRicevuta& receipt, const Options& options, const QString& progressive);

// A receipt checked once, with what the checks worked out kept for its
// file: a month is checked whole before any progressive is taken, and each
// file then costs no second reckoning. The receipt must outlive it.
struct Figures;
class Prepared
{
public:
    Prepared(const TRecRicevuta& receipt, const Options& options);
    // What check() says of the receipt.
    const std::optional<Refusal>& refusal() const { return m_refusal; }
    // compose() for a receipt without refusal.
    Document compose(const QString& progressive) const;

private:
    const TRecRicevuta* m_receipt;
    Options m_options;
    std::shared_ptr<Figures> m_figures;
    std::optional<Refusal> m_refusal;
};

// The text as the format takes it: characters of Windows-1252 outside
// Latin-1 in their plain form (EUR, straight quotes, "-", "...", OE, S...),
// control characters as blanks. Any other character beyond Latin-1 (never
// in a stored receipt) keeps what it decomposes to in Latin-1, or becomes "?".
QString plainText(const QString& text);

} // namespace EInvoice
