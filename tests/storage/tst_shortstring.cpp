#include "storage/ShortString.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

class TestShortString : public QObject
{
    Q_OBJECT
private slots:
    void storeTrimsAndCuts();
    void storeCutsTo255First();
    void accentedLettersAreSingleBytes();
    void loadIgnoresBytesAfterText();
    void loadTrimsAgain();
    void damagedLengthNeverReadsPastField();
    void controlCharactersTrimmed();
    void everyByteReadsAsTheCodePageSays();
};

void TestShortString::storeTrimsAndCuts()
{
    QByteArray field(11, 'x');
    ShortString::store(field.data(), 10, "  Rossi Mario  ");
    QCOMPARE(int(uchar(field[0])), 10);
    QCOMPARE(field.mid(1, 10), QByteArray("Rossi Mari"));

    ShortString::store(field.data(), 10, " a b ");
    QCOMPARE(int(uchar(field[0])), 3);
    QCOMPARE(field.mid(1, 3), QByteArray("a b"));   // blanks inside stay

    ShortString::store(field.data(), 10, "");
    QCOMPARE(int(uchar(field[0])), 0);
}

void TestShortString::storeCutsTo255First()
{
    QByteArray field(251, '\0');
    const QString text = QString(250, 'A') + "B";
    ShortString::store(field.data(), 250, text);
    QCOMPARE(int(uchar(field[0])), 250);
    QCOMPARE(ShortString::load(field.constData(), 250), QString(250, 'A'));

    // Blanks after the 255th character do not matter: trimming comes first.
    ShortString::store(field.data(), 250, QString(300, 'z'));
    QCOMPARE(int(uchar(field[0])), 250);
}

void TestShortString::accentedLettersAreSingleBytes()
{
    QByteArray field(21, '\0');
    ShortString::store(field.data(), 20, QString::fromUtf8("Sì pubblicità"));
    const QByteArray expected("\x0dS\xec pubblicit\xe0", 14);
    QCOMPARE(field.left(14), expected);
    QCOMPARE(ShortString::load(field.constData(), 20), QString::fromUtf8("Sì pubblicità"));

    // Windows-1252 specials: the euro sign is 0x80.
    ShortString::store(field.data(), 20, QString::fromUtf8("€"));
    QCOMPARE(field.left(2), QByteArray("\x01\x80", 2));
    QCOMPARE(ShortString::load(field.constData(), 20), QString::fromUtf8("€"));
}

void TestShortString::loadIgnoresBytesAfterText()
{
    QByteArray field("\x03" "abcREMNANT", 11);
    QCOMPARE(ShortString::load(field.constData(), 10), QString("abc"));
}

void TestShortString::loadTrimsAgain()
{
    QByteArray field("\x05 ab \x01", 7);
    QCOMPARE(ShortString::load(field.constData(), 6), QString("ab"));
}

void TestShortString::damagedLengthNeverReadsPastField()
{
    // Length 200 in a field of capacity 2: reads the two characters only.
    QByteArray buffer("\xc8" "RMzzzz", 7);
    QCOMPARE(ShortString::load(buffer.constData(), 2), QString("RM"));
}

void TestShortString::controlCharactersTrimmed()
{
    QCOMPARE(ShortString::trimControls(QString("\t\r\n x \x1f")), QString("x"));
    QCOMPARE(ShortString::trimControls(QString("  ")), QString());
    QByteArray field(6, '\0');
    ShortString::store(field.data(), 5, "\tab\r\n");
    QCOMPARE(int(uchar(field[0])), 2);
}

void TestShortString::everyByteReadsAsTheCodePageSays()
{
    // Each byte alone and amid other text, against the system's Windows-1252
    // converter where there is one (Windows builds of Qt have none), and
    // written back as the same byte.
    QStringDecoder codePage("windows-1252", QStringConverter::Flag::Stateless);
    for (int byte = 1; byte < 256; ++byte) {
        const QByteArray text = QByteArray("a") + char(byte) + "z";
        const QString read = ShortString::fromWindows1252(text.constData(), int(text.size()));
        if (codePage.isValid())
            QCOMPARE(read, QString(codePage.decode(text)));
        QCOMPARE(ShortString::toWindows1252(read), text);
    }
    // A character the code page lacks is one SUB byte, a pair of surrogates too.
    QCOMPARE(ShortString::toWindows1252(QString::fromUtf8("a€ł😀b")), QByteArray("a\x80\x1a\x1a" "b"));
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    if (encoder.isValid())
        QCOMPARE(QByteArray(encoder.encode(QString::fromUtf8("a€ł😀b"))), QByteArray("a\x80\x1a\x1a" "b"));
    const QByteArray mixed = "Citt\xE0 \x80 10, \x93" "Forl\xEC\x94";
    QCOMPARE(ShortString::fromWindows1252(mixed.constData(), int(mixed.size())),
             QString::fromUtf8("Città € 10, “Forlì”"));
}

QTEST_APPLESS_MAIN(TestShortString)
#include "tst_shortstring.moc"
