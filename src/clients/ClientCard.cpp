#include "clients/ClientCard.h"

#include "platform/AppDir.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

#include <QUrl>

namespace ClientCard {

QString archiveFileName()
{
    return QStringLiteral("Clienti.pro");
}

ArchiveFile archive()
{
    return ArchiveFile(AppDir::filePath(archiveFileName()), TRecCliente::Size);
}

QString consentYes()
{
    return QStringLiteral("Sì pubblicità");
}

QString consentNo()
{
    return QStringLiteral("No pubblicità");
}

QString newCardStatus()
{
    return QStringLiteral("Pronto per compilare una nuova scheda.");
}

QString saveStatus(bool update, const QDate& date, const QTime& time)
{
    return (update ? QStringLiteral("Scheda aggiornata in data ") : QStringLiteral("Scheda salvata in data "))
           + date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" alle ore ")
           + time.toString(QStringLiteral("HH:mm:ss"));
}

QString webSearchUrl(const QString& name)
{
    return QStringLiteral("https://www.google.com/search?q=")
           + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QString mailtoUrl(const QString& address)
{
    // The "@" stays readable; everything that could end or split the address is encoded.
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
}

int Criteria::filled() const
{
    int n = 0;
    for (const QString* c : {&nominativo, &zona, &citta, &prodotti, &sconti, &categoria, &note}) {
        if (!TextRules::trim(*c).isEmpty())
            ++n;
    }
    return n;
}

namespace {

// A criterion as typed occurs in the field, letters A to Z folded.
bool occurs(const QString& criterion, const char* record, FieldPos pos)
{
    if (criterion.isEmpty())
        return false;
    return TextRules::lowerAZ(loadField(record, pos)).contains(TextRules::lowerAZ(criterion));
}

} // namespace

bool matches(const char* record, const Criteria& c, int filled)
{
    // With every criterion blank every record is listed.
    if (filled == 0)
        return true;
    int score = 0;
    score += occurs(c.nominativo, record, TRecCliente::posNominativo);
    score += occurs(c.zona, record, TRecCliente::posZona);
    score += occurs(c.citta, record, TRecCliente::posCitta);
    score += occurs(c.prodotti, record, TRecCliente::posProdotti);
    score += occurs(c.sconti, record, TRecCliente::posSconti);
    score += occurs(c.categoria, record, TRecCliente::posCategoria);
    score += occurs(c.note, record, TRecCliente::posNote);
    return score >= filled;
}

QString searchLine(const char* r)
{
    return TextRules::fit(loadField(r, TRecCliente::posNominativo), 30) + QStringLiteral("  Prodotti: ")
           + TextRules::fit(loadField(r, TRecCliente::posProdotti), 40) + QStringLiteral("  Zona: ")
           + TextRules::fit(loadField(r, TRecCliente::posZona), 25) + QStringLiteral("  - ")
           + loadField(r, TRecCliente::posNote);
}

QString searchLine(const TRecCliente& record)
{
    return searchLine(record.encode().constData());
}

QString consentLine(const char* r)
{
    return TextRules::fit(loadField(r, TRecCliente::posNominativo), 30) + QStringLiteral("  Tel. ")
           + TextRules::fit(loadField(r, TRecCliente::posTelCasa), 15) + QStringLiteral("  Cel. ")
           + TextRules::fit(loadField(r, TRecCliente::posTelCel), 15) + QStringLiteral("  E-mail: ")
           + TextRules::fit(loadField(r, TRecCliente::posEmail), 30) + QStringLiteral("  - ")
           + loadField(r, TRecCliente::posNote);
}

bool consents(const char* record)
{
    return loadField(record, TRecCliente::posPubblicita) == consentYes();
}

bool search(const Criteria& criteria, QStringList& lines)
{
    const int filled = criteria.filled();
    ArchiveFile file = archive();
    return file.scan([&](qint64, const char* record) {
        if (matches(record, criteria, filled))
            lines.append(searchLine(record));
        return true;
    });
}

bool consentList(QStringList& lines)
{
    ArchiveFile file = archive();
    return file.scan([&](qint64, const char* record) {
        if (consents(record))
            lines.append(consentLine(record));
        return true;
    });
}

bool findByLine(LineBuilder build, const QString& line, TRecCliente& record, qint64& position)
{
    const QString wanted = TextRules::trim(line);
    bool found = false;
    ArchiveFile file = archive();
    const bool ok = file.scan([&](qint64 index, const char* raw) {
        if (TextRules::trim(build(raw)) == wanted) {
            record = TRecCliente::decode(raw);
            position = index + 1;
            found = true;
        }
        return true;
    });
    return ok && found;
}

} // namespace ClientCard
