#include "storage/Amounts.h"

#include "FakePlatform.h"
#include "TestSupport.h"
#include "platform/qt/AmountKeyFilter.h"

#include <QLineEdit>
#include <QtTest>

#include <cmath>

class TestAmounts : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void parseFailures_data();
    void parseFailures();
    void normalizeAmount_data();
    void normalizeAmount();
    void normalizeNumber_data();
    void normalizeNumber();
    void roundingHalfCases();
    void negativeRoundingIsSymmetric();
    void formatGeneral_data();
    void formatGeneral();
    void completeDecimals();
    void fitToField_data();
    void fitToField();
    void completeDecimalsOfExponentForms_data();
    void completeDecimalsOfExponentForms();
    void writtenAmountsReadBack_data();
    void writtenAmountsReadBack();
    void keyVerdicts();
    void keyFilterOnAField();
};

void TestAmounts::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("comma") << "12,5" << 12.5;
    QTest::newRow("trailing comma") << "12," << 12.0;
    QTest::newRow("leading comma") << ",5" << 0.5;
    QTest::newRow("lone comma") << "," << 0.0;
    QTest::newRow("blanks") << "  7,25  " << 7.25;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("minus") << "-1,5" << -1.5;
    QTest::newRow("exponent") << "1,5E3" << 1500.0;
    QTest::newRow("negative exponent") << "25e-2" << 0.25;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("nineteen digits") << "1234567890123456789" << 1234567890123456789.0;
    QTest::newRow("zero with a huge exponent") << "0E99999" << 0.0;
    QTest::newRow("negative zero with a huge exponent") << "-0E094490" << 0.0;
}

void TestAmounts::parse()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    double v = -999;
    QVERIFY(ParseAmount(text, v));
    QCOMPARE(v, value);
}

void TestAmounts::parseFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("point") << "12.5";
    QTest::newRow("letter") << "12a";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("sign only") << "-";
    QTest::newRow("exponent without digits") << "1E";
    QTest::newRow("euro") << "€ 5";
    QTest::newRow("inner blank") << "1 000";
}

void TestAmounts::parseFailures()
{
    QFETCH(QString, text);
    double v = 42;
    QVERIFY(!ParseAmount(text, v));
    QCOMPARE(v, 42.0);
}

void TestAmounts::normalizeAmount_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("12") << "12" << "12,00";
    QTest::newRow("12,5") << "12,5" << "12,50";
    QTest::newRow("12,") << "12," << "12,00";
    QTest::newRow(",5") << ",5" << "0,50";
    QTest::newRow(",") << "," << "0,00";
    QTest::newRow("3,14159") << "3,14159" << "3,1416";
    QTest::newRow("3,14155 above half") << "3,14155" << "3,1416";
    QTest::newRow("0,00035 below half") << "0,00035" << "0,0003";
    QTest::newRow("0,00045 below half") << "0,00045" << "0,0004";
    QTest::newRow("007") << "007" << "7,00";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("blank") << "   " << "";
    QTest::newRow("1234,5") << "1234,5" << "1234,50";
    QTest::newRow("1234,567") << "1234,567" << "1234,567";
    QTest::newRow("1234,56789") << "1234,56789" << "1234,5679";
    QTest::newRow("unreadable") << "12.5" << "0,00";
    QTest::newRow("30000001") << "30000001" << "30000001,00";
    QTest::newRow("3,1416 stays") << "3,1416" << "3,1416";
}

void TestAmounts::normalizeAmount()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(NormalizeAmountText(in), out);
}

void TestAmounts::normalizeNumber_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("2,50") << "2,50" << "2,5";
    QTest::newRow("1,") << "1," << "1";
    QTest::newRow("0,33333") << "0,33333" << "0,3333";
    QTest::newRow(",") << "," << "0";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("unreadable") << "x" << "0";
    QTest::newRow("22") << "22" << "22";
}

void TestAmounts::normalizeNumber()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(NormalizeNumberText(in), out);
}

void TestAmounts::roundingHalfCases()
{
    // The doubles of 2,675 and 1,005 lie just below the half.
    QCOMPARE(FormatGeneral(RoundToDecimals(2.675, 2)), QString("2,67"));
    QCOMPARE(CompleteDecimals(FormatGeneral(RoundToDecimals(1.005, 2))), QString("1,00"));
    QCOMPARE(RoundToDecimals(1.005, 2), 1.0);
    // Exact halves round up.
    QCOMPARE(RoundToDecimals(0.125, 2), 0.13);
    QCOMPARE(RoundToDecimals(2.5, 0), 3.0);
    // A pure double computation would give 0,0004 here.
    QCOMPARE(RoundToDecimals(0.00035, 4), 0.0003);
    QCOMPARE(RoundToDecimals(0.0, 4), 0.0);
}

