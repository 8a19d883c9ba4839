#pragma once

#include "platform/Platform.h"

#include <QChar>
#include <QString>

// What a checker tells the user: the plain box (application title, no icon)
// or a task-modal box with a caption and an icon of its own. Each checker
// keeps the two kinds apart on purpose: a valid partita IVA, for one, is
// reported in the plain box while a wrong one gets the warning box.
struct CheckerMessage
{
    enum class Box { Plain, Task };

    Box box = Box::Plain;
    QString caption;    // task boxes only
    QString text;
    platform::MessageIcon icon = platform::MessageIcon::None;

    static CheckerMessage plain(const QString& text);
    static CheckerMessage task(const QString& caption, const QString& text, platform::MessageIcon icon);
    // A task box with the verdict on a code: right with the information
    // icon, wrong with the warning icon.
    static CheckerMessage judged(const QString& caption, bool right, const QString& rightText,
                                 const QString& wrongText);
    // A wrong code: a task box with the warning icon, the verdict and, after
    // one empty line, the remark.
    static CheckerMessage wrong(const QString& caption, const QString& verdict, const QString& remark);
};

// The answer of a "Controlla" button: the message, and whether the window
// closes after it (it stays open only to let the user fix a wrong length).
struct CheckerOutcome
{
    CheckerMessage message;
    bool closesWindow = true;
};

// What one checker window is: its texts, when "Controlla" may act, what the
// field takes, and the check "Controlla" runs on the field's text.
struct CheckerRules
{
    enum class Enter { Exactly, FromEnabling };   // Enter acts at exactly, or from, enableFrom characters
    enum class Field {
        Any,        // any character, as typed
        Capitals,   // any character; letters a to z become capitals as typed
        Digits      // digits only, other typed characters refused (DigitKey)
    };
    // The message on the field's text once its length is right.
    using Verdict = CheckerMessage (*)(const QString& fieldText);

    explicit CheckerRules(Verdict verdict) : verdict(verdict) {}

    // The window's caption and its two instruction lines.
    CheckerRules& texts(QString windowCaption, QString line1, QString line2)
    {
        caption = std::move(windowCaption);
        instructionLine1 = std::move(line1);
        instructionLine2 = std::move(line2);
        return *this;
    }
    CheckerRules& enabledFrom(int length, Enter when)
    {
        enableFrom = length;
        enter = when;
        return *this;
    }
    CheckerRules& typingUpTo(int length)
    {
        maxLength = length;
        return *this;
    }
    CheckerRules& taking(Field kind)
    {
        field = kind;
        return *this;
    }
    // A text of another length than `length` only gets the notice, and the
    // window stays open (the field focused again when refocus); typing stops
    // at that length.
    CheckerRules& requiring(int length, CheckerMessage notice, bool refocus)
    {
        requiredLength = length;
        maxLength = length;
        lengthNotice = std::move(notice);
        refocusOnNotice = refocus;
        return *this;
    }

    bool canCheck(const QString& fieldText) const { return fieldText.size() >= enableFrom; }
    bool enterChecks(const QString& fieldText) const
    {
        return enter == Enter::Exactly ? fieldText.size() == enableFrom : canCheck(fieldText);
    }
    // "Controlla": the length notice, or the verdict after which the window closes.
    CheckerOutcome check(const QString& fieldText) const
    {
        if (requiredLength > 0 && fieldText.size() != requiredLength)
            return {lengthNotice, false};
        return {verdict(fieldText), true};
    }

    QString caption;
    QString instructionLine1;
    QString instructionLine2;
    Verdict verdict;
    int enableFrom = 1;   // "Controlla" is enabled from this many characters on
    Enter enter = Enter::FromEnabling;
    // Typing stops here (0: no limit); a longer text from the caller is still shown whole.
    int maxLength = 0;
    Field field = Field::Any;
    int requiredLength = 0;   // 0: every length is judged
    CheckerMessage lengthNotice;
    bool refocusOnNotice = false;
};

// The names a checker's callers use, read from the checker's rules():
// Checker::caption(), Checker::canCheck(text), Checker::check(text) and so on.
template <class Checker>
struct CheckerNames
{
    static QString caption() { return Checker::rules().caption; }
    static QString instructionLine1() { return Checker::rules().instructionLine1; }
    static QString instructionLine2() { return Checker::rules().instructionLine2; }
    static bool canCheck(const QString& fieldText) { return Checker::rules().canCheck(fieldText); }
    static bool enterChecks(const QString& fieldText) { return Checker::rules().enterChecks(fieldText); }
    static CheckerOutcome check(const QString& fieldText) { return Checker::rules().check(fieldText); }
};

// The two line breaks (one empty line) between a verdict and its remark.
inline QString checkerParagraphBreak() { return QStringLiteral("\r\n\r\n"); }

// What a digits-only checker field does with one typed character.
enum class DigitKey {
    Accept,   // reaches the field: digits and Backspace
    Check,    // Enter when the text is ready: act as "Controlla"
    Ignore,   // Enter when the text is not ready: nothing happens
    Refuse    // discarded with the invalid-character message
};

// typed is '\r' for Enter and '\b' for Backspace. Every other character,
// control characters such as Ctrl+V's included, is refused: pasting would
// bring letters into a digits-only field. Editing and navigation keys type
// no character and never come here.
DigitKey judgeDigitKey(QChar typed, bool checkReady);

// The plain message of a refused character in the digits-only checkers.
QString checkerInvalidCharacterMessage();
