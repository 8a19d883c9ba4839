// Ventoria picture generator
// ==========================
//
// Draws the decorative pictures of the program (launcher tiles, titles,
// descriptions, logo, picture buttons, card emblems, background pattern, the
// pictures of the information and splash screens and the frames of the
// animated footer strip) with QPainter, and writes them with the resource
// file pictures.qrc into resources/.
//
// The pictures are committed; run this again only to change them.
//
// How to rerun, from tools/pictures/:
//
//     ./regenerate.sh
//
// which does, step by step:
//
//     cmake -S . -B build && cmake --build build -j 2
//     ./build/draw ../../resources build/frames    # PNGs + pictures.qrc + frames
//     ./make_gif.sh build/frames ../../resources/animata.gif
//
// This helper is not part of the program's build. It needs Qt 6 Gui, the
// DejaVu fonts and, for the GIF, ImageMagick. It runs on the offscreen
// platform, so no display is needed. build/ is ignored by git.
//
// Palette: navy #1F2A5C, orange #F28C28, white, with soft gradients.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextLayout>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// ---------------------------------------------------------------- palette

const QColor kNavy(0x1F, 0x2A, 0x5C);
const QColor kNavyLight(0x35, 0x47, 0x8F);
const QColor kNavyDark(0x13, 0x1B, 0x40);
const QColor kOrange(0xF2, 0x8C, 0x28);
const QColor kOrangeLight(0xF9, 0xB3, 0x68);
const QColor kOrangeDark(0xCC, 0x68, 0x0E);
const QColor kMist(0xEE, 0xF2, 0xF8);     // very light grey-blue
const QColor kCloud(0xDD, 0xE4, 0xF2);    // light grey-blue
const QColor kSteel(0xA6, 0xB3, 0xD2);    // "text line" grey-blue
const QColor kSlate(0x5B, 0x68, 0x94);    // secondary text
const QColor kInk(0x22, 0x2D, 0x5E);      // body text
const QColor kGreen(0x1E, 0x7B, 0x45);
const QColor kGreenLight(0xD3, 0xEC, 0xDC);
const QColor kRed(0xD0, 0x34, 0x2C);

const QString kSans = QStringLiteral("DejaVu Sans");

QString g_outDir;
QStringList g_written;   // PNG names, listed in pictures.qrc
bool g_failed = false;

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter &p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
}

void save(const QImage &img, const QString &name)
{
    const QString path = QDir(g_outDir).filePath(name);
    if (!img.convertToFormat(QImage::Format_ARGB32).save(path, "PNG", 9)) {
        std::fprintf(stderr, "draw: cannot write %s\n", qPrintable(path));
        g_failed = true;
        return;
    }
    g_written << name;
    std::printf("%-24s %dx%d\n", qPrintable(name), img.width(), img.height());
}

// The splash sprite is a 24-bit BMP: the splash reads its pixel format and
// leaves out the colour of its bottom-left pixel.
void saveBmp24(const QImage &img, const QString &name)
{
    const QString path = QDir(g_outDir).filePath(name);
    QFile file(path);
    if (!img.convertToFormat(QImage::Format_RGB888).save(path, "BMP") || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "draw: cannot write %s\n", qPrintable(path));
        g_failed = true;
        return;
    }
    const QByteArray head = file.read(30);
    if (head.size() < 30 || uchar(head[28]) != 24 || head[29] != 0) {
        std::fprintf(stderr, "draw: %s is not a 24-bit BMP\n", qPrintable(path));
        g_failed = true;
        return;
    }
    g_written << name;
    std::printf("%-24s %dx%d (BMP, 24 bit)\n", qPrintable(name), img.width(), img.height());
}

QFont sans(int px, bool bold = false)
{
    QFont f(kSans);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

// Largest font (up to maxPx) whose text fits in maxWidth.
QFont fittingFont(const QString &text, int maxPx, qreal maxWidth, bool bold)
{
    for (int px = maxPx; px > 6; --px) {
        const QFont f = sans(px, bold);
        if (QFontMetricsF(f).horizontalAdvance(text) <= maxWidth)
            return f;
    }
    return sans(6, bold);
}

// A soft shadow under a rounded rectangle: stacked translucent layers.
void softShadow(QPainter &p, const QRectF &r, qreal radius, qreal dy, int spread, int alpha)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = spread; i >= 1; --i) {
        p.setBrush(withAlpha(kNavyDark, std::max(1, alpha / spread)));
        const QRectF s = r.translated(0, dy).adjusted(-i * 0.5, -i * 0.5 + 1, i * 0.5, i * 0.5);
        p.drawRoundedRect(s, radius + i * 0.5, radius + i * 0.5);
    }
    p.restore();
}

