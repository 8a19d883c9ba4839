#include "storage/ListReport.h"

#include "storage/TextRules.h"

#include <cmath>

namespace {

const int kLeft = 150;   // printer pixels, the same on every printer

// Height of a "Courier New" line of the given point size on this printer.
int lineHeight(const platform::PrintCanvas& canvas, int points)
{
    return static_cast<int>(std::lround(points * canvas.dpiY() / 72.0));
}

// Black, regular, not underlined: whatever the printer's font had is dropped.
void useCourier(platform::PrintCanvas& canvas, int points)
{
    platform::FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.size = points;
    font.color = Qt::black;
    canvas.setFont(font);
}

// Rule, title, rule; returns the y of the first list line.
int composeHeading(platform::PrintCanvas& canvas, const ListReportSpec& spec)
{
    const QString rule(spec.ruleLength, QLatin1Char('-'));
    useCourier(canvas, 14);
    int y = 2 * lineHeight(canvas, 14);
    canvas.drawText(kLeft, y, rule);

    useCourier(canvas, 12);
    y += lineHeight(canvas, 12);
    canvas.drawText(kLeft, y, spec.title);
    y += lineHeight(canvas, 12);

    useCourier(canvas, 14);
    canvas.drawText(kLeft, y, rule);

    useCourier(canvas, 8);
    return y + 3 * lineHeight(canvas, 8);
}

// The lines, one every two line heights, breaking to a new page near the
// bottom; returns the y below the last line.
int composeLines(platform::PrintCanvas& canvas, const QStringList& lines, int y)
{
    const int h8 = lineHeight(canvas, 8);
    for (const QString& line : lines) {
        if (y >= canvas.pageHeight() - 3 * h8) {
            canvas.newPage();
            y = 2 * h8;
        }
        canvas.drawText(kLeft, y, line);   // as shown, trailing blanks included
        y += 2 * h8;
    }
    return y;
}

// Offset of the stamp line below the last list line.
int stampOffset(const ListReportSpec& spec)
{
    return spec.totals ? 550 : 150;
}

void composeClosing(platform::PrintCanvas& canvas, const ListReportSpec& spec, const QString& stampLine, int y)
{
    const int h8 = lineHeight(canvas, 8);
    // The closing block stays in one piece: where it would run past the
    // bottom of the page (and the totals or the stamp be lost) it moves to
    // the top of a new page instead.
    if (y + stampOffset(spec) + h8 > canvas.pageHeight()) {
        canvas.newPage();
        y = 2 * h8;
    }

    if (!spec.totals) {
        useCourier(canvas, 8);
        canvas.drawText(kLeft, y + 50, QString(20, QLatin1Char('_')));
        canvas.drawText(kLeft, y + 150, stampLine);
        return;
    }
    const QString rule(52, QLatin1Char('_'));
    useCourier(canvas, 8);
    canvas.drawText(kLeft, y + 5, rule);
    // The three prefixes are 17 characters each, so the amounts share a column.
    useCourier(canvas, 10);
    canvas.drawText(kLeft, y + 150, QStringLiteral("TOTALE NETTO :   ") + TextRules::trim(spec.totNetto));
    canvas.drawText(kLeft, y + 250, QStringLiteral("TOTALE IVA :     ") + TextRules::trim(spec.totIva));
    canvas.drawText(kLeft, y + 350, QStringLiteral("TOTALE :         ") + TextRules::trim(spec.totale));
    useCourier(canvas, 8);
    canvas.drawText(kLeft, y + 450, rule);
    canvas.drawText(kLeft, y + 550, stampLine);
}

} // namespace

QString ListReportStampLine(const QDate& today, const QTime& now)
{
    return QStringLiteral("Stampa eseguita in data ") + today.toString(QStringLiteral("dd/MM/yyyy"))
           + QStringLiteral(" alle ore ") + now.toString(QStringLiteral("hh:mm:ss"));
}

void ComposeListReport(platform::PrintCanvas& canvas, const QStringList& lines, const ListReportSpec& spec,
                       const QString& stampLine)
{
    int y = composeHeading(canvas, spec);
    y = composeLines(canvas, lines, y);
    composeClosing(canvas, spec, stampLine, y);
}
