#include "launcher/Maker.h"

#include "platform/WebLinks.h"

QString makerWebAddress()
{
    return QStringLiteral("https://www.ventoria.it");
}

QString makerMailAddress()
{
    return QStringLiteral("info@ventoria.it");
}

QString makerMailto()
{
    return WebLinks::mailtoUrl(
        makerMailAddress(), QStringLiteral("Software Ventoria 2.0"),
        QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
}
