// The key filters of the numeric fields, driven as an X11 keyboard drives
// them: every key press carries its key code and the text the window system
// gives it (Delete "\x7f", Ctrl+V "\x16", the arrows none).

#include "app/Startup.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/TypedKey.h"

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString kCardMessage = QStringLiteral(
    "Attenzione: carattere non valido. Indicare il numero di carta di credito digitando solo "
    "valori numerici senza trattini o spazi.");

enum class Filter { Digits, Amount };

// A key pressed and released, as the keyboard sends it.
void press(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, w, Qt::Key(key), text, modifiers);
}

void install(Filter filter, QLineEdit* field)
{
    if (filter == Filter::Digits)
        KeyFilters::digitsOnly(field, kCardMessage);
    else
        AmountKeyFilter::install(field, AmountKeyFilter::Limit::ThirtyMillion);
}

// The columns shared by the key tables.
void keyColumns()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
}

} // namespace

Q_DECLARE_METATYPE(Filter)

class TestKeyFilters : public QObject
{
    Q_OBJECT
private slots:
    void typedCharacters_data();
    void typedCharacters();

    void editingKeysPass_data();
    void editingKeysPass();
    void charactersRefused_data();
    void charactersRefused();

    void deleteInTheClientCard();

private:
    // A field holding "12345" with the caret after "12".
    static void prepare(QLineEdit& field)
    {
        field.setText(QStringLiteral("12345"));
        field.setCursorPosition(2);
    }
};

// ---- the one decision: does the key type a character, and which ---------------

void TestKeyFilters::typedCharacters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("typed");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    // Commands: nothing typed, whatever text comes with them.
    QTest::newRow("Delete") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << none << QString();
    QTest::newRow("Insert") << int(Qt::Key_Insert) << QString() << none << QString();
    QTest::newRow("Left") << int(Qt::Key_Left) << QString() << none << QString();
    QTest::newRow("Right") << int(Qt::Key_Right) << QString() << none << QString();
    QTest::newRow("Up") << int(Qt::Key_Up) << QString() << none << QString();
    QTest::newRow("Down") << int(Qt::Key_Down) << QString() << none << QString();
    QTest::newRow("Home") << int(Qt::Key_Home) << QString() << none << QString();
    QTest::newRow("End") << int(Qt::Key_End) << QString() << none << QString();
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << QString() << none << QString();
    QTest::newRow("Tab") << int(Qt::Key_Tab) << QStringLiteral("\t") << none << QString();
    QTest::newRow("Backtab") << int(Qt::Key_Backtab) << QString() << Qt::KeyboardModifiers(Qt::ShiftModifier)
                             << QString();
    QTest::newRow("Escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << none << QString();
    QTest::newRow("F1") << int(Qt::Key_F1) << QString() << none << QString();
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << QString() << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                 << QString();
    QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << ctrl << QString();
    // Enter and Backspace type their characters, with or without text.
    QTest::newRow("Return") << int(Qt::Key_Return) << QStringLiteral("\r") << none << QStringLiteral("\r");
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << QStringLiteral("\r")
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier) << QStringLiteral("\r");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b") << none << QStringLiteral("\b");
    QTest::newRow("Backspace, no text") << int(Qt::Key_Backspace) << QString() << none << QStringLiteral("\b");
    // Characters.
    QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << none << QStringLiteral("7");
    QTest::newRow("keypad digit") << int(Qt::Key_7) << QStringLiteral("7")
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier) << QStringLiteral("7");
    QTest::newRow("point") << int(Qt::Key_Period) << QStringLiteral(".") << none << QStringLiteral(".");
    QTest::newRow("blank") << int(Qt::Key_Space) << QStringLiteral(" ") << none << QStringLiteral(" ");
    QTest::newRow("composed letter") << int(Qt::Key_unknown) << QString::fromUtf8("è") << none
                                     << QString::fromUtf8("è");
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << QStringLiteral("\x16") << ctrl << QStringLiteral("\x16");
    QTest::newRow("Ctrl+V, no text") << int(Qt::Key_V) << QString() << ctrl << QStringLiteral("\x16");
    QTest::newRow("Ctrl+C, no text") << int(Qt::Key_C) << QString() << ctrl << QStringLiteral("\x03");
}

void TestKeyFilters::typedCharacters()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, typed);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCOMPARE(::typedCharacters(event), typed);
}

// ---- the filters of the card fields and of the amount fields ----------------

