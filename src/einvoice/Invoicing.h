#pragma once

#include "einvoice/EInvoice.h"
#include "storage/ReceiptRecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One stored receipt made into its electronic invoice file: checked, composed
// with the next progressive and written into the invoices' folder. Nothing
// is shown here; the screens tell the user.
namespace Invoicing {

struct Outcome
{
    enum class Kind { Written, Refused, Failed };
    Kind kind = Kind::Failed;
    QString path;          // the file written
    QStringList notices;   // texts cut, a total that differs from the receipt's
    QString field;         // the control a refusal concerns
    QString message;       // why it was refused or failed
};

Outcome invoice(const TRecRicevuta& receipt, const EInvoice::Options& options);

// What the client is remembered by: its VAT number or, without one, its tax
// code (trimmed, upper case); empty when it has neither.
QString clientKey(const TRecRicevuta& receipt);

// The options for one receipt of a month: the recipient remembered for its
// client when there is one, the IBAN of its own bank text, the nature only
// at a zero rate and the stamp duty only where it is due.
EInvoice::Options forReceipt(const TRecRicevuta& receipt, const EInvoice::Options& asked);

// The invoices of several receipts (a month), each with the options it
// takes from the ones asked once, written together (see
// InvoiceFiles::writeAll). A refused receipt writes nothing and stops
// nothing else; a failure of the folder, the settings or the disk leaves
// the receipts it reached without their file, and says why.
struct Batch
{
    int written = 0;
    QStringList refused;   // "Ricevuta n. 12 del 05/03/2024 (Rossi): why"
    QStringList notices;   // what the written ones carry to be told
    QString failure;       // why some files could not be written, empty when all were
    int notReached = 0;    // receipts left without their file by that failure
};
using Progress = std::function<void(int done)>;
Batch invoiceAll(const std::vector<TRecRicevuta>& receipts, const EInvoice::Options& asked, const Progress& progress);
// What the user is told at the end of a run.
QString batchSummary(const Batch& batch);

} // namespace Invoicing
