#include "platform/WebLinks.h"

#include <QUrl>

namespace WebLinks {

QString searchUrl(const QString& query)
{
    return QStringLiteral("https://www.google.com/search?q=") + QString::fromLatin1(QUrl::toPercentEncoding(query));
}

QString mailtoUrl(const QString& address)
{
    // The "@" stays readable; everything that could end or split the address is encoded.
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
}

QString mailtoUrl(const QString& address, const QString& subject, const QString& body)
{
    // Blanks, commas, "&" and "?" in the texts would end or split the fields.
    return mailtoUrl(address) + QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject))
           + QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(body));
}

} // namespace WebLinks
