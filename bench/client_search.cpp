// Times the client lists over a 100,000-card archive, list filling, sorting
// and the first paint included, beside the scan decoding the fields their
// lines show, in one run: the client search (every card, then two criteria)
// and the advertising-consent list. Then the search of every card of a
// million: an archive of 4.8 GB, written once in a folder beside the
// benchmark and removed after (left out when the disk has less than 10 GB
// free). Usage: client_search [records]   (default 100000); runs offscreen.
#include "BenchScreens.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmCercaFigli.h"

#include <QCoreApplication>
#include <QScrollBar>

#include <cstdio>
#include <sys/statvfs.h>

using namespace bench;

namespace {

constexpr int kMillion = 1000000;

// The seven fields the search reads, those its line shows among them.
double searchFieldScan(const QString& path, int rounds = 3)
{
    using C = TRecCliente;
    return fieldScan(path, C::Size,
                     {C::posNominativo, C::posCitta, C::posCategoria, C::posProdotti, C::posSconti, C::posZona,
                      C::posNote},
                     rounds);
}

// One search from the criteria panel; repaint receives the time to paint
// the list again after scrolling to its middle.
double search(const QString& name, const QString& town, Figure& figure, double& repaint, double& held)
{
    TfrmCercaCliente screen;
    screen.resize(760, 470);
    const double s = found(screen, {{"txtCognome", name}, {"txtNome", town}}, figure, held);
    RecordList* list = listOf(screen);
    repaint = timed([&] {
        list->verticalScrollBar()->setValue(list->count() / 2);
        list->grab();
    });
    return s;
}

double freeGigabytes(const QString& folder)
{
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return 0;
    return double(fs.f_bavail) * double(fs.f_frsize) / 1e9;
}

// Every card of a million listed: within a second and 200 MB at its peak.
void searchAMillion()
{
    const QString beside = QCoreApplication::applicationDirPath();
    const double free = freeGigabytes(beside);
    if (free < 10) {
        std::printf("  client search, all blank, a million cards: left out, %.1f GB free beside the benchmark "
                    "(10 GB needed)\n",
                    free);
        return;
    }
    QTemporaryDir folder(beside + QStringLiteral("/million-XXXXXX"));
    const QString previous = AppDir::path();
    AppDir::setPath(folder.path());
    const QString path = AppDir::filePath(QStringLiteral("Clienti.pro"));
    writeClients(path, kMillion);
    const double scan = searchFieldScan(path, 2);
    double repaint = 0;
    Figure all{QStringLiteral("client search, all blank, a million cards")};
    measure(all, 2, [&](double& held) { return search(QString(), QString(), all, repaint, held); });
    all.baselineName = QStringLiteral("scan");
    all.baseline = scan;
    all.target = 1.0;
    all.targetRule = QStringLiteral("1 s");
    all.peakLimit = 200;
    std::printf("client_search: %d client cards, %.0f MB, raw read %.3f s\n", kMillion,
                kMillion * double(TRecCliente::Size) / 1e6, rawReadBest(path, 1));
    print(all);
    QFile::remove(path);
    AppDir::setPath(previous);
}

} // namespace

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : kCards;
    const QString path = AppDir::filePath(QStringLiteral("Clienti.pro"));
    writeClients(path, records);

    const double raw = rawReadBest(path);
    const double scan = searchFieldScan(path);
    using C = TRecCliente;
    const double consentScan =
        fieldScan(path, C::Size, {C::posNominativo, C::posTelCasa, C::posTelCel, C::posEmail, C::posNote, C::posPubblicita});
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

    std::printf("client_search: %d client cards, %.0f MB, raw read %.3f s, scan of the seven search fields %.3f s, "
                "of the consent list's six %.3f s\n",
                records, records * double(TRecCliente::Size) / 1e6, raw, scan, consentScan);
    printLists(scan, {&searchAll, &searchTwo});
    printLists(consentScan, {&consent});
    std::printf("  repaint after scrolling: %.4f s (every card listed), %.4f s (two criteria)\n", repaintAll,
                repaintTwo);
    searchAMillion();
    return 0;
}
