#include "RecordingCanvas.h"

#include <cmath>

RecordingCanvas::RecordingCanvas(int width, int height, int dpiX, int dpiY,
                                 platform::PageOrientation orientation_, QString jobName_)
    : orientation(orientation_), jobName(std::move(jobName_)), m_width(width), m_height(height), m_dpiX(dpiX),
      m_dpiY(dpiY)
{
}

QList<RecordingCanvas::Op> RecordingCanvas::texts() const
{
    QList<Op> out;
    for (const Op& op : ops) {
        if (op.kind == Op::Text)
            out.append(op);
    }
    return out;
}

void RecordingCanvas::drawText(int x, int y, const QString& text, Qt::Alignment align)
{
    Op o = makeOp(Op::Text, x, y);
    o.text = text;
    o.align = align;
    ops.append(o);
}

QList<RecordingCanvas::Op> RecordingCanvas::rects() const
{
    QList<Op> out;
    for (const Op& op : ops) {
        if (op.kind == Op::Rect)
            out.append(op);
    }
    return out;
}

RecordingCanvas::Op RecordingCanvas::findText(const QString& text) const
{
    for (const Op& op : ops) {
        if (op.kind == Op::Text && op.text == text)
            return op;
    }
    return Op{};
}

RecordingCanvas::Op RecordingCanvas::makeOp(Op::Kind kind, int x, int y) const
{
    Op o;
    o.kind = kind;
    o.page = pages;
    o.x = x;
    o.y = y;
    o.font = m_font;
    return o;
}

void RecordingCanvas::drawTextInRect(const QRect& r, const QString& text, int flags)
{
    Op o = makeOp(Op::Text, r.x(), r.y());
    o.text = text;
    o.align = Qt::Alignment(flags & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask));
    o.rect = r;
    o.flags = flags;
    o.inRect = true;
    ops.append(o);
}

void RecordingCanvas::drawFrame(const QRect& r, int penWidth, const QColor& fill)
{
    Op o = makeOp(Op::Rect, r.x(), r.y());
    o.rect = r;
    o.penWidth = penWidth;
    o.fill = fill;
    ops.append(o);
}

int RecordingCanvas::textHeight(const QString&) const
{
    return static_cast<int>(std::lround(m_font.size * m_dpiY / 72.0));
}

int RecordingCanvas::textWidth(const QString& text) const
{
    return static_cast<int>(text.size() * textHeight(text) * 0.6);
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    Op o = makeOp(Op::Line, x1, y1);
    o.rect = QRect(QPoint(x1, y1), QPoint(x2, y2));
    ops.append(o);
}

void RecordingCanvas::drawRect(const QRect& r, const QColor& fill)
{
    Op o = makeOp(Op::Rect, r.x(), r.y());
    o.rect = r;
    o.fill = fill;
    ops.append(o);
}

void RecordingCanvas::drawImage(const QRect& target, const QImage& image)
{
    Op o = makeOp(Op::Image, target.x(), target.y());
    o.rect = target;
    o.imageSize = image.size();
    ops.append(o);
}

void RecordingCanvas::newPage()
{
    ++pages;
    ops.append(makeOp(Op::NewPage, 0, 0));
}

bool RecordingCanvas::end()
{
    ended = true;
    return true;
}
