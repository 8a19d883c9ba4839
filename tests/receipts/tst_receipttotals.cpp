#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptTotals.h"
#include "storage/Amounts.h"

#include "SampleRecords.h"

#include <QTest>

// A line as typed: quantity, unit price, discount ("" for empty).

class TestReceiptTotals : public QObject
{
    Q_OBJECT
private slots:
    void computesLinesAndTotals_data();
    void computesLinesAndTotals();
    void fillsMissingQuantityAndPrice();
    void skippedLineKeepsItsTotal();
    void unreadableValueStops_data();
    void unreadableValueStops();
    void savableDates_data();
    void savableDates();
    void numberClashesOnlyWhenEqual_data();
    void numberClashesOnlyWhenEqual();
    void listLinePutsTheTotalAtColumn150();
};

// Each row: lines as "quant|price|discount" texts, the VAT rate, then the
// expected line totals (in line order, "" for untouched) and the three totals.
void TestReceiptTotals::computesLinesAndTotals_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QStringList>("lineTotals");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("vatTotal");
    QTest::addColumn<QString>("total");

    QTest::newRow("worked example") << QStringList{"2|10,50|10"} << "22" << QStringList{"18,90"} << "18,90" << "4,158" << "23,06";
    QTest::newRow("a third, three times") << QStringList{"3|0,3333|"} << "0" << QStringList{"0,9999"} << "0,9999" << "0,00" << "1,00";
    QTest::newRow("discount 33,3333") << QStringList{"1|10|33,3333"} << "0" << QStringList{"6,6667"} << "6,6667" << "0,00" << "6,67";
    QTest::newRow("discount 100") << QStringList{"4|12,50|100"} << "22" << QStringList{"0,00"} << "0,00" << "0,00" << "0,00";
    QTest::newRow("VAT empty, net 18,9999") << QStringList{"1|18,9999|"} << "" << QStringList{"18,9999"} << "18,9999" << "0,00" << "19,00";
    QTest::newRow("net 12,3456 at 22") << QStringList{"1|12,3456|"} << "22" << QStringList{"12,3456"} << "12,3456" << "2,716032" << "15,06";
    QTest::newRow("two lines and a gap") << QStringList{"2|10|", "||", "1|5,25|20"} << "22"
                                         << QStringList{"20,00", "", "4,20"} << "24,20" << "5,324" << "29,52";
    QTest::newRow("twenty lines") << QStringList(20, "1|1|") << "10" << QStringList(20, "1,00") << "20,00" << "2,00" << "22,00";
    // A VAT total below 0,00001 comes out with an exponent, completed in its
    // mantissa so that it still reads as a number.
    QTest::newRow("tiny VAT total") << QStringList{"1|0,0001|"} << "4" << QStringList{"0,0001"} << "0,0001" << "4,00E-6" << "0,00";
    // A line total of more characters than its field keeps loses decimals
    // (and the net sum adds what is kept); the VAT total stays whole.
    QTest::newRow("line total fitted, VAT whole") << QStringList{"3|41152,0411|"} << "22" << QStringList{"123456,123"}
                                                  << "123456,123" << "27160,34706" << "150616,47";
    // One whose integer part cannot fit stays whole, for Save to refuse.
    QTest::newRow("1000 x 30000000") << QStringList{"1000|30000000|"} << "0" << QStringList{"30000000000,00"}
                                     << "30000000000,00" << "0,00" << "30000000000,00";
}

void TestReceiptTotals::computesLinesAndTotals()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, vat);
    QFETCH(QStringList, lineTotals);
    TRecRicevuta r;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(QLatin1Char('|'));
        r.Quant[i] = parts[0];
        r.PrezzoUni[i] = parts[1];
        r.Sconto[i] = parts[2];
    }
    r.PercIva = vat;
    ComputeTotals(r);
    for (int i = 0; i < lineTotals.size(); ++i)
        QCOMPARE(r.PrezzoTot[i], lineTotals[i]);
    for (int i = lines.size(); i < 20; ++i)
        QVERIFY(r.PrezzoTot[i].isEmpty());
    QTEST(r.TotNetto, "net");
    QTEST(r.TotIva, "vatTotal");
    QTEST(r.Totale, "total");
    // What the editor computes, the reports read back.
    for (const QString& written : {r.TotNetto, r.TotIva, r.Totale}) {
        double value = 0;
        QVERIFY2(ParseAmount(written, value), qPrintable(written));
    }
}

void TestReceiptTotals::fillsMissingQuantityAndPrice()
{
    TRecRicevuta r;
    r.PrezzoUni[0] = QStringLiteral("7,5");
    r.Quant[1] = QStringLiteral("3");
    ComputeTotals(r);
    QCOMPARE(r.Quant[0], QStringLiteral("1"));
    QCOMPARE(r.PrezzoTot[0], QStringLiteral("7,50"));
    QCOMPARE(r.PrezzoUni[1], QStringLiteral("0,00"));
    QCOMPARE(r.PrezzoTot[1], QStringLiteral("0,00"));
    QCOMPARE(r.Totale, QStringLiteral("7,50"));
}

