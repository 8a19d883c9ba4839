#include "clients/ui/TfrmAllegatiCli.h"
#include "warehouse/ui/TfrmAllegatiMat.h"
#include "clients/ui/TfrmCartellaCli.h"
#include "warehouse/ui/TfrmCartellaMat.h"
#include "platform/qt/FieldColours.h"

#include "platform/qt/KeyFilters.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>

namespace {

// What the dialogs say of a path longer than the card keeps.
const QString kLongFile = QString::fromUtf8(
    "Attenzione: il percorso del file scelto è più lungo di 250 caratteri e non può essere memorizzato nella "
    "scheda. Spostare il file in una cartella con un percorso più breve.");
const QString kLongFolder = QString::fromUtf8(
    "Attenzione: il percorso della cartella scelta è più lungo di 250 caratteri e non può essere memorizzato "
    "nella scheda. Spostare la cartella in una posizione con un percorso più breve.");

const char* const kCardLabels[] = {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02",
                                   "lblDesc03", "lblCartella", "lblCartellaDesc"};

// A stand-in for a client or material card: hidden labels on a panel below the window.
class FakeCard
{
public:
    FakeCard(std::initializer_list<std::pair<QString, QString>> values = {})
    {
        auto* panel = new QWidget(&m_window);
        for (const char* name : kCardLabels) {
            auto* label = new QLabel(panel);
            label->setObjectName(QString::fromLatin1(name));
            label->hide();
        }
        for (const auto& [name, text] : values)
            m_window.findChild<QLabel*>(name)->setText(text);
    }

    QWidget* widget() { return &m_window; }
    QString text(const QString& name) { return m_window.findChild<QLabel*>(name)->text(); }
    std::map<QString, QString> snapshot()
    {
        std::map<QString, QString> all;
        for (const char* name : kCardLabels)
            all[QString::fromLatin1(name)] = text(QString::fromLatin1(name));
        return all;
    }

private:
    QWidget m_window;
};

// Acts on the modal dialog from inside its exec(), once it is on screen.
class ModalDriver
{
public:
    explicit ModalDriver(std::function<void(QWidget*)> act) : m_act(std::move(act))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            m_timer.stop();
            seen = modal;
            seenName = modal->objectName();
            m_act(modal);
        });
        m_timer.start();
    }

    QPointer<QWidget> seen;
    QString seenName;

private:
    QTimer m_timer;
    std::function<void(QWidget*)> m_act;
};

QLineEdit* field(QWidget* dialog, const char* name) { return control<QLineEdit>(dialog, name); }
QPushButton* button(QWidget* dialog, const char* name) { return control<QPushButton>(dialog, name); }

void showActive(QWidget* dialog)
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
}

} // namespace

class TestAttachments : public QObject
{
    Q_OBJECT
private slots:
    void init() { fake = std::make_unique<FakePlatform>(); }
    void cleanup() { fake.reset(); }

    void fillsFromCardTrimmedAndSetsApri();
    void instructionsAndCaptions();
    void pathFieldIsReadOnlyAndColoured();
    void browseWritesOnlyOnConfirm();
    void openHandsTrimmedPathToShell();
    void backspaceClearsPathButNotDescription();
    void applyWritesBackTrimmed();
    void enterInAFieldPressesNoButton();
    void descriptionWithoutFileKeepsApriDisabled();
    void runWritesIntoItsOwnCardAndDestroysDialog();
    void runClosedWithCloseBoxDiscards();
    void folderVersionsUseFolderLabelsAndShell();
    void pathsTheCardCannotSaveAreRefused_data();
    void pathsTheCardCannotSaveAreRefused();
    void overlongChoiceLeavesTheSavedCardAlone_data();
    void overlongChoiceLeavesTheSavedCardAlone();

private:
    std::unique_ptr<FakePlatform> fake;
};

