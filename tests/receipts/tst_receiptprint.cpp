#include "platform/AppDir.h"
#include "platform/qt/QtPlatform.h"
#include "receipts/ReceiptPrint.h"
#include "receipts/ui/TfrmStampa.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>

using Op = RecordingCanvas::Op;
using Format = ReceiptPrint::Format;

namespace {

const QString kFailure = QString::fromUtf8(
    "Attenzione: il sistema non permette la stampa del documento.\n\r\n\r"
    "Accertarsi che la stampante sia configurata e collegata correttamente al proprio computer.");

// A receipt as the editor holds it: blanks around the texts are the
// editor's, not the page's.
TRecRicevuta filledReceipt()
{
    TRecRicevuta r;
    r.Ricevuta = "Ricevuta n.";
    r.NumRic = " 42 ";
    r.Data = "05/03/2024";
    r.Venditore = "Elettro Rossi s.n.c.";
    r.IndirizzoVen = "Via Emilia 12";
    r.CapVen = "48018";
    r.CittaVen = "Faenza";
    r.ProvVen = "RA";
    r.IvaVen = "01234567890";
    r.CodFiscVen = "RSSMRA70A01D458X";
    r.Libero01 = "Tel. 0546 123456";
    r.Libero02 = "info@elettrorossi.it";
    r.Cliente = "Bianchi Laura";
    r.IndirizzoCli = "Corso Mazzini 3";
    r.CapCli = "48121";
    r.CittaCli = "Ravenna";
    r.ProvCli = "RA";
    r.IvaCli = "09876543210";
    r.CodFiscCli = "BNCLRA80B41H199Z";
    r.ModPag = "Bonifico bancario";
    r.Banca = "Banca di Romagna, filiale di Faenza";
    r.CodiceApp = "LAV-7";
    r.TipologiaApp = "Lavatrice";
    r.MarcaApp = "ACME";
    r.ModelloApp = "WX 900";
    r.AccessoriApp = "Tubo di scarico";
    r.Quant[0] = "2";
    r.Cod[0] = "CIN-01";
    r.Desc[0] = "Cinghia di trasmissione";
    r.PrezzoUni[0] = "12,50";
    r.Sconto[0] = "0";
    r.PrezzoTot[0] = "25,00";
    r.Quant[1] = "1";
    r.Cod[1] = "MAN";
    r.Desc[1] = "Manodopera";
    r.PrezzoUni[1] = "40,00";
    r.Sconto[1] = "10";
    r.PrezzoTot[1] = "36,00";
    r.Quant[19] = "3";
    r.Cod[19] = "VIT";
    r.Desc[19] = "Viti";
    r.PrezzoUni[19] = "0,10";
    r.Sconto[19] = "0";
    r.PrezzoTot[19] = " 0,30";
    r.TotNetto = "61,30";
    r.PercIva = "22";
    r.TotIva = "13,49";
    r.Totale = "74,79";
    r.Saldato = "No";
    return r;
}

// The page of a format on the recording canvas.
std::unique_ptr<RecordingCanvas> composed(Format format, const TRecRicevuta& r,
                                          const QImage& logo = ReceiptPrint::blankLogo())
{
    const bool large = format == Format::Large;
    auto canvas = std::make_unique<RecordingCanvas>(large ? 2100 : 2970, large ? 2970 : 2100, 254, 254,
                                                    large ? platform::PageOrientation::Portrait
                                                          : platform::PageOrientation::Landscape,
                                                    QStringLiteral("ricevuta"));
    ReceiptPrint::compose(*canvas, format, r, logo);
    return canvas;
}

QList<Op> textsAt(const RecordingCanvas& c, const QString& text)
{
    QList<Op> out;
    for (const Op& op : c.texts()) {
        if (op.text == text)
            out.append(op);
    }
    return out;
}

// A rectangle given as left, top, right, bottom.
QRect box(int l, int t, int r, int b)
{
    return QRect(l, t, r - l, b - t);
}

enum Look { Regular = 0, Bold = 1, Italic = 2, Right = 4 };

TfrmStampa* dialog()
{
    return static_cast<TfrmStampa*>(ScreenFixture::screen("frmStampa"));
}

} // namespace

class TestReceiptPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pdfNamesEverySystemTakes_data();
    void pdfNamesEverySystemTakes();

    // The two layouts on the recording canvas.
    void textsAtTheirPlaces_data();
    void textsAtTheirPlaces();
    void rectanglesBeforeTheirTexts_data();
    void rectanglesBeforeTheirTexts();
    void companyVatNumberLeftEmpty_data();
    void companyVatNumberLeftEmpty();
    void emptyFieldsPrintNothing_data();
    void emptyFieldsPrintNothing();
    void smallFormatHasNoCodeColumn();
    void cutLineAndCopyCaptions();
    void logoStretchedIntoItsArea_data();
    void logoStretchedIntoItsArea();
    void longTextsPrintedWhole();

    // The print dialog.
    void printersListedFirstChosen();
    void cancelPrintsNothing_data();
    void cancelPrintsNothing();
    void copiesSpinLimits_data();
    void copiesSpinLimits();
    void formatColoursAndMemory();
    void everyCopyAJobOfItsOwn_data();
    void everyCopyAJobOfItsOwn();
    void chosenPrinterIsUsed();
    void printerFailure_data();
    void printerFailure();
    void logoReadAtEveryOpening_data();
    void logoReadAtEveryOpening();

    // On the real printer side, to a PDF file.
    void printsToPdf_data();
    void printsToPdf();

private:
    // Opens the dialog for r, lets act work in it while it is shown; the
    // dialog is closed whatever act does.
    void withDialog(const TRecRicevuta& r, const std::function<void(TfrmStampa*)>& act);

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
};

void TestReceiptPrint::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    QVERIFY(dialog());
    QCOMPARE(dialog()->windowTitle(), QString(" Stampa ricevuta"));
}

void TestReceiptPrint::init()
{
    screens->beginTest();
    fake->printerNames = {"Laser ufficio", "Getto d'inchiostro"};
}

void TestReceiptPrint::cleanup()
{
    screens->endTest();
}

void TestReceiptPrint::withDialog(const TRecRicevuta& r, const std::function<void(TfrmStampa*)>& act)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        TfrmStampa* d = dialog();
        auto close = qScopeGuard([d] {
            if (d->isVisible())
                d->reject();
        });
        QVERIFY(d->isVisible());
        ran = true;
        act(d);
    });
    dialog()->printReceipt(nullptr, r);
    QVERIFY(ran);
    QVERIFY(!dialog()->isVisible());
}

