#pragma once

// What the benchmarks share: the archives of the sizes a busy shop reaches
// (100,000 client cards, 100,000 material cards, a year of 50,000
// receipts), the raw read every figure is compared with, the peak memory of
// each subject, and one way of printing a figure so that every benchmark
// reads alike: subject, size, figure, baseline, ratio, peak memory, target.

#include "platform/ConsolePlatform.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QQueue>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <cstring>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

constexpr int kCards = 100000;
constexpr int kReceipts = 50000;

// Seconds to read the whole file in 1 MB chunks.
inline double rawRead(const QString& path)
{
    QElapsedTimer t;
    t.start();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (f.read(block.data(), block.size()) > 0) {
    }
    return t.nsecsElapsed() / 1e9;
}

// The fastest of rounds raw reads, the file first read once into the page cache.
inline double rawReadBest(const QString& path, int rounds = 3)
{
    rawRead(path);
    double best = 1e9;
    for (int round = 0; round < rounds; ++round)
        best = std::min(best, rawRead(path));
    return best;
}

// Seconds to read one record as the archive reads it: open, seek, read, close.
inline double rawRecord(const QString& path, int recordSize, qint64 index)
{
    QElapsedTimer t;
    t.start();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(index * recordSize);
    const QByteArray bytes = f.read(recordSize);
    return bytes.size() == recordSize ? t.nsecsElapsed() / 1e9 : -1;
}

// A line of /proc/self/status in MB ("VmHWM", "VmRSS"); -1 when unreadable.
inline double statusMB(const char* key)
{
    // /proc files tell no size: read line by line until the key.
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    const size_t keyLength = std::strlen(key);
    char line[256];
    double mb = -1;
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
            mb = std::atof(line + keyLength + 1) / 1024.0;
            break;
        }
    }
    std::fclose(f);
    return mb;
}