void TestAttachments::fillsFromCardTrimmedAndSetsApri()
{
    FakeCard card({{"lblFile01", "  /home/anna/preventivo.pdf \t"},
                   {"lblDesc01", " Preventivo caldaia "},
                   {"lblFile02", "   "},
                   {"lblDesc03", QString::fromUtf8("Nota, perché sì")}});
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();

    QCOMPARE(field(&dialog, "txtFile01")->text(), QString("/home/anna/preventivo.pdf"));
    QCOMPARE(field(&dialog, "txtDesc01")->text(), QString("Preventivo caldaia"));
    QCOMPARE(field(&dialog, "txtFile02")->text(), QString());
    QCOMPARE(field(&dialog, "txtDesc03")->text(), QString::fromUtf8("Nota, perché sì"));
    QVERIFY(button(&dialog, "cmdApri01")->isEnabled());
    QVERIFY(!button(&dialog, "cmdApri02")->isEnabled());
    QVERIFY(!button(&dialog, "cmdApri03")->isEnabled());
    QCOMPARE(card.text("lblFile01"), QString("  /home/anna/preventivo.pdf \t"));   // filling writes nothing back
}

void TestAttachments::instructionsAndCaptions()
{
    auto labels = [](QWidget* dialog) {
        QStringList texts;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        return texts;
    };
    TfrmAllegatiMat files;
    QCOMPARE(files.windowTitle(), QString(" Allega file"));
    const QStringList fileTexts = labels(&files);
    QVERIFY(fileTexts.contains("Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia."));
    QVERIFY(fileTexts.contains(QString::fromUtf8("Per visualizzare un file è sufficiente premere il pulsante Apri.")));
    QVERIFY(fileTexts.contains("File allegato 3"));
    QCOMPARE(fileTexts.count("Descrizione"), 3);

    TfrmCartellaCli folder;
    QCOMPARE(folder.windowTitle(), QString(" Associa cartella"));
    const QStringList folderTexts = labels(&folder);
    QVERIFY(folderTexts.contains(
        "Selezionare la cartella da associare alla scheda corrente servendosi del pulsante Sfoglia."));
    QVERIFY(folderTexts.contains(
        "Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche."));
    QVERIFY(folderTexts.contains(QString::fromUtf8("Per aprire la cartella è sufficiente premere il pulsante Apri.")));
    QVERIFY(folderTexts.contains("Cartella associata"));
    QVERIFY(!folder.findChild<QLineEdit*>("txtFile02"));   // one row only
}

void TestAttachments::pathFieldIsReadOnlyAndColoured()
{
    FakeCard card({{"lblFile02", "/dati/foto.jpg"}});
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();
    showActive(&dialog);
    QLineEdit* path = field(&dialog, "txtFile02");
    QLineEdit* desc = field(&dialog, "txtDesc02");

    typeInto(path, "xyz");
    QCOMPARE(path->text(), QString("/dati/foto.jpg"));
    QCOMPARE(path->palette().color(QPalette::Base), FieldColours::focusYellow());
    QCOMPARE(path->palette().color(QPalette::Text), QColor(Qt::red));

    typeInto(desc, "Foto del guasto");
    QCOMPARE(desc->text(), QString("Foto del guasto"));
    QVERIFY(desc->font().bold());
    QCOMPARE(desc->palette().color(QPalette::Base), FieldColours::focusYellow());
    QCOMPARE(path->palette().color(QPalette::Base), QColor(192, 220, 192));
}

void TestAttachments::browseWritesOnlyOnConfirm()
{
    FakeCard card({{"lblFile03", "/archivio/scheda.doc"}});
    TfrmAllegatiMat dialog(card.widget());
    dialog.loadFromCard();

    // Cancelled, or an answer of blanks, which names nothing: the path stays.
    fake->fileAnswers << "" << "   ";
    clickOn(button(&dialog, "cmdSfoglia03"));
    clickOn(button(&dialog, "cmdSfoglia03"));
    QVERIFY(fake->fileAnswers.isEmpty());
    QCOMPARE(field(&dialog, "txtFile03")->text(), QString("/archivio/scheda.doc"));
    QCOMPARE(fake->busyCalls, 0);

    fake->fileAnswers << "/home/anna/Contratto firmato.pdf";
    clickOn(button(&dialog, "cmdSfoglia02"));
    QCOMPARE(field(&dialog, "txtFile02")->text(), QString("/home/anna/Contratto firmato.pdf"));
    QVERIFY(button(&dialog, "cmdApri02")->isEnabled());
    QCOMPARE(field(&dialog, "txtFile01")->text(), QString());
    QCOMPARE(field(&dialog, "txtFile03")->text(), QString("/archivio/scheda.doc"));
    QCOMPARE(fake->busyCalls, 1);
    QCOMPARE(fake->busyDepth, 0);
    QCOMPARE(card.text("lblFile02"), QString());   // choosing alone writes nothing into the card
}

