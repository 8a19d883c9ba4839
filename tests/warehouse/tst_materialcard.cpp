#include "storage/MaterialRecord.h"
#include "warehouse/ui/TfrmMateriali.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QtTest>

namespace {

const int kSize = 5170;

} // namespace

class TestMaterialCard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveWithOnlyACode();
    void countsAndPriceAsSaved_data();
    void countsAndPriceAsSaved();
    void guards_data();
    void guards();
    void keys_data();
    void keys();
    void unreadableCountRefusesSave_data();
    void unreadableCountRefusesSave();
    void printoutShowsTheCard();

private:
    QLineEdit* edit(const QString& name) { return control<QLineEdit>(card, name); }
    QLabel* label(const char* name) { return control<QLabel>(card, name); }
    void release(const char* name) { ScreenFixture::press(card, name); }
    QByteArray raw() const { return dir->readAll("Materiali.pro"); }
    TRecMateriale stored(int position) const { return TRecMateriale::decode(raw().mid((position - 1) * kSize, kSize)); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    QWidget* card = nullptr;
};

void TestMaterialCard::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    card = ScreenFixture::screen("frmMateriali");
    QVERIFY(card);
    QCOMPARE(card->windowTitle(), QString(" Magazzino materiali"));
    QVERIFY(ScreenFixture::openWorkArea(card));
}

void TestMaterialCard::init()
{
    screens->beginTest();
    dir = &screens->dir();
    // The work area stays open across the tests; each one starts from a new card.
    release("imgNuovo");
}

void TestMaterialCard::cleanup()
{
    screens->endTest();
}

void TestMaterialCard::saveWithOnlyACode()
{
    using M = TRecMateriale;
    QByteArray two;
    for (const char* code : {"A", "B"})
        two += sampleBytes<M>({{&M::Codice, code}, {&M::Marca, QString("Marca ") + code}, {&M::Prezzo, "1,00"},
                               {&M::Giacenza, "0"}, {&M::Sottoscorta, "0"}});
    dir->writeAll("Materiali.pro", two);
    // A new card shows the defaults; emptied, Save puts them back.
    QCOMPARE(edit("txtPrezzo")->text(), QString("0,00"));
    QCOMPARE(edit("txtGiacenza")->text(), QString("0"));
    QCOMPARE(edit("txtSottoscorta")->text(), QString("0"));
    QVERIFY(edit("txtCodice")->hasFocus());
    for (const char* name : {"txtPrezzo", "txtGiacenza", "txtSottoscorta"})
        edit(name)->clear();
    typeInto(edit("txtCodice"), "C-1");
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, QString("Salvataggio scheda effettuato con successo"));
    QCOMPARE(fake->messages[0].text, QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Information);
    QCOMPARE(label("lblPosizione")->text(), QString("3"));
    QCOMPARE(edit("txtPrezzo")->text(), QString("0,00"));
    const TRecMateriale r = stored(3);
    QCOMPARE(r.Codice, QString("C-1"));
    QCOMPARE(r.Prezzo, QString("0,00"));
    QCOMPARE(r.Giacenza, QString("0"));
    QCOMPARE(r.Sottoscorta, QString("0"));
    QCOMPARE(r.Marca, QString());
    QCOMPARE(r.File01, QString());
}

void TestMaterialCard::countsAndPriceAsSaved_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("shown");    // in the field after leaving it, or after Save
    QTest::addColumn<QString>("written");

    QTest::newRow("stock 2,5 not left") << "txtGiacenza" << "2,5" << false << "3" << "3";
    QTest::newRow("stock 2,4 not left") << "txtGiacenza" << "2,4" << false << "2" << "2";
    QTest::newRow("threshold 2,5 not left") << "txtSottoscorta" << "2,5" << false << "3" << "3";
    QTest::newRow("stock 2,5 left") << "txtGiacenza" << "2,5" << true << "3" << "3";
    QTest::newRow("stock lone comma left") << "txtGiacenza" << "," << true << "0" << "0";
    QTest::newRow("stock emptied and left") << "txtGiacenza" << "" << true << "0" << "0";
    QTest::newRow("threshold 007 left") << "txtSottoscorta" << "007" << true << "7" << "7";
    QTest::newRow("price 12 not left") << "txtPrezzo" << "12" << false << "12" << "12";
    QTest::newRow("price 12 left") << "txtPrezzo" << "12" << true << "12,00" << "12,00";
    QTest::newRow("price 3,14159 left") << "txtPrezzo" << "3,14159" << true << "3,1416" << "3,1416";
    QTest::newRow("price emptied and left") << "txtPrezzo" << "" << true << "0,00" << "0,00";
}

void TestMaterialCard::countsAndPriceAsSaved()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, left);
    QFETCH(QString, shown);
    QFETCH(QString, written);

    typeInto(edit("txtCodice"), "K");
    QLineEdit* typedInto = edit(field);
    typedInto->clear();
    typeInto(typedInto, typed);
    QCOMPARE(typedInto->text(), typed);
    if (left) {
        pressEnter(typedInto);   // Enter moves on: the field is left
        QVERIFY(!typedInto->hasFocus());
        QCOMPARE(typedInto->text(), shown);
    }
    release("imgSalva");   // a picture button takes no focus
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(typedInto->text(), shown);
    const TRecMateriale r = stored(1);
    const QString saved = field == "txtPrezzo" ? r.Prezzo : field == "txtGiacenza" ? r.Giacenza : r.Sottoscorta;
    QCOMPARE(saved, written);
}

