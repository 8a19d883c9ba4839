#include "app/Crypt.h"
#include "app/Startup.h"

#include "FakePlatform.h"
#include "TestSupport.h"
#include "storage/IniFile.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {


const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");

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

private:
    void login(const QString& typed);
    void openChangeScreen()
    {
        clickOn(control<QPushButton>(frmPassword, "btnCambiaPassword"));
        QVERIFY(QTest::qWaitForWindowActive(frmCambia));
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
    QCOMPARE(MainScreen(), frmPassword);
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

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
