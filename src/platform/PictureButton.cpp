#include "platform/PictureButton.h"

#include <QMouseEvent>

PictureButton::PictureButton(const QString& objectName, const QString& picture, const QString& hint,
                             QWidget* parent)
    : QLabel(parent), m_hint(hint)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    if (!picture.isEmpty()) {
        const QPixmap pixmap(picture);
        setPixmap(pixmap);
        resize(pixmap.size());
    }
}

void PictureButton::showHint(const QString& text)
{
    if (auto* info = window()->findChild<QLabel*>(QStringLiteral("panInfo")))
        info->setText(text);
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    if (!m_hint.isEmpty())
        showHint(m_hint);
    QLabel::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    // Moving from the button onto the background clears the description.
    if (!m_hint.isEmpty())
        showHint(QString());
    QLabel::leaveEvent(event);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    emit released();
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}
