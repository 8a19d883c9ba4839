#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

// The keys of a digits-only checker field (partita IVA, credit card).
// Digits and Backspace reach the field; Enter runs the check when the text
// is ready and does nothing otherwise; any other typed character, the
// control character of Ctrl+V included, is refused with the plain
// invalid-character message, so letters cannot be pasted in. Editing and
// navigation keys (Delete, arrows, Home/End, Tab, Escape) type nothing and
// keep their usual meaning.
class DigitFieldKeys : public QObject
{
public:
    using Ready = std::function<bool(const QString& text)>;
    using Check = std::function<void()>;

    // Installs the handler, owned by the field. ready tells whether Enter
    // acts as the check on the current text; typingLimit, when above zero,
    // keeps typed digits within that many characters even after the caller
    // gave the field a longer text.
    static void install(QLineEdit* field, Ready ready, Check check, int typingLimit = 0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DigitFieldKeys(QLineEdit* field, Ready ready, Check check, int typingLimit);
    bool keyPress(const QString& typed);
    bool roomToType() const;

    QLineEdit* m_field;
    Ready m_ready;
    Check m_check;
    int m_typingLimit;
};
