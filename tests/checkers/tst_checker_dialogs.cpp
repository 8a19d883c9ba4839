// The four checker windows driven through their controls, with the platform
// double recording every box they show.

#include "checkers/ui/TfrmCarta.h"
#include "checkers/ui/TfrmCodFisc.h"
#include "checkers/ui/TfrmIban.h"
#include "checkers/ui/TfrmIva.h"
#include "platform/qt/FieldColours.h"

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using platform::MessageIcon;

enum class Checker { CodFisc, Iva, Carta, Iban };
Q_DECLARE_METATYPE(Checker)

namespace {

QString utf8(const char* s)
{
    return QString::fromUtf8(s);
}

struct ModalSeen
{
    QString objectName;
    QString caption;
    QString field;
    QStringList lines;
};

// Runs open(), which shows a checker modally, records what the checker shows
// once it is up, and closes it again.
ModalSeen seeModal(const std::function<void()>& open, const QString& fieldName)
{
    ModalSeen seen;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        seen.objectName = dialog->objectName();
        seen.caption = dialog->windowTitle();
        if (auto* field = dialog->findChild<QLineEdit*>(fieldName))
            seen.field = field->text();
        for (const char* name : {"lblIstruzioni1", "lblIstruzioni2"}) {
            if (auto* line = dialog->findChild<QLabel*>(QLatin1String(name)))
                seen.lines << line->text();
        }
        dialog->reject();
    });
    poll.start();
    open();
    return seen;
}

const QString kDigitsMessage = QStringLiteral("Attenzione: carattere non valido. Digitare solo valori numerici.");

} // namespace

class TestCheckerDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void run_data();
    void run();

    void codFiscUpperCasesWhileTypingKeepingCaret();
    void codFiscEnterOnlyOnSixteen();
    void codFiscValidAndWrong();
    void codFiscLongerCodeFromCaller();

    void ivaRefusesNonDigits();
    void ivaTenDigitsDoNothing();
    void ivaValidNamesOffice();
    void ivaWrongUsesWarningBox();
    void ivaLongerCodeFromCaller();
    void ivaKeys_data();
    void ivaKeys();

    void cartaRefusesSeparators();
    void cartaRefusesPaste();
    void cartaThresholdAndVisa();
    void cartaWrongAndUnknownBrand();

    void ibanUpperCasesAndChecks();
    void ibanThreshold();
    void ibanWrong();

private:
    // Shows the window and waits until it can take the keyboard.
    void showAndActivate(QWidget* w)
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void expectOnlyMessage(MessageKind kind, const QString& caption, const QString& text, MessageIcon icon)
    {
        QCOMPARE(fake->messages.size(), 1);
        const ShownMessage& m = fake->messages.first();
        QCOMPARE(m.kind, kind);
        QCOMPARE(m.caption, caption);
        QCOMPARE(m.text, text);
        QCOMPARE(m.icon, icon);
    }

    std::unique_ptr<FakePlatform> fake;
    std::unique_ptr<QWidget> owner;
};

void TestCheckerDialogs::init()
{
    fake = std::make_unique<FakePlatform>();
    owner = std::make_unique<QWidget>();
}

void TestCheckerDialogs::cleanup()
{
    owner.reset();
    fake.reset();
}

// ---- what the one checker window does for each checker ---------------------------

namespace {

std::unique_ptr<QDialog> makeChecker(Checker which, QWidget* owner)
{
    switch (which) {
    case Checker::CodFisc:
        return std::make_unique<TfrmCodFisc>(owner);
    case Checker::Iva:
        return std::make_unique<TfrmIva>(owner);
    case Checker::Carta:
        return std::make_unique<TfrmCarta>(owner);
    case Checker::Iban:
        break;
    }
    return std::make_unique<TfrmIban>(owner);
}

// What a card's or the editor's button does with the caller's text.
void runChecker(Checker which, QWidget* owner, const QString& code)
{
    switch (which) {
    case Checker::CodFisc:
        return TfrmCodFisc::run(owner, code);
    case Checker::Iva:
        return TfrmIva::run(owner, code);
    case Checker::Carta:
        return TfrmCarta::run(owner, code);
    case Checker::Iban:
        return TfrmIban::run(owner, code);
    }
}

} // namespace

