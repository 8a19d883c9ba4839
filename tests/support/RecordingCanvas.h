#pragma once

#include "platform/PrintCanvas.h"

#include <QList>
#include <QString>

// A print canvas that records every drawing operation with the font in force.
class RecordingCanvas final : public platform::PrintCanvas
{
public:
    struct Op
    {
        enum Kind { Text, Line, Rect, Image, NewPage } kind;
        int page;
        int x, y;
        QString text;
        platform::FontSpec font;
        Qt::Alignment align;
        QRect rect;
        QSize imageSize;
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
    void newPage() override;
    bool end() override;

private:
    int m_width, m_height, m_dpiX, m_dpiY;
    platform::FontSpec m_font;
};
