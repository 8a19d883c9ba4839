#include "warehouse/MaterialCard.h"

#include "platform/AppDir.h"
#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"
#include "platform/WebLinks.h"

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

namespace {

// Brand and model as one column: "Marca Modello".
void brandAndModel(const char* r, LineComposer& line, int width)
{
    const std::size_t column = line.mark();
    line.field(r, TRecMateriale::posMarca).text(u" ").field(r, TRecMateriale::posModello).fitSince(column, width);
}

} // namespace

void composeSearchLine(const char* r, LineComposer& line)
{
    line.fitted(r, TRecMateriale::posCodice, 30).text(u"  ").fitted(r, TRecMateriale::posTipologia, 25).text(u"  ");
    brandAndModel(r, line, 30);
    line.text(u"  Prezzo: ").fitted(r, TRecMateriale::posPrezzo, 15);
    line.text(u"  Giacenza: ").fitted(r, TRecMateriale::posGiacenza, 10).text(u"  ").field(r, TRecMateriale::posNote);
}

QString searchLine(const char* r)
{
    return LineComposer::textOf(composeSearchLine, r);
}

QString searchLine(const TRecMateriale& record)
{
    return searchLine(record.encode().constData());
}

void composeUnderStockLine(const char* r, LineComposer& line)
{
    line.fitted(r, TRecMateriale::posCodice, 25).text(u"  ");
    brandAndModel(r, line, 30);
    line.text(u"  Costo: ").fitted(r, TRecMateriale::posCosto, 15);
    line.text(u"  Giacenza: ").fitted(r, TRecMateriale::posGiacenza, 10).text(u"  ");
    line.fitted(r, TRecMateriale::posFornitore, 30).text(u"  ").field(r, TRecMateriale::posRecapito);
}

QString underStockLine(const char* r)
{
    return LineComposer::textOf(composeUnderStockLine, r);
}

QString underStockLine(const TRecMateriale& record)
{
    return underStockLine(record.encode().constData());
}

ListReportSpec goodsReport()
{
    return plainListReport(QStringLiteral("Merce in magazzino"), 21);
}

bool underStock(const char* record)
{
    double stock = 0, threshold = 0;
    if (!ParseAmount(loadField(record, TRecMateriale::posGiacenza), stock)
        || !ParseAmount(loadField(record, TRecMateriale::posSottoscorta), threshold))
        return false;
    return stock <= threshold;
}

bool importList(PackedLines& lines)
{
    ArchiveFile file = archive();
    // A card without a stock text is not a stocked article.
    return ListSearch::collectWhere(
        file,
        [](const char* r) {
            return ShortString::loadBytes(r + TRecMateriale::posGiacenza.offset, TRecMateriale::posGiacenza.capacity)
                       .second
                   != 0;
        },
        composeSearchLine, lines);
}

namespace {

// Where the stock stands in a line of the import list: after code (30), type
// (25), brand and model (30), each followed by two blanks but the last,
// "  Prezzo: ", the price (15) and "  Giacenza: ".
constexpr int kStockColumn = 30 + 2 + 25 + 2 + 30 + 10 + 15 + 12;
constexpr int kStockWidth = 10;

QString withoutStock(const QString& line)
{
    return line.left(kStockColumn) + line.mid(kStockColumn + kStockWidth);
}

} // namespace

bool findChosen(const QString& line, TRecMateriale& record, qint64& position)
{
    const QString wanted = TextRules::trim(line);
    const QString sameArticle = withoutStock(line);
    QByteArray exact, likely;
    qint64 exactAt = 0, likelyAt = 0;
    ArchiveFile file = archive();
    const bool read = file.scan([&](qint64 index, const char* r) {
        const QString built = searchLine(r);
        if (TextRules::trim(built) == wanted) {
            exact = QByteArray(r, TRecMateriale::Size);
            exactAt = index + 1;
        } else if (withoutStock(built) == sameArticle) {
            likely = QByteArray(r, TRecMateriale::Size);
            likelyAt = index + 1;
        }
        return true;
    });
    if (!read || (exactAt == 0 && likelyAt == 0))
        return false;
    record = TRecMateriale::decode(exactAt > 0 ? exact : likely);
    position = exactAt > 0 ? exactAt : likelyAt;
    return true;
}