void TestAttachments::openHandsTrimmedPathToShell()
{
    TfrmAllegatiCli dialog;
    fake->fileAnswers << "  /home/anna/fattura.pdf  ";
    clickOn(button(&dialog, "cmdSfoglia01"));
    fake->busyCalls = 0;
    fake->shellSucceeds = false;   // no program on this desktop for the file

    clickOn(button(&dialog, "cmdApri01"));
    clickOn(button(&dialog, "cmdApri02"));   // disabled: opens nothing

    QCOMPARE(fake->opened, QStringList{"document:/home/anna/fattura.pdf"});
    QCOMPARE(fake->busyCalls, 1);
    QCOMPARE(fake->busyDepth, 0);
    QCOMPARE(fake->messageTexts(), QStringList{platform::openFailureMessage("/home/anna/fattura.pdf")});
}

void TestAttachments::backspaceClearsPathButNotDescription()
{
    FakeCard card({{"lblFile01", "/a/uno.pdf"}, {"lblDesc01", "Uno"}, {"lblFile02", "/a/due.pdf"}, {"lblDesc02", "Due"}});
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();
    showActive(&dialog);
    QLineEdit* path = field(&dialog, "txtFile02");
    path->setFocus();
    QTest::keyClick(path, Qt::Key_Backspace);

    QCOMPARE(path->text(), QString());
    QVERIFY(!button(&dialog, "cmdApri02")->isEnabled());
    QCOMPARE(field(&dialog, "txtDesc02")->text(), QString("Due"));
    QCOMPARE(field(&dialog, "txtFile01")->text(), QString("/a/uno.pdf"));

    // In a description Backspace is ordinary editing.
    QLineEdit* desc = field(&dialog, "txtDesc01");
    desc->setFocus();
    QTest::keyClick(desc, Qt::Key_End);
    QTest::keyClick(desc, Qt::Key_Backspace);
    QCOMPARE(desc->text(), QString("Un"));
    QCOMPARE(field(&dialog, "txtFile01")->text(), QString("/a/uno.pdf"));
}

void TestAttachments::applyWritesBackTrimmed()
{
    FakeCard card({{"lblFile01", "/a/uno.pdf"}, {"lblFile03", "/a/tre.pdf"}, {"lblDesc03", "Tre"},
                   {"lblCartella", "/cartella/cliente"}});
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();
    showActive(&dialog);
    fake->fileAnswers << " /home/anna/nuovo.odt ";
    clickOn(button(&dialog, "cmdSfoglia02"));
    typeInto(field(&dialog, "txtDesc02"), QString::fromUtf8("  Perizia è pronta  "));
    QTest::keyClick(field(&dialog, "txtFile03"), Qt::Key_Backspace);

    clickOn(button(&dialog, "cmdApplica"));

    QCOMPARE(card.text("lblFile01"), QString("/a/uno.pdf"));
    QCOMPARE(card.text("lblFile02"), QString("/home/anna/nuovo.odt"));
    QCOMPARE(card.text("lblDesc02"), QString::fromUtf8("Perizia è pronta"));
    QCOMPARE(card.text("lblFile03"), QString());
    QCOMPARE(card.text("lblDesc03"), QString("Tre"));
    QCOMPARE(card.text("lblCartella"), QString("/cartella/cliente"));   // not this dialog's business
    QVERIFY(!dialog.isVisible());
}