QLinearGradient vertical(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// Maps the part `content` of a drawing made in a 100 x 100 space onto `box`,
// keeping proportions and centring it. Restores the painter when it ends.
class Design
{
public:
    Design(QPainter &p, const QRectF &box, const QRectF &content = QRectF(0, 0, 100, 100))
        : m_p(p)
    {
        m_p.save();
        const qreal s = std::min(box.width() / content.width(), box.height() / content.height());
        m_p.translate(box.center());
        m_p.scale(s, s);
        m_p.translate(-content.center());
    }
    ~Design() { m_p.restore(); }

private:
    QPainter &m_p;
};

void bar(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal radius = std::min(w, h) / 2;
    p.drawRoundedRect(QRectF(x, y, w, h), radius, radius);
}

// A navy band with rounded corners, a faint gloss over its upper part and an
// orange accent at its left end: the launcher's titles and the information
// screen's logo strip.
void navyBand(QPainter &p, QSizeF size, qreal radius, int glossAlpha, qreal glossHeight, qreal accentWidth)
{
    const QRectF band(0.5, 0.5, size.width() - 1, size.height() - 1);
    QPainterPath shape;
    shape.addRoundedRect(band, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(band, kNavyLight, kNavyDark));
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.setBrush(withAlpha(Qt::white, glossAlpha));
    p.drawRect(QRectF(0, 0, size.width(), glossHeight));
    p.setBrush(vertical(QRectF(0, 0, 1, size.height()), kOrangeLight, kOrange));
    p.drawRect(QRectF(0, 0, accentWidth, size.height()));
    p.restore();
}

// A light card with a thin blue-grey edge: the launcher's descriptions and
// the information picture.
void lightCard(QPainter &p, QSizeF size)
{
    const QRectF box(0.5, 0.5, size.width() - 1, size.height() - 1);
    p.setPen(QPen(QColor(0xC3, 0xCD, 0xE4), 1));
    p.setBrush(vertical(box, Qt::white, QColor(0xF1, 0xF4, 0xFA)));
    p.drawRoundedRect(box, 10, 10);
}

// An orange rule that fades out at both ends.
void fadingRule(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, withAlpha(kOrange, 0));
    g.setColorAt(0.25, kOrange);
    g.setColorAt(0.75, kOrange);
    g.setColorAt(1, withAlpha(kOrange, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
}

// ---------------------------------------------------------------- emblems
// All emblems are drawn in a 100 x 100 space, navy/orange on light, so they
// read both on the launcher tiles and on printed (white) cards.

// Head and shoulders; `c` is the centre of the head.
void person(QPainter &p, QPointF c, qreal s, const QColor &col)
{
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c, 6.0 * s, 6.0 * s);
    QPainterPath body;
    const qreal x = c.x(), y = c.y();
    body.moveTo(x - 11 * s, y + 20 * s);
    body.cubicTo(x - 11 * s, y + 10 * s, x - 6 * s, y + 7.5 * s, x, y + 7.5 * s);
    body.cubicTo(x + 6 * s, y + 7.5 * s, x + 11 * s, y + 10 * s, x + 11 * s, y + 20 * s);
    body.closeSubpath();
    p.drawPath(body);
}

void emblemClient(QPainter &p)
{
    // card behind
    const QRectF back(18, 12, 78, 56);
    p.setPen(QPen(kSteel, 1.5));
    p.setBrush(vertical(back, kCloud, QColor(0xCF, 0xD8, 0xEC)));
    p.drawRoundedRect(back, 7, 7);
    bar(p, 64, 19, 24, 3.5, withAlpha(kNavyLight, 120));

    // front card
    const QRectF card(4, 26, 82, 60);
    softShadow(p, card, 7, 1.5, 4, 60);
    QPainterPath shape;
    shape.addRoundedRect(card, 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(card, Qt::white, QColor(0xF1, 0xF4, 0xFA)));
    p.drawPath(shape);

    p.save();
    p.setClipPath(shape);
    const QRectF head(card.left(), card.top(), card.width(), 14);
    QLinearGradient hg(head.topLeft(), head.topRight());
    hg.setColorAt(0, kNavy);
    hg.setColorAt(1, kNavyLight);
    p.setBrush(hg);
    p.drawRect(head);
    p.restore();
    bar(p, 12, 31.5, 26, 3.5, withAlpha(Qt::white, 200));
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(77, 33), 3, 3);

    p.setPen(QPen(kNavy, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    // photo with two people
    const QPointF ac(26, 62.5);
    const qreal ar = 15;
    QRadialGradient ag(ac - QPointF(4, 5), ar * 1.4);
    ag.setColorAt(0, QColor(0xEC, 0xF0, 0xF9));
    ag.setColorAt(1, QColor(0xC4, 0xD0, 0xEA));
    p.setPen(Qt::NoPen);
    p.setBrush(ag);
    p.drawEllipse(ac, ar, ar);
    p.save();
    QPainterPath round;
    round.addEllipse(ac, ar - 0.5, ar - 0.5);
    p.setClipPath(round);
    person(p, QPointF(32.5, 56), 0.78, withAlpha(kOrange, 235));
    person(p, QPointF(23.5, 59), 0.95, kNavy);
    p.restore();
    p.setPen(QPen(kNavy, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ac, ar, ar);

    // data lines
    bar(p, 47, 51, 30, 4.5, kNavy);
    bar(p, 47, 60, 33, 3.2, kSteel);
    bar(p, 47, 67, 26, 3.2, kSteel);
    bar(p, 47, 74, 17, 3.2, kOrange);
}

void carton(QPainter &p, const QRectF &r, const QColor &base)
{
    p.setPen(QPen(base.darker(150), 1.2));
    p.setBrush(vertical(r, base.lighter(118), base));
    p.drawRoundedRect(r, 1.5, 1.5);
    // lid line
    p.setPen(QPen(withAlpha(base.darker(160), 150), 1.0));
    const qreal lid = r.top() + std::max(4.0, r.height() * 0.2);
    p.drawLine(QPointF(r.left() + 1, lid), QPointF(r.right() - 1, lid));
    // tape
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::white, 90));
    const qreal tw = std::max(3.0, r.width() * 0.2);
    p.drawRect(QRectF(r.center().x() - tw / 2, r.top() + 0.6, tw, lid - r.top() + 3));
    // label
    if (r.width() >= 18 && r.height() >= 18) {
        const QRectF label(r.left() + 3, r.bottom() - 9, std::min(12.0, r.width() * 0.45), 6);
        p.setBrush(withAlpha(Qt::white, 225));
        p.drawRoundedRect(label, 1, 1);
        p.setPen(QPen(withAlpha(kNavy, 150), 0.9));
        p.drawLine(QPointF(label.left() + 2, label.center().y()),
                   QPointF(label.right() - 2, label.center().y()));
    }
}

void emblemWarehouse(QPainter &p)
{
    const QColor blue(0x8E, 0xA2, 0xD2);
    // back wall
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kCloud, 160));
    p.drawRect(QRectF(13, 10, 74, 80));

    // goods, upper shelf (floor y = 47)
    carton(p, QRectF(17, 22, 28, 25), kOrange);
    carton(p, QRectF(47, 31, 18, 16), blue);
    carton(p, QRectF(67, 19, 16, 28), kOrangeLight.darker(108));
    // goods, lower shelf (floor y = 85)
    carton(p, QRectF(17, 58, 20, 27), blue);
    carton(p, QRectF(39, 63, 25, 22), kOrange);
    carton(p, QRectF(66, 55, 17, 30), kOrangeDark.lighter(115));

    // frame
    const QColor post1 = kNavyLight, post2 = kNavy;
    p.setPen(Qt::NoPen);
    for (qreal x : {9.0, 86.0}) {
        QLinearGradient g(QPointF(x, 0), QPointF(x + 5, 0));
        g.setColorAt(0, post1);
        g.setColorAt(1, post2);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(x, 8, 5, 86), 1.5, 1.5);
    }
    for (qreal y : {8.0, 47.0, 85.0}) {
        p.setBrush(vertical(QRectF(0, y, 1, 5), kNavyLight, kNavyDark));
        p.drawRoundedRect(QRectF(7, y, 86, 5), 1.5, 1.5);
    }
}

void emblemReceipt(QPainter &p)
{
    // paper with torn (zig-zag) bottom edge
    QPainterPath paper;
    const qreal l = 16, r = 68, t = 6, b = 88;
    paper.moveTo(l, t);
    paper.lineTo(r, t);
    paper.lineTo(r, b);
    const int teeth = 8;
    const qreal step = (r - l) / teeth;
    for (int i = 0; i < teeth; ++i) {
        const qreal x = r - i * step;
        paper.lineTo(x - step / 2, b - 5);
        paper.lineTo(x - step, b);
    }
    paper.closeSubpath();

    p.save();
    p.translate(1.5, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavyDark, 45));
    p.drawPath(paper);
    p.restore();

    p.setPen(QPen(kNavy, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(QRectF(l, t, r - l, b - t), Qt::white, QColor(0xF0, 0xF3, 0xFA)));
    p.drawPath(paper);

    // heading and rows (description ... amount)
    bar(p, 24, 14, 28, 5, kNavy);
    bar(p, 24, 23, 20, 3, kSteel);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 33 + i * 7.5;
        bar(p, 24, y, 20 - (i % 2) * 5, 3, kSteel);
        bar(p, 51, y, 10, 3, withAlpha(kNavy, 170));
    }
    p.setPen(QPen(kNavy, 1.2, Qt::DashLine));
    p.drawLine(QPointF(24, 64), QPointF(61, 64));
    bar(p, 24, 69, 16, 5, kNavy);
    bar(p, 46, 69, 15, 5, kNavy);

    // euro coin
    const QPointF c(71, 68);
    const qreal cr = 18;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavyDark, 50));
    p.drawEllipse(c + QPointF(1.2, 2), cr, cr);
    p.restore();
    QRadialGradient g(c - QPointF(6, 7), cr * 1.6);
    g.setColorAt(0, kOrangeLight);
    g.setColorAt(0.6, kOrange);
    g.setColorAt(1, kOrangeDark);
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(g);
    p.drawEllipse(c, cr, cr);
    p.setPen(QPen(withAlpha(Qt::white, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, cr - 4, cr - 4);
    p.setPen(Qt::white);
    p.setFont(sans(22, true));
    p.drawText(QRectF(c.x() - cr, c.y() - cr, 2 * cr, 2 * cr), Qt::AlignCenter, QStringLiteral("€"));
}

// A price tag pointing left, centred on the origin, about 40 x 22.
void priceTag(QPainter &p, QPointF at, qreal angle, qreal scale, const QColor &base,
              const QString &mark)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(scale, scale);
    QPainterPath tag;
    tag.moveTo(-20, 0);
    tag.lineTo(-11, -11);
    tag.lineTo(18, -11);
    tag.quadTo(20, -11, 20, -9);
    tag.lineTo(20, 9);
    tag.quadTo(20, 11, 18, 11);
    tag.lineTo(-11, 11);
    tag.closeSubpath();

    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavyDark, 50));
    p.drawPath(tag.translated(1, 1.8));

    QLinearGradient g(QPointF(0, -11), QPointF(0, 11));
    g.setColorAt(0, base.lighter(120));
    g.setColorAt(1, base.darker(105));
    p.setPen(QPen(base.darker(140), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(tag);
    // eyelet
    p.setPen(QPen(base.darker(150), 1.0));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(-12, 0), 2.6, 2.6);
    // mark
    p.setPen(Qt::white);
    p.setFont(sans(15, true));
    p.drawText(QRectF(-8, -11, 28, 22), Qt::AlignCenter, mark);
    p.restore();
}

