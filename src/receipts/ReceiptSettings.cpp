#include "receipts/ReceiptSettings.h"

#include "platform/AppDir.h"
#include "storage/FileLock.h"
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

bool readCompanyAndVat(Company& company, QString& vatRate)
{
    QByteArray contents;
    if (!IniFile::readContents(path(), contents))
        return false;
    for (const Key& k : kKeys)
        company.*(k.field) = IniFile::valueIn(contents, kCompany, QLatin1String(k.name));
    vatRate = IniFile::valueIn(contents, kVat, QStringLiteral("Percentuale"));
    return true;
}

QString unreadableMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di leggere il file delle impostazioni \"%1\".\n\n"
                          "I dati della ditta, l'aliquota IVA e l'inizio della numerazione delle ricevute non sono "
                          "disponibili finché il file non torna leggibile.")
        .arg(path());
}

IniFile::Written writeChanges(const Changes& changes)
{
    if (changes.empty())
        return IniFile::Written{true, QString()};
    // One replacement of the file: a failure midway never leaves the new
    // rate beside the old company, or half of the company changed.
    std::vector<IniFile::Entry> entries;
    if (changes.vatRate)
        entries.push_back({kVat, QStringLiteral("Percentuale"), TextRules::trim(*changes.vatRate)});
    for (const Key& k : kKeys) {
        for (const auto& [field, value] : changes.company) {
            if (field == k.field)
                entries.push_back({kCompany, QLatin1String(k.name), TextRules::trim(value)});
        }
    }
    return IniFile::write(path(), entries);
}

QString unwritableMessage(const IniFile::Written& written)
{
    if (!written.heldLock.isEmpty())
        return lockFileMessage(written.heldLock);
    return QStringLiteral("Attenzione: il sistema non permette di salvare il file delle impostazioni \"%1\".\n\n"
                          "Le modifiche non sono state salvate.")
        .arg(path());
}

QString readNumberingStartText()
{
    return IniFile::read(path(), kNumbering, QStringLiteral("Inizio"));
}

IniFile::Written writeNumberingStart(const QString& start)
{
    return IniFile::write(path(), kNumbering, QStringLiteral("Inizio"), TextRules::trim(start));
}

Start numberingStart(qint64& start, QString& text)
{
    if (!IniFile::read(path(), kNumbering, QStringLiteral("Inizio"), text))
        return Start::Unreadable;
    const QString trimmed = TextRules::trim(text);
    if (trimmed.isEmpty()) {
        start = 1;
        return Start::Read;
    }
    // Digits only, at most nine of them after any leading zeros: the start
    // plus a year's receipts stays far from the limits of the number New
    // computes, whatever was typed into the file.
    bool digits = true;
    for (const QChar c : trimmed)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    int first = 0;
    while (first < trimmed.size() - 1 && trimmed.at(first) == QLatin1Char('0'))
        ++first;
    const qint64 value = digits && trimmed.size() - first <= 9 ? trimmed.mid(first).toLongLong() : 0;
    if (value < 1 || value > kLargestStart)
        return Start::NotAStart;
    start = value;
    return Start::Read;
}

} // namespace ReceiptSettings