void TestMaterialCard::guards_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("message");   // empty: the key is accepted
    QTest::addColumn<QString>("after");

    const QString stock = QString::fromUtf8("Attenzione: il valore della giacenza massima non può superare 30 milioni.");
    const QString threshold = QString::fromUtf8("Attenzione: il valore massimo non può superare 30 milioni.");
    QTest::newRow("stock above") << "txtGiacenza" << "30000001" << stock << "0";
    QTest::newRow("stock at the limit") << "txtGiacenza" << "30000000" << "" << "300000005";
    QTest::newRow("threshold above") << "txtSottoscorta" << "30000000,5" << threshold << "0";
    QTest::newRow("threshold unreadable: no guard") << "txtSottoscorta" << "99999999x" << "" << "99999999x5";
    QTest::newRow("price above") << "txtPrezzo" << "30000001" << "Attenzione: valore non valido." << "0,00";
}

void TestMaterialCard::guards()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, message);
    QFETCH(QString, after);

    QLineEdit* w = edit(field);
    w->setFocus();
    w->setText(before);   // pasted: the guard looks at the text before the key
    press(w, Qt::Key_5, "5");
    QCOMPARE(w->text(), after);
    if (message.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
        return;
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::KeyFilter);
    QCOMPARE(fake->messages[0].caption, QString("Operazione annullata"));
    QCOMPARE(fake->messages[0].text, message);
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::None);

    // Enter moves on before the guard looks.
    fake->clear();
    w->setText(before);
    pressEnter(w);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(!w->hasFocus());
}

void TestMaterialCard::keys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");   // "12,5" with the caret after "1" before the key
    QTest::addColumn<bool>("refused");

    for (const char* field : {"txtPrezzo", "txtGiacenza", "txtSottoscorta"}) {
        const QByteArray f(field);
        QTest::newRow(f + " second comma") << field << int(Qt::Key_Comma) << "," << "12,5" << true;
        QTest::newRow(f + " point") << field << int(Qt::Key_Period) << "." << "12,5" << true;
        QTest::newRow(f + " letter") << field << int(Qt::Key_A) << "a" << "12,5" << true;
        QTest::newRow(f + " digit") << field << int(Qt::Key_7) << "7" << "172,5" << false;
        QTest::newRow(f + " Backspace") << field << int(Qt::Key_Backspace) << "\b" << "2,5" << false;
        QTest::newRow(f + " Delete") << field << int(Qt::Key_Delete) << "\x7f" << "1,5" << false;
        QTest::newRow(f + " Left") << field << int(Qt::Key_Left) << "" << "12,5" << false;
        QTest::newRow(f + " Right") << field << int(Qt::Key_Right) << "" << "12,5" << false;
    }
    QTest::newRow("code takes anything") << "txtCodice" << int(Qt::Key_Period) << "." << "1.2,5" << false;
}

void TestMaterialCard::keys()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(bool, refused);

    QLineEdit* w = edit(field);
    w->setFocus();
    w->setText("12,5");
    w->setCursorPosition(1);
    press(w, key, text);
    QCOMPARE(w->text(), after);
    if (!refused) {
        QVERIFY(fake->messages.isEmpty());
        return;
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::KeyFilter);
    QCOMPARE(fake->messages[0].caption, QString("Operazione annullata"));
    // The refusal names the field as its caption does.
    const QMap<QString, QString> captions = {{"txtPrezzo", "Prezzo al pubblico"}, {"txtGiacenza", "Giacenza"},
                                             {"txtSottoscorta", "Avviso sottoscorta n."}};
    QCOMPARE(fake->messages[0].text, QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «%1» accetta solo "
                                                       "cifre e una virgola per i decimali.")
                                         .arg(captions.value(field)));
}

void TestMaterialCard::unreadableCountRefusesSave_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::newRow("stock") << "txtGiacenza"
                           << QString::fromUtf8("Attenzione: il valore indicato nel campo Giacenza non è un numero valido.");
    QTest::newRow("threshold") << "txtSottoscorta"
                               << QString::fromUtf8("Attenzione: il valore indicato nel campo Avviso sottoscorta non è un "
                                                    "numero valido.");
}

void TestMaterialCard::unreadableCountRefusesSave()
{
    QFETCH(QString, field);
    QFETCH(QString, message);

    typeInto(edit("txtCodice"), "Z");
    QLineEdit* w = edit(field);
    w->setFocus();
    w->setText("12abc");   // pasted through the context menu, not left
    edit("txtNote")->setText("x");
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text, message);
    QVERIFY(w->hasFocus());
    QCOMPARE(w->text(), QString("12abc"));
    QCOMPARE(label("lblPosizione")->text(), QString());
    QVERIFY(raw().isEmpty());
}

void TestMaterialCard::printoutShowsTheCard()
{
    typeInto(edit("txtCodice"), "LAV-9");
    typeInto(edit("txtMarca"), "Candy");
    typeInto(edit("txtCollocazione"), QString::fromUtf8("Sala è"));
    edit("txtPrezzo")->clear();
    typeInto(edit("txtPrezzo"), "199,9");
    fake->printCopies.enqueue(1);
    release("imgWord");
    QCOMPARE(fake->documents.size(), 1);
    const RecordingCanvas& page = *fake->documents[0];
    QVERIFY(!page.findText("SCHEDA ARTICOLO IN MAGAZZINO").text.isEmpty());
    QVERIFY(page.findText("LAV-9").inRect);
    QVERIFY(page.findText("Candy").inRect);
    QVERIFY(page.findText(QString::fromUtf8("Sala è")).inRect);
    QVERIFY(page.findText("199,9").inRect);
    QVERIFY(page.findText("0").inRect);   // the stock of a new card
}

QTEST_MAIN(TestMaterialCard)
#include "tst_materialcard.moc"
