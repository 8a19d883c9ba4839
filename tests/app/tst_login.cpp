#include "launcher/Crypt.h"
#include "app/Startup.h"

#include "FakePlatform.h"
#include "TestSupport.h"
#include "launcher/PasswordStore.h"
#include "platform/AppDir.h"
#include "storage/IniFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDevice>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString kChangeError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString kNotStorable = QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi.");
const QString kChanged = QStringLiteral("Modifica della password avvenuta con successo.");

// Types text as a keyboard with the right layout does: each key event carries
// the key code of its character and the character as text.
void typeKeys(QWidget* field, const QString& text)
{
    field->setFocus();
    for (const QChar c : text) {
        const int key = c.toUpper().unicode();
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key(key), QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, Qt::Key(key), QString(c), Qt::NoModifier);
    }
}

// Points the program's folder elsewhere for the object's lifetime.

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void okEnabledOnlyWithText();
    void wrongPasswordClearsField();
    void lowerCaseAndBlanksAccepted();
    void missingStoreNeverLetsIn();
    void damagedStoreReportsReadError();
    void accentedPasswordMustMatchExactly();
    void changeRefusesWrongOldPassword();
    void changeRefusesMismatchedConfirmation();
    void changeEnterWalksFieldsAndNeverPressesOk();
    void changeSucceedsAndOldPasswordIsRefused();
    void changeLeftWithEsciWritesNothing();
    void changeWithUnreadableStoreKeepsScreenOpen();
    void changeRefusesCharactersOutsideCodePage_data();
    void changeRefusesCharactersOutsideCodePage();
    void changeAcceptsCodePageCharacters();
    void storeThatDoesNotGiveThePasswordBackIsRestored();
    void hugeStoreRefusedAtOnce();

private:
    void login(const QString& typed);
    void openChangeScreen()
    {
        clickOn(control<QPushButton>(frmPassword, "btnCambiaPassword"));
        QVERIFY(QTest::qWaitForWindowActive(frmCambia));
    }
    // Fills the change screen and presses OK.
    void change(const QString& old, const QString& neu, const QString& conf)
    {
        typeKeys(control<QLineEdit>(frmCambia, "txtPasswordOld"), old);
        typeKeys(control<QLineEdit>(frmCambia, "txtPasswordNew"), neu);
        typeKeys(control<QLineEdit>(frmCambia, "txtConferma"), conf);
        clickOn(control<QPushButton>(frmCambia, "cmdOK"));
    }
    void writeStore(const QString& password) { dir->writeAll("unins000.dll", "[Accesso]\r\nValore=" + Encrypt(password).toLatin1() + "\r\n"); }

    std::unique_ptr<FakePlatform> fake;
    std::unique_ptr<TempAppDir> dir;
    QWidget* frmPassword = nullptr;
    QWidget* frmAvvio = nullptr;
    QWidget* frmCambia = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
};

void TestLogin::initTestCase()
{
    fake = std::make_unique<FakePlatform>();
    CreateScreens();
    frmPassword = topLevel("frmPassword");
    frmAvvio = topLevel("frmAvvio");
    frmCambia = topLevel("frmCambiaPassword");
    QVERIFY(frmPassword && frmAvvio && frmCambia);
    QCOMPARE(mainScreen(), frmPassword);
    txtPassword = control<QLineEdit>(frmPassword, "txtPassword");
    cmdOK = control<QPushButton>(frmPassword, "cmdOK");
    QVERIFY(txtPassword && cmdOK);
}

void TestLogin::init()
{
    fake->clear();
    dir = std::make_unique<TempAppDir>();
    writeStore("VENTORIA");
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    txtPassword->clear();
    frmPassword->show();
    QVERIFY(QTest::qWaitForWindowExposed(frmPassword));
}

void TestLogin::cleanup()
{
    dir.reset();
}

void TestLogin::login(const QString& typed)
{
    typeInto(txtPassword, typed);
    pressEnter(txtPassword);
}

