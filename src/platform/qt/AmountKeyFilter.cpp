#include "platform/qt/AmountKeyFilter.h"

#include "platform/Platform.h"
#include "storage/Amounts.h"

#include <QKeyEvent>
#include <QLineEdit>

AmountKeyFilter* AmountKeyFilter::install(QLineEdit* field, Limit limit)
{
    auto* filter = new AmountKeyFilter(field, limit);   // owned by the field
    field->installEventFilter(filter);
    return filter;
}

AmountKeyFilter::AmountKeyFilter(QLineEdit* field, Limit limit)
    : QObject(field), m_field(field), m_limit(limit)
{
}

bool AmountKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QString text = key->text();
    // Qt gives Backspace and Enter their characters; the navigation and
    // editing keys carry none and are never filtered.
    if (text.isEmpty()) {
        if (key->key() == Qt::Key_Backspace)
            text = QStringLiteral("\b");
        else
            return false;
    }
    for (const QChar c : text) {
        const AmountKey verdict = CheckAmountKey(m_field->text(), c, m_limit == Limit::ThirtyMillion);
        if (verdict == AmountKey::Accept)
            continue;
        if (verdict == AmountKey::InvalidValue) {
            platform::current().showKeyFilterMessage(m_field, invalidValueMessage());
            m_field->setText(QStringLiteral("0,00"));
        } else {
            platform::current().showKeyFilterMessage(m_field, invalidCharacterMessage());
        }
        return true;
    }
    return false;
}
