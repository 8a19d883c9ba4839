// The pure checks behind the four checker windows, on published sample codes
// and on the edge cases the windows must get right.

#include "checkers/CodiceFiscale.h"
#include "checkers/CreditCard.h"
#include "checkers/Iban.h"
#include "checkers/PartitaIva.h"

#include <QtTest>

using platform::MessageIcon;

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

QString utf8(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

class TestCheckers : public QObject
{
    Q_OBJECT
private slots:
    void codiceFiscaleSamples_data();
    void codiceFiscaleSamples();
    void codiceFiscaleOnlyLastCharacterMatches();
    void codiceFiscaleCharactersOutsideTables();
    void codiceFiscaleSignsBetweenNineAndA();
    void codiceFiscaleWindowRules();
    void numericCodiceFiscaleGoesToIvaChecker();

    void partitaIvaSamples_data();
    void partitaIvaSamples();
    void ivaOffices();
    void ivaWindowRules();

    void creditCardSamples_data();
    void creditCardSamples();
    void creditCardFirstTwentyCharacters();
    void creditCardBrands();
    void creditCardWindowRules();

    void ibanRegistrySamples_data();
    void ibanRegistrySamples();
    void ibanWrittenLoosely();
    void ibanUnreadableCharacters();
    void ibanRemainderOverPieces();
    void ibanWindowRules();

    void digitKeys();
};

// ---- codice fiscale ---------------------------------------------------------

void TestCheckers::codiceFiscaleSamples_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("Mario Rossi, Roma 1980") << "RSSMRA80A01H501U" << true;
    QTest::newRow("Mario Rossi, 1985") << "RSSMRA85T10A562S" << true;
    QTest::newRow("Matteo Moretti, Milano") << "MRTMTT91D08F205J" << true;
    QTest::newRow("woman, day + 40") << "RSSMRA80A41H501Y" << true;
    QTest::newRow("homonym substitution letter") << "RSSMRA80A01H50QA" << true;
    QTest::newRow("digits where letters belong") << "123456789012345A" << true;
    QTest::newRow("letters where digits belong") << "ABCDEFGHIJKLMNOZ" << true;
    QTest::newRow("all Z") << "ZZZZZZZZZZZZZZZV" << true;
    QTest::newRow("all 9") << "999999999999999X" << true;
    QTest::newRow("wrong check letter") << "RSSMRA80A01H501V" << false;
    QTest::newRow("two characters swapped") << "RSSMRA80A10H501U" << false;
    QTest::newRow("check character a digit") << "RSSMRA80A01H5011" << false;
    QTest::newRow("15 characters") << "RSSMRA80A01H501" << false;
    QTest::newRow("17 characters") << "RSSMRA80A01H501UU" << false;
    QTest::newRow("lower case is not folded here") << "rssmra80a01h501u" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCheckers::codiceFiscaleSamples()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QCOMPARE(CheckCodiceFiscale(code), valid);
}

void TestCheckers::codiceFiscaleOnlyLastCharacterMatches()
{
    const QString first15 = QStringLiteral("RSSMRA80A01H501");
    int valid = 0;
    for (char c = 'A'; c <= 'Z'; ++c) {
        if (CheckCodiceFiscale(first15 + QLatin1Char(c))) {
            ++valid;
            QCOMPARE(c, 'U');
        }
    }
    QCOMPARE(valid, 1);
}

void TestCheckers::codiceFiscaleCharactersOutsideTables()
{
    // Blank, point, hyphen, accented letter, "[" (just past Z) and "/" (just
    // before 0): the code is wrong whatever its last character.
    for (const QString& bad : {QStringLiteral(" "), QStringLiteral("."), QStringLiteral("-"), utf8("È"),
                               QStringLiteral("["), QStringLiteral("/")}) {
        const QString first15 = QStringLiteral("RSSMRA80A01H50") + bad;
        for (char c = 'A'; c <= 'Z'; ++c)
            QVERIFY2(!CheckCodiceFiscale(first15 + QLatin1Char(c)), qPrintable(first15));
    }
    QVERIFY(!CheckCodiceFiscale(QStringLiteral("RSS MRA80A01H50U")));
}

