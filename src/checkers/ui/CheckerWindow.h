#pragma once

// Widget pieces shared by the four checker windows. Kept inline in this
// header because only the screens (Tfrm*.cpp) may use widgets.

#include "checkers/CheckerMessage.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"

#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>

// Every checker window has the same fixed size and layout.
inline QSize checkerWindowSize()
{
    return QSize(580, 130);
}

struct CheckerControls
{
    QLabel* line1;
    QLabel* line2;
    QLineEdit* field;
    QPushButton* button;
};

// Two instruction lines, the input field (bold fixed pitch, white at rest and
// yellow while focused) and the disabled "Controlla" button.
inline CheckerControls buildCheckerControls(QDialog* window, const QString& fieldName, const QString& buttonName)
{
    CheckerControls c{};
    c.line1 = new QLabel(window);
    c.line1->setObjectName(QStringLiteral("lblIstruzioni1"));
    c.line1->setGeometry(20, 14, 540, 18);
    c.line2 = new QLabel(window);
    c.line2->setObjectName(QStringLiteral("lblIstruzioni2"));
    c.line2->setGeometry(20, 32, 540, 18);

    c.field = new QLineEdit(window);
    c.field->setObjectName(fieldName);
    // Courier New where the system has it, any typewriter face otherwise.
    QFont font(QStringLiteral("Courier New"), 11);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(true);
    c.field->setFont(font);
    c.field->setGeometry(20, 70, 410, 30);
    FieldColours::install(c.field, Qt::white);

    c.button = new QPushButton(QStringLiteral("Controlla"), window);
    c.button->setObjectName(buttonName);
    c.button->setGeometry(450, 70, 110, 30);
    c.button->setEnabled(false);
    // Enter belongs to the field, which decides when it means "Controlla";
    // a default button would press itself on every Enter.
    c.button->setAutoDefault(false);
    c.button->setDefault(false);
    return c;
}

// Replaces the text without moving the caret (case changes while typing).
inline void replaceKeepingCaret(QLineEdit* field, const QString& text)
{
    const int caret = field->cursorPosition();
    field->setText(text);
    field->setCursorPosition(caret);
}

// Puts a caller's text into a field whole: the field's limit is meant for
// typing, and cutting a longer code could turn a wrong code into a valid one.
inline void putCallerText(QLineEdit* field, const QString& text, int typingLimit)
{
    field->setMaxLength(qMax(typingLimit, int(text.size())));
    field->setText(text);
}

// Shows a checker's message in the box it asks for.
inline void ShowCheckerMessage(const CheckerMessage& message)
{
    if (message.box == CheckerMessage::Box::Plain)
        platform::current().showMessage(message.text);
    else
        platform::current().showTaskMessage(message.caption, message.text, message.icon);
}
