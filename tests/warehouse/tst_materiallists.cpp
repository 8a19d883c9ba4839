#include "storage/ArchiveFile.h"
#include "warehouse/MaterialCard.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmCercaSottoscorta.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct Article
{
    QString code, type, brand, model, price, stock, threshold, note;
    QString cost, supplier, contact;
};

TRecMateriale record(const Article& a)
{
    using M = TRecMateriale;
    return sample<M>({{&M::Codice, a.code}, {&M::Tipologia, a.type}, {&M::Marca, a.brand}, {&M::Modello, a.model},
                      {&M::Prezzo, a.price}, {&M::Giacenza, a.stock}, {&M::Sottoscorta, a.threshold},
                      {&M::Note, a.note}, {&M::Costo, a.cost}, {&M::Fornitore, a.supplier}, {&M::Recapito, a.contact}});
}

} // namespace

class TestMaterialLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchLineColumns();
    void underStockLineColumns();
    void searchCriteria_data();
    void searchCriteria();
    void equalLinesLoadTheLaterCard();
    void receiptModeKeepsItsMark();
    void failingArchiveStaysOnCriteria();
    void underStockMembership_data();
    void underStockMembership();
    void underStockHandsBackTheCard();
    void emptyUnderStockListFindAndPrint();

private:
    void add(const Article& a)
    {
        ArchiveFile archive = MaterialCard::archive();
        qint64 position = 0;
        QVERIFY(archive.append(record(a).encode(), position));
    }
    QStringList searchFor(TfrmCercaMateriale& s, const QMap<QString, QString>& criteria)
    {
        for (auto it = criteria.begin(); it != criteria.end(); ++it)
            control<QLineEdit>(&s, it.key())->setText(it.value());
        control<QPushButton>(&s, "cmdTrova")->click();
        return listItems(control<RecordList>(&s, "lstRecords"));
    }

    std::unique_ptr<ScreenFixture> screens;
};

void TestMaterialLists::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
}

void TestMaterialLists::init()
{
    screens->beginTest();
}

void TestMaterialLists::cleanup()
{
    screens->endTest();
}

void TestMaterialLists::searchLineColumns()
{
    const QString line = MaterialCard::searchLine(
        record({"  LAV-001  ", "Lavatrice", " Zeta ", " Z100 ", "399,00", "4", "1", " da esposizione "}));
    QCOMPARE(line, QString("LAV-001") + QString(23, ' ') + "  " + "Lavatrice" + QString(16, ' ') + "  "
                       + "Zeta Z100" + QString(21, ' ') + "  Prezzo: " + "399,00" + QString(9, ' ')
                       + "  Giacenza: " + "4" + QString(9, ' ') + "  " + "da esposizione");
    QCOMPARE(line.indexOf("  Prezzo: "), 89);
    // A code longer than its column is cut; brand and model keep their one blank when the model is empty.
    const QString cut = MaterialCard::searchLine(record({QString(40, 'C'), "", "Zeta", "", "", "", "", ""}));
    QCOMPARE(cut.left(32), QString(30, 'C') + "  ");
    QCOMPARE(cut.mid(59, 30), QString("Zeta") + QString(26, ' '));
}

void TestMaterialLists::underStockLineColumns()
{
    const QString line = MaterialCard::underStockLine(record(
        {"FRI-9", "", "Alfa", "F2", "", "2", "3", "", "150,5", "Ricambi Rossi Srl", " 0543 123456 "}));
    QCOMPARE(line, QString("FRI-9") + QString(20, ' ') + "  " + "Alfa F2" + QString(23, ' ') + "  Costo: "
                       + "150,5" + QString(10, ' ') + "  Giacenza: " + "2" + QString(9, ' ') + "  "
                       + "Ricambi Rossi Srl" + QString(13, ' ') + "  " + "0543 123456");
}

void TestMaterialLists::searchCriteria_data()
{
    QTest::addColumn<QVariantMap>("criteria");
    QTest::addColumn<QStringList>("codes");   // in list order
    QTest::newRow("all blank lists every card") << QVariantMap() << QStringList{"A1", "B2", "C3", "D4"};
    QTest::newRow("brand in capitals") << QVariantMap{{"txtNome", "ZETA"}} << QStringList{"A1", "C3"};
    QTest::newRow("brand and model: AND") << QVariantMap{{"txtNome", "zeta"}, {"cboMese", "x"}}
                                          << QStringList{"C3"};
    QTest::newRow("accented capitals are not folded") << QVariantMap{{"txtDettagli", QString::fromUtf8("È")}}
                                                      << QStringList{};
    QTest::newRow("accented as stored") << QVariantMap{{"txtDettagli", QString::fromUtf8("è")}}
                                        << QStringList{"B2"};
    QTest::newRow("criterion as typed, blanks included") << QVariantMap{{"txtAnno", "a b"}} << QStringList{};
}

void TestMaterialLists::searchCriteria()
{
    QFETCH(QVariantMap, criteria);
    QFETCH(QStringList, codes);
    add({"C3", "Frigo", "Zeta", "X9", "10", "1", "0", ""});
    add({"A1", "Lavatrice", "zeta", "Y1", "10", "1", "0", ""});
    add({"B2", "Forno", "Beta", "Q", "10", "1", "0", QString::fromUtf8("è nuovo")});
    add({"D4", "Phon", "Gamma", "", "10", "1", "0", ""});
    QMap<QString, QString> typed;
    for (auto it = criteria.begin(); it != criteria.end(); ++it)
        typed.insert(it.key(), it.value().toString());
    TfrmCercaMateriale s;
    const QStringList lines = searchFor(s, typed);
    QStringList found;
    for (const QString& line : lines)
        found.append(line.left(30).trimmed());
    QCOMPARE(found, codes);
    QVERIFY(screens->fake().messages.isEmpty());
}