void TestAmounts::negativeRoundingIsSymmetric()
{
    QCOMPARE(RoundToDecimals(-1.23454, 4), -1.2345);
    QCOMPARE(RoundToDecimals(-2.5, 0), -3.0);
    QCOMPARE(RoundToDecimals(-0.125, 2), -0.13);
    QCOMPARE(FormatGeneral(RoundToDecimals(-12.34567, 4)), QString("-12,3457"));
}

void TestAmounts::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("integer") << 12.0 << "12";
    QTest::newRow("fraction") << 12.5 << "12,5";
    QTest::newRow("small") << 0.0003 << "0,0003";
    QTest::newRow("1e-5 fixed") << 0.00001 << "0,00001";
    QTest::newRow("negative") << -4.5 << "-4,5";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("0.1+0.2 shows 15 digits") << (0.1 + 0.2) << "0,3";
    QTest::newRow("tiny is exponent") << 0.000001 << "1E-6";
    QTest::newRow("tiny with digits") << 0.0000015 << "1,5E-6";
    QTest::newRow("huge is exponent") << 1e15 << "1E+15";
    QTest::newRow("30000001") << 30000001.0 << "30000001";
}

void TestAmounts::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatGeneral(value), text);
}

void TestAmounts::completeDecimals()
{
    QCOMPARE(CompleteDecimals("12"), QString("12,00"));
    QCOMPARE(CompleteDecimals("12,5"), QString("12,50"));
    QCOMPARE(CompleteDecimals("12,50"), QString("12,50"));
    QCOMPARE(CompleteDecimals("3,1416"), QString("3,1416"));
    QCOMPARE(CompleteDecimals("0"), QString("0,00"));
    QCOMPARE(CompleteDecimals("-4,5"), QString("-4,50"));
}

// Each row: the text written, the field's capacity, money or not, and what
// the field keeps ("" when even the integer part cannot fit).
void TestAmounts::fitToField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<bool>("money");
    QTest::addColumn<QString>("fitted");
    QTest::newRow("fits as it is") << "  12,50 " << 10 << true << "12,50";
    QTest::newRow("line total 1000 x 30000000") << "30000000000,00" << 10 << true << "";
    QTest::newRow("line total of four decimals") << "123456,1233" << 10 << true << "123456,123";
    QTest::newRow("two decimals kept when room") << "1234567,0001" << 10 << true << "1234567,00";
    QTest::newRow("VAT total of many decimals") << "27160,34706" << 10 << true << "27160,3471";
    QTest::newRow("tiny VAT exponent too long") << "1,23456789E-6" << 10 << true << "0,00000123";
    QTest::newRow("stock residue 1 - 0,9999999") << "1,00000000058387E-7" << 15 << false << "0,0000001";
    QTest::newRow("residue below the last decimal") << "4,20000000000001E-14" << 15 << false << "0";
    // Money to the cent or not at all: never rounded to fewer decimals.
    QTest::newRow("negative, cents fit") << "-123456,891" << 10 << true << "-123456,89";
    QTest::newRow("negative, cents do not fit") << "-1234567,891" << 10 << true << "";
    QTest::newRow("negative, integer too long") << "-1234567890,5" << 10 << true << "";
    QTest::newRow("the largest to the cent") << "9999999,99" << 10 << true << "9999999,99";
    QTest::newRow("the largest, computed") << "9999999,9900" << 10 << true << "9999999,99";
    QTest::newRow("one cent more") << "10000000,00" << 10 << true << "";
    QTest::newRow("rounding to the cent carries a digit") << "9999999,996" << 10 << true << "";
    QTest::newRow("twelve million and cents") << "12345678,91" << 10 << true << "";
    QTest::newRow("a number, rounding would carry a digit") << "9999999999,7" << 10 << false << "9999999999";
}

void TestAmounts::fitToField()
{
    QFETCH(QString, text);
    QFETCH(int, capacity);
    QFETCH(bool, money);
    QFETCH(QString, fitted);
    QString out;
    QCOMPARE(FitAmountText(text, capacity, money, out), !fitted.isEmpty());
    if (fitted.isEmpty())
        return;
    QCOMPARE(out, fitted);
    // What the field keeps reads back within one unit of its last decimal.
    double value = 0, back = 0;
    QVERIFY(ParseAmount(text, value) && ParseAmount(out, back));
    const int comma = int(out.indexOf(QLatin1Char(',')));
    QVERIFY(qAbs(back - value) <= std::pow(10.0, comma < 0 ? 0 : comma + 1 - int(out.size())));
}

// A value the general format writes with an exponent keeps its exponent at
// the end: the decimals are completed in the mantissa.
void TestAmounts::completeDecimalsOfExponentForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("completed");
    QTest::newRow("tiny") << "4E-6" << "4,00E-6";
    QTest::newRow("tiny with one decimal") << "1,5E-6" << "1,50E-6";
    QTest::newRow("huge") << "1E+15" << "1,00E+15";
    QTest::newRow("negative") << "-2E+20" << "-2,00E+20";
    QTest::newRow("two decimals stay") << "1,25E+20" << "1,25E+20";
}