void TestReceiptPrint::textsAtTheirPlaces_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("look");

    const auto L = Format::Large;
    QTest::newRow("large company") << L << "Elettro Rossi s.n.c." << 90 << 535 << 40 << int(Bold);
    QTest::newRow("large company town") << L << "48018 Faenza RA" << 90 << 625 << 40 << int(Bold);
    QTest::newRow("large company VAT") << L << "Partita IVA:  01234567890" << 90 << 670 << 40 << int(Bold);
    QTest::newRow("large company tax code") << L << "Codice fiscale:  RSSMRA70A01D458X" << 90 << 715 << 40
                                            << int(Bold);
    QTest::newRow("large number") << L << "Ricevuta n. 42" << 1050 << 100 << 40 << int(Bold);
    QTest::newRow("large free line") << L << "info@elettrorossi.it" << 90 << 810 << 35 << int(Regular);
    QTest::newRow("large date") << L << "Data emissione:  05/03/2024" << 1050 << 160 << 35 << int(Regular);
    QTest::newRow("large client") << L << "Bianchi Laura" << 1020 << 445 << 40 << int(Bold);
    QTest::newRow("large client VAT") << L << "09876543210" << 1360 << 745 << 40 << int(Regular);
    QTest::newRow("large client tax code") << L << "BNCLRA80B41H199Z" << 1360 << 795 << 40 << int(Regular);
    QTest::newRow("large payment") << L << QString::fromUtf8("Modalità di pagamento:") << 110 << 900 << 40
                                   << int(Bold);
    QTest::newRow("large bank") << L << "Banca di Romagna, filiale di Faenza" << 610 << 960 << 40 << int(Regular);
    QTest::newRow("large header") << L << "Prezzo unit." << 1400 << 1060 << 30 << int(Bold);
    QTest::newRow("large line 1 quantity") << L << "2" << 210 << 1140 << 30 << int(Right);
    QTest::newRow("large line 1 code") << L << "CIN-01" << 250 << 1140 << 30 << int(Regular);
    QTest::newRow("large line 2 discount") << L << "10" << 1680 << 1190 << 30 << int(Right);
    QTest::newRow("large line 20 description") << L << "Viti" << 550 << 2090 << 30 << int(Regular);
    QTest::newRow("large line 20 unit price") << L << "0,10" << 1580 << 2090 << 30 << int(Right);
    QTest::newRow("large line 20 total") << L << "0,30" << 1915 << 2090 << 30 << int(Right);
    QTest::newRow("large net") << L << "61,30" << 1920 << 2190 << 35 << int(Right);
    QTest::newRow("large VAT rate") << L << "22%" << 1920 << 2277 << 35 << int(Right);
    QTest::newRow("large grand total") << L << "74,79" << 1920 << 2453 << 35 << int(Bold | Right);
    QTest::newRow("large total caption") << L << "TOTALE:" << 1420 << 2453 << 35 << int(Bold);
    QTest::newRow("large appliance title") << L << "DATI APPARECCHIO" << 570 << 2197 << 35 << int(Bold);
    QTest::newRow("large appliance caption") << L << "TIPOLOGIA" << 744 << 2268 << 21 << int(Bold);
    QTest::newRow("large appliance accessories") << L << "Tubo di scarico" << 125 << 2464 << 32 << int(Regular);
    QTest::newRow("large privacy") << L << QString::fromUtf8("o utilizzati per l'invio di pubblicità.") << 80
                                   << 2580 << 30 << int(Italic);
    QTest::newRow("large CONAI italic") << L << "Contributi CONAI e SIAE assolti ove dovuto." << 60 << 2660 << 30
                                        << int(Italic);

    const auto S = Format::Small;
    QTest::newRow("small company") << S << "Elettro Rossi s.n.c." << 90 << 415 << 25 << int(Regular);
    QTest::newRow("small company VAT") << S << "Partita IVA:  01234567890" << 90 << 517 << 25 << int(Regular);
    QTest::newRow("small number") << S << "Ricevuta n. 42" << 629 << 100 << 35 << int(Bold);
    QTest::newRow("small client town") << S << "48121 Ravenna RA" << 606 << 420 << 30 << int(Bold);
    QTest::newRow("small client tax code") << S << "BNCLRA80B41H199Z" << 939 << 595 << 35 << int(Regular);
    QTest::newRow("small header") << S << "Prezzo tot." << 1180 << 815 << 25 << int(Bold);
    QTest::newRow("small line 1 quantity") << S << "2" << 194 << 870 << 25 << int(Right);
    QTest::newRow("small line 1 description") << S << "Cinghia di trasmissione" << 240 << 870 << 25
                                              << int(Regular);
    QTest::newRow("small line 2 discount") << S << "10" << 1130 << 905 << 25 << int(Right);
    QTest::newRow("small line 20 unit price") << S << "0,10" << 1030 << 1535 << 25 << int(Right);
    QTest::newRow("small line 20 total") << S << "0,30" << 1320 << 1535 << 25 << int(Right);
    QTest::newRow("small VAT rate") << S << "22%" << 1310 << 1672 << 30 << int(Right);
    QTest::newRow("small grand total") << S << "74,79" << 1310 << 1772 << 30 << int(Bold | Right);
    QTest::newRow("small appliance caption") << S << "MARCA:" << 105 << 1718 << 20 << int(Bold);
    QTest::newRow("small appliance brand") << S << "ACME" << 195 << 1718 << 20 << int(Regular);
    QTest::newRow("small privacy breaks after e") << S
                                                  << "I dati personali del Cliente saranno trattati in base al "
                                                     "D.Lgs. 196/2003 esclusivamente per l'erogazione del servizio e"
                                                  << 90 << 1832 << 25 << int(Italic);
    QTest::newRow("small CONAI upright") << S << "Contributi CONAI e SIAE assolti ove dovuto." << 90 << 1900 << 20
                                         << int(Regular);
}

// Each text once in the large format; in the small one twice, the second
// copy 1450 further right.
void TestReceiptPrint::textsAtTheirPlaces()
{
    QFETCH(Format, format);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, height);
    QFETCH(int, look);

    const auto canvas = composed(format, filledReceipt());
    QList<Op> found;
    for (const Op& op : textsAt(*canvas, text)) {
        if (op.y == y)
            found.append(op);
    }
    const QList<int> xs = format == Format::Large ? QList<int>{x} : QList<int>{x, x + 1450};
    QCOMPARE(found.size(), xs.size());
    for (int i = 0; i < xs.size(); ++i) {
        const Op& op = found[i];
        QCOMPARE(op.x, xs[i]);
        QCOMPARE(op.font.family, QString("Verdana"));
        QCOMPARE(op.font.size, height);
        QCOMPARE(op.font.bold, bool(look & Bold));
        QCOMPARE(op.font.italic, bool(look & Italic));
        QCOMPARE(op.font.color, QColor(Qt::black));
        QCOMPARE(op.align, (look & Right) ? Qt::Alignment(Qt::AlignRight) : Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(op.page, 1);
    }
}

