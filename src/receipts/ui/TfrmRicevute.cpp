#include "receipts/ui/TfrmRicevute.h"

#include "checkers/ui/TfrmCodFisc.h"
#include "checkers/ui/TfrmIva.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "export/ui/TfrmEsportaRic.h"
#include "platform/Platform.h"
#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/Screens.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTotals.h"
#include "receipts/ReceiptsGuide.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ui/TfrmNumerazione.h"
#include "receipts/ui/TfrmStampa.h"
#include "reports/ui/TfrmCercaRic.h"
#include "reports/ui/TfrmCercaSospesiRic.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "reports/ui/TfrmRiepTrimestraleRic.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmImpMateriali.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

using card::Control;
using card::KeyRule;
using card::Leave;
using card::Look;
using R = TRecRicevuta;

const char* const kVatDigits =
    "Attenzione: carattere non valido. Indicare il numero di partita IVA digitando solo valori numerici.";
const char* const kDiscountAbove100 =
    "Attenzione: lo sconto non può superare il 100 per cento. Lo sconto della voce è stato portato a 100.";

// The names of a line's controls: "txtQuant" and line 7 give "txtQuant07".
QString lineName(const char* family, int line)
{
    return QStringLiteral("%1%2").arg(QLatin1String(family)).arg(line, 2, 10, QLatin1Char('0'));
}

// Names outlive the table: the form keeps pointers to them.
const char* keep(const QString& s)
{
    static std::vector<std::unique_ptr<QByteArray>> names;
    names.push_back(std::make_unique<QByteArray>(s.toLatin1()));
    return names.back()->constData();
}

// One line of a page, as every one of the twenty is laid out.
struct LineColumn
{
    const char* family;
    QString (R::*member)[20];
    const char* header;
    int x, width;
    KeyRule rule;
    Leave leave;
    bool chained;
};
const LineColumn kLine[] = {
    {"txtQuant", &R::Quant, " Quant. ", 34, 56, KeyRule::Amount, Leave::Number, true},
    {"txtCod", &R::Cod, " Codice: ", 94, 140, KeyRule::None, Leave::Keep, true},
    {"txtDesc", &R::Desc, " Descrizione: ", 238, 330, KeyRule::None, Leave::Keep, true},
    {"txtPrezzoUni", &R::PrezzoUni, " Prezzo unit. ", 572, 100, KeyRule::AmountLimited, Leave::Amount, true},
    {"txtSconto", &R::Sconto, " Sconto % ", 676, 72, KeyRule::Amount, Leave::Number, true},
    {"txtPrezzoTot", &R::PrezzoTot, " Prezzo tot. ", 752, 106, KeyRule::None, Leave::Keep, false},
};
int lineY(int row) { return 40 + 36 * row; }

const char* pageName(int page) { return keep(QStringLiteral("grpPage%1").arg(page + 1, 2, 10, QLatin1Char('0'))); }

// The company and client blocks share their rows: name under its caption,
// address, postcode with town and province, VAT number, tax code. Only the
// group, the names, the record fields and the width of the group differ.
struct Party
{
    const char* panel;
    const char* names[7];
    QString R::*fields[7];
    int width;   // of the name field; the rest follows from it
};
const Party kCompany{"grpDitta",
                     {"txtVenditore", "txtIndirizzoVen", "txtCapVen", "txtCittaVen", "txtProvVen", "txtIvaVen", "txtCodFiscVen"},
                     {&R::Venditore, &R::IndirizzoVen, &R::CapVen, &R::CittaVen, &R::ProvVen, &R::IvaVen, &R::CodFiscVen},
                     384};
const Party kClient{"grpCliente",
                    {"txtCliente", "txtIndirizzoCli", "txtCapCli", "txtCittaCli", "txtProvCli", "txtIvaCli", "txtCodFiscCli"},
                    {&R::Cliente, &R::IndirizzoCli, &R::CapCli, &R::CittaCli, &R::ProvCli, &R::IvaCli, &R::CodFiscCli},
                    364};