void TestCheckerDialogs::layout_data()
{
    QTest::addColumn<Checker>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("maxLength");
    const int none = QLineEdit().maxLength();
    QTest::newRow("codice fiscale")
        << Checker::CodFisc << "frmCodFisc" << " Controllo codice fiscale" << "txtCodice" << "cmdCodFisc"
        << QStringList{"Immettere il codice fiscale nella casella sottostante e premere il", "pulsante di controllo."}
        << 16;
    QTest::newRow("partita IVA")
        << Checker::Iva << "frmIva" << " Controllo partita IVA " << "txtCodice" << "cmdPartitaIva"
        << QStringList{"Immettere la partita IVA nella casella sottostante e premere il", "pulsante di controllo."}
        << 11;
    QTest::newRow("credit card") << Checker::Carta << "frmCarta" << " Controllo carta di credito" << "txtNumero"
                                 << "cmdControllo"
                                 << QStringList{"Inserire il numero di carta di credito senza spazi o trattini nella",
                                                "casella sottostante e premere il pulsante di controllo."}
                                 << none;
    QTest::newRow("IBAN") << Checker::Iban << "frmIban" << " Controllo coordinate bancarie IBAN" << "txtCodice"
                          << "cmdCheckIban"
                          << QStringList{"Immettere il codice IBAN nella casella sottostante e premere il pulsante di",
                                         "controllo."}
                          << 40;
}

void TestCheckerDialogs::layout()
{
    QFETCH(Checker, which);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, button);
    QFETCH(QStringList, lines);
    QFETCH(int, maxLength);

    const std::unique_ptr<QDialog> w = makeChecker(which, owner.get());
    QCOMPARE(w->objectName(), name);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(QStringList({control<QLabel>(w.get(), "lblIstruzioni1")->text(),
                          control<QLabel>(w.get(), "lblIstruzioni2")->text()}),
             lines);
    auto* txt = control<QLineEdit>(w.get(), field);
    auto* cmd = control<QPushButton>(w.get(), button);
    QCOMPARE(cmd->text(), QStringLiteral("Controlla"));
    QVERIFY(!cmd->isEnabled());
    QCOMPARE(txt->maxLength(), maxLength);
    QVERIFY(txt->font().bold());
    QVERIFY(QFontInfo(txt->font()).fixedPitch());

    showAndActivate(w.get());
    txt->setFocus();
    QTRY_COMPARE(txt->palette().color(QPalette::Base), FieldColours::focusYellow());
    cmd->setEnabled(true);
    cmd->setFocus();
    QTRY_COMPARE(txt->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestCheckerDialogs::run_data()
{
    QTest::addColumn<Checker>("which");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("lines");
    const QStringList codFiscLines{"Immettere il codice fiscale nella casella sottostante e premere il",
                                   "pulsante di controllo."};
    QTest::newRow("codice fiscale") << Checker::CodFisc << " rssmra80a01h501u " << "txtCodice" << "frmCodFisc"
                                    << " Controllo codice fiscale" << "RSSMRA80A01H501U" << codFiscLines;
    QTest::newRow("empty codice fiscale") << Checker::CodFisc << QString() << "txtCodice" << "frmCodFisc"
                                          << " Controllo codice fiscale" << QString() << codFiscLines;
    // A company's numeric code goes to the partita IVA checker, under its own caption.
    QTest::newRow("numeric codice fiscale")
        << Checker::CodFisc << " 00743110157 " << "txtCodice" << "frmIva"
        << " Controllo codice fiscale numerico / partita IVA" << "00743110157"
        << QStringList{"Immettere il codice fiscale numerico o la partita IVA nella casella",
                       "sottostante e premere il pulsante di controllo."};
    QTest::newRow("partita IVA")
        << Checker::Iva << "\t01114601006  " << "txtCodice" << "frmIva" << " Controllo partita IVA "
        << "01114601006"
        << QStringList{"Immettere la partita IVA nella casella sottostante e premere il", "pulsante di controllo."};
    // The caller's text keeps its separators: the check skips them.
    QTest::newRow("credit card") << Checker::Carta << " 4111 1111 1111 1111 " << "txtNumero" << "frmCarta"
                                 << " Controllo carta di credito" << "4111 1111 1111 1111"
                                 << QStringList{"Inserire il numero di carta di credito senza spazi o trattini nella",
                                                "casella sottostante e premere il pulsante di controllo."};
    QTest::newRow("IBAN") << Checker::Iban << "  gb29nwbk60161331926819" << "txtCodice" << "frmIban"
                          << " Controllo coordinate bancarie IBAN" << "GB29NWBK60161331926819"
                          << QStringList{"Immettere il codice IBAN nella casella sottostante e premere il pulsante di",
                                         "controllo."};
}

void TestCheckerDialogs::run()
{
    QFETCH(Checker, which);
    QFETCH(QString, code);
    QFETCH(QString, field);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(QStringList, lines);

    const ModalSeen seen = seeModal([&] { runChecker(which, owner.get(), code); }, field);
    QCOMPARE(seen.objectName, name);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.field, shown);
    QCOMPARE(seen.lines, lines);
    // Each opening makes a fresh window and destroys it afterwards.
    QVERIFY(owner->findChildren<QDialog*>().isEmpty());
    QVERIFY(fake->messages.isEmpty());
}