void TestAttachments::enterInAFieldPressesNoButton()
{
    FakeCard card({{"lblFile01", "/a/uno.pdf"}});
    const auto before = card.snapshot();
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();
    showActive(&dialog);
    fake->fileAnswers << "/b/non-voluto.pdf";

    typeInto(field(&dialog, "txtDesc01"), "Nota");
    pressEnter(field(&dialog, "txtDesc01"));
    pressEnter(field(&dialog, "txtFile01"));

    QVERIFY(dialog.isVisible());
    QCOMPARE(fake->fileAnswers.size(), 1);   // no chooser was opened
    QVERIFY(fake->opened.isEmpty());
    QVERIFY(card.snapshot() == before);
}

void TestAttachments::descriptionWithoutFileKeepsApriDisabled()
{
    FakeCard card;
    {
        TfrmAllegatiMat dialog(card.widget());
        typeInto(field(&dialog, "txtDesc02"), "Manuale cartaceo in negozio");
        dialog.cmdApplicaClick();
    }
    QCOMPARE(card.text("lblDesc02"), QString("Manuale cartaceo in negozio"));
    QCOMPARE(card.text("lblFile02"), QString());

    TfrmAllegatiMat again(card.widget());
    again.loadFromCard();
    QCOMPARE(field(&again, "txtDesc02")->text(), QString("Manuale cartaceo in negozio"));
    QVERIFY(!button(&again, "cmdApri02")->isEnabled());
}

void TestAttachments::runWritesIntoItsOwnCardAndDestroysDialog()
{
    FakeCard clientCard({{"lblFile01", "/clienti/uno.pdf"}});
    FakeCard materialCard({{"lblFile01", " /materiali/uno.pdf "}});
    const auto clientBefore = clientCard.snapshot();
    fake->fileAnswers << "/materiali/esploso.pdf";

    ModalDriver driver([](QWidget* dialog) {
        clickOn(button(dialog, "cmdSfoglia03"));
        typeInto(field(dialog, "txtDesc03"), "Esploso ricambi");
        clickOn(button(dialog, "cmdApplica"));
    });
    TfrmAllegatiMat::run(materialCard.widget());

    QCOMPARE(driver.seenName, QString("frmAllegatiMat"));
    QVERIFY(driver.seen.isNull());   // destroyed once closed
    QCOMPARE(materialCard.text("lblFile01"), QString("/materiali/uno.pdf"));
    QCOMPARE(materialCard.text("lblFile03"), QString("/materiali/esploso.pdf"));
    QCOMPARE(materialCard.text("lblDesc03"), QString("Esploso ricambi"));
    QVERIFY(clientCard.snapshot() == clientBefore);

    // Opened again: a fresh dialog shows what was applied, with "Apri" enabled.
    bool apriEnabled = false;
    ModalDriver again([&](QWidget* dialog) {
        apriEnabled = field(dialog, "txtFile03")->text() == "/materiali/esploso.pdf"
                      && button(dialog, "cmdApri03")->isEnabled();
        dialog->close();
    });
    TfrmAllegatiMat::run(materialCard.widget());
    QVERIFY(apriEnabled);
}

void TestAttachments::runClosedWithCloseBoxDiscards()
{
    FakeCard card({{"lblFile02", "/clienti/due.pdf"}, {"lblDesc02", "Due"}});
    const auto before = card.snapshot();
    fake->fileAnswers << "/clienti/altro.pdf";
    ModalDriver driver([](QWidget* dialog) {
        QTest::keyClick(field(dialog, "txtFile02"), Qt::Key_Backspace);
        clickOn(button(dialog, "cmdSfoglia01"));
        typeInto(field(dialog, "txtDesc01"), "Non applicata");
        dialog->close();
    });
    TfrmAllegatiCli::run(card.widget());
    QCOMPARE(driver.seenName, QString("frmAllegatiCli"));
    QVERIFY(driver.seen.isNull());
    QVERIFY(card.snapshot() == before);
}

