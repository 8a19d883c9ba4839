#include "RecordingCanvas.h"
#include "ScreenFixture.h"

#include "screens/ListServices.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ui/TfrmRicevute.h"
#include "reports/ReceiptSummary.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "reports/ui/TfrmRiepTrimestraleRic.h"
#include "storage/ArchiveFile.h"
#include "storage/ReceiptRecord.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <memory>

using Kind = ReceiptSummary::PeriodRule::Kind;

namespace {

struct Receipt
{
    QString number, date, netto, iva, totale;
    QString client = QStringLiteral("Rossi Mario");
};

} // namespace

class TestSummaries : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void periodsAtTheirBorders_data();
    void periodsAtTheirBorders();
    void totalsAreSummedThenRoundedOnce_data();
    void totalsAreSummedThenRoundedOnce();
    void totalThatIsNotANumberIsListedButNotSummed();
    void failingYearFileStaysOnThePeriod();
    void listKeepsTheOrderOfTheFile();
    void backFocusesThePeriod_data();
    void backFocusesThePeriod();
    void monthIsChosenWithArrowsNotTyped();
    void yearFieldWarnsOfLetters_data();
    void yearFieldWarnsOfLetters();
    void printedSummaryClosesWithTheTotals();
    void doubleClickLoadsTheLaterOfEqualReceipts();
    void listWidensWithTheWindow();

private:
    void put(const QList<Receipt>& receipts)
    {
        ArchiveFile file(dir->file("2024.ric"), TRecRicevuta::Size);
        for (const Receipt& x : receipts) {
            TRecRicevuta r;
            r.Ricevuta = QStringLiteral("Ricevuta n.");
            r.NumRic = x.number;
            r.Data = x.date;
            r.Cliente = x.client;
            r.TotNetto = x.netto;
            r.TotIva = x.iva;
            r.Totale = x.totale;
            qint64 at = 0;
            QVERIFY(file.append(r.encode(), at));
        }
    }
    // A summary of the 2024 file as the editor opens it, built for choice
    // (a month or quarter picked with the arrow keys, as a user does).
    template <class Screen>
    std::unique_ptr<Screen> built(int downPresses)
    {
        auto screen = std::make_unique<Screen>();
        screen->setYear(ReceiptArchive::yearFilePath("2024"), "2024");
        screen->show();
        if (auto* cbo = screen->template findChild<QComboBox*>("cboMese")) {
            cbo->setFocus();
            for (int i = 0; i < downPresses; ++i)
                press(cbo, Qt::Key_Down, QString());
        }
        control<QPushButton>(screen.get(), "cmdTrova")->click();
        return screen;
    }
    static QStringList numbers(QWidget* screen)
    {
        QStringList found;
        for (const QString& line : control<RecordList>(screen, "lstRecords")->lines())
            found << line.mid(12, 12).trimmed();
        return found;
    }
    static QString text(QWidget* screen, const char* label) { return control<QLabel>(screen, label)->text(); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
};

void TestSummaries::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestSummaries::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestSummaries::cleanup()
{
    screens->endTest();
}

void TestSummaries::periodsAtTheirBorders_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("listed");
    auto row = [](const char* name, Kind k, const char* choice, const char* date, bool listed) {
        QTest::newRow(name) << int(k) << QString::fromUtf8(choice) << QString::fromUtf8(date) << listed;
    };
    row("31/01 in January", Kind::Month, "Gennaio", "31/01/2024", true);
    row("01/02 not in January", Kind::Month, "Gennaio", "01/02/2024", false);
    row("01/02 in February", Kind::Month, "Febbraio", "01/02/2024", true);
    row("31/01 not in February", Kind::Month, "Febbraio", "31/01/2024", false);
    row("5/3/2024 in no month", Kind::Month, "Marzo", "5/3/2024", false);
    row("blanks around the date", Kind::Month, "Marzo", "  05/03/2024 ", true);
    row("another year's March", Kind::Month, "Marzo", "05/03/2023", false);
    row("31/03 in the first quarter", Kind::Quarter, "Gennaio, febbraio, marzo", "31/03/2024", true);
    row("01/04 not in the first quarter", Kind::Quarter, "Gennaio, febbraio, marzo", "01/04/2024", false);
    row("01/04 in the second quarter", Kind::Quarter, "Aprile, maggio, giugno", "01/04/2024", true);
    row("31/03 not in the second quarter", Kind::Quarter, "Aprile, maggio, giugno", "31/03/2024", false);
    row("5/3/2024 in no quarter", Kind::Quarter, "Gennaio, febbraio, marzo", "5/3/2024", false);
    row("month 13 in no quarter", Kind::Quarter, "Ottobre, novembre, dicembre", "01/13/2024", false);
    row("01/12 in December", Kind::Month, "Dicembre", "01/12/2024", true);
    row("31/12 in December", Kind::Month, "Dicembre", "31/12/2024", true);
    row("30/11 not in December", Kind::Month, "Dicembre", "30/11/2024", false);
    row("01/10 in the fourth quarter", Kind::Quarter, "Ottobre, novembre, dicembre", "01/10/2024", true);
    row("31/12 in the fourth quarter", Kind::Quarter, "Ottobre, novembre, dicembre", "31/12/2024", true);
    row("30/09 not in the fourth quarter", Kind::Quarter, "Ottobre, novembre, dicembre", "30/09/2024", false);
    row("any month of the year", Kind::Year, "", "31/12/2024", true);
    row("another year left out", Kind::Year, "", "31/12/2023", false);
    row("5/3/2024 not in the year", Kind::Year, "", "5/3/2024", false);
    row("a blank inside the year", Kind::Month, "Marzo", "05/03/ 2024", false);
    row("a date with no year", Kind::Year, "", "05/03", false);
    row("a letter in the month", Kind::Quarter, "Gennaio, febbraio, marzo", "05/0a/2024", false);
    row("a longer date keeps its year", Kind::Month, "Marzo", "05/03/2024 ore 10", true);
}