std::vector<card::Field<R>> receiptFields()
{
    std::vector<card::Field<R>> t;
    int chain = 0;
    auto add = [&](QString R::*f, card::FieldDef d, bool chained = true) {
        if (chained)
            d.chain = ++chain;
        t.push_back({f, d});
    };
    add(&R::Ricevuta, {"txtRicevuta", Control::Edit, nullptr, nullptr, {}, QRect(10, 10, 130, 30)}, false);
    add(&R::NumRic, {"txtNumRic", Control::Edit, nullptr, nullptr, {}, QRect(10, 42, 130, 28)});
    add(&R::Data, {"txtData", Control::Edit, nullptr, " Data: ", QRect(10, 76, 130, 18), QRect(10, 94, 130, 24)});
    auto addParty = [&](const Party& p) {
        const int right = 8 + p.width;   // right edge of the rows
        const card::FieldDef defs[7] = {
            {p.names[0], Control::Edit, p.panel, " Cognome, nome o ragione sociale: ", QRect(8, 20, 300, 16), QRect(8, 36, p.width, 22)},
            {p.names[1], Control::Edit, p.panel, " Indirizzo: ", QRect(8, 64, 72, 22), QRect(80, 64, right - 80, 22)},
            {p.names[2], Control::Edit, p.panel, " CAP: ", QRect(8, 92, 40, 22), QRect(48, 92, 64, 22)},
            {p.names[3], Control::Edit, p.panel, " Città: ", QRect(118, 92, 44, 22), QRect(162, 92, right - 230, 22)},
            {p.names[4], Control::Edit, p.panel, " Prov. ", QRect(right - 66, 92, 40, 22), QRect(right - 28, 92, 28, 22), 0, Look::Bold, KeyRule::UpperAlways},
            {p.names[5], Control::Edit, p.panel, " Partita IVA: ", QRect(8, 124, 96, 22), QRect(104, 124, 120, 22), 0, Look::Bold, KeyRule::Digits, kVatDigits},
            {p.names[6], Control::Edit, p.panel, " Codice fiscale: ", QRect(8, 158, 96, 22), QRect(104, 158, 170, 22), 0, Look::Bold, KeyRule::UpperAlways},
        };
        for (int k = 0; k < 7; ++k)
            add(p.fields[k], defs[k]);
    };
    addParty(kCompany);
    add(&R::Libero01, {"txtLibero01", Control::Edit, "grpDitta", " Campo libero 1: ", QRect(8, 190, 110, 22), QRect(118, 190, 274, 22)});
    add(&R::Libero02, {"txtLibero02", Control::Edit, "grpDitta", " Campo libero 2: ", QRect(8, 216, 110, 22), QRect(118, 216, 274, 22)});
    addParty(kClient);
    add(&R::ModPag, {"txtModPag", Control::Edit, nullptr, " Modalità di pagamento: ", QRect(560, 196, 150, 22), QRect(712, 196, 228, 22)});
    add(&R::Banca, {"txtBanca", Control::Edit, nullptr, " Banca d'appoggio: ", QRect(560, 222, 150, 22), QRect(712, 222, 228, 22)});
    // The appliance on one row.
    struct App { QString R::*f; const char* name; const char* caption; KeyRule rule; };
    const App app[] = {{&R::CodiceApp, "txtTelaio", " Codice:", KeyRule::None},
                       {&R::TipologiaApp, "txtPercorsi", " Tipologia:", KeyRule::None},
                       {&R::MarcaApp, "txtTarga", " Marca:", KeyRule::UpperAlways},
                       {&R::ModelloApp, "txtImmatricolazione", " Modello:", KeyRule::None},
                       {&R::AccessoriApp, "txtMarca", " Accessori:", KeyRule::None}};
    for (int k = 0; k < 5; ++k)
        add(app[k].f, {app[k].name, Control::Edit, "grpApparecchio", app[k].caption, QRect(8 + 176 * k, 22, 66, 22),
                       QRect(74 + 176 * k, 22, 104, 22), 0, Look::Bold, app[k].rule});
    // The twenty lines, five to a page, from the one line description.
    for (int i = 0; i < 20; ++i) {
        for (const LineColumn& col : kLine) {
            card::FieldDef def{keep(lineName(col.family, i + 1)), Control::Edit, pageName(i / 5), nullptr, {},
                               QRect(col.x, lineY(i % 5), col.width, 26)};
            def.rule = col.rule;
            def.leave = col.leave;
            if (col.chained)
                def.chain = ++chain;
            t.push_back({nullptr, def, col.member, i});
        }
    }
    add(&R::TotNetto, {"txtTotNetto", Control::Edit, "grpTotali", "Totale netto:", QRect(92, 26, 86, 24), QRect(178, 26, 100, 26)}, false);
    add(&R::PercIva, {"txtPercIva", Control::Edit, "grpTotali", "IVA:", QRect(294, 26, 30, 24), QRect(326, 26, 52, 26), 0, Look::Bold,
                      KeyRule::Amount, nullptr, "0", Leave::Number});
    add(&R::TotIva, {"txtTotIva", Control::Edit, "grpTotali", "Totale IVA:", QRect(410, 26, 78, 24), QRect(488, 26, 100, 26)}, false);
    add(&R::Totale, {"txtTotale", Control::Edit, "grpTotali", "TOTALE:", QRect(604, 26, 62, 24), QRect(666, 26, 110, 26)}, false);
    return t;
}

const char* const kCompanyFields[] = {"txtVenditore", "txtIndirizzoVen", "txtCapVen", "txtCittaVen", "txtProvVen",
                                      "txtIvaVen", "txtCodFiscVen", "txtLibero01", "txtLibero02"};
const char* const kClientAndAppliance[] = {"txtCliente", "txtIndirizzoCli", "txtCapCli", "txtCittaCli", "txtProvCli",
                                           "txtIvaCli", "txtCodFiscCli", "txtModPag", "txtTelaio", "txtPercorsi",
                                           "txtTarga", "txtImmatricolazione", "txtMarca"};
const char* const kTotals[] = {"txtTotNetto", "txtTotIva", "txtTotale"};

// A caption that acts like a link: red while the button is down over it,
// navy again when it is released, and its action on release.
class LinkCaption : public QLabel
{
public:
    LinkCaption(const QString& name, const QString& text, QWidget* parent, std::function<void()> act)
        : QLabel(text, parent), m_act(std::move(act))
    {
        setObjectName(name);
        QFont f = font();
        f.setUnderline(true);
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        setFont(f);
        paint(QColor(0, 0, 128));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { paint(Qt::red); }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        paint(QColor(0, 0, 128));
        m_act();
    }

private:
    void paint(const QColor& c)
    {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, c);
        setPalette(p);
    }
    std::function<void()> m_act;
};

} // namespace

TfrmRicevute::TfrmRicevute()
    : RecordCardScreen(QStringLiteral("frmRicevute"), QStringLiteral(" Emissione ricevute"), {8, 18, QSize(1030, 742)})
{
    buildEditor();
    buildYearPanel();
}

