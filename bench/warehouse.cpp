// Times the warehouse lists over a 100,000-card archive in one run, each as
// its screen shows it (sorted, first paint included) beside the scan
// decoding the fields its lines show: the material search (every card, then
// two criteria), the under-stock list, the import list of a receipt line and
// the price list of every article. Usage: warehouse [records]   (default
// 100000); runs offscreen.
#include "BenchScreens.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmCercaSottoscorta.h"
#include "warehouse/ui/TfrmImpMateriali.h"
#include "warehouse/ui/TfrmListino.h"


#include <cstdio>

using namespace bench;

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : kCards;
    const QString path = AppDir::filePath(QStringLiteral("Materiali.pro"));
    writeMaterials(path, records);
    const double raw = rawReadBest(path);
    using M = TRecMateriale;
    const double searchScan = fieldScan(path, M::Size, {M::posCodice, M::posTipologia, M::posMarca, M::posModello,
                                                        M::posPrezzo, M::posGiacenza, M::posNote});
    const double underStockScan = fieldScan(path, M::Size, {M::posCodice, M::posMarca, M::posModello, M::posCosto,
                                                            M::posGiacenza, M::posSottoscorta, M::posFornitore,
                                                            M::posRecapito});
    const double priceScan = fieldScan(path, M::Size, {M::posCodice, M::posTipologia, M::posDescrizione, M::posPrezzo});

    Figure searchAll{QStringLiteral("material search, all blank")};
    Figure searchTwo{QStringLiteral("material search, two criteria")};
    Figure underStock{QStringLiteral("under-stock list")};
    Figure importList{QStringLiteral("import into a receipt line")};
    Figure priceAll{QStringLiteral("price list, every article")};
    measure(searchAll, 3, [&](double& held) {
        TfrmCercaMateriale screen;
        return found(screen, {}, searchAll, held);
    });
    measure(searchTwo, 3, [&](double& held) {
        TfrmCercaMateriale screen;
        return found(screen, {{"cboGiorno", QStringLiteral("frigo")}, {"txtNome", QStringLiteral("marca 1")}},
                     searchTwo, held);
    });
    measure(underStock, 3, [&](double& held) {
        TfrmCercaSottoscorta screen;
        return shown(screen, underStock, held);
    });
    measure(importList, 3, [&](double& held) {
        TfrmImpMateriali screen;
        return shown(screen, importList, held);
    });
    {
        // "Mostra tutti i prodotti" on the price list work area.
        TfrmListino screen;
        screen.resize(1280, 800);
        screen.show();
        QApplication::processEvents();
        measure(priceAll, 3, [&](double& held) {
            return listed(screen, [&] { screen.lblTuttiClick(); }, priceAll, held);
        });
    }

    std::printf("warehouse: %d material cards, %.0f MB, raw read %.3f s; scans of the fields shown: search and "
                "import %.3f s, under-stock %.3f s, price list %.3f s\n",
                records, records * double(TRecMateriale::Size) / 1e6, raw, searchScan, underStockScan, priceScan);
    printLists(searchScan, {&searchAll, &searchTwo});
    printLists(underStockScan, {&underStock});
    printLists(searchScan, {&importList});
    printLists(priceScan, {&priceAll});
    return 0;
}
