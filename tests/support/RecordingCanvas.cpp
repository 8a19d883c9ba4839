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
    ops.append({Op::Text, pages, x, y, text, m_font, align, {}, {}});
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
    ops.append({Op::Line, pages, x1, y1, {}, m_font, {}, QRect(QPoint(x1, y1), QPoint(x2, y2)), {}});
}

void RecordingCanvas::drawRect(const QRect& r, const QColor&)
{
    ops.append({Op::Rect, pages, r.x(), r.y(), {}, m_font, {}, r, {}});
}

void RecordingCanvas::drawImage(const QRect& target, const QImage& image)
{
    ops.append({Op::Image, pages, target.x(), target.y(), {}, m_font, {}, target, image.size()});
}

void RecordingCanvas::newPage()
{
    ++pages;
    ops.append({Op::NewPage, pages, 0, 0, {}, m_font, {}, {}, {}});
}

bool RecordingCanvas::end()
{
    ended = true;
    return true;
}