// Starts a new peak: memory freed by earlier subjects goes back to the
// system first, so that each subject's peak is its own.
inline void resetPeak()
{
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Peak resident memory since the last resetPeak (or the start), in MB.
inline double peakMB()
{
    const double hwm = statusMB("VmHWM");
    if (hwm >= 0)
        return hwm;
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Resident memory now, in MB.
inline double residentMB()
{
    return statusMB("VmRSS");
}

// Writes records made by make(i) and puts them on disk: a file still dirty
// in the page cache would make the first save pay for flushing all of it.
template <class Make>
void writeArchive(const QString& path, int records, Make make)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray chunk;
    for (int i = 0; i < records; ++i) {
        chunk += make(i).encode();
        if (chunk.size() >= (4 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    f.flush();
    ::fsync(f.handle());
}

// Client cards: names scattered over the alphabet, partly accented towns,
// every other client consenting to advertising.
inline void writeClients(const QString& path, int records = kCards)
{
    const QString towns[] = {QStringLiteral("Forlì"), QStringLiteral("Cesena"), QStringLiteral("Ravenna")};
    writeArchive(path, records, [&](int i) {
        TRecCliente c;
        c.Nominativo = QStringLiteral("Cliente %1 %2").arg(qint64(i) * 7919 % records).arg(i % 50 ? "Rossi" : "Bianchi");
        c.Indirizzo = QStringLiteral("Via Roma %1").arg(i % 300);
        c.Cap = QStringLiteral("47121");
        c.Citta = towns[i % 3];
        c.Prov = QStringLiteral("FC");
        c.Categoria = QStringLiteral("Privato");
        c.Prodotti = QStringLiteral("Lavatrici, frigoriferi e piccoli elettrodomestici");
        c.Sconti = QStringLiteral("10%");
        c.Zona = QStringLiteral("Romagna");
        c.Pubblicita = i % 2 ? QStringLiteral("Sì pubblicità") : QStringLiteral("No pubblicità");
        c.TelCasa = QStringLiteral("0543 %1").arg(100000 + i);
        c.TelCel = QStringLiteral("333 %1").arg(1000000 + i);
        c.Email = QStringLiteral("cliente%1@example.it").arg(i);
        c.Note = QStringLiteral("Cliente dal %1, preferisce essere contattato la mattina.").arg(2000 + i % 25);
        c.Stato = QStringLiteral("Scheda salvata in data 05/03/2024 alle ore 10:00:00");
        return c;
    });
}

// Material cards: codes scattered, one in five at or below its threshold.
inline void writeMaterials(const QString& path, int records = kCards)
{
    const QString types[] = {QStringLiteral("Lavatrice"), QStringLiteral("Frigorifero"), QStringLiteral("Ricambio")};
    writeArchive(path, records, [&](int i) {
        TRecMateriale m;
        m.Codice = QStringLiteral("ART%1").arg(qint64(i) * 7919 % records, 6, 10, QLatin1Char('0'));
        m.Tipologia = types[i % 3];
        m.Marca = QStringLiteral("Marca %1").arg(i % 40);
        m.Modello = QStringLiteral("Modello %1").arg(i % 997);
        m.Accessori = QStringLiteral("Tubo di carico");
        m.Descrizione = QStringLiteral("Articolo numero %1 di prova per il listino").arg(i);
        m.Fornitore = QStringLiteral("Fornitore %1").arg(i % 25);
        m.DataAcquisto = QStringLiteral("05/03/2024");
        m.Costo = QStringLiteral("%1,50").arg(i % 500);
        m.Prezzo = QStringLiteral("%1,90").arg(i % 900);
        m.Collocazione = QStringLiteral("Scaffale %1").arg(i % 60);
        m.Giacenza = QString::number(i % 30);
        m.Sottoscorta = QString::number(5);
        m.Note = QStringLiteral("Nota %1").arg(i);
        return m;
    });
}

// A year of receipts: dates over the twelve months, one to eight lines
// each, one in four not yet paid.
inline void writeReceipts(const QString& path, int records = kReceipts)
{
    writeArchive(path, records, [&](int i) {
        TRecRicevuta r;
        r.Ricevuta = QStringLiteral("Ricevuta n.");
        r.NumRic = QString::number(i + 1);
        r.Data = QStringLiteral("%1/%2/2024").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(i % 12 + 1, 2, 10,
                                                                                            QLatin1Char('0'));
        r.Venditore = QStringLiteral("Ditta Bianchi");
        r.IvaVen = QStringLiteral("01234567890");
        r.Cliente = QStringLiteral("Cliente %1").arg(i % 3000);
        r.IndirizzoCli = QStringLiteral("Via Roma %1").arg(i % 300);
        r.CapCli = QStringLiteral("47121");
        r.CittaCli = QStringLiteral("Forlì");
        r.ProvCli = QStringLiteral("FC");
        r.CodiceApp = QStringLiteral("APP%1").arg(i % 900);
        r.MarcaApp = QStringLiteral("Marca %1").arg(i % 40);
        for (int line = 0; line <= i % 8; ++line) {
            r.Quant[line] = QStringLiteral("1");
            r.Desc[line] = QStringLiteral("Riparazione lavatrice %1").arg(i);
            r.PrezzoUni[line] = QStringLiteral("10,00");
            r.PrezzoTot[line] = QStringLiteral("10,00");
        }
        r.TotNetto = QStringLiteral("%1,%2").arg(i % 900).arg(i % 100, 2, 10, QLatin1Char('0'));
        r.PercIva = QStringLiteral("22");
        r.TotIva = QStringLiteral("%1,1").arg(i % 200);
        r.Totale = QStringLiteral("%1,37").arg(i % 1100);
        r.Saldato = i % 4 ? QStringLiteral("Sì") : QStringLiteral("No");
        return r;
    });
}

// Seconds to scan the archive decoding the given fields of every record,
// the fastest of rounds: what a list showing those fields cannot do without.
inline double fieldScan(const QString& path, int recordSize, std::initializer_list<FieldPos> fields, int rounds = 3)
{
    ArchiveFile archive(path, recordSize);
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer t;
        t.start();
        qint64 characters = 0;
        archive.scan([&](qint64, const char* record) {
            for (const FieldPos& field : fields)
                characters += loadField(record, field).size();
            return true;
        });
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}

// One measured subject.
struct Figure
{
    QString subject;
    QString size;           // what was handled: "100,000 lines", "42 MB written"
    double seconds = -1;    // < 0: not measured yet
    bool worst = false;     // keep the slowest round rather than the fastest
    QString baselineName;   // "raw read", "raw read of one record"
    double baseline = 0;
    double target = 0;      // seconds; the figure must not exceed it (0: no time target)
    QString targetRule;     // "3 x raw + 0.5 s"
    double peak = -1;       // MB; < 0: not measured
    double list = 0;        // MB the shown list keeps
    double listLeast = -1;  // the least of those over the rounds (the first also fills process-wide caches)
    qint64 lines = 0;       // lines the list shows (0: not a list)
    double peakLimit = 0;   // MB; 0: 64 MB plus the list
};

// What a shown list may keep per line, from the round that kept least:
// shown from 10,000 lines, judged from 50,000, where the lines outweigh the
// list control itself (a megabyte or so).
constexpr double kBytesPerLine = 100;
constexpr qint64 kLongList = 10000;
constexpr qint64 kJudgedList = 50000;

inline double bytesPerLine(const Figure& f)
{
    return f.lines > 0 ? std::max(0.0, f.listLeast) * 1024 * 1024 / f.lines : 0;
}

inline void print(const Figure& f)
{
    const bool hasTarget = f.target > 0;
    const bool timeMet = f.seconds <= f.target;
    const double peakLimit = f.peakLimit > 0 ? f.peakLimit : 64 + f.list;
    const bool memoryMet = (f.peak < 0 || f.peak < peakLimit) && (f.lines < kJudgedList || bytesPerLine(f) <= kBytesPerLine);
    const bool ms = hasTarget ? f.target < 0.1 : f.seconds < 0.1;
    const double scale = ms ? 1000 : 1;
    const char* unit = ms ? "ms" : "s";
    std::printf("  %-44s %9.3f %s  %-16s  %s %.3f %s  ratio %6.2f", qPrintable(f.subject), f.seconds * scale, unit,
                qPrintable(f.size), qPrintable(f.baselineName), f.baseline * scale, unit,
                f.baseline > 0 ? f.seconds / f.baseline : 0.0);
    if (hasTarget)
        std::printf("  target <= %.3f %s (%s)", f.target * scale, unit, qPrintable(f.targetRule));
    if (f.peak >= 0)
        std::printf("  peak %.1f MB (list %.1f MB, limit %.1f)", f.peak, f.list, peakLimit);
    if (f.lines >= kJudgedList)
        std::printf("  list %.0f B/line (limit %.0f)", bytesPerLine(f), kBytesPerLine);
    else if (f.lines >= kLongList)
        std::printf("  list %.0f B/line (short list, not judged)", bytesPerLine(f));
    std::printf("  %s\n", !memoryMet ? "MISSED" : !hasTarget ? "(no time target)" : timeMet ? "MET" : "MISSED");
}

// The targets, from the raw read of the archive.
inline double listTarget(double raw) { return 3 * raw + 0.5; }
inline double exportTarget(double raw) { return 4 * raw + 1; }
constexpr double kCardTarget = 0.020;

// What a subject keeps resident from the moment it is made: the list it
// shows, when taken once the list is on screen.
class Resident
{
public:
    double grown() const { return std::max(0.0, residentMB() - m_start); }

private:
    double m_start = residentMB();
};

// Runs one subject rounds times (and again at each call), keeping the
// fastest time (the slowest for a worst figure) and the highest peak;
// run(held) returns its seconds and sets held to the MB its list keeps
// (left 0 where nothing is listed).
template <class Run>
void measure(Figure& f, int rounds, Run run)
{
    for (int round = 0; round < rounds; ++round) {
        resetPeak();
        double held = 0;
        const double s = run(held);
        f.seconds = f.seconds < 0 ? s : f.worst ? std::max(f.seconds, s) : std::min(f.seconds, s);
        f.peak = std::max(f.peak, peakMB());
        f.list = std::max(f.list, held);
        f.listLeast = f.listLeast < 0 ? held : std::min(f.listLeast, held);
    }
}

// Nothing blocks: questions are answered from a script (No once it is
// used up), messages are only counted, dialogs cancelled.
class BenchPlatform final : public platform::ConsolePlatform
{
public:
    QQueue<bool> answers;
    int messages = 0;

    void showMessage(const QString&) override { ++messages; }
    void showTaskMessage(const QString&, const QString&, platform::MessageIcon) override { ++messages; }
    bool askYesNo(const QString&, const QString&) override { return !answers.isEmpty() && answers.dequeue(); }
};

// Seconds an action takes.
template <class Action>
double timed(Action action)
{
    QElapsedTimer t;
    t.start();
    action();
    return t.nsecsElapsed() / 1e9;
}

// Prints list figures against the scan decoding the fields their lines
// show: a list within twice that scan, sorting and first paint included.
inline void printLists(double fieldScan, std::initializer_list<Figure*> figures)
{
    for (Figure* f : figures) {
        f->baselineName = QStringLiteral("scan");
        f->baseline = fieldScan;
        f->target = 2 * fieldScan;
        f->targetRule = QStringLiteral("2 x field scan");
        print(*f);
    }
}

// Prints single-card figures, the slowest of their rounds, against the raw
// read of one record.
inline void printCardOperations(double rawRecord, std::initializer_list<Figure*> figures)
{
    for (Figure* f : figures) {
        f->subject += QStringLiteral(" (slowest)");
        f->baselineName = QStringLiteral("raw record");
        f->baseline = rawRecord;
        f->target = kCardTarget;
        f->targetRule = QStringLiteral("20 ms");
        print(*f);
    }
}

} // namespace bench
