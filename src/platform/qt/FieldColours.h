#pragma once

#include <QColor>

class QWidget;

// Fields that change colour with the focus: the work areas' light green at
// rest, white for the dialogs, yellow while focused.
namespace FieldColours {

QColor restGreen();   // red 192, green 220, blue 192
QColor computedBlue();
QColor focusYellow();
// Dark red (maroon): warning lines and the caption of the option chosen.
QColor maroon();

// Sets the rest colour now and switches to yellow while the field has the focus.
void install(QWidget* field, const QColor& rest);

void setBackground(QWidget* field, const QColor& colour);
// The colour of a label's or a button's caption.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace FieldColours
