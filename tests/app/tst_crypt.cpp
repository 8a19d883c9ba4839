#include "launcher/Crypt.h"
#include "launcher/PasswordStore.h"

#include "TestSupport.h"
#include "storage/IniFile.h"

#include <QtTest>

// Vectors computed independently of this code, from the scrambling rule
// (K0 = 7851, M = 36217, A = 29461, 16-bit wrapping, Windows-1252 bytes).
class TestCrypt : public QObject
{
    Q_OBJECT
private slots:
    void vectors_data();
    void vectors();
    void decryptLowerCase();
    void decryptOddDigitIgnored();
    void decryptNonHexFails();
    void roundTrip_data();
    void roundTrip();
    void deliveredStoreHoldsTheDocumentedPassword();
    void storeReadAndWrite();
};

void TestCrypt::vectors_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("hex");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one character") << "A" << "5F";
    QTest::newRow("word") << "VENTORIA" << "48AF2A41F109D965";
    QTest::newRow("mixed case") << "Ventoria" << "488FDB0BD999E54D";
    QTest::newRow("accented") << QString::fromUtf8("CAFÈ 2024") << "5DC4844B15872ABF2A";
    QTest::newRow("accented last") << QString::fromUtf8("PERCHÉ") << "4E7E31918753";
    // Keys whose sum times M goes beyond the range of int, twice.
    QTest::newRow("large products") << "BOTTEGA" << "5CB75B66BCF9E4";
}

void TestCrypt::vectors()
{
    QFETCH(QString, plain);
    QFETCH(QString, hex);
    QCOMPARE(Encrypt(plain), hex);
    QString back = "x";
    QVERIFY(Decrypt(hex, back));
    QCOMPARE(back, plain);
}

void TestCrypt::decryptLowerCase()
{
    QString plain;
    QVERIFY(Decrypt("48af2a41f109d965", plain));
    QCOMPARE(plain, QString("VENTORIA"));
}

void TestCrypt::decryptOddDigitIgnored()
{
    QString plain;
    QVERIFY(Decrypt("48AF2A41F109D9657", plain));
    QCOMPARE(plain, QString("VENTORIA"));
    QVERIFY(Decrypt("5", plain));
    QCOMPARE(plain, QString());
}

void TestCrypt::decryptNonHexFails()
{
    QString plain = "untouched";
    QVERIFY(!Decrypt("48AG", plain));
    QVERIFY(!Decrypt("4 AF", plain));
    QVERIFY(!Decrypt("ZZ", plain));
    QCOMPARE(plain, QString("untouched"));
}

void TestCrypt::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("accented and euro") << QString::fromUtf8("àèìòù ÀÈÌ €");
    QTest::newRow("longest password") << QString(230, QLatin1Char('Z'));
    QTest::newRow("blanks around") << "  spazi  ";
    QTest::newRow("control and ÿ") << QString::fromLatin1("\x01\xff");
    // Every byte value, so that the key meets sums beyond the range of int.
    QString all;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const QByteArray one(1, c);
        const QString ch = QStringDecoder("windows-1252").decode(one);
        if (QStringEncoder("windows-1252").encode(ch) == one)
            all += ch;
    }
    QTest::newRow("every code page character") << all;
}

void TestCrypt::roundTrip()
{
    QFETCH(QString, plain);
    QString back;
    QVERIFY(Decrypt(Encrypt(plain), back));
    QCOMPARE(back, plain);
    QCOMPARE(Encrypt(plain).size(), 2 * plain.size());
}

void TestCrypt::deliveredStoreHoldsTheDocumentedPassword()
{
    const QString delivered = testPath(QStringLiteral(DELIVERED_DATA_DIR "/unins000.dll"));
    QString hex;
    QVERIFY(IniFile::read(delivered, "Accesso", "Valore", hex));
    QString plain;
    QVERIFY(Decrypt(hex, plain));
    QCOMPARE(plain, QString("VENTORIA"));
}

void TestCrypt::storeReadAndWrite()
{
    TempAppDir dir;
    QString stored = "x";
    QVERIFY(PasswordStore::read(stored));   // missing store: empty
    QCOMPARE(stored, QString());
    QVERIFY(PasswordStore::write(QString::fromUtf8("  città nuova ")));
    QVERIFY(PasswordStore::read(stored));
    QCOMPARE(stored, QString::fromUtf8("CITTà NUOVA"));   // a–z only are upper-cased
    dir.writeAll("unins000.dll", "[Accesso]\r\nValore=XYZ1\r\n");
    QVERIFY(!PasswordStore::read(stored));
}

QTEST_APPLESS_MAIN(TestCrypt)
#include "tst_crypt.moc"