void TestLogin::okEnabledOnlyWithText()
{
    QVERIFY(!cmdOK->isEnabled());
    typeInto(txtPassword, "   ");
    QVERIFY(!cmdOK->isEnabled());
    pressEnter(txtPassword);   // Enter on blanks does nothing
    QVERIFY(fake->messages.isEmpty());
    typeInto(txtPassword, "x");
    QVERIFY(cmdOK->isEnabled());
    QCOMPARE(txtPassword->maxLength(), 230);
    QCOMPARE(txtPassword->echoMode(), QLineEdit::Password);
    QVERIFY(txtPassword->font().bold());
}

void TestLogin::wrongPasswordClearsField()
{
    login("sbagliata");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].caption, QString("Ventoria 2.0"));
    QCOMPARE(fake->messages[0].text, kWrong);
    QCOMPARE(txtPassword->text(), QString());
    QVERIFY(!cmdOK->isEnabled());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());
}

void TestLogin::lowerCaseAndBlanksAccepted()
{
    login("  ventoria  ");
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(frmAvvio->isVisible());
    QVERIFY(!frmPassword->isVisible());
}

void TestLogin::missingStoreNeverLetsIn()
{
    QFile::remove(dir->file("unins000.dll"));
    login("VENTORIA");
    QCOMPARE(fake->lastMessage(), kWrong);
    dir->writeAll("unins000.dll", "[Accesso]\r\nValore=\r\n");
    login("VENTORIA");
    QCOMPARE(fake->lastMessage(), kWrong);
    QVERIFY(!frmAvvio->isVisible());
    // Closing the window is leaving, never a way in.
    frmPassword->close();
    QVERIFY(!frmAvvio->isVisible());
}

void TestLogin::damagedStoreReportsReadError()
{
    dir->writeAll("unins000.dll", "[Accesso]\r\nValore=48AF2A4Q\r\n");
    login("VENTORIA");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, kReadError);
    QCOMPARE(txtPassword->text(), QString("VENTORIA"));   // the login stays as it was
    QVERIFY(!frmAvvio->isVisible());

    dir->putFolderInPlaceOf("unins000.dll");
    fake->clear();
    cmdOK->click();
    QCOMPARE(fake->lastMessage(), kReadError);
    QVERIFY(!frmAvvio->isVisible());

    // A FIFO is no store either, and is never waited on.
    NEED_FIFOS();
    QVERIFY(QDir(dir->path()).rmdir("unins000.dll") && makeFifo(dir->file("unins000.dll")));
    fake->clear();
    cmdOK->click();
    QCOMPARE(fake->lastMessage(), kReadError);
    QVERIFY(!frmAvvio->isVisible());
}

void TestLogin::accentedPasswordMustMatchExactly()
{
    writeStore(QString::fromUtf8("PERCHé"));
    login(QString::fromUtf8("PERCHÉ"));
    QCOMPARE(fake->lastMessage(), kWrong);
    login(QString::fromUtf8("perché"));
    QVERIFY(frmAvvio->isVisible());
}

void TestLogin::changeRefusesWrongOldPassword()
{
    openChangeScreen();
    QVERIFY(frmCambia->isVisible());
    QVERIFY(!frmPassword->isVisible());
    auto* old = control<QLineEdit>(frmCambia, "txtPasswordOld");
    auto* ok = control<QPushButton>(frmCambia, "cmdOK");
    QVERIFY(!ok->isEnabled());
    typeInto(old, "altra");
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordNew"), "nuova");
    QVERIFY(!ok->isEnabled());
    typeInto(control<QLineEdit>(frmCambia, "txtConferma"), "nuova");
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(fake->lastMessage(), QString("Attenzione: vecchia password errata."));
    QCOMPARE(old->text(), QString());
    QVERIFY(old->hasFocus());
    QVERIFY(frmCambia->isVisible());
    frmCambia->close();
}

