// Times a full scan of a 100,000-card client archive against reading the
// same file raw, in one run so the ratios are measured side by side.
// Usage: archive_scan [records]   (default 100000)
#include "BenchSupport.h"
#include "platform/AppDir.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double searchScan(ArchiveFile& archive)
{
    QElapsedTimer t;
    t.start();
    qint64 hits = 0;
    archive.scan([&](qint64, const char* rec) {
        // The seven fields the client search reads.
        const QString fields[] = {
            loadField(rec, TRecCliente::posNominativo), loadField(rec, TRecCliente::posCitta),
            loadField(rec, TRecCliente::posCategoria), loadField(rec, TRecCliente::posProdotti),
            loadField(rec, TRecCliente::posSconti), loadField(rec, TRecCliente::posZona),
            loadField(rec, TRecCliente::posNote)};
        hits += fields[0].size();
        return true;
    });
    Q_UNUSED(hits);
    return t.nsecsElapsed() / 1e9;
}

double fullScan(ArchiveFile& archive)
{
    QElapsedTimer t;
    t.start();
    qint64 hits = 0;
    archive.scan([&](qint64, const char* rec) {
        hits += TRecCliente::decode(rec).Nominativo.size();
        return true;
    });
    Q_UNUSED(hits);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Clienti.pro"));

    {
        // Build the archive with realistic, partly accented texts.
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < records; ++i) {
            TRecCliente c;
            c.Nominativo = QStringLiteral("Cliente numero %1").arg(i);
            c.Indirizzo = QStringLiteral("Via Roma %1").arg(i % 300);
            c.Citta = (i % 3) ? QStringLiteral("Forlì") : QStringLiteral("Cesena");
            c.Categoria = QStringLiteral("Privato");
            c.Prodotti = QStringLiteral("Lavatrici, frigoriferi e piccoli elettrodomestici");
            c.Sconti = QStringLiteral("10%");
            c.Zona = QStringLiteral("Romagna");
            c.Note = QStringLiteral("Cliente dal %1, preferisce essere contattato la mattina.").arg(2000 + i % 25);
            c.Pubblicita = QStringLiteral("Sì pubblicità");
            c.Stato = QStringLiteral("Scheda salvata in data 05/03/2024 alle ore 10:00:00");
            f.write(c.encode());
        }
    }
    ArchiveFile archive(path, TRecCliente::Size);
    rawRead(path);   // into the page cache

    double a = 1e9, b = 1e9, c = 1e9;
    for (int round = 0; round < 3; ++round) {
        a = std::min(a, rawRead(path));
        b = std::min(b, searchScan(archive));
        c = std::min(c, fullScan(archive));
    }
    std::printf("archive_scan: %d records, %.0f MB\n", records, records * 4809.0 / 1e6);
    std::printf("  (a) raw read, 1 MB chunks:     %.3f s\n", a);
    std::printf("  (b) scan, seven search fields: %.3f s   b/a = %.2f (target <= 2)\n", b, b / a);
    std::printf("  (c) scan, every field:         %.3f s   c/a = %.2f (target <= 4)\n", c, c / a);
    std::printf("  peak memory: %.1f MB (target < 64)\n", peakMB());
    return 0;
}
