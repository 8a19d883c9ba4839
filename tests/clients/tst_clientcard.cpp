#include "app/Startup.h"
#include "clients/ui/TfrmClienti.h"
#include "screens/CardForm.h"
#include "platform/qt/KeyFilters.h"
#include "storage/ClientRecord.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "RecordingCanvas.h"
#include "SampleRecords.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>

namespace {

const QString kArchiveMessage = QString::fromUtf8(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");


} // namespace

class TestClientCard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void consentBoxStoredAndShown();
    void loadingUnknownConsentLeavesBox();
    void keyRules();
    void mailOpensTheAddress();
    void failingArchiveChangesNothing();
    void damagedArchiveLoadsWhatIsReadable();
    void hintsAndNewCard();
    void tableNamingAControlTwiceIsCaught();
    void ibanShownWhole();
    void printoutShowsWhatSaveWrites();
    void cardShowsExactlyWhatSaveWrites();

private:
    QLineEdit* edit(const char* name) { return control<QLineEdit>(card, name); }
    QLabel* label(const char* name) { return control<QLabel>(card, name); }
    void release(const char* name) { ScreenFixture::press(card, name); }
    void saveClient(const QString& name)
    {
        release("imgNuovo");
        typeInto(edit("txtOperatore"), name);
        release("imgSalva");
    }
    TRecCliente stored(int position) const
    {
        return TRecCliente::decode(dir->readAll("Clienti.pro").mid((position - 1) * 4809, 4809));
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    QWidget* card = nullptr;
};

void TestClientCard::ibanShownWhole()
{
    // An Italian IBAN as the bank prints it, in its groups of four, fits the
    // field with its frame and the caret.
    auto* iban = control<QLineEdit>(card, "txtIban");
    typeInto(iban, QStringLiteral("IT60 X054 2811 1010 0000 0123 456"));
    QStyleOptionFrame frame;
    frame.initFrom(iban);
    const int inner = iban->style()->subElementRect(QStyle::SE_LineEditContents, &frame, iban).width();
    const int needed = QFontMetrics(iban->font()).horizontalAdvance(iban->text()) + 4;
    QVERIFY2(needed <= inner, qPrintable(QStringLiteral("needs %1, has %2").arg(needed).arg(inner)));
    QCOMPARE(iban->cursorPosition(), iban->text().size());
}

void TestClientCard::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    card = ScreenFixture::screen("frmClienti");
    QVERIFY(card);
    QVERIFY(ScreenFixture::openWorkArea(card));
}

void TestClientCard::init()
{
    screens->beginTest();
    dir = &screens->dir();
    // The work area stays open across the tests; each one starts from a new card.
    release("imgNuovo");
    control<QCheckBox>(card, "chkDoppioTurno")->setChecked(false);
}

void TestClientCard::cleanup()
{
    screens->endTest();
}

