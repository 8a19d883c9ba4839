#include "platform/qt/CardFields.h"

#include "storage/TextRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace CardFields {

void setText(QWidget* root, const QString& control, const QString& text)
{
    QWidget* w = root->findChild<QWidget*>(control);
    const QString value = TextRules::trim(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(value);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
}

QString text(QWidget* root, const QString& control)
{
    QWidget* w = root->findChild<QWidget*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return QString();
}

} // namespace CardFields
