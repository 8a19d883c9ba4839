#include "storage/ArchiveFile.h"
#include "warehouse/MaterialCard.h"
#include "warehouse/ui/TfrmImpMateriali.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

TRecMateriale article(const QString& code, const QString& stock)
{
    TRecMateriale r;
    r.Codice = code;
    r.Tipologia = QStringLiteral("Ricambio");
    r.Marca = QStringLiteral("Bosch");
    r.Modello = QStringLiteral("X") + code;
    r.Descrizione = QStringLiteral("Descrizione di ") + code;
    r.Prezzo = QStringLiteral("12,50");
    r.Costo = QStringLiteral("8,00");
    r.Giacenza = stock;
    r.Sottoscorta = QStringLiteral("1");
    r.Note = QStringLiteral("scaffale 3");
    return r;
}

const QString kRefusal = QStringLiteral("La quantità da decurtare non può essere superiore alla giacenza in magazzino.");

} // namespace

class TestMaterialImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lineMarkAndQuantityFromTheEditor_data();
    void lineMarkAndQuantityFromTheEditor();
    void onlyStockedCardsAreOffered();
    void clickShowsTheStockAndEnablesImport();
    void import_data();
    void import();
    void typedQuantityEnablesImportWithoutALine();
    void cardChangedSinceTheClick_data();
    void cardChangedSinceTheClick();
    void archiveGoneBeforeImportClosesSilently();
    void quantityKeys_data();
    void quantityKeys();
    void quantityOnLeaving_data();
    void quantityOnLeaving();
    void stockOptionColours();

private:
    qint64 add(const TRecMateriale& r)
    {
        ArchiveFile archive = MaterialCard::archive();
        qint64 position = 0;
        archive.append(r.encode(), position);
        return position;
    }
    QByteArray storedBytes(qint64 position) const
    {
        return dir->readAll(MaterialCard::archiveFileName()).mid(int((position - 1) * TRecMateriale::Size),
                                                                 TRecMateriale::Size);
    }
    void clickLine(TfrmImpMateriali& d, const TRecMateriale& r)
    {
        auto* list = control<RecordList>(&d, "lstRecords");
        const QStringList lines = list->lines();
        QCOMPARE(lines.count(MaterialCard::searchLine(r)), 1);
        ::clickLine(list, int(lines.indexOf(MaterialCard::searchLine(r))));
    }
    QPushButton* importa(TfrmImpMateriali& d) { return control<QPushButton>(&d, "cmdAnnulla"); }
    QWidget* hand(TfrmImpMateriali& d) { return control<QWidget>(&d, "imgMano"); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
};

void TestMaterialImport::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestMaterialImport::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestMaterialImport::cleanup()
{
    screens->endTest();
}

void TestMaterialImport::lineMarkAndQuantityFromTheEditor_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("shown");
    QTest::newRow("line 1") << 1 << "2" << "voce_ric_01" << "2";
    QTest::newRow("line 20, blanks") << 20 << "  3,5 " << "voce_ric_20" << "3,5";
    QTest::newRow("empty quantity") << 7 << "" << "voce_ric_07" << "0";
}

void TestMaterialImport::lineMarkAndQuantityFromTheEditor()
{
    QFETCH(int, line);
    QFETCH(QString, quantity);
    QFETCH(QString, mark);
    QFETCH(QString, shown);
    TfrmImpMateriali d;
    QCOMPARE(d.objectName(), QStringLiteral("frmImpMateriali"));
    QCOMPARE(d.windowTitle(), QStringLiteral(" Importa materiali da magazzino"));
    d.setLine(line, quantity);
    d.open();
    QCOMPARE(control<QLabel>(&d, "lblMemory")->text(), mark);
    QVERIFY(!control<QLabel>(&d, "lblMemory")->isVisible());
    QCOMPARE(d.line(), line);
    QCOMPARE(control<QLineEdit>(&d, "txtQuant")->text(), shown);
    QCOMPARE(control<QLineEdit>(&d, "txtGiacenza")->text(), QStringLiteral("0"));
    QCOMPARE(importa(d)->text(), QStringLiteral("Importa"));
    QVERIFY(!importa(d)->isEnabled());
    QVERIFY(!hand(d)->isVisible());
}

