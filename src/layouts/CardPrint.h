#pragma once

#include "platform/PrintCanvas.h"

#include <QColor>
#include <QDate>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTime>

#include <functional>
#include <vector>


// The printed cards: a page layout described as data, designed at 96 layout
// pixels per inch, and the renderer that puts it on the printer page.

enum class PrintElementKind { Label, Box, Rule, Picture };

struct PrintFont
{
    QString family = QStringLiteral("Verdana");
    int size = 9;
    bool bold = false;
    QColor color = Qt::black;
};

// One element of a layout; rect is in layout pixels, relative to the frame container.
struct PrintElement
{
    PrintElementKind kind = PrintElementKind::Label;
    QString name;        // to find it: lblTitolo, lblData, lblPubblicita, imgEmblema, or the box's source
    QRect rect;
    PrintFont font;
    Qt::Alignment align = Qt::AlignLeft;
    QString text;        // labels: the caption; boxes: the value
    QString source;      // boxes: objectName of the card control that supplies the value
    QString picture;     // pictures: resource path of the bitmap
    int tag = 0;
    bool visible = true;
};

// A page-sized layout: one frame container on a layout surface, holding
// the elements in drawing order.
struct PrintLayout
{
    QSize surface{746, 1065};
    QRect container{10, 9, 726, 1046};   // on the surface
    int containerTag = 0;
    std::vector<PrintElement> elements;

    PrintElement* element(const QString& name);
    const PrintElement* element(const QString& name) const;
};

// The client card and the material card, every position as laid out.
PrintLayout clientCardLayout();
PrintLayout materialCardLayout();

// "Scheda stampata in data dd/mm/yyyy alle ore hh:mm:ss"
QString cardFootnote(const QDate& today, const QTime& now);
// "Pubblicità: Sì" or "Pubblicità: No"
QString consentLine(bool consents);

// Sets the text of the named element; false when the layout has none.
bool setElementText(PrintLayout& layout, const QString& name, const QString& text);
// Fills every box with the value of its source, trimmed. The sources are
// named after the card's controls; valueOf gives the value the card would
// save for each (empty for one it does not know).
void fillBoxes(PrintLayout& layout, const std::function<QString(const QString& source)>& valueOf);

// Draws a layout onto a printer page element by element.
//
// A layout rectangle (L, T, R, B) lands on the page at
// ((L + ox) × sx, (T + oy) × sy) – ((R + ox) × sx, (B + oy) × sy), fractions
// dropped, with sx and sy the printer's resolution over DesignPixelsPerInch
// and ox, oy the offsets plus, inside the container, the container's origin.
class TBDPrintPage
{
public:
    int LeftOffset = 0;                 // layout pixels
    int TopOffset = 0;
    int DesignPixelsPerInch = 96;
    int PrintTags = 0;                  // 0: every element; else only those whose tag has all these bits
    std::function<void(const PrintElement&)> OnUpdatePrintStatus;   // before each element

    // Draws layout on an open canvas in printer pixels.
    void render(platform::PrintCanvas& canvas, const PrintLayout& layout) const;

private:
    struct Placement;
    bool printable(int tag) const;
    void drawLabel(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const;
    void drawBox(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const;
    void drawRule(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const;
    void drawPicture(platform::PrintCanvas& canvas, const Placement& at, const PrintElement& e) const;
};