void TestAmounts::completeDecimalsOfExponentForms()
{
    QFETCH(QString, text);
    QTEST(CompleteDecimals(text), "completed");
}

void TestAmounts::writtenAmountsReadBack_data()
{
    QTest::addColumn<QString>("text");
    const QStringList texts = testDataLines("storage/amounts-in-exponent-form.txt");
    QVERIFY(!texts.isEmpty());
    for (const QString& text : texts)
        QTest::newRow(qPrintable(text)) << text;
}

void TestAmounts::writtenAmountsReadBack()
{
    QFETCH(QString, text);
    double value = 0;
    QVERIFY(ParseAmount(text, value));
    const QString general = FormatGeneral(value);
    double fromGeneral = 0;
    QVERIFY2(ParseAmount(general, fromGeneral), qPrintable(general));
    QVERIFY(qAbs(fromGeneral - value) <= qAbs(value) * 1e-14);
    const QString completed = CompleteDecimals(general);
    double fromCompleted = 0;
    QVERIFY2(ParseAmount(completed, fromCompleted), qPrintable(completed));
    QCOMPARE(fromCompleted, fromGeneral);
    for (auto normalize : {NormalizeAmountText, NormalizeNumberText}) {
        const QString normalized = normalize(text);
        double fromNormalized = 0;
        QVERIFY2(ParseAmount(normalized, fromNormalized), qPrintable(normalized));
        QCOMPARE(normalize(normalized), normalized);
    }
}

void TestAmounts::keyVerdicts()
{
    const bool limit = true;
    QCOMPARE(CheckAmountKey("", '5', limit), AmountKey::Accept);
    QCOMPARE(CheckAmountKey("", ',', limit), AmountKey::Accept);      // first comma, even first character
    QCOMPARE(CheckAmountKey("1,5", ',', limit), AmountKey::InvalidChar);
    QCOMPARE(CheckAmountKey("12", '.', limit), AmountKey::InvalidChar);
    QCOMPARE(CheckAmountKey("12", 'a', limit), AmountKey::InvalidChar);
    QCOMPARE(CheckAmountKey("12", QChar(8), limit), AmountKey::Accept);   // Backspace
    QCOMPARE(CheckAmountKey("12", QChar(13), limit), AmountKey::Accept);  // Enter
    QCOMPARE(CheckAmountKey("12", QChar(3), limit), AmountKey::InvalidChar);   // Ctrl+C
    QCOMPARE(CheckAmountKey("12", QChar(22), limit), AmountKey::InvalidChar);  // Ctrl+V
    // The limit looks at the text before the key: 30000000 is still allowed.
    QCOMPARE(CheckAmountKey("30000000", '1', limit), AmountKey::Accept);
    QCOMPARE(CheckAmountKey("30000001", '1', limit), AmountKey::InvalidValue);
    QCOMPARE(CheckAmountKey("30000001", QChar(8), limit), AmountKey::InvalidValue);
    QCOMPARE(CheckAmountKey("30000000,01", '1', limit), AmountKey::InvalidValue);
    QCOMPARE(CheckAmountKey("30000001", '1', false), AmountKey::Accept);
    // An unreadable text counts as within the limit.
    QCOMPARE(CheckAmountKey("abc", '1', limit), AmountKey::Accept);
}

void TestAmounts::keyFilterOnAField()
{
    FakePlatform fake;
    QLineEdit field;
    AmountKeyFilter::install(&field, AmountKeyFilter::Limit::ThirtyMillion);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));

    QTest::keyClicks(&field, "12,5");
    QCOMPARE(field.text(), QString("12,5"));
    QVERIFY(fake.messages.isEmpty());

    QTest::keyClicks(&field, ".");
    QCOMPARE(field.text(), QString("12,5"));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::KeyFilter);
    QCOMPARE(fake.messages[0].caption, QString("Operazione annullata"));
    QCOMPARE(fake.messages[0].text, QString("Attenzione: carattere non valido."));

    QTest::keyClicks(&field, ",");
    QCOMPARE(field.text(), QString("12,5"));
    QCOMPARE(fake.messages.size(), 2);

    QTest::keyClick(&field, Qt::Key_Backspace);
    QCOMPARE(field.text(), QString("12,"));
    QTest::keyClick(&field, Qt::Key_Left);   // navigation keys pass untouched
    QCOMPARE(fake.messages.size(), 2);

    field.setText("30000001");
    field.end(false);
    QTest::keyClicks(&field, "5");
    QCOMPARE(field.text(), QString("0,00"));
    QCOMPARE(fake.lastMessage(), QString("Attenzione: valore non valido."));
    QCOMPARE(fake.messages.last().kind, MessageKind::KeyFilter);
}

QTEST_MAIN(TestAmounts)
#include "tst_amounts.moc"
