#include "receipts/ReceiptSettings.h"

#include "platform/AppDir.h"
#include "storage/IniFile.h"
#include "storage/TextRules.h"

namespace ReceiptSettings {

namespace {

const QString kCompany = QStringLiteral("Dati Azienda");
const QString kVat = QStringLiteral("Aliquota IVA");
const QString kNumbering = QStringLiteral("Numerazione Ricevute");

QString path()
{
    return AppDir::filePath(fileName());
}

// The company keys in the order they are written, with the field each holds.
struct Key
{
    const char* name;
    QString Company::*field;
};

const Key kKeys[] = {
    {"Nome", &Company::nome},
    {"Indirizzo", &Company::indirizzo},
    {"CAP", &Company::cap},
    {"Comune", &Company::comune},
    {"Provincia", &Company::provincia},
    {"Partita IVA", &Company::partitaIva},
    {"Codice Fiscale", &Company::codiceFiscale},
    {"Campo Libero 1", &Company::libero1},
    {"Campo Libero 2", &Company::libero2},
    {"Banca Appoggio", &Company::banca},
};

} // namespace

QString fileName()
{
    return QStringLiteral("Impostazioni.ini");
}

Company readCompany()
{
    Company c;
    for (const Key& k : kKeys)
        c.*(k.field) = IniFile::read(path(), kCompany, QLatin1String(k.name));
    return c;
}

QString readVatRate()
{
    return IniFile::read(path(), kVat, QStringLiteral("Percentuale"));
}

bool writeCompanyAndVat(const Company& company, const QString& vatRate)
{
    // One replacement of the file: a failure midway never leaves the new
    // rate beside the old company, or half of the company changed.
    std::vector<IniFile::Entry> entries{{kVat, QStringLiteral("Percentuale"), TextRules::trim(vatRate)}};
    for (const Key& k : kKeys)
        entries.push_back({kCompany, QLatin1String(k.name), TextRules::trim(company.*(k.field))});
    return IniFile::write(path(), entries);
}

QString readNumberingStartText()
{
    return IniFile::read(path(), kNumbering, QStringLiteral("Inizio"));
}

bool writeNumberingStart(const QString& start)
{
    return IniFile::write(path(), kNumbering, QStringLiteral("Inizio"), TextRules::trim(start));
}

bool numberingStart(qint64& start)
{
    const QString text = TextRules::trim(readNumberingStartText());
    if (text.isEmpty()) {
        start = 1;
        return true;
    }
    bool whole = false;
    const qint64 value = text.toLongLong(&whole);
    if (!whole)
        return false;
    start = value;
    return true;
}

} // namespace ReceiptSettings
