#include "warehouse/MaterialCard.h"

#include "platform/AppDir.h"
#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"
#include "storage/WebLinks.h"

namespace MaterialCard {

QString archiveFileName()
{
    return QStringLiteral("Materiali.pro");
}

ArchiveFile archive()
{
    return ArchiveFile(AppDir::filePath(archiveFileName()), TRecMateriale::Size);
}

QString webSearchUrl(const QString& brand, const QString& model)
{
    return WebLinks::searchUrl(TextRules::trim(brand) + QLatin1Char(' ') + TextRules::trim(model));
}

QString unreadableNumberMessage(const QString& fieldName)
{
    return QStringLiteral("Attenzione: il valore indicato nel campo %1 non è un numero valido.").arg(fieldName);
}

std::vector<ListSearch::Criterion> Criteria::fields() const
{
    return {{codice, TRecMateriale::posCodice},           {tipologia, TRecMateriale::posTipologia},
            {marca, TRecMateriale::posMarca},             {modello, TRecMateriale::posModello},
            {accessori, TRecMateriale::posAccessori},     {descrizione, TRecMateriale::posDescrizione},
            {note, TRecMateriale::posNote}};
}

namespace {

// Brand and model as one text: "Marca Modello".
QString brandAndModel(const char* r)
{
    return loadField(r, TRecMateriale::posMarca) + QLatin1Char(' ') + loadField(r, TRecMateriale::posModello);
}

} // namespace

QString searchLine(const char* r)
{
    using TextRules::fit;
    return fit(loadField(r, TRecMateriale::posCodice), 30) + QStringLiteral("  ")
           + fit(loadField(r, TRecMateriale::posTipologia), 25) + QStringLiteral("  ") + fit(brandAndModel(r), 30)
           + QStringLiteral("  Prezzo: ") + fit(loadField(r, TRecMateriale::posPrezzo), 15)
           + QStringLiteral("  Giacenza: ") + fit(loadField(r, TRecMateriale::posGiacenza), 10) + QStringLiteral("  ")
           + loadField(r, TRecMateriale::posNote);
}

QString searchLine(const TRecMateriale& record)
{
    return searchLine(record.encode().constData());
}

QString underStockLine(const char* r)
{
    using TextRules::fit;
    return fit(loadField(r, TRecMateriale::posCodice), 25) + QStringLiteral("  ") + fit(brandAndModel(r), 30)
           + QStringLiteral("  Costo: ") + fit(loadField(r, TRecMateriale::posCosto), 15)
           + QStringLiteral("  Giacenza: ") + fit(loadField(r, TRecMateriale::posGiacenza), 10) + QStringLiteral("  ")
           + fit(loadField(r, TRecMateriale::posFornitore), 30) + QStringLiteral("  ")
           + loadField(r, TRecMateriale::posRecapito);
}

QString underStockLine(const TRecMateriale& record)
{
    return underStockLine(record.encode().constData());
}

ListReportSpec goodsReport()
{
    return PlainListReport(QStringLiteral("Merce in magazzino"), 21);
}

bool search(const Criteria& criteria, QStringList& lines)
{
    ArchiveFile file = archive();
    return ListSearch::collect(file, criteria.fields(), [](const char* r) { return searchLine(r); }, lines);
}

bool underStock(const char* record)
{
    double stock = 0, threshold = 0;
    if (!ParseAmount(loadField(record, TRecMateriale::posGiacenza), stock)
        || !ParseAmount(loadField(record, TRecMateriale::posSottoscorta), threshold))
        return false;
    return stock <= threshold;
}

bool underStockList(QStringList& lines)
{
    ArchiveFile file = archive();
    // One damaged card is left out; the others are still listed.
    return ListSearch::collectWhere(
        file, [](const char* r) { return underStock(r); }, [](const char* r) { return underStockLine(r); }, lines);
}

bool findByLine(const ListSearch::LineBuilder& build, const QString& line, TRecMateriale& record,
                qint64& position)
{
    ArchiveFile file = archive();
    QByteArray raw;
    if (!ListSearch::findByLine(file, build, line, raw, position))
        return false;
    record = TRecMateriale::decode(raw);
    return true;
}

bool importList(QStringList& lines)
{
    ArchiveFile file = archive();
    // A card without a stock text is not a stocked article.
    return ListSearch::collectWhere(
        file, [](const char* r) { return !loadField(r, TRecMateriale::posGiacenza).isEmpty(); },
        [](const char* r) { return searchLine(r); }, lines);
}

ImportOutcome importArticle(const QString& line, qint64 position, const QString& stockShown,
                            const QString& quantity, bool lowerStock, TRecMateriale& article)
{
    qint64 found = 0;
    if (TextRules::trim(line).isEmpty()
        || !findByLine([](const char* r) { return searchLine(r); }, line, article, found))
        return ImportOutcome::Failed;
    if (!lowerStock)
        return ImportOutcome::Imported;

    double stock = 0, taken = 0;
    if (!ParseAmount(TextRules::trim(quantity), taken) || !ParseAmount(TextRules::trim(stockShown), stock))
        return ImportOutcome::Failed;
    if (stock < taken)
        return ImportOutcome::StockShort;
    if (position > 0) {
        // The residue keeps the decimals its field can hold: a tiny one
        // (1 − 0,9999999) would otherwise be an exponent form cut to another
        // number. A stock read from the same field and lowered always fits;
        // should it not, nothing is written.
        QString residue;
        if (!FitAmountText(FormatGeneral(stock - taken), TRecMateriale::posGiacenza.capacity, false, residue))
            return ImportOutcome::Failed;
        // Only the stock field is rewritten: the rest of the card stays byte for byte.
        ArchiveFile file = archive();
        QByteArray raw;
        if (!file.read(position - 1, raw))
            return ImportOutcome::Failed;
        ShortString::store(raw.data() + TRecMateriale::posGiacenza.offset, TRecMateriale::posGiacenza.capacity,
                           residue);
        if (!file.update(position, raw))
            return ImportOutcome::Failed;
    }
    return ImportOutcome::Imported;
}

} // namespace MaterialCard
