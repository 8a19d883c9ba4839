#include "platform/qt/FieldColours.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

namespace FieldColours {

namespace {

class FocusWatcher : public QObject
{
public:
    FocusWatcher(QWidget* field, const QColor& rest) : QObject(field), m_rest(rest) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            setBackground(static_cast<QWidget*>(watched), focusYellow());
        else if (event->type() == QEvent::FocusOut)
            setBackground(static_cast<QWidget*>(watched), m_rest);
        return false;
    }

private:
    QColor m_rest;
};

} // namespace

QColor restGreen() { return QColor(192, 220, 192); }
QColor computedBlue() { return QColor(166, 202, 240); }
QColor focusYellow() { return QColor(Qt::yellow); }

void setBackground(QWidget* field, const QColor& colour)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, colour);
    field->setPalette(p);
}

void install(QWidget* field, const QColor& rest)
{
    setBackground(field, rest);
    field->installEventFilter(new FocusWatcher(field, rest));
}

QColor captionMaroon()
{
    return QColor(128, 0, 0);
}

void markCaption(QWidget* control, bool chosen)
{
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, chosen ? captionMaroon() : QColor(Qt::black));
    control->setPalette(p);
}

} // namespace FieldColours
