#include "platform/qt/AmountKeyFilter.h"

#include "platform/Platform.h"
#include "platform/qt/TypedKey.h"
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
    // Delete, arrows and the other editing keys type nothing and pass.
    const QString text = typedCharacters(*static_cast<QKeyEvent*>(event));
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