void TestCheckers::codiceFiscaleSignsBetweenNineAndA()
{
    // The seven signs from ":" to "@" count 0 in both tables.
    QVERIFY(CheckCodiceFiscale(QStringLiteral("0:0:0:0:0:0:0:0I")));
    QVERIFY(CheckCodiceFiscale(QStringLiteral("0;0<0=0>0?0@0:0I")));
    QVERIFY(!CheckCodiceFiscale(QStringLiteral("0:0:0:0:0:0:0:0J")));
    // A colon at an odd place where a 1 stood (both count 0).
    QVERIFY(CheckCodiceFiscale(QStringLiteral("RSSMRA80A01H50:U")));
}

void TestCheckers::codiceFiscaleWindowRules()
{
    const QString caption = QStringLiteral("Risultato controllo codice fiscale");
    QVERIFY(!CodFiscChecker::canCheck(QStringLiteral("RSSMRA80A01H501")));
    QVERIFY(CodFiscChecker::canCheck(QStringLiteral("RSSMRA80A01H501U")));
    QVERIFY(!CodFiscChecker::enterChecks(QStringLiteral("RSSMRA80A01H501")));
    QVERIFY(CodFiscChecker::enterChecks(QStringLiteral("RSSMRA80A01H501U")));
    QVERIFY(!CodFiscChecker::enterChecks(QStringLiteral("RSSMRA80A01H501UX")));

    // Verified upper-cased; the window's own texts are checked through the window.
    CheckerOutcome o = CodFiscChecker::check(QStringLiteral("rssmra80a01h501u"));
    QCOMPARE(o.message.icon, MessageIcon::Information);
    QVERIFY(o.closesWindow);

    o = CodFiscChecker::check(QStringLiteral("RSSMRA80A01H501UX"));
    QCOMPARE(o.message.box, CheckerMessage::Box::Task);
    QCOMPARE(o.message.caption, caption);
    QCOMPARE(o.message.text,
             QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
    QCOMPARE(o.message.icon, MessageIcon::Information);
    QVERIFY(!o.closesWindow);
}

void TestCheckers::numericCodiceFiscaleGoesToIvaChecker()
{
    QVERIFY(IsNumericCodiceFiscale(QStringLiteral("00743110157")));
    QVERIFY(IsNumericCodiceFiscale(QStringLiteral("  00743110157 ")));
    QVERIFY(IsNumericCodiceFiscale(QStringLiteral("1234567890123456")));
    QVERIFY(!IsNumericCodiceFiscale(QString()));
    QVERIFY(!IsNumericCodiceFiscale(QStringLiteral("   ")));
    QVERIFY(!IsNumericCodiceFiscale(QStringLiteral("0074311015X")));
    QVERIFY(!IsNumericCodiceFiscale(QStringLiteral("00743 110157")));
    QVERIFY(!IsNumericCodiceFiscale(QStringLiteral("RSSMRA80A01H501U")));
    QVERIFY(!IsNumericCodiceFiscale(utf8("٣٤٥")));   // other scripts' digits are not 0 to 9
}

// ---- partita IVA --------------------------------------------------------------

void TestCheckers::partitaIvaSamples_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("12345678903") << "12345678903" << true;
    QTest::newRow("00743110157") << "00743110157" << true;
    QTest::newRow("01114601006") << "01114601006" << true;
    QTest::newRow("all zero") << "00000000000" << true;
    QTest::newRow("check 0 from sum 10") << "00000000190" << true;
    QTest::newRow("wrong check digit") << "12345678901" << false;
    QTest::newRow("check 10 instead of 0") << "00000000191" << false;
    QTest::newRow("two digits swapped") << "00743110517" << false;
    QTest::newRow("letter") << "1234567890A" << false;
    QTest::newRow("blank") << "1234567890 " << false;
    QTest::newRow("10 digits") << "1234567890" << false;
    QTest::newRow("12 digits") << "123456789031" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCheckers::partitaIvaSamples()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(CheckPartitaIva(number), valid);
}

