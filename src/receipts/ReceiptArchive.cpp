#include "receipts/ReceiptArchive.h"

#include "platform/AppDir.h"
#include "receipts/ReceiptSettings.h"
#include "storage/ListSearch.h"
#include "storage/TextRules.h"

#include <QDate>
#include <QRegularExpression>

namespace ReceiptArchive {

bool isYear(const QString& text)
{
    if (text.size() != 4)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString yearFilePath(const QString& year)
{
    return AppDir::filePath(TextRules::trim(year) + QStringLiteral(".ric"));
}

ArchiveFile yearFile(const QString& path)
{
    return ArchiveFile(path, TRecRicevuta::Size);
}

Proposal proposeNumber(ArchiveFile& file)
{
    Proposal p;
    qint64 start = 1;
    // The start is judged before the file is touched: a hand-edited
    // settings file is not an archive failure.
    if (!ReceiptSettings::numberingStart(start)) {
        p.outcome = Numbering::BadStart;
        return p;
    }
    if (!file.count(p.counted))
        return p;
    p.number = QString::number(start + p.counted);
    p.outcome = Numbering::Proposed;
    return p;
}

QString badStartMessage(const QString& startText)
{
    return QStringLiteral("Attenzione: l'inizio della numerazione ricevute indicato nelle impostazioni (\"%1\") "
                          "non è un numero intero.\n\nImpostare un nuovo inizio numerazione dalla schermata di "
                          "scelta dell'anno.")
        .arg(TextRules::trim(startText));
}

ArchiveFile::RecordTest carriesNumber(const QString& number)
{
    const QString wanted = TextRules::trim(number);
    return [wanted](const char* record) { return loadField(record, TRecRicevuta::posNumRic) == wanted; };
}

bool isSavableDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    const QRegularExpressionMatch m = form.match(TextRules::trim(text));
    if (!m.hasMatch())
        return false;
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()).isValid();
}

QString paidMark(bool paid)
{
    return paid ? QStringLiteral("Sì") : QStringLiteral("No");
}

namespace {

// The line of the seven fields it shows, however they were read.
QString lineOf(const QString& ricevuta, const QString& numRic, const QString& data, const QString& cliente,
               const QString& totNetto, const QString& totIva, const QString& totale)
{
    using TextRules::fit;
    using TextRules::trim;
    return fit(trim(ricevuta) + QLatin1Char(' ') + trim(numRic), 24) + QStringLiteral("  Data: ")
           + fit(trim(data), 10) + QStringLiteral("  Cliente: ") + fit(trim(cliente), 30)
           + QStringLiteral("  Tot. netto: € ") + fit(trim(totNetto), 12) + QStringLiteral("  Tot. IVA: € ")
           + fit(trim(totIva), 12) + QStringLiteral("  TOTALE: € ") + trim(totale);
}

} // namespace

QString listLine(const TRecRicevuta& r)
{
    return lineOf(r.Ricevuta, r.NumRic, r.Data, r.Cliente, r.TotNetto, r.TotIva, r.Totale);
}

// Only the seven fields are read: the lists rebuild this line for every
// receipt of the year, and a whole receipt has a hundred and fifty fields.
QString listLine(const char* record)
{
    using R = TRecRicevuta;
    return lineOf(loadField(record, R::posRicevuta), loadField(record, R::posNumRic), loadField(record, R::posData),
                  loadField(record, R::posCliente), loadField(record, R::posTotNetto),
                  loadField(record, R::posTotIva), loadField(record, R::posTotale));
}

bool findByListLine(ArchiveFile& file, const QString& line, TRecRicevuta& receipt, qint64& position)
{
    QByteArray raw;
    if (!ListSearch::findByLine(file, [](const char* r) { return listLine(r); }, line, raw, position))
        return false;
    receipt = TRecRicevuta::decode(raw);
    return true;
}

} // namespace ReceiptArchive