void TestClientCard::consentBoxStoredAndShown()
{
    auto* box = control<QCheckBox>(card, "chkDoppioTurno");
    QCOMPARE(box->focusPolicy() & Qt::TabFocus, 0);
    typeInto(edit("txtOperatore"), "Bianchi");
    box->click();
    QCOMPARE(box->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    release("imgSalva");
    const QByteArray raw = dir->readAll("Clienti.pro");
    const int bytes[] = {13, 83, 236, 32, 112, 117, 98, 98, 108, 105, 99, 105, 116, 224};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(int(uchar(raw[1632 + i])), bytes[i]);
    box->click();
    QCOMPARE(box->palette().color(QPalette::WindowText), QColor(Qt::black));
    release("imgSalva");
    QCOMPARE(stored(1).Pubblicita, QString::fromUtf8("No pubblicità"));
}

void TestClientCard::loadingUnknownConsentLeavesBox()
{
    const QString name = QStringLiteral("Senza consenso registrato");
    dir->writeAll("Clienti.pro", sampleBytes<TRecCliente>({{&TRecCliente::Nominativo, name}}));
    auto* box = control<QCheckBox>(card, "chkDoppioTurno");
    box->setChecked(true);
    release("imgPrimo");
    QCOMPARE(edit("txtOperatore")->text(), name);
    QVERIFY(box->isChecked());
    box->setChecked(false);
    release("imgPrimo");
    QVERIFY(!box->isChecked());
}

void TestClientCard::keyRules()
{
    auto* prov = control<QComboBox>(card, "txtProv");
    QCOMPARE(prov->count(), 112);
    typeInto(prov->lineEdit(), "rm");
    QCOMPARE(prov->currentText(), QString("RM"));

    typeInto(edit("txtCodFisc"), "rssmra80a01h501u");
    QCOMPARE(edit("txtCodFisc")->text(), QString("RSSMRA80A01H501U"));
    typeInto(edit("txtIban"), QString::fromUtf8("it60 x05è"));
    QCOMPARE(edit("txtIban")->text(), QString::fromUtf8("IT60 X05è"));

    typeInto(edit("txtCarta"), "4111-1");
    QCOMPARE(edit("txtCarta")->text(), QString("41111"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text,
             QString("Attenzione: carattere non valido. Indicare il numero di carta di credito digitando solo "
                     "valori numerici senza trattini o spazi."));
    typeInto(edit("txtIva"), "12a");
    QCOMPARE(edit("txtIva")->text(), QString("12"));
    QCOMPARE(fake->lastMessage(),
             QString("Attenzione: carattere non valido. Indicare il numero di partita IVA digitando solo valori numerici."));

    // Enter walks the chain: name → address, last note → name.
    pressEnter(edit("txtOperatore"));
    QVERIFY(edit("txtIndirizzo")->hasFocus());
    pressEnter(edit("txtIncarichi"));
    QVERIFY(edit("txtCodFisc")->hasFocus());
    pressEnter(edit("txtNote"));
    QVERIFY(edit("txtOperatore")->hasFocus());
    edit("txtCitta")->setFocus();
    pressEnter(edit("txtCitta"));
    QVERIFY(prov->lineEdit()->hasFocus());
}

void TestClientCard::mailOpensTheAddress()
{
    typeInto(edit("txtEmail"), " anna@example.it ");
    release("imgEmail");
    QCOMPARE(fake->opened.last(), QString("mailto:anna@example.it"));
    // An address that would split the mailto is encoded, not cut.
    edit("txtEmail")->setText("vendite&assistenza@example.it?x");
    release("imgEmail");
    QCOMPARE(fake->opened.last(), QString("mailto:vendite%26assistenza@example.it%3Fx"));
}

void TestClientCard::failingArchiveChangesNothing()
{
    dir->putFolderInPlaceOf("Clienti.pro");
    typeInto(edit("txtOperatore"), "Neri");
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, kArchiveMessage);
    QCOMPARE(label("lblPosizione")->text(), QString());
    // The archive could not even be opened: the status line is untouched.
    QCOMPARE(label("lblStato")->text(), QString("Pronto per compilare una nuova scheda."));
    release("imgPrimo");
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(edit("txtOperatore")->text(), QString("Neri"));

    // Another workstation emptied the archive: the update finds no record
    // at its position and writes nothing past the end of the file.
    QDir(dir->path()).rmdir("Clienti.pro");
    release("imgSalva");
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    dir->writeAll("Clienti.pro", QByteArray());
    fake->clear();
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, kArchiveMessage);
    QVERIFY(label("lblStato")->text().startsWith("Scheda aggiornata in data "));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(dir->readAll("Clienti.pro").size(), 0);
}

void TestClientCard::damagedArchiveLoadsWhatIsReadable()
{
    QByteArray raw = sampleBytes<TRecCliente>({{&TRecCliente::Nominativo, "Integro"}});
    raw[574] = char(200);   // a province length far over its capacity of 2
    raw.replace(575, 2, "MI");
    raw += QByteArray(100, 'x');   // an incomplete tail
    dir->writeAll("Clienti.pro", raw);
    release("imgUltimo");
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(edit("txtOperatore")->text(), QString("Integro"));
    QCOMPARE(control<QComboBox>(card, "txtProv")->currentText(), QString("MI"));
    QVERIFY(fake->messages.isEmpty());
}