TfrmRicevute::~TfrmRicevute() = default;

void TfrmRicevute::buildEditor()
{
    buildToolbar();
    addGroup("grpDitta", QStringLiteral(" Ditta emittente: "), QRect(150, 2, 400, 248));
    addGroup("grpCliente", QStringLiteral(" Cliente: "), QRect(560, 2, 380, 188));
    addGroup("grpApparecchio", QStringLiteral(" Apparecchio "), QRect(10, 254, 890, 56));
    for (int p = 0; p < 4; ++p)
        grpPage[p] = addGroup(pageName(p), QStringLiteral(" Pag. %1 ").arg(p + 1), QRect(10, 314, 930, 252));
    addGroup("grpTotali", QStringLiteral(" Totali "), QRect(10, 570, 930, 64));
    // The line captions and numbers, repeated on each page.
    for (int p = 0; p < 4; ++p) {
        for (const LineColumn& col : kLine) {
            auto* h = new QLabel(QString::fromUtf8(col.header), grpPage[p]);
            h->setGeometry(col.x, 20, col.width, 18);
        }
        for (int row = 0; row < 5; ++row) {
            auto* n = new QLabel(QStringLiteral("%1.").arg(p * 5 + row + 1), grpPage[p]);
            n->setGeometry(6, lineY(row), 26, 26);
            n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    makeForm(receiptFields());

    // The document label: white on black, typing ignored.
    QLineEdit* label = field(QStringLiteral("txtRicevuta"));
    label->setReadOnly(true);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAlignment(Qt::AlignCenter);
    label->setText(QStringLiteral("Ricevuta n."));
    label->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: white; border: none; }"));
    QFont big = label->font();
    big.setPointSize(big.pointSize() + 3);
    label->setFont(big);
    field(QStringLiteral("txtNumRic"))->setAlignment(Qt::AlignCenter);
    field(QStringLiteral("txtNumRic"))->setFont(big);

    // Computed fields: sky blue, read-only, out of the Tab order.
    QStringList computed(std::begin(kTotals), std::end(kTotals));
    for (int i = 1; i <= 20; ++i)
        computed << lineName("txtPrezzoTot", i);
    for (const QString& name : computed) {
        QLineEdit* e = field(name);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        // A computed amount is shown whole, longer than its record field
        // when it must be (the VAT total; a total Save will refuse).
        e->setMaxLength(32767);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FieldColours::setBackground(e, FieldColours::computedBlue());
    }
    for (int i = 1; i <= 20; ++i) {
        field(lineName("txtPrezzoUni", i))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field(lineName("txtSconto", i))->setAlignment(Qt::AlignCenter);
    }
    QLineEdit* total = field(QStringLiteral("txtTotale"));
    QPalette maroon = total->palette();
    maroon.setColor(QPalette::Text, QColor(128, 0, 0));
    total->setPalette(maroon);
    field(QStringLiteral("txtPercIva"))->setText(QStringLiteral("0"));
    auto* percent = new QLabel(QStringLiteral("%"), findChild<QWidget*>(QStringLiteral("grpTotali")));
    percent->setGeometry(382, 26, 14, 24);

    QWidget* totals = findChild<QWidget*>(QStringLiteral("grpTotali"));
    auto* ok = makeControl<QPushButton>(totals, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    ok->setGeometry(10, 24, 70, 30);
    ok->setToolTip(QStringLiteral(" Calcola totale "));
    connect(ok, &QPushButton::clicked, this, &TfrmRicevute::cmdOKClick);
    // The paid box on a dark plate, so that its white and lime captions read.
    chkSaldato = makeControl<QCheckBox>(totals, QStringLiteral("chkSaldato"), QStringLiteral(" Saldato "));
    chkSaldato->setGeometry(800, 24, 116, 30);
    chkSaldato->setFocusPolicy(Qt::NoFocus);
    chkSaldato->setAutoFillBackground(true);
    connect(chkSaldato, &QCheckBox::clicked, this, [this](bool on) { setPaid(on); });
    setPaid(false);

    lblFile = makeControl<QLabel>(container(), QStringLiteral("lblFile"));
    lblFile->hide();
    lblInizio = makeControl<QLabel>(container(), QStringLiteral("lblInizio"), QStringLiteral("1"));
    lblInizio->hide();

    wireLines();
    showPage(0);
}

void TfrmRicevute::buildToolbar()
{
    auto act = [this](void (TfrmRicevute::*member)()) { return [this, member] { (this->*member)(); }; };
    const int x = 950;
    auto y = [](int i) { return 10 + 44 * i; };
    addButtons({
        {"cmdNuovo", "btn_nuovo", " Predispone la schermata per l'emissione di una nuova ricevuta.", {x, y(0)}, act(&TfrmRicevute::cmdNuovoClick)},
        {"cmdSalva", "btn_salva", " Salva o aggiorna la ricevuta corrente.", {x, y(1)}, act(&TfrmRicevute::cmdSalvaClick)},
        {"cmdRicerca", "btn_cerca", " Effettua una ricerca avanzata di una ricevuta in archivio utilizzando più campi contemporaneamente.", {x, y(2)}, act(&TfrmRicevute::cmdRicercaClick)},
        {"cmdStampa", "btn_stampa", " Stampa la ricevuta corrente su foglio A4.", {x, y(3)}, act(&TfrmRicevute::cmdStampaClick)},
        {"cmdSospesi", "btn_euro", " Visualizza l'elenco delle ricevute non ancora saldate.", {x, y(4)}, act(&TfrmRicevute::cmdSospesiClick)},
        {"cmdMensile", "btn_info", " Visualizza il riepilogo delle ricevute emesse in un mese dell'anno.", {x, y(5)}, [this] { showSummary<TfrmRiepMensileRic>(); }},
        {"cmdTrimestrale", "btn_info", " Visualizza il riepilogo delle ricevute emesse in un trimestre dell'anno.", {x, y(6)}, [this] { showSummary<TfrmRiepTrimestraleRic>(); }},
        {"cmdAnnuale", "btn_info", " Visualizza il riepilogo annuale delle ricevute emesse.", {x, y(7)}, [this] { showSummary<TfrmRiepAnnualeRic>(); }},
        {"cmdGuida", "btn_guida", " Visualizza la guida in linea.", {x, y(8)}, [] { Screens::showGuide(receiptsGuideTitle(), receiptsGuideText()); }},
        {"cmdEsci", "btn_esci", " Esce dalla schermata di lavoro corrente.", {x, 646}, [this] { close(); }},
    });
    addArrows({{" Visualizza la prima ricevuta in archivio.", " Visualizza la ricevuta precedente in archivio.",
                " Visualizza la ricevuta successiva in archivio.", " Visualizza l'ultima ricevuta in archivio."},
               {367, 405, 503, 541},
               644,
               QRect(439, 644, 62, 32)});
}

void TfrmRicevute::wireLines()
{
    auto act = [this](void (TfrmRicevute::*member)()) { return [this, member] { (this->*member)(); }; };
    auto taxCode = [this](const char* name) {
        return [this, name] { TfrmCodFisc::run(this, trimmed(name)); };
    };
    auto vat = [this](const char* name) {
        return [this, name] { TfrmIva::run(this, trimmed(name)); };
    };
    std::vector<Button> buttons = {
        {"imgIvaVen", "btn_controlla", " Controlla la validità del numero di partita IVA indicato.", {228, 118}, vat("txtIvaVen"), false, "grpDitta"},
        {"imgCodFiscVen", "btn_controlla", " Controlla la validità del codice fiscale indicato.", {278, 152}, taxCode("txtCodFiscVen"), false, "grpDitta"},
        {"imgLogo", "btn_allegati", " Carica un file Bitmap da inserire come logo nella stampa delle ricevute.", {316, 118}, [] { Screens::get<TfrmLogo>()->exec(); }, false, "grpDitta"},
        {"imgCancella", "btn_cancella", " Cancella i dati relativi alla ditta emittente.", {356, 118}, act(&TfrmRicevute::imgCancellaClick), false, "grpDitta"},
        {"imgIvaCli", "btn_controlla", " Controlla la validità del numero di partita IVA indicato.", {228, 118}, vat("txtIvaCli"), false, "grpCliente"},
        {"imgCodFiscCli", "btn_controlla", " Controlla la validità del codice fiscale indicato.", {278, 152}, taxCode("txtCodFiscCli"), false, "grpCliente"},
        {"imgImpCli", "btn_importa", " Importa i dati dall'archivio dei clienti.", {336, 118}, act(&TfrmRicevute::imgImpCliClick), false, "grpCliente"},
        {"impAutomezzo", "btn_importa", " Importa dati apparecchio dal magazzino.", {906, 266}, act(&TfrmRicevute::impAutomezzoClick)},
    };
    for (int i = 1; i <= 20; ++i) {
        buttons.push_back({keep(lineName("impPro", i)), "btn_importa", " Importa i dati dal magazzino.",
                           {870, lineY((i - 1) % 5) - 3}, [this, i] { impProClick(i); }, false, pageName((i - 1) / 5)});
    }
    // Page arrows: forward on pages 1 to 3, back on pages 2 to 4, acting on release.
    const char* const forward[3] = {"imgAvanti_A", "imgAvanti_B", "imgAvanti_C"};
    const char* const back[3] = {"imgIndietro_B", "imgIndietro_C", "imgIndietro_D"};
    for (int p = 0; p < 3; ++p) {
        buttons.push_back({forward[p], "btn_avanti", " Avanti ", {870, 214}, [this, p] { showPage(p + 1); }, true, pageName(p)});
        buttons.push_back({back[p], "btn_indietro", " Indietro ", {830, 214}, [this, p] { showPage(p); }, true, pageName(p + 1)});
    }
    addButtons(buttons);

    // Typing in an amount of a line empties that line's total and the three
    // totals; typing in the VAT rate (Backspace aside) the three totals.
    for (int i = 1; i <= 20; ++i) {
        for (const char* family : {"txtQuant", "txtPrezzoUni", "txtSconto"}) {
            auto* filter = field(lineName(family, i))->findChild<AmountKeyFilter*>();
            connect(filter, &AmountKeyFilter::accepted, this, [this, i] {
                field(lineName("txtPrezzoTot", i))->clear();
                emptyTotals();
            });
        }
        // The discount is judged before the usual leaving rule runs.
        field(lineName("txtSconto", i))->installEventFilter(this);
    }
    connect(field(QStringLiteral("txtPercIva"))->findChild<AmountKeyFilter*>(), &AmountKeyFilter::accepted, this,
            [this](QChar c) {
                if (c != QLatin1Char('\b'))
                    emptyTotals();
            });
}

void TfrmRicevute::buildYearPanel()
{
    grpAnno = addPanel(QStringLiteral("grpAnno"));
    grpAnno->setAutoFillBackground(true);
    auto* title = makeControl<QLabel>(grpAnno, QStringLiteral("lblTitolo"), QStringLiteral("Emissione ricevute."));
    title->setGeometry(40, 40, 915, 64);
    title->setAutoFillBackground(true);
    title->setIndent(20);
    QPalette olive = title->palette();
    olive.setColor(QPalette::Window, QColor(128, 128, 0));
    olive.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(olive);
    QFont tf = title->font();
    tf.setPointSize(26);
    tf.setBold(true);
    title->setFont(tf);
    auto* line = makeControl<QLabel>(grpAnno, QStringLiteral("lblSottotitolo"),
                                     QStringLiteral("In questo ambiente di lavoro è possibile emettere ricevute da rilasciare ai propri clienti."));
    line->setGeometry(40, 112, 915, 24);
    QFont italic = line->font();
    italic.setItalic(true);
    italic.setPointSize(italic.pointSize() + 2);
    line->setFont(italic);

    auto* group = new QGroupBox(QStringLiteral(" Fatture anno solare: "), grpAnno);
    group->setObjectName(QStringLiteral("grpFatture"));
    group->setGeometry(40, 170, 360, 110);
    txtAnno = makeControl<QLineEdit>(group, QStringLiteral("txtAnno"));
    txtAnno->setGeometry(20, 36, 150, 50);
    txtAnno->setMaxLength(4);
    QFont yf = txtAnno->font();
    yf.setPointSize(24);
    yf.setBold(true);
    txtAnno->setFont(yf);
    txtAnno->setAlignment(Qt::AlignCenter);
    FieldColours::install(txtAnno, FieldColours::restGreen());
    KeyFilters::yearDigits(txtAnno, [this] { cmdApriClick(); });
    auto* apri = makeControl<QPushButton>(group, QStringLiteral("cmdApri"), QStringLiteral("Apri"));
    apri->setGeometry(200, 40, 130, 42);
    cmdApri = apri;
    connect(apri, &QPushButton::clicked, this, &TfrmRicevute::cmdApriClick);
    connect(txtAnno, &QLineEdit::textChanged, this, [this](const QString& t) { cmdApri->setEnabled(t.size() == 4); });

    lblInfo = makeControl<QLabel>(grpAnno, QStringLiteral("lblInfo"));
    lblInfo->setGeometry(40, 600, 915, 24);
    QPalette purple = lblInfo->palette();
    purple.setColor(QPalette::WindowText, QColor(128, 0, 128));
    lblInfo->setPalette(purple);

    struct Item { const char* picture; const char* pictureName; const char* captionName; const char* caption; const char* info; std::function<void()> act; };
    const Item items[] = {
        {"btn_excel", "imgEsportaExcel", "lblEsportaExcel", "Esporta in Excel", "Esporta l'archivio annuale delle ricevute in un file di Microsoft Excel.", [this] { imgEsportaExcelClick(); }},
        {"btn_nuovo", "imgNumerazione", "lblNumerazione", "Inizio numerazione", "Imposta il numero da cui si vuol far partire la numerazione delle ricevute.", [this] { imgNumerazioneClick(); }},
        {"btn_allegati", "imgLogoDitta", "lblLogoDitta", "Logo ditta", "Carica un file Bitmap da inserire come logo nella stampa delle ricevute.", [this] { imgLogoDittaClick(); }},
    };
    int row = 0;
    auto hover = [this](QWidget* w, const QString& text) {
        w->setProperty("info", text);
        w->installEventFilter(this);
    };
    for (const Item& it : items) {
        auto* pic = new PictureButton(QLatin1String(it.pictureName), QStringLiteral(":/pictures/%1.png").arg(QLatin1String(it.picture)), QString(), grpAnno);
        pic->move(460, 180 + 56 * row);
        connect(pic, &PictureButton::released, this, it.act);
        auto* cap = new LinkCaption(QLatin1String(it.captionName), QString::fromUtf8(it.caption), grpAnno, it.act);
        cap->setGeometry(504, 182 + 56 * row, 300, 28);
        hover(pic, QString::fromUtf8(it.info));
        hover(cap, QString::fromUtf8(it.info));
        ++row;
    }
    hover(apri, QStringLiteral("Visualizza l'ambiente di lavoro per l'emissione delle ricevute."));
    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/btn_guida.png"), QString(), grpAnno);
    guide->move(40, 640);
    connect(guide, &PictureButton::released, this, [] { Screens::showGuide(receiptsGuideTitle(), receiptsGuideText()); });
    hover(guide, QStringLiteral("Visualizza una pagina della guida in linea sensibile al contesto."));
    auto* exit = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/pictures/btn_esci.png"), QString(), grpAnno);
    exit->move(923, 640);
    connect(exit, &PictureButton::released, this, [this] { close(); });
    hover(exit, QStringLiteral("Esci dalla schermata di lavoro corrente."));
    auto* art = new Picture(QStringLiteral("imgRicevute"), QStringLiteral(":/pictures/info_ricevute.png"), grpAnno);
    art->move(40, 320);
    grpAnno->installEventFilter(this);
}

QLineEdit* TfrmRicevute::field(const QString& name) const
{
    return m_form->edit(name);
}

QString TfrmRicevute::lineField(const char* family, int line) const
{
    return m_form->text(lineName(family, line));
}

void TfrmRicevute::showYearPanel()
{
    grpAnno->setVisible(true);
    container()->setVisible(false);
}

QString TfrmRicevute::yearFilePath() const
{
    return lblFile->text();
}

QString TfrmRicevute::year() const
{
    return txtAnno->text();
}

void TfrmRicevute::showEvent(QShowEvent* event)
{
    CardScreen::showEvent(event);
    if (event->spontaneous())
        return;
    setWindowTitle(QStringLiteral(" Emissione ricevute"));
    txtAnno->setText(platform::current().today().toString(QStringLiteral("yyyy")));
    readSettings();
    if (grpAnno->isVisible())
        txtAnno->setFocus();
}

void TfrmRicevute::closeEvent(QCloseEvent* event)
{
    writeSettings();
    RecordCardScreen::closeEvent(event);
}

void TfrmRicevute::readSettings()
{
    ReceiptSettings::Company c;
    QString vatRate;
    // A file that cannot be read is said once, and its values are not taken
    // for empty ones: nor shown, nor written back on closing.
    m_settingsRead = ReceiptSettings::readCompanyAndVat(c, vatRate);
    if (!m_settingsRead) {
        platform::current().showMessage(ReceiptSettings::unreadableMessage());
        return;
    }
    const QString values[] = {c.nome, c.indirizzo, c.cap, c.comune, c.provincia, c.partitaIva, c.codiceFiscale, c.libero1, c.libero2};
    for (int k = 0; k < 9; ++k)
        m_form->setText(QLatin1String(kCompanyFields[k]), values[k]);
    m_form->setText(QStringLiteral("txtBanca"), c.banca);
    m_form->setText(QStringLiteral("txtPercIva"), vatRate);
    if (trimmed("txtPercIva").isEmpty())
        m_form->setText(QStringLiteral("txtPercIva"), QStringLiteral("0"));
}

void TfrmRicevute::writeSettings()
{
    if (!m_settingsRead)
        return;
    ReceiptSettings::Company c;
    QString* values[] = {&c.nome, &c.indirizzo, &c.cap, &c.comune, &c.provincia, &c.partitaIva, &c.codiceFiscale, &c.libero1, &c.libero2};
    for (int k = 0; k < 9; ++k)
        *values[k] = trimmed(kCompanyFields[k]);
    c.banca = trimmed("txtBanca");
    // Nothing to tell the user: the settings file has no message of its own.
    ReceiptSettings::writeCompanyAndVat(c, trimmed("txtPercIva"));
}

bool TfrmRicevute::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && watched->property("info").isValid())
        lblInfo->setText(watched->property("info").toString());
    if (event->type() == QEvent::Enter && watched == grpAnno)
        lblInfo->clear();
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == QLatin1String("\r")) {
        // Enter after the last line of a page goes on to the next page,
        // whose first quantity the chain could not reach while it is hidden.
        const QString name = watched->objectName();
        const int line = name.startsWith(QLatin1String("txtSconto")) ? name.mid(9).toInt() : 0;
        if (line % 5 == 0 && line > 0 && line < 20) {
            showPage(line / 5);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && edit->objectName().startsWith(QLatin1String("txtSconto")) && capDiscount(edit))
            platform::current().showMessage(QString::fromUtf8(kDiscountAbove100));
    }
    return RecordCardScreen::eventFilter(watched, event);
}

