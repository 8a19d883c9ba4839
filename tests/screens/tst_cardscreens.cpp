// What the client card and the material card do alike, as the card screen
// base gives it to both: one table row per card, each test run for both.
// What is one card's own stays in tst_clientcard and tst_materialcard.
#include "clients/ui/TfrmClienti.h"
#include "screens/ListScreen.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "warehouse/ui/TfrmMateriali.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <vector>

namespace {

struct Shown    // a control and what it shows
{
    const char* control;
    QString text;
};
struct Stored   // a field of a stored card and what it holds
{
    FieldPos at;
    QString text;
};
struct Placed   // a field typed on the card and where its bytes lie
{
    const char* control;
    const char* text;
    int offset;
};
struct List     // a toolbar button and the list it opens modally
{
    const char* button;
    const char* window;
};
struct Bindings
{
    QStringList problems;
    int bound = 0;
    QSet<QString> controls;
};

// One row of the table: what differs between the two cards.
struct CardRow
{
    const char* screen;
    QString file;
    int size;
    const char* key;            // the control without which no card is saved
    FieldPos keyAt;
    FieldPos noteAt;
    QString keyMissing;         // why Save refuses a card without it
    QString blankKey;
    Shown besideKey;            // typed with a blank key
    // New, the key typed, Save; then one field typed and Save again.
    QString typedKey;
    QString savedKey;
    std::vector<Shown> shownAfterInsert;
    std::vector<Stored> storedAfterInsert;
    Shown updated;
    FieldPos updatedAt;
    std::vector<Shown> shownAfterUpdate;
    // Every field of the record, typed where the card shows it.
    std::vector<Placed> fields;
    const char* clearedByNew;
    // Three cards keyed Primo, Secondo, Terzo and one more field of each as shown.
    QByteArray threeCards;
    Shown browsedBeside[3];
    // The web search: the field it needs, typed after one it does not need.
    const char* searched;
    QString searchMissing;
    Shown besideSearched;
    QString typedSearched;
    QString searchUrl;
    // The lists that hand a card back: one card matches the criterion.
    QByteArray listedCards;
    std::vector<List> lists;
    QString criterion;
    QString chosenKey;
    std::vector<Shown> shownChosen;
    QString chosenPosition;
    // The card's table: controls bound, and some of the lengths they take from the record.
    Bindings (*bindings)(QWidget* screen);
    int bound;
    std::vector<std::pair<const char*, int>> capacities;
};

template <class Screen>
Bindings bindingsOf(QWidget* screen)
{
    const auto& form = static_cast<Screen*>(screen)->form();
    Bindings b;
    b.problems = form.bindingProblems();
    for (const auto& f : form.table()) {
        if (!f.field)
            continue;
        ++b.bound;
        b.controls.insert(QLatin1String(f.def.control));
    }
    return b;
}

const QString kSaved = QStringLiteral("Scheda salvata in data 05/03/2024 alle ore 14:30:15");

CardRow clientRow()
{
    using C = TRecCliente;
    CardRow r;
    r.screen = "frmClienti";
    r.file = QStringLiteral("Clienti.pro");
    r.size = 4809;
    r.key = "txtOperatore";
    r.keyAt = C::posNominativo;
    r.noteAt = C::posNote;
    r.keyMissing = QString::fromUtf8("Per salvare la scheda è necessario indicare il cognome e il nome del cliente.");
    r.blankKey = QStringLiteral("   ");
    r.besideKey = {"txtCitta", "Forli"};
    r.typedKey = QStringLiteral(" Rossi Mario ");
    r.savedKey = QStringLiteral("Rossi Mario");
    r.shownAfterInsert = {{"lblStato", kSaved}};
    r.storedAfterInsert = {{C::posPubblicita, QString::fromUtf8("No pubblicità")},
                           {C::posStato, kSaved},
                           {C::posCitta, QString()},
                           {C::posFile01, QString()}};
    r.updated = {"txtCitta", "Cesena"};
    r.updatedAt = C::posCitta;
    r.shownAfterUpdate = {{"lblStato", "Scheda aggiornata in data 05/03/2024 alle ore 15:00:01"}};
    r.fields = {
        {"txtOperatore", "Verdi Anna", 0},   {"txtIndirizzo", "Via Emilia 1", 51}, {"txtCap", "47121", 302},
        {"txtCitta", "Forlì", 323},          {"txtTurni", "Privato", 577},       {"txtScadenza", "Frigoriferi", 828},
        {"txtRetribuzione", "Bonifico", 1079}, {"txtPostazione", "10%", 1330},     {"txtIncarichi", "Romagna", 1381},
        {"txtCodFisc", "VRDNNA80A41D704X", 1653}, {"txtCarta", "4111111111111111", 1670}, {"txtIva", "01234567890", 1791},
        {"txtIban", "IT60X0542811101000000123456", 1803}, {"txtTelCasa", "0543 1", 1844}, {"txtTelUff", "0543 2", 1895},
        {"txtTelCel", "333 3", 1946},        {"txtFax", "0543 4", 1997},          {"txtEmail", "anna@example.it", 2048},
        {"txtNote", "Nota", 2299},           {"txtProv", "FC", 574},              {"lblFile01", "/tmp/a.pdf", 2550},
        {"lblCartellaDesc", "Documenti", 4307},
    };
    r.clearedByNew = "txtIban";
    for (const char* key : {"Primo", "Secondo", "Terzo"})
        r.threeCards += sampleBytes<C>({{&C::Nominativo, key}, {&C::Stato, kSaved}});
    r.browsedBeside[0] = r.browsedBeside[1] = r.browsedBeside[2] = {"lblStato", kSaved};
    r.searched = "txtOperatore";
    r.searchMissing = QString::fromUtf8("Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo al "
                                        "cognome e nome del cliente.");
    r.besideSearched = {"txtCitta", "Faenza"};
    r.typedSearched = QStringLiteral(" Rossi & Figli #1+ ");
    r.searchUrl = QStringLiteral("url:https://www.google.com/search?q=Rossi%20%26%20Figli%20%231%2B");
    r.listedCards = sampleBytes<C>({{&C::Nominativo, "Primo"}, {&C::Citta, "Faenza"}})
                    + sampleBytes<C>({{&C::Nominativo, "Secondo"}});
    r.lists = {{"imgTrova", "frmCercaCliente"}};
    r.criterion = QStringLiteral("primo");
    r.chosenKey = QStringLiteral("Primo");
    r.shownChosen = {{"txtCitta", "Faenza"}};
    r.chosenPosition = QStringLiteral("1");
    r.bindings = bindingsOf<TfrmClienti>;
    r.bound = 29;   // every record field but the consent, which is the box's own
    r.capacities = {{"txtOperatore", 50}, {"txtIva", 11}, {"txtCarta", 120}};
    return r;
}

CardRow materialRow()
{
    using M = TRecMateriale;
    // An article as the lists show it: a brand after its code, a price, the stock and its threshold.
    auto article = [](const QString& code, const QString& stock = "0", const QString& threshold = "0") {
        return sampleBytes<M>({{&M::Codice, code}, {&M::Marca, "Marca " + code}, {&M::Prezzo, "1,00"},
                               {&M::Giacenza, stock}, {&M::Sottoscorta, threshold}});
    };
    CardRow r;
    r.screen = "frmMateriali";
    r.file = QStringLiteral("Materiali.pro");
    r.size = 5170;
    r.key = "txtCodice";
    r.keyAt = M::posCodice;
    r.noteAt = M::posNote;
    r.keyMissing = QString::fromUtf8("Per salvare la scheda è necessario indicare il codice articolo.");
    r.blankKey = QStringLiteral("  ");
    r.besideKey = {"txtMarca", "Bosch"};
    r.typedKey = r.savedKey = QStringLiteral("X1");
    r.storedAfterInsert = {{M::posCollocazione, QString()}, {M::posFile01, QString()}};
    r.updated = {"txtCollocazione", "Scaffale 3"};
    r.updatedAt = M::posCollocazione;
    r.fields = {
        {"txtCodice", "ART-001", 0},        {"txtTipologia", "Lavatrice", 251},  {"txtMarca", "Bosch", 502},
        {"txtModello", "WAN 24", 753},       {"txtAccessori", "Tubo", 1004},      {"txtDescrizione", "Carico frontale", 1255},
        {"txtFornitore", "Elettro Srl", 1506}, {"txtRecapito", "0543 11", 1757},  {"txtData", "01/02/2024", 2008},
        {"txtCosto", "300", 2059},           {"txtDocumento", "Fattura 7", 2110}, {"txtOrdine", "Telefono", 2361},
        {"txtPrezzo", "449,90", 2612},       {"txtCollocazione", "Reparto A", 2628}, {"txtGiacenza", "4", 2879},
        {"txtSottoscorta", "2", 2895},       {"txtNote", "Più venduta", 2911},
        {"lblFile01", "/tmp/a.pdf", 3162},   {"lblFile02", "/tmp/b.pdf", 3413},   {"lblFile03", "/tmp/c.pdf", 3664},
        {"lblDesc01", "Manuale", 3915},      {"lblDesc02", "Garanzia", 4166},     {"lblDesc03", "Schema", 4417},
        {"lblCartella", "/tmp/foto", 4668},  {"lblCartellaDesc", "Foto", 4919},
    };
    r.clearedByNew = "lblFile03";
    r.threeCards = article("Primo") + article("Secondo") + article("Terzo");
    r.browsedBeside[0] = {"txtMarca", "Marca Primo"};
    r.browsedBeside[1] = {"txtMarca", "Marca Secondo"};
    r.browsedBeside[2] = {"txtMarca", "Marca Terzo"};
    r.searched = "txtMarca";
    r.searchMissing = QString::fromUtf8("Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo alla "
                                        "marca dell'articolo.");
    r.besideSearched = {"txtModello", "WAN 24"};   // emptied again: the blank after the brand stays
    r.typedSearched = QStringLiteral(" Bosch ");
    r.searchUrl = QStringLiteral("url:https://www.google.com/search?q=Bosch%20");
    // Only the second card matches the code criterion and is under stock.
    r.listedCards = article("VITE-10", "50", "5") + article("DADO-8", "3", "5") + article("RONDELLA", "9", "1");
    r.lists = {{"imgTrova", "frmCercaMateriale"}, {"imgDoppioTurno", "frmCercaSottoscorta"}};
    r.criterion = QStringLiteral("dado");
    r.chosenKey = QStringLiteral("DADO-8");
    r.shownChosen = {{"txtGiacenza", "3"}, {"txtPrezzo", "1,00"}};
    r.chosenPosition = QStringLiteral("2");
    r.bindings = bindingsOf<TfrmMateriali>;
    r.bound = 25;
    r.capacities = {{"txtPrezzo", 15}, {"txtData", 50}, {"txtNote", 250}};
    return r;
}

// Made on first use, once the application object exists.
const CardRow* client()
{
    static const CardRow row = clientRow();
    return &row;
}
const CardRow* material()
{
    static const CardRow row = materialRow();
    return &row;
}

// Waits for the modal list opened by the card, looks for the criterion
// where the list has a criterion field, chooses its only line as a double
// click does; the list is closed whatever happens.
void chooseTheOnlyLine(const QString& window, const QString& criterion)
{
    QTimer::singleShot(0, [window, criterion] {
        auto* list = qobject_cast<ListScreen*>(shownTopLevel(qPrintable(window)));
        QVERIFY(list);
        auto close = qScopeGuard([list] { list->reject(); });
        if (auto* field = list->findChild<QLineEdit*>("txtCognome")) {
            field->setText(criterion);
            control<QPushButton>(list, "cmdTrova")->click();
        }
        auto* lines = control<RecordList>(list, "lstRecords");
        QCOMPARE(lines->count(), 1);
        lines->setCurrentRow(0);
        list->lstRecordsDblClick();
    });
}

} // namespace