void TestSummaries::periodsAtTheirBorders()
{
    QFETCH(int, kind);
    QFETCH(QString, choice);
    QFETCH(QString, date);
    QFETCH(bool, listed);
    put({{"1", date, "1", "0,22", "1,22"}});
    ReceiptSummary::PeriodRule rule{Kind(kind), choice, "2024"};
    ReceiptSummary::Summary summary;
    ArchiveFile file = ReceiptArchive::yearFile(ReceiptArchive::yearFilePath("2024"));
    QVERIFY(ReceiptSummary::build(file, rule, summary));
    QCOMPARE(summary.lines.count(), listed ? 1 : 0);
    QCOMPARE(summary.totale, QString::fromUtf8(listed ? "€ 1,22" : "€ 0,00"));
}

void TestSummaries::totalsAreSummedThenRoundedOnce_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total");
    QTest::newRow("cents") << QStringList{"10,10", "20,20"} << QString::fromUtf8("€ 30,30");
    QTest::newRow("tenths") << QStringList{"0,1", "0,2"} << QString::fromUtf8("€ 0,30");
    QTest::newRow("whole") << QStringList{"1234", "0,5"} << QString::fromUtf8("€ 1234,50");
    QTest::newRow("rounded at the end only") << QStringList{"0,004", "0,004"} << QString::fromUtf8("€ 0,01");
    QTest::newRow("tiny VAT total with an exponent") << QStringList{"4,00E-6", "0,005"} << QString::fromUtf8("€ 0,01");
    QTest::newRow("nothing") << QStringList{} << QString::fromUtf8("€ 0,00");
    // Damaged totals that swallow the ordinary ones, or a sum beyond any number.
    QTest::newRow("damaged 1E20 cancelling out") << QStringList{"1E20", "5,50", "-1E20"} << ReceiptSummary::uncomputableTotal();
    QTest::newRow("overflow") << QStringList{"1E308", "1E308"} << ReceiptSummary::uncomputableTotal();
}

void TestSummaries::totalsAreSummedThenRoundedOnce()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);
    QList<Receipt> receipts;
    for (const QString& a : amounts)
        receipts.append({QString::number(receipts.size() + 1), "15/03/2024", a, a, a});
    receipts.append({"99", "15/04/2024", "1000", "1000", "1000"});   // another month
    put(receipts);
    auto screen = built<TfrmRiepMensileRic>(3);
    QCOMPARE(control<RecordList>(screen.get(), "lstRecords")->count(), amounts.size());
    QCOMPARE(text(screen.get(), "lblTotNetto"), total);
    QCOMPARE(text(screen.get(), "lblTotIva"), total);
    QCOMPARE(text(screen.get(), "lblTotale"), total);
    QVERIFY(fake->messages.isEmpty());
}

