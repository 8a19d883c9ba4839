// The key filters of the numeric fields, driven as an X11 keyboard drives
// them: every key press carries its key code and the text the window system
// gives it (Delete "\x7f", Ctrl+V "\x16", the arrows none).

#include "app/Startup.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/qt/AmountKeyFilter.h"
#include "screens/CardForm.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/TypedKey.h"

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString kCardMessage = QStringLiteral(
    "Attenzione: carattere non valido. Indicare il numero di carta di credito digitando solo "
    "valori numerici senza trattini o spazi.");

enum class Filter { Digits, Amount, Year };

void install(Filter filter, QLineEdit* field)
{
    if (filter == Filter::Digits)
        KeyFilters::digitsOnly(field, kCardMessage);
    else if (filter == Filter::Year)
        KeyFilters::yearDigits(field);
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
    void keypadDecimalTypesTheComma_data();
    void keypadDecimalTypesTheComma();

    void deleteInTheClientCard();

    void savedTextKeepsWhatTheArchiveHolds_data();
    void savedTextKeepsWhatTheArchiveHolds();
    void cardFieldsRefuseUnsavedCharacters_data();
    void cardFieldsRefuseUnsavedCharacters();

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
    for (const Filter filter : {Filter::Digits, Filter::Amount, Filter::Year}) {
        const char* name = filter == Filter::Digits ? "digits" : filter == Filter::Amount ? "amount" : "year";
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
        // Pasting is judged on what it brings: "abc" is refused, as typed letters are.
        {Filter::Year, "year", MessageKind::Task, QStringLiteral("Attenzione: dati non validi"),
         QStringLiteral("Indicare un anno solare utilizzando solo caratteri numerici.")},
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

// The keypad's decimal key gives "." on an Italian keyboard; in an amount it
// types the decimal comma, and "12.50" typed there is 12,50.
void TestKeyFilters::keypadDecimalTypesTheComma_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("keypad");     // the decimal key of the keypad, or the point of the main keys
    QTest::addColumn<QString>("after");   // after the key and "50"
    QTest::addColumn<int>("refusals");
    QTest::newRow("keypad") << "12" << true << "12,50" << 0;
    QTest::newRow("keypad, a comma already there") << "12,3" << true << "12,350" << 1;
    QTest::newRow("point of the main keys: refused") << "12" << false << "1250" << 1;
}

void TestKeyFilters::keypadDecimalTypesTheComma()
{
    QFETCH(QString, before);
    QFETCH(bool, keypad);
    FakePlatform fake;
    QLineEdit field;
    install(Filter::Amount, &field);
    field.setText(before);
    field.setFocus();
    press(&field, Qt::Key_Period, QStringLiteral("."),
          keypad ? Qt::KeypadModifier : Qt::NoModifier);
    press(&field, Qt::Key_5, QStringLiteral("5"), keypad ? Qt::KeypadModifier : Qt::NoModifier);
    press(&field, Qt::Key_0, QStringLiteral("0"), keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QTEST(field.text(), "after");
    QTEST(int(fake.messages.size()), "refusals");
    for (const ShownMessage& m : fake.messages)
        QCOMPARE(m.text, QStringLiteral("Attenzione: carattere non valido."));
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

// ---- fields saved in an archive show exactly what Save writes ---------------

namespace {

const QString kOmega = QString::fromUtf8("Ω");
const QString kEmoji = QString::fromUtf8("😀");   // two UTF-16 units, one character

enum class Entry { Typed, Pasted };

// Enters text at the caret the way a user does: key by key, or with Ctrl+V.
void enter(QLineEdit* field, const QString& text, Entry how)
{
    field->setFocus();
    if (how == Entry::Pasted) {
        QGuiApplication::clipboard()->setText(text);
        press(field, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
        return;
    }
    for (int i = 0; i < text.size(); ++i) {
        const int length = text.at(i).isHighSurrogate() ? 2 : 1;
        press(field, Qt::Key_unknown, text.mid(i, length));
        i += length - 1;
    }
}

} // namespace

Q_DECLARE_METATYPE(Entry)

void TestKeyFilters::savedTextKeepsWhatTheArchiveHolds_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<Entry>("how");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caretAfter");
    QTest::addColumn<bool>("complains");
    QTest::newRow("omega typed") << "" << 0 << kOmega + "mega Srl" << Entry::Typed << "mega Srl" << 8 << true;
    QTest::newRow("omega pasted") << "" << 0 << kOmega + "mega Srl" << Entry::Pasted << "mega Srl" << 8 << true;
    QTest::newRow("pasted in the middle") << "Ditta Srl" << 6 << "Gr" + kOmega + "nde " << Entry::Pasted
                                          << "Ditta Grnde Srl" << 12 << true;
    QTest::newRow("emoji typed at the end") << "Bar" << 3 << kEmoji << Entry::Typed << "Bar" << 3 << true;
    QTest::newRow("emoji pasted at both ends") << "" << 0 << kEmoji + " Caffè " + kEmoji << Entry::Pasted
                                               << " Caffè " << 7 << true;
    QTest::newRow("accents, euro and quotes pass") << "" << 0 << QString::fromUtf8("Città è € «» ñ") << Entry::Pasted
                                                   << QString::fromUtf8("Città è € «» ñ") << 14 << false;
}

void TestKeyFilters::savedTextKeepsWhatTheArchiveHolds()
{
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, entered);
    QFETCH(Entry, how);
    QFETCH(QString, after);
    QFETCH(int, caretAfter);
    QFETCH(bool, complains);
    QWidget window;
    auto* field = new QLineEdit(&window);
    window.show();
    int complaints = 0;
    KeyFilters::savedTextOnly(field, [&] { ++complaints; });
    field->setText(before);
    field->setCursorPosition(caret);
    enter(field, entered, how);
    QCOMPARE(field->text(), after);
    QCOMPARE(field->cursorPosition(), caretAfter);
    // One complaint however many characters were taken out.
    if (how == Entry::Pasted || !complains)
        QCOMPARE(complaints, complains ? 1 : 0);
    else
        QVERIFY(complaints >= 1);
}

void TestKeyFilters::cardFieldsRefuseUnsavedCharacters_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("kept");
    const QString plain = KeyFilters::unsavedCharacterMessage();
    QTest::newRow("text field") << int(card::KeyRule::None) << int(card::Control::Edit) << int(MessageKind::Plain)
                                << plain << "123";
    QTest::newRow("upper case as typed") << int(card::KeyRule::UpperAsTyped) << int(card::Control::DropDown)
                                         << int(MessageKind::Plain) << plain << "123";
    QTest::newRow("upper case always") << int(card::KeyRule::UpperAlways) << int(card::Control::Edit)
                                       << int(MessageKind::Plain) << plain << "123";
    // The numeric fields refuse a paste as a whole, with their own message.
    QTest::newRow("digits") << int(card::KeyRule::Digits) << int(card::Control::Edit) << int(MessageKind::Plain)
                            << kCardMessage << "12";
    QTest::newRow("amount") << int(card::KeyRule::Amount) << int(card::Control::Edit) << int(MessageKind::KeyFilter)
                            << QStringLiteral("Attenzione: carattere non valido.") << "12";
}

// Every saved field of a card refuses them in its usual box, typed or pasted,
// and the record built from the card holds what the field shows.
void TestKeyFilters::cardFieldsRefuseUnsavedCharacters()
{
    QFETCH(int, rule);
    QFETCH(int, kind);
    QFETCH(int, box);
    QFETCH(QString, message);
    QFETCH(QString, kept);
    FakePlatform fake;
    QWidget window;
    auto* container = new QWidget(&window);
    const QByteArray digits = kCardMessage.toUtf8();
    card::Form<TRecCliente> form(container, {{&TRecCliente::Nominativo,
                                              {"txtCampo", card::Control(kind), nullptr, nullptr, {}, {0, 0, 200, 24},
                                               1, card::Look::Bold, card::KeyRule(rule), digits.constData()}}});
    window.show();
    QWidget* control = form.widget(QStringLiteral("txtCampo"));
    QLineEdit* field = qobject_cast<QLineEdit*>(control);
    if (!field)
        field = qobject_cast<QComboBox*>(control)->lineEdit();
    field->setText(QStringLiteral("12"));
    field->setCursorPosition(2);
    enter(field, kOmega + "3", Entry::Pasted);
    QCOMPARE(field->text(), kept);
    QCOMPARE(form.record().Nominativo, kept);
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(int(fake.messages[0].kind), box);
    QCOMPARE(fake.messages[0].text, message);
}

QTEST_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