Q_DECLARE_METATYPE(const CardRow*)

class TestCardScreens : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();

    void keyRequiredToSave();
    void saveNewThenSaveAgainUpdates();
    void everyFieldReachesItsOffset();
    void browseEmptyArchive();
    void browseFullArchive();
    void webSearchNeedsItsField();
    void listsHandBackACard();
    void everyBindingHasExactlyOneControl();

private:
    QLineEdit* edit(const char* name) { return control<QLineEdit>(screen, name); }
    QLabel* label(const char* name) { return control<QLabel>(screen, name); }
    void release(const char* name) { ScreenFixture::press(screen, name); }
    // What a control shows: a field, a label or the field of a drop-down list.
    QString shown(const char* name)
    {
        QWidget* w = screen->findChild<QWidget*>(name);
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        if (auto* field = qobject_cast<QLineEdit*>(w))
            return field->text();
        if (auto* text = qobject_cast<QLabel*>(w))
            return text->text();
        return QStringLiteral("<no control %1>").arg(QLatin1String(name));
    }
    void put(QWidget* w, const QString& text)
    {
        if (auto* list = qobject_cast<QComboBox*>(w))
            list->setEditText(text);
        else if (auto* field = qobject_cast<QLineEdit*>(w))
            field->setText(text);
        else
            static_cast<QLabel*>(w)->setText(text);
    }
    void saveKey(const QString& key)
    {
        release("imgNuovo");
        typeInto(edit(row->key), key);
        release("imgSalva");
    }
    QByteArray raw() const { return dir->readAll(row->file); }
    // A field of the card stored at a 1-based position.
    QString stored(int position, FieldPos at) const
    {
        const QByteArray record = raw().mid((position - 1) * row->size, row->size);
        if (record.size() < row->size)
            return QStringLiteral("<no card %1>").arg(position);
        return loadField(record.constData(), at);
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    const CardRow* row = nullptr;
    QWidget* screen = nullptr;
};