void TestReceiptPrint::rectanglesBeforeTheirTexts_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("boxes");

    QTest::newRow("large") << Format::Large << 22
                           << QList<QRect>{box(60, 60, 1960, 2630),    box(1020, 90, 1930, 210),
                                           box(90, 1050, 1930, 2150),  box(90, 1110, 1930, 1111),
                                           box(1380, 1050, 1381, 2150), box(1710, 1050, 1711, 2150),
                                           box(1410, 2345, 1930, 2346), box(739, 2346, 1380, 2419),
                                           box(98, 2429, 1380, 2511)};
    QTest::newRow("small") << Format::Small << 2 * 22
                           << QList<QRect>{box(60, 60, 1370, 1950),     box(1510, 60, 2820, 1950),
                                           box(90, 850, 1340, 851),      box(1150, 810, 1151, 1590),
                                           box(2600, 810, 2601, 1590),   box(880, 1760, 1340, 1810),
                                           box(480, 1710, 850, 1745),    box(880, 1885, 1340, 1925),
                                           box(2330, 1885, 2790, 1925)};
}

// Thin black outlines filled white: within a copy (which ends with its logo)
// every rectangle comes before every text, or it would hide them.
void TestReceiptPrint::rectanglesBeforeTheirTexts()
{
    QFETCH(Format, format);
    QFETCH(int, count);
    QFETCH(QList<QRect>, boxes);

    const auto canvas = composed(format, filledReceipt());
    const QList<Op> rects = canvas->rects();
    QCOMPARE(rects.size(), count);
    for (const QRect& b : boxes) {
        bool found = false;
        for (const Op& r : rects) {
            if (r.rect == b) {
                found = true;
                QCOMPARE(r.fill, QColor(Qt::white));
                QCOMPARE(r.penWidth, 0);
            }
        }
        QVERIFY2(found, qPrintable(QString("no rectangle %1,%2 %3x%4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height())));
    }
    bool textSeen = false;
    int copies = 0;
    for (const Op& op : canvas->ops) {
        if (op.kind == Op::Image) {
            ++copies;
            textSeen = false;
        } else if (op.kind == Op::Rect) {
            QVERIFY(!textSeen);
        } else if (op.kind == Op::Text && op.text != "|") {
            textSeen = true;
        }
    }
    QCOMPARE(copies, format == Format::Large ? 1 : 2);
}

void TestReceiptPrint::companyVatNumberLeftEmpty_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("large: no line") << Format::Large << QStringList();
    QTest::newRow("small: the caption alone, in both copies") << Format::Small
                                                              << QStringList{"Partita IVA:  ", "Partita IVA:  "};
}

void TestReceiptPrint::companyVatNumberLeftEmpty()
{
    QFETCH(Format, format);
    QFETCH(QStringList, expected);

    TRecRicevuta r = filledReceipt();
    r.IvaVen = "   ";
    const auto canvas = composed(format, r);
    QStringList printed;
    for (const Op& op : canvas->texts()) {
        if (op.text.startsWith("Partita IVA:  "))
            printed.append(op.text);
    }
    QCOMPARE(printed, expected);
    if (format == Format::Small) {
        const QList<Op> at = textsAt(*canvas, "Partita IVA:  ");
        QCOMPARE(at[0].x, 90);
        QCOMPARE(at[0].y, 517);
        QCOMPARE(at[1].x, 1540);
    }
    // The tax code line is still there.
    QVERIFY(!canvas->findText("Codice fiscale:  RSSMRA70A01D458X").text.isEmpty());
}

void TestReceiptPrint::emptyFieldsPrintNothing_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<int>("totalsX");
    QTest::addColumn<int>("firstLineY");
    QTest::addColumn<int>("step");

    QTest::newRow("large") << Format::Large << 1920 << 1140 << 50;
    QTest::newRow("small") << Format::Small << 1310 << 870 << 35;
}

// A receipt whose totals were emptied by typing prints them empty: printing
// never computes; empty lines leave their rows blank.
void TestReceiptPrint::emptyFieldsPrintNothing()
{
    QFETCH(Format, format);
    QFETCH(int, totalsX);
    QFETCH(int, firstLineY);
    QFETCH(int, step);

    TRecRicevuta r = filledReceipt();
    r.TotNetto.clear();
    r.TotIva = "  ";
    r.Totale.clear();
    r.Cliente.clear();
    const auto canvas = composed(format, r);
    QStringList atTotals;
    QMap<int, int> perRow;
    for (const Op& op : canvas->texts()) {
        if (op.x == totalsX)
            atTotals.append(op.text);
        if (op.text != "|" && op.y >= firstLineY && op.y <= firstLineY + 19 * step && (op.y - firstLineY) % step == 0)
            ++perRow[(op.y - firstLineY) / step];
    }
    QCOMPARE(atTotals, QStringList{"22%"});
    const int columns = format == Format::Large ? 6 : 2 * 5;
    QCOMPARE(perRow.value(0), columns);
    QCOMPARE(perRow.value(1), columns);
    QCOMPARE(perRow.value(19), columns);
    QCOMPARE(perRow.size(), 3);
    QVERIFY(canvas->findText("Bianchi Laura").text.isEmpty());
    QVERIFY(!canvas->findText("Spettabile").text.isEmpty());
}

void TestReceiptPrint::smallFormatHasNoCodeColumn()
{
    const auto small = composed(Format::Small, filledReceipt());
    QVERIFY(small->findText("CIN-01").text.isEmpty());
    QVERIFY(small->findText("Codice").text.isEmpty());
    const auto large = composed(Format::Large, filledReceipt());
    QCOMPARE(large->findText("Codice").x, 332);
}

void TestReceiptPrint::cutLineAndCopyCaptions()
{
    const auto canvas = composed(Format::Small, filledReceipt());
    QList<int> ys;
    int i = 0;
    // The cut marks come first, before either copy.
    for (; i < canvas->ops.size() && canvas->ops[i].kind == Op::Text && canvas->ops[i].text == "|"; ++i) {
        const Op& op = canvas->ops[i];
        QCOMPARE(op.x, 1430);
        QCOMPARE(op.font.size, 40);
        QCOMPARE(op.font.bold, false);
        ys.append(op.y);
    }
    QCOMPARE(ys.size(), 38);
    QCOMPARE(ys.first(), 60);
    QCOMPARE(ys.last(), 1910);
    QCOMPARE(ys[1], 110);
    QCOMPARE(textsAt(*canvas, "|").size(), 38);

    const QList<Op> client = textsAt(*canvas, "COPIA PER IL CLIENTE");
    QCOMPARE(client.size(), 1);
    QCOMPARE(QPoint(client[0].x, client[0].y), QPoint(970, 1890));
    QCOMPARE(client[0].font.size, 28);
    const QList<Op> issuer = textsAt(*canvas, "COPIA PER LA DITTA EMITTENTE");
    QCOMPARE(issuer.size(), 1);
    QCOMPARE(QPoint(issuer[0].x, issuer[0].y), QPoint(2365, 1890));
    QCOMPARE(issuer[0].font.size, 28);
}

void TestReceiptPrint::logoStretchedIntoItsArea_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QList<QRect>>("areas");

    QTest::newRow("large") << Format::Large << QList<QRect>{box(90, 90, 810, 530)};
    QTest::newRow("small") << Format::Small << QList<QRect>{box(90, 90, 576, 370), box(1540, 90, 2026, 370)};
}

