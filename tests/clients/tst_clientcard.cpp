#include "app/Startup.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmClienti.h"
#include "screens/CardForm.h"
#include "platform/qt/KeyFilters.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QScopeGuard>
#include <QTimer>
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

    void nameRequiredToSave();
    void saveNewThenSaveAgainUpdates();
    void consentBoxStoredAndShown();
    void everyFieldReachesItsOffset();
    void browseEmptyArchive();
    void browseFullArchive();
    void loadingUnknownConsentLeavesBox();
    void keyRules();
    void webSearchAndMail();
    void failingArchiveChangesNothing();
    void damagedArchiveLoadsWhatIsReadable();
    void hintsAndNewCard();
    void everyBindingHasExactlyOneControl();
    void printoutShowsWhatSaveWrites();
    void searchHandsBackTheChosenClient();
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

void TestClientCard::nameRequiredToSave()
{
    typeInto(edit("txtOperatore"), "   ");
    typeInto(edit("txtCitta"), "Forli");
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, QString("Salvataggio scheda non applicabile"));
    QCOMPARE(fake->messages[0].text,
             QString::fromUtf8("Per salvare la scheda è necessario indicare il cognome e il nome del cliente."));
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Information);
    QVERIFY(edit("txtOperatore")->hasFocus());
    QVERIFY(!QFile::exists(dir->file("Clienti.pro")));
    QCOMPARE(label("lblPosizione")->text(), QString());
}

void TestClientCard::saveNewThenSaveAgainUpdates()
{
    saveClient(" Rossi Mario ");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QString("Salvataggio scheda effettuato con successo"));
    QCOMPARE(fake->messages[0].text, QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(label("lblStato")->text(), QString("Scheda salvata in data 05/03/2024 alle ore 14:30:15"));

    TRecCliente r = stored(1);
    QCOMPARE(r.Nominativo, QString("Rossi Mario"));
    QCOMPARE(r.Pubblicita, QString::fromUtf8("No pubblicità"));
    QCOMPARE(r.Stato, QString("Scheda salvata in data 05/03/2024 alle ore 14:30:15"));
    QCOMPARE(r.Citta, QString());
    QCOMPARE(r.File01, QString());

    fake->fixedNow = QTime(15, 0, 1);
    typeInto(edit("txtCitta"), "Cesena");
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[1].caption, QString("Aggiornamento scheda effettuato con successo"));
    QCOMPARE(fake->messages[1].text,
             QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(label("lblStato")->text(), QString("Scheda aggiornata in data 05/03/2024 alle ore 15:00:01"));
    QCOMPARE(dir->readAll("Clienti.pro").size(), 4809);
    QCOMPARE(stored(1).Citta, QString("Cesena"));

    // The same name again is a second card: no uniqueness test.
    saveClient("Rossi Mario");
    QCOMPARE(label("lblPosizione")->text(), QString("2"));
    QCOMPARE(dir->readAll("Clienti.pro").size(), 2 * 4809);
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

void TestClientCard::everyFieldReachesItsOffset()
{
    const struct { const char* control; const char* text; int offset; } fields[] = {
        {"txtOperatore", "Verdi Anna", 0},   {"txtIndirizzo", "Via Emilia 1", 51}, {"txtCap", "47121", 302},
        {"txtCitta", "Forlì", 323},          {"txtTurni", "Privato", 577},       {"txtScadenza", "Frigoriferi", 828},
        {"txtRetribuzione", "Bonifico", 1079}, {"txtPostazione", "10%", 1330},     {"txtIncarichi", "Romagna", 1381},
        {"txtCodFisc", "VRDNNA80A41D704X", 1653}, {"txtCarta", "4111111111111111", 1670}, {"txtIva", "01234567890", 1791},
        {"txtIban", "IT60X0542811101000000123456", 1803}, {"txtTelCasa", "0543 1", 1844}, {"txtTelUff", "0543 2", 1895},
        {"txtTelCel", "333 3", 1946},        {"txtFax", "0543 4", 1997},          {"txtEmail", "anna@example.it", 2048},
        {"txtNote", "Nota", 2299},
    };
    for (const auto& f : fields) {
        auto* field = edit(f.control);
        QVERIFY2(field, f.control);
        field->setText(QString::fromUtf8(f.text));
    }
    control<QComboBox>(card, "txtProv")->setEditText("FC");
    label("lblFile01")->setText("/tmp/a.pdf");
    label("lblCartellaDesc")->setText("Documenti");
    release("imgSalva");
    const QByteArray raw = dir->readAll("Clienti.pro");
    for (const auto& f : fields) {
        const QByteArray expected = QString::fromUtf8(f.text).toLatin1();
        QCOMPARE(raw.mid(f.offset + 1, uchar(raw[f.offset])), expected);
    }
    QCOMPARE(raw.mid(574, 3), QByteArray("\x02" "FC"));
    QCOMPARE(raw.mid(2550, 11), QByteArray("\x0a" "/tmp/a.pdf"));
    QCOMPARE(raw.mid(4307, 10), QByteArray("\x09" "Documenti"));

    // Loading back fills every control.
    release("imgNuovo");
    QCOMPARE(edit("txtIban")->text(), QString());
    release("imgPrimo");
    for (const auto& f : fields)
        QCOMPARE(edit(f.control)->text(), QString::fromUtf8(f.text));
    QCOMPARE(control<QComboBox>(card, "txtProv")->currentText(), QString("FC"));
    QCOMPARE(label("lblFile01")->text(), QString("/tmp/a.pdf"));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
}

void TestClientCard::browseEmptyArchive()
{
    release("imgPrimo");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QString("Visualizzazione dati non applicabile"));
    QCOMPARE(fake->messages[0].text, QString("L'archivio non contiene nessuna scheda."));
    QVERIFY(QFile::exists(dir->file("Clienti.pro")));
    release("imgAvanti");
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(label("lblPosizione")->text(), QString());
}

