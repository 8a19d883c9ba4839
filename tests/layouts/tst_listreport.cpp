#include "layouts/ListReport.h"
#include "screens/ListServices.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include <QtTest>

using Op = RecordingCanvas::Op;

namespace {

const QString kStamp = QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 14:30:15");
const QString kEmptyPrint =
    QStringLiteral("Operazione di stampa non applicabile: la lista non contiene nessuna voce.");

QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(QStringLiteral("Riga %1   ").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

ListReportSpec plainSpec()
{
    ListReportSpec spec;
    spec.title = QStringLiteral("Anagrafica clienti");
    spec.ruleLength = 21;
    return spec;
}

ListReportSpec totalsSpec()
{
    ListReportSpec spec;
    spec.title = QStringLiteral("Ricevute del mese di marzo 2024");
    spec.ruleLength = 30;
    spec.totals = true;
    spec.totNetto = QString::fromUtf8("  € 1000,00 ");
    spec.totIva = QString::fromUtf8(" € 220,00");
    spec.totale = QString::fromUtf8("€ 1220,00  ");
    spec.question = QStringLiteral("Si vuole stampare il presente riepilogo di ricevute?");
    return spec;
}

// A landscape page at 600 dpi, 4800 pixels high unless told otherwise.
struct Page
{
    explicit Page(int dpi = 600, int height = 4800)
        : canvas(6600, height, dpi, dpi, platform::PageOrientation::Landscape, QStringLiteral("prova"))
    {
    }
    RecordingCanvas canvas;
};

} // namespace

class TestListReport : public QObject
{
    Q_OBJECT
private slots:
    void stampLine();
    void headingAtSixHundredDpi();
    void linesEveryTwoLineHeightsUnchanged();
    void headingFollowsThePrinterResolution();
    void fontIsPlainBlackCourier();
    void longListContinuesOnNewPageWithoutTitle();
    void plainClosingBelowLastLine();
    void totalsClosing();
    void closingThatWouldFallOffThePageMovesToNextPage();
    void closingThatFitsStaysOnThePage();

