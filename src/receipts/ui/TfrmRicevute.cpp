#include "receipts/ui/TfrmRicevute.h"

#include "checkers/ui/TfrmCodFisc.h"
#include "checkers/ui/TfrmIva.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "einvoice/ui/TfrmFatturaElettronica.h"
#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/KeyFilters.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptCard.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptTotals.h"
#include "receipts/ReceiptsGuide.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ui/PaidBox.h"
#include "receipts/ui/ReceiptFields.h"
#include "receipts/ui/TfrmStampa.h"
#include "receipts/ui/YearPanel.h"
#include "reports/ui/TfrmCercaRic.h"
#include "reports/ui/TfrmCercaSospesiRic.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "reports/ui/TfrmRiepTrimestraleRic.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmImpMateriali.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using R = TRecRicevuta;
using ReceiptFields::lineName;
using ReceiptFields::lineY;
using ReceiptFields::pageName;

const std::initializer_list<QString R::*> kTotals = {&R::TotNetto, &R::TotIva, &R::Totale};

// The fields an import fills, shown as the import trims them.
template <class From>
void showImport(card::Form<R>& form, const From& from, const std::vector<ReceiptCard::Fill<From>>& fills)
{
    R imported;
    ReceiptCard::importInto(imported, from, fills);
    for (const ReceiptCard::Fill<From>& f : fills)
        form.setField(f.to, imported.*f.to);
}

} // namespace