// ---- codice fiscale ---------------------------------------------------------

void TestCheckerDialogs::codFiscUpperCasesWhileTypingKeepingCaret()
{
    TfrmCodFisc w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    typeInto(txt, "rssmra80a01h501");
    QCOMPARE(txt->text(), QStringLiteral("RSSMRA80A01H501"));
    QCOMPARE(txt->cursorPosition(), 15);
    txt->setCursorPosition(3);
    QTest::keyClick(txt, 'x');
    QCOMPARE(txt->text(), QStringLiteral("RSSXMRA80A01H501"));
    QCOMPARE(txt->cursorPosition(), 4);
    // Accented letters keep their case.
    w.setCode(utf8("abcè"));
    QCOMPARE(txt->text(), utf8("ABCè"));
}

void TestCheckerDialogs::codFiscEnterOnlyOnSixteen()
{
    TfrmCodFisc w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    auto* cmd = control<QPushButton>(&w, "cmdCodFisc");
    pressEnter(txt);
    QVERIFY(fake->messages.isEmpty());
    typeInto(txt, "RSSMRA80A01H501");
    QVERIFY(!cmd->isEnabled());
    pressEnter(txt);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(w.isVisible());
    typeInto(txt, "u");
    QVERIFY(cmd->isEnabled());
    pressEnter(txt);
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo codice fiscale"),
                      utf8("Il codice fiscale digitato è VALIDO."), MessageIcon::Information);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::codFiscValidAndWrong()
{
    {
        TfrmCodFisc w(owner.get());
        showAndActivate(&w);
        w.setCode(QStringLiteral("  MRTMTT91D08F205J "));
        QCOMPARE(control<QLineEdit>(&w, "txtCodice")->text(), QStringLiteral("MRTMTT91D08F205J"));
        clickOn(control<QPushButton>(&w, "cmdCodFisc"));
        QCOMPARE(fake->lastMessage(), utf8("Il codice fiscale digitato è VALIDO."));
        QVERIFY(!w.isVisible());
    }
    fake->clear();
    TfrmCodFisc w(owner.get());
    showAndActivate(&w);
    w.setCode(QStringLiteral("RSSMRA80A01H5.1U"));
    clickOn(control<QPushButton>(&w, "cmdCodFisc"));
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo codice fiscale"),
                      utf8("Attenzione: il codice fiscale digitato è ERRATO."), MessageIcon::Warning);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::codFiscLongerCodeFromCaller()
{
    // Cutting it to 16 would make this code pass: it is shown whole and told its length.
    TfrmCodFisc w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    w.setCode(QStringLiteral("RSSMRA80A01H501UX"));
    QCOMPARE(txt->text(), QStringLiteral("RSSMRA80A01H501UX"));
    clickOn(control<QPushButton>(&w, "cmdCodFisc"));
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo codice fiscale"),
                      QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                     "alfanumerici."),
                      MessageIcon::Information);
    QVERIFY(w.isVisible());
    QTRY_VERIFY(txt->hasFocus());
}

// ---- partita IVA --------------------------------------------------------------

void TestCheckerDialogs::ivaRefusesNonDigits()
{
    TfrmIva w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    typeInto(txt, "12a3");
    QCOMPARE(txt->text(), QStringLiteral("123"));
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(),
                      QStringLiteral("Attenzione: carattere non valido. Digitare solo valori numerici."),
                      MessageIcon::None);
    typeInto(txt, utf8("è -"));
    QCOMPARE(txt->text(), QStringLiteral("123"));
    QCOMPARE(fake->messages.size(), 4);
    QTest::keyClick(txt, Qt::Key_Backspace);
    QCOMPARE(txt->text(), QStringLiteral("12"));
    QTest::keyClick(txt, Qt::Key_Left);   // moving the caret types nothing
    QCOMPARE(fake->messages.size(), 4);
}

