#include "launcher/SplashMotion.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace SplashMotion {

std::vector<Sprite> start(QSize background, QSize sprite, Random& random)
{
    const double w = background.width(), h = background.height();
    std::vector<Sprite> sprites;
    sprites.reserve(kSprites);
    for (int k = 1; k <= kSprites; ++k) {
        Sprite s;
        s.x = random.between(sprite.width(), w - sprite.width());
        s.y = random.between(sprite.height(), h - sprite.height());
        s.z = random.between(kNearest, h);
        s.vx = k * random.sign();
        s.vy = k * random.sign();
        s.vz = k * random.sign();
        s.angle = random.between(0, kTwoPi);
        s.spin = random.between(-kMaxSpin, kMaxSpin);
        s.scale = 100.0 / s.z;
        s.mirrored = k % 2 == 1;
        sprites.push_back(s);
    }
    return sprites;
}

namespace {

// Puts a coordinate that left [low, high] back on the limit it crossed and
// sends it inwards; true when it bounced. Inwards rather than merely
// reversed: a sprite that grows near an edge can find the limit moved past
// it while it was already heading back, and must not turn outwards again.
bool bounce(double& position, double& velocity, double low, double high)
{
    if (position < low) {
        position = low;
        velocity = std::abs(velocity);
        return true;
    }
    if (position > high) {
        position = high;
        velocity = -std::abs(velocity);
        return true;
    }
    return false;
}

} // namespace

void step(Sprite& s, QSize background, QSize sprite, Random& random)
{
    s.scale = 100.0 / s.z;
    s.x += s.vx;
    s.y += s.vy;
    s.z += s.vz;

    const double half = diagonal(sprite) * s.scale / 2;
    const double low = half - kEdgeSlack;
    if (bounce(s.x, s.vx, low, background.width() - half + kEdgeSlack))
        s.spin = random.between(-kMaxSpin, kMaxSpin);
    if (bounce(s.y, s.vy, low, background.height() - half + kEdgeSlack))
        s.spin = random.between(-kMaxSpin, kMaxSpin);
    if (s.z < kNearest || s.z > background.height()) {
        s.vz = -s.vz;
        s.spin = random.between(-kMaxSpin, kMaxSpin);
    }
    s.angle = wrapAngle(s.angle + s.spin);
}

double wrapAngle(double angle)
{
    double a = std::fmod(angle, kTwoPi);
    if (a < 0)
        a += kTwoPi;
    // fmod of a value just below zero can round up to 2π itself.
    return a >= kTwoPi ? 0.0 : a;
}

double diagonal(QSize sprite)
{
    return std::hypot(double(sprite.width()), double(sprite.height()));
}

QSize rotatedSize(QSize sprite, double angle, double scale)
{
    const double c = std::abs(std::cos(angle)), s = std::abs(std::sin(angle));
    const double w = sprite.width(), h = sprite.height();
    return QSize(int(std::lround((w * c + h * s) * scale)), int(std::lround((w * s + h * c) * scale)));
}

QImage rotate(const QImage& sprite, double angle, double scale, bool mirrored, QRgb transparent)
{
    const QSize size = rotatedSize(sprite.size(), angle, scale);
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const QImage source = sprite.convertToFormat(QImage::Format_RGB32);
    const int sw = source.width(), sh = source.height();
    const double c = std::cos(angle), s = std::sin(angle);
    const double outCx = size.width() / 2.0, outCy = size.height() / 2.0;
    const double srcCx = sw / 2.0, srcCy = sh / 2.0;
    for (int j = 0; j < size.height(); ++j) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
        const double dy = j + 0.5 - outCy;
        for (int i = 0; i < size.width(); ++i) {
            const double dx = i + 0.5 - outCx;
            // The offset turned back by the angle, then shrunk by the scale.
            const int col = int(std::floor((dx * c + dy * s) / scale + srcCx));
            const int row = int(std::floor((-dx * s + dy * c) / scale + srcCy));
            if (col < 0 || col >= sw || row < 0 || row >= sh) {
                line[i] = transparent;
                continue;
            }
            line[i] = reinterpret_cast<const QRgb*>(source.constScanLine(row))[mirrored ? sw - 1 - col : col];
        }
    }
    return out;
}

QRect placement(QSize image, QPointF centre)
{
    return QRect(int(std::floor(centre.x() - image.width() / 2.0)),
                 int(std::floor(centre.y() - image.height() / 2.0)), image.width(), image.height());
}

void drawOver(QImage& frame, const QImage& image, QRgb transparent, QPointF centre)
{
    const QRect at = placement(image.size(), centre);
    const QRect visible = at.intersected(frame.rect());
    if (visible.isEmpty())
        return;
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        auto* to = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - at.top()));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const QRgb pixel = from[x - at.left()];
            if (pixel != transparent)
                to[x] = pixel;
        }
    }
}

QRect coveredSquare(const Sprite& s, QSize sprite)
{
    const int side = int(std::ceil(diagonal(sprite) * s.scale)) + 2;
    return placement(QSize(side, side), QPointF(s.x, s.y));
}

int bmpBitsPerPixel(const QByteArray& bmp)
{
    if (bmp.size() < 30 || !bmp.startsWith("BM"))
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(bmp.constData());
    const quint32 header = qFromLittleEndian<quint32>(p + 14);
    if (header == 12)   // the old OS/2 header keeps the count two bytes earlier
        return qFromLittleEndian<quint16>(p + 24);
    if (header >= 40)
        return qFromLittleEndian<quint16>(p + 28);
    return 0;
}

SpritePicture readSprite(const QByteArray& bmp)
{
    SpritePicture sprite;
    const int bits = bmpBitsPerPixel(bmp);
    if (bits != 8 && bits != 24)
        return sprite;
    const QImage image = QImage::fromData(bmp, "BMP");
    if (image.isNull())
        return sprite;
    sprite.pixels = image.convertToFormat(QImage::Format_RGB32);
    sprite.transparent = sprite.pixels.pixel(0, sprite.pixels.height() - 1);
    sprite.accepted = true;
    return sprite;
}

Animation::Animation(const QImage& background, const SpritePicture& sprite, std::uint32_t seed)
    : m_background(background.convertToFormat(QImage::Format_RGB32)), m_sprite(sprite), m_random(seed)
{
    m_sprites = start(m_background.size(), m_sprite.pixels.size(), m_random);
    m_frame = m_background.copy();
}

void Animation::tick()
{
    const QSize size = m_sprite.pixels.size();
    {
        QPainter painter(&m_frame);
        for (const Sprite& s : m_sprites) {
            const QRect square = coveredSquare(s, size).intersected(m_frame.rect());
            painter.drawImage(square.topLeft(), m_background, square);
        }
    }
    for (Sprite& s : m_sprites) {
        step(s, m_background.size(), size, m_random);
        if (m_sprite.accepted)
            drawOver(m_frame, rotate(m_sprite.pixels, s.angle, s.scale, s.mirrored, m_sprite.transparent),
                     m_sprite.transparent, QPointF(s.x, s.y));
    }
}

} // namespace SplashMotion
