#include "receipts/ReceiptPrint.h"

#include <QRegularExpression>

#include "platform/PrintJobs.h"
#include "storage/RegularFile.h"
#include "storage/TextRules.h"

#include <vector>

namespace ReceiptPrint {
namespace {

using platform::PrintCanvas;

enum class Style { Regular, Bold, Italic };

// A rectangle as left, top, right and bottom: one unit wide or high it is a
// ruled line.
struct Box
{
    int left, top, right, bottom;
};

struct Text
{
    int x, y;
    QString text;
    int height;
    Style style = Style::Regular;
    bool rightAligned = false;   // (x, y) is then the top-right corner
};

// One column of the twenty receipt lines.
struct LineColumn
{
    int x;
    QString (TRecRicevuta::*field)[20];
    bool rightAligned;
};

const int kLines = 20;
// The copy on the right of the small format stands this far to the right.
const int kSecondCopy = 1450;

QString trimmed(const QString& s)
{
    return TextRules::trim(s);
}

QString cityLine(const QString& cap, const QString& city, const QString& province)
{
    return trimmed(cap) + QLatin1Char(' ') + trimmed(city) + QLatin1Char(' ') + trimmed(province);
}

QString numberLine(const TRecRicevuta& r)
{
    return trimmed(r.Ricevuta) + QLatin1Char(' ') + trimmed(r.NumRic);
}

QString vatRateLine(const TRecRicevuta& r)
{
    return trimmed(r.PercIva) + QLatin1Char('%');
}

QString dateLine(const TRecRicevuta& r)
{
    return QStringLiteral("Data emissione:  ") + trimmed(r.Data);
}

QString companyVatLine(const TRecRicevuta& r)
{
    return QStringLiteral("Partita IVA:  ") + trimmed(r.IvaVen);
}

QString companyTaxCodeLine(const TRecRicevuta& r)
{
    return QStringLiteral("Codice fiscale:  ") + trimmed(r.CodFiscVen);
}

const QString kPaymentCaption = QString::fromUtf8("Modalità di pagamento:");
const QString kBankCaption = QStringLiteral("Banca d'appoggio:");
const QStringList kTotalCaptions = {QStringLiteral("Totale netto:"), QStringLiteral("Aliquota IVA:"),
                                    QStringLiteral("Totale IVA:"), QStringLiteral("TOTALE:")};
const QString kApplianceTitle = QStringLiteral("DATI APPARECCHIO");
const QString kConai = QStringLiteral("Contributi CONAI e SIAE assolti ove dovuto.");

void setFont(PrintCanvas& canvas, int height, Style style)
{
    platform::FontSpec font;
    font.family = QStringLiteral("Verdana");
    font.size = height;
    font.bold = style == Style::Bold;
    font.italic = style == Style::Italic;
    font.color = Qt::black;
    canvas.setFont(font);
}

// Rectangles go first: they are filled white and would hide a text drawn before them.
void drawBoxes(PrintCanvas& canvas, const std::vector<Box>& boxes, int dx)
{
    for (const Box& b : boxes)
        canvas.drawRect(QRect(b.left + dx, b.top, b.right - b.left, b.bottom - b.top), Qt::white);
}

// A text of blanks only (an empty field, or fields joined by blanks that
// are all empty) prints nothing; a caption with an empty field prints alone.
void drawTexts(PrintCanvas& canvas, const std::vector<Text>& texts, int dx)
{
    for (const Text& t : texts) {
        if (trimmed(t.text).isEmpty())
            continue;
        setFont(canvas, t.height, t.style);
        canvas.drawText(t.x + dx, t.y, t.text, t.rightAligned ? Qt::AlignRight : Qt::AlignLeft);
    }
}

void addLines(std::vector<Text>& out, const TRecRicevuta& r, const std::vector<LineColumn>& columns, int firstY,
              int step, int height)
{
    for (int i = 0; i < kLines; ++i) {
        for (const LineColumn& c : columns)
            out.push_back({c.x, firstY + step * i, trimmed((r.*c.field)[i]), height, Style::Regular, c.rightAligned});
    }
}

// The start of every page: Verdana 40, black, regular.
void startPage(PrintCanvas& canvas)
{
    setFont(canvas, 40, Style::Regular);
}

std::vector<Box> largeBoxes()
{
    std::vector<Box> boxes = {
        {60, 60, 1960, 2630},     // page frame
        {1020, 90, 1930, 210},    // number and date
        {1020, 730, 1930, 850},   // client VAT number and tax code
        {90, 880, 1930, 1020},    // payment
        {90, 1050, 1930, 2150},   // line table
        {90, 1110, 1930, 1111},   // rule under the table header
    };
    for (int x : {230, 530, 1380, 1595, 1710})
        boxes.push_back({x, 1050, x + 1, 2150});
    boxes.push_back({1410, 2170, 1930, 2521});   // totals
    for (int y : {2257, 2345, 2433})
        boxes.push_back({1410, y, 1930, y + 1});
    const std::vector<Box> appliance = {
        {90, 2170, 1390, 2521},  {98, 2180, 1380, 2253},  {98, 2263, 729, 2336}, {739, 2263, 1380, 2336},
        {98, 2346, 729, 2419},   {739, 2346, 1380, 2419}, {98, 2429, 1380, 2511},
    };
    boxes.insert(boxes.end(), appliance.begin(), appliance.end());
    return boxes;
}

std::vector<Text> largeTexts(const TRecRicevuta& r)
{
    const Style B = Style::Bold;
    const Style R = Style::Regular;
    std::vector<Text> t = {
        {90, 535, trimmed(r.Venditore), 40, B},
        {90, 580, trimmed(r.IndirizzoVen), 40, B},
        {90, 625, cityLine(r.CapVen, r.CittaVen, r.ProvVen), 40, B},
    };
    // Unlike the small format, the company's VAT number and tax code lines
    // are left out altogether when empty.
    if (!trimmed(r.IvaVen).isEmpty())
        t.push_back({90, 670, companyVatLine(r), 40, B});
    if (!trimmed(r.CodFiscVen).isEmpty())
        t.push_back({90, 715, companyTaxCodeLine(r), 40, B});
    const std::vector<Text> rest = {
        {1050, 100, numberLine(r), 40, B},
        {90, 770, trimmed(r.Libero01), 35, R},
        {90, 810, trimmed(r.Libero02), 35, R},
        {1050, 160, dateLine(r), 35, R},
        {1020, 385, QStringLiteral("Spettabile"), 35, R},
        {1020, 445, trimmed(r.Cliente), 40, B},
        {1020, 495, trimmed(r.IndirizzoCli), 40, B},
        {1020, 545, cityLine(r.CapCli, r.CittaCli, r.ProvCli), 40, B},
        {1050, 745, QStringLiteral("Partita IVA:"), 40, B},
        {1050, 795, QStringLiteral("Codice fiscale:"), 40, B},
        {1360, 745, trimmed(r.IvaCli), 40, R},
        {1360, 795, trimmed(r.CodFiscCli), 40, R},
        {110, 900, kPaymentCaption, 40, B},
        {110, 960, kBankCaption, 40, B},
        {610, 900, trimmed(r.ModPag), 40, R},
        {610, 960, trimmed(r.Banca), 40, R},
        {114, 1060, QStringLiteral("Quant."), 30, B},
        {332, 1060, QStringLiteral("Codice"), 30, B},
        {874, 1060, QStringLiteral("Descrizione"), 30, B},
        {1400, 1060, QStringLiteral("Prezzo unit."), 30, B},
        {1618, 1060, QStringLiteral("Sc.%"), 30, B},
        {1744, 1060, QStringLiteral("Prezzo tot."), 30, B},
    };
    t.insert(t.end(), rest.begin(), rest.end());
    addLines(t, r,
             {{210, &TRecRicevuta::Quant, true},
              {250, &TRecRicevuta::Cod, false},
              {550, &TRecRicevuta::Desc, false},
              {1580, &TRecRicevuta::PrezzoUni, true},
              {1680, &TRecRicevuta::Sconto, true},
              {1915, &TRecRicevuta::PrezzoTot, true}},
             1140, 50, 30);
    const int totalY[] = {2190, 2277, 2365, 2453};
    for (int i = 0; i < 4; ++i)
        t.push_back({1420, totalY[i], kTotalCaptions[i], 35, B});
    const std::vector<Text> tail = {
        {570, 2197, kApplianceTitle, 35, B},
        {105, 2268, QStringLiteral("CODICE"), 21, B},
        {744, 2268, QStringLiteral("TIPOLOGIA"), 21, B},
        {105, 2351, QStringLiteral("MARCA"), 21, B},
        {744, 2351, QStringLiteral("MODELLO"), 21, B},
        {105, 2434, QStringLiteral("ACCESSORI"), 21, B},
        {125, 2295, trimmed(r.CodiceApp), 32, R},
        {764, 2295, trimmed(r.TipologiaApp), 32, R},
        {125, 2378, trimmed(r.MarcaApp), 32, R},
        {764, 2378, trimmed(r.ModelloApp), 32, R},
        {125, 2464, trimmed(r.AccessoriApp), 32, R},
        {1920, 2190, trimmed(r.TotNetto), 35, R, true},
        {1920, 2277, vatRateLine(r), 35, R, true},
        {1920, 2365, trimmed(r.TotIva), 35, R, true},
        {1920, 2453, trimmed(r.Totale), 35, B, true},
        {80, 2540,
         QStringLiteral("I dati personali del Cliente saranno trattati in base al D.Lgs. 196/2003 esclusivamente "
                        "per l'erogazione del servizio e non saranno forniti a terzi"),
         30, Style::Italic},
        {80, 2580, QString::fromUtf8("o utilizzati per l'invio di pubblicità."), 30, Style::Italic},
        {60, 2660, kConai, 30, Style::Italic},
    };
    t.insert(t.end(), tail.begin(), tail.end());
    return t;
}

std::vector<Box> smallBoxes()
{
    std::vector<Box> boxes = {
        {60, 60, 1370, 1950},    // copy frame
        {606, 90, 1340, 210},    // number and date
        {606, 530, 1340, 650},   // client VAT number and tax code
        {90, 670, 1340, 790},    // payment
        {90, 810, 1340, 1590},   // line table
        {90, 850, 1340, 851},    // rule under the table header
    };
    for (int x : {220, 860, 1050, 1150})
        boxes.push_back({x, 810, x + 1, 1590});
    for (int y : {1610, 1660, 1710, 1760})
        boxes.push_back({880, y, 1340, y + 50});   // totals cells
    const std::vector<Box> tail = {
        {90, 1610, 860, 1810},   {100, 1620, 850, 1655}, {100, 1665, 470, 1700}, {480, 1665, 850, 1700},
        {100, 1710, 470, 1745},  {480, 1710, 850, 1745}, {100, 1755, 850, 1800},
        {880, 1885, 1340, 1925},   // copy label
    };
    boxes.insert(boxes.end(), tail.begin(), tail.end());
    return boxes;
}

// One copy of the small format, its label apart (it does not move with the copy).
std::vector<Text> smallTexts(const TRecRicevuta& r)
{
    const Style B = Style::Bold;
    const Style R = Style::Regular;
    std::vector<Text> t = {
        {90, 415, trimmed(r.Venditore), 25, R},
        {90, 449, trimmed(r.IndirizzoVen), 25, R},
        {90, 483, cityLine(r.CapVen, r.CittaVen, r.ProvVen), 25, R},
        // Printed with their captions even when empty.
        {90, 517, companyVatLine(r), 25, R},
        {90, 551, companyTaxCodeLine(r), 25, R},
        {629, 100, numberLine(r), 35, B},
        {90, 591, trimmed(r.Libero01), 25, R},
        {90, 625, trimmed(r.Libero02), 25, R},
        {629, 160, dateLine(r), 35, R},
        {606, 260, QStringLiteral("Spettabile"), 35, R},
        {606, 320, trimmed(r.Cliente), 30, B},
        {606, 370, trimmed(r.IndirizzoCli), 30, B},
        {606, 420, cityLine(r.CapCli, r.CittaCli, r.ProvCli), 30, B},
        {629, 545, QStringLiteral("Partita IVA:"), 35, B},
        {629, 595, QStringLiteral("Codice fiscale:"), 35, B},
        {939, 545, trimmed(r.IvaCli), 35, R},
        {939, 595, trimmed(r.CodFiscCli), 35, R},
        {110, 690, kPaymentCaption, 30, B},
        {110, 738, kBankCaption, 30, B},
        {540, 690, trimmed(r.ModPag), 30, R},
        {540, 738, trimmed(r.Banca), 30, R},
        {116, 815, QStringLiteral("Quant."), 25, B},
        {470, 815, QStringLiteral("Descrizione"), 25, B},
        {886, 815, QStringLiteral("Prezzo unit."), 25, B},
        {1070, 815, QStringLiteral("Sc.%"), 25, B},
        {1180, 815, QStringLiteral("Prezzo tot."), 25, B},
    };
    // No code column in the small format.
    addLines(t, r,
             {{194, &TRecRicevuta::Quant, true},
              {240, &TRecRicevuta::Desc, false},
              {1030, &TRecRicevuta::PrezzoUni, true},
              {1130, &TRecRicevuta::Sconto, true},
              {1320, &TRecRicevuta::PrezzoTot, true}},
             870, 35, 25);
    const int totalY[] = {1620, 1672, 1722, 1772};
    for (int i = 0; i < 4; ++i)
        t.push_back({890, totalY[i], kTotalCaptions[i], 30, B});
    const std::vector<Text> tail = {
        {358, 1623, kApplianceTitle, 24, B},
        {105, 1673, QStringLiteral("COD."), 20, B},
        {485, 1673, QStringLiteral("TIPO:"), 20, B},
        {105, 1718, QStringLiteral("MARCA:"), 20, B},
        {485, 1718, QStringLiteral("MOD."), 20, B},
        {105, 1768, QStringLiteral("ACCESSORI:"), 20, B},
        {170, 1673, trimmed(r.CodiceApp), 20, R},
        {558, 1673, trimmed(r.TipologiaApp), 20, R},
        {195, 1718, trimmed(r.MarcaApp), 20, R},
        {558, 1718, trimmed(r.ModelloApp), 20, R},
        {242, 1768, trimmed(r.AccessoriApp), 20, R},
        {1310, 1620, trimmed(r.TotNetto), 30, R, true},
        {1310, 1672, vatRateLine(r), 30, R, true},
        {1310, 1722, trimmed(r.TotIva), 30, R, true},
        {1310, 1772, trimmed(r.Totale), 30, B, true},
        {90, 1832,
         QStringLiteral("I dati personali del Cliente saranno trattati in base al D.Lgs. 196/2003 esclusivamente "
                        "per l'erogazione del servizio e"),
         25, Style::Italic},
        {90, 1862, QString::fromUtf8("non saranno forniti a terzi o utilizzati per l'invio di pubblicità."), 25,
         Style::Italic},
        {90, 1900, kConai, 20, R},
    };
    t.insert(t.end(), tail.begin(), tail.end());
    return t;
}

} // namespace

QString logoFileName()
{
    return QStringLiteral("Logo.bmp");
}

QImage blankLogo()
{
    QImage blank(1, 1, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
}

bool readLogo(const QString& path, QImage& logo)
{
    QByteArray bytes;
    if (RegularFile::readAll(path, kMaxLogoSize, bytes) != RegularFile::Outcome::Read)
        return false;
    return logo.loadFromData(bytes, "BMP") && !logo.isNull();
}

QImage loadLogo(const QString& path)
{
    QImage logo;
    return readLogo(path, logo) ? logo : blankLogo();
}

void composeLarge(PrintCanvas& canvas, const TRecRicevuta& receipt, const QImage& logo)
{
    startPage(canvas);
    drawBoxes(canvas, largeBoxes(), 0);
    drawTexts(canvas, largeTexts(receipt), 0);
    canvas.drawImage(QRect(90, 90, 810 - 90, 530 - 90), logo);
}

void composeSmall(PrintCanvas& canvas, const TRecRicevuta& receipt, const QImage& logo)
{
    // The cut line between the copies, in the page's starting font.
    startPage(canvas);
    for (int y = 60; y <= 1910; y += 50)
        canvas.drawText(1430, y, QStringLiteral("|"), Qt::AlignLeft);

    const std::vector<Box> boxes = smallBoxes();
    const std::vector<Text> texts = smallTexts(receipt);
    struct Copy
    {
        int dx;
        Text label;
    };
    const Copy copies[] = {
        {0, {970, 1890, QStringLiteral("COPIA PER IL CLIENTE"), 28}},
        {kSecondCopy, {2365, 1890, QStringLiteral("COPIA PER LA DITTA EMITTENTE"), 28}},
    };
    for (const Copy& c : copies) {
        drawBoxes(canvas, boxes, c.dx);
        drawTexts(canvas, texts, c.dx);
        drawTexts(canvas, {c.label}, 0);
        canvas.drawImage(QRect(90 + c.dx, 90, 576 - 90, 370 - 90), logo);
    }
}

void compose(PrintCanvas& canvas, Format format, const TRecRicevuta& receipt, const QImage& logo)
{
    if (format == Format::Large)
        composeLarge(canvas, receipt, logo);
    else
        composeSmall(canvas, receipt, logo);
}

bool print(Format format, const TRecRicevuta& receipt, const QImage& logo, int copies)
{
    platform::PrintJob job;
    job.name = QStringLiteral("Ventoria 2.0 - ") + trimmed(numberLine(receipt));
    job.orientation = format == Format::Large ? platform::PageOrientation::Portrait
                                              : platform::PageOrientation::Landscape;
    job.units = platform::CanvasUnits::TenthsOfMillimetre;
    job.compose = [&](PrintCanvas& canvas) { compose(canvas, format, receipt, logo); };
    return platform::printCopies(copies, job);
}

QString pdfFileName(const TRecRicevuta& receipt)
{
    QStringList parts;
    for (const QString& part : {trimmed(receipt.Ricevuta), trimmed(receipt.NumRic)})
        if (!part.isEmpty())
            parts << part;
    if (parts.isEmpty())
        parts << QStringLiteral("Ricevuta");
    const QString date = trimmed(receipt.Data);
    if (!date.isEmpty())
        parts << QStringLiteral("del") << date;
    QString name = parts.join(QLatin1Char(' '));
    // The date's slashes, and whatever else a folder name or another
    // system's file name could not hold, become dashes.
    for (QChar& c : name)
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    // Windows drops dots and blanks at the end of a name, and takes a name
    // such as CON, NUL or COM1 (whatever follows its dot) for a device.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])( *)(\\.|$)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (name.isEmpty() || device.match(name).hasMatch())
        name.prepend(QStringLiteral("Ricevuta "));
    return name.trimmed() + QStringLiteral(".pdf");
}

} // namespace ReceiptPrint
