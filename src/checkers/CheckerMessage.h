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
};

// The answer of a "Controlla" button: the message, and whether the window
// closes after it (it stays open only to let the user fix a wrong length).
struct CheckerOutcome
{
    CheckerMessage message;
    bool closesWindow = true;
};

// The two line breaks (one empty line) between the verdict and its remark.
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