void TestReceiptPrint::logoStretchedIntoItsArea()
{
    QFETCH(Format, format);
    QFETCH(QList<QRect>, areas);

    QImage logo(297, 184, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    const auto canvas = composed(format, filledReceipt(), logo);
    QList<QRect> drawn;
    for (const Op& op : canvas->ops) {
        if (op.kind == Op::Image) {
            drawn.append(op.rect);
            QCOMPARE(op.imageSize, QSize(297, 184));
        }
    }
    QCOMPARE(drawn, areas);
    // Each copy ends with its logo.
    QCOMPARE(canvas->ops.last().kind, Op::Image);
}

void TestReceiptPrint::longTextsPrintedWhole()
{
    TRecRicevuta r = filledReceipt();
    r.Desc[4] = QString(55, QLatin1Char('W'));
    const auto canvas = composed(Format::Large, r);
    const Op op = canvas->findText(r.Desc[4]);
    QCOMPARE(op.text.size(), 55);
    QCOMPARE(QPoint(op.x, op.y), QPoint(550, 1140 + 50 * 4));
    QCOMPARE(op.inRect, false);
}

void TestReceiptPrint::printersListedFirstChosen()
{
    withDialog(filledReceipt(), [](TfrmStampa* d) {
        auto* printers = control<QComboBox>(d, "cboPrinters");
        QCOMPARE(printers->count(), 2);
        QCOMPARE(printers->itemText(0), QString("Laser ufficio"));
        QCOMPARE(printers->itemText(1), QString("Getto d'inchiostro"));
        QCOMPARE(printers->currentIndex(), 0);
        QVERIFY(!printers->isEditable());
        QVERIFY(printers->font().bold());
    });
    QCOMPARE(fake->documents.size(), 0);
}

void TestReceiptPrint::cancelPrintsNothing_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Annulla") << false;
    QTest::newRow("close box") << true;
}

