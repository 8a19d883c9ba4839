// Times the warehouse lists over a 100,000-card archive in one run: the raw
// read of the file, the under-stock list and the price list of every article
// as the screen shows it (sorted, first paint included), with the peak memory.
// Usage: warehouse [records]   (default 100000); runs offscreen.
#include "BenchSupport.h"
#include "platform/AppDir.h"
#include "storage/MaterialRecord.h"
#include "warehouse/MaterialCard.h"
#include "warehouse/ui/TfrmListino.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double textMB(const QStringList& lines)
{
    double bytes = 0;
    for (const QString& l : lines)
        bytes += l.size() * 2.0;
    return bytes / 1e6;
}

double underStock(int& listed, double& listMB)
{
    QElapsedTimer t;
    t.start();
    QStringList lines;
    MaterialCard::underStockList(lines);
    const double s = t.nsecsElapsed() / 1e9;
    listed = lines.size();
    listMB = textMB(lines);
    return s;
}

// "Mostra tutti i prodotti" on the screen, up to the first paint of the list.
double priceList(TfrmListino& screen, int& listed, double& listMB)
{
    QElapsedTimer t;
    t.start();
    screen.lblTuttiClick();
    auto* list = screen.findChild<QListWidget*>(QStringLiteral("lstRecords"));
    list->grab();
    const double s = t.nsecsElapsed() / 1e9;
    listed = list->count();
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    listMB = textMB(lines);
    return s;
}

void writeArchive(const QString& path, int records)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const QString types[] = {QStringLiteral("Lavatrice"), QStringLiteral("Frigorifero"), QStringLiteral("Ricambio")};
    for (int i = 0; i < records; ++i) {
        TRecMateriale m;
        m.Codice = QStringLiteral("ART%1").arg((i * 7919) % records, 6, 10, QLatin1Char('0'));
        m.Tipologia = types[i % 3];
        m.Marca = QStringLiteral("Marca %1").arg(i % 40);
        m.Modello = QStringLiteral("Modello %1").arg(i % 997);
        m.Descrizione = QStringLiteral("Articolo numero %1 di prova per il listino").arg(i);
        m.Fornitore = QStringLiteral("Fornitore %1").arg(i % 25);
        m.Costo = QStringLiteral("%1,50").arg(i % 500);
        m.Prezzo = QStringLiteral("%1,90").arg(i % 900);
        m.Giacenza = QString::number(i % 30);
        m.Sottoscorta = QString::number(5);
        m.Note = QStringLiteral("Nota %1").arg(i);
        f.write(m.encode());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    AppDir::setPath(dir.path());
    const QString path = AppDir::filePath(QStringLiteral("Materiali.pro"));
    writeArchive(path, records);
    rawRead(path);
    const double fileMB = peakMB();
    TfrmListino screen;
    screen.resize(1280, 800);
    screen.show();
    QApplication::processEvents();
    const double screenMB = peakMB();

    double raw = 1e9, under = 1e9, price = 1e9, underMB = 0, priceMB = 0, peakUnder = 0;
    int underListed = 0, priceListed = 0;
    // Rounds interleaved so that the three figures see the same disk cache.
    for (int round = 0; round < 3; ++round) {
        raw = std::min(raw, rawRead(path));
        under = std::min(under, underStock(underListed, underMB));
        if (round == 0)
            peakUnder = peakMB();   // before any price list
        price = std::min(price, priceList(screen, priceListed, priceMB));
    }
    const double peak = peakMB();
    const double target = 3 * raw + 0.5;
    std::printf("warehouse: %d cards, %.0f MB\n", records, records * double(TRecMateriale::Size) / 1e6);
    std::printf("  raw read:          %.3f s\n", raw);
    std::printf("  under-stock list:  %.3f s (%d lines)  %.2f x raw   target <= %.3f s (3 x raw + 0.5)\n", under,
                underListed, under / raw, target);
    std::printf("  price list, all:   %.3f s (%d lines)  %.2f x raw   target <= %.3f s (sorted, first paint)\n",
                price, priceListed, price / raw, target);
    std::printf("  peak memory: %.1f MB after writing the file, %.1f MB with the screen shown,\n"
                "               %.1f MB after the under-stock list, %.1f MB after the price lists\n",
                fileMB, screenMB, peakUnder, peak);
    std::printf("  list texts:        %.1f MB under-stock, %.1f MB price list (UTF-16)\n", underMB, priceMB);
    return 0;
}
