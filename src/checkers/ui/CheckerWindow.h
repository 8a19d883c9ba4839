#pragma once

#include "checkers/CheckerMessage.h"
#include "platform/qt/ScreenWindows.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The one window of the four identifier checkers, made from a checker's
// rules: two instruction lines, the input field (bold fixed pitch, white at
// rest and yellow while focused) and the "Controlla" button, disabled until
// the field holds enough characters. Advisory only: the caller's field is
// never changed and nothing is stored.
class CheckerWindow : public DialogScreen
{
    Q_OBJECT
public:
    // The names that tell the checker windows apart.
    struct Names
    {
        const char* window;
        const char* field;
        const char* button;
    };

    CheckerWindow(const Names& names, const CheckerRules& rules, QWidget* parent);

    // Puts the caller's text, trimmed, into the field whole, as a change of
    // the field: the field's limit is meant for typing, and cutting a longer
    // code could turn a wrong code into a valid one.
    void setCode(const QString& code);

protected:
    // Caption and instructions from rules that differ only in their texts.
    void showTexts(const CheckerRules& rules);

private:
    // "Controlla": the checker's message, then the window closes unless the
    // message asks for another try.
    void checkClick();
    void fieldChange();
    void fieldEnter();

    const CheckerRules& m_rules;
    QLabel* lblIstruzioni1;
    QLabel* lblIstruzioni2;
    QLineEdit* m_field;
    QPushButton* m_button;
};

// A checker window of its own class, with what its callers' buttons do.
template <class Window>
class CheckerScreen : public CheckerWindow
{
public:
    using CheckerWindow::CheckerWindow;

    // What a checker button of a card or of the receipt editor does: a fresh
    // checker, modal to owner, with the trimmed code in its field, destroyed
    // when closed.
    static void run(QWidget* owner, const QString& code)
    {
        Window checker(owner);
        checker.setCode(code);
        checker.exec();
    }
};

// Shows a checker's message in the box it asks for.
void ShowCheckerMessage(const CheckerMessage& message);
