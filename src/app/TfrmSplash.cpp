#include "app/TfrmSplash.h"

#include "launcher/Maker.h"
#include "platform/Platform.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

const QSize kBackground(597, 362);

QByteArray resource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The clock seeds the sprites' start, so each showing of a run differs.
std::uint32_t clockSeed()
{
    platform::Platform& p = platform::current();
    return std::uint32_t(p.today().toJulianDay() * 86400000LL + p.now().msecsSinceStartOfDay());
}

} // namespace

TfrmSplash::TfrmSplash()
    : DialogScreen(QStringLiteral("frmSplash"), QStringLiteral("Ventoria © 2.0"), kBackground)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setToolTip(QStringLiteral("  Visita il sito Internet dell'autore "));
    setCursor(Qt::PointingHandCursor);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrAnimazione"));
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &TfrmSplash::timerTick);

    m_background = QImage(QStringLiteral(":/pictures/splash_sfondo.png"));
    if (m_background.isNull()) {
        m_background = QImage(kBackground, QImage::Format_RGB32);
        m_background.fill(Qt::black);
    }
    loadSprite(resource(QStringLiteral(":/pictures/splash_sprite.bmp")));
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::loadSprite(const QByteArray& bmp)
{
    const SplashMotion::SpritePicture sprite = SplashMotion::readSprite(bmp);
    if (!sprite.accepted)
        platform::current().showMessage(QStringLiteral("only 8 bit and 24 bit bitmaps are allowed"));
    m_animation = std::make_unique<SplashMotion::Animation>(m_background, sprite, clockSeed());
    update();
}

void TfrmSplash::timerTick()
{
    m_animation->tick();
    update();
}

void TfrmSplash::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    m_timer->start();
}

void TfrmSplash::hideEvent(QHideEvent* event)
{
    // Nothing moves while the screen is not shown.
    m_timer->stop();
    DialogScreen::hideEvent(event);
}

void TfrmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_animation->frame());
}

void TfrmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    platform::current().openUrl(makerWebAddress());
    accept();
}
