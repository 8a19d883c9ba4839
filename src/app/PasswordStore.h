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

// Writes the canonical form of password, scrambled. False on failure (the
// store is then unchanged).
bool write(const QString& password);

QString loginFailedMessage();
QString readErrorMessage();
QString oldPasswordWrongMessage();
QString confirmationMismatchMessage();
QString changedMessage();
QString changeErrorMessage();

} // namespace PasswordStore
