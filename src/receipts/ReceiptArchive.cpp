#include "receipts/ReceiptArchive.h"

#include "platform/AppDir.h"
#include "receipts/ReceiptSettings.h"
#include "storage/ListSearch.h"
#include "storage/ShortString.h"
#include "storage/TextRules.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace ReceiptArchive {

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
    switch (ReceiptSettings::numberingStart(start, p.startText)) {
    case ReceiptSettings::Start::Read:
        break;
    case ReceiptSettings::Start::NotAStart:
        p.outcome = Numbering::BadStart;
        return p;
    case ReceiptSettings::Start::Unreadable:
        p.outcome = Numbering::SettingsUnreadable;
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

ArchiveFile::FieldTest carriesNumber(const QString& number, ArchiveFile::FieldIndex* index)
{
    // Compared as bytes: a year of receipts is looked through at every save
    // of a new one, and no text is made of the numbers that differ.
    const FieldPos pos = TRecRicevuta::posNumRic;
    ArchiveFile::FieldTest test;
    test.offset = pos.offset;
    test.length = pos.capacity + 1;
    test.keyOf = [pos](const char* stored) {
        const auto [text, length] = ShortString::loadBytes(stored, pos.capacity);
        return std::string(text, size_t(length));
    };
    QByteArray field(pos.capacity + 1, '\0');
    ShortString::store(field.data(), pos.capacity, number);
    test.key = test.keyOf(field.constData());
    test.test = [keyOf = test.keyOf, key = test.key](const char* stored) { return keyOf(stored) == key; };
    test.index = index;
    return test;
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

void composeListLine(const char* record, LineComposer& line)
{
    using R = TRecRicevuta;
    const std::size_t number = line.mark();
    line.field(record, R::posRicevuta).text(u" ").field(record, R::posNumRic).fitSince(number, 24);
    line.text(u"  Data: ").fitted(record, R::posData, 10).text(u"  Cliente: ").fitted(record, R::posCliente, 30);
    line.text(u"  Tot. netto: € ").fitted(record, R::posTotNetto, 12);
    line.text(u"  Tot. IVA: € ").fitted(record, R::posTotIva, 12).text(u"  TOTALE: € ").field(record, R::posTotale);
}

QString listLine(const TRecRicevuta& r)
{
    return listLine(r.encode().constData());
}

// Only the seven fields are read: the lists rebuild this line for every
// receipt of the year, and a whole receipt has a hundred and fifty fields.
QString listLine(const char* record)
{
    return LineComposer::textOf(composeListLine, record);
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
