#pragma once

#include "storage/IniFile.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <vector>

// The receipts' settings in Impostazioni.ini beside the program: the data of
// the issuing company, the VAT rate and the number the first receipt of a
// year takes. A missing file or key reads as an empty text.
namespace ReceiptSettings {

QString fileName();   // "Impostazioni.ini"

// The ten company keys of "Dati Azienda", trimmed texts.
struct Company
{
    QString nome, indirizzo, cap, comune, provincia, partitaIva, codiceFiscale, libero1, libero2, banca;
};

// The company keys and "Percentuale" of "Aliquota IVA" as stored (the
// editor shows "0" for an empty rate), from one reading of the file. False,
// filling nothing, when the file is there but cannot be read (a folder in
// its place, a file of several megabytes, no permission): its values are
// unknown, not empty.
bool readCompanyAndVat(Company& company, QString& vatRate);
// What the screens say of such a file, naming it with its full path.
QString unreadableMessage();
// What the user changed since the settings were read: company keys with
// their new values, and the rate when it was changed.
struct Changes
{
    std::vector<std::pair<QString Company::*, QString>> company;
    std::optional<QString> vatRate;
    bool empty() const { return company.empty() && !vatRate; }
};
// Writes the changed keys only, the VAT rate first, then the company keys in
// their order, each trimmed (an empty value as an empty key), all in one
// replacement of the file under its lock: a key another workstation changed
// meanwhile and not changed here keeps that workstation's value. Nothing
// changed, nothing written. False when the file could not be written (it is
// then as it was).
IniFile::Written writeChanges(const Changes& changes);
// What the screens say when the settings could not be written: the file is
// named with its full path, or the lock file when that was the cause.
QString unwritableMessage(const IniFile::Written& written);

// "Inizio" of "Numerazione Ricevute", as stored ("" when missing).
QString readNumberingStartText();
IniFile::Written writeNumberingStart(const QString& start);
// The numbering start as a number, with text as stored: empty or missing
// counts as 1. NotAStart when the stored text is not a whole number from 1
// to kLargestStart (a hand-edited file); Unreadable when the file cannot be
// read, so that no number is ever proposed from a start that is not known.
enum class Start { Read, NotAStart, Unreadable };
Start numberingStart(qint64& start, QString& text);
constexpr qint64 kLargestStart = 999999999;

} // namespace ReceiptSettings