void emblemPriceList(QPainter &p)
{
    // clipboard
    const QRectF board(8, 10, 58, 84);
    softShadow(p, board, 6, 1.5, 4, 60);
    QLinearGradient bg(board.topLeft(), board.bottomRight());
    bg.setColorAt(0, kNavyLight);
    bg.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(board, 6, 6);
    const QRectF sheet(13, 18, 48, 71);
    p.setBrush(vertical(sheet, Qt::white, QColor(0xEE, 0xF2, 0xF9)));
    p.drawRoundedRect(sheet, 2, 2);
    // clip
    const QRectF clip(25, 5, 24, 11);
    p.setPen(QPen(kOrangeDark, 1.2));
    p.setBrush(vertical(clip, kOrangeLight, kOrange));
    p.drawRoundedRect(clip, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(37, 9), 2.2, 2.2);

    // list rows: bullet, description, price
    bar(p, 19, 25, 24, 4.5, kNavy);
    for (int i = 0; i < 5; ++i) {
        const qreal y = 36 + i * 10;
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(20.5, y + 1.5), 2.2, 2.2);
        bar(p, 25, y, 18 - (i % 3) * 3, 3, kSteel);
        bar(p, 47, y, 9, 3, withAlpha(kNavy, 180));
    }

    // price tags
    priceTag(p, QPointF(80, 34), 18, 0.72, kNavyLight, QStringLiteral("%"));
    priceTag(p, QPointF(78, 70), -28, 1.0, kOrange, QStringLiteral("€"));
}

