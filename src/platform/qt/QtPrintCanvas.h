#pragma once

#include "platform/PrintCanvas.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;

namespace platform {

// A printed document drawn with QPainter on a QPrinter, in printer pixels or
// in tenths of a millimetre from the top-left corner of the printable area.
class QtPrintCanvas final : public PrintCanvas
{
public:
    enum class Units { Pixels, TenthsOfMillimetre };

    static std::unique_ptr<PrintCanvas> begin(QPrinter& printer, const QString& jobName,
                                              PageOrientation orientation, Units units);
    ~QtPrintCanvas() override;

    // The text-in-a-rectangle rule on any painter, so that it can be checked
    // on an image as well as on paper: laid out inside r, nothing outside it.
    static void paintTextInRect(QPainter& painter, const QRect& r, const QString& text, int flags);

    int pageWidth() const override;
    int pageHeight() const override;
    int dpiX() const override;
    int dpiY() const override;
    void setFont(const FontSpec& font) override;
    FontSpec font() const override { return m_font; }
    void drawText(int x, int y, const QString& text, Qt::Alignment align) override;
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
    QtPrintCanvas(QPrinter& printer, Units units);

    QPrinter& m_printer;
    QPainter m_painter;
    Units m_units;
    double m_scaleX = 1.0;   // device pixels per unit
    double m_scaleY = 1.0;
    FontSpec m_font;
    bool m_ended = false;
};

} // namespace platform
