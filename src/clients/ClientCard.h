#pragma once

#include "storage/ClientRecord.h"
#include "storage/ListSearch.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <vector>

class ArchiveFile;

// What the client screens share without widgets: the archive, the texts of
// the card, and the list lines of the search and of the consent list.
namespace ClientCard {

QString archiveFileName();   // "Clienti.pro"
ArchiveFile archive();

QString consentYes();        // "Sì pubblicità"
QString consentNo();         // "No pubblicità"
QString newCardStatus();     // "Pronto per compilare una nuova scheda."

// "Scheda salvata in data dd/mm/yyyy alle ore hh:mm:ss", or "aggiornata" for an update.
QString saveStatus(bool update, const QDate& date, const QTime& time);

// The web search of a client's name: the query properly encoded, so that a
// name with "&", "#" or "+" searches for that name.
QString webSearchUrl(const QString& name);
// The mailto hand-off for an address, encoded the same way.
QString mailtoUrl(const QString& address);

// The list line of the client search: name (30), products (40), zone (25), note.
void composeSearchLine(const char* record, LineComposer& line);
QString searchLine(const char* record);
QString searchLine(const TRecCliente& record);
// The list line of the consent list: name (30), home (15), mobile (15), e-mail (30), note.
void composeConsentLine(const char* record, LineComposer& line);
QString consentLine(const char* record);
bool consents(const char* record);

} // namespace ClientCard