void TestClientCard::hintsAndNewCard()
{
    auto* panInfo = label("panInfo");
    QWidget* save = control<QWidget>(card, "imgSalva");
    QCOMPARE(save->focusPolicy(), Qt::NoFocus);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(save, &enter);
    QCOMPARE(panInfo->text(),
             QString(" Salva in archivio i dati relativi alla scheda corrente oppure aggiorna la scheda esistente."));

    saveClient("Gialli");
    label("lblFile02")->setText("x");
    release("imgNuovo");
    QCOMPARE(edit("txtOperatore")->text(), QString());
    QCOMPARE(label("lblFile02")->text(), QString());
    QCOMPARE(label("lblPosizione")->text(), QString());
    QCOMPARE(label("lblStato")->text(), QString("Pronto per compilare una nuova scheda."));
    QVERIFY(edit("txtOperatore")->hasFocus());

    // Reopening the work area starts from a new card too.
    release("imgPrimo");
    card->close();
    static_cast<TfrmClienti*>(card)->open();
    QCOMPARE(label("lblPosizione")->text(), QString());
    QCOMPARE(edit("txtOperatore")->text(), QString());
}

void TestClientCard::tableNamingAControlTwiceIsCaught()
{
    QWidget window;
    auto* container = new QWidget(&window);
    card::Form<TRecCliente> twice(container, {{&TRecCliente::File01, {"lblFile01", card::Control::Hidden}},
                                              {&TRecCliente::File02, {"lblFile01", card::Control::Hidden}},
                                              {&TRecCliente::Desc01, {"lblDesc01", card::Control::Existing}}});
    QCOMPARE(twice.bindingProblems(),
             QStringList({"lblFile01: 2 controls", "lblFile01: 2 controls", "lblDesc01: 0 controls"}));
}

void TestClientCard::printoutShowsWhatSaveWrites()
{
    // Typed the way a user types: the province is a drop-down list.
    typeInto(edit("txtOperatore"), "Neri Anna");
    QComboBox* prov = control<QComboBox>(card, "txtProv");
    typeInto(prov->lineEdit(), "ra");
    typeInto(edit("txtCodFisc"), "nrenna80a41h199x");
    control<QCheckBox>(card, "chkDoppioTurno")->setChecked(true);
    fake->printCopies.enqueue(1);
    release("imgWord");
    QCOMPARE(fake->documents.size(), 1);
    const RecordingCanvas& page = *fake->documents[0];
    QVERIFY(page.findText("Neri Anna").inRect);
    QVERIFY(page.findText("RA").inRect);
    QVERIFY(page.findText("NRENNA80A41H199X").inRect);
    QVERIFY(page.findText(QString::fromUtf8("Pubblicità: Sì")).inRect);
    // The same values Save writes.
    release("imgSalva");
    QCOMPARE(stored(1).Prov, QString("RA"));
    QCOMPARE(stored(1).CodFisc, QString("NRENNA80A41H199X"));
}

void TestClientCard::cardShowsExactlyWhatSaveWrites()
{
    QLineEdit* name = edit("txtOperatore");
    name->setFocus();
    for (const QString& key : {QString::fromUtf8("Ω"), QString("m"), QString("e"), QString("g"), QString("a")})
        QTest::sendKeyEvent(QTest::Press, name, Qt::Key_unknown, key, Qt::NoModifier);
    QCOMPARE(name->text(), QString("mega"));
    QCOMPARE(fake->messageTexts(), QStringList{KeyFilters::unsavedCharacterMessage()});
    release("imgSalva");
    QCOMPARE(stored(1).Nominativo, name->text());
}

QTEST_MAIN(TestClientCard)
#include "tst_clientcard.moc"
