#include "einvoice/EInvoice.h"

#include "checkers/CodiceFiscale.h"
#include "checkers/Iban.h"
#include "checkers/PartitaIva.h"
#include "receipts/ReceiptTotals.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

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

bool isBasicLatinPrintable(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7F;
}

QString basicLatin(const QString& text)
{
    if (std::all_of(text.begin(), text.end(), isBasicLatinPrintable))
        return text;
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
// (an exponent) goes through its value, to 8 decimals. The digits are views
// of the text read, or of `kept` for a value: the text must outlive them.
struct Decimal
{
    Decimal() = default;
    Decimal(const Decimal&) = delete;
    Decimal& operator=(const Decimal&) = delete;

    bool negative = false;
    QStringView whole;      // no leading zeros
    QStringView fraction;   // no trailing zeros
    QString kept;
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The text without what TextRules::trim cuts from its ends (blanks and
// control characters), as a view: every amount of a month is read without
// a copy of its text.
QStringView trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return QStringView(text).sliced(begin, end - begin);
}

bool blank(const QString& text)
{
    return trimmed(text).isEmpty();
}

qsizetype digitsFrom(QStringView t, qsizetype i)
{
    while (i < t.size() && isDigit(t[i]))
        ++i;
    return i;
}

// The plain form: an optional sign, digits, and a comma with digits after
// it, a digit or the comma at least.
bool readPlain(QStringView t, Decimal& d)
{
    const bool hasSign = !t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'));
    const qsizetype i = hasSign ? 1 : 0;
    const qsizetype wholeEnd = digitsFrom(t, i);
    d.whole = t.sliced(i, wholeEnd - i);
    const bool comma = wholeEnd < t.size() && t[wholeEnd] == QLatin1Char(',');
    const qsizetype end = comma ? digitsFrom(t, wholeEnd + 1) : wholeEnd;
    d.fraction = comma ? t.sliced(wholeEnd + 1, end - wholeEnd - 1) : QStringView();
    d.negative = hasSign && t[0] == QLatin1Char('-');
    return end == t.size() && (!d.whole.isEmpty() || comma);
}

// Any other form the amount reader takes, through its value to 8 decimals.
bool readValue(QStringView t, Decimal& d)
{
    double value = 0;
    if (!ParseAmount(t.toString(), value))
        return false;
    d.kept = QString::number(std::fabs(value), 'f', 8);
    const qsizetype point = d.kept.indexOf(QLatin1Char('.'));
    d.whole = QStringView(d.kept).first(point);
    d.fraction = QStringView(d.kept).sliced(point + 1);
    d.negative = value < 0;
    return true;
}

bool readDecimal(const QString& text, Decimal& d)
{
    const QStringView t = trimmed(text);
    if (!readPlain(t, d) && !readValue(t, d))
        return false;
    while (d.whole.startsWith(QLatin1Char('0')))
        d.whole = d.whole.sliced(1);
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
    qint64 value = 0;
    int significant = 0;
    const auto add = [&](int digit) {
        if (significant > 0 || digit != 0)
            ++significant;
        value = value * 10 + digit;
        return significant <= 18;
    };
    for (QChar c : d.whole) {
        if (!add(c.unicode() - '0'))
            return false;
    }
    for (int k = 0; k < decimals; ++k) {
        if (!add(k < d.fraction.size() ? d.fraction[k].unicode() - '0' : 0))
            return false;
    }
    const bool up = d.fraction.size() > decimals && d.fraction[decimals] >= QLatin1Char('5');
    units = value + (up ? 1 : 0);
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

// A number as the file writes it, made in place: a month writes tens of
// thousands of them.
struct Number
{
    char text[48];
    int size = 0;
    void put(char c) { text[size++] = c; }
    void putWhole(qint64 n)
    {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = char('0' + n % 10);
            n /= 10;
        } while (n > 0);
        while (count > 0)
            put(digits[--count]);
    }
    QLatin1String view() const { return QLatin1String(text, size); }
};

// A count, never negative.
Number wholeNumber(qint64 n)
{
    Number number;
    number.putWhole(n);
    return number;
}

// Units of 10^-decimals (2 to 8) written with the given point and at least
// `least` decimals: (123400, 4, 2, '.') gives "12.34", (123456, 4, 2, '.')
// "12.3456".
Number unitsNumber(qint64 units, int decimals, int least, char point)
{
    const qint64 scale = powerOfTen(decimals);
    const qint64 magnitude = units < 0 ? -units : units;
    char fraction[18];
    qint64 rest = magnitude % scale;
    for (int k = decimals - 1; k >= 0; --k, rest /= 10)
        fraction[k] = char('0' + rest % 10);
    int kept = decimals;
    while (kept > least && fraction[kept - 1] == '0')
        --kept;
    Number n;
    if (units < 0)
        n.put('-');
    n.putWhole(magnitude / scale);
    if (kept > 0)
        n.put(point);
    for (int k = 0; k < kept; ++k)
        n.put(fraction[k]);
    return n;
}

QString unitsText(qint64 units, int decimals, int least, char point)
{
    return unitsNumber(units, decimals, least, point).view();
}

Number fileNumber(qint64 cents)
{
    return unitsNumber(cents, 2, 2, '.');
}

QString fileAmount(qint64 cents)
{
    return unitsText(cents, 2, 2, '.');
}

QString shownAmount(qint64 cents)
{
    return unitsText(cents, 2, 2, ',');
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

bool isAZ(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool isAZOrDigit(QChar c)
{
    return isAZ(c) || isDigit(c);
}

// The text is `size` characters of a class: what the patterns ^[0-9]{5}$,
// ^[A-Z]{2}$ and the like ask of a trimmed text, tested a character at a
// time rather than by a regular expression run for every receipt of a month.
bool formedOf(QStringView text, qsizetype size, bool (*in)(QChar))
{
    return text.size() == size && std::all_of(text.begin(), text.end(), in);
}

// A tax code that passes its check: 16 letters and digits, or 11 digits as a company's.
bool validTaxCode(const QString& code)
{
    if (code.size() == 16)
        return formedOf(code, 16, isAZOrDigit) && CheckCodiceFiscale(code);
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
    const auto required = [] { return utf8(" è vuoto: la fattura elettronica lo richiede."); };
    if (cleaned(r.*p.name).isEmpty())
        return refuse(QLatin1String(p.nameControl), fieldOf("Cognome, nome o ragione sociale", p) + required());
    if (cleaned(r.*p.address).isEmpty())
        return refuse(control("txtIndirizzo", p), fieldOf("Indirizzo", p) + required());
    if (!formedOf(trimmed(r.*p.postcode), 5, isDigit))
        return refuse(control("txtCap", p), fieldOf("CAP", p) + utf8(" deve contenere 5 cifre."));
    if (cleaned(r.*p.town).isEmpty())
        return refuse(control("txtCitta", p), fieldOf("Città", p) + required());
    if (!formedOf(TextRules::upperAZ(trim(r.*p.province)), 2, isAZ))
        return refuse(control("txtProv", p), fieldOf("Prov.", p) + utf8(" deve contenere la sigla di 2 lettere della provincia."));
    return std::nullopt;
}

bool hasLine(const R& r, int i)
{
    return !blank(r.Quant[i]) || !blank(r.PrezzoUni[i]);
}

// The receipt's date in the form the archive saves (dd/mm/yyyy, a real
// day), read a digit at a time rather than by a pattern and the date parser,
// twice for every receipt of a month. Invalid in any other form.
QDate dateOf(const R& r)
{
    const QStringView t = trimmed(r.Data);
    const char form[] = "00/00/0000";
    if (t.size() != qsizetype(sizeof form - 1))
        return QDate();
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (form[i] == '/' ? t[i] != QLatin1Char('/') : !isDigit(t[i]))
            return QDate();
    }
    const auto number = [t](qsizetype from, qsizetype size) {
        int n = 0;
        for (QChar c : t.sliced(from, size))
            n = n * 10 + (c.unicode() - '0');
        return n;
    };
    return QDate(number(6, 4), number(3, 2), number(0, 2));
}

// The date as the file writes it, yyyy-mm-dd (a year from 1970 on).
Number fileDate(const QDate& date)
{
    Number n;
    const auto put = [&n](int value, int digits) {
        for (int scale = int(powerOfTen(digits - 1)); scale > 0; scale /= 10)
            n.put(char('0' + value / scale % 10));
    };
    put(date.year(), 4);
    n.put('-');
    put(date.month(), 2);
    n.put('-');
    put(date.day(), 2);
    return n;
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
    static const QRegularExpression loose(QStringLiteral("^.+@.+[.]+.+$"));
    return pec.size() >= 7 && pec.size() <= 256 && loose.match(pec).hasMatch() && form.match(pec).hasMatch();
}

std::optional<Refusal> recipientRefusal(const Options& o)
{
    const QString code = trim(o.recipientCode);
    if (!formedOf(code, 7, isAZOrDigit))
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
    return unitsText(std::llround((p - t / q) * 1e8L), 8, 2, '.');
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

// Two letters, two digits, then 11 to 30 letters or digits: the pattern
// ^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$ tested a character at a time, its end
// letting by a last line feed as a pattern's end does.
bool formedAsIban(QStringView code)
{
    if (code.endsWith(QLatin1Char('\n')))
        code.chop(1);
    return code.size() >= 15 && code.size() <= 34 && formedOf(code.first(2), 2, isAZ)
           && formedOf(code.sliced(2, 2), 2, isDigit) && formedOf(code.sliced(4), code.size() - 4, isAZOrDigit);
}

// CheckIban, the last code it passed remembered: a month's receipts name
// the shop's own bank again and again, and the check costs more than all
// the other options of a receipt together.
bool passesIbanCheck(const QString& code)
{
    thread_local QString lastPassed;
    if (!code.isEmpty() && code == lastPassed)
        return true;
    if (!CheckIban(code))
        return false;
    lastPassed = code;
    return true;
}

bool fitsIban(const QString& code)
{
    if (!formedAsIban(code))
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
    if (!iban.isEmpty() && !(fitsIban(iban) && passesIbanCheck(iban)))
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
// for the accountant who opens it. Made in UTF-8 as it goes, straight into a
// buffer that each element first makes room in: a month writes some thirty
// megabytes of it, and a call per piece appended cost more than the rest
// of the invoice.
class Xml
{
public:
    Xml() : m_bytes(16384, Qt::Uninitialized), m_data(m_bytes.data())
    {
        put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        m_open.reserve(8);
    }
    void open(std::string_view tag, std::string_view attributes = {})
    {
        room(tag.size() + attributes.size() + 3);
        put('<');
        put(tag);
        put(attributes);
        put(">\n");
        m_open.push_back(tag);
    }
    void close()
    {
        const std::string_view tag = m_open.back();
        m_open.pop_back();
        room(tag.size() + 4);
        put("</");
        put(tag);
        put(">\n");
    }
    void leaf(std::string_view tag, QStringView text)
    {
        start(tag, std::size_t(text.size()));
        for (qsizetype i = 0; i < text.size();) {
            const char16_t c = text[i].unicode();
            if (verbatim(c)) {
                put(char(c));
                ++i;
                continue;
            }
            if (c < 0x100) {
                putEscaped(c);
                ++i;
                continue;
            }
            // Beyond Latin-1 (never in a checked receipt's texts): Qt's own
            // conversion, a run at a time, so that a pair of surrogates goes
            // whole.
            qsizetype end = i + 1;
            while (end < text.size() && text[end].unicode() >= 0x100)
                ++end;
            const QByteArray converted = text.sliced(i, end - i).toUtf8();
            put(std::string_view(converted.constData(), std::size_t(converted.size())));
            i = end;
        }
        end(tag);
    }
    void leaf(std::string_view tag, QLatin1String text)
    {
        start(tag, std::size_t(text.size()));
        for (char c : text)
            putEscaped(uchar(c));
        end(tag);
    }
    // Digits, a sign and a point: nothing to escape.
    void leaf(std::string_view tag, const Number& number)
    {
        start(tag, std::size_t(number.size));
        put(std::string_view(number.text, std::size_t(number.size)));
        end(tag);
    }
    // The file made, which the writer no longer holds.
    QByteArray take()
    {
        m_bytes.truncate(qsizetype(m_size));
        m_data = nullptr;
        return std::move(m_bytes);
    }

private:
    // Makes room for the indentation and `more` bytes, then indents.
    void room(std::size_t more)
    {
        const std::size_t blanks = 2 * m_open.size();
        const std::size_t needed = m_size + blanks + more;
        if (needed > std::size_t(m_bytes.size())) {
            m_bytes.resize(qsizetype(std::max(needed, 2 * std::size_t(m_bytes.size()))));
            m_data = m_bytes.data();
        }
        std::memset(m_data + m_size, ' ', blanks);
        m_size += blanks;
    }
    // The start tag, with room for the end tag and a text of `characters`
    // UTF-16 units: six bytes each at most ("&quot;", or three bytes of
    // UTF-8).
    void start(std::string_view tag, std::size_t characters)
    {
        room(2 * tag.size() + 6 + 6 * characters);
        put('<');
        put(tag);
        put('>');
    }
    void end(std::string_view tag)
    {
        put("</");
        put(tag);
        put(">\n");
    }
    // Printable ASCII but for the characters the markup reserves.
    static bool verbatim(char16_t c)
    {
        return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
    }
    void put(char c) { m_data[m_size++] = c; }
    void put(std::string_view text)
    {
        std::memcpy(m_data + m_size, text.data(), text.size());
        m_size += text.size();
    }
    // A Latin-1 character: escaped, or in its one or two bytes of UTF-8.
    void putEscaped(char16_t c)
    {
        switch (c) {
        case '&': put("&amp;"); break;
        case '<': put("&lt;"); break;
        case '>': put("&gt;"); break;
        case '"': put("&quot;"); break;
        case '\'': put("&apos;"); break;
        default:
            if (c < 0x80) {
                put(char(c));
            } else {
                put(char(0xC0 | (c >> 6)));
                put(char(0x80 | (c & 0x3F)));
            }
        }
    }
    QByteArray m_bytes;   // its size is the room made, m_size what is written
    char* m_data;
    std::size_t m_size = 0;
    std::vector<std::string_view> m_open;
};

// How a notice names a field: "Il campo «Indirizzo» del cliente", "Il campo
// «Codice» della riga 3", "Il numero della ricevuta". Made into text only
// for a notice, which most receipts never need.
struct FieldName
{
    const char* label;
    const Party* party = nullptr;
    int row = -1;
    QString text() const
    {
        if (party)
            return fieldOf(label, *party);
        return row >= 0 ? lineField(label, row) : utf8(label);
    }
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
    QString fit(const QString& text, int max, const FieldName& field);
    QString latin(const QString& text, int max, const FieldName& field) { return fit(cleaned(text), max, field); }
    QString basic(const QString& text, int max, const FieldName& field);
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

QString Composer::fit(const QString& text, int max, const FieldName& field)
{
    if (text.size() <= max)
        return text;
    const QString cut = trim(text.left(max));
    notices << utf8("%1 supera la lunghezza che la fattura elettronica ammette (%2 caratteri): nella fattura è "
                    "tagliato a «%3».")
                   .arg(field.text(), QString::number(max), cut);
    return cut;
}

QString Composer::basic(const QString& text, int max, const FieldName& field)
{
    const QString plain = trim(basicLatin(text));
    if (plain != trim(text))
        notices << utf8("%1 contiene caratteri che la fattura elettronica non ammette: nella fattura è scritto «%2».")
                       .arg(field.text(), plain);
    return fit(plain, max, field);
}

void Composer::transmission(const QString& progressive)
{
    x.open("DatiTrasmissione");
    x.open("IdTrasmittente");
    x.leaf("IdPaese", QLatin1String("IT"));
    x.leaf("IdCodice", trim(r.IvaVen));
    x.close();
    x.leaf("ProgressivoInvio", trim(basicLatin(progressive)));
    x.leaf("FormatoTrasmissione", QLatin1String("FPR12"));
    x.leaf("CodiceDestinatario", trim(o.recipientCode));
    if (!trim(o.pec).isEmpty())
        x.leaf("PECDestinatario", trim(o.pec));
    x.close();
}

void Composer::fiscalId(const QString& vat)
{
    x.open("IdFiscaleIVA");
    x.leaf("IdPaese", QLatin1String("IT"));
    x.leaf("IdCodice", vat);
    x.close();
}

void Composer::names(const Party& p)
{
    x.open("Anagrafica");
    x.leaf("Denominazione", latin(r.*p.name, 80, FieldName{"Cognome, nome o ragione sociale", &p}));
    x.close();
}

void Composer::seat(const Party& p)
{
    x.open("Sede");
    x.leaf("Indirizzo", latin(r.*p.address, 60, FieldName{"Indirizzo", &p}));
    x.leaf("CAP", trim(r.*p.postcode));
    x.leaf("Comune", latin(r.*p.town, 60, FieldName{"Città", &p}));
    x.leaf("Provincia", TextRules::upperAZ(trim(r.*p.province)));
    x.leaf("Nazione", QLatin1String("IT"));
    x.close();
}

void Composer::seller()
{
    x.open("CedentePrestatore");
    x.open("DatiAnagrafici");
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
    x.open("CessionarioCommittente");
    x.open("DatiAnagrafici");
    if (!trim(r.IvaCli).isEmpty())
        fiscalId(trim(r.IvaCli));
    const QString taxCode = taxCodeOf(r, kClient);
    if (!taxCode.isEmpty())
        x.leaf("CodiceFiscale", taxCode);
    names(kClient);
    x.close();
    seat(kClient);
    x.close();
}

void Composer::general()
{
    x.open("DatiGenerali");
    x.open("DatiGeneraliDocumento");
    x.leaf("TipoDocumento", QLatin1String("TD01"));
    x.leaf("Divisa", QLatin1String("EUR"));
    x.leaf("Data", fileDate(dateOf(r)));
    x.leaf("Numero", basic(r.NumRic, 20, FieldName{"Il numero della ricevuta"}));
    if (o.stampDuty) {
        x.open("DatiBollo");
        x.leaf("BolloVirtuale", QLatin1String("SI"));
        x.leaf("ImportoBollo", QLatin1String("2.00"));
        x.close();
    }
    x.leaf("ImportoTotaleDocumento", fileNumber(f.total));
    x.close();
    x.close();
}

void Composer::discount(const Line& l)
{
    x.open("ScontoMaggiorazione");
    x.leaf("Tipo", QLatin1String("SC"));
    x.leaf("Percentuale", unitsNumber(l.discount, 2, 2, '.'));
    if (!l.perUnit.isEmpty())
        x.leaf("Importo", l.perUnit);
    x.close();
}

// The description is the receipt's; without one the code stands for it, and
// without either a plain "Articolo", since the format wants a text.
void Composer::line(const Line& l, int number)
{
    x.open("DettaglioLinee");
    x.leaf("NumeroLinea", wholeNumber(number));
    const QString code = latin(r.Cod[l.row], 35, FieldName{"Codice", nullptr, l.row});
    if (!code.isEmpty()) {
        x.open("CodiceArticolo");
        x.leaf("CodiceTipo", QLatin1String("INTERNO"));
        x.leaf("CodiceValore", code);
        x.close();
    }
    QString description = latin(r.Desc[l.row], 1000, FieldName{"Descrizione", nullptr, l.row});
    if (description.isEmpty())
        description = code.isEmpty() ? QStringLiteral("Articolo") : cleaned(r.Cod[l.row]);
    x.leaf("Descrizione", description);
    x.leaf("Quantita", unitsNumber(l.quantity, 8, 2, '.'));
    x.leaf("PrezzoUnitario", unitsNumber(l.price, 8, 2, '.'));
    if (l.exactDiscount != 0)
        discount(l);
    x.leaf("PrezzoTotale", unitsNumber(l.total, 4, 2, '.'));
    x.leaf("AliquotaIVA", fileNumber(f.rate));
    if (zero)
        x.leaf("Natura", trim(o.nature));
    x.close();
}

void Composer::summary()
{
    x.open("DatiRiepilogo");
    x.leaf("AliquotaIVA", fileNumber(f.rate));
    if (zero)
        x.leaf("Natura", trim(o.nature));
    x.leaf("ImponibileImporto", fileNumber(f.taxable));
    x.leaf("Imposta", fileNumber(f.tax));
    x.leaf("EsigibilitaIVA", QLatin1String("I"));
    if (zero)
        x.leaf("RiferimentoNormativo", legalReference(trim(o.nature)));
    x.close();
}

void Composer::payment()
{
    if (trim(o.paymentMethod).isEmpty())
        return;
    x.open("DatiPagamento");
    x.leaf("CondizioniPagamento", QLatin1String("TP02"));
    x.open("DettaglioPagamento");
    x.leaf("ModalitaPagamento", trim(o.paymentMethod));
    x.leaf("ImportoPagamento", fileNumber(f.total));
    const QString iban = ibanText(o.iban);
    if (!iban.isEmpty())
        x.leaf("IBAN", iban);
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
    x.open("p:FatturaElettronica",
           " xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" versione=\"FPR12\"");
    x.open("FatturaElettronicaHeader");
    transmission(progressive);
    seller();
    client();
    x.close();
    x.open("FatturaElettronicaBody");
    general();
    x.open("DatiBeniServizi");
    for (std::size_t k = 0; k < f.lines.size(); ++k)
        line(f.lines[k], int(k) + 1);
    summary();
    x.close();
    payment();
    x.close();
    x.close();
    totalNotice();
    return Document{x.take(), Amounts{fileAmount(f.taxable), fileAmount(f.tax), fileAmount(f.total)}, notices};
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
        if (fitsIban(candidate) && passesIbanCheck(candidate))
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
    return Prepared(receipt, options).refusal();
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
    return Prepared(receipt, options).compose(progressive);
}

QString plainText(const QString& text)
{
    // Nearly every text of a receipt is printable Latin-1 already.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return isLatin1Printable(c.unicode()); }))
        return text;
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
