#include "platform/qt/PictureButton.h"

#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QtEndian>

namespace {

// The size of a picture without decoding it. PNG keeps it at a fixed place
// of its header; reading it there spares the image plug-ins' start-up while
// the screens are created.
QSize pictureSize(const QString& file)
{
    QFile f(file);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray head = f.read(24);
        if (head.size() == 24 && head.startsWith("\x89PNG\r\n\x1a\n") && head.mid(12, 4) == "IHDR") {
            const auto* p = reinterpret_cast<const uchar*>(head.constData());
            return QSize(int(qFromBigEndian<quint32>(p + 16)), int(qFromBigEndian<quint32>(p + 20)));
        }
    }
    return QImageReader(file).size();
}

} // namespace

Picture::Picture(const QString& objectName, const QString& picture, QWidget* parent)
    : QLabel(parent), m_file(picture)
{
    setObjectName(objectName);
    if (!picture.isEmpty())
        resize(pictureSize(picture));
}

void Picture::showEvent(QShowEvent* event)
{
    if (!m_file.isEmpty()) {
        setPixmap(QPixmap(m_file));
        m_file.clear();
    }
    QLabel::showEvent(event);
}

PictureButton::PictureButton(const QString& objectName, const QString& picture, const QString& hint,
                             QWidget* parent)
    : Picture(objectName, picture, parent), m_hint(hint)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
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
    if (!rect().contains(event->position().toPoint()))
        return;
    emit released();
    if (wasPressed)
        emit clicked();
}
