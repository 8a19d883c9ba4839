#pragma once

#include "platform/PrintCanvas.h"

#include <QColor>
#include <QList>
#include <QString>

// A print canvas that records every drawing operation with the font in force.
class RecordingCanvas final : public platform::PrintCanvas
{
public:
    struct Op
    {
        enum Kind { Text, Line, Rect, Image, NewPage } kind = Text;
        int page = 1;
        int x = 0, y = 0;
        QString text;
        platform::FontSpec font;
        Qt::Alignment align;
        QRect rect;         // lines, rectangles, images; for texts laid out in a rectangle, that rectangle
        QSize imageSize;
        int flags = 0;      // texts in a rectangle: the Qt alignment and wrapping flags
        int penWidth = 0;   // rectangles: 0 for the thin outline of drawRect
        QColor fill;        // rectangles: invalid when see-through
        bool inRect = false;   // a text laid out in (and cut at) rect
    };

    RecordingCanvas(int width, int height, int dpiX, int dpiY, platform::PageOrientation orientation,
                    QString jobName);

    QList<Op> ops;
    platform::PageOrientation orientation;
    QString jobName;
    bool ended = false;
    int pages = 1;

    // The recorded texts, in order.
    QList<Op> texts() const;
    // The recorded rectangles (drawRect and drawFrame), in order.
    QList<Op> rects() const;
    // The first text equal to text; a default Op (empty text) when none.
    Op findText(const QString& text) const;

    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }
    int dpiX() const override { return m_dpiX; }
    int dpiY() const override { return m_dpiY; }
    void setFont(const platform::FontSpec& font) override { m_font = font; }
    platform::FontSpec font() const override { return m_font; }
    void drawText(int x, int y, const QString& text, Qt::Alignment align) override;
    // Monospaced estimate: 0.6 of the height per character.
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawRect(const QRect& r, const QColor& fill) override;
    void drawImage(const QRect& target, const QImage& image) override;
    void drawTextInRect(const QRect& r, const QString& text, int flags) override;
    void drawFrame(const QRect& r, int penWidth, const QColor& fill) override;
    void newPage() override;
    bool end() override;

private:
    // An operation of the given kind on the current page, in the current font.
    Op makeOp(Op::Kind kind, int x, int y) const;

    int m_width, m_height, m_dpiX, m_dpiY;
    platform::FontSpec m_font;
};