void TestCheckerDialogs::ivaTenDigitsDoNothing()
{
    TfrmIva w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    auto* cmd = control<QPushButton>(&w, "cmdPartitaIva");
    typeInto(txt, "1234567058");
    QVERIFY(!cmd->isEnabled());
    pressEnter(txt);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(w.isVisible());
    typeInto(txt, "79");   // the limit keeps the 12th digit out
    QCOMPARE(txt->text(), QStringLiteral("12345670587"));
    QVERIFY(cmd->isEnabled());
    QVERIFY(fake->messages.isEmpty());
}

void TestCheckerDialogs::ivaValidNamesOffice()
{
    TfrmIva w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    typeInto(txt, "98765431204");
    pressEnter(txt);
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(),
                      QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                     "E' stato rilasciato dall'Ufficio IVA del Comune di Bologna 2."),
                      MessageIcon::None);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::ivaWrongUsesWarningBox()
{
    TfrmIva w(owner.get());
    showAndActivate(&w);
    // A letter from the caller's field is not refused, it makes the number wrong.
    w.setCode(QStringLiteral("1234567058X"));
    clickOn(control<QPushButton>(&w, "cmdPartitaIva"));
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo partita IVA"),
                      utf8("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                           "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                           "rilasciato."),
                      MessageIcon::Warning);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::ivaLongerCodeFromCaller()
{
    TfrmIva w(owner.get());
    w.setPurpose(IvaChecker::Purpose::NumericCodiceFiscale);
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    auto* cmd = control<QPushButton>(&w, "cmdPartitaIva");
    w.setCode(QStringLiteral("1234567890123456"));
    QCOMPARE(txt->text(), QStringLiteral("1234567890123456"));   // shown whole
    QVERIFY(cmd->isEnabled());
    typeInto(txt, "7");   // typing stays limited
    QCOMPARE(txt->text(), QStringLiteral("1234567890123456"));
    pressEnter(txt);      // Enter wants exactly 11
    QVERIFY(fake->messages.isEmpty());
    clickOn(cmd);
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(),
                      QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."),
                      MessageIcon::None);
    QVERIFY(w.isVisible());   // the window stays open to fix the code
    QCOMPARE(w.windowTitle(), QStringLiteral(" Controllo codice fiscale numerico / partita IVA"));
}

// ---- credit card --------------------------------------------------------------

// The keys of the digits-only field: both checkers share the handler, so
// the whole table runs on one of them.
void TestCheckerDialogs::ivaKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("staysOpen");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    // The field holds "12345" with the caret after "12"; the clipboard holds "abc".
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << QStringLiteral("\x16") << ctrl << QStringLiteral("12345") << true
                            << true;
    QTest::newRow("Ctrl+V, no text") << int(Qt::Key_V) << QString() << ctrl << QStringLiteral("12345") << true
                                     << true;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << none << QStringLiteral("1245")
                            << false << true;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b") << none
                               << QStringLiteral("1345") << false << true;
    QTest::newRow("Left") << int(Qt::Key_Left) << QString() << none << QStringLiteral("12345") << false << true;
    QTest::newRow("Home") << int(Qt::Key_Home) << QString() << none << QStringLiteral("12345") << false << true;
    QTest::newRow("End") << int(Qt::Key_End) << QString() << none << QStringLiteral("12345") << false << true;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << QStringLiteral("\t") << none << QStringLiteral("12345") << false
                         << true;
    QTest::newRow("Escape closes") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << none
                                   << QStringLiteral("12345") << false << false;
    QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << none << QStringLiteral("127345") << false
                           << true;
}

void TestCheckerDialogs::ivaKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, expectedText);
    QFETCH(bool, refused);
    QFETCH(bool, staysOpen);

    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    TfrmIva w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    txt->setFocus();
    txt->setText(QStringLiteral("12345"));
    txt->setCursorPosition(2);
    press(txt, key, text, modifiers);
    QCOMPARE(txt->text(), expectedText);
    QCOMPARE(w.isVisible(), staysOpen);
    if (refused)
        expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(), kDigitsMessage, MessageIcon::None);
    else
        QCOMPARE(fake->messageTexts(), QStringList());
}