void TestReceiptPrint::cancelPrintsNothing()
{
    QFETCH(bool, closeBox);
    withDialog(filledReceipt(), [closeBox](TfrmStampa* d) {
        if (closeBox)
            d->close();
        else
            clickOn(control<QPushButton>(d, "cmdAnnulla"));
    });
    QCOMPARE(fake->documents.size(), 0);
    QCOMPARE(fake->printersUsed, QStringList());
    QCOMPARE(fake->messages.size(), 0);
}

void TestReceiptPrint::copiesSpinLimits_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("shown");

    QTest::newRow("up from 1") << 1 << int(Qt::Key_Up) << 2 << "3";
    QTest::newRow("down stops at 1") << 2 << int(Qt::Key_Down) << 3 << "1";
    QTest::newRow("up stops at 999") << 997 << int(Qt::Key_Up) << 5 << "999";
    QTest::newRow("no thousands separator") << 995 << int(Qt::Key_Up) << 1 << "996";
}

void TestReceiptPrint::copiesSpinLimits()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(QString, shown);

    withDialog(filledReceipt(), [&](TfrmStampa* d) {
        auto* spin = control<QSpinBox>(d, "scrCopie");
        auto* copies = control<QLineEdit>(d, "txtCopie");
        QVERIFY(copies->isReadOnly());
        QCOMPARE(copies->maxLength(), 3);
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 999);
        spin->setValue(start);
        QCOMPARE(copies->text(), QString::number(start));
        spin->setFocus();
        for (int i = 0; i < times; ++i)
            press(spin, key, QString());
        QCOMPARE(copies->text(), shown);
        // Typing into the field changes nothing.
        press(copies, Qt::Key_5, "5");
        QCOMPARE(copies->text(), shown);
        spin->setValue(1);
    });
}

// The selected format's caption is maroon, the other black; the format and
// the copies chosen are there again at the next opening.
void TestReceiptPrint::formatColoursAndMemory()
{
    const QColor maroon(128, 0, 0);
    const QColor black(Qt::black);
    withDialog(filledReceipt(), [&](TfrmStampa* d) {
        auto* small = control<QRadioButton>(d, "optPiccolo");
        auto* large = control<QRadioButton>(d, "optGrande");
        QCOMPARE(small->text(), QString(" Formato piccolo (2 ricevute su foglio A4) "));
        QCOMPARE(large->text(), QString(" Formato grande (1 ricevuta su foglio A4) "));
        QVERIFY(small->isChecked());
        QCOMPARE(small->palette().color(QPalette::WindowText), maroon);
        QCOMPARE(large->palette().color(QPalette::WindowText), black);
        clickOn(large);
        QVERIFY(large->isChecked());
        QVERIFY(!small->isChecked());
        QCOMPARE(large->palette().color(QPalette::WindowText), maroon);
        QCOMPARE(small->palette().color(QPalette::WindowText), black);
        auto* spin = control<QSpinBox>(d, "scrCopie");
        spin->setFocus();
        press(spin, Qt::Key_Up, QString());
        clickOn(control<QPushButton>(d, "cmdStampa"));
    });
    QCOMPARE(fake->documents.size(), 2);
    QCOMPARE(fake->documents[0]->orientation, platform::PageOrientation::Portrait);

    withDialog(filledReceipt(), [&](TfrmStampa* d) {
        auto* small = control<QRadioButton>(d, "optPiccolo");
        auto* large = control<QRadioButton>(d, "optGrande");
        QVERIFY(large->isChecked());
        QCOMPARE(large->palette().color(QPalette::WindowText), maroon);
        QCOMPARE(control<QLineEdit>(d, "txtCopie")->text(), QString("2"));
        // Back to the small format with the keyboard, for the tests after this one.
        press(small, Qt::Key_Space, " ");
        QVERIFY(small->isChecked());
        QCOMPARE(small->palette().color(QPalette::WindowText), maroon);
        QCOMPARE(large->palette().color(QPalette::WindowText), black);
        control<QSpinBox>(d, "scrCopie")->setValue(1);
    });
}

void TestReceiptPrint::everyCopyAJobOfItsOwn_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<platform::PageOrientation>("orientation");
    QTest::addColumn<int>("texts");

    QTest::newRow("small, landscape") << false << platform::PageOrientation::Landscape << 38 + 2 * 63 + 2;
    QTest::newRow("large, portrait") << true << platform::PageOrientation::Portrait << 67;
}

