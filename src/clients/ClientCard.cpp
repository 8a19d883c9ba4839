#include "clients/ClientCard.h"

#include "platform/AppDir.h"
#include "storage/ArchiveFile.h"
#include "storage/ListSearch.h"
#include "storage/TextRules.h"
#include "platform/WebLinks.h"


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

void composeSearchLine(const char* r, LineComposer& line)
{
    line.fitted(r, TRecCliente::posNominativo, 30).text(u"  Prodotti: ").fitted(r, TRecCliente::posProdotti, 40);
    line.text(u"  Zona: ").fitted(r, TRecCliente::posZona, 25).text(u"  - ").field(r, TRecCliente::posNote);
}

QString searchLine(const char* r)
{
    return LineComposer::textOf(composeSearchLine, r);
}

QString searchLine(const TRecCliente& record)
{
    return searchLine(record.encode().constData());
}

void composeConsentLine(const char* r, LineComposer& line)
{
    line.fitted(r, TRecCliente::posNominativo, 30).text(u"  Tel. ").fitted(r, TRecCliente::posTelCasa, 15);
    line.text(u"  Cel. ").fitted(r, TRecCliente::posTelCel, 15).text(u"  E-mail: ").fitted(r, TRecCliente::posEmail, 30);
    line.text(u"  - ").field(r, TRecCliente::posNote);
}

QString consentLine(const char* r)
{
    return LineComposer::textOf(composeConsentLine, r);
}

bool consents(const char* record)
{
    return loadField(record, TRecCliente::posPubblicita) == consentYes();
}
} // namespace ClientCard
