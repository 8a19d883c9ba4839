#pragma once

#include <QString>

// The addresses handed to the shell, properly encoded: a text with "&", "#"
// or "+" searches for that text, an address cannot be split or ended early.
namespace WebLinks {

// The web search engine's query for a text, as typed.
QString searchUrl(const QString& query);
// The mailto hand-off for an address.
QString mailtoUrl(const QString& address);
// The mailto hand-off of a message with its subject and first words: the
// mail program receives the texts exactly as given.
QString mailtoUrl(const QString& address, const QString& subject, const QString& body);

} // namespace WebLinks
