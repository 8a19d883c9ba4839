#include "platform/qt/UpDownField.h"

#include <QLineEdit>
#include <QSpinBox>

namespace UpDownField {

void bind(QSpinBox* spin, QLineEdit* field, int minimum, int maximum)
{
    field->setReadOnly(true);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(1);
    spin->setGroupSeparatorShown(false);
    // Only the arrows show: the number is the field's to show.
    spin->setFixedWidth(18);
    bool ok = false;
    const int shown = field->text().trimmed().toInt(&ok);
    spin->setValue(ok ? shown : minimum);
    field->setText(QString::number(spin->value()));
    QObject::connect(spin, &QSpinBox::valueChanged, field,
                     [field](int value) { field->setText(QString::number(value)); });
}

} // namespace UpDownField