void TestSummaries::totalThatIsNotANumberIsListedButNotSummed()
{
    put({{"1", "10/01/2024", "10", "2,2", "12,2"},
         {"2", "11/01/2024", "", "", ""},
         {"3", "12/01/2024", "5", "1,1", "6,1"},
         {"4", "13/01/2024", "1", "0,22", "dieci"}});
    auto screen = built<TfrmRiepAnnualeRic>(0);
    QCOMPARE(numbers(screen.get()), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(text(screen.get(), "lblTotNetto"), QString::fromUtf8("€ 15,00"));
    QCOMPARE(text(screen.get(), "lblTotIva"), QString::fromUtf8("€ 3,30"));
    QCOMPARE(text(screen.get(), "lblTotale"), QString::fromUtf8("€ 18,30"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text, ReceiptSummary::leftOutMessage(2));
    QVERIFY(fake->messages[0].text.startsWith("2 ricevute"));
    QVERIFY(control<QWidget>(screen.get(), "grpElenco")->isVisible());
}

void TestSummaries::failingYearFileStaysOnThePeriod()
{
    dir->putFolderInPlaceOf("2024.ric");
    auto screen = built<TfrmRiepAnnualeRic>(0);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QVERIFY(fake->lastMessage().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    QVERIFY(control<QWidget>(screen.get(), "grpCriteri")->isVisible());
    QCOMPARE(text(screen.get(), "lblTotale"), QString("0,00"));
    QVERIFY(control<QPushButton>(screen.get(), "cmdTrova")->isEnabled());
}

void TestSummaries::listKeepsTheOrderOfTheFile()
{
    put({{"3", "01/04/2024", "1", "1", "1"}, {"1", "30/06/2024", "1", "1", "1"}, {"2", "15/05/2024", "1", "1", "1"}});
    auto screen = built<TfrmRiepTrimestraleRic>(2);
    QCOMPARE(numbers(screen.get()), (QStringList{"3", "1", "2"}));
    // Back keeps the quarter and lets the same summary be built again.
    control<QPushButton>(screen.get(), "cmdIndietro")->click();
    QCOMPARE(control<QComboBox>(screen.get(), "cboMese")->currentText(), QString("Aprile, maggio, giugno"));
    QVERIFY(control<QPushButton>(screen.get(), "cmdTrova")->isEnabled());
}

void TestSummaries::backFocusesThePeriod_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("period");
    QTest::newRow("month") << 0 << "cboMese";
    QTest::newRow("quarter") << 1 << "cboMese";
    QTest::newRow("year") << 2 << "txtAnno";
}

void TestSummaries::backFocusesThePeriod()
{
    QFETCH(int, kind);
    QFETCH(QString, period);
    std::unique_ptr<QDialog> screen;
    if (kind == 0)
        screen = built<TfrmRiepMensileRic>(1);
    else if (kind == 1)
        screen = built<TfrmRiepTrimestraleRic>(1);
    else
        screen = built<TfrmRiepAnnualeRic>(0);
    // "Trova" builds the summary; find in the list is "Cerca".
    QCOMPARE(control<QPushButton>(screen.get(), "cmdTrova02")->text(), QString("Cerca"));
    QVERIFY(!control<QPushButton>(screen.get(), "cmdTrova")->isEnabled());
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    control<QPushButton>(screen.get(), "cmdIndietro")->click();
    QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>(screen.get(), period));
    QVERIFY(control<QPushButton>(screen.get(), "cmdTrova")->isEnabled());
}

void TestSummaries::monthIsChosenWithArrowsNotTyped()
{
    TfrmRiepMensileRic screen;
    screen.setYear(ReceiptArchive::yearFilePath("2024"), "2024");
    screen.show();
    auto* cbo = control<QComboBox>(&screen, "cboMese");
    auto* trova = control<QPushButton>(&screen, "cmdTrova");
    QCOMPARE(cbo->currentIndex(), -1);
    QVERIFY(!trova->isEnabled());
    cbo->setFocus();
    press(cbo, Qt::Key_M, "m");
    QCOMPARE(cbo->currentIndex(), -1);
    QVERIFY(!trova->isEnabled());
    press(cbo, Qt::Key_Down, QString());
    QCOMPARE(cbo->currentText(), QString("Gennaio"));
    QVERIFY(trova->isEnabled());
    QCOMPARE(control<QLineEdit>(&screen, "txtAnno")->text(), QString("2024"));
}

void TestSummaries::yearFieldWarnsOfLetters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warns");
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << true;
    QTest::newRow("digit") << int(Qt::Key_5) << "5" << false;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b" << false;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f" << false;
}

void TestSummaries::yearFieldWarnsOfLetters()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, warns);
    TfrmRiepAnnualeRic screen;
    screen.setYear(ReceiptArchive::yearFilePath("2024"), "2024");
    screen.show();
    auto* year = control<QLineEdit>(&screen, "txtAnno");
    QVERIFY(control<QPushButton>(&screen, "cmdTrova")->isEnabled());
    year->setFocus();
    press(year, key, text);
    QCOMPARE(year->text(), QString("2024"));
    if (warns) {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].caption, QString("Attenzione: dati non validi"));
        QCOMPARE(fake->messages[0].text, QString("Indicare un anno solare utilizzando solo caratteri numerici."));
        QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Warning);
    } else {
        QVERIFY(fake->messages.isEmpty());
    }
}