TfrmRicevute::TfrmRicevute()
    : RecordCardScreen(QStringLiteral("frmRicevute"), QStringLiteral(" Emissione ricevute"), {8, 18, QSize(1030, 742)})
{
    buildEditor();
    watchSettings();
    grpAnno = addPanel(QStringLiteral("grpAnno"));
    grpAnno->setAutoFillBackground(true);
    m_yearPanel = new YearPanel(grpAnno, [this] { cmdApriClick(); }, exitAction());
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
    QGroupBox* totals = addGroup("grpTotali", QStringLiteral(" Totali "), QRect(10, 570, 930, 64));
    for (int p = 0; p < 4; ++p)
        ReceiptFields::addLineCaptions(grpPage[p], p);
    makeForm(ReceiptFields::table());

    ReceiptFields::dressUp(*m_form);
    field(QStringLiteral("txtPercIva"))->setText(QStringLiteral("0"));
    auto* percent = new QLabel(QStringLiteral("%"), totals);
    percent->setGeometry(382, 26, 14, 24);

    auto* ok = makeControl<QPushButton>(totals, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    ok->setGeometry(10, 24, 70, 30);
    ok->setToolTip(QStringLiteral(" Calcola totale "));
    connect(ok, &QPushButton::clicked, this, &TfrmRicevute::cmdOKClick);
    chkSaldato = new PaidBox(totals);
    chkSaldato->setGeometry(800, 24, 116, 30);

    lblInizio = makeControl<QLabel>(container(), QStringLiteral("lblInizio"), QStringLiteral("1"));
    lblInizio->hide();

    wireLines();
    showPage(0);
}

template <class Report>
void TfrmRicevute::showReport()
{
    Report report;
    report.setYear(yearFilePath(), year());
    loadChosen(report);
}

void TfrmRicevute::buildToolbar()
{
    addButtons({
        {"cmdNuovo", "btn_nuovo", " Predispone la schermata per l'emissione di una nuova ricevuta.", toolbarColumn(0), newAction()},
        {"cmdSalva", "btn_salva", " Salva o aggiorna la ricevuta corrente.", toolbarColumn(1), saveAction()},
        // A new search for every opening: nothing of the last one survives.
        {"cmdRicerca", "btn_cerca", " Effettua una ricerca avanzata di una ricevuta in archivio utilizzando più campi contemporaneamente.", toolbarColumn(2), [this] { showReport<TfrmCercaRic>(); }},
        {"cmdStampa", "btn_stampa", " Stampa la ricevuta corrente su foglio A4.", toolbarColumn(3), [this] { Screens::get<TfrmStampa>()->printReceipt(this, currentRecord()); }},
        {"cmdSospesi", "btn_euro", " Visualizza l'elenco delle ricevute non ancora saldate.", toolbarColumn(4), [this] {
             TfrmCercaSospesiRic unpaid;
             unpaid.setYearFile(yearFilePath());
             loadChosen(unpaid);
         }},
        {"cmdMensile", "btn_mensile", " Visualizza il riepilogo delle ricevute emesse in un mese dell'anno.", toolbarColumn(5), [this] { showReport<TfrmRiepMensileRic>(); }},
        {"cmdTrimestrale", "btn_trimestrale", " Visualizza il riepilogo delle ricevute emesse in un trimestre dell'anno.", toolbarColumn(6), [this] { showReport<TfrmRiepTrimestraleRic>(); }},
        {"cmdAnnuale", "btn_annuale", " Visualizza il riepilogo annuale delle ricevute emesse.", toolbarColumn(7), [this] { showReport<TfrmRiepAnnualeRic>(); }},
        {"cmdGuida", "btn_guida", " Visualizza la guida in linea.", toolbarColumn(8), guideAction(receiptsGuideTitle(), receiptsGuideText())},
        {"cmdFatturaElettronica", "btn_xml", " Crea la fattura elettronica (file XML) della ricevuta corrente.", toolbarColumn(9), act(&TfrmRicevute::cmdFatturaElettronicaClick)},
        {"cmdEsci", "btn_esci", " Esce dalla schermata di lavoro corrente.", toolbarFoot(), exitAction()},
    });
    addCentredArrows(" Visualizza la prima ricevuta in archivio.", " Visualizza la ricevuta precedente in archivio.",
                     " Visualizza la ricevuta successiva in archivio.", " Visualizza l'ultima ricevuta in archivio.", 644);
    addTips({
        {"cmdNuovo", " Nuova ricevuta "},
        {"cmdSalva", " Salva ricevuta "},
        {"cmdRicerca", " Ricerca avanzata "},
        {"cmdStampa", " Stampa ricevuta "},
        {"cmdSospesi", " Ricevute non saldate "},
        {"cmdMensile", " Riepilogo mensile "},
        {"cmdTrimestrale", " Riepilogo trimestrale "},
        {"cmdAnnuale", " Riepilogo annuale "},
        {"cmdGuida", " Guida in linea "},
        {"cmdFatturaElettronica", " Fattura elettronica "},
        {"cmdEsci", " Esci "},
        {"imgPrimo", " Prima ricevuta "},
        {"imgIndietro", " Ricevuta precedente "},
        {"imgAvanti", " Ricevuta successiva "},
        {"imgUltimo", " Ultima ricevuta "},
    });
}

void TfrmRicevute::wireLines()
{
    std::vector<Button> buttons = {
        {"imgIvaVen", "btn_controlla", " Controlla la validità del numero di partita IVA indicato.", {228, 118}, checkAction<TfrmIva>("txtIvaVen"), false, "grpDitta"},
        {"imgCodFiscVen", "btn_controlla", " Controlla la validità del codice fiscale indicato.", {278, 152}, checkAction<TfrmCodFisc>("txtCodFiscVen"), false, "grpDitta"},
        {"imgLogo", "btn_allegati", " Carica un file Bitmap da inserire come logo nella stampa delle ricevute.", {316, 118}, [] { Screens::get<TfrmLogo>()->exec(); }, false, "grpDitta"},
        {"imgCancella", "btn_cancella", " Cancella i dati relativi alla ditta emittente.", {356, 118}, act(&TfrmRicevute::imgCancellaClick), false, "grpDitta"},
        {"imgIvaCli", "btn_controlla", " Controlla la validità del numero di partita IVA indicato.", {228, 118}, checkAction<TfrmIva>("txtIvaCli"), false, "grpCliente"},
        {"imgCodFiscCli", "btn_controlla", " Controlla la validità del codice fiscale indicato.", {278, 152}, checkAction<TfrmCodFisc>("txtCodFiscCli"), false, "grpCliente"},
        {"imgImpCli", "btn_importa", " Importa i dati dall'archivio dei clienti.", {336, 118}, act(&TfrmRicevute::imgImpCliClick), false, "grpCliente"},
        {"impAutomezzo", "btn_importa", " Importa dati apparecchio dal magazzino.", {906, 266}, act(&TfrmRicevute::impAutomezzoClick)},
    };
    for (int i = 1; i <= 20; ++i) {
        buttons.push_back({ReceiptFields::importName(i), "btn_importa", " Importa i dati dal magazzino.",
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
            filter->setFieldName(ReceiptFields::lineFieldName(family, i));
            connect(filter, &AmountKeyFilter::accepted, this, [this, i] {
                field(lineName("txtPrezzoTot", i))->clear();
                emptyTotals();
            });
        }
    }
    // Enter after the last line of a page goes on to the next page, whose
    // first quantity the chain could not reach while it is hidden.
    for (int page = 1; page < 4; ++page)
        KeyFilters::enterInstead(field(lineName("txtSconto", page * 5)), [this, page] { showPage(page); });
    connect(field(QStringLiteral("txtPercIva"))->findChild<AmountKeyFilter*>(), &AmountKeyFilter::accepted, this,
            [this](QChar c) {
                if (c != QLatin1Char('\b'))
                    emptyTotals();
            });
}

QLineEdit* TfrmRicevute::field(const QString& name) const
{
    return m_form->edit(name);
}

void TfrmRicevute::showYearPanel()
{
    grpAnno->setVisible(true);
    container()->setVisible(false);
}

QString TfrmRicevute::yearFilePath() const
{
    return m_yearFile;
}

QString TfrmRicevute::year() const
{
    return m_yearPanel->year();
}

void TfrmRicevute::cardShown()
{
    setWindowTitle(QStringLiteral(" Emissione ricevute"));
    m_yearPanel->setYear(platform::current().today().toString(QStringLiteral("yyyy")));
    readSettings();
    if (grpAnno->isVisible())
        m_yearPanel->focusYear();
}

void TfrmRicevute::closeEvent(QCloseEvent* event)
{
    // The receipt first: Annulla keeps the screen open, settings unwritten.
    if (!leaveCard()) {
        event->ignore();
        return;
    }
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
    m_settingsTouched.clear();
    if (!m_settingsRead) {
        platform::current().showMessage(ReceiptSettings::unreadableMessage());
        return;
    }
    TRecRicevuta shown = m_form->record();
    ReceiptCard::settingsInto(c, shown);
    m_form->showChanged(shown);
    m_form->setField(&R::PercIva, vatRate);
    if (trimmed("txtPercIva").isEmpty())
        m_form->setField(&R::PercIva, QStringLiteral("0"));
}

void TfrmRicevute::watchSettings()
{
    auto watch = [this](const QString& control) {
        connect(m_form->edit(control), &QLineEdit::textEdited, this, [this, control] { m_settingsTouched.insert(control); });
    };
    for (const ReceiptCard::Setting& s : ReceiptCard::companySettings())
        watch(m_form->controlOf(s.field));
    watch(m_form->controlOf(&R::PercIva));
}

void TfrmRicevute::writeSettings()
{
    if (!m_settingsRead)
        return;
    // Only what the user changed here: the rest of what the form shows was
    // read at opening or came with a browsed receipt, and written back it
    // would undo what another workstation saved meanwhile.
    const R shown = m_form->record();
    ReceiptSettings::Changes changes;
    for (const ReceiptCard::Setting& s : ReceiptCard::companySettings()) {
        if (m_settingsTouched.contains(m_form->controlOf(s.field)))
            changes.company.emplace_back(s.key, shown.*s.field);
    }
    if (m_settingsTouched.contains(m_form->controlOf(&R::PercIva)))
        changes.vatRate = trimmed("txtPercIva");
    m_settingsTouched.clear();
    const IniFile::Written written = ReceiptSettings::writeChanges(changes);
    if (!written)
        platform::current().showMessage(ReceiptSettings::unwritableMessage(written));
}

void TfrmRicevute::cmdApriClick()
{
    // The year names a file beside the program: four digits and nothing else.
    if (!TextRules::isYear(year()))
        return;
    m_yearFile = ReceiptArchive::yearFilePath(year());
    // The numbers of the year read once now, not at the first Save; a file
    // not there yet is not made by opening it.
    if (QFileInfo::exists(m_yearFile))
        ArchiveFile(m_yearFile, R::Size).prepareIndex(ReceiptArchive::carriesNumber(QString(), &m_numbers));
    setWindowTitle(QStringLiteral(" Emissione ricevute anno ") + TextRules::trim(year()));
    grpAnno->setVisible(false);
    container()->setVisible(true);
    m_form->setField(&R::NumRic, QString());
    m_form->setField(&R::Data, QString());
    ClearReceiptBody();
}

void TfrmRicevute::showPage(int page)
{
    for (int p = 0; p < 4; ++p)
        grpPage[p]->setVisible(p == page);
    field(lineName("txtQuant", page * 5 + 1))->setFocus();
}

void TfrmRicevute::emptyTotals()
{
    for (QString R::*total : kTotals)
        m_form->setField(total, QString());
}

void TfrmRicevute::ClearReceiptBody()
{
    // The client, the payment terms and the appliance: what the imports fill.
    for (const auto& f : ReceiptCard::clientImport())
        m_form->setField(f.to, QString());
    for (const auto& f : ReceiptCard::applianceImport())
        m_form->setField(f.to, QString());
    for (const ReceiptFields::LineColumn& col : ReceiptFields::lineColumns()) {
        for (int i = 1; i <= 20; ++i)
            field(lineName(col.family, i))->clear();
    }
    emptyTotals();
    showPage(0);
    chkSaldato->setPaid(false);
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
    m_form->setField(&R::NumRic, p.number);
    m_form->setField(&R::Data, platform::current().today().toString(QStringLiteral("dd/MM/yyyy")));
    ClearReceiptBody();
}

void TfrmRicevute::cmdOKClick()
{
    // The totals are computed, and saved, only from discounts of at most 100,
    // also when a discount was typed and the field not left.
    m_form->enforceCaps();
    TRecRicevuta amounts = m_form->record();
    ComputeTotals(amounts);
    m_form->showChanged(amounts);
}

ArchiveFile TfrmRicevute::archive() const
{
    return ReceiptArchive::yearFile(m_yearFile);
}

bool TfrmRicevute::readyToSave()
{
    cmdOKClick();
    TRecRicevuta record = currentRecord();
    if (const ReceiptCard::SaveCheck* failed = ReceiptCard::failedSaveCheck(record)) {
        refuse({m_form->controlOf(failed->field), QString::fromUtf8(failed->message)}, platform::MessageIcon::Warning);
        return false;
    }
    // An amount the record cannot hold to the cent (or a number whose
    // integer part it cannot hold) would be stored as another value:
    // nothing is written.
    const QString tooLarge = fitStoredAmounts(record);
    if (!tooLarge.isEmpty()) {
        refuse({QString(), tooLarge}, platform::MessageIcon::Warning);
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
    return ReceiptArchive::carriesNumber(trimmed("txtNumRic"), &m_numbers);
}

bool TfrmRicevute::appendDespiteClash()
{
    return platform::current().askYesNo(
        QStringLiteral("Salvataggio scheda"),
        QStringLiteral("Attenzione: esiste già una ricevuta con questo numero. Salvare comunque?"));
}

void TfrmRicevute::loadRecord(const TRecRicevuta& record, qint64 position)
{
    RecordCardScreen::loadRecord(record, position);
    const QString paid = TextRules::trim(record.Saldato);
    if (paid == ReceiptArchive::paidMark(true))
        chkSaldato->setPaid(true);
    else if (paid == ReceiptArchive::paidMark(false))
        chkSaldato->setPaid(false);
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

void TfrmRicevute::imgImpCliClick()
{
    TfrmCercaCliente search;
    search.setCallerMark(QStringLiteral("ricevute"));
    search.exec();
    if (search.chosen()) {
        showImport(*m_form, search.chosen()->record, ReceiptCard::clientImport());
        markChanged();
    }
}

void TfrmRicevute::impAutomezzoClick()
{
    auto* search = Screens::get<TfrmCercaMateriale>();
    search->setCallerMark(QStringLiteral("ricevute"));
    search->exec();
    if (search->chosen()) {
        showImport(*m_form, search->chosen()->record, ReceiptCard::applianceImport());
        markChanged();
    }
}

void TfrmRicevute::impProClick(int line)
{
    TfrmImpMateriali import;
    import.setLine(line, TextRules::trim(m_form->text(lineName("txtQuant", line))));
    import.exec();
    // Back on the line the import was for, whatever its outcome: left to
    // itself the focus would land on the first field of the receipt, where
    // the next key typed would replace the client's name.
    field(lineName("txtQuant", line))->setFocus();
    if (!import.imported())
        return;
    markChanged();
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
    for (const ReceiptCard::Setting& s : ReceiptCard::companySettings()) {
        if (s.companyGroup) {
            m_form->setField(s.field, QString());
            m_settingsTouched.insert(m_form->controlOf(s.field));
        }
    }
    markChanged();
    focusOn("txtVenditore");
}

void TfrmRicevute::cmdFatturaElettronicaClick()
{
    // The invoice is the receipt as stored: what the editor shows and the
    // archive does not hold yet would be missing from it, or be in it
    // without ever having been saved.
    if (position() == 0 || hasUnsavedChanges()) {
        platform::current().showTaskMessage(
            TfrmFatturaElettronica::refusedCaption(),
            position() == 0 ? QStringLiteral("La ricevuta corrente non è ancora stata salvata in archivio.\n\nLa fattura "
                                             "elettronica si crea dalla ricevuta salvata: salvarla e ripetere l'operazione.")
                            : QStringLiteral("La ricevuta corrente ha modifiche non salvate.\n\nLa fattura elettronica si "
                                             "crea dalla ricevuta salvata in archivio: salvare le modifiche e ripetere "
                                             "l'operazione."),
            platform::MessageIcon::Warning);
        return;
    }
    ArchiveFile file = archive();
    QByteArray bytes;
    if (!file.read(position() - 1, bytes)) {
        reportArchiveFailure();
        return;
    }
    const QString refusedField = TfrmFatturaElettronica::invoiceStored(TRecRicevuta::decode(bytes));
    if (QWidget* w = refusedField.isEmpty() ? nullptr : m_form->widget(refusedField))
        w->setFocus();
}
