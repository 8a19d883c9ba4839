// Takes a picture of every screen of the program, and of a few screens at
// work, over a small sample of clients, articles and receipts.
// Run under a display (scripts/screenshots starts Xvfb at the sizes wanted):
//   screenshots <output folder>
// The pictures serve the user guide and the review of every screen.
#include "app/Startup.h"
#include "clients/ClientsGuide.h"
#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/ScreenWindows.h"
#include "platform/qt/Screens.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTotals.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <array>
#include <functional>

namespace {

void settle()
{
    // A few turns of the event loop: layouts, fonts and pictures settle.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 150)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

template <class Record>
void append(const Record& r)
{
    ArchiveFile file(AppDir::filePath(QString::fromLatin1(Record::FileName)), Record::Size);
    qint64 position = 0;
    file.append(r.encode(), position);
}

void writeClients()
{
    struct C { const char *name, *street, *cap, *city, *prov, *cat, *pay, *consent, *cf, *iva, *tel, *cel, *mail; };
    const C clients[] = {
        {"Rossi Mario", "Via Garibaldi 12", "48121", "Ravenna", "RA", "Privato", "Contanti", "Sì pubblicità",
         "RSSMRA70A01H199Z", "", "0544 123456", "333 1234567", "mario.rossi@example.it"},
        {"Bianchi Elettrodomestici S.n.c.", "Corso Italia 45", "47921", "Rimini", "RN", "Rivenditore",
         "Bonifico 30 gg", "Sì pubblicità", "", "01234567890", "0541 765432", "", "info@bianchi.example.it"},
        {"Verdi Anna", "Piazza del Popolo 3", "47121", "Forlì", "FC", "Privato", "Bancomat", "No pubblicità",
         "VRDNNA82C41D704X", "", "0543 998877", "347 7654321", ""},
        {"Colombo Luigi", "Via Emilia 210", "40026", "Imola", "BO", "Privato", "Contanti", "Sì pubblicità",
         "", "", "0542 112233", "", "luigi.colombo@example.it"},
        {"Ferrari Giulia", "Viale Roma 8", "48018", "Faenza", "RA", "Ufficio", "Carta di credito", "No pubblicità",
         "", "", "0546 445566", "338 9988776", "giulia.ferrari@example.it"},
    };
    for (const C& c : clients) {
        TRecCliente r;
        r.Nominativo = QString::fromUtf8(c.name);
        r.Indirizzo = QString::fromUtf8(c.street);
        r.Cap = QString::fromUtf8(c.cap);
        r.Citta = QString::fromUtf8(c.city);
        r.Prov = QString::fromUtf8(c.prov);
        r.Categoria = QString::fromUtf8(c.cat);
        r.Pagamento = QString::fromUtf8(c.pay);
        r.Pubblicita = QString::fromUtf8(c.consent);
        r.CodFisc = QString::fromUtf8(c.cf);
        r.Iva = QString::fromUtf8(c.iva);
        r.TelCasa = QString::fromUtf8(c.tel);
        r.TelCel = QString::fromUtf8(c.cel);
        r.Email = QString::fromUtf8(c.mail);
        r.Zona = QStringLiteral("Romagna");
        r.Prodotti = QStringLiteral("Elettrodomestici, assistenza");
        append(r);
    }
}

void writeMaterials()
{
    struct M { const char *code, *type, *brand, *model, *desc, *supplier, *price, *stock, *threshold, *place; };
    const M materials[] = {
        {"LAV-001", "Lavatrice", "Zeta", "ZW 714", "Lavatrice 7 kg 1400 giri", "Grossisti Riuniti", "449,00", "4", "2", "Scaffale A1"},
        {"LAV-002", "Lavatrice", "Zeta", "ZW 912", "Lavatrice 9 kg 1200 giri", "Grossisti Riuniti", "529,90", "2", "2", "Scaffale A1"},
        {"FRI-010", "Frigorifero", "Polar", "PF 300", "Frigorifero combinato 300 l", "Freddo Sud", "649,50", "3", "1", "Magazzino B"},
        {"ASP-020", "Aspirapolvere", "Turbo", "T-Clean 5", "Aspirapolvere senza sacco", "Casa & Co.", "129,00", "6", "3", "Scaffale C2"},
        {"RIC-101", "Ricambio", "Zeta", "Cinghia 1270", "Cinghia di trasmissione lavatrice", "Ricambi Rapidi", "12,50", "1", "3", "Cassetto 4"},
        {"RIC-102", "Ricambio", "Polar", "Guarnizione PF", "Guarnizione porta frigorifero", "Ricambi Rapidi", "34,00", "5", "2", "Cassetto 5"},
    };
    for (const M& m : materials) {
        TRecMateriale r;
        r.Codice = QString::fromUtf8(m.code);
        r.Tipologia = QString::fromUtf8(m.type);
        r.Marca = QString::fromUtf8(m.brand);
        r.Modello = QString::fromUtf8(m.model);
        r.Descrizione = QString::fromUtf8(m.desc);
        r.Fornitore = QString::fromUtf8(m.supplier);
        r.Prezzo = QString::fromUtf8(m.price);
        r.Giacenza = QString::fromUtf8(m.stock);
        r.Sottoscorta = QString::fromUtf8(m.threshold);
        r.Collocazione = QString::fromUtf8(m.place);
        r.DataAcquisto = QStringLiteral("15/01/2026");
        r.Costo = QStringLiteral("0,00");
        append(r);
    }
}

TRecRicevuta receipt(int number, const char* date, const char* client, const char* city, bool paid,
                     std::initializer_list<std::array<const char*, 5>> lines)
{
    TRecRicevuta r;
    r.Ricevuta = QStringLiteral("Ricevuta n.");
    r.NumRic = QString::number(number);
    r.Data = QString::fromUtf8(date);
    r.Venditore = QStringLiteral("Elettroservice di Neri Paolo");
    r.IndirizzoVen = QStringLiteral("Via dei Mille 7");
    r.CapVen = QStringLiteral("48121");
    r.CittaVen = QStringLiteral("Ravenna");
    r.ProvVen = QStringLiteral("RA");
    r.IvaVen = QStringLiteral("02345678901");
    r.Cliente = QString::fromUtf8(client);
    r.CittaCli = QString::fromUtf8(city);
    r.ModPag = QStringLiteral("Contanti");
    int i = 0;
    for (const auto& l : lines) {
        r.Cod[i] = QString::fromUtf8(l[0]);
        r.Desc[i] = QString::fromUtf8(l[1]);
        r.Quant[i] = QString::fromUtf8(l[2]);
        r.PrezzoUni[i] = QString::fromUtf8(l[3]);
        r.Sconto[i] = QString::fromUtf8(l[4]);
        ++i;
    }
    r.PercIva = QStringLiteral("22");
    ComputeTotals(r);
    r.Saldato = paid ? QStringLiteral("Sì") : QStringLiteral("No");
    return r;
}

void writeReceipts()
{
    ArchiveFile file(AppDir::filePath(QStringLiteral("2026.ric")), TRecRicevuta::Size);
    const TRecRicevuta receipts[] = {
        receipt(1, "12/01/2026", "Rossi Mario", "Ravenna", true,
                {{{"LAV-001", "Lavatrice Zeta ZW 714", "1", "449,00", "5"}},
                 {{"", "Trasporto e installazione", "1", "40,00", ""}}}),
        receipt(2, "03/02/2026", "Verdi Anna", "Forlì", false,
                {{{"RIC-101", "Cinghia di trasmissione", "1", "12,50", ""}},
                 {{"", "Manodopera riparazione lavatrice", "1,5", "35,00", ""}}}),
        receipt(3, "17/03/2026", "Bianchi Elettrodomestici S.n.c.", "Rimini", true,
                {{{"ASP-020", "Aspirapolvere Turbo T-Clean 5", "3", "129,00", "10"}}}),
        receipt(4, "28/03/2026", "Colombo Luigi", "Imola", false,
                {{{"FRI-010", "Frigorifero Polar PF 300", "1", "649,50", "3"}}}),
    };
    for (const TRecRicevuta& r : receipts) {
        qint64 position = 0;
        file.append(r.encode(), position);
    }
    ReceiptSettings::Company c{QStringLiteral("Elettroservice di Neri Paolo"), QStringLiteral("Via dei Mille 7"),
                               QStringLiteral("48121"), QStringLiteral("Ravenna"), QStringLiteral("RA"),
                               QStringLiteral("02345678901"), QString(), QStringLiteral("Tel. 0544 000111"),
                               QString(), QStringLiteral("Banca di Romagna")};
    ReceiptSettings::Changes all;
    for (auto key : {&ReceiptSettings::Company::nome, &ReceiptSettings::Company::indirizzo, &ReceiptSettings::Company::cap,
                     &ReceiptSettings::Company::comune, &ReceiptSettings::Company::provincia,
                     &ReceiptSettings::Company::partitaIva, &ReceiptSettings::Company::libero1,
                     &ReceiptSettings::Company::banca})
        all.company.emplace_back(key, c.*key);
    all.vatRate = QStringLiteral("22");
    ReceiptSettings::writeChanges(all);
}

template <class W>
W* child(QWidget* root, const char* name)
{
    return root->findChild<W*>(QLatin1String(name));
}

void click(QWidget* root, const char* name)
{
    if (auto* b = child<QAbstractButton>(root, name)) {
        b->click();
        return;
    }
    // Picture buttons act on a press and release over them.
    if (QWidget* w = child<QWidget>(root, name)) {
        const QPoint c = w->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, c, w->mapToGlobal(c), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, c, w->mapToGlobal(c), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

void type(QWidget* root, const char* name, const QString& text)
{
    if (auto* e = child<QLineEdit>(root, name))
        e->setText(text);
}

class Shooter
{
public:
    explicit Shooter(QString folder) : m_folder(std::move(folder)) {}

    // Shows a screen as the program does (work areas full screen, the others
    // centred), lets the caller fill it, takes its picture and hides it.
    void shoot(const QString& file, QWidget* w, const std::function<void(QWidget*)>& fill = {})
    {
        if (!w)
            return;
        if (auto* area = qobject_cast<centredWindow*>(w))
            area->open();
        else
            w->show();
        settle();
        if (fill)
            fill(w);
        settle();
        save(file, w->grab());
        // A work area also by its content panel alone: the guide shows that.
        if (qobject_cast<centredWindow*>(w)) {
            for (QFrame* panel : w->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (panel->isVisible() && panel->size() == QSize(995, 688))
                    save(file + QStringLiteral("-pannello"), panel->grab());
            }
        }
        w->hide();
        settle();
    }

    // Takes the picture of the modal window that trigger opens, then closes it.
    void shootModal(const QString& file, const std::function<void()>& trigger,
                    const std::function<void(QWidget*)>& fill = {})
    {
        QTimer::singleShot(0, [this, file, fill] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                std::fprintf(stderr, "no window opened for %s\n", qPrintable(file));
                return;
            }
            settle();
            if (fill)
                fill(dialog);
            settle();
            save(file, dialog->grab());
            dialog->reject();
        });
        trigger();
        settle();
    }

private:
    void save(const QString& file, const QPixmap& picture)
    {
        const QString path = m_folder + QLatin1Char('/') + file + QStringLiteral(".png");
        if (!picture.save(path))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }

    QString m_folder;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir data;
    AppDir::setPath(data.path());
    writeClients();
    writeMaterials();
    writeReceipts();
    CreateScreens();
    // The pictures are taken without anybody at the screen: the console
    // platform takes the place of the Qt one (boxes to the console,
    // questions answered No, dialogs cancelled).
    platform::install(nullptr);

    Shooter shots(out);
    // Every screen as it first appears.
    for (const QString& name : Screens::names()) {
        // The receipt editor is shown below on its year panel and at work;
        // the two card printouts are page layouts, never shown.
        if (name == QLatin1String("frmRicevute") || name.startsWith(QLatin1String("frmPrint_")))
            continue;
        shots.shoot(name, Screens::byName(name));
    }

    // A few screens at work, for the guide.
    shots.shoot(QStringLiteral("work_clienti_scheda"), Screens::byName(QStringLiteral("frmClienti")),
                [](QWidget* w) { click(w, "imgPrimo"); });
    shots.shoot(QStringLiteral("work_materiali_scheda"), Screens::byName(QStringLiteral("frmMateriali")),
                [](QWidget* w) { click(w, "imgPrimo"); });
    shots.shoot(QStringLiteral("work_cercacliente_elenco"), Screens::byName(QStringLiteral("frmCercaCliente")),
                [](QWidget* w) {
                    type(w, "txtCitta", QStringLiteral("ra"));
                    click(w, "cmdTrova");
                });
    shots.shoot(QStringLiteral("work_listino_elenco"), Screens::byName(QStringLiteral("frmListino")),
                [](QWidget* w) { click(w, "lblTutti"); });
    auto* receipts = qobject_cast<TfrmRicevute*>(Screens::byName(QStringLiteral("frmRicevute")));
    shots.shoot(QStringLiteral("frmRicevute"), receipts, [](QWidget* w) {
        qobject_cast<TfrmRicevute*>(w)->showYearPanel();
        type(w, "txtAnno", QStringLiteral("2026"));
    });
    shots.shoot(QStringLiteral("work_ricevute_editor"), receipts, [](QWidget* w) {
        qobject_cast<TfrmRicevute*>(w)->showYearPanel();
        type(w, "txtAnno", QStringLiteral("2026"));
        click(w, "cmdApri");
        settle();
        qobject_cast<TfrmRicevute*>(w)->browse(BrowseCommand::First);
    });
    // The reports the editor opens read the year it has open.
    receipts->open();
    settle();
    shots.shootModal(QStringLiteral("work_riepilogo_mensile"), [receipts] { click(receipts, "cmdMensile"); },
                     [](QWidget* w) {
                         if (auto* c = child<QComboBox>(w, "cboMese"))
                             c->setCurrentIndex(2);
                         click(w, "cmdTrova");
                     });
    shots.shootModal(QStringLiteral("work_cercaric_elenco"), [receipts] { click(receipts, "cmdRicerca"); },
                     [](QWidget* w) {
                         type(w, "txtData", QStringLiteral("/03/"));
                         click(w, "cmdTrova");
                     });
    shots.shootModal(QStringLiteral("work_sospesi"), [receipts] { click(receipts, "cmdSospesi"); });
    shots.shootModal(QStringLiteral("work_importa_materiali"), [receipts] { click(receipts, "impPro01"); });
    receipts->browse(BrowseCommand::First);
    settle();
    shots.shootModal(QStringLiteral("work_fattura_elettronica"), [receipts] { click(receipts, "cmdFatturaElettronica"); });
    receipts->hide();
    shots.shoot(QStringLiteral("work_guida"), Screens::byName(QStringLiteral("frmHelpForm")), [](QWidget* w) {
        if (auto* title = child<QLabel>(w, "panTitle"))
            title->setText(clientsGuideTitle());
        if (auto* text = child<QPlainTextEdit>(w, "memTopic"))
            text->setPlainText(clientsGuideText());
    });
    std::printf("pictures in %s\n", qPrintable(out));
    return 0;
}
