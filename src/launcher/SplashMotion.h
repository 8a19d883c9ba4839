#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <random>
#include <vector>

// The arithmetic of the splash animation: five copies of a small sprite
// drift, spin and bounce over a background picture, nearer or farther as
// their depth changes. Nothing here touches a widget; the splash screen owns
// an Animation and a timer, and tests drive ticks one by one.
namespace SplashMotion {

constexpr int kSprites = 5;
constexpr double kNearest = 50;      // depth of the largest sprites (scale 2)
constexpr double kMaxSpin = 0.2;     // radians per tick, either way
constexpr double kEdgeSlack = 8;     // pixels a sprite may run past the edge
constexpr double kTwoPi = 6.283185307179586;

// The animation's own generator: the Mersenne twister gives the same
// sequence everywhere, and the doubles are read from it here rather than by
// the library's distributions, whose results differ between libraries.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    // In [0, 1).
    double unit() { return double(m_engine()) / 4294967296.0; }
    // In [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }
    // +1 or -1, evenly.
    double sign() { return unit() < 0.5 ? -1.0 : 1.0; }

private:
    std::mt19937 m_engine;
};

struct Sprite
{
    double x = 0, y = 0, z = kNearest;   // centre on the background, depth
    double vx = 0, vy = 0, vz = 0;       // pixels per tick
    double angle = 0;                    // radians, in [0, 2π)
    double spin = 0;                     // radians per tick
    double scale = 1;                    // 100 / z at the last tick
    bool mirrored = false;               // drawn mirrored left to right
};

// The five sprites at the start: sprite k (1 to 5) moves k pixels per tick
// along x, y and depth, each way chosen at random; sprites 1, 3 and 5 are
// mirrored.
std::vector<Sprite> start(QSize background, QSize sprite, Random& random);

// One tick of one sprite: the scale from its depth, the move, the bounces on
// the edges and in depth (each with a new spin), the turn.
void step(Sprite& s, QSize background, QSize sprite, Random& random);

// The angle brought into [0, 2π).
double wrapAngle(double angle);

// The sprite's length along its diagonal.
double diagonal(QSize sprite);

// Size of the sprite turned by angle and scaled.
QSize rotatedSize(QSize sprite, double angle, double scale);

// The sprite turned by angle and scaled: each output pixel takes the nearest
// source pixel, found by turning its offset from the centre back by the angle
// and dividing by the scale; pixels that fall outside take the transparent
// colour. The result is RGB32.
QImage rotate(const QImage& sprite, double angle, double scale, bool mirrored, QRgb transparent);

// Copies image onto frame centred at centre, leaving out the transparent colour.
void drawOver(QImage& frame, const QImage& image, QRgb transparent, QPointF centre);

// Where image lands on a frame when drawn centred at centre.
QRect placement(QSize image, QPointF centre);

// The square a sprite covers at its place and scale, whatever its angle:
// side the scaled diagonal, with a pixel to spare on each side for rounding.
QRect coveredSquare(const Sprite& s, QSize sprite);

// Bits per pixel of a BMP file, 0 when the data is not one.
int bmpBitsPerPixel(const QByteArray& bmp);

// A sprite read from a BMP file. Only 8-bit palette and 24-bit pictures are
// taken: anything else leaves the sprite empty. The colour of the bottom-left
// pixel is the one left out when drawing.
struct SpritePicture
{
    QImage pixels;                 // RGB32, null when refused
    QRgb transparent = 0;
    bool accepted = false;
};
SpritePicture readSprite(const QByteArray& bmp);

// The whole animation on an off-screen frame the size of the background.
class Animation
{
public:
    Animation(const QImage& background, const SpritePicture& sprite, std::uint32_t seed);

    // Erases every sprite from where it was, moves each and draws it again.
    void tick();

    const QImage& frame() const { return m_frame; }
    const QImage& background() const { return m_background; }
    const SpritePicture& sprite() const { return m_sprite; }
    const std::vector<Sprite>& sprites() const { return m_sprites; }

private:
    QImage m_background;
    SpritePicture m_sprite;
    Random m_random;
    std::vector<Sprite> m_sprites;
    QImage m_frame;
};

} // namespace SplashMotion
