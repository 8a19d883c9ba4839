#include "app/Maker.h"

#include "storage/WebLinks.h"

QString MakerWebAddress()
{
    return QStringLiteral("https://www.ventoria.it");
}

QString MakerMailAddress()
{
    return QStringLiteral("info@ventoria.it");
}

QString MakerMailto()
{
    return WebLinks::mailtoUrl(
        MakerMailAddress(), QStringLiteral("Software Ventoria 2.0"),
        QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
}
