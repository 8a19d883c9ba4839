#include "platform/qt/QtPrintCanvas.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPrinter>

namespace platform {

namespace {

// On the metric canvas a font's height is its character cell (ascent plus
// descent) in tenths of a millimetre, as printers measure it; Qt sizes a
// font by its em, which is smaller by a ratio of the typeface's own.
int pixelSizeForCell(QFont font, int cellHeight)
{
    const int reference = 1000;
    font.setPixelSize(reference);
    const QFontMetricsF fm(font);
    const double cell = fm.ascent() + fm.descent();
    if (cell <= 0)
        return qMax(1, cellHeight);
    return qMax(1, qRound(cellHeight * reference / cell));
}

} // namespace

std::unique_ptr<PrintCanvas> QtPrintCanvas::begin(QPrinter& printer, const QString& jobName,
                                                  PageOrientation orientation, Units units)
{
    printer.setDocName(jobName);
    printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    std::unique_ptr<QtPrintCanvas> canvas(new QtPrintCanvas(printer, units));
    if (!canvas->m_painter.begin(&printer))
        return nullptr;
    if (units == Units::TenthsOfMillimetre) {
        canvas->m_scaleX = printer.resolution() / 254.0;
        canvas->m_scaleY = printer.resolution() / 254.0;
        canvas->m_painter.scale(canvas->m_scaleX, canvas->m_scaleY);
    }
    canvas->setFont(FontSpec());
    return canvas;
}

QtPrintCanvas::QtPrintCanvas(QPrinter& printer, Units units) : m_printer(printer), m_units(units) {}

QtPrintCanvas::~QtPrintCanvas()
{
    end();
}

int QtPrintCanvas::pageWidth() const
{
    return static_cast<int>(m_printer.pageRect(QPrinter::DevicePixel).width() / m_scaleX);
}

int QtPrintCanvas::pageHeight() const
{
    return static_cast<int>(m_printer.pageRect(QPrinter::DevicePixel).height() / m_scaleY);
}

int QtPrintCanvas::dpiX() const
{
    return m_units == Units::Pixels ? m_printer.resolution() : 254;
}

int QtPrintCanvas::dpiY() const
{
    return m_units == Units::Pixels ? m_printer.resolution() : 254;
}

void QtPrintCanvas::setFont(const FontSpec& spec)
{
    m_font = spec;
    QFont f(spec.family);
    // Where the named typeface is missing the stand-in keeps its kind: list
    // reports rely on a fixed pitch to keep their columns.
    if (spec.family.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive))
        f.setStyleHint(QFont::TypeWriter);
    if (m_units == Units::Pixels)
        f.setPointSize(spec.size);
    else
        f.setPixelSize(pixelSizeForCell(f, spec.size));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    m_painter.setFont(f);
    m_painter.setPen(spec.color);
}

void QtPrintCanvas::drawText(int x, int y, const QString& text, Qt::Alignment align)
{
    const QFontMetrics fm(m_painter.font(), m_painter.device());
    int left = x;
    if (align & Qt::AlignRight)
        left = x - fm.horizontalAdvance(text);
    m_painter.drawText(QPoint(left, y + fm.ascent()), text);
}

int QtPrintCanvas::textWidth(const QString& text) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).horizontalAdvance(text);
}

int QtPrintCanvas::textHeight(const QString&) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).height();
}

void QtPrintCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.drawLine(x1, y1, x2, y2);
    m_painter.setPen(m_font.color);
}

void QtPrintCanvas::drawRect(const QRect& r, const QColor& fill)
{
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.setBrush(fill);
    m_painter.drawRect(r);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(m_font.color);
}

void QtPrintCanvas::drawImage(const QRect& target, const QImage& image)
{
    m_painter.drawImage(target, image);
}

void QtPrintCanvas::paintTextInRect(QPainter& painter, const QRect& r, const QString& text, int flags)
{
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(r, flags, text);
    painter.restore();
}

void QtPrintCanvas::drawTextInRect(const QRect& r, const QString& text, int flags)
{
    paintTextInRect(m_painter, r, text, flags);
}

void QtPrintCanvas::drawFrame(const QRect& r, int penWidth, const QColor& fill)
{
    m_painter.setPen(QPen(Qt::black, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    m_painter.drawRect(r);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(m_font.color);
}

void QtPrintCanvas::newPage()
{
    m_printer.newPage();
}

bool QtPrintCanvas::end()
{
    if (m_ended)
        return true;
    m_ended = true;
    return m_painter.end();
}

} // namespace platform
