#include "clients/ClientCard.h"

#include "platform/AppDir.h"
#include "storage/ArchiveFile.h"
#include "storage/ListSearch.h"
#include "storage/TextRules.h"
#include "storage/WebLinks.h"


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
    return WebLinks::searchUrl(name);
}

QString mailtoUrl(const QString& address)
{
    return WebLinks::mailtoUrl(address);
}

std::vector<ListSearch::Criterion> Criteria::fields() const
{
    return {{nominativo, TRecCliente::posNominativo}, {zona, TRecCliente::posZona},
            {citta, TRecCliente::posCitta},           {prodotti, TRecCliente::posProdotti},
            {sconti, TRecCliente::posSconti},         {categoria, TRecCliente::posCategoria},
            {note, TRecCliente::posNote}};
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
    ArchiveFile file = archive();
    return ListSearch::collect(file, criteria.fields(), [](const char* r) { return searchLine(r); }, lines);
}

bool consentList(QStringList& lines)
{
    ArchiveFile file = archive();
    return ListSearch::collectWhere(
        file, [](const char* r) { return consents(r); }, [](const char* r) { return consentLine(r); }, lines);
}

bool findByLine(LineBuilder build, const QString& line, TRecCliente& record, qint64& position)
{
    ArchiveFile file = archive();
    QByteArray raw;
    if (!ListSearch::findByLine(file, build, line, raw, position))
        return false;
    record = TRecCliente::decode(raw);
    return true;
}

} // namespace ClientCard