void TestReceiptPrint::everyCopyAJobOfItsOwn()
{
    QFETCH(bool, large);
    QFETCH(platform::PageOrientation, orientation);
    QFETCH(int, texts);

    withDialog(filledReceipt(), [&](TfrmStampa* d) {
        if (large)
            clickOn(control<QRadioButton>(d, "optGrande"));
        auto* spin = control<QSpinBox>(d, "scrCopie");
        spin->setFocus();
        press(spin, Qt::Key_Up, QString());
        press(spin, Qt::Key_Up, QString());
        QCOMPARE(control<QLineEdit>(d, "txtCopie")->text(), QString("3"));
        clickOn(control<QPushButton>(d, "cmdStampa"));
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(fake->printersUsed, QStringList{"Laser ufficio"});
    QCOMPARE(fake->documents.size(), 3);
    for (const RecordingCanvas* doc : fake->documents) {
        QCOMPARE(doc->orientation, orientation);
        QCOMPARE(doc->pages, 1);
        QVERIFY(doc->ended);
        QCOMPARE(doc->texts().size(), texts);
        QVERIFY(!doc->findText("Ricevuta n. 42").text.isEmpty());
    }
    // The busy pointer for each copy, and the normal one again at the end.
    QCOMPARE(fake->busyCalls, 3);
    QCOMPARE(fake->busyDepth, 0);
    QCOMPARE(fake->messages.size(), 0);

    withDialog(filledReceipt(), [](TfrmStampa* d) {
        control<QSpinBox>(d, "scrCopie")->setValue(1);
        clickOn(control<QRadioButton>(d, "optPiccolo"));
    });
}

void TestReceiptPrint::chosenPrinterIsUsed()
{
    withDialog(filledReceipt(), [](TfrmStampa* d) {
        auto* printers = control<QComboBox>(d, "cboPrinters");
        printers->setFocus();
        press(printers, Qt::Key_Down, QString());
        QCOMPARE(printers->currentText(), QString("Getto d'inchiostro"));
        clickOn(control<QPushButton>(d, "cmdStampa"));
    });
    QCOMPARE(fake->printersUsed, QStringList{"Getto d'inchiostro"});
    QCOMPARE(fake->documents.size(), 1);
}

void TestReceiptPrint::printerFailure_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<bool>("printerFails");

    QTest::newRow("no printer installed") << QStringList() << false;
    QTest::newRow("printer cannot start") << QStringList{"Laser ufficio"} << true;
}

// The message of every print flow, in a plain box; the dialog closes too.
void TestReceiptPrint::printerFailure()
{
    QFETCH(QStringList, installed);
    QFETCH(bool, printerFails);

    fake->printerNames = installed;
    fake->printerFails = printerFails;
    auto restore = qScopeGuard([this] { fake->printerFails = false; });
    bool shownWhileOpen = false;
    fake->onMessage = [&](const ShownMessage&) { shownWhileOpen = dialog()->isVisible(); };
    auto forget = qScopeGuard([this] { fake->onMessage = nullptr; });
    withDialog(filledReceipt(), [](TfrmStampa* d) {
        control<QSpinBox>(d, "scrCopie")->setValue(3);
        clickOn(control<QPushButton>(d, "cmdStampa"));
        control<QSpinBox>(d, "scrCopie")->setValue(1);
    });
    QCOMPARE(fake->documents.size(), 0);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].caption, QString("Ventoria 2.0"));
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::None);
    QCOMPARE(fake->messages[0].text, kFailure);
    QVERIFY(shownWhileOpen);
    QCOMPARE(fake->busyDepth, 0);
}

void TestReceiptPrint::logoReadAtEveryOpening_data()
{
    QTest::addColumn<QByteArray>("file");   // "" = no file
    QTest::addColumn<QSize>("printed");

    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&buffer, "BMP"));
    }
    QTest::newRow("a bitmap") << bmp << QSize(30, 20);
    QTest::newRow("missing: blank") << QByteArray() << QSize(1, 1);
    QTest::newRow("unreadable: blank") << QByteArray("BM not really a bitmap") << QSize(1, 1);
    QTest::newRow("a FIFO in its place: blank") << QByteArray("fifo") << QSize(1, 1);
}

