#pragma once

#include "storage/IniFile.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

// Where the electronic invoices go and what they are called: the folder
// "Fatture elettroniche" beside the program, made when the first invoice is
// written, and the name the exchange system wants, IT + the seller's VAT
// number + "_" + a progressive of five characters 0-9 A-Z + ".xml". The
// progressive lives in Impostazioni.ini, in a section of its own, and is
// taken under the settings' lock: two workstations writing at the same
// moment never take the same one, and a progressive once taken is never
// taken again (the exchange system refuses a name it has already seen).
namespace InvoiceFiles {

QString folderName();   // "Fatture elettroniche"
QString folderPath();

// The section and key of the last progressive taken.
QString progressiveSection();   // "Fattura Elettronica Progressivo"
QString progressiveKey();       // "Ultimo"

// n written in base 36 on five characters ("00001", "0000A", "ZZZZZ");
// the number a progressive stands for, -1 for a text that is not one.
QString progressiveText(qint64 n);
qint64 progressiveNumber(const QString& text);
constexpr qint64 kLastProgressive = 36LL * 36 * 36 * 36 * 36 - 1;

QString fileName(const QString& sellerVat, const QString& progressive);

struct Written
{
    enum class Outcome { Written, SettingsFailed, BadProgressive, Exhausted, FolderFailed, WriteFailed };
    Outcome outcome = Outcome::WriteFailed;
    QString path;          // the file written
    QString progressive;   // the progressive it carries
    IniFile::Written settings;   // why the settings could not be written
    bool ok() const { return outcome == Outcome::Written; }
};

// Takes the next progressive, has compose make the file's bytes with it,
// and writes them as a new file of the folder: to a temporary file first,
// renamed to its name only when every byte is on disk, never over a file
// already there. A name already taken (a file copied in, settings put back
// from a backup) costs its progressive, and the next one is taken.
using Compose = std::function<QByteArray(const QString& progressive)>;
Written write(const QString& sellerVat, const Compose& compose);

// Several invoices at once (a month): their progressives taken in one step,
// their files written one after the other and put on disk together before
// any of them takes its name. One outcome per piece, in order; progress is
// told how many files are written so far. A failure of the settings or the
// folder fails every piece; a file that cannot be written (a full disk)
// fails it and every one after it.
struct Piece
{
    QString sellerVat;
    Compose compose;
};
using Progress = std::function<void(int written)>;
std::vector<Written> writeAll(const std::vector<Piece>& pieces, const Progress& progress = {});

// What the user is told when write() failed, in Italian.
QString failureMessage(const Written& written);

// The regime and the nature chosen last time, in "Fattura Elettronica" of
// the settings; empty when never chosen.
QString rememberedTaxRegime();
QString rememberedNature();
IniFile::Written rememberChoices(const QString& taxRegime, const QString& nature);

// The recipient's code and PEC used last for a client, kept by its VAT
// number or, without one, its tax code, in Destinatari.ini beside the
// settings. Empty texts when the client was never invoiced.
QString recipientsFileName();   // "Destinatari.ini"
struct Recipient
{
    QString code;
    QString pec;
};
Recipient rememberedRecipient(const QString& clientKey);
IniFile::Written rememberRecipient(const QString& clientKey, const Recipient& recipient);

} // namespace InvoiceFiles