    void emptyListOnlyShowsMessage();
    void noAnswerPrintsNothing();
    void cancelOrZeroCopiesPrintsNothing();
    void oneJobPerCopy();
    void summaryAsksItsOwnQuestion();
    void failingPrinterReportsOnceAndStops();
};

void TestListReport::stampLine()
{
    QCOMPARE(listReportStampLine(QDate(2024, 3, 5), QTime(9, 5, 7)),
             QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:05:07"));
}

void TestListReport::headingAtSixHundredDpi()
{
    Page page;
    composeListReport(page.canvas, {QStringLiteral("una riga")}, plainSpec(), kStamp);
    const QList<Op> t = page.canvas.texts();
    QVERIFY(t.size() >= 4);
    const QString rule(21, QLatin1Char('-'));
    QCOMPARE(t[0].text, rule);
    QCOMPARE(QPoint(t[0].x, t[0].y), QPoint(150, 234));
    QCOMPARE(t[0].font.size, 14);
    QCOMPARE(t[1].text, QStringLiteral("Anagrafica clienti"));
    QCOMPARE(QPoint(t[1].x, t[1].y), QPoint(150, 334));
    QCOMPARE(t[1].font.size, 12);
    QCOMPARE(t[2].text, rule);
    QCOMPARE(QPoint(t[2].x, t[2].y), QPoint(150, 434));
    QCOMPARE(t[2].font.size, 14);
    QCOMPARE(t[3].text, QStringLiteral("una riga"));
    QCOMPARE(QPoint(t[3].x, t[3].y), QPoint(150, 635));
    QCOMPARE(t[3].font.size, 8);
}

void TestListReport::linesEveryTwoLineHeightsUnchanged()
{
    Page page;
    const QStringList lines = {QStringLiteral("Rossi Mario     "), QStringLiteral("  Verdi"),
                               QStringLiteral("Bianchi   ")};
    composeListReport(page.canvas, lines, plainSpec(), kStamp);
    const QList<Op> t = page.canvas.texts();
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(t[3 + i].text, lines[i]);   // trailing and leading blanks kept
        QCOMPARE(t[3 + i].y, 635 + 134 * i);
        QCOMPARE(t[3 + i].x, 150);
    }
    QCOMPARE(page.canvas.pages, 1);
}

void TestListReport::headingFollowsThePrinterResolution()
{
    // 300 dpi: h(14) = 58, h(12) = 50, h(8) = 33 (33.3 rounded).
    Page page(300, 2400);
    composeListReport(page.canvas, {QStringLiteral("a"), QStringLiteral("b")}, plainSpec(), kStamp);
    const QList<Op> t = page.canvas.texts();
    QCOMPARE(t[0].y, 116);
    QCOMPARE(t[1].y, 166);
    QCOMPARE(t[2].y, 216);
    QCOMPARE(t[3].y, 315);
    QCOMPARE(t[4].y, 381);
    // 720 dpi: h(14) = 140, h(12) = 120, h(8) = 80.
    Page fine(720, 5760);
    composeListReport(fine.canvas, {QStringLiteral("a")}, plainSpec(), kStamp);
    QCOMPARE(fine.canvas.texts()[3].y, 280 + 240 + 240);
}

void TestListReport::fontIsPlainBlackCourier()
{
    Page page;
    platform::FontSpec printerFont;
    printerFont.family = QStringLiteral("Arial");
    printerFont.bold = true;
    printerFont.underline = true;
    printerFont.italic = true;
    printerFont.color = Qt::red;
    page.canvas.setFont(printerFont);
    composeListReport(page.canvas, {QStringLiteral("x")}, totalsSpec(), kStamp);
    for (const Op& op : page.canvas.texts()) {
        QCOMPARE(op.font.family, QStringLiteral("Courier New"));
        QVERIFY(!op.font.bold);
        QVERIFY(!op.font.underline);
        QVERIFY(!op.font.italic);
        QCOMPARE(op.font.color, QColor(Qt::black));
    }
}

void TestListReport::longListContinuesOnNewPageWithoutTitle()
{
    // Page 4800 high: a line due at y >= 4599 moves over. Lines run 635, 769, ...
    // 635 + 29 × 134 = 4521 is the last on page 1; the next would be at 4655.
    Page page;
    const QStringList lines = numberedLines(40);
    composeListReport(page.canvas, lines, plainSpec(), kStamp);
    const Op last1 = page.canvas.findText(lines[29]);
    QCOMPARE(last1.page, 1);
    QCOMPARE(last1.y, 4521);
    const Op first2 = page.canvas.findText(lines[30]);
    QCOMPARE(first2.page, 2);
    QCOMPARE(first2.y, 134);
    QCOMPARE(page.canvas.findText(lines[31]).y, 268);
    int titlesOnPage2 = 0;
    for (const Op& op : page.canvas.texts()) {
        if (op.page == 2 && (op.font.size != 8 || op.text.startsWith(QLatin1Char('-'))))
            ++titlesOnPage2;
    }
    QCOMPARE(titlesOnPage2, 0);
    QCOMPARE(page.canvas.pages, 2);
}

void TestListReport::plainClosingBelowLastLine()
{
    Page page;
    composeListReport(page.canvas, numberedLines(3), plainSpec(), kStamp);
    // Last line at 635 + 268 = 903, y after it 1037.
    const QList<Op> t = page.canvas.texts();
    QCOMPARE(t.size(), 3 + 3 + 2);
    const Op rule = t[6];
    QCOMPARE(rule.text, QString(20, QLatin1Char('_')));
    QCOMPARE(QPoint(rule.x, rule.y), QPoint(150, 1087));
    QCOMPARE(rule.font.size, 8);
    const Op stamp = t[7];
    QCOMPARE(stamp.text, kStamp);
    QCOMPARE(QPoint(stamp.x, stamp.y), QPoint(150, 1187));
    QCOMPARE(stamp.font.size, 8);
}

void TestListReport::totalsClosing()
{
    Page page;
    composeListReport(page.canvas, numberedLines(1), totalsSpec(), kStamp);
    // One line at 635, y after it 769.
    const QList<Op> t = page.canvas.texts();
    QCOMPARE(t.size(), 3 + 1 + 6);
    const QString rule(52, QLatin1Char('_'));
    struct Expected
    {
        QString text;
        int y;
        int size;
    };
    const Expected expected[] = {
        {rule, 774, 8},
        {QString::fromUtf8("TOTALE NETTO :   € 1000,00"), 919, 10},
        {QString::fromUtf8("TOTALE IVA :     € 220,00"), 1019, 10},
        {QString::fromUtf8("TOTALE :         € 1220,00"), 1119, 10},
        {rule, 1219, 8},
        {kStamp, 1319, 8},
    };
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(t[4 + i].text, expected[i].text);
        QCOMPARE(t[4 + i].y, expected[i].y);
        QCOMPARE(t[4 + i].x, 150);
        QCOMPARE(t[4 + i].font.size, expected[i].size);
    }
    // The amounts share one column.
    QCOMPARE(t[5].text.indexOf(QChar(0x20AC)), 17);
    QCOMPARE(t[6].text.indexOf(QChar(0x20AC)), 17);
    QCOMPARE(t[7].text.indexOf(QChar(0x20AC)), 17);
}