void TestReceiptTotals::skippedLineKeepsItsTotal()
{
    // A line without quantity and price is not touched, but its total still counts.
    TRecRicevuta r;
    r.PrezzoTot[4] = QStringLiteral("3,00");
    r.Quant[0] = QStringLiteral("1");
    r.PrezzoUni[0] = QStringLiteral("2");
    ComputeTotals(r);
    QCOMPARE(r.PrezzoTot[4], QStringLiteral("3,00"));
    QCOMPARE(r.TotNetto, QStringLiteral("5,00"));
}

void TestReceiptTotals::unreadableValueStops_data()
{
    QTest::addColumn<int>("field");   // 0 discount of line 2, 1 price of line 2, 2 VAT rate
    QTest::newRow("discount") << 0;
    QTest::newRow("unit price") << 1;
    QTest::newRow("VAT rate") << 2;
}

void TestReceiptTotals::unreadableValueStops()
{
    QFETCH(int, field);
    TRecRicevuta r;
    r.Quant[0] = QStringLiteral("2");
    r.PrezzoUni[0] = QStringLiteral("5");
    r.Quant[1] = QStringLiteral("1");
    r.PrezzoUni[1] = QStringLiteral("4");
    r.PrezzoTot[1] = QStringLiteral("9,99");
    r.PercIva = QStringLiteral("22");
    r.TotIva = QStringLiteral("old");
    if (field == 0)
        r.Sconto[1] = QStringLiteral("1x");
    else if (field == 1)
        r.PrezzoUni[1] = QStringLiteral("4.5");
    else
        r.PercIva = QStringLiteral("ventidue");
    ComputeTotals(r);
    QCOMPARE(r.PrezzoTot[0], QStringLiteral("10,00"));
    QCOMPARE(r.PrezzoTot[1], field == 2 ? QStringLiteral("4,00") : QStringLiteral("9,99"));
    QCOMPARE(r.TotNetto, QStringLiteral("0,00"));
    QCOMPARE(r.Totale, QStringLiteral("0,00"));
    QCOMPARE(r.TotIva, QStringLiteral("old"));
}

void TestReceiptTotals::savableDates_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("savable");
    QTest::newRow("full form") << "05/03/2024" << true;
    QTest::newRow("leap day") << "29/02/2024" << true;
    QTest::newRow("no leap day") << "29/02/2023" << false;
    QTest::newRow("31 February") << "31/02/2024" << false;
    QTest::newRow("one-digit day") << "5/03/2024" << false;
    QTest::newRow("two-digit year") << "05/03/24" << false;
    QTest::newRow("dashes") << "05-03-2024" << false;
    QTest::newRow("blanks around") << " 05/03/2024 " << true;
}

void TestReceiptTotals::savableDates()
{
    QFETCH(QString, date);
    QTEST(ReceiptArchive::isSavableDate(date), "savable");
}

void TestReceiptTotals::numberClashesOnlyWhenEqual_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("clash");
    QTest::newRow("same number") << "12" << "12" << true;
    QTest::newRow("blanks around") << " 12 " << "12" << true;
    QTest::newRow("1 while 12 exists") << "1" << "12" << false;
    QTest::newRow("12 while 1 exists") << "12" << "1" << false;
    QTest::newRow("12 while 112 exists") << "12" << "112" << false;
    QTest::newRow("empty while 12 exists") << "" << "12" << false;
    QTest::newRow("case matters") << "12a" << "12A" << false;
    QTest::newRow("accented, as stored") << QString::fromUtf8("12è") << QString::fromUtf8("12è") << true;
    QTest::newRow("cut to the field as stored") << "123456789012345678901" << "12345678901234567890" << true;
}

void TestReceiptTotals::numberClashesOnlyWhenEqual()
{
    QFETCH(QString, saved);
    QFETCH(QString, stored);
    const QByteArray bytes = sampleBytes<TRecRicevuta>({{&TRecRicevuta::NumRic, stored}});
    const ArchiveFile::FieldTest test = ReceiptArchive::carriesNumber(saved);
    QCOMPARE(test.offset, TRecRicevuta::posNumRic.offset);
    QTEST(test.test(bytes.constData() + test.offset), "clash");
}

void TestReceiptTotals::listLinePutsTheTotalAtColumn150()
{
    using R = TRecRicevuta;
    const QString line = ReceiptArchive::listLine(
        sample<R>({{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, "12"}, {&R::Data, "05/03/2024"}, {&R::Cliente, "Rossi Mario"},
                   {&R::TotNetto, "18,90"}, {&R::TotIva, "4,158"}, {&R::Totale, "23,06"}}));
    QCOMPARE(line.left(24), QStringLiteral("Ricevuta n. 12          "));
    QCOMPARE(line.mid(24, 18), QStringLiteral("  Data: 05/03/2024"));
    QCOMPARE(line.mid(149), QStringLiteral("23,06"));
    QCOMPARE(line.mid(137, 12), QStringLiteral("  TOTALE: € "));
}

QTEST_GUILESS_MAIN(TestReceiptTotals)
#include "tst_receipttotals.moc"
