#include "warehouse/PriceList.h"

#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"
#include "layouts/ListReport.h"
#include "storage/TextRules.h"
#include "warehouse/MaterialCard.h"

namespace PriceList {

void composeLine(const char* r, LineComposer& line)
{
    line.fitted(r, TRecMateriale::posCodice, 20).text(u"   ").fitted(r, TRecMateriale::posTipologia, 22);
    line.text(u"   ").fitted(r, TRecMateriale::posDescrizione, 45).text(u"   Euro ").field(r, TRecMateriale::posPrezzo);
}

QString line(const char* r)
{
    return LineComposer::textOf(composeLine, r);
}

QString line(const TRecMateriale& record)
{
    return line(record.encode().constData());
}

std::vector<ListSearch::Criterion> Criteria::textFields() const
{
    return {{codice, TRecMateriale::posCodice},
            {tipologia, TRecMateriale::posTipologia},
            {descrizione, TRecMateriale::posDescrizione},
            {fornitore, TRecMateriale::posFornitore},
            {documento, TRecMateriale::posDocumento}};
}

namespace {

bool blank(const QString& text)
{
    return TextRules::trim(text).isEmpty();
}

enum class Bound { Min, Max };

struct NumericCriterion
{
    const QString& typed;
    FieldPos field;
    Bound bound;
};

} // namespace

int Criteria::filled() const
{
    int n = ListSearch::filled(textFields());
    for (const QString* bound : {&prezzoMin, &prezzoMax, &giaceMin, &giaceMax}) {
        if (!blank(*bound))
            ++n;
    }
    return n;
}

bool matches(const char* record, const Criteria& criteria, int filled)
{
    int holding = ListSearch::occurring(record, criteria.textFields());
    const NumericCriterion bounds[] = {{criteria.prezzoMin, TRecMateriale::posPrezzo, Bound::Min},
                                       {criteria.prezzoMax, TRecMateriale::posPrezzo, Bound::Max},
                                       {criteria.giaceMin, TRecMateriale::posGiacenza, Bound::Min},
                                       {criteria.giaceMax, TRecMateriale::posGiacenza, Bound::Max}};
    for (const NumericCriterion& c : bounds) {
        if (blank(c.typed))
            continue;
        double limit = 0, value = 0;
        if (!ParseAmount(c.typed, limit) || !ParseAmount(loadField(record, c.field), value))
            return false;
        if (c.bound == Bound::Min ? value >= limit : value <= limit)
            ++holding;
    }
    return holding >= filled;
}

bool search(const Criteria& criteria, PackedLines& lines)
{
    const int filled = criteria.filled();
    ArchiveFile file = MaterialCard::archive();
    return ListSearch::collectWhere(file, [&](const char* r) { return matches(r, criteria, filled); }, composeLine,
                                    lines);
}

bool showAll(PackedLines& lines)
{
    ArchiveFile file = MaterialCard::archive();
    // The stored length, not the trimmed text: only a code never written is left out.
    return ListSearch::collectWhere(
        file, [](const char* r) { return static_cast<unsigned char>(r[TRecMateriale::posCodice.offset]) != 0; },
        composeLine, lines);
}

QString proposedHeading(const QDate& today)
{
    return QStringLiteral("Listino prezzi del ") + today.toString(QStringLiteral("dd/MM/yyyy"));
}

QString printedHeading(const QString& typed, const QDate& today)
{
    const QString heading = TextRules::trim(typed);
    if (!heading.isEmpty())
        return heading;
    return QStringLiteral("LISTINO PREZZI DEL ") + today.toString(QStringLiteral("dd/MM/yyyy"));
}

QString columnHeader()
{
    return QStringLiteral("CODICE PRODOTTO        TIPOLOGIA                DESCRIZIONE                                     "
                          "PREZZO         ");
}

void compose(platform::PrintCanvas& canvas, const QStringList& lines, const QString& heading,
             const QString& stampLine)
{
    const int h14 = listReportLineHeight(canvas, 14);
    const int h8 = listReportLineHeight(canvas, 8);
    int y = 2 * h14;
    useListReportFont(canvas, 14, true);
    canvas.drawText(kListReportLeft, y, heading);

    y += 3 * h14;
    useListReportFont(canvas, 8, false, true);
    canvas.drawText(kListReportLeft, y, columnHeader());

    y = composeListLines(canvas, lines, y + 3 * h8, 3);

    // Rule and stamp stay together below the last line; where the stamp
    // would fall off the page they both start a new one.
    if (y + 2 * h8 > canvas.pageHeight()) {
        canvas.newPage();
        y = 2 * h8;
    }
    useListReportFont(canvas, 8);
    canvas.drawText(kListReportLeft, y - h8, QString(111, QLatin1Char('_')));
    canvas.drawText(kListReportLeft, y + h8, stampLine);
}

} // namespace PriceList
