#include "einvoice/EInvoice.h"

#include "checkers/CodiceFiscale.h"
#include "checkers/Iban.h"
#include "checkers/PartitaIva.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptTotals.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

namespace EInvoice {

namespace {

using R = TRecRicevuta;
using TextRules::trim;

// ------------------------------------------------------------------ codes

// A nature of a zero rate, with the legal reference written beside it in the
// summary. The references name the usual article for each case; the
// accountant can tell the shop when its own case rests on another.
struct Nature
{
    const char* code;
    const char* label;
    const char* reference;   // at most 100 Latin-1 characters
};
// N2, N3 and N6 without subcode are refused by the exchange system since
// 2021: only the subcodes are offered.
const Nature kNatures[] = {
    {"N1", "Escluse ex art. 15 DPR 633/72", "Escluso art. 15 DPR 633/72"},
    {"N2.1", "Non soggette - artt. da 7 a 7-septies DPR 633/72", "Non soggetto artt. da 7 a 7-septies DPR 633/72"},
    {"N2.2", "Non soggette - altri casi", "Operazione effettuata ai sensi dell'art. 1, commi 54-89, L. 190/2014"},
    {"N3.1", "Non imponibili - esportazioni", "Non imponibile art. 8 DPR 633/72"},
    {"N3.2", "Non imponibili - cessioni intracomunitarie", "Non imponibile art. 41 DL 331/93"},
    {"N3.3", "Non imponibili - cessioni verso San Marino", "Non imponibile art. 71 DPR 633/72"},
    {"N3.4", "Non imponibili - operazioni assimilate alle cessioni all'esportazione",
     "Non imponibile artt. 8-bis e 9 DPR 633/72"},
    {"N3.5", "Non imponibili - a seguito di dichiarazioni d'intento",
     "Non imponibile art. 8, c. 1, lett. c) DPR 633/72 (dichiarazione d'intento)"},
    {"N3.6", "Non imponibili - altre operazioni che non concorrono alla formazione del plafond",
     "Non imponibile - operazione che non concorre alla formazione del plafond"},
    {"N4", "Esenti", "Esente art. 10 DPR 633/72"},
    {"N5", "Regime del margine / IVA non esposta in fattura", "Regime del margine art. 36 DL 41/95"},
    {"N6.1", "Inversione contabile - cessione di rottami e altri materiali di recupero",
     "Inversione contabile art. 74, c. 7 e 8, DPR 633/72"},
    {"N6.2", "Inversione contabile - cessione di oro e argento", "Inversione contabile art. 17, c. 5, DPR 633/72"},
    {"N6.3", "Inversione contabile - subappalto nel settore edile",
     "Inversione contabile art. 17, c. 6, lett. a), DPR 633/72"},
    {"N6.4", "Inversione contabile - cessione di fabbricati", "Inversione contabile art. 17, c. 6, lett. a-bis), DPR 633/72"},
    {"N6.5", "Inversione contabile - cessione di telefoni cellulari",
     "Inversione contabile art. 17, c. 6, lett. b), DPR 633/72"},
    {"N6.6", "Inversione contabile - cessione di prodotti elettronici",
     "Inversione contabile art. 17, c. 6, lett. c), DPR 633/72"},
    {"N6.7", "Inversione contabile - prestazioni comparto edile e settori connessi",
     "Inversione contabile art. 17, c. 6, lett. a-ter), DPR 633/72"},
    {"N6.8", "Inversione contabile - operazioni settore energetico",
     "Inversione contabile art. 17, c. 6, lett. d-bis), d-ter) e d-quater), DPR 633/72"},
    {"N6.9", "Inversione contabile - altri casi", "Inversione contabile art. 17 DPR 633/72"},
    {"N7", "IVA assolta in altro Stato UE", "IVA assolta in altro Stato UE art. 74-sexies DPR 633/72"},
};

bool listed(const std::vector<Code>& codes, const QString& code)
{
    for (const Code& c : codes) {
        if (c.code == code)
            return true;
    }
    return false;
}

// ------------------------------------------------------------------- text

// The characters Windows-1252 adds to Latin-1, in the plain form the format takes.
struct Plain
{
    char16_t c;
    const char* text;
};
const Plain kBeyondLatin1[] = {
    {0x20AC, "EUR"}, {0x201A, "'"},  {0x0192, "f"},  {0x201E, "\""}, {0x2026, "..."}, {0x2020, "+"},   {0x2021, "++"},
    {0x02C6, "^"},   {0x2030, "o/oo"}, {0x0160, "S"}, {0x2039, "<"},  {0x0152, "OE"},  {0x017D, "Z"},   {0x2018, "'"},
    {0x2019, "'"},   {0x201C, "\""}, {0x201D, "\""}, {0x2022, "*"},  {0x2013, "-"},   {0x2014, "-"},   {0x02DC, "~"},
    {0x2122, "(TM)"}, {0x0161, "s"}, {0x203A, ">"},  {0x0153, "oe"}, {0x017E, "z"},   {0x0178, "Y"},
};

// Latin-1 from the no-break space on, for the fields that take Basic Latin
// only: letters without their accents, signs in their usual plain form.
const char* const kLatin1Plain[96] = {
    " ", "!", "c", "GBP", "?", "JPY", "|", "S", "\"", "(C)", "a", "\"", "-", "-", "(R)", "-",
    "o", "+/-", "2", "3", "'", "u", "P", ".", ",", "1", "o", "\"", "1/4", "1/2", "3/4", "?",
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y",
};

bool isLatin1Printable(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x100);
}

// A character beyond Latin-1: its Windows-1252 plain form, or what remains
// of it in Latin-1 once decomposed ("ﬁ" gives "fi"), or a question mark.
QString beyondLatin1(char16_t c)
{
    for (const Plain& p : kBeyondLatin1) {
        if (p.c == c)
            return QString::fromLatin1(p.text);
    }
    QString kept;
    for (QChar d : QString(QChar(c)).normalized(QString::NormalizationForm_KD)) {
        if (isLatin1Printable(d.unicode()))
            kept += d;
    }
    return kept.isEmpty() ? QStringLiteral("?") : kept;
}

QString basicLatin(const QString& text)
{
    QString out;
    for (QChar c : plainText(text))
        out += c.unicode() < 0x80 ? QString(c) : QString::fromLatin1(kLatin1Plain[c.unicode() - 0xA0]);
    return out;
}

// A text as the file takes it, before any cut.
QString cleaned(const QString& text)
{
    return trim(plainText(text));
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// ---------------------------------------------------------------- numbers

const qint64 kE8 = 100000000;
// Eleven digits before the point: the largest amounts the format writes.
const qint64 kMaxCents = 10000000000000;      // 10^13
const qint64 kMaxTenThousandths = kMaxCents * 100;

// A number as its decimal digits, read exactly from the plain form the
// fields keep ("12,50", "-3", ",5"). Any other form the amount reader takes
// (an exponent) goes through its value, to 8 decimals.
struct Decimal
{
    bool negative = false;
    QString whole;      // no leading zeros
    QString fraction;   // no trailing zeros
};

bool readDecimal(const QString& text, Decimal& d)
{
    static const QRegularExpression plain(QStringLiteral("^([+-]?)([0-9]*)(?:,([0-9]*))?$"));
    const QString t = trim(text);
    const QRegularExpressionMatch m = plain.match(t);
    if (m.hasMatch() && (!m.captured(2).isEmpty() || t.contains(QLatin1Char(',')))) {
        d.negative = m.captured(1) == QLatin1String("-");
        d.whole = m.captured(2);
        d.fraction = m.captured(3);
    } else {
        double value = 0;
        if (!ParseAmount(t, value))
            return false;
        const QStringList parts = QString::number(std::fabs(value), 'f', 8).split(QLatin1Char('.'));
        d.negative = value < 0;
        d.whole = parts.value(0);
        d.fraction = parts.value(1);
    }
    while (d.whole.startsWith(QLatin1Char('0')))
        d.whole.remove(0, 1);
    while (d.fraction.endsWith(QLatin1Char('0')))
        d.fraction.chop(1);
    if (d.whole.isEmpty() && d.fraction.isEmpty())
        d.negative = false;
    return true;
}

// The value in units of 10^-decimals, rounded half away from zero on its
// digits (never through a binary fraction: 2,675 gives 268 hundredths);
// false when it needs more than 18 digits.
bool toUnits(const Decimal& d, int decimals, qint64& units)
{
    QString digits = d.whole + d.fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 18)
        return false;
    const bool up = d.fraction.size() > decimals && d.fraction.at(decimals) >= QLatin1Char('5');
    units = digits.toLongLong() + (up ? 1 : 0);
    if (d.negative)
        units = -units;
    return true;
}

bool readUnits(const QString& text, int decimals, qint64& units)
{
    Decimal d;
    return readDecimal(text, d) && toUnits(d, decimals, units);
}

qint64 powerOfTen(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// a / b rounded half away from zero, b positive and even.
qint64 roundedDivision(qint64 a, qint64 b)
{
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

// Units of 10^-decimals written with the given point and at least `least`
// decimals: (123400, 4, 2, '.') gives "12.34", (123456, 4, 2, '.') "12.3456".
QString unitsText(qint64 units, int decimals, int least, QChar point)
{
    const qint64 scale = powerOfTen(decimals);
    const qint64 magnitude = units < 0 ? -units : units;
    QString fraction = QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
    while (fraction.size() > least && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString out = (units < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / scale);
    return fraction.isEmpty() ? out : out + point + fraction;
}

QString fileAmount(qint64 cents)
{
    return unitsText(cents, 2, 2, QLatin1Char('.'));
}

QString shownAmount(qint64 cents)
{
    return unitsText(cents, 2, 2, QLatin1Char(','));
}

// ------------------------------------------------------------- refusals

Refusal refuse(const QString& field, const QString& message)
{
    return Refusal{field, message};
}

// A party of the invoice as the receipt editor holds it.
struct Party
{
    QString R::*name;
    QString R::*address;
    QString R::*postcode;
    QString R::*town;
    QString R::*province;
    QString R::*taxCode;
    const char* nameControl;
    const char* suffix;   // of the editor's control names: "txtCap" + "Ven"
    const char* of;       // "della ditta emittente"
};
const Party kSeller{&R::Venditore, &R::IndirizzoVen, &R::CapVen, &R::CittaVen, &R::ProvVen, &R::CodFiscVen,
                    "txtVenditore", "Ven", "della ditta emittente"};
const Party kClient{&R::Cliente, &R::IndirizzoCli, &R::CapCli, &R::CittaCli, &R::ProvCli, &R::CodFiscCli,
                    "txtCliente", "Cli", "del cliente"};

QString control(const char* family, const Party& p)
{
    return QLatin1String(family) + QLatin1String(p.suffix);
}

// "Il campo «CAP» del cliente": how messages and notices name a field.
QString fieldOf(const char* label, const Party& p)
{
    return utf8("Il campo «%1» %2").arg(utf8(label), utf8(p.of));
}

QString lineControl(const char* family, int row)
{
    return QStringLiteral("%1%2").arg(QLatin1String(family)).arg(row + 1, 2, 10, QLatin1Char('0'));
}

QString lineField(const char* label, int row)
{
    return utf8("Il campo «%1» della riga %2").arg(utf8(label)).arg(row + 1);
}

bool matches(const char* pattern, const QString& text)
{
    // Each pattern compiled once: the checks run for every receipt of a month.
    static QHash<const char*, QRegularExpression> compiled;
    auto it = compiled.find(pattern);
    if (it == compiled.end())
        it = compiled.insert(pattern, QRegularExpression(QLatin1String(pattern)));
    return it->match(text).hasMatch();
}

// A tax code that passes its check: 16 letters and digits, or 11 digits as a company's.
bool validTaxCode(const QString& code)
{
    if (code.size() == 16)
        return matches("^[A-Z0-9]{16}$", code) && CheckCodiceFiscale(code);
    return code.size() == 11 && IsNumericCodiceFiscale(code) && CheckPartitaIva(code);
}

QString taxCodeOf(const R& r, const Party& p)
{
    return TextRules::upperAZ(trim(r.*p.taxCode));
}

// The seller's tax code goes in the file only when it is not the VAT number again.
bool sellerTaxCodeWritten(const R& r)
{
    const QString code = taxCodeOf(r, kSeller);
    return !code.isEmpty() && code != trim(r.IvaVen);
}

std::optional<Refusal> sellerIdRefusal(const R& r)
{
    if (!CheckPartitaIva(trim(r.IvaVen)))
        return refuse(QStringLiteral("txtIvaVen"), fieldOf("Partita IVA", kSeller)
                      + utf8(" non contiene una partita IVA valida: la fattura elettronica la richiede (11 cifre)."));
    if (sellerTaxCodeWritten(r) && !validTaxCode(taxCodeOf(r, kSeller)))
        return refuse(QStringLiteral("txtCodFiscVen"), fieldOf("Codice fiscale", kSeller)
                      + utf8(" non contiene un codice fiscale valido: correggerlo o lasciarlo vuoto."));
    return std::nullopt;
}

std::optional<Refusal> clientIdRefusal(const R& r)
{
    const QString vat = trim(r.IvaCli);
    const QString code = taxCodeOf(r, kClient);
    if (vat.isEmpty() && code.isEmpty())
        return refuse(QStringLiteral("txtCodFiscCli"),
                      utf8("Il cliente non ha né «Partita IVA» né «Codice fiscale»: la fattura elettronica ne richiede almeno uno."));
    if (!vat.isEmpty() && !CheckPartitaIva(vat))
        return refuse(QStringLiteral("txtIvaCli"), fieldOf("Partita IVA", kClient) + utf8(" non contiene una partita IVA valida."));
    if (!code.isEmpty() && !validTaxCode(code))
        return refuse(QStringLiteral("txtCodFiscCli"),
                      fieldOf("Codice fiscale", kClient) + utf8(" non contiene un codice fiscale valido."));
    return std::nullopt;
}

std::optional<Refusal> partyRefusal(const R& r, const Party& p)
{
    const QString required = utf8(" è vuoto: la fattura elettronica lo richiede.");
    if (cleaned(r.*p.name).isEmpty())
        return refuse(QLatin1String(p.nameControl), fieldOf("Cognome, nome o ragione sociale", p) + required);
    if (cleaned(r.*p.address).isEmpty())
        return refuse(control("txtIndirizzo", p), fieldOf("Indirizzo", p) + required);
    if (!matches("^[0-9]{5}$", trim(r.*p.postcode)))
        return refuse(control("txtCap", p), fieldOf("CAP", p) + utf8(" deve contenere 5 cifre."));
    if (cleaned(r.*p.town).isEmpty())
        return refuse(control("txtCitta", p), fieldOf("Città", p) + required);
    if (!matches("^[A-Z]{2}$", TextRules::upperAZ(trim(r.*p.province))))
        return refuse(control("txtProv", p), fieldOf("Prov.", p) + utf8(" deve contenere la sigla di 2 lettere della provincia."));
    return std::nullopt;
}

bool hasLine(const R& r, int i)
{
    return !trim(r.Quant[i]).isEmpty() || !trim(r.PrezzoUni[i]).isEmpty();
}

QDate dateOf(const R& r)
{
    return ReceiptArchive::isSavableDate(r.Data) ? QDate::fromString(trim(r.Data), QStringLiteral("dd/MM/yyyy")) : QDate();
}

std::optional<Refusal> documentRefusal(const R& r)
{
    if (cleaned(r.NumRic).isEmpty())
        return refuse(QStringLiteral("txtNumRic"), utf8("Il numero della ricevuta è vuoto: la fattura elettronica lo richiede."));
    const QDate date = dateOf(r);
    if (!date.isValid())
        return refuse(QStringLiteral("txtData"), utf8("Il campo «Data» non contiene una data valida (gg/mm/aaaa)."));
    if (date.year() < 1970)
        return refuse(QStringLiteral("txtData"), utf8("Il campo «Data» è anteriore al 1970: la fattura elettronica non la ammette."));
    for (int i = 0; i < 20; ++i) {
        if (hasLine(r, i))
            return std::nullopt;
    }
    return refuse(QStringLiteral("txtQuant01"),
                  utf8("La ricevuta non ha righe con «Quant.» o «Prezzo unit.»: la fattura elettronica ne richiede almeno una."));
}

// The PEC address as the schema takes it: dot-separated atoms on both sides
// of the @ (or a bracketed literal after it), and the looser form the
// exchange system checks addresses with.
bool validPec(const QString& pec)
{
    static const QRegularExpression form(
        QStringLiteral("^[!#-'*+/-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)*@"
                       "([!#-'*+/-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)*|\\[[\\t -Z^-~]*\\])$"));
    return pec.size() >= 7 && pec.size() <= 256 && matches("^.+@.+[.]+.+$", pec) && form.match(pec).hasMatch();
}

std::optional<Refusal> recipientRefusal(const Options& o)
{
    const QString code = trim(o.recipientCode);
    if (!matches("^[A-Z0-9]{7}$", code))
        return refuse(QStringLiteral("txtCodiceDestinatario"),
                      utf8("Il codice destinatario deve essere di 7 caratteri, solo lettere maiuscole e cifre "
                           "(0000000 per chi riceve via PEC o non ha un codice)."));
    const QString pec = trim(o.pec);
    if (pec.isEmpty())
        return std::nullopt;
    if (!validPec(pec))
        return refuse(QStringLiteral("txtPEC"), utf8("L'indirizzo PEC del destinatario non è un indirizzo valido."));
    // The exchange system refuses a PEC address beside a recipient's code.
    if (code != QLatin1String("0000000"))
        return refuse(QStringLiteral("txtPEC"),
                      utf8("L'indirizzo PEC del destinatario si indica solo con il codice destinatario 0000000."));
    return std::nullopt;
}

// The VAT rate in hundredths of a per cent.
std::optional<Refusal> rateOf(const R& r, qint64& rate)
{
    rate = 0;
    qint64 exact = 0;
    if (trim(r.PercIva).isEmpty())
        return std::nullopt;
    if (!readUnits(r.PercIva, 8, exact) || exact < 0 || exact > 100 * kE8)
        return refuse(QStringLiteral("txtPercIva"), utf8("Il campo «IVA» non contiene un'aliquota valida (da 0 a 100)."));
    if (exact % 1000000 != 0)
        return refuse(QStringLiteral("txtPercIva"),
                      utf8("Il campo «IVA» ha più di 2 decimali: la fattura elettronica ne ammette al massimo 2."));
    rate = exact / 1000000;
    return std::nullopt;
}

// ----------------------------------------------------------------- lines

} // namespace

// A line of the invoice, from a receipt line with its totals computed as
// the editor computes them.
struct Line
{
    int row = 0;                // index in the receipt
    qint64 quantity = 0;        // 10^-8, never negative
    qint64 price = 0;           // 10^-8, with the sign of a negative quantity
    qint64 discount = 0;        // the percentage as written, 10^-2
    qint64 exactDiscount = 0;   // the percentage of the receipt, 10^-8
    qint64 total = 0;           // the line total of the receipt, 10^-4
    QString perUnit;            // the per-unit amount, when the percentage alone misses
};

namespace {

// The per-unit discount written beside the percentage when the percentage,
// rounded to the 2 decimals the format keeps, would put quantity x price
// off the line total by half a cent or more. The exchange system reckons a
// line with the amount when one is given (a percentage that agreed beside an
// amount that did not has been refused); half a cent is left for its own
// rounding of the product.
QString perUnitDiscount(const Line& l)
{
    const long double q = l.quantity / 1e8L;
    const long double p = l.price / 1e8L;
    const long double t = l.total / 1e4L;
    const long double byPercentage = q * p * (1.0L - l.discount / 10000.0L);
    if (std::fabs(byPercentage - t) < 0.005L || q == 0)
        return QString();
    return unitsText(std::llround((p - t / q) * 1e8L), 8, 2, QLatin1Char('.'));
}

std::optional<Refusal> readLine(const R& computed, int i, Line& l)
{
    l.row = i;
    Decimal discount;
    if (!readUnits(computed.Quant[i], 8, l.quantity))
        return refuse(lineControl("txtQuant", i), lineField("Quant.", i) + utf8(" non contiene un numero valido."));
    if (!readUnits(computed.PrezzoUni[i], 8, l.price))
        return refuse(lineControl("txtPrezzoUni", i), lineField("Prezzo unit.", i) + utf8(" non contiene un importo valido."));
    if (!trim(computed.Sconto[i]).isEmpty()
        && (!readDecimal(computed.Sconto[i], discount) || !toUnits(discount, 8, l.exactDiscount)))
        return refuse(lineControl("txtSconto", i), lineField("Sconto %", i) + utf8(" non contiene un numero valido."));
    if (l.exactDiscount > 100 * kE8 || l.exactDiscount < 0)
        return refuse(lineControl("txtSconto", i), lineField("Sconto %", i) + utf8(" deve essere tra 0 e 100."));
    toUnits(discount, 2, l.discount);
    if (!readUnits(computed.PrezzoTot[i], 4, l.total) || l.total >= kMaxTenThousandths || l.total <= -kMaxTenThousandths)
        return refuse(lineControl("txtPrezzoTot", i),
                      lineField("Prezzo tot.", i) + utf8(" supera le 11 cifre intere che la fattura elettronica ammette."));
    // The format has no negative quantity: a line given back keeps its
    // quantity and takes the sign on its price.
    if (l.quantity < 0) {
        l.quantity = -l.quantity;
        l.price = -l.price;
    }
    l.perUnit = perUnitDiscount(l);
    return std::nullopt;
}

} // namespace

// The lines and amounts of the invoice.
struct Figures
{
    std::vector<Line> lines;
    qint64 rate = 0;      // 10^-2 per cent
    qint64 taxable = 0;   // cents
    qint64 tax = 0;
    qint64 total = 0;
};

namespace {

std::optional<Refusal> figuresOf(const R& receipt, Figures& f)
{
    if (auto refusal = rateOf(receipt, f.rate))
        return refusal;
    R computed = receipt;
    ComputeTotals(computed);
    qint64 sum = 0;   // 10^-4
    for (int i = 0; i < 20; ++i) {
        if (!hasLine(receipt, i))
            continue;
        Line l;
        if (auto refusal = readLine(computed, i, l))
            return refusal;
        sum += l.total;
        f.lines.push_back(l);
    }
    f.taxable = roundedDivision(sum, 100);
    f.tax = roundedDivision(f.taxable * f.rate, 10000);
    f.total = f.taxable + f.tax;
    if (std::llabs(f.taxable) >= kMaxCents || std::llabs(f.total) >= kMaxCents)
        return refuse(QStringLiteral("txtTotale"),
                      utf8("Il «TOTALE» della fattura supera le 11 cifre intere che la fattura elettronica ammette."));
    return std::nullopt;
}

QString ibanText(const QString& text)
{
    return TextRules::upperAZ(text).remove(QLatin1Char(' '));
}

bool fitsIban(const QString& code)
{
    if (!matches("^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$", code))
        return false;
    // Italy and San Marino: always 27 characters.
    return !(code.startsWith(QLatin1String("IT")) || code.startsWith(QLatin1String("SM"))) || code.size() == 27;
}

std::optional<Refusal> choicesRefusal(const Options& o)
{
    if (!listed(taxRegimes(), o.taxRegime))
        return refuse(QStringLiteral("cboRegimeFiscale"),
                      utf8("Il regime fiscale «%1» non è tra quelli della fattura elettronica.").arg(o.taxRegime));
    if (!listed(paymentMethods(), trim(o.paymentMethod)))
        return refuse(QStringLiteral("cboModalitaPagamento"),
                      utf8("La modalità di pagamento «%1» non è tra quelle proposte.").arg(o.paymentMethod));
    const QString iban = ibanText(o.iban);
    if (!iban.isEmpty() && !(fitsIban(iban) && CheckIban(iban)))
        return refuse(QStringLiteral("txtIBAN"), utf8("L'IBAN «%1» non è valido.").arg(o.iban));
    return std::nullopt;
}

std::optional<Refusal> natureRefusal(const Options& o, bool zeroRate)
{
    if (zeroRate && !listed(natures(), trim(o.nature)))
        return refuse(QStringLiteral("cboNatura"),
                      utf8("Con il campo «IVA» a 0 occorre indicare la natura dell'operazione (esente, non imponibile...)."));
    return std::nullopt;
}

// ------------------------------------------------------------------ file

// The file as written: one element a line, indented by two blanks a level,
// for the accountant who opens it.
class Xml
{
public:
    Xml()
    {
        m_text.reserve(8192);
        m_text += QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    }
    void open(const QString& tag, const QString& attributes = QString())
    {
        indent();
        m_text += QLatin1Char('<');
        m_text += tag;
        m_text += attributes;
        m_text += QLatin1String(">\n");
        m_open << tag;
    }
    void close()
    {
        const QString tag = m_open.takeLast();
        indent();
        m_text += QLatin1String("</");
        m_text += tag;
        m_text += QLatin1String(">\n");
    }
    void leaf(const char* tag, const QString& text)
    {
        indent();
        const QLatin1String name(tag);
        m_text += QLatin1Char('<');
        m_text += name;
        m_text += QLatin1Char('>');
        appendEscaped(text);
        m_text += QLatin1String("</");
        m_text += name;
        m_text += QLatin1String(">\n");
    }
    QByteArray bytes() const { return m_text.toUtf8(); }

private:
    void indent()
    {
        static const QString blanks(64, QLatin1Char(' '));
        m_text += QStringView(blanks).left(2 * m_open.size());
    }
    void appendEscaped(const QString& text)
    {
        for (QChar c : text) {
            switch (c.unicode()) {
            case '&': m_text += QLatin1String("&amp;"); break;
            case '<': m_text += QLatin1String("&lt;"); break;
            case '>': m_text += QLatin1String("&gt;"); break;
            case '"': m_text += QLatin1String("&quot;"); break;
            case '\'': m_text += QLatin1String("&apos;"); break;
            default: m_text += c;
            }
        }
    }
    QString m_text;
    QStringList m_open;
};

class Composer
{
public:
    Composer(const R& receipt, const Options& options, const Figures& figures)
        : r(receipt), o(options), f(figures), zero(figures.rate == 0)
    {
    }
    Document run(const QString& progressive);

private:
    QString fit(const QString& text, int max, const QString& field);
    QString latin(const QString& text, int max, const QString& field) { return fit(cleaned(text), max, field); }
    QString basic(const QString& text, int max, const QString& field);
    void transmission(const QString& progressive);
    void fiscalId(const QString& vat);
    void names(const Party& p);
    void seat(const Party& p);
    void seller();
    void client();
    void general();
    void line(const Line& l, int number);
    void discount(const Line& l);
    void summary();
    void payment();
    void totalNotice();

    const R& r;
    const Options& o;
    const Figures& f;
    bool zero = false;
    Xml x;
    QStringList notices;
};

QString Composer::fit(const QString& text, int max, const QString& field)
{
    if (text.size() <= max)
        return text;
    const QString cut = trim(text.left(max));
    notices << utf8("%1 supera la lunghezza che la fattura elettronica ammette (%2 caratteri): nella fattura è "
                    "tagliato a «%3».")
                   .arg(field, QString::number(max), cut);
    return cut;
}

QString Composer::basic(const QString& text, int max, const QString& field)
{
    const QString plain = trim(basicLatin(text));
    if (plain != trim(text))
        notices << utf8("%1 contiene caratteri che la fattura elettronica non ammette: nella fattura è scritto «%2».")
                       .arg(field, plain);
    return fit(plain, max, field);
}

void Composer::transmission(const QString& progressive)
{
    x.open(QStringLiteral("DatiTrasmissione"));
    x.open(QStringLiteral("IdTrasmittente"));
    x.leaf("IdPaese", QStringLiteral("IT"));
    x.leaf("IdCodice", trim(r.IvaVen));
    x.close();
    x.leaf("ProgressivoInvio", trim(basicLatin(progressive)));
    x.leaf("FormatoTrasmissione", QStringLiteral("FPR12"));
    x.leaf("CodiceDestinatario", trim(o.recipientCode));
    if (!trim(o.pec).isEmpty())
        x.leaf("PECDestinatario", trim(o.pec));
    x.close();
}

void Composer::fiscalId(const QString& vat)
{
    x.open(QStringLiteral("IdFiscaleIVA"));
    x.leaf("IdPaese", QStringLiteral("IT"));
    x.leaf("IdCodice", vat);
    x.close();
}

void Composer::names(const Party& p)
{
    x.open(QStringLiteral("Anagrafica"));
    x.leaf("Denominazione", latin(r.*p.name, 80, fieldOf("Cognome, nome o ragione sociale", p)));
    x.close();
}

void Composer::seat(const Party& p)
{
    x.open(QStringLiteral("Sede"));
    x.leaf("Indirizzo", latin(r.*p.address, 60, fieldOf("Indirizzo", p)));
    x.leaf("CAP", trim(r.*p.postcode));
    x.leaf("Comune", latin(r.*p.town, 60, fieldOf("Città", p)));
    x.leaf("Provincia", TextRules::upperAZ(trim(r.*p.province)));
    x.leaf("Nazione", QStringLiteral("IT"));
    x.close();
}

void Composer::seller()
{
    x.open(QStringLiteral("CedentePrestatore"));
    x.open(QStringLiteral("DatiAnagrafici"));
    fiscalId(trim(r.IvaVen));
    if (sellerTaxCodeWritten(r))
        x.leaf("CodiceFiscale", taxCodeOf(r, kSeller));
    names(kSeller);
    x.leaf("RegimeFiscale", o.taxRegime);
    x.close();
    seat(kSeller);
    x.close();
}

void Composer::client()
{
    x.open(QStringLiteral("CessionarioCommittente"));
    x.open(QStringLiteral("DatiAnagrafici"));
    if (!trim(r.IvaCli).isEmpty())
        fiscalId(trim(r.IvaCli));
    if (!taxCodeOf(r, kClient).isEmpty())
        x.leaf("CodiceFiscale", taxCodeOf(r, kClient));
    names(kClient);
    x.close();
    seat(kClient);
    x.close();
}

void Composer::general()
{
    x.open(QStringLiteral("DatiGenerali"));
    x.open(QStringLiteral("DatiGeneraliDocumento"));
    x.leaf("TipoDocumento", QStringLiteral("TD01"));
    x.leaf("Divisa", QStringLiteral("EUR"));
    x.leaf("Data", dateOf(r).toString(QStringLiteral("yyyy-MM-dd")));
    x.leaf("Numero", basic(r.NumRic, 20, utf8("Il numero della ricevuta")));
    if (o.stampDuty) {
        x.open(QStringLiteral("DatiBollo"));
        x.leaf("BolloVirtuale", QStringLiteral("SI"));
        x.leaf("ImportoBollo", QStringLiteral("2.00"));
        x.close();
    }
    x.leaf("ImportoTotaleDocumento", fileAmount(f.total));
    x.close();
    x.close();
}

void Composer::discount(const Line& l)
{
    x.open(QStringLiteral("ScontoMaggiorazione"));
    x.leaf("Tipo", QStringLiteral("SC"));
    x.leaf("Percentuale", unitsText(l.discount, 2, 2, QLatin1Char('.')));
    if (!l.perUnit.isEmpty())
        x.leaf("Importo", l.perUnit);
    x.close();
}

// The description is the receipt's; without one the code stands for it, and
// without either a plain "Articolo", since the format wants a text.
void Composer::line(const Line& l, int number)
{
    x.open(QStringLiteral("DettaglioLinee"));
    x.leaf("NumeroLinea", QString::number(number));
    const QString code = latin(r.Cod[l.row], 35, lineField("Codice", l.row));
    if (!code.isEmpty()) {
        x.open(QStringLiteral("CodiceArticolo"));
        x.leaf("CodiceTipo", QStringLiteral("INTERNO"));
        x.leaf("CodiceValore", code);
        x.close();
    }
    QString description = latin(r.Desc[l.row], 1000, lineField("Descrizione", l.row));
    if (description.isEmpty())
        description = code.isEmpty() ? QStringLiteral("Articolo") : cleaned(r.Cod[l.row]);
    x.leaf("Descrizione", description);
    x.leaf("Quantita", unitsText(l.quantity, 8, 2, QLatin1Char('.')));
    x.leaf("PrezzoUnitario", unitsText(l.price, 8, 2, QLatin1Char('.')));
    if (l.exactDiscount != 0)
        discount(l);
    x.leaf("PrezzoTotale", unitsText(l.total, 4, 2, QLatin1Char('.')));
    x.leaf("AliquotaIVA", fileAmount(f.rate));
    if (zero)
        x.leaf("Natura", trim(o.nature));
    x.close();
}

void Composer::summary()
{
    x.open(QStringLiteral("DatiRiepilogo"));
    x.leaf("AliquotaIVA", fileAmount(f.rate));
    if (zero)
        x.leaf("Natura", trim(o.nature));
    x.leaf("ImponibileImporto", fileAmount(f.taxable));
    x.leaf("Imposta", fileAmount(f.tax));
    x.leaf("EsigibilitaIVA", QStringLiteral("I"));
    if (zero)
        x.leaf("RiferimentoNormativo", legalReference(trim(o.nature)));
    x.close();
}

void Composer::payment()
{
    if (trim(o.paymentMethod).isEmpty())
        return;
    x.open(QStringLiteral("DatiPagamento"));
    x.leaf("CondizioniPagamento", QStringLiteral("TP02"));
    x.open(QStringLiteral("DettaglioPagamento"));
    x.leaf("ModalitaPagamento", trim(o.paymentMethod));
    x.leaf("ImportoPagamento", fileAmount(f.total));
    if (!ibanText(o.iban).isEmpty())
        x.leaf("IBAN", ibanText(o.iban));
    x.close();
    x.close();
}

// The receipt was summed on unrounded amounts, the invoice on the line
// totals to the cent: the two may part by a cent, and the user is told.
void Composer::totalNotice()
{
    qint64 receiptTotal = 0;
    readUnits(r.Totale, 2, receiptTotal);
    if (receiptTotal == f.total)
        return;
    const qint64 gap = std::llabs(receiptTotal - f.total);
    const QString by = gap == 1 ? utf8("di un centesimo")
                       : gap < 100 ? utf8("di %1 centesimi").arg(gap)
                                   : utf8("di %1 €").arg(shownAmount(gap));
    notices << utf8("Il totale della fattura (%1 €) differisce %2 da quello della ricevuta (%3 €): la fattura somma "
                    "i prezzi totali delle righe arrotondati al centesimo e vi calcola l'IVA, come vuole il formato. "
                    "La ricevuta resta com'è.")
                   .arg(shownAmount(f.total), by, shownAmount(receiptTotal));
}

Document Composer::run(const QString& progressive)
{
    x.open(QStringLiteral("p:FatturaElettronica"),
           QStringLiteral(" xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" versione=\"FPR12\""));
    x.open(QStringLiteral("FatturaElettronicaHeader"));
    transmission(progressive);
    seller();
    client();
    x.close();
    x.open(QStringLiteral("FatturaElettronicaBody"));
    general();
    x.open(QStringLiteral("DatiBeniServizi"));
    for (std::size_t k = 0; k < f.lines.size(); ++k)
        line(f.lines[k], int(k) + 1);
    summary();
    x.close();
    payment();
    x.close();
    x.close();
    totalNotice();
    return Document{x.bytes(), Amounts{fileAmount(f.taxable), fileAmount(f.tax), fileAmount(f.total)}, notices};
}

} // namespace

const std::vector<Code>& taxRegimes()
{
    static const std::vector<Code> codes = {
        {"RF01", "Ordinario"},
        {"RF02", "Contribuenti minimi"},
        {"RF04", "Agricoltura e attività connesse e pesca"},
        {"RF05", "Vendita sali e tabacchi"},
        {"RF06", "Commercio dei fiammiferi"},
        {"RF07", "Editoria"},
        {"RF08", "Gestione di servizi di telefonia pubblica"},
        {"RF09", "Rivendita di documenti di trasporto pubblico e di sosta"},
        {"RF10", "Intrattenimenti, giochi e altre attività (DPR 640/72)"},
        {"RF11", "Agenzie di viaggi e turismo"},
        {"RF12", "Agriturismo"},
        {"RF13", "Vendite a domicilio"},
        {"RF14", "Rivendita di beni usati, oggetti d'arte, d'antiquariato o da collezione"},
        {"RF15", "Agenzie di vendite all'asta di oggetti d'arte, antiquariato o da collezione"},
        {"RF16", "IVA per cassa P.A."},
        {"RF17", "IVA per cassa"},
        {"RF18", "Altro"},
        {"RF19", "Forfettario"},
    };
    return codes;
}

const std::vector<Code>& natures()
{
    static const std::vector<Code> codes = [] {
        std::vector<Code> made;
        for (const Nature& n : kNatures)
            made.push_back({QLatin1String(n.code), utf8(n.label)});
        return made;
    }();
    return codes;
}

const std::vector<Code>& paymentMethods()
{
    static const std::vector<Code> codes = {
        {"", "Nessuna"}, {"MP01", "Contanti"}, {"MP02", "Assegno"}, {"MP05", "Bonifico"}, {"MP08", "Carta di pagamento"},
    };
    return codes;
}

QString legalReference(const QString& nature)
{
    for (const Nature& n : kNatures) {
        if (nature == QLatin1String(n.code))
            return utf8(n.reference);
    }
    return QString();
}

bool zeroRate(const TRecRicevuta& receipt)
{
    qint64 rate = 0;
    return trim(receipt.PercIva).isEmpty() || (readUnits(receipt.PercIva, 8, rate) && rate == 0);
}

// The first word of the terms that names a method; "pos" counts only as a
// word of its own ("posta" is no card).
QString proposedPaymentMethod(const QString& paymentTerms)
{
    static const struct
    {
        const char* word;
        const char* code;
    } kWords[] = {{"contanti", "MP01"}, {"contante", "MP01"}, {"cash", "MP01"},     {"assegno", "MP02"},
                  {"assegni", "MP02"},  {"bonifico", "MP05"}, {"bonifici", "MP05"}, {"carta", "MP08"},
                  {"carte", "MP08"},    {"bancomat", "MP08"}, {"pos", "MP08"}};
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}]+"));
    for (const QString& word : paymentTerms.toLower().split(separators, Qt::SkipEmptyParts)) {
        for (const auto& w : kWords) {
            if (word == QLatin1String(w.word))
                return QLatin1String(w.code);
        }
    }
    return QString();
}

namespace {

bool isAZ(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Two letters and two digits: "IBANIT60..." holds a code from its fifth character.
bool startsIban(const QString& text, int i)
{
    return i + 4 <= text.size() && isAZ(text.at(i)) && isAZ(text.at(i + 1)) && isDigit(text.at(i + 2))
           && isDigit(text.at(i + 3));
}

// The code from start on, its groups joined: tried at the end of each group,
// longest first, so that words after the code stay out of it.
QString ibanFrom(const QString& text, int start)
{
    QString joined;
    QList<int> ends;
    for (int i = start; i < text.size() && joined.size() <= 34; ++i) {
        const QChar c = text.at(i);
        if (isAZ(c) || isDigit(c))
            joined += c;
        else if (c != QLatin1Char(' '))
            break;
        else if (ends.isEmpty() || ends.last() != joined.size())
            ends << int(joined.size());
    }
    ends << int(joined.size());
    for (int k = int(ends.size()) - 1; k >= 0; --k) {
        const QString candidate = joined.left(ends.at(k));
        if (fitsIban(candidate) && CheckIban(candidate))
            return candidate;
    }
    return QString();
}

} // namespace

QString ibanIn(const QString& bankText)
{
    const QString text = TextRules::upperAZ(bankText);
    for (int i = 0; i < text.size(); ++i) {
        if (!startsIban(text, i))
            continue;
        const QString found = ibanFrom(text, i);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool stampDutyProposed(const TRecRicevuta& receipt)
{
    qint64 total = 0;
    return zeroRate(receipt) && readUnits(receipt.Totale, 8, total) && total > 7747 * (kE8 / 100);
}

namespace {

// The checks of check(), with the figures they work out kept for compose.
std::optional<Refusal> checkInto(const TRecRicevuta& receipt, const Options& options, Figures& figures)
{
    if (auto refusal = sellerIdRefusal(receipt))
        return refusal;
    if (auto refusal = clientIdRefusal(receipt))
        return refusal;
    if (auto refusal = partyRefusal(receipt, kSeller))
        return refusal;
    if (auto refusal = partyRefusal(receipt, kClient))
        return refusal;
    if (auto refusal = documentRefusal(receipt))
        return refusal;
    if (auto refusal = recipientRefusal(options))
        return refusal;
    qint64 rate = 0;
    if (auto refusal = rateOf(receipt, rate))
        return refusal;
    if (auto refusal = natureRefusal(options, rate == 0))
        return refusal;
    if (auto refusal = figuresOf(receipt, figures))
        return refusal;
    return choicesRefusal(options);
}

} // namespace

std::optional<Refusal> check(const TRecRicevuta& receipt, const Options& options)
{
    Figures figures;
    return checkInto(receipt, options, figures);
}

Prepared::Prepared(const TRecRicevuta& receipt, const Options& options)
    : m_receipt(&receipt), m_options(options), m_figures(std::make_shared<Figures>())
{
    m_refusal = checkInto(receipt, options, *m_figures);
}

Document Prepared::compose(const QString& progressive) const
{
    return Composer(*m_receipt, m_options, *m_figures).run(progressive);
}

std::optional<Refusal> checkOptions(const Options& options, bool zeroRate)
{
    if (auto refusal = recipientRefusal(options))
        return refusal;
    if (auto refusal = natureRefusal(options, zeroRate))
        return refusal;
    return choicesRefusal(options);
}

Document compose(const TRecRicevuta& receipt, const Options& options, const QString& progressive)
{
    Figures figures;
    figuresOf(receipt, figures);
    return Composer(receipt, options, figures).run(progressive);
}

QString plainText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            out += QLatin1Char(' ');
        } else if (c < 0x100) {
            out += QChar(c);
        } else if (QChar::isSurrogate(c)) {
            // A character outside the basic plane: one question mark for the pair.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            out += QLatin1Char('?');
        } else {
            out += beyondLatin1(c);
        }
    }
    return out;
}

} // namespace EInvoice