void TestMaterialLists::equalLinesLoadTheLaterCard()
{
    add({"GEM", "Tipo", "M", "N", "1", "2", "0", "", "5,00"});
    add({"ALT", "Tipo", "M", "N", "1", "2", "0", ""});
    add({"GEM", "Tipo", "M", "N", "1", "2", "0", "", "7,00"});
    TfrmCercaMateriale s;
    s.setCallerMark("materiali");
    const QStringList lines = searchFor(s, {{"txtCognome", "gem"}});
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], lines[1]);
    control<RecordList>(&s, "lstRecords")->setCurrentRow(0);
    s.lstRecordsDblClick();
    QVERIFY(s.chosen());
    QCOMPARE(s.chosen()->record.Costo, QString("7,00"));
    QCOMPARE(s.chosen()->position, qint64(3));
    QVERIFY(!s.isVisible());
}

void TestMaterialLists::receiptModeKeepsItsMark()
{
    add({"K1", "Caldaia", "Beta", "B2", "1.200", "1", "0", ""});
    TfrmCercaMateriale s;
    s.setCallerMark("  ricevute ");
    searchFor(s, {});
    control<RecordList>(&s, "lstRecords")->setCurrentRow(0);
    s.lstRecordsDblClick();
    QCOMPARE(s.callerMark(), QString("ricevute"));
    QVERIFY(s.chosen());
    QCOMPARE(s.chosen()->record.Tipologia, QString("Caldaia"));
    // The next use of the same window starts with no choice and empty criteria.
    s.show();
    QVERIFY(!s.chosen());
    QCOMPARE(control<QLineEdit>(&s, "txtCognome")->text(), QString());
    s.reject();
}

void TestMaterialLists::failingArchiveStaysOnCriteria()
{
    screens->dir().putFolderInPlaceOf("Materiali.pro");
    TfrmCercaMateriale s;
    searchFor(s, {{"txtNome", "x"}});
    QCOMPARE(screens->fake().messages.size(), 1);
    QCOMPARE(screens->fake().messages[0].kind, MessageKind::Plain);
    QVERIFY(screens->fake().lastMessage().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    QVERIFY(control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QVERIFY(control<QPushButton>(&s, "cmdTrova")->isEnabled());
    QVERIFY(!control<QPushButton>(&s, "cmdStampa")->isEnabled());
}

void TestMaterialLists::underStockMembership_data()
{
    QTest::addColumn<QString>("stock");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<bool>("listed");
    QTest::newRow("3 at 3") << "3" << "3" << true;
    QTest::newRow("4 over 3") << "4" << "3" << false;
    QTest::newRow("defaults 0 and 0") << "0" << "0" << true;
    QTest::newRow("2,5 over 2") << "2,5" << "2" << false;
    QTest::newRow("2,5 under 3") << "2,5" << "3" << true;
    QTest::newRow("negative stock") << "-1" << "0" << true;
    // A damaged card is left out; the cards after it are still listed.
    QTest::newRow("stock not a number") << "tre" << "3" << false;
    QTest::newRow("empty threshold") << "1" << "" << false;
}

void TestMaterialLists::underStockMembership()
{
    QFETCH(QString, stock);
    QFETCH(QString, threshold);
    QFETCH(bool, listed);
    add({"PROVA", "", "", "", "", stock, threshold, ""});
    add({"SEMPRE", "", "", "", "", "0", "5", ""});
    TfrmCercaSottoscorta list;
    list.show();
    QStringList codes;
    for (const QString& line : listItems(control<RecordList>(&list, "lstRecords")))
        codes.append(line.left(25).trimmed());
    QCOMPARE(codes, listed ? QStringList({"PROVA", "SEMPRE"}) : QStringList({"SEMPRE"}));
    QVERIFY(screens->fake().messages.isEmpty());
    list.reject();
}

void TestMaterialLists::underStockHandsBackTheCard()
{
    add({"BASSO", "", "Alfa", "", "", "9", "1", ""});
    add({"FINITO", "", "Beta", "", "", "1", "2", "", "3,00"});
    TfrmCercaSottoscorta list;
    list.show();
    auto* lst = control<RecordList>(&list, "lstRecords");
    QCOMPARE(lst->count(), 1);
    lst->setCurrentRow(0);
    list.lstRecordsDblClick();
    QVERIFY(list.chosen());
    QCOMPARE(list.chosen()->record.Codice, QString("FINITO"));
    QCOMPARE(list.chosen()->record.Costo, QString("3,00"));
    QCOMPARE(list.chosen()->position, qint64(2));
    QVERIFY(!list.isVisible());
}

void TestMaterialLists::emptyUnderStockListFindAndPrint()
{
    TfrmCercaSottoscorta list;
    list.show();
    QCOMPARE(control<RecordList>(&list, "lstRecords")->count(), 0);
    control<QPushButton>(&list, "cmdTrova02")->click();
    control<QPushButton>(&list, "cmdStampa")->click();
    QCOMPARE(screens->fake().messageTexts(),
             QStringList({"Ricerca non applicabile: la lista non contiene nessuna voce.",
                          "Operazione di stampa non applicabile: la lista non contiene nessuna voce."}));
    list.reject();
}

QTEST_MAIN(TestMaterialLists)
#include "tst_materiallists.moc"