ImportOutcome importArticle(qint64 position, const QString& code, const QString& quantity, bool lowerStock,
                            TRecMateriale& article, QString* stockBefore)
{
    double taken = 0;
    if (position < 1 || (lowerStock && !ParseAmount(TextRules::trim(quantity), taken)))
        return ImportOutcome::Failed;
    ImportOutcome outcome = ImportOutcome::Imported;
    ArchiveFile file = archive();
    const ArchiveFile::Changed written = file.change(position, [&](QByteArray& raw) {
        article = TRecMateriale::decode(raw);
        if (TextRules::trim(article.Codice) != TextRules::trim(code)) {
            outcome = ImportOutcome::Changed;
            return false;
        }
        if (!lowerStock)
            return false;
        // The stock as it is now, whatever the list showed when the line was clicked.
        double stock = 0;
        if (!ParseAmount(TextRules::trim(article.Giacenza), stock)) {
            outcome = ImportOutcome::Failed;
            return false;
        }
        if (stock < taken) {
            outcome = ImportOutcome::StockShort;
            return false;
        }
        if (stockBefore)
            *stockBefore = TextRules::trim(article.Giacenza);
        // The residue keeps the decimals its field can hold: a tiny one
        // (1 − 0,9999999) would otherwise be an exponent form cut to another
        // number. A stock read from the same field and lowered always fits;
        // should it not, nothing is written.
        QString residue;
        if (!FitAmountText(FormatGeneral(stock - taken), TRecMateriale::posGiacenza.capacity, false, residue)) {
            outcome = ImportOutcome::Failed;
            return false;
        }
        // Only the stock field is rewritten: the rest of the card stays byte for byte.
        ShortString::store(raw.data() + TRecMateriale::posGiacenza.offset, TRecMateriale::posGiacenza.capacity,
                           residue);
        article.Giacenza = residue;
        return true;
    });
    switch (written) {
    case ArchiveFile::Changed::Done:
        return ImportOutcome::Imported;
    case ArchiveFile::Changed::Kept:
        return outcome;
    case ArchiveFile::Changed::Missing:
        return ImportOutcome::Changed;
    case ArchiveFile::Changed::Failed:
        break;
    }
    return ImportOutcome::Failed;
}

QString stockLoweredMessage(const TRecMateriale& article, const QString& before)
{
    return QStringLiteral("La giacenza in magazzino dell'articolo %1 è passata da %2 a %3.\n\n"
                          "La giacenza resta così anche se la ricevuta non viene salvata.")
        .arg(TextRules::trim(article.Codice), before, TextRules::trim(article.Giacenza));
}

QString changedArticleMessage()
{
    return QStringLiteral("Attenzione: la scheda dell'articolo scelto è stata modificata da un'altra postazione "
                          "dopo la scelta, oppure non è più in archivio. La giacenza non è stata aggiornata e la "
                          "riga della ricevuta non è stata compilata: scegliere di nuovo l'articolo dall'elenco.");
}

bool keepStockChangedElsewhere(const QByteArray& shown, const QByteArray& stored, QByteArray& record)
{
    const TRecMateriale before = TRecMateriale::decode(shown);
    const TRecMateriale now = TRecMateriale::decode(stored);
    TRecMateriale saved = TRecMateriale::decode(record);
    // Another workstation changed the stock and nothing else.
    TRecMateriale nowWithOldStock = now;
    nowWithOldStock.Giacenza = before.Giacenza;
    if (nowWithOldStock.encode() != shown)
        return false;
    // The stock here is the one shown, at most brought to whole pieces.
    if (saved.Giacenza != before.Giacenza && saved.Giacenza != NormalizeWholeNumberText(before.Giacenza))
        return false;
    saved.Giacenza = now.Giacenza;
    record = saved.encode();
    return true;
}

} // namespace MaterialCard