void TestAttachments::folderVersionsUseFolderLabelsAndShell()
{
    FakeCard clientCard({{"lblCartella", "/clienti/rossi"}, {"lblFile01", "/clienti/uno.pdf"}});
    FakeCard materialCard({{"lblFile01", "/materiali/uno.pdf"}, {"lblCartellaDesc", " Schede "}});
    const auto clientBefore = clientCard.snapshot();
    fake->folderAnswers << "" << "/magazzino/caldaie";

    QString filledPath, filledDesc;
    ModalDriver driver([&](QWidget* dialog) {
        filledPath = field(dialog, "txtFile01")->text();
        filledDesc = field(dialog, "txtDesc01")->text();
        clickOn(button(dialog, "cmdSfoglia01"));   // cancelled
        clickOn(button(dialog, "cmdSfoglia01"));
        clickOn(button(dialog, "cmdApri01"));
        clickOn(button(dialog, "cmdApplica"));
    });
    TfrmCartellaMat::run(materialCard.widget());

    QCOMPARE(driver.seenName, QString("frmCartellaMat"));
    QCOMPARE(filledPath, QString());   // lblCartella, not lblFile01
    QCOMPARE(filledDesc, QString("Schede"));
    QCOMPARE(fake->opened, QStringList{"folder:/magazzino/caldaie"});
    QCOMPARE(materialCard.text("lblCartella"), QString("/magazzino/caldaie"));
    QCOMPARE(materialCard.text("lblCartellaDesc"), QString("Schede"));
    QCOMPARE(materialCard.text("lblFile01"), QString("/materiali/uno.pdf"));
    QVERIFY(clientCard.snapshot() == clientBefore);

    ModalDriver client([](QWidget* dialog) { clickOn(button(dialog, "cmdApplica")); });
    TfrmCartellaCli::run(clientCard.widget());
    QCOMPARE(client.seenName, QString("frmCartellaCli"));
    QVERIFY(clientCard.snapshot() == clientBefore);   // applied unchanged: still the same folder
}

// A path with a character the archive cannot hold, or longer than the 250
// characters it keeps, would be saved as another path: it is refused with a
// word, the path in place stays, and so is such a character in a description.
void TestAttachments::pathsTheCardCannotSaveAreRefused_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusal");   // "" when the path is taken
    const QString folder = QStringLiteral("/home/anna/") + QString(230, QLatin1Char('c')) + QLatin1Char('/');
    const QString character = QString::fromUtf8(
        "Attenzione: il percorso scelto contiene caratteri che non possono essere salvati nella scheda. "
        "Rinominare il file o la cartella e ripetere la scelta.");
    QTest::newRow("file, character") << false << QString::fromUtf8("/home/anna/Ωmega preventivo.pdf") << character;
    QTest::newRow("file, 251 characters") << false << folder + QStringLiteral("a1234.pdf") << kLongFile;
    QTest::newRow("file, 250 characters") << false << folder + QStringLiteral("a123.pdf") << QString();
    QTest::newRow("folder, character") << true << QString::fromUtf8("/home/anna/Ωmega") << character;
    QTest::newRow("folder, 251 characters") << true << folder + QStringLiteral("cartella1") << kLongFolder;
    QTest::newRow("folder, 250 characters") << true << folder + QStringLiteral("cartella") << QString();
}

void TestAttachments::pathsTheCardCannotSaveAreRefused()
{
    QFETCH(bool, folder);
    QFETCH(QString, path);
    QFETCH(QString, refusal);
    const QString cardLabel = folder ? QStringLiteral("lblCartella") : QStringLiteral("lblFile01");
    const QString previous = folder ? QStringLiteral("/archivio/vecchia") : QStringLiteral("/archivio/vecchio.pdf");
    FakeCard card({{cardLabel, previous}});
    std::unique_ptr<LinkedPathsDialog> paths;
    if (folder)
        paths = std::make_unique<TfrmCartellaCli>(card.widget());
    else
        paths = std::make_unique<TfrmAllegatiCli>(card.widget());
    paths->loadFromCard();
    (folder ? fake->folderAnswers : fake->fileAnswers) << path;
    clickOn(button(paths.get(), "cmdSfoglia01"));
    QCOMPARE(fake->messageTexts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(field(paths.get(), "txtFile01")->text(), refusal.isEmpty() ? path : previous);
    clickOn(button(paths.get(), "cmdApplica"));
    QCOMPARE(card.text(cardLabel), refusal.isEmpty() ? path : previous);
    if (refusal.isEmpty())
        return;
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);

    QLineEdit* desc = field(paths.get(), "txtDesc01");
    desc->setFocus();
    QTest::sendKeyEvent(QTest::Press, desc, Qt::Key_unknown, QString::fromUtf8("😀"), Qt::NoModifier);
    QCOMPARE(desc->text(), QString());
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[1].text, KeyFilters::unsavedCharacterMessage());
}

