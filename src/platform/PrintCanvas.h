#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace platform {

enum class PageOrientation { Portrait, Landscape };

struct FontSpec
{
    QString family = QStringLiteral("Courier New");
    int size = 10;        // points on the pixel canvas, cell height in 0.1 mm on the metric canvas
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;
};

// One printed document. Positions are in the canvas's units, the top-left
// corner of a text is placed at (x, y); right-aligned texts end at x.
// Destroying a canvas ends its document (the job goes to the printer).
class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    // Printable area in the canvas's units.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // Resolution of the printer (pixel canvas); 254 per inch on the metric canvas.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;

    virtual void setFont(const FontSpec& font) = 0;
    virtual FontSpec font() const = 0;
    virtual void drawText(int x, int y, const QString& text, Qt::Alignment align = Qt::AlignLeft) = 0;
    virtual int textWidth(const QString& text) const = 0;
    virtual int textHeight(const QString& text) const = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    // A rectangle with a thin black outline, filled with the given colour.
    virtual void drawRect(const QRect& r, const QColor& fill = Qt::white) = 0;
    virtual void drawImage(const QRect& target, const QImage& image) = 0;
    // Text laid out inside r in the current font and cut at r's edges. flags
    // are Qt alignment flags (left or centred; top or vertically centred)
    // with Qt::TextWordWrap to break between words or Qt::TextSingleLine to
    // keep one line whatever its length.
    virtual void drawTextInRect(const QRect& r, const QString& text, int flags) = 0;
    // The outline of r in a solid black pen penWidth units wide, filled when
    // fill is a valid colour and left see-through otherwise.
    virtual void drawFrame(const QRect& r, int penWidth, const QColor& fill = QColor()) = 0;
    virtual void newPage() = 0;
    // Ends the document; false when the printer reported a failure.
    virtual bool end() = 0;
};

// Shown when a printer cannot start or finish a document; the remaining
// copies are not sent.
inline QString printFailureMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette la stampa del documento.\n\r\n\r"
                          "Accertarsi che la stampante sia configurata e collegata correttamente al proprio "
                          "computer.");
}

} // namespace platform