void TestMaterialImport::onlyStockedCardsAreOffered()
{
    const TRecMateriale zero = article("B-ZERO", "0");
    const TRecMateriale none = article("A-NONE", "");
    const TRecMateriale blanks = article("C-BLANK", "   ");
    const TRecMateriale five = article("a-five", "5");
    for (const TRecMateriale& r : {zero, none, blanks, five})
        add(r);
    TfrmImpMateriali d;
    d.setLine(1, "1");
    d.open();
    QStringList shown;
    auto* list = control<RecordList>(&d, "lstRecords");
    for (int i = 0; i < list->count(); ++i)
        shown << list->line(i);
    // Sorted without regard to case; a card with an empty stock text is not there.
    QCOMPARE(shown, QStringList({MaterialCard::searchLine(five), MaterialCard::searchLine(zero)}));
}

void TestMaterialImport::clickShowsTheStockAndEnablesImport()
{
    add(article("A1", "5"));
    const TRecMateriale b2 = article("B2", " 17 ");
    add(b2);
    TfrmImpMateriali d;
    d.setLine(2, "1");
    d.open();
    clickLine(d, b2);
    QCOMPARE(control<QLineEdit>(&d, "txtGiacenza")->text(), QStringLiteral("17"));
    QCOMPARE(control<QLabel>(&d, "lblPosizione")->text(), QStringLiteral("2"));
    QVERIFY(importa(d)->isEnabled());
    QVERIFY(hand(d)->isVisible());
    // The keyboard moves the selection the same way.
    press(control<RecordList>(&d, "lstRecords"), Qt::Key_Up, QString());
    QCOMPARE(control<QLineEdit>(&d, "txtGiacenza")->text(), QStringLiteral("5"));
    QCOMPARE(control<QLabel>(&d, "lblPosizione")->text(), QStringLiteral("1"));
}

void TestMaterialImport::import_data()
{
    QTest::addColumn<QString>("stock");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("keepStock");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("imported");
    QTest::newRow("2 of 5") << "5" << "2" << false << "3" << true;
    QTest::newRow("all of it") << "5" << "5" << false << "0" << true;
    QTest::newRow("6 of 5: refused") << "5" << "6" << false << "5" << false;
    QTest::newRow("2,5 of 5") << "5" << "2,5" << false << "2,5" << true;
    QTest::newRow("0,1 of 0,3") << "0,3" << "0,1" << false << "0,2" << true;
    // The residue, 1,00000000058387E-7 in the general format, keeps the
    // decimals the field holds instead of an exponent form cut to about 1.
    QTest::newRow("0,9999999 of 1") << "1" << "0,9999999" << false << "0,0000001" << true;
    QTest::newRow("not updating, 6 of 5") << "5" << "6" << true << "5" << true;
}

void TestMaterialImport::import()
{
    QFETCH(QString, stock);
    QFETCH(QString, quantity);
    QFETCH(bool, keepStock);
    QFETCH(QString, stored);
    QFETCH(bool, imported);
    add(article("ALTRO", "9"));
    const TRecMateriale chosen = article("POMPA-01", stock);
    const qint64 position = add(chosen);
    const QByteArray before = storedBytes(position);
    const QByteArray otherBefore = storedBytes(1);

    TfrmImpMateriali d;
    d.setLine(4, quantity);
    d.open();
    clickLine(d, chosen);
    if (keepStock)
        clickOn(control<QRadioButton>(&d, "optNonAggiornare"));
    clickOn(importa(d));

    QVERIFY(!d.isVisible());
    QCOMPARE(d.line(), 4);
    QCOMPARE(d.imported().has_value(), imported);
    if (imported) {
        QCOMPARE(d.imported()->Codice, chosen.Codice);
        QCOMPARE(d.imported()->Descrizione, chosen.Descrizione);
        QCOMPARE(d.imported()->Prezzo, chosen.Prezzo);
        // A lowered stock is said: it stays lowered whatever the receipt.
        const QStringList said = keepStock ? QStringList()
                                           : QStringList{QString::fromUtf8(
                                                 "La giacenza in magazzino dell'articolo POMPA-01 è passata da %1 a %2.\n\n"
                                                 "La giacenza resta così anche se la ricevuta non viene salvata.")
                                                             .arg(stock, stored)};
        QCOMPARE(fake->messageTexts(), said);
        if (!keepStock)
            QCOMPARE(fake->messages[0].caption, QStringLiteral("Aggiornamento giacenza"));
    } else {
        QCOMPARE(fake->messages.size(), 1);
        const ShownMessage& m = fake->messages.first();
        QCOMPARE(m.kind, MessageKind::Task);
        QCOMPARE(m.caption, QStringLiteral("Aggiornamento giacenza non applicabile"));
        QCOMPARE(m.text, kRefusal);
        QCOMPARE(m.icon, platform::MessageIcon::Information);
    }
    const QByteArray after = storedBytes(position);
    QCOMPARE(TRecMateriale::decode(after).Giacenza, stored);
    // Only the stock field changes; the other card is not touched.
    const int from = TRecMateriale::posGiacenza.offset;
    const int to = TRecMateriale::posGiacenza.end();
    QCOMPARE(after.left(from), before.left(from));
    QCOMPARE(after.mid(to), before.mid(to));
    QCOMPARE(storedBytes(1), otherBefore);
    // The quantity typed here is not the editor's business: the line keeps its own.
    QCOMPARE(control<QLineEdit>(&d, "txtQuant")->text(), quantity);
}

