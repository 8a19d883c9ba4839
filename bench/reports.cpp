// Times the annual summary over a year file of 50,000 receipts in one run:
// the raw read of the file and the summary as the screen builds it ("Trova":
// list filled in file order, first paint, the three totals), with the peak
// memory. Usage: reports [receipts]   (default 50000); runs offscreen.
#include "BenchSupport.h"
#include "export/ExportTables.h"
#include "export/SpreadsheetExport.h"
#include "storage/ArchiveFile.h"
#include "platform/AppDir.h"
#include "receipts/ReceiptArchive.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "storage/ReceiptRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

void writeYear(const QString& path, int receipts)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = 0; i < receipts; ++i) {
        TRecRicevuta r;
        r.Ricevuta = QStringLiteral("Ricevuta n.");
        r.NumRic = QString::number(i + 1);
        r.Data = QStringLiteral("%1/%2/2024").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(i % 12 + 1, 2, 10,
                                                                                            QLatin1Char('0'));
        r.Cliente = QStringLiteral("Cliente %1").arg(i % 3000);
        r.Quant[0] = QStringLiteral("1");
        r.Desc[0] = QStringLiteral("Riparazione lavatrice %1").arg(i);
        r.TotNetto = QStringLiteral("%1,%2").arg(i % 900).arg(i % 100, 2, 10, QLatin1Char('0'));
        r.TotIva = QStringLiteral("%1,1").arg(i % 200);
        r.Totale = QStringLiteral("%1,37").arg(i % 1100);
        r.Saldato = QStringLiteral("Sì");
        f.write(r.encode());
    }
}

double annual(TfrmRiepAnnualeRic& screen, int& listed, QString& totale)
{
    auto* back = screen.findChild<QPushButton*>(QStringLiteral("cmdIndietro"));
    if (back->isEnabled())
        back->click();
    QElapsedTimer t;
    t.start();
    screen.findChild<QPushButton*>(QStringLiteral("cmdTrova"))->click();
    auto* list = screen.findChild<QListWidget*>(QStringLiteral("lstRecords"));
    list->grab();
    const double s = t.nsecsElapsed() / 1e9;
    listed = list->count();
    totale = screen.findChild<QLabel*>(QStringLiteral("lblTotale"))->text();
    return s;
}

// The receipt export as the export window does it: every record read into
// its row of texts, then the whole file built and written.
double exportYear(const QString& path, const QString& target, qint64& bytes)
{
    QElapsedTimer t;
    t.start();
    ArchiveFile file(path, TRecRicevuta::Size);
    std::vector<QStringList> rows;
    file.scan([&](qint64, const char* record) {
        rows.push_back(ExportTables::receiptRow(record));
        return true;
    });
    const ExportTable& table = ExportTables::receipts();
    const QByteArray data = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), rows);
    SpreadsheetExport::write(target, data);
    bytes = data.size();
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int receipts = argc > 1 ? atoi(argv[1]) : 50000;
    QTemporaryDir dir;
    AppDir::setPath(dir.path());
    const QString path = ReceiptArchive::yearFilePath(QStringLiteral("2024"));
    writeYear(path, receipts);
    rawRead(path);
    TfrmRiepAnnualeRic screen;
    screen.setYear(path, QStringLiteral("2024"));
    screen.show();
    QApplication::processEvents();

    double raw = 1e9, summary = 1e9, exported = 1e9;
    qint64 exportBytes = 0;
    int listed = 0;
    QString totale;
    // Rounds interleaved so that both figures see the same disk cache.
    for (int round = 0; round < 3; ++round) {
        raw = std::min(raw, rawRead(path));
        summary = std::min(summary, annual(screen, listed, totale));
        exported = std::min(exported, exportYear(path, dir.filePath(QStringLiteral("Ricevute.xls")), exportBytes));
    }
    const double target = 3 * raw + 0.5;
    std::printf("reports: %d receipts, %.0f MB\n", receipts, receipts * double(TRecRicevuta::Size) / 1e6);
    std::printf("  raw read:        %.3f s\n", raw);
    std::printf("  annual summary:  %.3f s (%d lines, TOTALE %s)  %.2f x raw   target <= %.3f s (3 x raw + 0.5)\n",
                summary, listed, qPrintable(totale), summary / raw, target);
    std::printf("  receipt export:  %.3f s (%.1f MB written)  %.2f x raw   target <= %.3f s (4 x raw + 1)\n", exported,
                exportBytes / 1e6, exported / raw, 4 * raw + 1);
    std::printf("  peak memory:     %.1f MB\n", peakMB());
    return 0;
}
