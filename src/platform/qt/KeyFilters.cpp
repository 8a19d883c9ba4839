#include "platform/qt/KeyFilters.h"

#include "platform/Platform.h"
#include "platform/qt/TypedKey.h"
#include "storage/ShortString.h"
#include "storage/TextRules.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>


namespace KeyFilters {

namespace {

class DigitsFilter : public QObject
{
public:
    DigitsFilter(QLineEdit* field, QString message) : QObject(field), m_message(std::move(message)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        // Delete, arrows and the other editing keys type nothing and pass.
        for (const QChar c : typedCharacters(*static_cast<QKeyEvent*>(event))) {
            if (!TextRules::isDigitFieldCharacter(c)) {
                platform::current().showMessage(m_message);
                return true;
            }
        }
        return false;
    }

private:
    QString m_message;
};

bool allDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The shortcuts of copy, cut, paste, select all and undo type their control
// characters; what they bring in is judged as text, after the fact.
bool isClipboardShortcut(QChar c)
{
    static const QString shortcuts = QStringLiteral("\x01\x03\x16\x18\x1a");
    return shortcuts.contains(c);
}

class YearFilter : public QObject
{
public:
    YearFilter(QLineEdit* field, std::function<void()> enter)
        : QObject(field), m_field(field), m_enter(std::move(enter)), m_good(field->text())
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (allDigits(text))
                m_good = text;
        });
        connect(field, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (allDigits(text))
                return;
            m_field->setText(m_good);
            showYearMessage();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        for (const QChar c : typedCharacters(*static_cast<QKeyEvent*>(event))) {
            if (allDigits(QString(c)) || c == QLatin1Char('\b') || isClipboardShortcut(c))
                continue;
            if (c == QLatin1Char('\r') && m_enter && m_field->text().size() >= 4) {
                m_enter();
                return true;
            }
            showYearMessage();
            return true;
        }
        return false;
    }

private:
    QLineEdit* m_field;
    std::function<void()> m_enter;
    QString m_good;   // the text before an edit that brought in anything but digits
};

void makeUpper(QLineEdit* field)
{
    const QString upper = TextRules::upperAZ(field->text());
    if (upper == field->text())
        return;
    const int caret = field->cursorPosition();
    // The replacement is not a further change.
    const QSignalBlocker block(field);
    field->setText(upper);
    field->setCursorPosition(caret);
}

} // namespace

void digitsOnly(QLineEdit* field, const QString& message)
{
    field->installEventFilter(new DigitsFilter(field, message));
}

void yearDigits(QLineEdit* field, std::function<void()> enter)
{
    field->installEventFilter(new YearFilter(field, std::move(enter)));
}

void showYearMessage()
{
    platform::current().showTaskMessage(QStringLiteral("Attenzione: dati non validi"),
                                        QStringLiteral("Indicare un anno solare utilizzando solo caratteri numerici."),
                                        platform::MessageIcon::Warning);
}

void upperCaseAlways(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field] { makeUpper(field); });
}

void upperCaseAsTyped(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field] { makeUpper(field); });
}

void savedTextOnly(QLineEdit* field, std::function<void()> complain)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field, complain] {
        // The field as it stands: another rule (upper case) may have changed it already.
        const QString text = field->text();
        if (ShortString::isWindows1252(text))
            return;
        int removed = 0;
        const int caret = field->cursorPosition();
        field->setText(ShortString::keepWindows1252(text, caret, &removed));
        field->setCursorPosition(caret - removed);
        complain();
    });
}

QString unsavedCharacterMessage()
{
    return QStringLiteral("Attenzione: carattere non valido. Il carattere digitato o incollato non può essere "
                          "salvato nella scheda.");
}

void enterChain(const QList<QWidget*>& list)
{
    for (int i = 0; i < list.size(); ++i) {
        QWidget* next = list[(i + 1) % list.size()];
        QLineEdit* edit = qobject_cast<QLineEdit*>(list[i]);
        if (!edit) {
            if (auto* combo = qobject_cast<QComboBox*>(list[i]))
                edit = combo->lineEdit();
        }
        if (edit)
            QObject::connect(edit, &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }
}

namespace {

class EnterInstead : public QObject
{
public:
    EnterInstead(QObject* field, std::function<void()> act) : QObject(field), m_act(std::move(act)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->text() != QLatin1String("\r"))
            return false;
        m_act();
        return true;
    }

private:
    std::function<void()> m_act;
};

} // namespace

void enterInstead(QLineEdit* field, std::function<void()> act)
{
    field->installEventFilter(new EnterInstead(field, std::move(act)));
}

} // namespace KeyFilters
