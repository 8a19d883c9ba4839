#pragma once

class QLineEdit;
class QSpinBox;

// A read-only number field with its up-down control beside it: the field
// shows the control's value (plain digits, no thousands separator) and is
// changed only through the control's arrows and keys.
namespace UpDownField {

// Binds spin to field within minimum and maximum, starting from the
// number the field shows (minimum when it shows none).
void bind(QSpinBox* spin, QLineEdit* field, int minimum, int maximum);

} // namespace UpDownField
