#pragma once

#include <QString>
#include <QtGlobal>

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
// Writes the VAT rate first, then the ten company keys in their order, each
// trimmed; empty values are written as empty keys, all in one replacement of
// the file. False when the file could not be written (it is then as it was).
bool writeCompanyAndVat(const Company& company, const QString& vatRate);

// "Inizio" of "Numerazione Ricevute", as stored ("" when missing).
QString readNumberingStartText();
bool writeNumberingStart(const QString& start);
// The numbering start as a number, with text as stored: empty or missing
// counts as 1. NotAStart when the stored text is not a whole number from 1
// to kLargestStart (a hand-edited file); Unreadable when the file cannot be
// read, so that no number is ever proposed from a start that is not known.
enum class Start { Read, NotAStart, Unreadable };
Start numberingStart(qint64& start, QString& text);
constexpr qint64 kLargestStart = 999999999;

} // namespace ReceiptSettings
