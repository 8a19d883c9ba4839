#include "layouts/ListReport.h"

#include "storage/TextRules.h"

#include <cmath>

namespace {

// Rule, title, rule; returns the y of the first list line.
int composeHeading(platform::PrintCanvas& canvas, const ListReportSpec& spec)
{
    const QString rule(spec.ruleLength, QLatin1Char('-'));
    useListReportFont(canvas, 14);
    int y = 2 * listReportLineHeight(canvas, 14);
    canvas.drawText(kListReportLeft, y, rule);

    useListReportFont(canvas, 12);
    y += listReportLineHeight(canvas, 12);
    canvas.drawText(kListReportLeft, y, spec.title);
    y += listReportLineHeight(canvas, 12);

    useListReportFont(canvas, 14);
    canvas.drawText(kListReportLeft, y, rule);

    useListReportFont(canvas, 8);
    return y + 3 * listReportLineHeight(canvas, 8);
}

// Offset of the stamp line below the last list line.
int stampOffset(const ListReportSpec& spec)
{
    return spec.totals ? 550 : 150;
}

void composeClosing(platform::PrintCanvas& canvas, const ListReportSpec& spec, const QString& stampLine, int y)
{
    const int h8 = listReportLineHeight(canvas, 8);
    // The closing block stays in one piece: where it would run past the
    // bottom of the page (and the totals or the stamp be lost) it moves to
    // the top of a new page instead.
    if (y + stampOffset(spec) + h8 > canvas.pageHeight()) {
        canvas.newPage();
        y = 2 * h8;
    }

    if (!spec.totals) {
        useListReportFont(canvas, 8);
        canvas.drawText(kListReportLeft, y + 50, QString(20, QLatin1Char('_')));
        canvas.drawText(kListReportLeft, y + 150, stampLine);
        return;
    }
    const QString rule(52, QLatin1Char('_'));
    useListReportFont(canvas, 8);
    canvas.drawText(kListReportLeft, y + 5, rule);
    // The three prefixes are 17 characters each, so the amounts share a column.
    useListReportFont(canvas, 10);
    canvas.drawText(kListReportLeft, y + 150, QStringLiteral("TOTALE NETTO :   ") + TextRules::trim(spec.totNetto));
    canvas.drawText(kListReportLeft, y + 250, QStringLiteral("TOTALE IVA :     ") + TextRules::trim(spec.totIva));
    canvas.drawText(kListReportLeft, y + 350, QStringLiteral("TOTALE :         ") + TextRules::trim(spec.totale));
    useListReportFont(canvas, 8);
    canvas.drawText(kListReportLeft, y + 450, rule);
    canvas.drawText(kListReportLeft, y + 550, stampLine);
}

} // namespace

int listReportLineHeight(const platform::PrintCanvas& canvas, int points)
{
    return static_cast<int>(std::lround(points * canvas.dpiY() / 72.0));
}

void useListReportFont(platform::PrintCanvas& canvas, int points, bool bold, bool underline)
{
    platform::FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.size = points;
    font.bold = bold;
    font.underline = underline;
    font.color = Qt::black;
    canvas.setFont(font);
}

int composeListLines(platform::PrintCanvas& canvas, const QStringList& lines, int y, int spacing)
{
    const int h8 = listReportLineHeight(canvas, 8);
    useListReportFont(canvas, 8);
    for (const QString& line : lines) {
        if (y >= canvas.pageHeight() - 3 * h8) {
            canvas.newPage();
            y = 2 * h8;
        }
        canvas.drawText(kListReportLeft, y, line);
        y += spacing * h8;
    }
    return y;
}

ListReportSpec plainListReport(const QString& title, int ruleLength)
{
    ListReportSpec report;
    report.title = title;
    report.ruleLength = ruleLength;
    return report;
}

QString listReportStampLine(const QDate& today, const QTime& now)
{
    return QStringLiteral("Stampa eseguita in data ") + today.toString(QStringLiteral("dd/MM/yyyy"))
           + QStringLiteral(" alle ore ") + now.toString(QStringLiteral("hh:mm:ss"));
}

void composeListReport(platform::PrintCanvas& canvas, const QStringList& lines, const ListReportSpec& spec,
                       const QString& stampLine)
{
    int y = composeHeading(canvas, spec);
    y = composeListLines(canvas, lines, y, 2);
    composeClosing(canvas, spec, stampLine, y);
}