void TestLogin::changeRefusesMismatchedConfirmation()
{
    openChangeScreen();
    auto* neu = control<QLineEdit>(frmCambia, "txtPasswordNew");
    auto* conf = control<QLineEdit>(frmCambia, "txtConferma");
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordOld"), " ventoria");
    typeInto(neu, "nuova");
    typeInto(conf, "NUOVA");   // stored alike, but the confirmation must match as typed
    control<QPushButton>(frmCambia, "cmdOK")->click();
    QCOMPARE(fake->lastMessage(), QString::fromUtf8(
        "Attenzione: la nuova password non è stata confermata correttamente. "
        "E' necessario reinserire entrambi i valori."));
    QCOMPARE(neu->text(), QString());
    QCOMPARE(conf->text(), QString());
    QVERIFY(neu->hasFocus());
    QString hex;
    QVERIFY(IniFile::read(dir->file("unins000.dll"), "Accesso", "Valore", hex));
    QCOMPARE(hex, Encrypt("VENTORIA"));
    frmCambia->close();
}

void TestLogin::changeEnterWalksFieldsAndNeverPressesOk()
{
    openChangeScreen();
    auto* old = control<QLineEdit>(frmCambia, "txtPasswordOld");
    auto* neu = control<QLineEdit>(frmCambia, "txtPasswordNew");
    auto* conf = control<QLineEdit>(frmCambia, "txtConferma");
    auto* ok = control<QPushButton>(frmCambia, "cmdOK");
    QVERIFY(old->hasFocus());
    pressEnter(old);
    QVERIFY(neu->hasFocus());
    pressEnter(neu);
    QVERIFY(conf->hasFocus());
    pressEnter(conf);   // OK disabled: back to the first field
    QVERIFY(old->hasFocus());
    typeInto(old, "ventoria");
    typeInto(neu, "a");
    typeInto(conf, "a");
    pressEnter(conf);
    QVERIFY(ok->hasFocus());
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(frmCambia->isVisible());
    frmCambia->close();
}

void TestLogin::changeSucceedsAndOldPasswordIsRefused()
{
    typeInto(txtPassword, "residuo");
    openChangeScreen();
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordOld"), "Ventoria");
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordNew"), " Bottega ");
    typeInto(control<QLineEdit>(frmCambia, "txtConferma"), "Bottega");
    control<QPushButton>(frmCambia, "cmdOK")->click();
    QCOMPARE(fake->lastMessage(), QString("Modifica della password avvenuta con successo."));
    QVERIFY(!frmCambia->isVisible());
    QVERIFY(frmPassword->isVisible());
    QCOMPARE(txtPassword->text(), QString());
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    QVERIFY(txtPassword->hasFocus());
    QCOMPARE(IniFile::read(dir->file("unins000.dll"), "Accesso", "Valore"), Encrypt("BOTTEGA"));

    login("ventoria");
    QCOMPARE(fake->lastMessage(), kWrong);
    QVERIFY(!frmAvvio->isVisible());
    login("bottega");
    QVERIFY(frmAvvio->isVisible());
}

void TestLogin::changeLeftWithEsciWritesNothing()
{
    const QByteArray before = dir->readAll("unins000.dll");
    openChangeScreen();
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordOld"), "ventoria");
    clickOn(control<QPushButton>(frmCambia, "cmdEsci"));
    QVERIFY(!frmCambia->isVisible());
    QVERIFY(frmPassword->isVisible());
    QCOMPARE(dir->readAll("unins000.dll"), before);
    // Shown again, the change screen starts empty.
    openChangeScreen();
    QCOMPARE(control<QLineEdit>(frmCambia, "txtPasswordOld")->text(), QString());
    frmCambia->close();
}

void TestLogin::changeWithUnreadableStoreKeepsScreenOpen()
{
    openChangeScreen();
    dir->writeAll("unins000.dll", "[Accesso]\r\nValore=GG\r\n");
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordOld"), "ventoria");
    typeInto(control<QLineEdit>(frmCambia, "txtPasswordNew"), "x");
    typeInto(control<QLineEdit>(frmCambia, "txtConferma"), "x");
    control<QPushButton>(frmCambia, "cmdOK")->click();
    QCOMPARE(fake->lastMessage(), QString::fromUtf8(
        "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
        "Si consiglia di reinstallare il software."));
    QVERIFY(frmCambia->isVisible());
    QCOMPARE(dir->readAll("unins000.dll"), QByteArray("[Accesso]\r\nValore=GG\r\n"));
    frmCambia->close();
}