void TestMaterialImport::typedQuantityEnablesImportWithoutALine()
{
    const TRecMateriale r = article("A1", "5");
    add(r);
    const QByteArray before = dir->readAll(MaterialCard::archiveFileName());
    TfrmImpMateriali d;
    d.setLine(1, "1");
    d.open();
    auto* quant = control<QLineEdit>(&d, "txtQuant");
    quant->setFocus();
    press(quant, Qt::Key_End, QString());
    press(quant, Qt::Key_Backspace, "\b");
    QCOMPARE(quant->text(), QString());
    QVERIFY(!importa(d)->isEnabled());
    QVERIFY(!hand(d)->isVisible());
    press(quant, Qt::Key_2, "2");
    QVERIFY(importa(d)->isEnabled());
    QVERIFY(hand(d)->isVisible());
    // Nothing chosen: the window closes without a line and without a word.
    clickOn(importa(d));
    QVERIFY(!d.isVisible());
    QVERIFY(!d.imported().has_value());
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(dir->readAll(MaterialCard::archiveFileName()), before);
}

void TestMaterialImport::cardChangedSinceTheClick_data()
{
    // What another workstation leaves at the card's place between the
    // click and Importa (no code: the file now ends before it).
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("stock");
    QTest::addColumn<bool>("imported");
    QTest::addColumn<QString>("message");   // the one box shown
    QTest::addColumn<QString>("stored");
    const QString changed = MaterialCard::changedArticleMessage();
    // The decrease said is the one made, from the stock found at Importa.
    TRecMateriale lowered = article("POMPA-01", "1");
    QTest::newRow("stock lowered: imported against it")
        << "POMPA-01" << "3" << true << MaterialCard::stockLoweredMessage(lowered, "3") << "1";
    QTest::newRow("stock lowered below the quantity") << "POMPA-01" << "1" << false << kRefusal << "1";
    QTest::newRow("another article there") << "VALVOLA-07" << "5" << false << changed << "5";
    QTest::newRow("the card gone") << "" << "" << false << changed << "";
}

void TestMaterialImport::cardChangedSinceTheClick()
{
    QFETCH(QString, code);
    QFETCH(QString, stock);
    QFETCH(bool, imported);
    QFETCH(QString, message);
    add(article("ALTRO", "9"));
    const TRecMateriale chosen = article("POMPA-01", "5");
    const qint64 position = add(chosen);
    TfrmImpMateriali d;
    d.setLine(3, "2");
    d.open();
    clickLine(d, chosen);
    TRecMateriale now = chosen;
    now.Codice = code;
    now.Giacenza = stock;
    if (code.isEmpty())
        dir->writeAll(MaterialCard::archiveFileName(), storedBytes(1));
    else
        QVERIFY(MaterialCard::archive().update(position, now.encode()));
    clickOn(importa(d));
    QVERIFY(!d.isVisible());
    QCOMPARE(d.imported().has_value(), imported);
    QCOMPARE(fake->messageTexts(), QStringList{message});
    QTEST(TRecMateriale::decode(storedBytes(position)).Giacenza, "stored");
}

void TestMaterialImport::archiveGoneBeforeImportClosesSilently()
{
    const TRecMateriale r = article("A1", "5");
    add(r);
    TfrmImpMateriali d;
    d.setLine(1, "2");
    d.open();
    clickLine(d, r);
    // Another workstation takes the archive away between the click and Importa.
    QVERIFY(QFile::remove(dir->file(MaterialCard::archiveFileName())));
    dir->putFolderInPlaceOf(MaterialCard::archiveFileName());
    clickOn(importa(d));
    QVERIFY(!d.isVisible());
    QVERIFY(!d.imported().has_value());
    QVERIFY(fake->messages.isEmpty());
}

