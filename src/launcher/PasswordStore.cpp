#include "launcher/PasswordStore.h"

#include "launcher/Crypt.h"
#include "platform/AppDir.h"
#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/IniFile.h"
#include "storage/RegularFile.h"
#include "storage/ShortString.h"
#include "storage/TextRules.h"

#include <QFile>

#include <optional>

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

bool readFrom(const QByteArray& contents, QString& stored)
{
    QString plain;
    if (!Decrypt(IniFile::valueIn(contents, kSection, kKey), plain))
        return false;
    stored = TextRules::trim(plain);
    return true;
}

bool read(QString& stored)
{
    QByteArray contents;
    return RegularFile::readAll(AppDir::filePath(fileName()), kMaxStoreSize, contents)
               != RegularFile::Outcome::Refused
           && readFrom(contents, stored);
}

QByteArray withPassword(const QByteArray& contents, const QString& password)
{
    return IniFile::withValue(contents, kSection, kKey, Encrypt(canonical(password)));
}

bool storable(const QString& password)
{
    return ShortString::isWindows1252(canonical(password));
}

namespace {

// The store as it is on disk, to put it back when a new one proves wrong.
struct Snapshot
{
    bool existed = false;
    QByteArray bytes;
};

bool takeSnapshot(const QString& path, Snapshot& snapshot)
{
    const RegularFile::Outcome read = RegularFile::readAll(path, kMaxStoreSize, snapshot.bytes);
    snapshot.existed = read == RegularFile::Outcome::Read;
    return read != RegularFile::Outcome::Refused;
}

void restore(const QString& path, const Snapshot& snapshot)
{
    if (snapshot.existed)
        FileWrites::replaceFile(path, snapshot.bytes);
    else
        QFile::remove(path);
}

// Looked at, replaced, read back and, if need be, put back as one step: a
// change made at the same moment on another workstation waits. With
// expected, the store must still hold it when looked at under the lock.
Replaced replaceUnderLock(const std::optional<QString>& expected, const QString& password)
{
    const QString path = AppDir::filePath(fileName());
    const QString wanted = canonical(password);
    const ReplacementLock lock(path);
    if (!lock.held())
        return Replaced::Failed;
    Snapshot before;
    if (!takeSnapshot(path, before))
        return Replaced::Failed;
    if (expected) {
        QString stored;
        if (!readFrom(before.bytes, stored))
            return Replaced::Failed;
        if (stored.isEmpty() || stored != canonical(*expected))
            return Replaced::OldPasswordWrong;
    }
    if (!FileWrites::replaceFile(path, withPassword(before.bytes, wanted)))
        return Replaced::Failed;
    // Only a store that gives back what the user will type may stay: anything
    // else would lock everyone out of the program.
    QString stored;
    if (read(stored) && stored == wanted)
        return Replaced::Done;
    restore(path, before);
    return Replaced::Failed;
}

} // namespace

bool write(const QString& password)
{
    return replaceUnderLock(std::nullopt, password) == Replaced::Done;
}

Replaced replace(const QString& oldPassword, const QString& password)
{
    return replaceUnderLock(oldPassword, password);
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

QString notStorableMessage()
{
    return QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi.");
}

} // namespace PasswordStore
