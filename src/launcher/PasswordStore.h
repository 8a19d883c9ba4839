#pragma once

#include <QString>

// The password store unins000.dll beside the executable: an INI file whose
// value "Valore" in section "Accesso" holds the scrambled password. The
// password is kept in canonical form: trimmed, letters a to z upper-cased.
namespace PasswordStore {

QString fileName();
QString canonical(const QString& typed);

// stored receives the stored password, trimmed; empty when the file, the
// section or the key is missing. False when the file cannot be read or the
// value is not hexadecimal.
bool read(QString& stored);
// The same from the bytes of a store.
bool readFrom(const QByteArray& contents, QString& stored);

// The largest store read. A store holds one line of at most 460 digits;
// a bigger file is refused at once, unread, as a damaged store.
constexpr qint64 kMaxStoreSize = 64 * 1024;

// True when the canonical form of password survives the store's code page
// (Windows-1252) unchanged, so that the user can type it back. A password with
// other characters would be stored mangled or empty.
bool storable(const QString& password);

// Writes the canonical form of password, scrambled, then reads the store back:
// unless it gives exactly the canonical form, the old store is put back. False
// on failure (the store is then unchanged). All of it under one exclusive
// lock: two workstations changing the password at once take turns.
bool write(const QString& password);
// The same, but only while the store still holds oldPassword (canonical
// form), looked at under that lock: a password changed meanwhile on another
// workstation makes the old one typed here wrong, and nothing is written.
enum class Replaced { Done, OldPasswordWrong, Failed };
Replaced replace(const QString& oldPassword, const QString& password);
// The bytes of a store that holds the canonical form of password, scrambled,
// in place of whatever contents held before; everything else is kept.
QByteArray withPassword(const QByteArray& contents, const QString& password);

QString loginFailedMessage();
QString readErrorMessage();
QString oldPasswordWrongMessage();
QString confirmationMismatchMessage();
QString changedMessage();
QString changeErrorMessage();
QString notStorableMessage();

} // namespace PasswordStore