void TestMaterialImport::quantityKeys_data()
{
    // keys: characters typed one by one; <Home>, <End>, <Left>, <Del>, <BS>, <Enter> are the named keys.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("refusals");
    QTest::newRow("digits and a comma") << "" << "12,75" << "12,75" << 0;
    QTest::newRow("a second comma") << "2,5" << "<End>," << "2,5" << 1;
    QTest::newRow("a letter") << "2" << "<End>a" << "2" << 1;
    QTest::newRow("a minus") << "2" << "<End>-" << "2" << 1;
    QTest::newRow("a point") << "2" << "<End>." << "2" << 1;
    QTest::newRow("Delete") << "25" << "<Home><Del>" << "5" << 0;
    QTest::newRow("Backspace") << "2,5" << "<End><BS>" << "2," << 0;
    QTest::newRow("arrows then a digit") << "25" << "<End><Left>0" << "205" << 0;
    QTest::newRow("no guard on big values") << "40000000" << "<End>0" << "400000000" << 0;
    QTest::newRow("Enter") << "2" << "<End><Enter>" << "2" << 0;
    QTest::newRow("at most 15 characters") << "123456789012345" << "<End>6" << "123456789012345" << 0;
}

void TestMaterialImport::quantityKeys()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, refusals);
    TfrmImpMateriali d;
    d.setLine(1, start);
    d.open();
    auto* quant = control<QLineEdit>(&d, "txtQuant");
    if (start.isEmpty())
        quant->clear();
    quant->setFocus();
    static const QRegularExpression token(QStringLiteral("<(\\w+)>|(.)"));
    static const QMap<QString, QPair<int, QString>> named = {
        {"Home", {Qt::Key_Home, QString()}}, {"End", {Qt::Key_End, QString()}},
        {"Left", {Qt::Key_Left, QString()}}, {"Del", {Qt::Key_Delete, "\x7f"}},
        {"BS", {Qt::Key_Backspace, "\b"}},   {"Enter", {Qt::Key_Return, "\r"}},
    };
    auto it = token.globalMatch(keys);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) > 0) {
            QVERIFY(named.contains(m.captured(1)));
            press(quant, named[m.captured(1)].first, named[m.captured(1)].second);
        } else {
            const QChar c = m.captured(2).at(0);
            const int key = c.isDigit() ? Qt::Key_0 + c.digitValue()
                            : c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A')
                                           : int(c.unicode());
            press(quant, key, QString(c));
        }
    }
    QCOMPARE(quant->text(), text);
    QCOMPARE(fake->messages.size(), refusals);
    for (const ShownMessage& m : fake->messages) {
        QCOMPARE(m.kind, MessageKind::KeyFilter);
        QCOMPARE(m.text, QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «Quant. da decurtare» accetta "
                                           "solo cifre e una virgola per i decimali."));
    }
}

void TestMaterialImport::quantityOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("whole number stays") << "3" << "3";
    QTest::newRow("trailing zeros go") << "2,500" << "2,5";
    QTest::newRow("four decimals") << "1,23456" << "1,2346";
    QTest::newRow("empty becomes 0") << "" << "0";
    QTest::newRow("a lone comma") << "," << "0";
}

void TestMaterialImport::quantityOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, left);
    TfrmImpMateriali d;
    d.setLine(1, "1");
    d.open();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* quant = control<QLineEdit>(&d, "txtQuant");
    quant->setFocus();
    QVERIFY(quant->hasFocus());
    QCOMPARE(quant->palette().color(QPalette::Base), QColor(Qt::yellow));
    quant->selectAll();
    press(quant, Qt::Key_Backspace, "\b");
    for (const QChar c : typed)
        press(quant, c == ',' ? int(Qt::Key_Comma) : Qt::Key_0 + c.digitValue(), QString(c));
    // Enter leaves the focus where it is.
    press(quant, Qt::Key_Return, "\r");
    QVERIFY(quant->hasFocus());
    control<QLineEdit>(&d, "txtTrova")->setFocus();
    QCOMPARE(quant->text(), left);
    QCOMPARE(quant->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestMaterialImport::stockOptionColours()
{
    TfrmImpMateriali d;
    d.setLine(1, "1");
    d.open();
    auto* update = control<QRadioButton>(&d, "optAggiorna");
    auto* keep = control<QRadioButton>(&d, "optNonAggiornare");
    const QColor maroon(128, 0, 0);
    QVERIFY(update->isChecked());
    QCOMPARE(update->palette().color(QPalette::WindowText), maroon);
    QCOMPARE(keep->palette().color(QPalette::WindowText), QColor(Qt::black));
    clickOn(keep);
    QVERIFY(keep->isChecked());
    QCOMPARE(keep->palette().color(QPalette::WindowText), maroon);
    QCOMPARE(update->palette().color(QPalette::WindowText), QColor(Qt::black));
}

QTEST_MAIN(TestMaterialImport)
#include "tst_materialimport.moc"
