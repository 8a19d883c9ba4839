// Times a full scan of a 100,000-card client archive against reading the
// same file raw, in one run so the ratios are measured side by side.
// Usage: archive_scan [records]   (default 100000)
#include "BenchSupport.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace bench;

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
    const int records = argc > 1 ? atoi(argv[1]) : kCards;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Clienti.pro"));
    writeClients(path, records);
    ArchiveFile archive(path, TRecCliente::Size);

    const QString size = QStringLiteral("%1 records").arg(records);
    Figure search{QStringLiteral("scan, seven search fields"), size};
    Figure full{QStringLiteral("scan, every field"), size};
    const double raw = rawReadBest(path);
    measure(search, 3, [&](double&) { return searchScan(archive); });
    measure(full, 3, [&](double&) { return fullScan(archive); });
    for (Figure* f : {&search, &full}) {
        f->baselineName = QStringLiteral("raw");
        f->baseline = raw;
    }
    search.target = 2 * raw;
    search.targetRule = QStringLiteral("2 x raw");
    full.target = 4 * raw;
    full.targetRule = QStringLiteral("4 x raw");
    std::printf("archive_scan: %d client records, %.0f MB, raw read in 1 MB chunks %.3f s\n", records,
                records * double(TRecCliente::Size) / 1e6, raw);
    print(search);
    print(full);
    return 0;
}