void TfrmRicevute::cmdApriClick()
{
    // The year names a file beside the program: four digits and nothing else.
    if (!ReceiptArchive::isYear(txtAnno->text()))
        return;
    lblFile->setText(ReceiptArchive::yearFilePath(txtAnno->text()));
    setWindowTitle(QStringLiteral(" Emissione ricevute anno ") + TextRules::trim(txtAnno->text()));
    grpAnno->setVisible(false);
    container()->setVisible(true);
    m_form->setText(QStringLiteral("txtNumRic"), QString());
    m_form->setText(QStringLiteral("txtData"), QString());
    ClearReceiptBody();
}

void TfrmRicevute::imgEsportaExcelClick()
{
    if (txtAnno->text().size() < 4) {
        platform::current().showTaskMessage(
            QStringLiteral("Esportazione archivio non applicabile"),
            QStringLiteral("Per esportare l'archivio delle ricevute in Excel è necessario indicare l'anno solare utilizzando 4 cifre."),
            platform::MessageIcon::Information);
        txtAnno->setFocus();
        return;
    }
    auto* exportWindow = Screens::get<TfrmEsportaRic>();
    exportWindow->setYear(txtAnno->text());
    exportWindow->exec();
}

void TfrmRicevute::imgNumerazioneClick()
{
    // A start the dialog cannot read would be shown as 1 and could be
    // written over one it never saw.
    qint64 start = 0;
    QString text;
    if (ReceiptSettings::numberingStart(start, text) == ReceiptSettings::Start::Unreadable) {
        platform::current().showMessage(ReceiptSettings::unreadableMessage());
        return;
    }
    auto* dialog = Screens::get<TfrmNumerazione>();
    dialog->setWindowTitle(QStringLiteral(" Imposta inizio numerazione ricevute"));
    dialog->exec();
}