void TestClientCard::browseFullArchive()
{
    saveClient("Primo");
    saveClient("Secondo");
    saveClient("Terzo");
    fake->clear();
    release("imgNuovo");
    release("imgAvanti");   // new card: the first
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(edit("txtOperatore")->text(), QString("Primo"));
    release("imgIndietro");   // on the first: nothing
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    release("imgUltimo");
    QCOMPARE(edit("txtOperatore")->text(), QString("Terzo"));
    release("imgAvanti");   // on the last: nothing
    QCOMPARE(label("lblPosizione")->text(), QString("3"));
    release("imgIndietro");
    QCOMPARE(edit("txtOperatore")->text(), QString("Secondo"));
    QCOMPARE(label("lblStato")->text(), QString("Scheda salvata in data 05/03/2024 alle ore 14:30:15"));
    release("imgPrimo");
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QVERIFY(fake->messages.isEmpty());

    // Unsaved typing is discarded by browsing, and a later save updates the record shown.
    typeInto(edit("txtNote"), "non salvata");
    release("imgAvanti");
    QCOMPARE(edit("txtNote")->text(), QString());
    typeInto(edit("txtNote"), "salvata");
    release("imgSalva");
    QCOMPARE(stored(2).Note, QString("salvata"));
    QCOMPARE(stored(2).Nominativo, QString("Secondo"));
}

void TestClientCard::loadingUnknownConsentLeavesBox()
{
    TRecCliente r;
    r.Nominativo = "Senza consenso registrato";
    ArchiveFile archive(dir->file("Clienti.pro"), 4809);
    qint64 pos;
    QVERIFY(archive.append(r.encode(), pos));
    auto* box = control<QCheckBox>(card, "chkDoppioTurno");
    box->setChecked(true);
    release("imgPrimo");
    QCOMPARE(edit("txtOperatore")->text(), r.Nominativo);
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

    QCOMPARE(edit("txtOperatore")->maxLength(), 50);
    QCOMPARE(edit("txtIva")->maxLength(), 11);
    QCOMPARE(edit("txtCarta")->maxLength(), 120);

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

void TestClientCard::webSearchAndMail()
{
    release("imgElimina");
    QCOMPARE(fake->lastMessage(),
             QString::fromUtf8("Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo al "
                               "cognome e nome del cliente."));
    QCOMPARE(fake->messages.last().kind, MessageKind::Plain);
    QVERIFY(fake->opened.isEmpty());

    typeInto(edit("txtOperatore"), " Rossi & Figli #1+ ");
    release("imgElimina");
    QCOMPARE(fake->opened.size(), 1);
    QCOMPARE(fake->opened[0], QString("url:https://www.google.com/search?q=Rossi%20%26%20Figli%20%231%2B"));

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
    TRecCliente r;
    r.Nominativo = "Integro";
    QByteArray raw = r.encode();
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

void TestClientCard::everyBindingHasExactlyOneControl()
{
    auto* screen = static_cast<TfrmClienti*>(card);
    QCOMPARE(screen->form().bindingProblems(), QStringList());
    // Every record field but the consent (the box's own) is bound, each once.
    QSet<QString> controls;
    int bound = 0;
    for (const auto& f : screen->form().table()) {
        if (!f.field)
            continue;
        ++bound;
        controls.insert(QLatin1String(f.def.control));
    }
    QCOMPARE(bound, 29);
    QCOMPARE(controls.size(), 29);
    // A card whose table names a control twice is caught.
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

void TestClientCard::searchHandsBackTheChosenClient()
{
    saveClient("Primo");
    typeInto(edit("txtCitta"), "Faenza");
    release("imgSalva");
    saveClient("Secondo");
    // The search runs modally: choose from inside its loop, as a user would.
    QTimer::singleShot(0, [] {
        auto* search = static_cast<TfrmCercaCliente*>(shownTopLevel("frmCercaCliente"));
        QVERIFY(search);
        // Whatever happens here, the modal loop must end.
        auto close = qScopeGuard([search] { search->reject(); });
        control<QLineEdit>(search, "txtCognome")->setText("primo");
        control<QPushButton>(search, "cmdTrova")->click();
        auto* list = control<RecordList>(search, "lstRecords");
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        search->lstRecordsDblClick();
    });
    release("imgTrova");
    QCOMPARE(edit("txtOperatore")->text(), QString("Primo"));
    QCOMPARE(edit("txtCitta")->text(), QString("Faenza"));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
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
