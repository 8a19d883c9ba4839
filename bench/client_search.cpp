// Times the client search over a 100,000-card archive, list filling
// included, beside the raw read of the same file, in one run.
// Usage: client_search [records]   (default 100000); runs offscreen.
#include "BenchSupport.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "platform/AppDir.h"
#include "storage/ClientRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// One search from the criteria panel; returns seconds and the lines listed.
double search(const QString& name, const QString& town, int& listed, double& repaint)
{
    TfrmCercaCliente screen;
    screen.resize(760, 470);
    screen.show();
    screen.findChild<QLineEdit*>(QStringLiteral("txtCognome"))->setText(name);
    screen.findChild<QLineEdit*>(QStringLiteral("txtNome"))->setText(town);
    QElapsedTimer t;
    t.start();
    screen.cmdTrovaClick();
    auto* list = screen.findChild<QListWidget*>(QStringLiteral("lstRecords"));
    list->grab();   // the first paint of the filled list belongs to the search
    const double s = t.nsecsElapsed() / 1e9;
    listed = list->count();
    QElapsedTimer r;
    r.start();
    list->verticalScrollBar()->setValue(list->count() / 2);
    list->grab();
    repaint = r.nsecsElapsed() / 1e9;
    return s;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    AppDir::setPath(dir.path());
    const QString path = AppDir::filePath(QStringLiteral("Clienti.pro"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        const QString towns[] = {QStringLiteral("Forlì"), QStringLiteral("Cesena"), QStringLiteral("Ravenna")};
        for (int i = 0; i < records; ++i) {
            TRecCliente c;
            c.Nominativo = QStringLiteral("Cliente %1 %2").arg((i * 7919) % records).arg(i % 50 ? "Rossi" : "Bianchi");
            c.Citta = towns[i % 3];
            c.Prodotti = QStringLiteral("Lavatrici e frigoriferi");
            c.Zona = QStringLiteral("Romagna");
            c.Note = QStringLiteral("Cliente dal %1").arg(2000 + i % 25);
            f.write(c.encode());
        }
    }
    rawRead(path);

    double raw = 1e9, all = 1e9, two = 1e9, repaintAll = 0, repaintTwo = 0;
    int listedAll = 0, listedTwo = 0;
    for (int round = 0; round < 3; ++round) {
        raw = std::min(raw, rawRead(path));
        double rp = 0;
        all = std::min(all, search(QString(), QString(), listedAll, rp));
        repaintAll = rp;
        two = std::min(two, search(QStringLiteral("bianchi"), QStringLiteral("forl"), listedTwo, rp));
        repaintTwo = rp;
    }
    const double target = 3 * raw + 0.5;
    std::printf("client_search: %d cards, %.0f MB\n", records, records * 4809.0 / 1e6);
    std::printf("  raw read:                 %.3f s\n", raw);
    std::printf("  all-blank search + list:  %.3f s (%d lines)   target <= %.3f s (3 x raw + 0.5)\n", all, listedAll,
                target);
    std::printf("  two-criteria search:      %.3f s (%d lines)\n", two, listedTwo);
    std::printf("  repaint after scrolling:  %.4f s (full list), %.4f s (short list)\n", repaintAll, repaintTwo);
    return 0;
}
