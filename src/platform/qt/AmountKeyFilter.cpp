#include "platform/qt/AmountKeyFilter.h"

#include "platform/Platform.h"
#include "platform/qt/TypedKey.h"
#include "storage/Amounts.h"

#include <QKeyEvent>
#include <QLineEdit>

AmountKeyFilter::Guard AmountKeyFilter::amountGuard()
{
    return {invalidValueMessage(), QStringLiteral("0,00")};
}

AmountKeyFilter* AmountKeyFilter::install(QLineEdit* field, Limit limit)
{
    Options options;
    if (limit == Limit::ThirtyMillion)
        options.guard = amountGuard();
    return install(field, options);
}

AmountKeyFilter* AmountKeyFilter::install(QLineEdit* field, Options options)
{
    auto* filter = new AmountKeyFilter(field, std::move(options));   // owned by the field
    field->installEventFilter(filter);
    return filter;
}

AmountKeyFilter::AmountKeyFilter(QLineEdit* field, Options options)
    : QObject(field), m_field(field), m_options(std::move(options))
{
}

bool AmountKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    // The numeric keypad's decimal key gives a point on an Italian keyboard:
    // in an amount it means the decimal comma, and is typed as one.
    if (isKeypadDecimal(key)) {
        if (judge(QLatin1Char(',')))
            m_field->insert(QStringLiteral(","));
        return true;
    }
    // Delete, arrows and the other editing keys type nothing and pass.
    for (const QChar c : typedCharacters(key)) {
        if (!judge(c))
            return true;
    }
    return false;
}

bool AmountKeyFilter::isKeypadDecimal(const QKeyEvent& key)
{
    return key.modifiers().testFlag(Qt::KeypadModifier)
           && (key.key() == Qt::Key_Period || key.key() == Qt::Key_Comma) && key.text() == QLatin1String(".");
}

bool AmountKeyFilter::judge(QChar c)
{
    if (m_options.enterFirst && c == QLatin1Char('\r'))
        return true;
    const AmountKey verdict = CheckAmountKey(m_field->text(), c, m_options.guard.has_value());
    if (verdict == AmountKey::Accept) {
        emit accepted(c);
        return true;
    }
    if (verdict == AmountKey::InvalidValue) {
        platform::current().showKeyFilterMessage(m_field, m_options.guard->message);
        m_field->setText(m_options.guard->resetText);
    } else {
        platform::current().showKeyFilterMessage(m_field, refusalFor(m_fieldName));
    }
    return false;
}

QString AmountKeyFilter::refusalFor(const QString& fieldName)
{
    if (fieldName.isEmpty())
        return invalidCharacterMessage();
    return invalidCharacterMessage()
           + QStringLiteral("\nIl campo «%1» accetta solo cifre e una virgola per i decimali.").arg(fieldName);
}

QString AmountKeyFilter::nameOfCaption(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}
