#pragma once

#include <QString>

#include <QList>

#include <functional>

class QLineEdit;
class QWidget;

// Key rules of the card fields.
namespace KeyFilters {

// Digits and Backspace pass, Enter passes (it moves on); every other typed
// character, pasting included, is discarded after a plain message with the
// given text. Editing and navigation keys (Delete, arrows, Home/End) type
// nothing and keep working.
void digitsOnly(QLineEdit* field, const QString& message);

// The year boxes: digits and Backspace pass, and so do the editing and
// navigation keys and the clipboard shortcuts. Enter calls enter when it is
// given and the box holds four characters. Any other character typed, and
// any text pasted that is not all digits, is refused after showYearMessage():
// the box holds nothing but digits, whatever way the text came in.
void yearDigits(QLineEdit* field, std::function<void()> enter = {});
// "Indicare un anno solare utilizzando solo caratteri numerici.", captioned
// "Attenzione: dati non validi", with a warning icon.
void showYearMessage();

// After every change the text becomes upper case (letters a to z only),
// the caret staying where it was.
void upperCaseAlways(QLineEdit* field);

// Letters a to z typed are turned into A to Z.
void upperCaseAsTyped(QLineEdit* field);

// A field saved in an archive keeps only what the archive can hold: a
// character without a Windows-1252 byte (a Greek letter, an emoji), typed or
// pasted, is taken out again at once and complain() tells the user, so the
// field always shows exactly what Save writes.
void savedTextOnly(QLineEdit* field, std::function<void()> complain);
// The plain message of such a character in a field without a key filter.
QString unsavedCharacterMessage();

// Enter in each field moves the focus to the next one of the chain (the last to the first).
void enterChain(const QList<QWidget*>& chain);
// Enter in the field calls act instead (installed after the chain, it goes
// first): the chain cannot reach a field that is hidden.
void enterInstead(QLineEdit* field, std::function<void()> act);

} // namespace KeyFilters
