// Times the single-card operations of the client card and the material card
// on archives of 100,000 cards, each beside the raw read of one record, in
// one run: New, Save of a new card (the append), Save of the card shown (the
// update) and browsing to the last card.
// Usage: cards [records]   (default 100000); runs offscreen.
#include "BenchScreens.h"
#include "clients/ui/TfrmClienti.h"
#include "storage/Browse.h"
#include "warehouse/ui/TfrmMateriali.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>

using namespace bench;

namespace {

// The four operations on one card screen; key names the field Save needs.
template <class Screen>
void cardOperations(const char* title, const QString& path, int recordSize, const char* key, int records)
{
    Screen screen;
    screen.show();
    auto* field = screen.template findChild<QLineEdit*>(QLatin1String(key));
    const QString size = QStringLiteral("%1 cards").arg(records);
    Figure fresh{QStringLiteral("%1: New").arg(QLatin1String(title)), size};
    Figure append{QStringLiteral("%1: Save, new card").arg(QLatin1String(title)), size};
    Figure update{QStringLiteral("%1: Save, card shown").arg(QLatin1String(title)), size};
    Figure last{QStringLiteral("%1: Last").arg(QLatin1String(title)), size};
    for (Figure* f : {&fresh, &append, &update, &last})
        f->worst = true;
    double raw = 1e9;
    for (int round = 0; round < 5; ++round) {
        raw = std::min(raw, rawRecord(path, recordSize, records / 2));
        measure(fresh, 1, [&](double&) { return timed([&] { screen.imgNuovoClick(); }); });
        field->setText(QStringLiteral("Nuova scheda %1").arg(round));
        measure(append, 1, [&](double&) { return timed([&] { screen.imgSalvaClick(); }); });
        field->setText(QStringLiteral("Scheda aggiornata %1").arg(round));
        measure(update, 1, [&](double&) { return timed([&] { screen.imgSalvaClick(); }); });
        measure(last, 1, [&](double&) { return timed([&] { screen.browse(BrowseCommand::Last); }); });
    }
    printCardOperations(raw, {&fresh, &append, &update, &last});
}

} // namespace

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : kCards;
    const QString clients = AppDir::filePath(QStringLiteral("Clienti.pro"));
    const QString materials = AppDir::filePath(QStringLiteral("Materiali.pro"));
    writeClients(clients, records);
    writeMaterials(materials, records);
    std::printf("cards: %d client cards (%.0f MB), %d material cards (%.0f MB)\n", records,
                records * double(TRecCliente::Size) / 1e6, records, records * double(TRecMateriale::Size) / 1e6);
    cardOperations<TfrmClienti>("client card", clients, TRecCliente::Size, "txtOperatore", records);
    cardOperations<TfrmMateriali>("material card", materials, TRecMateriale::Size, "txtCodice", records);
    return 0;
}
