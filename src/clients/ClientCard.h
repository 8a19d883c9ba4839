#pragma once

#include "storage/ClientRecord.h"
#include "storage/ListSearch.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <vector>

class ArchiveFile;

// What the client screens share without widgets: the archive, the texts of
// the card, the list lines of the search and of the consent list, and the
// way back from a list line to its record.
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

// The seven criteria of the client search, as typed.
struct Criteria
{
    QString nominativo, zona, citta, prodotti, sconti, categoria, note;
    std::vector<ListSearch::Criterion> fields() const;
};

// The list line of the client search: name (30), products (40), zone (25), note.
void composeSearchLine(const char* record, LineComposer& line);
QString searchLine(const char* record);
QString searchLine(const TRecCliente& record);
// The list line of the consent list: name (30), home (15), mobile (15), e-mail (30), note.
void composeConsentLine(const char* record, LineComposer& line);
QString consentLine(const char* record);
bool consents(const char* record);

// Lines of every matching record, in file order; false after an archive failure
// (the lines found so far are kept). The search reports the failure, the
// consent list stops silently.
bool search(const Criteria& criteria, PackedLines& lines);
bool consentList(PackedLines& lines);

// The record whose rebuilt line, trimmed, equals the chosen line, trimmed; the
// last such record in the file wins. False when none matches or the archive
// fails; nothing is reported either way.
bool findByLine(LineComposer::Composition build, const QString& line, TRecCliente& record, qint64& position);

} // namespace ClientCard