void TfrmRicevute::imgLogoDittaClick()
{
    Screens::get<TfrmLogo>()->exec();
}

void TfrmRicevute::showPage(int page)
{
    for (int p = 0; p < 4; ++p)
        grpPage[p]->setVisible(p == page);
    field(lineName("txtQuant", page * 5 + 1))->setFocus();
}

void TfrmRicevute::setPaid(bool paid)
{
    chkSaldato->setChecked(paid);
    QPalette p = chkSaldato->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    const QColor caption = paid ? QColor(0, 255, 0) : QColor(Qt::white);
    p.setColor(QPalette::WindowText, caption);
    chkSaldato->setPalette(p);
    // The style draws check boxes from the style sheet, not the palette.
    chkSaldato->setStyleSheet(QStringLiteral("QCheckBox { background: #000080; color: %1; padding-left: 8px; font-weight: bold; }"
                                             "QCheckBox::indicator { width: 14px; height: 14px; border: 1px solid white; background: white; }"
                                             "QCheckBox::indicator:checked { background: #00FF00; }")
                                  .arg(caption.name()));
}

void TfrmRicevute::emptyTotals()
{
    for (const char* name : kTotals)
        field(QLatin1String(name))->clear();
}

void TfrmRicevute::ClearReceiptBody()
{
    for (const char* name : kClientAndAppliance)
        field(QLatin1String(name))->clear();
    for (const LineColumn& col : kLine) {
        for (int i = 1; i <= 20; ++i)
            field(lineName(col.family, i))->clear();
    }
    emptyTotals();
    showPage(0);
    setPaid(false);
    setPosition(0);
    focusOn("txtCliente");
}

