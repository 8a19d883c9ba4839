#include "reports/ReceiptSummary.h"

#include "receipts/ReceiptArchive.h"
#include "storage/Amounts.h"
#include "storage/ReceiptRecord.h"
#include "storage/TextRules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ReceiptSummary {

namespace {

const char* const kMonths[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                               "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

// The month of a code "01" to "12"; 0 when the code is not one of them
// ("3/" of a date 5/3/2024). Asked for every receipt of the year.
int monthNumber(const QString& code)
{
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; };
    if (code.size() != 2 || digit(code[0]) < 0 || digit(code[1]) < 0)
        return 0;
    const int m = digit(code[0]) * 10 + digit(code[1]);
    return m >= 1 && m <= 12 ? m : 0;
}

QString monthName(int m)
{
    return m ? QString::fromLatin1(kMonths[m - 1]) : QString();
}

QString quarterText(int m)
{
    if (!m)
        return QString();
    const int first = (m - 1) / 3 * 3;
    return monthName(first + 1) + QStringLiteral(", ") + monthName(first + 2) + QStringLiteral(", ")
        + monthName(first + 3);
}

QString capitalised(const QString& s)
{
    return TextRules::upperAZ(s.left(1)) + s.mid(1);
}

// Beyond this size a double no longer keeps a sum's cents: a damaged total
// (1E20) would swallow every ordinary amount added to it, and an overflow
// leaves no number at all.
constexpr double kLargestFaithfulSum = 1e13;

// A running total: each addition in extended precision, the sum kept as a
// double, and whether the sum still tells the true amount to the cent.
struct Total
{
    double sum = 0;
    bool faithful = true;

    void add(double value)
    {
        sum = static_cast<double>(static_cast<long double>(sum) + static_cast<long double>(value));
        // Written so that an infinite or no-number sum fails too.
        if (!(std::fabs(value) < kLargestFaithfulSum && std::fabs(sum) < kLargestFaithfulSum))
            faithful = false;
    }
    QString label() const { return faithful ? totalLabel(sum) : uncomputableTotal(); }
};

// The period test asked of every receipt of the year, prepared once: which
// month codes belong to the period (worked out by the rule itself on a date
// of each month) and the year wanted, so that a receipt's date is judged on
// its bytes without making a text of it.
class PeriodTest
{
public:
    explicit PeriodTest(const PeriodRule& rule) : m_rule(rule), m_year(TextRules::trim(rule.year))
    {
        m_bytes = std::all_of(m_year.cbegin(), m_year.cend(), [](QChar c) { return c.unicode() < 0x80; });
        m_yearBytes = m_year.toLatin1();
        for (int m = 0; m <= 12; ++m) {
            const QString code = m ? QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')) : QStringLiteral("xx");
            m_months[size_t(m)] = rule.contains(QStringLiteral("01/") + code + QLatin1Char('/') + m_year);
        }
    }

    bool contains(const char* record) const
    {
        if (!m_bytes)
            return m_rule.contains(loadField(record, TRecRicevuta::posData));
        // The date as the rule reads it: trimmed, then characters 4-5 the
        // month and 7-10 (trimmed) the year.
        const auto [date, length] = ShortString::loadBytes(record + TRecRicevuta::posData.offset,
                                                           TRecRicevuta::posData.capacity);
        const char* year = date + std::min(length, 6);
        const char* yearEnd = date + std::min(length, 10);
        while (year < yearEnd && static_cast<unsigned char>(*year) <= 32)
            ++year;
        while (yearEnd > year && static_cast<unsigned char>(yearEnd[-1]) <= 32)
            --yearEnd;
        if (QByteArrayView(year, yearEnd - year) != QByteArrayView(m_yearBytes))
            return false;
        auto digit = [&](int at) { return at < length && date[at] >= '0' && date[at] <= '9' ? date[at] - '0' : -1; };
        const int tens = digit(3), units = digit(4);
        const int month = tens < 0 || units < 0 ? 0 : tens * 10 + units;
        return m_months[size_t(month >= 1 && month <= 12 ? month : 0)];
    }

private:
    const PeriodRule& m_rule;
    QString m_year;
    QByteArray m_yearBytes;
    bool m_bytes = false;
    std::array<bool, 13> m_months{};
};

} // namespace

