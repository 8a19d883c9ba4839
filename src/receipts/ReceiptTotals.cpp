#include "receipts/ReceiptTotals.h"

#include "storage/Amounts.h"
#include "storage/TextRules.h"

namespace {

const QString kZero = QStringLiteral("0,00");

// A computed value as the editor writes it: general format, read again,
// reduced to four decimals, written again and completed to two decimals.
QString toFourDecimals(double value)
{
    double again = 0;
    ParseAmount(FormatGeneral(value), again);
    return CompleteDecimals(FormatGeneral(RoundToDecimals(again, 4)));
}

// An optional factor: empty reads as 0.
bool readOptional(const QString& text, double& value)
{
    value = 0;
    return TextRules::trim(text).isEmpty() || ParseAmount(text, value);
}

bool computeLine(ReceiptAmounts& r, int i)
{
    if (TextRules::trim(r.Quant[i]).isEmpty() && TextRules::trim(r.PrezzoUni[i]).isEmpty())
        return true;
    if (TextRules::trim(r.Quant[i]).isEmpty())
        r.Quant[i] = QStringLiteral("1");
    if (TextRules::trim(r.PrezzoUni[i]).isEmpty())
        r.PrezzoUni[i] = kZero;
    double discount = 0, quantity = 0, price = 0;
    if (!readOptional(r.Sconto[i], discount) || !ParseAmount(r.Quant[i], quantity) || !ParseAmount(r.PrezzoUni[i], price))
        return false;
    const double gross = static_cast<double>(static_cast<long double>(quantity) * price);
    const double off = static_cast<double>(static_cast<long double>(gross) * discount / 100.0L);
    const double net = static_cast<double>(static_cast<long double>(gross) - off);
    r.PrezzoTot[i] = toFourDecimals(net);
    return true;
}

bool computeReceipt(ReceiptAmounts& r)
{
    for (int i = 0; i < 20; ++i) {
        if (!computeLine(r, i))
            return false;
    }
    // The line totals as they stand, those of skipped lines included.
    long double sum = 0.0L;
    for (int i = 0; i < 20; ++i) {
        double value = 0;
        if (!readOptional(r.PrezzoTot[i], value))
            return false;
        sum += value;
    }
    const double net = static_cast<double>(sum);
    r.TotNetto = toFourDecimals(net);
    double rate = 0;
    if (!readOptional(r.PercIva, rate))
        return false;
    // The net sum and the VAT enter the grand total unrounded; only what is
    // shown is reduced.
    const double vat = static_cast<double>(static_cast<long double>(net) * rate / 100.0L);
    r.TotIva = FormatGeneral(vat);
    const double total = static_cast<double>(static_cast<long double>(net) + vat);
    r.Totale = FormatGeneral(RoundToDecimals(total, 2));
    r.TotIva = CompleteDecimals(r.TotIva);
    r.Totale = CompleteDecimals(r.Totale);
    return true;
}

} // namespace

void ComputeTotals(ReceiptAmounts& r)
{
    if (!computeReceipt(r)) {
        r.TotNetto = kZero;
        r.Totale = kZero;
    }
}
