// Times the client lists over a 100,000-card archive, list filling and the
// first paint included, beside the raw read of the same file, in one run:
// the client search (every card, then two criteria) and the
// advertising-consent list. Usage: client_search [records]   (default
// 100000); runs offscreen.
#include "BenchScreens.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmCercaFigli.h"

#include <QScrollBar>

#include <cstdio>

using namespace bench;

namespace {

// One search from the criteria panel; repaint receives the time to paint
// the list again after scrolling to its middle.
double search(const QString& name, const QString& town, Figure& figure, double& repaint, double& held)
{
    TfrmCercaCliente screen;
    screen.resize(760, 470);
    const double s = found(screen, {{"txtCognome", name}, {"txtNome", town}}, figure, held);
    QListWidget* list = listOf(screen);
    repaint = timed([&] {
        list->verticalScrollBar()->setValue(list->count() / 2);
        list->grab();
    });
    return s;
}

} // namespace

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : kCards;
    const QString path = AppDir::filePath(QStringLiteral("Clienti.pro"));
    writeClients(path, records);

    const double raw = rawReadBest(path);
    double repaintAll = 0, repaintTwo = 0;
    Figure searchAll{QStringLiteral("client search, all blank")};
    Figure searchTwo{QStringLiteral("client search, two criteria")};
    Figure consent{QStringLiteral("advertising-consent list")};
    measure(searchAll, 3, [&](double& held) { return search(QString(), QString(), searchAll, repaintAll, held); });
    measure(searchTwo, 3, [&](double& held) {
        return search(QStringLiteral("bianchi"), QStringLiteral("forl"), searchTwo, repaintTwo, held);
    });
    measure(consent, 3, [&](double& held) {
        TfrmCercaFigli screen;
        return shown(screen, consent, held);
    });

    std::printf("client_search: %d client cards, %.0f MB, raw read %.3f s\n", records,
                records * double(TRecCliente::Size) / 1e6, raw);
    printLists(raw, {&searchAll, &searchTwo, &consent});
    std::printf("  repaint after scrolling: %.4f s (every card listed), %.4f s (two criteria)\n", repaintAll,
                repaintTwo);
    return 0;
}
