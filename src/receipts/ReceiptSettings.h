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

Company readCompany();
// "Percentuale" of "Aliquota IVA", as stored (the editor shows "0" for empty).
QString readVatRate();
// Writes the VAT rate first, then the ten company keys in their order, each
// trimmed; empty values are written as empty keys, all in one replacement of
// the file. False when the file could not be written (it is then as it was).
bool writeCompanyAndVat(const Company& company, const QString& vatRate);

// "Inizio" of "Numerazione Ricevute", as stored ("" when missing).
QString readNumberingStartText();
bool writeNumberingStart(const QString& start);
// The numbering start as a number: empty or missing counts as 1; false when
// the stored text is not a whole number (a hand-edited file).
bool numberingStart(qint64& start);

} // namespace ReceiptSettings