// Through a real card: a file or folder chosen with a path too long for the
// card is said and refused; the card saved afterwards keeps the one it had.
void TestAttachments::overlongChoiceLeavesTheSavedCardAlone_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("keyField");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("dialogName");
    QTest::newRow("client, file") << "frmClienti" << "txtOperatore" << false << "frmAllegatiCli";
    QTest::newRow("client, folder") << "frmClienti" << "txtOperatore" << true << "frmCartellaCli";
    QTest::newRow("material, file") << "frmMateriali" << "txtCodice" << false << "frmAllegatiMat";
    QTest::newRow("material, folder") << "frmMateriali" << "txtCodice" << true << "frmCartellaMat";
}

void TestAttachments::overlongChoiceLeavesTheSavedCardAlone()
{
    QFETCH(QString, screen);
    QFETCH(QString, keyField);
    QFETCH(bool, folder);
    QFETCH(QString, dialogName);
    ScreenFixture screens;
    screens.beginTest();
    auto endTest = qScopeGuard([&screens] { screens.endTest(); });
    FakePlatform& platform = screens.fake();
    QWidget* card = ScreenFixture::screen(screen.toLatin1().constData());
    QVERIFY(card);
    QVERIFY(ScreenFixture::openWorkArea(card));
    auto closeCard = qScopeGuard([card] { card->close(); });
    const char* chooser = folder ? "imgCartella" : "imgFile";
    auto& answers = folder ? platform.folderAnswers : platform.fileAnswers;

    // Choose one path with the dialog, as a user does, and apply it to the card.
    auto choose = [&](const QString& path) {
        answers << path;
        ModalDriver driver([](QWidget* dialog) {
            clickOn(button(dialog, "cmdSfoglia01"));
            clickOn(button(dialog, "cmdApplica"));
        });
        ScreenFixture::press(card, chooser);
        QCOMPARE(driver.seenName, dialogName);
    };

    ScreenFixture::press(card, "imgNuovo");
    typeInto(control<QLineEdit>(card, keyField), QStringLiteral("Prima"));
    const QString previous = QStringLiteral("/archivio/vecchio");
    choose(previous);
    if (QTest::currentTestFailed())
        return;
    ScreenFixture::press(card, "imgSalva");
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QString("1"));
    platform.clear();

    const QString overlong = QStringLiteral("/home/anna/") + QString(240, QLatin1Char('c'));
    QCOMPARE(overlong.size(), 251);
    choose(overlong);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(platform.messageTexts().value(0), folder ? kLongFolder : kLongFile);
    QCOMPARE(control<QLabel>(card, folder ? "lblCartella" : "lblFile01")->text(), previous);

    ScreenFixture::press(card, "imgSalva");
    QCOMPARE(platform.messages.size(), 2);   // the refusal, then the saved card's box
    QCOMPARE(platform.messages[1].text, QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QString stored;
    if (screen == QLatin1String("frmClienti")) {
        const TRecCliente r = TRecCliente::decode(screens.dir().readAll("Clienti.pro").left(TRecCliente::Size));
        stored = folder ? r.Cartella : r.File01;
    } else {
        const TRecMateriale r = TRecMateriale::decode(screens.dir().readAll("Materiali.pro").left(TRecMateriale::Size));
        stored = folder ? r.Cartella : r.File01;
    }
    QCOMPARE(stored, previous);
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