void TfrmRicevute::cmdNuovoClick()
{
    ArchiveFile file = archive();
    const ReceiptArchive::Proposal p = ReceiptArchive::proposeNumber(file);
    switch (p.outcome) {
    case ReceiptArchive::Numbering::Proposed:
        break;
    case ReceiptArchive::Numbering::BadStart:
        platform::current().showMessage(ReceiptArchive::badStartMessage(p.startText));
        return;
    case ReceiptArchive::Numbering::SettingsUnreadable:
        platform::current().showMessage(ReceiptSettings::unreadableMessage());
        return;
    case ReceiptArchive::Numbering::Failed:
        reportArchiveFailure();
        return;
    }
    const QString start = TextRules::trim(p.startText);
    lblInizio->setText(start.isEmpty() ? QStringLiteral("1") : start);
    m_form->setText(QStringLiteral("txtNumRic"), p.number);
    m_form->setText(QStringLiteral("txtData"), platform::current().today().toString(QStringLiteral("dd/MM/yyyy")));
    ClearReceiptBody();
}

// A discount above 100 per cent would give a negative line total: it
// becomes 100. True when the field was changed.
bool TfrmRicevute::capDiscount(QLineEdit* edit)
{
    double value = 0;
    if (!ParseAmount(NormalizeNumberText(edit->text()), value) || value <= 100)
        return false;
    edit->setText(QStringLiteral("100"));
    return true;
}