void TestReceiptPrint::logoReadAtEveryOpening()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, printed);

    if (file == "fifo")
        PLANT_FIFO(screens->dir().file("Logo.bmp"));   // read as a file, it would never end
    else if (!file.isEmpty())
        screens->dir().writeAll("Logo.bmp", file);
    withDialog(filledReceipt(), [](TfrmStampa* d) { clickOn(control<QPushButton>(d, "cmdStampa")); });
    QCOMPARE(fake->documents.size(), 1);
    QList<QSize> sizes;
    for (const Op& op : fake->documents[0]->ops) {
        if (op.kind == Op::Image)
            sizes.append(op.imageSize);
    }
    QCOMPARE(sizes, (QList<QSize>{printed, printed}));
    QCOMPARE(dialog()->logo().pixel(0, 0), printed == QSize(1, 1) ? QColor(Qt::white).rgb() : QColor(Qt::red).rgb());
}

void TestReceiptPrint::printsToPdf_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("pageSize");

    // A4 in points, as the page's orientation turns it.
    QTest::newRow("large") << Format::Large << "595 842";
    QTest::newRow("small") << Format::Small << "842 595";
}

// Through the real printer side: with no printer installed the choice is a
// PDF file. VENTORIA_RECEIPT_PDF names a folder where the
// pages are kept, to look at them.
void TestReceiptPrint::printsToPdf()
{
    QFETCH(Format, format);
    QFETCH(QString, pageSize);

    platform::QtPlatform qt;
    platform::Platform* previous = platform::install(&qt);
    auto back = qScopeGuard([previous] { platform::install(previous); });
    const QStringList printers = qt.printers();
    if (printers != QStringList{"Stampa su file PDF"})
        QSKIP("printers are installed here: nothing is printed on them from a test");

    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    auto restoreHome = qScopeGuard([oldHome] { qputenv("HOME", oldHome); });

    QImage logo(600, 360, QImage::Format_RGB32);
    logo.fill(QColor(20, 60, 140));
    {
        QPainter p(&logo);
        p.setPen(Qt::white);
        QFont f("DejaVu Sans");
        f.setPixelSize(90);
        f.setBold(true);
        p.setFont(f);
        p.drawText(logo.rect(), Qt::AlignCenter, "ROSSI\nElettro");
    }
    QVERIFY(!qt.usePrinter("Nessuna stampante"));
    QVERIFY(qt.printerIsPdfFile(printers.first()));
    QVERIFY(qt.usePdfFile(home.filePath("ricevuta.pdf")));
    QVERIFY(ReceiptPrint::print(format, filledReceipt(), logo, 1));

    QFile pdf(home.filePath("ricevuta.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    const QByteArray keep = qgetenv("VENTORIA_RECEIPT_PDF");
    if (!keep.isEmpty()) {
        const QString name = QString::fromLocal8Bit(keep) + (format == Format::Large ? "/grande.pdf" : "/piccolo.pdf");
        QFile::remove(name);
        QVERIFY(pdf.copy(name));
    }
    QVERIFY(bytes.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox \[0 0 (\d+)(?:\.0+)? (\d+)(?:\.0+)?\])").match(QString::fromLatin1(bytes));
    QVERIFY(box.hasMatch());
    QCOMPARE(box.captured(1) + " " + box.captured(2), pageSize);
}

// The name proposed for a receipt's PDF is one Windows saves as written: no
// device name, no dot or blank at its end.
void TestReceiptPrint::pdfNamesEverySystemTakes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("name");
    QTest::newRow("usual") << "Ricevuta" << "12" << "05/03/2024" << "Ricevuta 12 del 05-03-2024.pdf";
    QTest::newRow("a device name alone") << "NUL" << "" << "" << "Ricevuta NUL.pdf";
    QTest::newRow("a device name, lower case") << "com1" << "" << "" << "Ricevuta com1.pdf";
    QTest::newRow("a device name before a dot") << "CON." << "" << "" << "Ricevuta CON.pdf";
    QTest::newRow("a device name with a number after it") << "PRN" << "3" << "" << "PRN 3.pdf";
    QTest::newRow("dots at the end") << "Ricevuta" << "7.." << "" << "Ricevuta 7.pdf";
    QTest::newRow("a colon never names a stream") << "Ric:evuta" << "1" << "" << "Ric-evuta 1.pdf";
}

void TestReceiptPrint::pdfNamesEverySystemTakes()
{
    QFETCH(QString, kind);
    QFETCH(QString, number);
    QFETCH(QString, date);
    QFETCH(QString, name);
    TRecRicevuta r;
    r.Ricevuta = kind;
    r.NumRic = number;
    r.Data = date;
    QCOMPARE(ReceiptPrint::pdfFileName(r), name);
}

QTEST_MAIN(TestReceiptPrint)
#include "tst_receiptprint.moc"
