#include "app/PasswordStore.h"

#include "app/Crypt.h"
#include "platform/AppDir.h"
#include "storage/IniFile.h"
#include "storage/TextRules.h"

namespace PasswordStore {

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
}

QString fileName()
{
    return QStringLiteral("unins000.dll");
}

QString canonical(const QString& typed)
{
    return TextRules::upperAZ(TextRules::trim(typed));
}

bool read(QString& stored)
{
    QString hex;
    if (!IniFile::read(AppDir::filePath(fileName()), kSection, kKey, hex))
        return false;
    QString plain;
    if (!Decrypt(hex, plain))
        return false;
    stored = TextRules::trim(plain);
    return true;
}

bool write(const QString& password)
{
    return IniFile::write(AppDir::filePath(fileName()), kSection, kKey, Encrypt(canonical(password)));
}

QString loginFailedMessage()
{
    return QStringLiteral("Attenzione: password errata.");
}

QString readErrorMessage()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                          "Si consiglia di reinstallare il software.");
}

QString oldPasswordWrongMessage()
{
    return QStringLiteral("Attenzione: vecchia password errata.");
}

QString confirmationMismatchMessage()
{
    return QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                          "E' necessario reinserire entrambi i valori.");
}

QString changedMessage()
{
    return QStringLiteral("Modifica della password avvenuta con successo.");
}

QString changeErrorMessage()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                          "Si consiglia di reinstallare il software.");
}

} // namespace PasswordStore