void TfrmRicevute::cmdOKClick()
{
    // The totals are computed, and saved, only from discounts of at most 100,
    // also when a discount was typed and the field not left.
    bool capped = false;
    for (int i = 1; i <= 20; ++i)
        capped = capDiscount(field(lineName("txtSconto", i))) || capped;
    if (capped)
        platform::current().showMessage(QString::fromUtf8(kDiscountAbove100));
    ReceiptAmounts a;
    for (int i = 0; i < 20; ++i) {
        a.Quant[i] = lineField("txtQuant", i + 1);
        a.PrezzoUni[i] = lineField("txtPrezzoUni", i + 1);
        a.Sconto[i] = lineField("txtSconto", i + 1);
        a.PrezzoTot[i] = lineField("txtPrezzoTot", i + 1);
    }
    a.PercIva = m_form->text(QStringLiteral("txtPercIva"));
    a.TotNetto = m_form->text(QStringLiteral("txtTotNetto"));
    a.TotIva = m_form->text(QStringLiteral("txtTotIva"));
    a.Totale = m_form->text(QStringLiteral("txtTotale"));
    ComputeTotals(a);
    auto put = [this](const QString& name, const QString& text) {
        QLineEdit* e = field(name);
        if (e->text() != text)
            e->setText(text);
    };
    for (int i = 0; i < 20; ++i) {
        put(lineName("txtQuant", i + 1), a.Quant[i]);
        put(lineName("txtPrezzoUni", i + 1), a.PrezzoUni[i]);
        put(lineName("txtSconto", i + 1), a.Sconto[i]);
        put(lineName("txtPrezzoTot", i + 1), a.PrezzoTot[i]);
    }
    put(QStringLiteral("txtPercIva"), a.PercIva);
    put(QStringLiteral("txtTotNetto"), a.TotNetto);
    put(QStringLiteral("txtTotIva"), a.TotIva);
    put(QStringLiteral("txtTotale"), a.Totale);
}

ArchiveFile TfrmRicevute::archive() const
{
    return ReceiptArchive::yearFile(lblFile->text());
}

bool TfrmRicevute::readyToSave()
{
    cmdOKClick();
    struct Check
    {
        const char* control;
        const char* message;
        bool failed;
    };
    const Check checks[] = {
        {"txtVenditore", "Per salvare la scheda è necessario indicare il cognome e il nome o la ragione sociale della ditta emittente.", trimmed("txtVenditore").isEmpty()},
        {"txtCliente", "Per salvare la scheda è necessario indicare il cognome e il nome del cliente.", trimmed("txtCliente").isEmpty()},
        {"txtNumRic", "Per salvare la scheda è necessario indicare il numero della ricevuta.", trimmed("txtNumRic").isEmpty()},
        {"txtData", "Per salvare la scheda è necessario indicare la data della ricevuta.", trimmed("txtData").isEmpty()},
        {"txtData", "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/anno.",
         !ReceiptArchive::isSavableDate(trimmed("txtData"))},
    };
    for (const Check& c : checks) {
        if (c.failed) {
            platform::current().showTaskMessage(QStringLiteral("Salvataggio scheda non applicabile"), QString::fromUtf8(c.message),
                                                platform::MessageIcon::Warning);
            focusOn(c.control);
            return false;
        }
    }
    // An amount whose integer part the record cannot hold would be stored as
    // another value: nothing is written.
    TRecRicevuta record = currentRecord();
    const QString tooLarge = fitStoredAmounts(record);
    if (!tooLarge.isEmpty()) {
        platform::current().showTaskMessage(QStringLiteral("Salvataggio scheda non applicabile"), tooLarge,
                                            platform::MessageIcon::Warning);
        return false;
    }
    return true;
}

