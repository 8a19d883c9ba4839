// Times the three spreadsheet exports in one run, each beside the raw read
// of its archive (100,000 client cards, 100,000 material cards, a year of
// 50,000 receipts): the window opened with its preview of the whole archive
// (first paint included), then "Esporta in Excel" writing the file from the
// preview. Usage: exports [cards] [receipts]; runs offscreen.
#include "BenchScreens.h"
#include "export/ui/TfrmEsportaCli.h"
#include "export/ui/TfrmEsportaMat.h"
#include "export/ui/TfrmEsportaRic.h"
#include "receipts/ReceiptArchive.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>

#include <cstdio>

using namespace bench;

namespace {

// The window shown with its preview, then the export, rounds times each.
void exportWindow(ExportWindow& window, BenchPlatform& answers, const QString& title, const QString& archive,
                  const QString& written)
{
    const double raw = rawReadBest(archive);
    Figure preview{title + QStringLiteral(": preview")};
    Figure file{title + QStringLiteral(": export")};
    measure(preview, 3, [&](double& held) {
        window.close();
        const Resident resident;
        QElapsedTimer t;
        t.start();
        window.show();
        window.findChild<QTableView*>(QStringLiteral("grdRecords"))->grab();
        const double s = t.nsecsElapsed() / 1e9;
        held = resident.grown();
        return s;
    });
    measure(file, 3, [&](double&) {
        answers.answers.clear();   // export now; do not open the file
        answers.answers << true << false;
        QElapsedTimer t;
        t.start();
        window.imgExcelClick();
        return t.nsecsElapsed() / 1e9;
    });
    window.close();
    preview.size = QStringLiteral("%1 rows").arg(window.recordCount());
    file.size = QStringLiteral("%1 MB written").arg(QFile(written).size() / 1e6, 0, 'f', 1);
    file.list = preview.list;   // the preview the file is written from
    for (Figure* f : {&preview, &file}) {
        f->baselineName = QStringLiteral("raw");
        f->baseline = raw;
    }
    preview.target = listTarget(raw);
    preview.targetRule = QStringLiteral("3 x raw + 0.5 s");
    file.target = exportTarget(raw);
    file.targetRule = QStringLiteral("4 x raw + 1 s");
    std::printf("  %s: %.0f MB, raw read %.3f s\n", qPrintable(QFileInfo(archive).fileName()),
                QFile(archive).size() / 1e6, raw);
    print(preview);
    print(file);
}

} // namespace

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int cards = argc > 1 ? atoi(argv[1]) : kCards;
    const int receipts = argc > 2 ? atoi(argv[2]) : kReceipts;
    const QString clients = AppDir::filePath(QStringLiteral("Clienti.pro"));
    const QString materials = AppDir::filePath(QStringLiteral("Materiali.pro"));
    const QString year = ReceiptArchive::yearFilePath(QStringLiteral("2024"));
    writeClients(clients, cards);
    writeMaterials(materials, cards);
    writeReceipts(year, receipts);

    std::printf("exports: %d client cards, %d material cards, %d receipts\n", cards, cards, receipts);
    {
        TfrmEsportaCli window;
        exportWindow(window, app.platform, QStringLiteral("client export"), clients, AppDir::filePath("Clienti.xls"));
    }
    {
        TfrmEsportaMat window;
        exportWindow(window, app.platform, QStringLiteral("material export"), materials,
                     AppDir::filePath("Magazzino.xls"));
    }
    {
        TfrmEsportaRic window;
        window.setYear(QStringLiteral("2024"));
        exportWindow(window, app.platform, QStringLiteral("receipt export"), year, AppDir::filePath("Ricevute.xls"));
    }
    return 0;
}