void TestKeyFilters::editingKeysPass_data()
{
    keyColumns();
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedCaret");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    for (const Filter filter : {Filter::Digits, Filter::Amount}) {
        const char* name = filter == Filter::Digits ? "digits" : "amount";
        auto row = [name](const char* key) { return &QTest::addRow("%s: %s", name, key); };
        *row("Delete") << filter << int(Qt::Key_Delete) << QStringLiteral("\x7f") << none
                       << QStringLiteral("1245") << 2;
        *row("Backspace") << filter << int(Qt::Key_Backspace) << QStringLiteral("\b") << none
                          << QStringLiteral("1345") << 1;
        *row("Left") << filter << int(Qt::Key_Left) << QString() << none << QStringLiteral("12345") << 1;
        *row("Right") << filter << int(Qt::Key_Right) << QString() << none << QStringLiteral("12345") << 3;
        *row("Home") << filter << int(Qt::Key_Home) << QString() << none << QStringLiteral("12345") << 0;
        *row("End") << filter << int(Qt::Key_End) << QString() << none << QStringLiteral("12345") << 5;
        *row("Shift+Home") << filter << int(Qt::Key_Home) << QString()
                                       << Qt::KeyboardModifiers(Qt::ShiftModifier) << QStringLiteral("12345")
                                       << 0;
        *row("digit") << filter << int(Qt::Key_7) << QStringLiteral("7") << none << QStringLiteral("127345") << 3;
    }
}

void TestKeyFilters::editingKeysPass()
{
    QFETCH(Filter, filter);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);

    FakePlatform fake;
    QLineEdit field;
    install(filter, &field);
    prepare(field);
    press(&field, key, text, modifiers);
    QCOMPARE(field.text(), expectedText);
    QCOMPARE(field.cursorPosition(), expectedCaret);
    QCOMPARE(fake.messageTexts(), QStringList());
}

void TestKeyFilters::charactersRefused_data()
{
    keyColumns();
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    struct Box
    {
        Filter filter;
        const char* name;
        MessageKind kind;
        QString caption;
        QString message;
    };
    const Box boxes[] = {
        {Filter::Digits, "digits", MessageKind::Plain, platform::applicationTitle(), kCardMessage},
        {Filter::Amount, "amount", MessageKind::KeyFilter, QStringLiteral("Operazione annullata"),
         QStringLiteral("Attenzione: carattere non valido.")},
    };
    for (const Box& b : boxes) {
        auto row = [&b](const char* key) { return &QTest::addRow("%s: %s", b.name, key); };
        *row("Ctrl+V") << b.filter << int(Qt::Key_V) << QStringLiteral("\x16") << ctrl << int(b.kind) << b.caption
                       << b.message;
        *row("Ctrl+V, no text") << b.filter << int(Qt::Key_V) << QString() << ctrl << int(b.kind) << b.caption
                                << b.message;
        *row("hyphen") << b.filter << int(Qt::Key_Minus) << QStringLiteral("-") << none << int(b.kind) << b.caption
                       << b.message;
        *row("point") << b.filter << int(Qt::Key_Period) << QStringLiteral(".") << none << int(b.kind)
                      << b.caption << b.message;
        *row("letter") << b.filter << int(Qt::Key_A) << QStringLiteral("a") << none << int(b.kind) << b.caption
                       << b.message;
    }
}

void TestKeyFilters::charactersRefused()
{
    QFETCH(Filter, filter);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, message);

    FakePlatform fake;
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QLineEdit field;
    install(filter, &field);
    prepare(field);
    press(&field, key, text, modifiers);
    QCOMPARE(field.text(), QStringLiteral("12345"));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(int(fake.messages[0].kind), kind);
    QCOMPARE(fake.messages[0].caption, caption);
    QCOMPARE(fake.messages[0].text, message);
}

// ---- the same filter in place on the client card ----------------------------

void TestKeyFilters::deleteInTheClientCard()
{
    FakePlatform fake;
    TempAppDir dir;
    CreateScreens();
    auto* card = static_cast<TfrmClienti*>(topLevel("frmClienti"));
    QVERIFY(card);
    card->open();
    auto* carta = control<QLineEdit>(card, QStringLiteral("txtCarta"));
    QVERIFY(carta);
    typeInto(carta, "4111");
    press(carta, Qt::Key_Home, QString());
    press(carta, Qt::Key_Delete, QStringLiteral("\x7f"));
    QCOMPARE(carta->text(), QStringLiteral("111"));
    QCOMPARE(fake.messageTexts(), QStringList());
}

QTEST_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
