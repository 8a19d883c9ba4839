#include "receipts/ReceiptTotals.h"

#include "storage/Amounts.h"
#include "storage/TextRules.h"

#include <limits>
#include <vector>

// The totals are summed in the 80-bit extended precision that the stored
// amounts were always summed in: a compiler whose long double is a plain
// double (MSVC) would round some totals a cent apart.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "the totals need an 80-bit long double: build with GCC or MinGW-w64");

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

// A computed amount as its field keeps it; one too large to fit stays whole.
QString fitted(const QString& text, FieldPos field)
{
    QString out;
    return FitAmountText(text, field.capacity, true, out) ? out : text;
}

// An optional factor: empty reads as 0.
bool readOptional(const QString& text, double& value)
{
    value = 0;
    return TextRules::trim(text).isEmpty() || ParseAmount(text, value);
}

bool computeLine(TRecRicevuta& r, int i)
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
    r.PrezzoTot[i] = fitted(toFourDecimals(net), TRecRicevuta::posPrezzoTot(i));
    return true;
}

bool computeReceipt(TRecRicevuta& r)
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
    r.TotNetto = fitted(toFourDecimals(net), TRecRicevuta::posTotNetto);
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
    r.Totale = fitted(CompleteDecimals(r.Totale), TRecRicevuta::posTotale);
    return true;
}

} // namespace

void ComputeTotals(TRecRicevuta& r)
{
    if (!computeReceipt(r)) {
        r.TotNetto = kZero;
        r.Totale = kZero;
    }
}

QString fitStoredAmounts(TRecRicevuta& r)
{
    using R = TRecRicevuta;
    struct Amount
    {
        QString* text;
        FieldPos field;
        bool money;
        QString name;   // as the editor labels it
    };
    std::vector<Amount> amounts;
    for (int i = 0; i < 20; ++i) {
        const QString line = QStringLiteral(" della riga %1").arg(i + 1);
        amounts.push_back({&r.Quant[i], R::posQuant(i), false, QStringLiteral("Quant.") + line});
        amounts.push_back({&r.PrezzoUni[i], R::posPrezzoUni(i), true, QStringLiteral("Prezzo unit.") + line});
        amounts.push_back({&r.Sconto[i], R::posSconto(i), false, QStringLiteral("Sconto %") + line});
        amounts.push_back({&r.PrezzoTot[i], R::posPrezzoTot(i), true, QStringLiteral("Prezzo tot.") + line});
    }
    amounts.push_back({&r.TotNetto, R::posTotNetto, true, QStringLiteral("Totale netto")});
    amounts.push_back({&r.PercIva, R::posPercIva, false, QStringLiteral("IVA %")});
    amounts.push_back({&r.TotIva, R::posTotIva, true, QStringLiteral("Totale IVA")});
    amounts.push_back({&r.Totale, R::posTotale, true, QStringLiteral("TOTALE")});
    for (const Amount& a : amounts) {
        QString out;
        if (!FitAmountText(*a.text, a.field.capacity, a.money, out)) {
            const QString tooLarge = a.money ? QString::fromUtf8("Il valore del campo %1 è troppo grande per essere memorizzato al centesimo.")
                                             : QString::fromUtf8("Il valore del campo %1 è troppo grande per essere memorizzato.");
            return tooLarge.arg(a.name);
        }
        *a.text = out;
    }
    return QString();
}
