// Times the receipt reports over a year file of 50,000 receipts in one run,
// each as its screen shows it (list filled, first paint, totals) beside the
// scan decoding the seven fields of the receipt line: the annual, quarterly
// and monthly summaries, the receipt search (every receipt, then two
// criteria) and the unpaid list.
// Usage: reports [receipts]   (default 50000); runs offscreen.
#include "BenchScreens.h"
#include "receipts/ReceiptArchive.h"
#include "reports/ui/TfrmCercaRic.h"
#include "reports/ui/TfrmCercaSospesiRic.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "reports/ui/TfrmRiepTrimestraleRic.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cstdio>

using namespace bench;

namespace {

const QString kYear = QStringLiteral("2024");

// "Trova" on a summary of the period at index (none for the year); total
// receives its TOTALE.
template <class Screen>
double summary(const QString& path, int period, Figure& figure, QString& total, double& held)
{
    Screen screen;
    screen.setYear(path, kYear);
    screen.show();
    if (auto* periods = screen.template findChild<QComboBox*>(QStringLiteral("cboMese")))
        periods->setCurrentIndex(period);
    auto* trova = screen.template findChild<QPushButton*>(QStringLiteral("cmdTrova"));
    const double s = listed(screen, [&] { trova->click(); }, figure, held);
    total = screen.template findChild<QLabel*>(QStringLiteral("lblTotale"))->text();
    return s;
}

} // namespace

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int receipts = argc > 1 ? atoi(argv[1]) : kReceipts;
    const QString path = ReceiptArchive::yearFilePath(kYear);
    writeReceipts(path, receipts);
    const double raw = rawReadBest(path);
    using R = TRecRicevuta;
    const double scan = fieldScan(path, R::Size, {R::posRicevuta, R::posNumRic, R::posData, R::posCliente,
                                                  R::posTotNetto, R::posTotIva, R::posTotale});

    QString annualTotal, quarterTotal, monthTotal;
    Figure annual{QStringLiteral("annual summary")};
    Figure quarter{QStringLiteral("quarterly summary")};
    Figure month{QStringLiteral("monthly summary")};
    Figure searchAll{QStringLiteral("receipt search, all blank")};
    Figure searchTwo{QStringLiteral("receipt search, two criteria")};
    Figure unpaid{QStringLiteral("unpaid receipts")};
    measure(annual, 3, [&](double& held) {
        return summary<TfrmRiepAnnualeRic>(path, -1, annual, annualTotal, held);
    });
    measure(quarter, 3, [&](double& held) {
        return summary<TfrmRiepTrimestraleRic>(path, 3, quarter, quarterTotal, held);
    });
    measure(month, 3, [&](double& held) {
        return summary<TfrmRiepMensileRic>(path, 11, month, monthTotal, held);
    });
    measure(searchAll, 3, [&](double& held) {
        TfrmCercaRic screen;
        screen.setYear(path, kYear);
        return found(screen, {}, searchAll, held);
    });
    measure(searchTwo, 3, [&](double& held) {
        TfrmCercaRic screen;
        screen.setYear(path, kYear);
        return found(screen, {{"txtTipologia", QStringLiteral("cliente 12")}, {"txtCognome", QStringLiteral("forl")}},
                     searchTwo, held);
    });
    measure(unpaid, 3, [&](double& held) {
        TfrmCercaSospesiRic screen;
        screen.setYearFile(path);
        return shown(screen, unpaid, held);
    });

    std::printf("reports: a year file of %d receipts, %.0f MB, raw read %.3f s, scan of the seven fields of the "
                "line %.3f s\n",
                receipts, receipts * double(TRecRicevuta::Size) / 1e6, raw, scan);
    printLists(scan, {&annual, &quarter, &month, &searchAll, &searchTwo, &unpaid});
    std::printf("  totals: year %s, fourth quarter %s, December %s\n", qPrintable(annualTotal),
                qPrintable(quarterTotal), qPrintable(monthTotal));
    return 0;
}
