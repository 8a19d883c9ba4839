#include "checkers/CheckerMessage.h"

#include "storage/TextRules.h"

CheckerMessage CheckerMessage::plain(const QString& text)
{
    return {Box::Plain, QString(), text, platform::MessageIcon::None};
}

CheckerMessage CheckerMessage::task(const QString& caption, const QString& text, platform::MessageIcon icon)
{
    return {Box::Task, caption, text, icon};
}

CheckerMessage CheckerMessage::judged(const QString& caption, bool right, const QString& rightText,
                                     const QString& wrongText)
{
    if (right)
        return task(caption, rightText, platform::MessageIcon::Information);
    return task(caption, wrongText, platform::MessageIcon::Warning);
}

CheckerMessage CheckerMessage::wrong(const QString& caption, const QString& verdict, const QString& remark)
{
    return task(caption, verdict + checkerParagraphBreak() + remark, platform::MessageIcon::Warning);
}

DigitKey judgeDigitKey(QChar typed, bool checkReady)
{
    if (typed == QLatin1Char('\r'))
        return checkReady ? DigitKey::Check : DigitKey::Ignore;
    return TextRules::isDigitFieldCharacter(typed) ? DigitKey::Accept : DigitKey::Refuse;
}

QString checkerInvalidCharacterMessage()
{
    return QStringLiteral("Attenzione: carattere non valido. Digitare solo valori numerici.");
}
