#pragma once

#include <QString>

class QWidget;

// A card screen is its record: each field has a control named after it.
// These read and write a control's text by name, whatever its kind (text
// field, editable drop-down list, label).
namespace CardFields {

void setText(QWidget* root, const QString& control, const QString& text);
QString text(QWidget* root, const QString& control);

// Fills every control of a card from a record through its field-to-control bindings.
template <class Record, class Bindings>
void load(QWidget* root, const Record& record, const Bindings& bindings)
{
    for (const auto& b : bindings)
        setText(root, QLatin1String(b.control), record.*(b.field));
}

// Reads every control of a card into a record (texts trimmed when stored).
template <class Record, class Bindings>
void store(QWidget* root, Record& record, const Bindings& bindings)
{
    for (const auto& b : bindings)
        record.*(b.field) = text(root, QLatin1String(b.control));
}

} // namespace CardFields