QByteArray TfrmRicevute::recordToSave() const
{
    TRecRicevuta record = currentRecord();
    fitStoredAmounts(record);
    return record.encode();
}

CardScreen::SaveTexts TfrmRicevute::saveTexts() const
{
    SaveTexts t;
    t.updateCaption = QStringLiteral("Aggiornamento effettuato con successo");
    t.insertCaption = QStringLiteral("Salvataggio effettuato con successo");
    return t;
}

CardScreen::AppendCheck TfrmRicevute::appendCheck() const
{
    // Every receipt of the year: the number may have been typed by hand over
    // the one New proposed, or the start changed, as well as saved by
    // another workstation since New.
    return ReceiptArchive::carriesNumber(trimmed("txtNumRic"));
}

bool TfrmRicevute::appendDespiteClash()
{
    return platform::current().askYesNo(
        QStringLiteral("Salvataggio scheda"),
        QStringLiteral("Attenzione: esiste già una ricevuta con questo numero. Salvare comunque?"));
}

void TfrmRicevute::cmdSalvaClick()
{
    saveCard();
}

void TfrmRicevute::loadRecord(const TRecRicevuta& record, qint64 position)
{
    RecordCardScreen::loadRecord(record, position);
    const QString paid = TextRules::trim(record.Saldato);
    if (paid == ReceiptArchive::paidMark(true))
        setPaid(true);
    else if (paid == ReceiptArchive::paidMark(false))
        setPaid(false);
}

TRecRicevuta TfrmRicevute::currentRecord() const
{
    TRecRicevuta r = RecordCardScreen::currentRecord();
    r.Saldato = ReceiptArchive::paidMark(chkSaldato->isChecked());
    return r;
}

bool TfrmRicevute::loadListLine(const QString& line)
{
    ArchiveFile file = archive();
    TRecRicevuta receipt;
    qint64 position = 0;
    if (!ReceiptArchive::findByListLine(file, line, receipt, position))
        return false;
    loadRecord(receipt, position);
    return true;
}

template <class Summary>
void TfrmRicevute::showSummary()
{
    Summary summary;
    summary.setYear(yearFilePath(), year());
    loadChosen(summary);
}

void TfrmRicevute::cmdRicercaClick()
{
    // A new search for every opening: nothing of the last one survives.
    TfrmCercaRic search;
    search.setYear(yearFilePath(), year());
    loadChosen(search);
}

void TfrmRicevute::cmdSospesiClick()
{
    TfrmCercaSospesiRic unpaid;
    unpaid.setYearFile(yearFilePath());
    loadChosen(unpaid);
}

void TfrmRicevute::cmdStampaClick()
{
    Screens::get<TfrmStampa>()->printReceipt(this, currentRecord());
}

void TfrmRicevute::imgImpCliClick()
{
    TfrmCercaCliente search;
    search.setCallerMark(QStringLiteral("ricevute"));
    search.exec();
    if (!search.chosen())
        return;
    const TRecCliente& c = search.chosen()->record;
    const std::pair<const char*, QString> fills[] = {
        {"txtCliente", c.Nominativo}, {"txtIndirizzoCli", c.Indirizzo}, {"txtCapCli", c.Cap}, {"txtCittaCli", c.Citta},
        {"txtProvCli", c.Prov}, {"txtIvaCli", c.Iva}, {"txtCodFiscCli", c.CodFisc}, {"txtModPag", c.Pagamento}};
    for (const auto& [name, value] : fills)
        m_form->setText(QLatin1String(name), value);
}

void TfrmRicevute::impAutomezzoClick()
{
    auto* search = Screens::get<TfrmCercaMateriale>();
    search->setCallerMark(QStringLiteral("ricevute"));
    search->exec();
    if (!search->chosen())
        return;
    const TRecMateriale& m = search->chosen()->record;
    const std::pair<const char*, QString> fills[] = {{"txtTelaio", m.Codice}, {"txtPercorsi", m.Tipologia}, {"txtTarga", m.Marca},
                                                     {"txtImmatricolazione", m.Modello}, {"txtMarca", m.Accessori}};
    for (const auto& [name, value] : fills)
        m_form->setText(QLatin1String(name), value);
}

void TfrmRicevute::impProClick(int line)
{
    TfrmImpMateriali import;
    import.setLine(line, TextRules::trim(lineField("txtQuant", line)));
    import.exec();
    if (!import.imported())
        return;
    const TRecMateriale& m = *import.imported();
    m_form->setText(lineName("txtCod", import.line()), m.Codice);
    m_form->setText(lineName("txtDesc", import.line()), m.Descrizione);
    // A warehouse price longer than the line's field loses decimals by
    // rounding, never digits cut off its end.
    const QString priceField = lineName("txtPrezzoUni", import.line());
    QString price = TextRules::trim(m.Prezzo);
    FitAmountText(price, field(priceField)->maxLength(), true, price);
    m_form->setText(priceField, price);
}

void TfrmRicevute::imgCancellaClick()
{
    for (const char* name : kCompanyFields)
        field(QLatin1String(name))->clear();
    focusOn("txtVenditore");
}
