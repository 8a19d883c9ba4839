#include "receipts/ReceiptArchive.h"
#include "receipts/ui/TfrmRicevute.h"
#include "reports/ui/TfrmCercaRic.h"
#include "reports/ui/TfrmCercaSospesiRic.h"
#include "storage/ArchiveFile.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

struct Receipt
{
    QString number, date, client, city, code, brand, vat, taxCode, total, paid;
};

QByteArray record(const Receipt& r)
{
    using R = TRecRicevuta;
    return sampleBytes<R>({{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, r.number}, {&R::Data, r.date},
                           {&R::Venditore, "Ditta Bianchi"}, {&R::Cliente, r.client}, {&R::CittaCli, r.city},
                           {&R::CodiceApp, r.code}, {&R::MarcaApp, r.brand}, {&R::IvaCli, r.vat},
                           {&R::CodFiscCli, r.taxCode}, {&R::Totale, r.total}, {&R::Saldato, r.paid}});
}

// The number of each listed receipt, in list order.
QStringList numbers(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out.append(line.left(24).mid(QStringLiteral("Ricevuta n. ").size()).trimmed());
    return out;
}

} // namespace

class TestReceiptSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void criteria_data();
    void criteria();
    void backKeepsTheCriteria();
    void unpaidMembership_data();
    void unpaidMembership();
    void equalLinesChooseTheLaterReceipt();
    void searchHandsBackThroughTheEditor();
    void unpaidHandsBackAndSavingPaidLeavesTheList();
    void reportTitles_data();
    void reportTitles();
    void failingYearFile();

private:
    QString yearFile() const { return dir->file("2024.ric"); }
    void add(const Receipt& r)
    {
        ArchiveFile file = ReceiptArchive::yearFile(yearFile());
        qint64 at = 0;
        QVERIFY(file.append(record(r), at));
    }
    void addFour()
    {
        add({"9", "05/03/2024", "Rossi Mario", "Faenza", "LV-100", "Zeta", "01234567890", "RSSMRA", "10,00", "Sì"});
        add({"10", "12/03/2024", "De Rossi Anna", QString::fromUtf8("Forlì"), "FR-2", "alfa", "", "", "20,00", "No"});
        add({"11", "01/04/2024", "Bianchi Luca", "Faenza", "LV-101", "Zeta", "", "", "30,00", ""});
        add({"12", "02/04/2024", "rossini pia", "Imola", "", QString::fromUtf8("Élite"), "", "", "5,00", "Sì"});
    }
    QStringList searchFor(TfrmCercaRic& s, const QVariantMap& criteria)
    {
        for (auto it = criteria.begin(); it != criteria.end(); ++it)
            control<QLineEdit>(&s, it.key())->setText(it.value().toString());
        control<QPushButton>(&s, "cmdTrova")->click();
        return listItems(control<RecordList>(&s, "lstRecords"));
    }
    void openEditor()
    {
        editor->showYearPanel();
        QVERIFY(ScreenFixture::openWorkArea(editor));
        control<QLineEdit>(editor, "txtAnno")->setText("2024");
        control<QPushButton>(editor, "cmdApri")->click();
        QCOMPARE(editor->yearFilePath(), yearFile());
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    TfrmRicevute* editor = nullptr;
};

void TestReceiptSearch::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
    QVERIFY(editor);
}

void TestReceiptSearch::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestReceiptSearch::cleanup()
{
    editor->close();
    screens->endTest();
}

void TestReceiptSearch::criteria_data()
{
    QTest::addColumn<QVariantMap>("criteria");
    QTest::addColumn<QStringList>("listed");   // receipt numbers in list order
    // Sorted by the whole line: number 10 comes before number 9.
    QTest::newRow("none filled lists every receipt") << QVariantMap() << QStringList{"10", "11", "12", "9"};
    QTest::newRow("part of a name, any case") << QVariantMap{{"txtTipologia", "ROSSI"}}
                                              << QStringList{"10", "12", "9"};
    QTest::newRow("a leading blank as typed") << QVariantMap{{"txtTipologia", " rossi"}} << QStringList{"10"};
    QTest::newRow("month and year of the date") << QVariantMap{{"txtData", "03/2024"}} << QStringList{"10", "9"};
    QTest::newRow("name AND city") << QVariantMap{{"txtTipologia", "rossi"}, {"txtCognome", "faenza"}}
                                   << QStringList{"9"};
    QTest::newRow("city AND code AND brand")
        << QVariantMap{{"txtCognome", "Faenza"}, {"txtTelaio", "lv-10"}, {"txtTarga", "zeta"}}
        << QStringList{"11", "9"};
    QTest::newRow("number") << QVariantMap{{"txtDettagli", "1"}} << QStringList{"10", "11", "12"};
    QTest::newRow("VAT and tax code") << QVariantMap{{"txtNome", "0123"}, {"txtAzienda", "rssmra"}}
                                      << QStringList{"9"};
    QTest::newRow("a criterion found nowhere") << QVariantMap{{"txtTipologia", "rossi"}, {"txtNome", "5555"}}
                                               << QStringList{};
    QTest::newRow("accented capital not folded") << QVariantMap{{"txtTarga", QString::fromUtf8("élite")}}
                                                 << QStringList{};
    QTest::newRow("accented as stored") << QVariantMap{{"txtTarga", QString::fromUtf8("ÉLITE")}}
                                        << QStringList{"12"};
    QTest::newRow("blanks only count as empty") << QVariantMap{{"txtTipologia", "   "}}
                                                << QStringList{"10", "11", "12", "9"};
}

