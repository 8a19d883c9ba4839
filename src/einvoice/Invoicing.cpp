#include "einvoice/Invoicing.h"

#include "einvoice/InvoiceFiles.h"
#include "storage/TextRules.h"

#include <QHash>

namespace Invoicing {

QString clientKey(const TRecRicevuta& receipt)
{
    const QString vat = TextRules::trim(receipt.IvaCli);
    return TextRules::upperAZ(vat.isEmpty() ? TextRules::trim(receipt.CodFiscCli) : vat);
}

namespace {

// What forReceipt gives, the client's remembered recipient already read.
EInvoice::Options optionsFor(const TRecRicevuta& receipt, const EInvoice::Options& asked,
                             const InvoiceFiles::Recipient& known)
{
    EInvoice::Options o = asked;
    if (!known.code.isEmpty()) {
        o.recipientCode = known.code;
        o.pec = known.pec;
    }
    o.iban = o.paymentMethod.isEmpty() ? QString() : EInvoice::ibanIn(receipt.Banca);
    if (!EInvoice::zeroRate(receipt))
        o.nature.clear();
    o.stampDuty = asked.stampDuty && EInvoice::stampDutyProposed(receipt);
    return o;
}

// Each client's remembered recipient, read once for a whole month rather
// than the file of recipients read again for every receipt.
class Recipients
{
public:
    InvoiceFiles::Recipient of(const TRecRicevuta& receipt)
    {
        const QString key = clientKey(receipt);
        auto known = m_known.find(key);
        if (known == m_known.end())
            known = m_known.insert(key, InvoiceFiles::rememberedRecipient(key));
        return *known;
    }

private:
    QHash<QString, InvoiceFiles::Recipient> m_known;
};

// A file's bytes from a receipt checked and prepared; what the user must be
// told of it is kept in notices.
InvoiceFiles::Compose composing(const EInvoice::Prepared& prepared, QStringList& notices)
{
    return [&prepared, &notices](const QString& progressive) {
        EInvoice::Document d = prepared.compose(progressive);
        notices = d.notices;
        return d.xml;
    };
}

} // namespace

EInvoice::Options forReceipt(const TRecRicevuta& receipt, const EInvoice::Options& asked)
{
    return optionsFor(receipt, asked, InvoiceFiles::rememberedRecipient(clientKey(receipt)));
}

Outcome invoice(const TRecRicevuta& receipt, const EInvoice::Options& options)
{
    Outcome out;
    const EInvoice::Prepared prepared(receipt, options);
    if (const auto& refusal = prepared.refusal()) {
        out.kind = Outcome::Kind::Refused;
        out.field = refusal->field;
        out.message = refusal->message;
        return out;
    }
    QStringList notices;
    const InvoiceFiles::Written written = InvoiceFiles::write(receipt.IvaVen, composing(prepared, notices));
    if (!written.ok()) {
        out.message = InvoiceFiles::failureMessage(written);
        return out;
    }
    out.kind = Outcome::Kind::Written;
    out.path = written.path;
    out.notices = notices;
    return out;
}

namespace {

QString receiptName(const TRecRicevuta& r)
{
    return QStringLiteral("Ricevuta n. %1 del %2 (%3)")
        .arg(TextRules::trim(r.NumRic), TextRules::trim(r.Data), TextRules::trim(r.Cliente));
}

// A list of at most kShown lines, the rest counted.
constexpr int kShown = 25;
QString shortList(const QStringList& lines)
{
    QString text;
    for (int i = 0; i < lines.size() && i < kShown; ++i)
        text += QStringLiteral("\n- ") + lines.at(i);
    if (lines.size() > kShown)
        text += QStringLiteral("\n... e altre %1.").arg(lines.size() - kShown);
    return text;
}

} // namespace

Batch invoiceAll(const std::vector<TRecRicevuta>& receipts, const EInvoice::Options& asked, const Progress& progress)
{
    Batch batch;
    // The refusals first: they write nothing and cost no progressive.
    std::vector<size_t> accepted;
    std::vector<EInvoice::Prepared> prepared;
    Recipients recipients;
    for (size_t i = 0; i < receipts.size(); ++i) {
        EInvoice::Prepared p(receipts[i], optionsFor(receipts[i], asked, recipients.of(receipts[i])));
        if (p.refusal()) {
            batch.refused << receiptName(receipts[i]) + QStringLiteral(": ") + p.refusal()->message;
            continue;
        }
        accepted.push_back(i);
        prepared.push_back(std::move(p));
    }
    const int refused = batch.refused.size();
    if (progress)
        progress(refused);
    std::vector<QStringList> notices(accepted.size());
    std::vector<InvoiceFiles::Piece> pieces;
    for (size_t k = 0; k < accepted.size(); ++k)
        pieces.push_back({receipts[accepted[k]].IvaVen, composing(prepared[k], notices[k])});
    const std::vector<InvoiceFiles::Written> written =
        InvoiceFiles::writeAll(pieces, [&](int n) { progress ? progress(refused + n) : void(); });
    for (size_t k = 0; k < written.size(); ++k) {
        const TRecRicevuta& r = receipts[accepted[k]];
        if (written[k].ok()) {
            ++batch.written;
            for (const QString& notice : notices[k])
                batch.notices << receiptName(r) + QStringLiteral(": ") + notice;
        } else {
            if (batch.failure.isEmpty())
                batch.failure = InvoiceFiles::failureMessage(written[k]);
            ++batch.notReached;
        }
    }
    return batch;
}

QString batchSummary(const Batch& batch)
{
    QString text = QStringLiteral("Fatture elettroniche create: %1.\nRicevute rifiutate: %2.")
                       .arg(batch.written)
                       .arg(batch.refused.size());
    if (!batch.failure.isEmpty())
        text += QStringLiteral("\n\nRicevute senza file per un errore (%1): %2")
                    .arg(batch.notReached)
                    .arg(batch.failure);
    if (!batch.refused.isEmpty())
        text += QStringLiteral("\n\nRicevute rifiutate, nessun file scritto:") + shortList(batch.refused);
    if (!batch.notices.isEmpty())
        text += QStringLiteral("\n\nDa controllare:") + shortList(batch.notices);
    return text;
}

} // namespace Invoicing
