#include "platform/qt/KeyFilters.h"

#include "platform/Platform.h"
#include "storage/TextRules.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>


namespace KeyFilters {

namespace {

class DigitsFilter : public QObject
{
public:
    DigitsFilter(QLineEdit* field, QString message) : QObject(field), m_message(std::move(message)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        for (const QChar c : text) {
            const ushort u = c.unicode();
            if ((u >= '0' && u <= '9') || u == 8 || u == 13)
                continue;
            platform::current().showMessage(m_message);
            Q_UNUSED(watched);
            return true;
        }
        return false;
    }

private:
    QString m_message;
};

void makeUpper(QLineEdit* field)
{
    const QString upper = TextRules::upperAZ(field->text());
    if (upper == field->text())
        return;
    const int caret = field->cursorPosition();
    // The replacement is not a further change.
    const QSignalBlocker block(field);
    field->setText(upper);
    field->setCursorPosition(caret);
}

} // namespace

void digitsOnly(QLineEdit* field, const QString& message)
{
    field->installEventFilter(new DigitsFilter(field, message));
}

void upperCaseAlways(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field] { makeUpper(field); });
}

void upperCaseAsTyped(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field] { makeUpper(field); });
}

void enterChain(const QList<QWidget*>& list)
{
    for (int i = 0; i < list.size(); ++i) {
        QWidget* next = list[(i + 1) % list.size()];
        QLineEdit* edit = qobject_cast<QLineEdit*>(list[i]);
        if (!edit) {
            if (auto* combo = qobject_cast<QComboBox*>(list[i]))
                edit = combo->lineEdit();
        }
        if (edit)
            QObject::connect(edit, &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }
}

} // namespace KeyFilters