void TestReceiptSearch::criteria()
{
    QFETCH(QVariantMap, criteria);
    QFETCH(QStringList, listed);
    addFour();
    TfrmCercaRic s;
    s.setYear(yearFile(), "2024");
    QCOMPARE(numbers(searchFor(s, criteria)), listed);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(control<QWidget>(&s, "grpElenco")->isVisibleTo(&s));
    QVERIFY(control<QPushButton>(&s, "cmdStampa")->isEnabled());
    QVERIFY(!control<QPushButton>(&s, "cmdTrova")->isEnabled());
}

void TestReceiptSearch::backKeepsTheCriteria()
{
    addFour();
    TfrmCercaRic s;
    s.setYear(yearFile(), "2024");
    searchFor(s, {{"txtCognome", "Imola"}});
    control<QPushButton>(&s, "cmdIndietro")->click();
    QVERIFY(control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QCOMPARE(control<QLineEdit>(&s, "txtCognome")->text(), QString("Imola"));
    QCOMPARE(control<RecordList>(&s, "lstRecords")->count(), 0);
    QCOMPARE(s.focusWidget(), control<QWidget>(&s, "txtTipologia"));
    QVERIFY(!control<QPushButton>(&s, "cmdStampa")->isEnabled());
}

void TestReceiptSearch::unpaidMembership_data()
{
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("listed");
    QTest::newRow("Sì is paid") << QString::fromUtf8("Sì") << false;
    QTest::newRow("Sì with blanks is paid") << QString::fromUtf8(" Sì") << false;
    QTest::newRow("No") << "No" << true;
    QTest::newRow("Si without the accent") << "Si" << true;
    QTest::newRow("sì in lower case") << QString::fromUtf8("sì") << true;
    QTest::newRow("empty") << "" << true;
}

void TestReceiptSearch::unpaidMembership()
{
    QFETCH(QString, mark);
    QFETCH(bool, listed);
    add({"1", "01/02/2024", "Prova", "", "", "", "", "", "1,00", mark});
    add({"2", "02/02/2024", "Sempre", "", "", "", "", "", "2,00", "No"});
    TfrmCercaSospesiRic list;
    list.setYearFile(yearFile());
    list.show();
    const QStringList expected = listed ? QStringList{"1", "2"} : QStringList{"2"};
    QCOMPARE(numbers(listItems(control<RecordList>(&list, "lstRecords"))), expected);
    QVERIFY(fake->messages.isEmpty());
    list.reject();
}

void TestReceiptSearch::equalLinesChooseTheLaterReceipt()
{
    add({"7", "01/02/2024", "Uguale", "Lugo", "", "", "", "", "9,00", "No"});
    add({"8", "01/02/2024", "Altro", "", "", "", "", "", "9,00", "No"});
    add({"7", "01/02/2024", "Uguale", "Ravenna", "", "", "", "", "9,00", "No"});
    TfrmCercaRic s;
    s.setYear(yearFile(), "2024");
    const QStringList lines = searchFor(s, {{"txtTipologia", "uguale"}});
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], lines[1]);
    control<RecordList>(&s, "lstRecords")->setCurrentRow(0);
    s.lstRecordsDblClick();
    QVERIFY(s.chosen());
    QCOMPARE(s.chosen()->record.CittaCli, QString("Ravenna"));
    QCOMPARE(s.chosen()->position, qint64(3));
    QVERIFY(!s.isVisible());
}

