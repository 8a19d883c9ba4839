#include "checkers/ui/DigitFieldKeys.h"

#include "checkers/CheckerMessage.h"
#include "platform/Platform.h"
#include "platform/qt/TypedKey.h"

#include <QKeyEvent>
#include <QLineEdit>

void DigitFieldKeys::install(QLineEdit* field, Ready ready, Check check, int typingLimit)
{
    field->installEventFilter(new DigitFieldKeys(field, std::move(ready), std::move(check), typingLimit));
}

DigitFieldKeys::DigitFieldKeys(QLineEdit* field, Ready ready, Check check, int typingLimit)
    : QObject(field), m_field(field), m_ready(std::move(ready)), m_check(std::move(check)),
      m_typingLimit(typingLimit)
{
}

bool DigitFieldKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    return keyPress(typedCharacters(*static_cast<const QKeyEvent*>(event)));
}

// True when the key is consumed here.
bool DigitFieldKeys::keyPress(const QString& typed)
{
    bool digit = false;
    for (const QChar c : typed) {
        switch (judgeDigitKey(c, m_ready(m_field->text()))) {
        case DigitKey::Check:
            // The check may close the window: nothing of this key is left to do.
            m_check();
            return true;
        case DigitKey::Ignore:
            return true;
        case DigitKey::Refuse:
            platform::current().showMessage(checkerInvalidCharacterMessage());
            return true;
        case DigitKey::Accept:
            digit = digit || c.isDigit();
            break;
        }
    }
    return digit && !roomToType();
}

bool DigitFieldKeys::roomToType() const
{
    if (m_typingLimit <= 0)
        return true;
    return m_field->text().size() - m_field->selectedText().size() < m_typingLimit;
}
