#pragma once

#include <QColor>

class QWidget;

// Fields that change colour with the focus: the work areas' light green at
// rest, white for the dialogs, yellow while focused.
namespace FieldColours {

QColor restGreen();   // red 192, green 220, blue 192
QColor computedBlue();
QColor focusYellow();

// Sets the rest colour now and switches to yellow while the field has the focus.
void install(QWidget* field, const QColor& rest);

void setBackground(QWidget* field, const QColor& colour);

// The caption of a chosen check box or radio button is maroon, of the others black.
QColor captionMaroon();   // red 128, green 0, blue 0
void markCaption(QWidget* control, bool chosen);

} // namespace FieldColours