void TestLogin::changeRefusesCharactersOutsideCodePage_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("only Greek") << QString::fromUtf8("ΩΩΩΩΩΩ");
    QTest::newRow("Greek first") << QString::fromUtf8("Ωsecret");
    QTest::newRow("Cyrillic last") << QString::fromUtf8("segretoЖ");
    QTest::newRow("Polish letter") << QString::fromUtf8("Łódź");
}

void TestLogin::changeRefusesCharactersOutsideCodePage()
{
    QFETCH(QString, password);
    const QByteArray before = dir->readAll("unins000.dll");
    openChangeScreen();
    auto* old = control<QLineEdit>(frmCambia, "txtPasswordOld");
    auto* neu = control<QLineEdit>(frmCambia, "txtPasswordNew");
    auto* conf = control<QLineEdit>(frmCambia, "txtConferma");
    typeKeys(old, "ventoria");
    typeKeys(neu, password);
    typeKeys(conf, password);
    QCOMPARE(neu->text(), password);
    clickOn(control<QPushButton>(frmCambia, "cmdOK"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].caption, QString("Ventoria 2.0"));
    QCOMPARE(fake->messages[0].text, kNotStorable);
    QCOMPARE(conf->text(), QString());
    QVERIFY(neu->hasFocus());
    QCOMPARE(old->text(), QString("ventoria"));
    QVERIFY(frmCambia->isVisible());
    QCOMPARE(dir->readAll("unins000.dll"), before);
    frmCambia->close();
    login("ventoria");
    QVERIFY(frmAvvio->isVisible());
}

void TestLogin::changeAcceptsCodePageCharacters()
{
    const QString password = QString::fromUtf8("perché 5€ «sì»");
    openChangeScreen();
    auto* neu = control<QLineEdit>(frmCambia, "txtPasswordNew");
    typeKeys(neu, password);
    QCOMPARE(neu->text(), password);
    neu->clear();
    change("ventoria", password, password);
    QCOMPARE(fake->lastMessage(), kChanged);
    QCOMPARE(IniFile::read(dir->file("unins000.dll"), "Accesso", "Valore"),
             Encrypt(QString::fromUtf8("PERCHé 5€ «Sì»")));
    login(password);
    QVERIFY(frmAvvio->isVisible());
}

void TestLogin::storeThatDoesNotGiveThePasswordBackIsRestored()
{
    // The screen refuses such a password first; the store guards itself too.
    const QByteArray before = dir->readAll("unins000.dll");
    QVERIFY(!PasswordStore::write(QString::fromUtf8("Ωsecret")));
    QCOMPARE(dir->readAll("unins000.dll"), before);
    QVERIFY(!PasswordStore::write(QString::fromUtf8("ΩΩΩΩΩΩ")));
    QCOMPARE(dir->readAll("unins000.dll"), before);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"unins000.dll"});

    // Where there was no store, none is left.
    QFile::remove(dir->file("unins000.dll"));
    QVERIFY(!PasswordStore::write(QString::fromUtf8("Ωsecret")));
    QVERIFY(!QFile::exists(dir->file("unins000.dll")));
}

void TestLogin::hugeStoreRefusedAtOnce()
{
    // An uninstaller's library in place of the store: 100 MB, sparse.
    QFile store(dir->file("unins000.dll"));
    QVERIFY(store.resize(100LL * 1024 * 1024));
    typeKeys(txtPassword, "ventoria");
    QElapsedTimer timer;
    timer.start();
    pressEnter(txtPassword);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text, kReadError);
    QCOMPARE(txtPassword->text(), QString("ventoria"));
    QVERIFY(!frmAvvio->isVisible());

    // Just above the largest store, the same.
    QVERIFY(store.resize(PasswordStore::kMaxStoreSize + 1));
    fake->clear();
    pressEnter(txtPassword);
    QCOMPARE(fake->lastMessage(), kReadError);

    // The change screen refuses it with its own message and writes nothing.
    openChangeScreen();
    change("ventoria", "bottega", "bottega");
    QCOMPARE(fake->lastMessage(), kChangeError);
    QCOMPARE(QFileInfo(dir->file("unins000.dll")).size(), PasswordStore::kMaxStoreSize + 1);
    frmCambia->close();
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