void TestCheckers::ivaOffices()
{
    QCOMPARE(IvaOfficeName("001"), QStringLiteral("Torino"));
    QCOMPARE(IvaOfficeName("015"), QStringLiteral("Milano 1"));
    QCOMPARE(IvaOfficeName("040"), utf8("Forlì"));
    QCOMPARE(IvaOfficeName("058"), QStringLiteral("Roma 1"));
    QCOMPARE(IvaOfficeName("066"), QStringLiteral("Aquila"));
    QCOMPARE(IvaOfficeName("092"), QStringLiteral("Cagliari"));
    QCOMPARE(IvaOfficeName("096"), QStringLiteral("Monza (Milano 2)"));
    QCOMPARE(IvaOfficeName("097"), QStringLiteral("Prato (Firenze 2)"));
    QCOMPARE(IvaOfficeName("099"), QStringLiteral("Chiavari (Genova 2)"));
    QCOMPARE(IvaOfficeName("101"), QStringLiteral("Bologna 2"));
    QCOMPARE(IvaOfficeName("102"), QStringLiteral("Napoli 2"));
    QCOMPARE(IvaOfficeName("120"), QStringLiteral("Bologna 2"));
    QCOMPARE(IvaOfficeName("121"), QStringLiteral("Napoli 2"));
    for (const char* none : {"000", "103", "110", "119", "122", "999", "58", "0580", ""})
        QVERIFY2(IvaOfficeName(QLatin1String(none)).isEmpty(), none);
    int entries = 0;
    for (int code = 0; code <= 999; ++code)
        entries += IvaOfficeName(QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'))).isEmpty() ? 0 : 1;
    QCOMPARE(entries, 104);
}

void TestCheckers::ivaWindowRules()
{
    using Purpose = IvaChecker::Purpose;
    QCOMPARE(IvaChecker::caption(Purpose::PartitaIva), QStringLiteral(" Controllo partita IVA "));
    QCOMPARE(IvaChecker::caption(Purpose::NumericCodiceFiscale),
             QStringLiteral(" Controllo codice fiscale numerico / partita IVA"));
    QVERIFY(!IvaChecker::canCheck(QStringLiteral("1234567890")));
    QVERIFY(IvaChecker::canCheck(QStringLiteral("12345678903")));
    QVERIFY(IvaChecker::canCheck(QStringLiteral("1234567890123456")));
    QVERIFY(IvaChecker::enterChecks(QStringLiteral("12345678903")));
    QVERIFY(!IvaChecker::enterChecks(QStringLiteral("1234567890123456")));

    const QString validHead = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.") + kBreak
                              + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ");
    CheckerOutcome o = IvaChecker::check(QStringLiteral("12345670587"));   // office 058
    QCOMPARE(o.message.box, CheckerMessage::Box::Plain);
    QCOMPARE(o.message.text, validHead + QStringLiteral("Roma 1."));
    QVERIFY(o.closesWindow);
    QCOMPARE(IvaChecker::check(QStringLiteral("98765431204")).message.text, validHead + QStringLiteral("Bologna 2."));
    // An office code without entry names no town: that is said instead.
    QCOMPARE(IvaChecker::check(QStringLiteral("12345671106")).message.text,
             QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.") + kBreak
                 + QStringLiteral("Il codice dell'Ufficio IVA che lo ha rilasciato (110) non risulta assegnato ad "
                                  "alcun Comune."));

    o = IvaChecker::check(QStringLiteral("12345670588"));
    QCOMPARE(o.message.box, CheckerMessage::Box::Task);
    QVERIFY(o.closesWindow);
    // A letter from the caller's field makes the number wrong.
    QCOMPARE(IvaChecker::check(QStringLiteral("1234567058a")).message.box, CheckerMessage::Box::Task);

    o = IvaChecker::check(QStringLiteral("1234567890123456"));
    QCOMPARE(o.message.box, CheckerMessage::Box::Plain);
    QCOMPARE(o.message.text,
             QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
    QVERIFY(!o.closesWindow);
}

// ---- credit card --------------------------------------------------------------

void TestCheckers::creditCardSamples_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("brandClass");
    QTest::newRow("Visa 16") << "4111111111111111" << 2;
    QTest::newRow("Visa 16 b") << "4012888888881881" << 2;
    QTest::newRow("Visa 13") << "4222222222222" << 2;
    QTest::newRow("MasterCard") << "5555555555554444" << 3;
    QTest::newRow("MasterCard b") << "5105105105105100" << 3;
    QTest::newRow("American Express") << "378282246310005" << 1;
    QTest::newRow("American Express b") << "371449635398431" << 1;
    QTest::newRow("Diners") << "30569309025904" << 1;
    QTest::newRow("Diners b") << "38520000023237" << 1;
    QTest::newRow("Discover") << "6011111111111117" << 4;
    QTest::newRow("Discover b") << "6011000990139424" << 4;
    QTest::newRow("JCB") << "3530111333300000" << 1;
    QTest::newRow("JCB b") << "3566002020360505" << 1;
    QTest::newRow("Visa, last digit changed") << "4111111111111112" << 0;
    QTest::newRow("Luhn-valid, first digit 2") << "2223003122003222" << 0;
    QTest::newRow("Luhn-valid, first digit 0") << "02345678901239" << 0;
    QTest::newRow("Luhn-valid, first digit 1") << "12345678901237" << 0;
    QTest::newRow("Luhn-valid, first digit 7") << "72345678901234" << 0;
    QTest::newRow("Luhn-valid, first digit 8") << "82345678901232" << 0;
    QTest::newRow("Luhn-valid, first digit 9") << "92345678901230" << 0;
    QTest::newRow("Luhn-valid, 32") << "3212345678901239" << 1;
    QTest::newRow("Luhn-valid, 39") << "3912345678901232" << 1;
    QTest::newRow("single zero") << "0" << 0;
    QTest::newRow("no digits") << "----" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestCheckers::creditCardSamples()
{
    QFETCH(QString, number);
    QFETCH(int, brandClass);
    QCOMPARE(CheckCreditCard(number), brandClass);
}

void TestCheckers::creditCardFirstTwentyCharacters()
{
    // Blanks and hyphens among the first 20 characters are skipped.
    QCOMPARE(CheckCreditCard(QStringLiteral("4111 1111 1111 1111")), 2);
    QCOMPARE(CheckCreditCard(QStringLiteral("4111-1111-1111-1111")), 2);
    // 20 valid digits and a 21st: the 20th is the check digit, the 21st is not read.
    QCOMPARE(CheckCreditCard(QStringLiteral("41234567890123456787")), 2);
    QCOMPARE(CheckCreditCard(QStringLiteral("412345678901234567877")), 2);
    QCOMPARE(CheckCreditCard(QStringLiteral("412345678901234567871234")), 2);
    // Valid over 21 digits, but the first 20 fail.
    QCOMPARE(CheckCreditCard(QStringLiteral("412345678901234567890")), 0);
    // Separators push digits past the 20th character, out of the reading.
    QCOMPARE(CheckCreditCard(QStringLiteral("4111 1111 1111 1111 1")), 2);
    QCOMPARE(CheckCreditCard(QStringLiteral("4 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1")), 0);
}

void TestCheckers::creditCardBrands()
{
    QCOMPARE(CreditCardBrand(1, QStringLiteral("30569309025904")), QStringLiteral("Diner's Club / Carte Blanche"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("36")), QStringLiteral("Diner's Club / Carte Blanche"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("38")), QStringLiteral("Diner's Club / Carte Blanche"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("34")), QStringLiteral("American Express"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("37")), QStringLiteral("American Express"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("31")), QStringLiteral("JCB"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("33")), QStringLiteral("JCB"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("35")), QStringLiteral("JCB"));
    QCOMPARE(CreditCardBrand(1, QStringLiteral("32")), QString());
    QCOMPARE(CreditCardBrand(1, QStringLiteral("39")), QString());
    // The first two characters as they stand, separators included.
    QCOMPARE(CreditCardBrand(1, QStringLiteral("3-78282246310005")), QString());
    QCOMPARE(CreditCardBrand(2, QStringLiteral("4111")), QStringLiteral("Visa"));
    QCOMPARE(CreditCardBrand(3, QStringLiteral("5555")), QStringLiteral("MasterCard"));
    QCOMPARE(CreditCardBrand(4, QStringLiteral("6011")), QStringLiteral("Discover"));
    QCOMPARE(CreditCardBrand(0, QStringLiteral("4111")), QString());
}

void TestCheckers::creditCardWindowRules()
{
    QVERIFY(!CartaChecker::canCheck(QStringLiteral("422222222222")));
    QVERIFY(CartaChecker::canCheck(QStringLiteral("4222222222222")));
    QVERIFY(!CartaChecker::enterChecks(QStringLiteral("422222222222")));
    QVERIFY(CartaChecker::enterChecks(QStringLiteral("4222222222222")));

    const QString validHead = QStringLiteral("Il numero di carta di credito ");
    CheckerOutcome o = CartaChecker::check(QStringLiteral("4111111111111111"));
    QCOMPARE(o.message.box, CheckerMessage::Box::Plain);
    QCOMPARE(o.message.text, validHead + QStringLiteral("4111111111111111 risulta valido.") + kBreak
                                 + utf8("La carta di credito è del tipo Visa."));
    QVERIFY(o.closesWindow);
    QCOMPARE(CartaChecker::check(QStringLiteral(" 378282246310005 ")).message.text,
             validHead + QStringLiteral("378282246310005 risulta valido.") + kBreak
                 + utf8("La carta di credito è del tipo American Express."));

    QCOMPARE(CartaChecker::check(QStringLiteral("4111111111111112")).message.box, CheckerMessage::Box::Task);
    QCOMPARE(CartaChecker::check(QStringLiteral("2223003122003222")).message.box, CheckerMessage::Box::Task);

    // A valid number of no known brand is said valid, without a brand.
    for (const QString& n : {QStringLiteral("3212345678901239"), QStringLiteral("3-78282246310005")}) {
        o = CartaChecker::check(n);
        QCOMPARE(o.message.box, CheckerMessage::Box::Plain);
        QCOMPARE(o.message.text, validHead + n + QStringLiteral(" risulta valido.") + kBreak
                                     + utf8("Non è però possibile riconoscere il tipo di carta di credito."));
        QVERIFY(o.closesWindow);
    }
}

// ---- IBAN ---------------------------------------------------------------------

void TestCheckers::ibanRegistrySamples_data()
{
    QTest::addColumn<QString>("iban");
    QTest::addColumn<bool>("right");
    QTest::newRow("IT") << "IT60X0542811101000000123456" << true;
    QTest::newRow("GB") << "GB29NWBK60161331926819" << true;
    QTest::newRow("DE") << "DE89370400440532013000" << true;
    QTest::newRow("FR") << "FR1420041010050500013M02606" << true;
    QTest::newRow("ES") << "ES9121000418450200051332" << true;
    QTest::newRow("NL") << "NL91ABNA0417164300" << true;
    QTest::newRow("BE") << "BE68539007547034" << true;
    QTest::newRow("CH") << "CH9300762011623852957" << true;
    QTest::newRow("GR") << "GR1601101250000000012300695" << true;
    QTest::newRow("PL") << "PL61109010140000071219812874" << true;
    QTest::newRow("HU") << "HU42117730161111101800000000" << true;
    QTest::newRow("CY") << "CY17002001280000001200527600" << true;
    QTest::newRow("MT") << "MT84MALT011000012345MTLCAST001S" << true;
    QTest::newRow("IT check pair swapped") << "IT06X0542811101000000123456" << false;
    QTest::newRow("IT last digit changed") << "IT60X0542811101000000123457" << false;
    QTest::newRow("GB one letter changed") << "GB29NWBA60161331926819" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCheckers::ibanRegistrySamples()
{
    QFETCH(QString, iban);
    QFETCH(bool, right);
    QCOMPARE(CheckIban(iban), right);
}

void TestCheckers::ibanWrittenLoosely()
{
    QVERIFY(CheckIban(QStringLiteral("IT60 X054 2811 1010 0000 0123 456")));
    QVERIFY(CheckIban(QStringLiteral("it60 x054 2811 1010 0000 0123 456")));
    QVERIFY(CheckIban(QStringLiteral("gb29nwbk60161331926819")));
    QVERIFY(CheckIban(QStringLiteral("IBAN IT60X0542811101000000123456")));
    QVERIFY(CheckIban(QStringLiteral("IBANIT60X0542811101000000123456")));
    QVERIFY(!CheckIban(QStringLiteral("iban: ")));   // nothing left but a colon
    QVERIFY(!CheckIban(QStringLiteral("IBAN IT06X0542811101000000123456")));
    // Only the first "IBAN" goes, wherever it stands.
    QVERIFY(CheckIban(QStringLiteral("IT60X05428IBAN11101000000123456")));
    QVERIFY(!CheckIban(QStringLiteral("IBAN IBAN IT60X0542811101000000123456")));
}

void TestCheckers::ibanUnreadableCharacters()
{
    QCOMPARE(IbanRemainder(QStringLiteral("IT60-X054-2811-1010-0000-0123-456")), 0);
    QCOMPARE(IbanRemainder(QStringLiteral("IT60X0542811101/000000123456")), 0);
    QCOMPARE(IbanRemainder(utf8("IT60X0542811101000000123456à")), 0);
    QCOMPARE(IbanRemainder(QString()), 0);
    QCOMPARE(IbanRemainder(QStringLiteral("IBAN")), 0);
    // Going on from 0 after the unreadable piece would leave exactly 1 here:
    // a code holding a hyphen must still be wrong.
    QVERIFY(!CheckIban(QStringLiteral("IT60X0542811101-00000123466")));
}

void TestCheckers::ibanRemainderOverPieces()
{
    QCOMPARE(IbanRemainder(QStringLiteral("IT60X0542811101000000123456")), 1);
    QCOMPARE(IbanRemainder(QStringLiteral("IT60X0542811101000000123457")), 28);
    QCOMPARE(IbanRemainder(QStringLiteral("GB29NWBK60161331926818")), 71);
    // Shorter than a piece, and shorter than the four characters moved.
    QCOMPARE(IbanRemainder(QStringLiteral("98")), 1);
    QCOMPARE(IbanRemainder(QStringLiteral("00010000000")), 1);   // "000000000" then "001": leading zeros
}

void TestCheckers::ibanWindowRules()
{
    QVERIFY(!IbanChecker::canCheck(QStringLiteral("IT60X054281110100000012345")));
    QVERIFY(IbanChecker::canCheck(QStringLiteral("IT60X0542811101000000123456")));
    QVERIFY(IbanChecker::canCheck(QStringLiteral("IT60 X054 2811 1010 0000 01")));  // 27 with blanks
    QVERIFY(!IbanChecker::enterChecks(QStringLiteral("GB29NWBK60161331926819")));

    // The field's text is trimmed before the check.
    const CheckerOutcome o = IbanChecker::check(QStringLiteral("IT60X0542811101000000123456 "));
    QCOMPARE(o.message.icon, MessageIcon::Information);
    QVERIFY(o.closesWindow);
    QCOMPARE(IbanChecker::check(QStringLiteral("IT06X0542811101000000123456")).message.icon, MessageIcon::Warning);
}

// ---- keys of the digits-only fields ----------------------------------------

void TestCheckers::digitKeys()
{
    QCOMPARE(judgeDigitKey(QLatin1Char('0'), false), DigitKey::Accept);
    QCOMPARE(judgeDigitKey(QLatin1Char('9'), true), DigitKey::Accept);
    QCOMPARE(judgeDigitKey(QLatin1Char('\b'), false), DigitKey::Accept);
    QCOMPARE(judgeDigitKey(QLatin1Char('\r'), true), DigitKey::Check);
    QCOMPARE(judgeDigitKey(QLatin1Char('\r'), false), DigitKey::Ignore);
    // Control characters are refused too: Ctrl+V (22) would paste letters.
    for (const QChar c : QString::fromUtf8("aZ -/.,:+è²٣\x16\x03\t\x1b\x7f"))
        QVERIFY2(judgeDigitKey(c, true) == DigitKey::Refuse, qPrintable(QString(c)));
    QCOMPARE(checkerInvalidCharacterMessage(),
             QStringLiteral("Attenzione: carattere non valido. Digitare solo valori numerici."));
}

QTEST_GUILESS_MAIN(TestCheckers)
#include "tst_checkers.moc"