void TestListReport::closingThatWouldFallOffThePageMovesToNextPage()
{
    // 30 lines: the last at 4521 on page 1, y after it 4655. The stamp would
    // stand at 4805, below the 4800-pixel page, and be lost.
    {
        Page page;
        composeListReport(page.canvas, numberedLines(30), plainSpec(), kStamp);
        const Op stamp = page.canvas.findText(kStamp);
        QCOMPARE(stamp.page, 2);
        QCOMPARE(stamp.y, 134 + 150);
        const Op rule = page.canvas.findText(QString(20, QLatin1Char('_')));
        QCOMPARE(rule.page, 2);
        QCOMPARE(rule.y, 134 + 50);
    }
    // The summaries' totals are never split from their rule or cut off.
    {
        Page page(600, 4800);
        composeListReport(page.canvas, numberedLines(27), totalsSpec(), kStamp);
        // 27 lines: last at 4119, y after it 4253; the stamp would be at 4803.
        for (const Op& op : page.canvas.texts().mid(3 + 27)) {
            QCOMPARE(op.page, 2);
            QVERIFY(op.y + 100 <= 4800);
        }
        QCOMPARE(page.canvas.findText(kStamp).y, 134 + 550);
    }
}

void TestListReport::closingThatFitsStaysOnThePage()
{
    // 26 lines: last at 3985, y after it 4119; the stamp at 4669 ends at 4736.
    Page page;
    composeListReport(page.canvas, numberedLines(26), totalsSpec(), kStamp);
    const Op stamp = page.canvas.findText(kStamp);
    QCOMPARE(stamp.page, 1);
    QCOMPARE(stamp.y, 4119 + 550);
    QCOMPARE(page.canvas.pages, 1);
}

void TestListReport::emptyListOnlyShowsMessage()
{
    FakePlatform fake;
    fake.answers.enqueue(true);
    fake.printCopies.enqueue(1);
    printListReport(nullptr, {}, plainSpec());
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake.messages[0].caption, QStringLiteral("Ventoria 2.0"));
    QCOMPARE(fake.messages[0].icon, platform::MessageIcon::None);
    QCOMPARE(fake.messages[0].text, kEmptyPrint);
    QCOMPARE(fake.printDialogs, 0);
    QVERIFY(fake.documents.isEmpty());
}

void TestListReport::noAnswerPrintsNothing()
{
    FakePlatform fake;
    fake.answers.enqueue(false);
    fake.printCopies.enqueue(1);
    printListReport(nullptr, numberedLines(2), plainSpec());
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Question);
    QCOMPARE(fake.messages[0].caption, QStringLiteral("Conferma operazione di stampa"));
    QCOMPARE(fake.messages[0].text, QStringLiteral("Si vuole stampare il presente elenco?"));
    QCOMPARE(fake.printDialogs, 0);
    QVERIFY(fake.documents.isEmpty());
}

void TestListReport::cancelOrZeroCopiesPrintsNothing()
{
    FakePlatform fake;
    fake.answers << true << true;
    fake.printCopies << -1 << 0;
    printListReport(nullptr, numberedLines(2), plainSpec());
    printListReport(nullptr, numberedLines(2), plainSpec());
    QCOMPARE(fake.printDialogs, 2);
    QVERIFY(fake.documents.isEmpty());
    QCOMPARE(fake.messages.size(), 2);   // the two questions, nothing else
    QCOMPARE(fake.busyDepth, 0);
}

void TestListReport::oneJobPerCopy()
{
    FakePlatform fake;
    fake.answers.enqueue(true);
    fake.printCopies.enqueue(3);
    const QStringList lines = numberedLines(2);
    printListReport(nullptr, lines, plainSpec());
    QCOMPARE(fake.documents.size(), 3);
    for (RecordingCanvas* doc : fake.documents) {
        QVERIFY(doc->ended);
        QCOMPARE(doc->orientation, platform::PageOrientation::Landscape);
        QCOMPARE(doc->pages, 1);
        QCOMPARE(doc->texts().size(), 3 + 2 + 2);
        QCOMPARE(doc->findText(lines[1]).y, 769);
        QCOMPARE(doc->findText(kStamp).y, 769 + 134 + 150);
    }
    QCOMPARE(fake.busyCalls, 3);
    QCOMPARE(fake.busyDepth, 0);
}

void TestListReport::summaryAsksItsOwnQuestion()
{
    FakePlatform fake;
    fake.answers.enqueue(true);
    fake.printCopies.enqueue(1);
    printListReport(nullptr, numberedLines(1), totalsSpec());
    QCOMPARE(fake.questions, QStringList{QStringLiteral("Si vuole stampare il presente riepilogo di ricevute?")});
    QCOMPARE(fake.documents.size(), 1);
    QVERIFY(!fake.documents[0]->findText(QString::fromUtf8("TOTALE :         € 1220,00")).text.isEmpty());
}

void TestListReport::failingPrinterReportsOnceAndStops()
{
    FakePlatform fake;
    fake.printerFails = true;
    fake.answers.enqueue(true);
    fake.printCopies.enqueue(3);
    printListReport(nullptr, numberedLines(2), plainSpec());
    QCOMPARE(fake.messages.size(), 2);
    QCOMPARE(fake.messages[1].kind, MessageKind::Plain);
    QCOMPARE(fake.messages[1].text, platform::printFailureMessage());
    QCOMPARE(fake.busyDepth, 0);
}

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