// An isometric carton box.
void emblemProduct(QPainter &p)
{
    const QPointF top(50, 10), right(88, 27), front(50, 44), left(12, 27);
    const QPointF drop(0, 44);
    const QPointF frontB = front + drop, rightB = right + drop, leftB = left + drop;

    // ground shadow
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavyDark, 40));
    p.drawEllipse(QPointF(52, frontB.y() - 2), 44, 8);

    auto face = [&](std::initializer_list<QPointF> pts, const QBrush &brush) {
        QPolygonF poly;
        for (const QPointF &pt : pts)
            poly << pt;
        p.setPen(QPen(kOrangeDark.darker(125), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(brush);
        p.drawPolygon(poly);
    };
    QLinearGradient lg(left, frontB);
    lg.setColorAt(0, kOrange.lighter(108));
    lg.setColorAt(1, kOrange);
    QLinearGradient rg(front, rightB);
    rg.setColorAt(0, kOrangeDark.lighter(112));
    rg.setColorAt(1, kOrangeDark);
    face({left, front, frontB, leftB}, lg);
    face({front, right, rightB, frontB}, rg);
    face({top, right, front, left}, QColor(0xFA, 0xC0, 0x80));

    // tape across the lid and down the right face
    const QPointF along = (left - top);   // direction of the lid's other edge
    const QPointF half = along * 0.09;
    const QPointF a = (left + top) / 2, b = (front + right) / 2;
    QPolygonF tape;
    tape << a - half << b - half << b + half << a + half;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavy, 210));
    p.drawPolygon(tape);
    QPolygonF tape2;
    tape2 << b - half << b + half << b + half + QPointF(0, 16) << b - half + QPointF(0, 16);
    p.setBrush(withAlpha(kNavy, 190));
    p.drawPolygon(tape2);

    // label on the left face
    auto onLeft = [&](qreal u, qreal v) { return left + (front - left) * u + drop * v; };
    QPolygonF label;
    label << onLeft(0.18, 0.42) << onLeft(0.72, 0.42) << onLeft(0.72, 0.78) << onLeft(0.18, 0.78);
    p.setBrush(withAlpha(Qt::white, 235));
    p.drawPolygon(label);
    p.setPen(QPen(kNavy, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onLeft(0.26, 0.53), onLeft(0.64, 0.53));
    p.setPen(QPen(kSteel, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onLeft(0.26, 0.66), onLeft(0.52, 0.66));

    // "this side up" arrows on the right face
    auto onRight = [&](qreal u, qreal v) { return front + (right - front) * u + drop * v; };
    p.setPen(QPen(withAlpha(Qt::white, 200), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (qreal u : {0.66, 0.82}) {
        const QPointF base = onRight(u, 0.78), tip = onRight(u, 0.55);
        p.drawLine(base, tip);
        p.drawLine(tip, tip + QPointF(-2.5, 3.2));
        p.drawLine(tip, tip + QPointF(2.5, 3.2));
    }
}

// The product mark: a two-tone V, its right arm shaped like a price tag.
void logoMark(QPainter &p, const QRectF &box)
{
    Design d(p, box);
    const QRectF sq(3, 3, 94, 94);
    softShadow(p, sq, 22, 2, 5, 70);
    QLinearGradient g(sq.topLeft(), sq.bottomRight());
    g.setColorAt(0, kNavyLight);
    g.setColorAt(1, kNavyDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(sq, 22, 22);
    // gloss
    p.setBrush(withAlpha(Qt::white, 22));
    p.drawRoundedRect(QRectF(7, 6, 86, 40), 18, 18);

    QPolygonF leftArm, rightArm;
    leftArm << QPointF(15, 20) << QPointF(33, 20) << QPointF(58, 82) << QPointF(42, 82);
    rightArm << QPointF(67, 20) << QPointF(85, 20) << QPointF(58, 82) << QPointF(42, 82);
    p.setBrush(Qt::white);
    p.drawPolygon(leftArm);
    QLinearGradient og(QPointF(0, 20), QPointF(0, 82));
    og.setColorAt(0, kOrangeLight);
    og.setColorAt(1, kOrange);
    p.setBrush(og);
    p.drawPolygon(rightArm);
    // tag eyelet
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(75.5, 28), 3.6, 3.6);
}

// ---------------------------------------------------------------- launcher

// An emblem on a light disc with an orange ring: the launcher's tiles and the
// information picture. side: the emblem's box, centred on the disc.
void emblemDisc(QPainter &p, QPointF c, qreal r, qreal side, const std::function<void(QPainter &)> &emblem)
{
    QRadialGradient dg(c - QPointF(0, r * 2 / 7), r * 1.3);
    dg.setColorAt(0, Qt::white);
    dg.setColorAt(1, QColor(0xD8, 0xE0, 0xF0));
    p.setBrush(dg);
    p.setPen(QPen(withAlpha(kOrange, 230), 3));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(withAlpha(kNavy, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 5, r - 5);
    Design d(p, QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
    emblem(p);
}


struct Area
{
    QString key;
    QString line1, line2;   // tile caption
    QString title;
    QString info;
    std::function<void(QPainter &)> emblem;
};

void tile(const Area &a)
{
    QImage img = canvas(226, 255);
    QPainter p(&img);
    prepare(p);

    const QRectF card(4, 3, 218, 247);
    softShadow(p, card, 14, 2, 5, 70);
    QPainterPath shape;
    shape.addRoundedRect(card, 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(card, Qt::white, QColor(0xE8, 0xED, 0xF6)));
    p.drawPath(shape);

    emblemDisc(p, QPointF(113, 92), 70, 104, a.emblem);

    // caption on two lines
    p.setPen(kNavy);
    const QFont f = fittingFont(a.line1.length() > a.line2.length() ? a.line1 : a.line2, 21, 196, true);
    p.setFont(f);
    p.drawText(QRectF(card.left(), 172, card.width(), 27), Qt::AlignCenter, a.line1);
    p.drawText(QRectF(card.left(), 198, card.width(), 27), Qt::AlignCenter, a.line2);
    bar(p, 113 - 24, 232, 48, 4, kOrange);

    // frame
    p.setPen(QPen(withAlpha(kNavy, 120), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.end();
    save(img, QStringLiteral("tile_%1.png").arg(a.key));
}

void title(const Area &a)
{
    QImage img = canvas(223, 40);
    QPainter p(&img);
    prepare(p);
    navyBand(p, QSizeF(223, 40), 9, 26, 18, 7);

    const QRectF textBox(10, 0, 203, 40);
    p.setFont(fittingFont(a.title, 20, textBox.width(), true));
    p.setPen(withAlpha(kNavyDark, 180));
    p.drawText(textBox.translated(0, 1), Qt::AlignCenter, a.title);
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignCenter, a.title);
    p.end();
    save(img, QStringLiteral("title_%1.png").arg(a.key));
}

void info(const Area &a)
{
    QImage img = canvas(229, 105);
    QPainter p(&img);
    prepare(p);
    lightCard(p, QSizeF(229, 105));
    bar(p, 8, 16, 4, 73, kOrange);

    // Lay the text out in 3-4 lines; narrow the column if it would take fewer.
    const QFont f = sans(12);
    const qreal lineHeight = QFontMetricsF(f).height() + 3;
    qreal width = 196;
    QList<QTextLayout *> attempts;
    QTextLayout *layout = nullptr;
    for (;;) {
        layout = new QTextLayout(a.info, f, &img);
        attempts << layout;
        QTextOption opt;
        opt.setWrapMode(QTextOption::WordWrap);
        layout->setTextOption(opt);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += lineHeight;
        }
        layout->endLayout();
        if (layout->lineCount() >= 3 || width < 140)
            break;
        width -= 8;
    }
    const qreal total = layout->lineCount() * lineHeight - 3;
    p.setPen(kInk);
    layout->draw(&p, QPointF(22, std::round((105 - total) / 2)));
    p.end();
    if (layout->lineCount() < 3 || layout->lineCount() > 4)
        std::fprintf(stderr, "draw: %s has %d lines\n", qPrintable(a.key), layout->lineCount());
    qDeleteAll(attempts);
    save(img, QStringLiteral("info_%1.png").arg(a.key));
}

void logo()
{
    QImage img = canvas(300, 70);
    QPainter p(&img);
    prepare(p);
    logoMark(p, QRectF(4, 4, 62, 62));

    const QString name = QStringLiteral("Ventoria");
    const QFont big = fittingFont(name, 42, 214, true);
    p.setFont(big);
    p.setPen(kNavy);
    p.drawText(QPointF(78, 43), name);

    QFont small = sans(11);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(small);
    p.setPen(kSlate);
    p.drawText(QPointF(80, 61), QStringLiteral("VENDITA · RIPARAZIONI"));
    const qreal tw = QFontMetricsF(small).horizontalAdvance(QStringLiteral("VENDITA · RIPARAZIONI"));
    bar(p, 80 + tw + 4, 55.5, std::max(0.0, 292 - (80 + tw + 4)), 3, kOrange);
    p.end();
    save(img, QStringLiteral("logo.png"));
}

void launcherTitle()
{
    QImage img = canvas(560, 50);
    QPainter p(&img);
    prepare(p);
    const QString text = QStringLiteral("Gestione clienti, magazzino e ricevute");
    p.setFont(fittingFont(text, 26, 540, true));
    p.setPen(withAlpha(Qt::white, 200));
    p.drawText(QRectF(0, 1, 560, 38), Qt::AlignCenter, text);
    p.setPen(kNavy);
    p.drawText(QRectF(0, 0, 560, 38), Qt::AlignCenter, text);

    fadingRule(p, QRectF(40, 42, 480, 3.5));
    p.end();
    save(img, QStringLiteral("launcher_title.png"));
}

void background()
{
    // Tiles seamlessly: everything repeats with a period dividing 64.
    QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
    img.fill(kMist);
    QPainter p(&img);
    prepare(p);
    p.setPen(QPen(QColor(0xE4, 0xE9, 0xF3), 2));
    for (int k = -128; k <= 128; k += 16)
        p.drawLine(QPointF(k - 8, -8), QPointF(k + 72, 72));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF6, 0xF8, 0xFC));
    for (int y = 0; y < 64; y += 16)
        for (int x = 0; x < 64; x += 16)
            p.drawEllipse(QPointF(x + 12, y + 4), 1.1, 1.1);
    p.end();
    save(img, QStringLiteral("sfondo.png"));
}

// Frames of the footer strip: an orange glow sweeping over a navy bar,
// wrapping around so the loop has no jump.
void stripFrames(const QString &dir)
{
    QDir().mkpath(dir);
    const int w = 451, h = 10, frames = 9;
    for (int i = 0; i < frames; ++i) {
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        prepare(p);
        p.fillRect(img.rect(), vertical(QRectF(0, 0, 1, h), kNavyLight, kNavyDark));
        p.fillRect(QRectF(0, 0, w, 1), withAlpha(Qt::white, 40));
        // faint rivets
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(Qt::white, 35));
        for (int x = 5; x < w; x += 10)
            p.drawEllipse(QPointF(x + 0.5, 5.5), 1, 1);

        const qreal centre = (i + 0.5) * w / frames;
        for (qreal c : {centre - w, centre, centre + w}) {
            // a comet: fading tail on the left, bright rounded head
            QLinearGradient tail(QPointF(c - 110, 0), QPointF(c, 0));
            tail.setColorAt(0, withAlpha(kOrange, 0));
            tail.setColorAt(0.7, withAlpha(kOrange, 150));
            tail.setColorAt(1, kOrange);
            p.setPen(Qt::NoPen);
            p.setBrush(tail);
            p.drawRoundedRect(QRectF(c - 110, 2, 116, h - 4), 3, 3);
            QLinearGradient head(QPointF(c - 26, 0), QPointF(c + 6, 0));
            head.setColorAt(0, withAlpha(kOrangeLight, 0));
            head.setColorAt(0.8, kOrangeLight);
            head.setColorAt(1, QColor(0xFF, 0xE2, 0xBF));
            p.setBrush(head);
            p.drawRoundedRect(QRectF(c - 26, 2, 32, h - 4), 3, 3);
            QLinearGradient core(QPointF(c - 18, 0), QPointF(c + 4, 0));
            core.setColorAt(0, withAlpha(Qt::white, 0));
            core.setColorAt(1, withAlpha(Qt::white, 200));
            p.setBrush(core);
            p.drawRoundedRect(QRectF(c - 18, 4, 22, h - 8), 1, 1);
        }
        p.end();
        const QString path = QDir(dir).filePath(QStringLiteral("frame_%1.png").arg(i));
        if (!img.convertToFormat(QImage::Format_RGB32).save(path, "PNG")) {
            std::fprintf(stderr, "draw: cannot write %s\n", qPrintable(path));
            g_failed = true;
        }
    }
}

// ---------------------------------------------------------------- buttons
// 32 x 32: a light rounded plate with a thin navy rim, the glyph on top.

void plate(QPainter &p)
{
    const QRectF r(1, 1, 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kNavyDark, 35));
    p.drawRoundedRect(r.translated(0, 0.8), 6.5, 6.5);
    p.setPen(QPen(withAlpha(kNavy, 125), 1));
    p.setBrush(vertical(r, Qt::white, QColor(0xDF, 0xE5, 0xF1)));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void button(const QString &name, const std::function<void(QPainter &)> &glyph)
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    prepare(p);
    plate(p);
    glyph(p);
    p.end();
    save(img, name);
}

QPen line(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void triangle(QPainter &p, qreal tipX, qreal baseX)
{
    QPolygonF t;
    t << QPointF(baseX, 8.5) << QPointF(baseX, 23.5) << QPointF(tipX, 16);
    p.setPen(line(kNavy, 1.6));
    p.setBrush(vertical(QRectF(0, 8, 1, 16), kNavyLight, kNavy));
    p.drawPolygon(t);
}

void stop(QPainter &p, qreal x)
{
    p.setPen(line(kNavy, 1.6));
    p.setBrush(vertical(QRectF(0, 8, 1, 16), kOrangeLight, kOrange));
    p.drawRoundedRect(QRectF(x, 8.5, 3.5, 15), 1, 1);
}

// A sheet of paper with a folded corner.
void sheet(QPainter &p, const QRectF &r, qreal fold)
{
    QPainterPath s;
    s.moveTo(r.left(), r.top());
    s.lineTo(r.right() - fold, r.top());
    s.lineTo(r.right(), r.top() + fold);
    s.lineTo(r.right(), r.bottom());
    s.lineTo(r.left(), r.bottom());
    s.closeSubpath();
    p.setPen(line(kNavy, 1.4));
    p.setBrush(vertical(r, Qt::white, QColor(0xEC, 0xF0, 0xF8)));
    p.drawPath(s);
    QPolygonF f;
    f << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
      << QPointF(r.right(), r.top() + fold);
    p.setBrush(kCloud);
    p.drawPolygon(f);
}

void disc(QPainter &p, const QColor &light, const QColor &dark)
{
    QRadialGradient g(QPointF(13, 12), 14);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 11, 11);
}

// A desk calendar with two rings and an orange heading; the letter on its page
// tells the summaries apart (month, quarter, year), which a plain calendar
// would not.
void calendar(QPainter &p, const QString &letter)
{
    const QRectF page(6, 7.5, 20, 19);
    QPainterPath shape;
    shape.addRoundedRect(page, 2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(page, Qt::white, QColor(0xEC, 0xF0, 0xF8)));
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.setBrush(vertical(QRectF(0, page.top(), 1, 5), kOrangeLight, kOrange));
    p.drawRect(QRectF(page.left(), page.top(), page.width(), 5));
    p.restore();
    p.setPen(line(kNavy, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    // the rings, each set off from the heading by a white edge
    for (qreal x : {11.5, 20.5}) {
        p.setPen(line(Qt::white, 3.4));
        p.drawLine(QPointF(x, 5), QPointF(x, 9.5));
        p.setPen(line(kNavy, 1.8));
        p.drawLine(QPointF(x, 5), QPointF(x, 9.5));
    }
    p.setFont(sans(12, true));
    p.setPen(kNavy);
    p.drawText(QRectF(page.left(), page.top() + 5, page.width(), page.height() - 5), Qt::AlignCenter, letter);
}

void buttons()
{
    // navigation
    button(QStringLiteral("btn_primo.png"), [](QPainter &p) {
        stop(p, 7);
        triangle(p, 12.5, 24);
    });
    button(QStringLiteral("btn_indietro.png"), [](QPainter &p) { triangle(p, 9.5, 21.5); });
    button(QStringLiteral("btn_avanti.png"), [](QPainter &p) { triangle(p, 22.5, 10.5); });
    button(QStringLiteral("btn_ultimo.png"), [](QPainter &p) {
        triangle(p, 19.5, 8);
        stop(p, 21.5);
    });

    // new blank card
    button(QStringLiteral("btn_nuovo.png"), [](QPainter &p) {
        sheet(p, QRectF(7.5, 5.5, 15, 21), 5);
        p.setPen(line(kSteel, 1.3));
        p.drawLine(QPointF(10.5, 13), QPointF(17, 13));
        p.drawLine(QPointF(10.5, 16.5), QPointF(15, 16.5));
        p.setPen(QPen(Qt::white, 1.2));
        p.setBrush(vertical(QRectF(16, 16, 1, 12), kOrangeLight, kOrangeDark));
        p.drawEllipse(QPointF(22, 22), 6.3, 6.3);
        p.setPen(line(Qt::white, 2));
        p.drawLine(QPointF(22, 18.8), QPointF(22, 25.2));
        p.drawLine(QPointF(18.8, 22), QPointF(25.2, 22));
    });

    // save (floppy disk)
    button(QStringLiteral("btn_salva.png"), [](QPainter &p) {
        QPainterPath d;
        d.moveTo(6.5, 7.5);
        d.quadTo(6.5, 6.5, 7.5, 6.5);
        d.lineTo(22, 6.5);
        d.lineTo(25.5, 10);
        d.lineTo(25.5, 24.5);
        d.quadTo(25.5, 25.5, 24.5, 25.5);
        d.lineTo(7.5, 25.5);
        d.quadTo(6.5, 25.5, 6.5, 24.5);
        d.closeSubpath();
        p.setPen(line(kNavyDark, 1.2));
        p.setBrush(vertical(QRectF(0, 6, 1, 20), kNavyLight, kNavy));
        p.drawPath(d);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xD2, 0xDA, 0xEA));
        p.drawRect(QRectF(10, 7, 11, 6.5));
        p.setBrush(kNavy);
        p.drawRect(QRectF(17, 8, 2.5, 4.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(9.5, 16, 13, 8.5), 1, 1);
        p.setPen(line(kOrange, 1.4));
        p.drawLine(QPointF(11.5, 19), QPointF(20.5, 19));
        p.setPen(line(kSteel, 1.2));
        p.drawLine(QPointF(11.5, 21.8), QPointF(18, 21.8));
    });

    // search in the archive (magnifier)
    button(QStringLiteral("btn_cerca.png"), [](QPainter &p) {
        p.setPen(line(kOrangeDark, 4.6));
        p.drawLine(QPointF(19.5, 19.5), QPointF(25.5, 25.5));
        p.setPen(line(kOrange, 3.0));
        p.drawLine(QPointF(19.8, 19.8), QPointF(25.3, 25.3));
        QRadialGradient g(QPointF(11.5, 11), 9);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, QColor(0xC9, 0xD6, 0xF0));
        p.setPen(line(kNavy, 2.6));
        p.setBrush(g);
        p.drawEllipse(QPointF(14, 14), 7.3, 7.3);
        p.setPen(line(withAlpha(Qt::white, 230), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(10, 10, 8, 8), 100 * 16, 70 * 16);
    });

    // search on the web (globe)
    button(QStringLiteral("btn_web.png"), [](QPainter &p) {
        const QPointF c(16, 16);
        const qreal r = 10.5;
        QRadialGradient g(QPointF(12.5, 12), 14);
        g.setColorAt(0, QColor(0x5B, 0x73, 0xC4));
        g.setColorAt(1, kNavy);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
        p.save();
        QPainterPath clip;
        clip.addEllipse(c, r, r);
        p.setClipPath(clip);
        p.setPen(QPen(withAlpha(Qt::white, 220), 1.1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 4.6, r);
        p.drawLine(QPointF(16, 4), QPointF(16, 28));
        p.drawLine(QPointF(4, 16), QPointF(28, 16));
        p.drawArc(QRectF(1, 9.5, 30, 12), 20 * 16, 140 * 16);
        p.drawArc(QRectF(1, 10.5, 30, 12), 200 * 16, 140 * 16);
        p.restore();
        p.setPen(QPen(kOrange, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
    });

    // e-mail (envelope)
    button(QStringLiteral("btn_email.png"), [](QPainter &p) {
        const QRectF env(5, 8.5, 22, 15.5);
        p.setPen(line(kNavy, 1.5));
        p.setBrush(vertical(env, Qt::white, QColor(0xE4, 0xEA, 0xF6)));
        p.drawRoundedRect(env, 1.5, 1.5);
        p.setPen(line(kSteel, 1.1));
        p.drawLine(QPointF(6, 23), QPointF(13.5, 16.5));
        p.drawLine(QPointF(26, 23), QPointF(18.5, 16.5));
        QPolygonF flap;
        flap << QPointF(5.8, 9.3) << QPointF(16, 18) << QPointF(26.2, 9.3);
        p.setPen(line(kNavy, 1.5));
        p.setBrush(QColor(0xF4, 0xF6, 0xFB));
        p.drawPolyline(flap);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(16, 17.5), 2.8, 2.8);
    });

    // clients who accept advertising (megaphone)
    button(QStringLiteral("btn_pubblicita.png"), [](QPainter &p) {
        QPolygonF horn;
        horn << QPointF(9, 13) << QPointF(22, 6.5) << QPointF(22, 25.5) << QPointF(9, 19);
        p.setPen(line(kNavy, 1.4));
        p.setBrush(vertical(QRectF(9, 6.5, 13, 19), kNavyLight, kNavy));
        p.drawPolygon(horn);
        p.setBrush(kOrange);
        p.drawRoundedRect(QRectF(5, 12.5, 5, 7), 1.2, 1.2);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(8, 19.5), QPointF(10, 25));
        p.setPen(line(kOrange, 1.5));
        p.drawArc(QRectF(20, 11, 7, 10), -60 * 16, 120 * 16);
        p.drawArc(QRectF(20, 8, 10, 16), -55 * 16, 110 * 16);
    });

    // print
    button(QStringLiteral("btn_stampa.png"), [](QPainter &p) {
        p.setPen(line(kNavy, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 5.5, 12, 8));
        const QRectF body(5, 12, 22, 10.5);
        p.setBrush(vertical(body, kNavyLight, kNavy));
        p.drawRoundedRect(body, 2.2, 2.2);
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(23.5, 15.5), 1.4, 1.4);
        p.setPen(line(kNavy, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9.5, 18.5, 13, 8.5));
        p.setPen(line(kSteel, 1.1));
        p.drawLine(QPointF(12, 21.5), QPointF(20, 21.5));
        p.drawLine(QPointF(12, 24.2), QPointF(17.5, 24.2));
    });

    // spreadsheet
    button(QStringLiteral("btn_excel.png"), [](QPainter &p) {
        const QRectF s(5.5, 6.5, 21, 19);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(s, 2, 2);
        p.save();
        QPainterPath clip;
        clip.addRoundedRect(s, 2, 2);
        p.setClipPath(clip);
        p.setBrush(vertical(QRectF(0, 6, 1, 5), QColor(0x2E, 0x9A, 0x5C), kGreen));
        p.drawRect(QRectF(s.left(), s.top(), s.width(), 5));
        p.setBrush(kGreenLight);
        p.drawRect(QRectF(s.left(), s.top() + 5, 5, s.height() - 5));
        p.setPen(QPen(QColor(0x6F, 0xB0, 0x88), 0.9));
        for (qreal x : {10.5, 16.5, 21.5})
            p.drawLine(QPointF(x, s.top() + 5), QPointF(x, s.bottom()));
        for (qreal y : {16.0, 21.0})
            p.drawLine(QPointF(s.left(), y), QPointF(s.right(), y));
        p.restore();
        p.setPen(QPen(kGreen, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(s, 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRect(QRectF(11.2, 16.7, 4.6, 3.6));
    });

    // attachments (paper clip)
    button(QStringLiteral("btn_allegati.png"), [](QPainter &p) {
        QPainterPath clip;
        clip.moveTo(1.5, -5);
        clip.lineTo(1.5, 5);
        clip.arcTo(QRectF(-2.5, 3, 4, 4), 0, -180);        // small bend, bottom
        clip.lineTo(-2.5, -8);
        clip.arcTo(QRectF(-2.5, -12, 8, 8), 180, -180);    // top bend
        clip.lineTo(5.5, 6);
        clip.arcTo(QRectF(-6.5, 0, 12, 12), 0, -180);      // large bend, bottom
        clip.lineTo(-6.5, -3);
        p.save();
        p.translate(16, 16);
        p.rotate(35);
        p.scale(0.95, 0.95);
        p.translate(0.5, 0);
        p.setPen(line(kNavy, 2.1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(clip);
        p.restore();
    });

    // folder
    button(QStringLiteral("btn_cartella.png"), [](QPainter &p) {
        QPainterPath back;
        back.moveTo(5, 9.5);
        back.quadTo(5, 8, 6.5, 8);
        back.lineTo(12.5, 8);
        back.lineTo(14.5, 10.5);
        back.lineTo(25.5, 10.5);
        back.quadTo(27, 10.5, 27, 12);
        back.lineTo(27, 24);
        back.lineTo(5, 24);
        back.closeSubpath();
        p.setPen(line(kOrangeDark.darker(120), 1.2));
        p.setBrush(kOrangeDark);
        p.drawPath(back);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 12, 16, 5));
        QPainterPath front;
        front.moveTo(4.2, 14.5);
        front.lineTo(27.8, 14.5);
        front.lineTo(26.8, 24.5);
        front.lineTo(5.2, 24.5);
        front.closeSubpath();
        p.setPen(line(kOrangeDark.darker(120), 1.2));
        p.setBrush(vertical(QRectF(0, 14, 1, 11), kOrangeLight, kOrange));
        p.drawPath(front);
    });

    // clear (eraser)
    button(QStringLiteral("btn_cancella.png"), [](QPainter &p) {
        p.setPen(line(kSteel, 1.4));
        p.drawLine(QPointF(12, 25.5), QPointF(26, 25.5));
        p.save();
        p.translate(15.5, 15);
        p.rotate(-40);
        const QRectF body(-10.5, -5, 21, 10);
        QPainterPath shape;
        shape.addRoundedRect(body, 2.2, 2.2);
        p.setClipPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(body, QColor(0xF6, 0xF8, 0xFC), kCloud));
        p.drawRect(body);
        p.setBrush(vertical(body, kOrangeLight, kOrange));
        p.drawRect(QRectF(-1, -5, 11.5, 10));
        p.setClipping(false);
        p.setPen(line(kNavy, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
        p.drawLine(QPointF(-1, -5), QPointF(-1, 5));
        p.restore();
    });

    // identifier check (shield with check mark)
    button(QStringLiteral("btn_controlla.png"), [](QPainter &p) {
        QPainterPath s;
        s.moveTo(16, 4);
        s.cubicTo(19.5, 6, 22.5, 7, 26, 7);
        s.cubicTo(26, 17, 23, 24.5, 16, 28);
        s.cubicTo(9, 24.5, 6, 17, 6, 7);
        s.cubicTo(9.5, 7, 12.5, 6, 16, 4);
        s.closeSubpath();
        QLinearGradient g(QPointF(8, 5), QPointF(24, 27));
        g.setColorAt(0, kNavyLight);
        g.setColorAt(1, kNavyDark);
        p.setPen(line(kNavyDark, 1.0));
        p.setBrush(g);
        p.drawPath(s);
        p.setPen(line(kOrange, 1.0));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.translate(16, 16);
        p.scale(0.8, 0.8);
        p.translate(-16, -16.5);
        p.drawPath(s);
        p.restore();
        p.setPen(line(Qt::white, 2.8));
        QPolygonF tick;
        tick << QPointF(11, 15.5) << QPointF(14.8, 19.5) << QPointF(21.5, 11.5);
        p.drawPolyline(tick);
    });

    // euro coin
    button(QStringLiteral("btn_euro.png"), [](QPainter &p) {
        QRadialGradient g(QPointF(12.5, 12), 15);
        g.setColorAt(0, kOrangeLight);
        g.setColorAt(0.65, kOrange);
        g.setColorAt(1, kOrangeDark);
        p.setPen(QPen(kOrangeDark.darker(115), 1.2));
        p.setBrush(g);
        p.drawEllipse(QPointF(16, 16), 11, 11);
        p.setPen(QPen(withAlpha(Qt::white, 130), 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 8.6, 8.6);
        p.setFont(sans(15, true));
        p.setPen(withAlpha(kOrangeDark.darker(140), 160));
        p.drawText(QRectF(5.5, 6, 22, 22), Qt::AlignCenter, QStringLiteral("€"));
        p.setPen(Qt::white);
        p.drawText(QRectF(5, 5, 22, 22), Qt::AlignCenter, QStringLiteral("€"));
    });

    // import (arrow into a list)
    button(QStringLiteral("btn_importa.png"), [](QPainter &p) {
        const QRectF list(13, 5.5, 14, 21);
        p.setPen(line(kNavy, 1.4));
        p.setBrush(vertical(list, Qt::white, QColor(0xEC, 0xF0, 0xF8)));
        p.drawRoundedRect(list, 1.5, 1.5);
        p.setPen(line(kSteel, 1.4));
        for (qreal y : {10.0, 14.0, 18.0, 22.0})
            p.drawLine(QPointF(18.5, y), QPointF(24, y));
        p.setPen(line(kNavy, 1.4));
        p.drawPoint(QPointF(15.8, 10));
        p.drawPoint(QPointF(15.8, 22));
        // arrow
        QPolygonF arrow;
        arrow << QPointF(3.5, 13.8) << QPointF(11, 13.8) << QPointF(11, 10) << QPointF(18.5, 16)
              << QPointF(11, 22) << QPointF(11, 18.2) << QPointF(3.5, 18.2);
        p.setPen(line(kOrangeDark, 1.1));
        p.setBrush(vertical(QRectF(0, 10, 1, 12), kOrangeLight, kOrange));
        p.drawPolygon(arrow);
    });

    // PDF document
    button(QStringLiteral("btn_pdf.png"), [](QPainter &p) {
        sheet(p, QRectF(8.5, 4.5, 16, 23), 5);
        p.setPen(line(kSteel, 1.2));
        p.drawLine(QPointF(11.5, 11), QPointF(17, 11));
        p.drawLine(QPointF(11.5, 24.2), QPointF(21.5, 24.2));
        const QRectF band(4, 13.5, 21, 8.5);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(band, kRed.lighter(115), kRed));
        p.drawRoundedRect(band, 1.5, 1.5);
        QFont f = sans(8, true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(band.adjusted(0, 0, 0, 0.5), Qt::AlignCenter, QStringLiteral("PDF"));
    });

    // electronic invoice (XML file)
    button(QStringLiteral("btn_xml.png"), [](QPainter &p) {
        sheet(p, QRectF(8.5, 4.5, 16, 23), 5);
        p.setPen(line(kSteel, 1.2));
        p.drawLine(QPointF(11.5, 11), QPointF(17, 11));
        p.drawLine(QPointF(11.5, 24.2), QPointF(21.5, 24.2));
        const QRectF band(4, 13.5, 22, 8.5);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(band, kNavyLight, kNavy));
        p.drawRoundedRect(band, 1.5, 1.5);
        QFont f = sans(8, true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 0.2);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(band.adjusted(0, 0, 0, 0.5), Qt::AlignCenter, QStringLiteral("XML"));
    });

    // the receipts' monthly, quarterly and annual summaries
    button(QStringLiteral("btn_mensile.png"), [](QPainter &p) { calendar(p, QStringLiteral("M")); });
    button(QStringLiteral("btn_trimestrale.png"), [](QPainter &p) { calendar(p, QStringLiteral("T")); });
    button(QStringLiteral("btn_annuale.png"), [](QPainter &p) { calendar(p, QStringLiteral("A")); });

    // launcher: guide, information, copyright, exit
    button(QStringLiteral("btn_guida.png"), [](QPainter &p) {
        disc(p, kNavyLight, kNavy);
        p.setFont(sans(17, true));
        p.setPen(Qt::white);
        p.drawText(QRectF(5, 5.5, 22, 22), Qt::AlignCenter, QStringLiteral("?"));
    });
    button(QStringLiteral("btn_info.png"), [](QPainter &p) {
        disc(p, kNavyLight, kNavy);
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(16, 10.2), 1.9, 1.9);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(14.4, 13.5, 3.2, 10), 0.8, 0.8);
        p.drawRect(QRectF(12.8, 13.5, 2.5, 1.8));
        p.drawRect(QRectF(12.8, 21.7, 6.4, 1.8));
    });
    button(QStringLiteral("btn_copyright.png"), [](QPainter &p) {
        p.setPen(line(kNavy, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 10, 10);
        p.setPen(line(kOrangeDark, 2.2));
        p.drawArc(QRectF(11, 11, 10, 10), 45 * 16, 270 * 16);
    });
    button(QStringLiteral("btn_esci.png"), [](QPainter &p) {
        p.setPen(line(kOrangeDark, 2.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7.5, 8.5, 17, 17), 122 * 16, 296 * 16);
        p.setPen(line(kNavy, 2.8));
        p.drawLine(QPointF(16, 5.5), QPointF(16, 16));
    });
}

// Emblems for the printed client and article cards.
// The built-in logo of the receipts: the euro symbol offered as the default
// logo, 297 x 184, the size of the logo preview.
void receiptLogo()
{
    QImage euro(297, 184, QImage::Format_ARGB32_Premultiplied);
    euro.fill(Qt::white);
    {
        QPainter p(&euro);
        prepare(p);
        const QPointF centre(148.5, 92);
        QRadialGradient g(centre - QPointF(22, 24), 96);
        g.setColorAt(0, kOrangeLight);
        g.setColorAt(0.6, kOrange);
        g.setColorAt(1, kOrangeDark);
        p.setPen(QPen(kOrangeDark.darker(115), 3));
        p.setBrush(g);
        p.drawEllipse(centre, 80, 80);
        p.setPen(QPen(withAlpha(Qt::white, 150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 68, 68);
        p.setFont(sans(104, true));
        p.setPen(withAlpha(kOrangeDark.darker(140), 150));
        p.drawText(QRectF(0, 4, 297, 184).translated(3, 3), Qt::AlignCenter, QStringLiteral("€"));
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 4, 297, 184), Qt::AlignCenter, QStringLiteral("€"));
    }
    save(euro, QStringLiteral("logo_euro.png"));
}

// The small hand that points at a list's action button when it can be used.
void pointingHand()
{
    QImage img = canvas(32, 24);
    QPainter p(&img);
    prepare(p);
    p.setFont(sans(36));
    p.setPen(kNavy);
    p.drawText(QRectF(-4, -8, 40, 40), Qt::AlignCenter, QStringLiteral("\u261E"));
    p.end();
    save(img, QStringLiteral("mano.png"));
}

void cardEmblems()
{
    {
        QImage img = canvas(108, 89);
        QPainter p(&img);
        prepare(p);
        {
            Design d(p, QRectF(2, 2, 104, 85), QRectF(2, 9, 96, 80));
            emblemClient(p);
        }
        p.end();
        save(img, QStringLiteral("emblema_cliente.png"));
    }
    {
        QImage img = canvas(100, 88);
        QPainter p(&img);
        prepare(p);
        {
            Design d(p, QRectF(2, 2, 96, 84), QRectF(6, 8, 88, 90));
            emblemProduct(p);
        }
        p.end();
        save(img, QStringLiteral("emblema_prodotto.png"));
    }
}

// ---------------------------------------------------------------- information and splash screens

// The logo strip at the top of the information screen, 400 x 64.
void infoStrip()
{
    QImage img = canvas(400, 64);
    QPainter p(&img);
    prepare(p);
    navyBand(p, QSizeF(400, 64), 10, 24, 28, 8);

    logoMark(p, QRectF(18, 8, 48, 48));
    const QString name = QStringLiteral("Ventoria");
    QFont big = sans(30, true);
    p.setFont(big);
    p.setPen(withAlpha(kNavyDark, 180));
    p.drawText(QPointF(79, 43), name);
    p.setPen(Qt::white);
    p.drawText(QPointF(78, 42), name);
    const qreal nameWidth = QFontMetricsF(big).horizontalAdvance(name);
    p.setFont(sans(22, true));
    p.setPen(kOrangeLight);
    p.drawText(QPointF(86 + nameWidth, 42), QStringLiteral("2.0"));

    QFont small = sans(10);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.4);
    p.setFont(small);
    p.setPen(kCloud);
    p.drawText(QRectF(250, 0, 140, 64), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("VENDITA\nRIPARAZIONI"));
    p.end();
    save(img, QStringLiteral("info_striscia.png"));
}

// The information picture under the strip, 400 x 164: the receipt emblem and
// what the product is.
void infoPicture()
{
    QImage img = canvas(400, 164);
    QPainter p(&img);
    prepare(p);
    lightCard(p, QSizeF(400, 164));

    emblemDisc(p, QPointF(70, 82), 56, 84, emblemReceipt);

    const qreal x = 144, w = 244;
    p.setPen(kNavy);
    p.setFont(sans(20, true));
    p.drawText(QRectF(x, 18, w, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ventoria 2.0"));
    bar(p, x, 50, 56, 3.5, kOrange);
    p.setPen(kInk);
    p.setFont(sans(12));
    p.drawText(QRectF(x, 60, w, 52), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Clienti, magazzino, ricevute e listini prezzi per negozi e laboratori di assistenza."));
    p.setPen(kSlate);
    p.setFont(sans(11));
    p.drawText(QRectF(x, 114, w, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("© Ventoria · Tutti i diritti riservati"));
    p.drawText(QRectF(x, 134, w, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("www.ventoria.it · info@ventoria.it"));
    p.end();
    save(img, QStringLiteral("info_prodotto.png"));
}

// The splash background, 597 x 362: the product's name on a deep navy field.
void splashBackground()
{
    QImage img(597, 362, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    prepare(p);
    QLinearGradient g(QPointF(0, 0), QPointF(597, 362));
    g.setColorAt(0, kNavyLight);
    g.setColorAt(0.55, kNavy);
    g.setColorAt(1, kNavyDark);
    p.fillRect(img.rect(), g);
    // faint diagonal weave, as the window pattern
    p.setPen(QPen(withAlpha(Qt::white, 10), 2));
    for (int k = -400; k <= 1000; k += 22)
        p.drawLine(QPointF(k, 0), QPointF(k - 362, 362));
    QRadialGradient glow(QPointF(298, 150), 260);
    glow.setColorAt(0, withAlpha(kNavyLight.lighter(130), 90));
    glow.setColorAt(1, withAlpha(kNavyLight, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(298, 150), 260, 190);

    logoMark(p, QRectF(248, 42, 100, 100));
    const QString name = QStringLiteral("Ventoria");
    const QFont big = sans(54, true);
    p.setFont(big);
    const qreal nameWidth = QFontMetricsF(big).horizontalAdvance(name);
    const QFont version = sans(34, true);
    const qreal versionWidth = QFontMetricsF(version).horizontalAdvance(QStringLiteral("2.0"));
    const qreal left = (597 - nameWidth - 12 - versionWidth) / 2;
    p.setPen(withAlpha(kNavyDark, 200));
    p.drawText(QPointF(left + 2, 214), name);
    p.setPen(Qt::white);
    p.drawText(QPointF(left, 212), name);
    p.setFont(version);
    p.setPen(kOrangeLight);
    p.drawText(QPointF(left + nameWidth + 12, 212), QStringLiteral("2.0"));

    fadingRule(p, QRectF(120, 232, 357, 3.5));
    p.setPen(kCloud);
    p.setFont(sans(15));
    p.drawText(QRectF(0, 244, 597, 28), Qt::AlignCenter,
               QStringLiteral("Clienti · Magazzino · Ricevute · Listini prezzi"));
    p.setPen(withAlpha(kCloud, 170));
    p.setFont(sans(11));
    p.drawText(QRectF(0, 326, 597, 22), Qt::AlignCenter, QStringLiteral("© Ventoria 2.0 · www.ventoria.it"));
    p.end();
    save(img, QStringLiteral("splash_sfondo.png"));
}

// The splash sprite, 108 x 60: an orange price tag on magenta, the colour the
// splash leaves out. Mirror-safe (no lettering), since three of the five
// copies fly mirrored. Edges are made hard: a half-covered pixel becomes the
// tag's colour blended over navy, so no pink fringe shows on the background.
void splashSprite()
{
    const QColor key(255, 0, 255);
    QImage art = canvas(108, 60);
    {
        QPainter p(&art);
        prepare(p);
        priceTag(p, QPointF(54, 30), 0, 2.55, kOrange, QString());
        p.translate(54, 30);
        p.scale(2.55, 2.55);
        bar(p, -4, -5, 17, 3, withAlpha(Qt::white, 230));
        bar(p, -4, 1, 11, 3, withAlpha(Qt::white, 200));
    }
    QImage sprite(108, 60, QImage::Format_RGB32);
    const QImage argb = art.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 108; ++x) {
            const QRgb px = argb.pixel(x, y);
            const int a = qAlpha(px);
            if (a < 128) {
                sprite.setPixel(x, y, key.rgb());
                continue;
            }
            auto mix = [a](int c, int under) { return (c * a + under * (255 - a)) / 255; };
            sprite.setPixel(x, y, qRgb(mix(qRed(px), kNavy.red()), mix(qGreen(px), kNavy.green()),
                                       mix(qBlue(px), kNavy.blue())));
        }
    }
    saveBmp24(sprite, QStringLiteral("splash_sprite.bmp"));
}

bool writeQrc()
{
    QStringList names = g_written;
    names.sort();
    QFile f(QDir(g_outDir).filePath(QStringLiteral("pictures.qrc")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n";
    out << "    <qresource prefix=\"/pictures\">\n";
    for (const QString &n : names)
        out << "        <file>" << n << "</file>\n";
    out << "    </qresource>\n";
    out << "    <!-- animated footer strip, read by the program as \":/RESNAME\" -->\n";
    out << "    <qresource prefix=\"/\">\n";
    out << "        <file alias=\"RESNAME\">animata.gif</file>\n";
    out << "    </qresource>\n";
    out << "</RCC>\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: draw OUTPUT_DIR [FRAMES_DIR]\n");
        return 2;
    }
    g_outDir = args.at(1);
    const QString framesDir = args.size() > 2 ? args.at(2) : QStringLiteral("build/frames");
    QDir().mkpath(g_outDir);

    for (const char *file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        const QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(file);
        if (QFontDatabase::addApplicationFont(path) < 0)
            std::fprintf(stderr, "draw: warning: could not load %s, using the system's fonts\n",
                         qPrintable(path));
    }

    const QList<Area> areas = {
        {QStringLiteral("clienti"), QStringLiteral("Archivio"), QStringLiteral("clienti"),
         QStringLiteral("Clienti"),
         QStringLiteral("Schede anagrafiche, ricerca, consenso alla pubblicità, allegati."),
         emblemClient},
        {QStringLiteral("magazzino"), QStringLiteral("Magazzino"), QStringLiteral("materiali"),
         QStringLiteral("Magazzino"),
         QStringLiteral("Articoli e apparecchi, prezzi, giacenze e avvisi di sottoscorta."),
         emblemWarehouse},
        {QStringLiteral("ricevute"), QStringLiteral("Emissione"), QStringLiteral("ricevute"),
         QStringLiteral("Ricevute"),
         QStringLiteral("Ricevute annuali con sconti, IVA e totali al centesimo; riepiloghi."),
         emblemReceipt},
        {QStringLiteral("listino"), QStringLiteral("Listino"), QStringLiteral("prezzi"),
         QStringLiteral("Listino prezzi"),
         QStringLiteral("Listini prezzi filtrati dal magazzino, pronti da stampare."),
         emblemPriceList},
    };
    for (const Area &a : areas) {
        tile(a);
        title(a);
        info(a);
    }
    logo();
    launcherTitle();
    background();
    buttons();
    cardEmblems();
    receiptLogo();
    pointingHand();
    infoStrip();
    infoPicture();
    splashBackground();
    splashSprite();
    stripFrames(framesDir);

    if (!writeQrc()) {
        std::fprintf(stderr, "draw: cannot write pictures.qrc\n");
        return 1;
    }
    return g_failed ? 1 : 0;
}