void TestSummaries::printedSummaryClosesWithTheTotals()
{
    put({{"1", "10/03/2024", "10,10", "2,22", "12,32"}, {"2", "20/03/2024", "20,20", "4,44", "24,64"}});
    auto screen = built<TfrmRiepMensileRic>(3);
    fake->answers << true;
    fake->printCopies << 1;
    control<QPushButton>(screen.get(), "cmdStampa")->click();
    QCOMPARE(fake->questions, QStringList{"Si vuole stampare il presente riepilogo di ricevute?"});
    QCOMPARE(fake->documents.size(), 1);
    QStringList printed;
    for (const RecordingCanvas::Op& op : fake->documents[0]->texts())
        printed << op.text;
    QVERIFY(printed.contains("Ricevute del mese di marzo 2024"));
    QVERIFY(printed.contains(QString(30, '-')));
    QVERIFY(printed.contains(QString::fromUtf8("TOTALE NETTO :   € 30,30")));
    QVERIFY(printed.contains(QString::fromUtf8("TOTALE IVA :     € 6,66")));
    QVERIFY(printed.contains(QString::fromUtf8("TOTALE :         € 36,96")));
}

void TestSummaries::doubleClickLoadsTheLaterOfEqualReceipts()
{
    auto* editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
    QVERIFY(editor);
    editor->showYearPanel();
    QVERIFY(ScreenFixture::openWorkArea(editor));
    control<QLineEdit>(editor, "txtAnno")->setText("2024");
    control<QPushButton>(editor, "cmdApri")->click();
    // Two receipts with the same list line: only their place in the file differs.
    put({{"7", "05/02/2024", "1", "1", "2"}, {"8", "05/02/2024", "1", "1", "2"}, {"7", "05/02/2024", "1", "1", "2"}});
    QTimer::singleShot(0, [] {
        TfrmRiepTrimestraleRic* summary = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmRiepTrimestraleRic" && w->isVisible())
                summary = static_cast<TfrmRiepTrimestraleRic*>(w);
        }
        QVERIFY(summary);
        auto close = qScopeGuard([summary] { summary->reject(); });
        auto* cbo = control<QComboBox>(summary, "cboMese");
        cbo->setFocus();
        press(cbo, Qt::Key_Down, QString());
        control<QPushButton>(summary, "cmdTrova")->click();
        auto* list = control<RecordList>(summary, "lstRecords");
        QCOMPARE(list->count(), 3);
        list->setCurrentRow(0);
        summary->lstRecordsDblClick();
    });
    ScreenFixture::press(editor, "cmdTrimestrale");
    QCOMPARE(control<QLineEdit>(editor, "txtNumRic")->text(), QString("7"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("3"));
}

void TestSummaries::listWidensWithTheWindow()
{
    put({{"1", "05/03/2024", "1234,50", "271,59", "1506,09", QStringLiteral("Bianchi Elettrodomestici S.n.c.")}});
    auto screen = built<TfrmRiepMensileRic>(3);
    auto* list = control<RecordList>(screen.get(), "lstRecords");
    const QString line = list->lines().value(0);
    QVERIFY(line.contains(QStringLiteral("1506,09")));
    const int needed = list->fontMetrics().horizontalAdvance(line);
    const QStringList stay{"cmdIndietro", "cmdTrova", "cmdAnnulla"}, move{"cmdStampa", "cmdFatture", "cmdTrova02", "lblTotale"},
                      grow{"lstRecords", "txtTrova"};
    QMap<QString, QRect> before;
    for (const QString& name : stay + move + grow)
        before[name] = control<QWidget>(screen.get(), name)->geometry();
    // Dragged wider by the line's missing part (where the screen did not
    // open it wide enough already): the whole line shows.
    const int dx = std::max(needed - list->viewport()->width() + 10, 100);
    const int width = screen->width();
    screen->resize(width + dx, screen->height());
    QCOMPARE(screen->width(), width + dx);
    QVERIFY(list->viewport()->width() >= needed);
    for (const QString& name : stay)
        QCOMPARE(control<QWidget>(screen.get(), name)->geometry(), before[name]);
    for (const QString& name : move)
        QCOMPARE(control<QWidget>(screen.get(), name)->geometry(), before[name].translated(dx, 0));
    for (const QString& name : grow)
        QCOMPARE(control<QWidget>(screen.get(), name)->geometry(), before[name].adjusted(0, 0, dx, 0));
    // Never narrower than designed, nor taller.
    screen->resize(600, 900);
    QCOMPARE(screen->size(), QSize(900, 580));
    QCOMPARE(control<QWidget>(screen.get(), "cmdStampa")->geometry(), before["cmdStampa"].translated(900 - width, 0));
}

QTEST_MAIN(TestSummaries)
#include "tst_summaries.moc"
