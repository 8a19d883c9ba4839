#pragma once

#include <QString>

#include <QList>

class QLineEdit;
class QWidget;

// Key rules of the card fields.
namespace KeyFilters {

// Digits and Backspace pass, Enter passes (it moves on); every other typed
// character, pasting included, is discarded after a plain message with the
// given text. Editing and navigation keys (Delete, arrows, Home/End) type
// nothing and keep working.
void digitsOnly(QLineEdit* field, const QString& message);

// After every change the text becomes upper case (letters a to z only),
// the caret staying where it was.
void upperCaseAlways(QLineEdit* field);

// Letters a to z typed are turned into A to Z.
void upperCaseAsTyped(QLineEdit* field);

// Enter in each field moves the focus to the next one of the chain (the last to the first).
void enterChain(const QList<QWidget*>& chain);

} // namespace KeyFilters