void TestCheckerDialogs::cartaRefusesSeparators()
{
    TfrmCarta w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtNumero");
    typeInto(txt, "4111-1111 ");
    QCOMPARE(txt->text(), QStringLiteral("41111111"));
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages.at(1).kind, MessageKind::Plain);
    QCOMPARE(fake->lastMessage(), QStringLiteral("Attenzione: carattere non valido. Digitare solo valori numerici."));
}


// The credit card field refuses pasting like the partita IVA field.
void TestCheckerDialogs::cartaRefusesPaste()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("4111-abc"));
    TfrmCarta w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtNumero");
    typeInto(txt, "4111");
    press(txt, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    QCOMPARE(txt->text(), QStringLiteral("4111"));
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(), kDigitsMessage, MessageIcon::None);
    press(txt, Qt::Key_Delete, QStringLiteral("\x7f"));   // at the end: nothing to delete, nothing said
    QCOMPARE(fake->messages.size(), 1);
}

void TestCheckerDialogs::cartaThresholdAndVisa()
{
    TfrmCarta w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtNumero");
    auto* cmd = control<QPushButton>(&w, "cmdControllo");
    typeInto(txt, "422222222222");
    QVERIFY(!cmd->isEnabled());
    pressEnter(txt);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(w.isVisible());
    typeInto(txt, "2");
    QVERIFY(cmd->isEnabled());
    pressEnter(txt);
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(),
                      utf8("Il numero di carta di credito 4222222222222 risulta valido.\r\n\r\n"
                           "La carta di credito è del tipo Visa."),
                      MessageIcon::None);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::cartaWrongAndUnknownBrand()
{
    {
        TfrmCarta w(owner.get());
        showAndActivate(&w);
        w.setNumber(QStringLiteral("2223003122003222"));
        clickOn(control<QPushButton>(&w, "cmdControllo"));
        expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo numero di carta di credito"),
                          utf8("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative al tipo di carta di credito."),
                          MessageIcon::Warning);
        QVERIFY(!w.isVisible());
    }
    fake->clear();
    TfrmCarta w(owner.get());
    showAndActivate(&w);
    w.setNumber(QStringLiteral("3912345678901232"));
    clickOn(control<QPushButton>(&w, "cmdControllo"));
    expectOnlyMessage(MessageKind::Plain, platform::applicationTitle(),
                      utf8("Il numero di carta di credito 3912345678901232 risulta valido.\r\n\r\n"
                           "Non è però possibile riconoscere il tipo di carta di credito."),
                      MessageIcon::None);
    QVERIFY(!w.isVisible());
}

// ---- IBAN ---------------------------------------------------------------------

void TestCheckerDialogs::ibanUpperCasesAndChecks()
{
    TfrmIban w(owner.get());
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    showAndActivate(&w);
    typeInto(txt, "iban it60 x054 2811 1010 0000 0123 456");
    QCOMPARE(txt->text(), QStringLiteral("IBAN IT60 X054 2811 1010 0000 0123 456"));
    pressEnter(txt);
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo codice IBAN"),
                      utf8("Il codice IBAN digitato è ESATTO."), MessageIcon::Information);
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::ibanThreshold()
{
    TfrmIban w(owner.get());
    showAndActivate(&w);
    auto* txt = control<QLineEdit>(&w, "txtCodice");
    auto* cmd = control<QPushButton>(&w, "cmdCheckIban");
    QVERIFY(!cmd->isEnabled());
    typeInto(txt, "it60x054281110100000012345");   // 26
    QVERIFY(!cmd->isEnabled());
    pressEnter(txt);
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(w.isVisible());
    typeInto(txt, "6");
    QVERIFY(cmd->isEnabled());
    clickOn(cmd);
    QCOMPARE(fake->lastMessage(), utf8("Il codice IBAN digitato è ESATTO."));
    QVERIFY(!w.isVisible());
}

void TestCheckerDialogs::ibanWrong()
{
    TfrmIban w(owner.get());
    showAndActivate(&w);
    w.setCode(QStringLiteral("IT60X0542811101-00000123466"));
    clickOn(control<QPushButton>(&w, "cmdCheckIban"));
    expectOnlyMessage(MessageKind::Task, QStringLiteral("Risultato controllo codice IBAN"),
                      utf8("Attenzione: il codice IBAN digitato è ERRATO!"), MessageIcon::Warning);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestCheckerDialogs)
#include "tst_checker_dialogs.moc"