QStringList monthItems()
{
    QStringList items;
    for (int m = 1; m <= 12; ++m)
        items << capitalised(monthName(m));
    return items;
}

QStringList quarterItems()
{
    QStringList items;
    for (int m = 1; m <= 12; m += 3)
        items << capitalised(quarterText(m));
    return items;
}

QString monthCode(const QString& date)
{
    return (TextRules::trim(date) + QString(10, QLatin1Char(' '))).mid(3, 2);
}

QString yearOf(const QString& date)
{
    return TextRules::trim((TextRules::trim(date) + QString(10, QLatin1Char(' '))).mid(6, 4));
}

bool PeriodRule::contains(const QString& date) const
{
    if (yearOf(date) != TextRules::trim(year))
        return false;
    const QString wanted = TextRules::trim(TextRules::lowerAZ(choice));
    switch (kind) {
    case Kind::Month:
        return !wanted.isEmpty() && monthName(monthNumber(monthCode(date))) == wanted;
    case Kind::Quarter:
        return !wanted.isEmpty() && quarterText(monthNumber(monthCode(date))) == wanted;
    case Kind::Year:
        return true;
    }
    return false;
}

QString PeriodRule::title() const
{
    const QString chosen = TextRules::trim(TextRules::lowerAZ(choice));
    const QString y = TextRules::trim(year);
    switch (kind) {
    case Kind::Month:
        return QStringLiteral("Ricevute del mese di ") + chosen + QLatin1Char(' ') + y;
    case Kind::Quarter:
        return QStringLiteral("Ricevute del trimestre di ") + chosen + QLatin1Char(' ') + y;
    case Kind::Year:
        break;
    }
    return QStringLiteral("Ricevute dell'anno ") + y;
}

bool build(ArchiveFile& file, const PeriodRule& rule, Summary& summary)
{
    summary = Summary();
    Total netto, iva, totale;
    using R = TRecRicevuta;
    // Only the fields of the date, the line and the totals are read.
    LineComposer line;
    const PeriodTest inPeriod(rule);
    const bool ok = file.scan([&](qint64, const char* bytes) {
        if (!inPeriod.contains(bytes))
            return true;
        line.clear();
        ReceiptArchive::composeListLine(bytes, line);
        summary.lines.append(line);
        double n = 0, i = 0, t = 0;
        // A receipt with a total that is not a number stays in the list but
        // out of all three sums, so the three still agree with each other.
        if (ParseAmount(loadField(bytes, R::posTotNetto), n) && ParseAmount(loadField(bytes, R::posTotIva), i)
            && ParseAmount(loadField(bytes, R::posTotale), t)) {
            netto.add(n);
            iva.add(i);
            totale.add(t);
        } else {
            ++summary.leftOut;
        }
        return true;
    });
    summary.totNetto = netto.label();
    summary.totIva = iva.label();
    summary.totale = totale.label();
    return ok;
}

bool receiptsIn(ArchiveFile& file, const PeriodRule& rule, std::vector<TRecRicevuta>& receipts)
{
    receipts.clear();
    const PeriodTest inPeriod(rule);
    return file.scan([&](qint64, const char* bytes) {
        if (inPeriod.contains(bytes))
            receipts.push_back(TRecRicevuta::decode(bytes));
        return true;
    });
}

QString totalLabel(double sum)
{
    return QStringLiteral("€ ") + CompleteDecimals(FormatGeneral(RoundToDecimals(sum, 2)));
}

QString uncomputableTotal()
{
    return QStringLiteral("Totale non calcolabile");
}

QString leftOutMessage(int count)
{
    if (count == 1)
        return QStringLiteral("Una ricevuta è nell'elenco ma non nei totali: uno dei suoi importi (netto, IVA o "
                              "totale) non è un numero.");
    return QStringLiteral("%1 ricevute sono nell'elenco ma non nei totali: uno dei loro importi (netto, IVA o "
                          "totale) non è un numero.")
        .arg(count);
}

} // namespace ReceiptSummary