void TestCardScreens::initTestCase_data()
{
    QTest::addColumn<const CardRow*>("card");
    QTest::newRow("client") << client();
    QTest::newRow("material") << material();
}

void TestCardScreens::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestCardScreens::init()
{
    QFETCH_GLOBAL(const CardRow*, card);
    row = card;
    screens->beginTest();
    dir = &screens->dir();
    screen = ScreenFixture::screen(row->screen);
    QVERIFY(screen);
    QVERIFY(ScreenFixture::openWorkArea(screen));
    release("imgNuovo");
}

void TestCardScreens::cleanup()
{
    if (screen)
        screen->close();
    screens->endTest();
}

void TestCardScreens::keyRequiredToSave()
{
    typeInto(edit(row->key), row->blankKey);
    typeInto(edit(row->besideKey.control), row->besideKey.text);
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, QString("Salvataggio scheda non applicabile"));
    QCOMPARE(fake->messages[0].text, row->keyMissing);
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Information);
    QVERIFY(edit(row->key)->hasFocus());
    QVERIFY(!QFile::exists(dir->file(row->file)));
    QCOMPARE(label("lblPosizione")->text(), QString());
}

void TestCardScreens::saveNewThenSaveAgainUpdates()
{
    saveKey(row->typedKey);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QString("Salvataggio scheda effettuato con successo"));
    QCOMPARE(fake->messages[0].text, QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    for (const Shown& s : row->shownAfterInsert)
        QCOMPARE(shown(s.control), s.text);
    QCOMPARE(stored(1, row->keyAt), row->savedKey);
    for (const Stored& s : row->storedAfterInsert)
        QCOMPARE(stored(1, s.at), s.text);

    fake->fixedNow = QTime(15, 0, 1);
    typeInto(edit(row->updated.control), row->updated.text);
    release("imgSalva");
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[1].caption, QString("Aggiornamento scheda effettuato con successo"));
    QCOMPARE(fake->messages[1].text,
             QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    for (const Shown& s : row->shownAfterUpdate)
        QCOMPARE(shown(s.control), s.text);
    QCOMPARE(raw().size(), row->size);
    QCOMPARE(stored(1, row->updatedAt), row->updated.text);

    // The same key again is a second card: no uniqueness test.
    saveKey(row->savedKey);
    QCOMPARE(label("lblPosizione")->text(), QString("2"));
    QCOMPARE(raw().size(), 2 * row->size);
}