void TestReceiptSearch::searchHandsBackThroughTheEditor()
{
    addFour();
    openEditor();
    QTimer::singleShot(0, [this] {
        auto* search = static_cast<TfrmCercaRic*>(shownTopLevel("frmCercaRic"));
        QVERIFY(search);
        auto close = qScopeGuard([search] { search->reject(); });
        control<QLineEdit>(search, "txtTipologia")->setText("bianchi");
        control<QPushButton>(search, "cmdTrova")->click();
        auto* list = control<RecordList>(search, "lstRecords");
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        search->lstRecordsDblClick();
    });
    ScreenFixture::press(editor, "cmdRicerca");
    QCOMPARE(control<QLineEdit>(editor, "txtCliente")->text(), QString("Bianchi Luca"));
    QCOMPARE(control<QLineEdit>(editor, "txtTelaio")->text(), QString("LV-101"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("3"));
    // The next Save updates the receipt where it is.
    control<QLineEdit>(editor, "txtCittaCli")->setText("Cesena");
    ScreenFixture::press(editor, "cmdSalva");
    QCOMPARE(dir->readAll("2024.ric").size(), 4 * TRecRicevuta::Size);
    QCOMPARE(TRecRicevuta::decode(dir->readAll("2024.ric").mid(2 * TRecRicevuta::Size, TRecRicevuta::Size)).CittaCli,
             QString("Cesena"));
}

void TestReceiptSearch::unpaidHandsBackAndSavingPaidLeavesTheList()
{
    addFour();
    openEditor();
    auto chooseLine = [](int row, int expectedCount) {
        QTimer::singleShot(0, [row, expectedCount] {
            auto* unpaid = static_cast<TfrmCercaSospesiRic*>(shownTopLevel("frmCercaSospesiRic"));
            QVERIFY(unpaid);
            auto close = qScopeGuard([unpaid] { unpaid->reject(); });
            auto* list = control<RecordList>(unpaid, "lstRecords");
            QCOMPARE(list->count(), expectedCount);
            if (row < 0)
                return;
            list->setCurrentRow(row);
            unpaid->lstRecordsDblClick();
        });
    };
    auto* paid = control<QCheckBox>(editor, "chkSaldato");
    paid->setChecked(true);
    // Receipt 10 is marked "No": it arrives with the paid box cleared.
    chooseLine(0, 2);
    ScreenFixture::press(editor, "cmdSospesi");
    QCOMPARE(control<QLineEdit>(editor, "txtNumRic")->text(), QString("10"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("2"));
    QVERIFY(!paid->isChecked());
    paid->click();
    ScreenFixture::press(editor, "cmdSalva");
    // Saved paid, it is no longer listed; only receipt 11 is left.
    chooseLine(-1, 1);
    ScreenFixture::press(editor, "cmdSospesi");
    TfrmCercaSospesiRic left;
    left.setYearFile(yearFile());
    left.show();
    QCOMPARE(numbers(listItems(control<RecordList>(&left, "lstRecords"))), QStringList{"11"});
    left.reject();
}

void TestReceiptSearch::reportTitles_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("emptyFind");
    QTest::newRow("search") << true << "Ricevute dell'anno 2024" << 20
                            << "Ricerca non applicabile: la lista non contiene nessuna ricevuta.";
    QTest::newRow("unpaid") << false << "Ricevute non ancora saldate" << 23
                            << "Ricerca non applicabile: la lista non contiene nessuna voce.";
}

void TestReceiptSearch::reportTitles()
{
    QFETCH(bool, search);
    QFETCH(QString, title);
    QFETCH(int, rule);
    QFETCH(QString, emptyFind);
    addFour();
    std::unique_ptr<ListScreen> screen;
    if (search) {
        auto* s = new TfrmCercaRic;
        s->setYear(yearFile(), " 2024 ");
        screen.reset(s);
        searchFor(*s, {});
    } else {
        auto* s = new TfrmCercaSospesiRic;
        s->setYearFile(yearFile());
        screen.reset(s);
        s->show();
    }
    const QStringList lines = listItems(control<RecordList>(screen.get(), "lstRecords"));
    QVERIFY(!lines.isEmpty());
    fake->answers.enqueue(true);
    fake->printCopies.enqueue(1);
    control<QPushButton>(screen.get(), "cmdStampa")->click();
    QCOMPARE(fake->questions, QStringList{"Si vuole stampare il presente elenco?"});
    QCOMPARE(fake->documents.size(), 1);
    const QList<RecordingCanvas::Op> t = fake->documents[0]->texts();
    QCOMPARE(t[0].text, QString(rule, '-'));
    QCOMPARE(t[1].text, title);
    QCOMPARE(t[2].text, QString(rule, '-'));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(t[3 + i].text, lines[i]);
    // The empty-list text of find, on an emptied list.
    control<RecordList>(screen.get(), "lstRecords")->clear();
    control<QPushButton>(screen.get(), "cmdTrova02")->click();
    QCOMPARE(fake->lastMessage(), emptyFind);
    screen->reject();
}

void TestReceiptSearch::failingYearFile()
{
    dir->putFolderInPlaceOf("2024.ric");
    TfrmCercaRic s;
    s.setYear(yearFile(), "2024");
    searchFor(s, {{"txtTipologia", "x"}});
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QVERIFY(fake->lastMessage().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    QVERIFY(control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QVERIFY(control<QPushButton>(&s, "cmdTrova")->isEnabled());
    // The unpaid list says nothing and lists nothing.
    fake->clear();
    TfrmCercaSospesiRic list;
    list.setYearFile(yearFile());
    list.show();
    QCOMPARE(control<RecordList>(&list, "lstRecords")->count(), 0);
    QVERIFY(fake->messages.isEmpty());
    list.reject();
}

QTEST_MAIN(TestReceiptSearch)
#include "tst_receiptsearch.moc"
