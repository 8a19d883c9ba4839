#include "storage/WebLinks.h"

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

} // namespace WebLinks
