#include "clients/ui/TfrmAllegatiCli.h"
#include "warehouse/ui/TfrmAllegatiMat.h"
#include "clients/ui/TfrmCartellaCli.h"
#include "warehouse/ui/TfrmCartellaMat.h"
#include "platform/qt/FieldColours.h"

#include "platform/qt/KeyFilters.h"

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>

namespace {

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
// characters it keeps, would be saved as another path: it is refused, and so
// is such a character in a description.
void TestAttachments::pathsTheCardCannotSaveAreRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusal");   // "" when the path is taken
    const QString folder = QStringLiteral("/home/anna/") + QString(230, QLatin1Char('c')) + QLatin1Char('/');
    QTest::newRow("character") << QString::fromUtf8("/home/anna/Ωmega preventivo.pdf") << unsavablePathMessage();
    QTest::newRow("251 characters") << folder + QStringLiteral("a1234.pdf") << overlongPathMessage();
    QTest::newRow("250 characters") << folder + QStringLiteral("a123.pdf") << QString();
}

void TestAttachments::pathsTheCardCannotSaveAreRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, refusal);
    FakeCard card({{"lblFile01", "/archivio/vecchio.pdf"}});
    TfrmAllegatiCli dialog(card.widget());
    dialog.loadFromCard();
    fake->fileAnswers << path;
    clickOn(button(&dialog, "cmdSfoglia01"));
    QCOMPARE(field(&dialog, "txtFile01")->text(), refusal.isEmpty() ? path : QString("/archivio/vecchio.pdf"));
    QCOMPARE(fake->messageTexts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    if (refusal.isEmpty())
        return;
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);

    QLineEdit* desc = field(&dialog, "txtDesc01");
    desc->setFocus();
    QTest::sendKeyEvent(QTest::Press, desc, Qt::Key_unknown, QString::fromUtf8("😀"), Qt::NoModifier);
    QCOMPARE(desc->text(), QString());
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[1].text, KeyFilters::unsavedCharacterMessage());
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
