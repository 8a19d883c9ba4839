#include "storage/ListReport.h"

#include "storage/TextRules.h"

#include <cmath>

namespace {

// Rule, title, rule; returns the y of the first list line.
int composeHeading(platform::PrintCanvas& canvas, const ListReportSpec& spec)
{
    const QString rule(spec.ruleLength, QLatin1Char('-'));
    UseListReportFont(canvas, 14);
    int y = 2 * ListReportLineHeight(canvas, 14);
    canvas.drawText(kListReportLeft, y, rule);

    UseListReportFont(canvas, 12);
    y += ListReportLineHeight(canvas, 12);
    canvas.drawText(kListReportLeft, y, spec.title);
    y += ListReportLineHeight(canvas, 12);

    UseListReportFont(canvas, 14);
    canvas.drawText(kListReportLeft, y, rule);

    UseListReportFont(canvas, 8);
    return y + 3 * ListReportLineHeight(canvas, 8);
}

// Offset of the stamp line below the last list line.
int stampOffset(const ListReportSpec& spec)
{
    return spec.totals ? 550 : 150;
}

void composeClosing(platform::PrintCanvas& canvas, const ListReportSpec& spec, const QString& stampLine, int y)
{
    const int h8 = ListReportLineHeight(canvas, 8);
    // The closing block stays in one piece: where it would run past the
    // bottom of the page (and the totals or the stamp be lost) it moves to
    // the top of a new page instead.
    if (y + stampOffset(spec) + h8 > canvas.pageHeight()) {
        canvas.newPage();
        y = 2 * h8;
    }

    if (!spec.totals) {
        UseListReportFont(canvas, 8);
        canvas.drawText(kListReportLeft, y + 50, QString(20, QLatin1Char('_')));
        canvas.drawText(kListReportLeft, y + 150, stampLine);
        return;
    }
    const QString rule(52, QLatin1Char('_'));
    UseListReportFont(canvas, 8);
    canvas.drawText(kListReportLeft, y + 5, rule);
    // The three prefixes are 17 characters each, so the amounts share a column.
    UseListReportFont(canvas, 10);
    canvas.drawText(kListReportLeft, y + 150, QStringLiteral("TOTALE NETTO :   ") + TextRules::trim(spec.totNetto));
    canvas.drawText(kListReportLeft, y + 250, QStringLiteral("TOTALE IVA :     ") + TextRules::trim(spec.totIva));
    canvas.drawText(kListReportLeft, y + 350, QStringLiteral("TOTALE :         ") + TextRules::trim(spec.totale));
    UseListReportFont(canvas, 8);
    canvas.drawText(kListReportLeft, y + 450, rule);
    canvas.drawText(kListReportLeft, y + 550, stampLine);
}

} // namespace

int ListReportLineHeight(const platform::PrintCanvas& canvas, int points)
{
    return static_cast<int>(std::lround(points * canvas.dpiY() / 72.0));
}

void UseListReportFont(platform::PrintCanvas& canvas, int points, bool bold, bool underline)
{
    platform::FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.size = points;
    font.bold = bold;
    font.underline = underline;
    font.color = Qt::black;
    canvas.setFont(font);
}

int ComposeListLines(platform::PrintCanvas& canvas, const QStringList& lines, int y, int spacing)
{
    const int h8 = ListReportLineHeight(canvas, 8);
    UseListReportFont(canvas, 8);
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

ListReportSpec PlainListReport(const QString& title, int ruleLength)
{
    ListReportSpec report;
    report.title = title;
    report.ruleLength = ruleLength;
    return report;
}

QString ListReportStampLine(const QDate& today, const QTime& now)
{
    return QStringLiteral("Stampa eseguita in data ") + today.toString(QStringLiteral("dd/MM/yyyy"))
           + QStringLiteral(" alle ore ") + now.toString(QStringLiteral("hh:mm:ss"));
}

void ComposeListReport(platform::PrintCanvas& canvas, const QStringList& lines, const ListReportSpec& spec,
                       const QString& stampLine)
{
    int y = composeHeading(canvas, spec);
    y = ComposeListLines(canvas, lines, y, 2);
    composeClosing(canvas, spec, stampLine, y);
}
