#include "einvoice/InvoiceFiles.h"

#include "platform/AppDir.h"
#include "platform/FileSystem.h"
#include "receipts/ReceiptSettings.h"
#include "storage/FileLock.h"
#include "storage/FileWrites.h"
#include "storage/TextRules.h"

#include <cerrno>
#include <cstring>

namespace InvoiceFiles {
namespace {

const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kProgressiveLength = 5;

QString settingsPath()
{
    return AppDir::filePath(ReceiptSettings::fileName());
}

const QString kChoices = QStringLiteral("Fattura Elettronica");
const QString kRegimeKey = QStringLiteral("Regime Fiscale");
const QString kNatureKey = QStringLiteral("Natura");
const QString kCodeKey = QStringLiteral("Codice destinatario");
const QString kPecKey = QStringLiteral("PEC");

// The outcome of taking a progressive from the settings.
struct Taken
{
    Written::Outcome outcome = Written::Outcome::Written;
    qint64 number = 0;
    IniFile::Written settings;
};

// The last progressive read and the one count further written in one step
// under the settings' lock; number receives the first of the count taken.
Taken takeProgressives(qint64 count)
{
    Taken taken;
    taken.settings = IniFile::update(settingsPath(), [&taken, count](const QByteArray& contents) {
        const QString last = IniFile::valueIn(contents, progressiveSection(), progressiveKey());
        const qint64 lastNumber = last.isEmpty() ? 0 : progressiveNumber(last);
        if (lastNumber < 0) {
            taken.outcome = Written::Outcome::BadProgressive;
            return std::vector<IniFile::Entry>();
        }
        if (lastNumber > kLastProgressive - count) {
            taken.outcome = Written::Outcome::Exhausted;
            return std::vector<IniFile::Entry>();
        }
        taken.number = lastNumber + 1;
        return std::vector<IniFile::Entry>{
            {progressiveSection(), progressiveKey(), progressiveText(lastNumber + count)}};
    });
    if (taken.outcome == Written::Outcome::Written && !taken.settings)
        taken.outcome = Written::Outcome::SettingsFailed;
    return taken;
}

// The invoices' folder, made when missing and opened without following a
// link in its place.
FileSystem::Descriptor openFolder()
{
    const FileSystem::Descriptor top(FileSystem::openFolder(AppDir::path()));
    if (!top.valid())
        return FileSystem::Descriptor();
    // (Another workstation may make it at the same moment.)
    if (!FileSystem::makeFolderAt(top.get(), folderName()) && errno != EEXIST)
        return FileSystem::Descriptor();
    return FileSystem::Descriptor(FileSystem::openFolderAt(top.get(), folderName()));
}

QString recipientsPath()
{
    return AppDir::filePath(recipientsFileName());
}

QString recipientSection(const QString& clientKey)
{
    return TextRules::upperAZ(TextRules::trim(clientKey));
}

} // namespace

QString folderName()
{
    return QStringLiteral("Fatture elettroniche");
}

QString folderPath()
{
    return AppDir::filePath(folderName());
}

QString progressiveSection()
{
    return QStringLiteral("Fattura Elettronica Progressivo");
}

QString progressiveKey()
{
    return QStringLiteral("Ultimo");
}

QString progressiveText(qint64 n)
{
    QString text(kProgressiveLength, QLatin1Char('0'));
    for (int i = kProgressiveLength - 1; i >= 0 && n > 0; --i, n /= 36)
        text[i] = QLatin1Char(kDigits[n % 36]);
    return text;
}

qint64 progressiveNumber(const QString& text)
{
    const QString t = TextRules::trim(text);
    if (t.size() != kProgressiveLength)
        return -1;
    qint64 n = 0;
    for (QChar c : t) {
        const char* at = c.unicode() < 0x80 && c.unicode() ? std::strchr(kDigits, char(c.unicode())) : nullptr;
        if (!at)
            return -1;
        n = n * 36 + (at - kDigits);
    }
    return n;
}

QString fileName(const QString& sellerVat, const QString& progressive)
{
    return QStringLiteral("IT") + TextRules::trim(sellerVat) + QLatin1Char('_') + progressive + QStringLiteral(".xml");
}

Written write(const QString& sellerVat, const Compose& compose)
{
    return writeAll({{sellerVat, compose}}).front();
}

std::vector<Written> writeAll(const std::vector<Piece>& pieces, const Progress& progress)
{
    std::vector<Written> out(pieces.size());
    const FileSystem::Descriptor folder = openFolder();
    std::vector<size_t> todo;
    for (size_t i = 0; i < pieces.size(); ++i) {
        out[i].outcome = Written::Outcome::FolderFailed;
        todo.push_back(i);
    }
    if (!folder.valid())
        return out;
    // A name already taken (a file copied in, settings put back from a
    // backup) costs its progressive: the rename that would give it finds it
    // taken and never goes over it, and that piece goes round again with a
    // new one. Each piece counts once in the progress, when first written.
    int written = 0;
    std::vector<bool> counted(pieces.size(), false);
    while (!todo.empty()) {
        const Taken taken = takeProgressives(qint64(todo.size()));
        if (taken.outcome != Written::Outcome::Written) {
            for (size_t i : todo) {
                out[i].outcome = taken.outcome;
                out[i].settings = taken.settings;
            }
            break;
        }
        FileWrites::NewFiles files(folder.get());
        std::vector<size_t> added, again;
        bool full = false;
        for (size_t k = 0; k < todo.size(); ++k) {
            Written& w = out[todo[k]];
            w.outcome = Written::Outcome::WriteFailed;
            if (full)
                continue;
            w.progressive = progressiveText(taken.number + qint64(k));
            const QString name = fileName(pieces[todo[k]].sellerVat, w.progressive);
            w.path = folderPath() + QLatin1Char('/') + name;
            if (!files.add(name, pieces[todo[k]].compose(w.progressive))) {
                full = true;
                continue;
            }
            added.push_back(todo[k]);
            if (!counted[todo[k]]) {
                counted[todo[k]] = true;
                if (progress)
                    progress(++written);
            }
        }
        const std::vector<FileWrites::Created> outcomes = files.commit();
        for (size_t k = 0; k < added.size(); ++k) {
            if (outcomes[k] == FileWrites::Created::Done)
                out[added[k]].outcome = Written::Outcome::Written;
            else if (outcomes[k] == FileWrites::Created::Taken)
                again.push_back(added[k]);
        }
        todo = full ? std::vector<size_t>() : again;
    }
    for (Written& w : out) {
        if (!w.ok())
            w.path.clear();
    }
    return out;
}

QString failureMessage(const Written& written)
{
    switch (written.outcome) {
    case Written::Outcome::Written:
        return QString();
    case Written::Outcome::SettingsFailed:
        if (!written.settings.heldLock.isEmpty())
            return lockFileMessage(written.settings.heldLock);
        return QStringLiteral("Impossibile aggiornare il progressivo delle fatture elettroniche nel file %1: la "
                              "fattura non è stata creata.")
            .arg(settingsPath());
    case Written::Outcome::BadProgressive:
        return QStringLiteral("Il progressivo delle fatture elettroniche (sezione \"%1\" del file %2) non è "
                              "leggibile: per non riusare un nome già inviato, la fattura non è stata creata. "
                              "Indicare nel file l'ultimo progressivo usato (cinque cifre o lettere maiuscole).")
            .arg(progressiveSection(), settingsPath());
    case Written::Outcome::Exhausted:
        return QStringLiteral("I progressivi delle fatture elettroniche sono esauriti (ultimo: ZZZZZ): la fattura "
                              "non è stata creata.");
    case Written::Outcome::FolderFailed:
        return QStringLiteral("Impossibile creare o aprire la cartella %1: la fattura non è stata creata.")
            .arg(folderPath());
    case Written::Outcome::WriteFailed:
        break;
    }
    return QStringLiteral("Impossibile scrivere la fattura elettronica nella cartella %1 (disco pieno o cartella "
                          "non scrivibile): nessun file è stato creato.")
        .arg(folderPath());
}

QString rememberedTaxRegime()
{
    return IniFile::read(settingsPath(), kChoices, kRegimeKey);
}

QString rememberedNature()
{
    return IniFile::read(settingsPath(), kChoices, kNatureKey);
}

IniFile::Written rememberChoices(const QString& taxRegime, const QString& nature)
{
    return IniFile::write(settingsPath(), {{kChoices, kRegimeKey, taxRegime}, {kChoices, kNatureKey, nature}});
}

QString recipientsFileName()
{
    return QStringLiteral("Destinatari.ini");
}

Recipient rememberedRecipient(const QString& clientKey)
{
    Recipient r;
    const QString section = recipientSection(clientKey);
    if (section.isEmpty())
        return r;
    QByteArray contents;
    if (!IniFile::readContents(recipientsPath(), contents))
        return r;
    r.code = IniFile::valueIn(contents, section, kCodeKey);
    r.pec = IniFile::valueIn(contents, section, kPecKey);
    return r;
}

IniFile::Written rememberRecipient(const QString& clientKey, const Recipient& recipient)
{
    const QString section = recipientSection(clientKey);
    if (section.isEmpty())
        return IniFile::Written{true, QString()};
    return IniFile::write(recipientsPath(),
                          {{section, kCodeKey, TextRules::trim(recipient.code)}, {section, kPecKey, TextRules::trim(recipient.pec)}});
}

} // namespace InvoiceFiles