void TestCardScreens::everyFieldReachesItsOffset()
{
    for (const Placed& f : row->fields) {
        QWidget* w = screen->findChild<QWidget*>(f.control);
        QVERIFY2(w, f.control);
        put(w, QString::fromUtf8(f.text));
    }
    release("imgSalva");
    const QByteArray bytes = raw();
    QCOMPARE(bytes.size(), row->size);
    for (const Placed& f : row->fields) {
        const QByteArray expected = QString::fromUtf8(f.text).toLatin1();
        QCOMPARE(bytes.mid(f.offset + 1, uchar(bytes[f.offset])), expected);
    }

    // Loading back fills every control.
    release("imgNuovo");
    QCOMPARE(shown(row->clearedByNew), QString());
    release("imgPrimo");
    for (const Placed& f : row->fields)
        QCOMPARE(shown(f.control), QString::fromUtf8(f.text));
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
}

void TestCardScreens::browseEmptyArchive()
{
    release("imgPrimo");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QString("Visualizzazione dati non applicabile"));
    QCOMPARE(fake->messages[0].text, QString("L'archivio non contiene nessuna scheda."));
    QVERIFY(QFile::exists(dir->file(row->file)));
    release("imgAvanti");
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(label("lblPosizione")->text(), QString());
}

void TestCardScreens::browseFullArchive()
{
    dir->writeAll(row->file, row->threeCards);
    release("imgAvanti");   // a new card: the first
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QCOMPARE(shown(row->key), QString("Primo"));
    QCOMPARE(shown(row->browsedBeside[0].control), row->browsedBeside[0].text);
    release("imgIndietro");   // on the first: nothing
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    release("imgUltimo");
    QCOMPARE(shown(row->key), QString("Terzo"));
    QCOMPARE(shown(row->browsedBeside[2].control), row->browsedBeside[2].text);
    release("imgAvanti");   // on the last: nothing
    QCOMPARE(label("lblPosizione")->text(), QString("3"));
    QCOMPARE(shown(row->key), QString("Terzo"));
    release("imgIndietro");
    QCOMPARE(shown(row->key), QString("Secondo"));
    QCOMPARE(label("lblPosizione")->text(), QString("2"));
    QCOMPARE(shown(row->browsedBeside[1].control), row->browsedBeside[1].text);
    release("imgPrimo");
    QCOMPARE(label("lblPosizione")->text(), QString("1"));
    QVERIFY(fake->messages.isEmpty());

    // Unsaved typing is discarded by browsing, and a later save updates the record shown.
    typeInto(edit("txtNote"), "non salvata");
    release("imgAvanti");
    QCOMPARE(edit("txtNote")->text(), QString());
    typeInto(edit("txtNote"), "salvata");
    release("imgSalva");
    QCOMPARE(stored(2, row->noteAt), QString("salvata"));
    QCOMPARE(stored(2, row->keyAt), QString("Secondo"));
}

