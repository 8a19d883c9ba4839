#include "platform/qt/TypedKey.h"

#include <QKeyEvent>

namespace {

// Qt numbers every key that is not a printable character from Key_Escape
// upwards; Key_unknown is the exception: input methods and dead keys
// deliver composed letters ("è") with it, and their text counts.
bool isCommandKey(int key)
{
    return key >= Qt::Key_Escape && key != Qt::Key_unknown;
}

QString controlCharacter(const QKeyEvent& key)
{
    const bool control = key.modifiers().testFlag(Qt::ControlModifier);
    if (!control || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return QString();
    return QString(QChar(char16_t(key.key() - Qt::Key_A + 1)));
}

} // namespace

QString typedCharacters(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    default:
        break;
    }
    if (isCommandKey(key.key()))
        return QString();
    if (!key.text().isEmpty())
        return key.text();
    return controlCharacter(key);
}