void TestCardScreens::webSearchNeedsItsField()
{
    typeInto(edit(row->besideSearched.control), row->besideSearched.text);
    release("imgElimina");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text, row->searchMissing);
    QVERIFY(edit(row->searched)->hasFocus());
    QVERIFY(fake->opened.isEmpty());

    edit(row->besideSearched.control)->clear();
    typeInto(edit(row->searched), row->typedSearched);
    release("imgElimina");
    QCOMPARE(fake->opened, QStringList{row->searchUrl});
}

void TestCardScreens::listsHandBackACard()
{
    dir->writeAll(row->file, row->listedCards);
    for (const List& list : row->lists) {
        release("imgNuovo");
        chooseTheOnlyLine(list.window, row->criterion);
        release(list.button);
        QCOMPARE(shown(row->key), row->chosenKey);
        for (const Shown& s : row->shownChosen)
            QCOMPARE(shown(s.control), s.text);
        QCOMPARE(label("lblPosizione")->text(), row->chosenPosition);
        // Nothing was saved by the hand-back.
        QCOMPARE(raw(), row->listedCards);
    }
}

void TestCardScreens::everyBindingHasExactlyOneControl()
{
    const Bindings b = row->bindings(screen);
    QCOMPARE(b.problems, QStringList());
    QCOMPARE(b.bound, row->bound);
    QCOMPARE(b.controls.size(), row->bound);
    for (const auto& [name, length] : row->capacities)
        QCOMPARE(edit(name)->maxLength(), length);
}

QTEST_MAIN(TestCardScreens)
#include "tst_cardscreens.moc"
