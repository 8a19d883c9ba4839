#include "clients/ui/TfrmClienti.h"

#include "platform/qt/Screens.h"
#include "checkers/ui/TfrmCarta.h"
#include "checkers/ui/TfrmCodFisc.h"
#include "checkers/ui/TfrmIban.h"
#include "checkers/ui/TfrmIva.h"
#include "clients/ClientCard.h"
#include "clients/ClientsGuide.h"
#include "clients/ui/TfrmAllegatiCli.h"
#include "clients/ui/TfrmCartellaCli.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmCercaFigli.h"
#include "clients/ui/TfrmPrint_Contatto.h"
#include "export/ui/TfrmEsportaCli.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/CardFields.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/PictureButton.h"
#include "platform/Platform.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

const char* const kProvinces =
    "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
    "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
    "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
    "VI VR VT VV";

const int kRow = 34;   // distance between two rows of fields

QGroupBox* panel(QWidget* parent, const char* name, const QString& title, const QRect& geometry)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    // Only the title is bold: the controls inside set their own fonts.
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    return box;
}

} // namespace

TfrmClienti::TfrmClienti()
    : WorkAreaWindow(QStringLiteral("frmClienti"), QStringLiteral(" Archivio clienti"), {8, 18, QSize(1022, 738)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));

    lblStato = new QLabel(grpContainer);
    lblStato->setObjectName(QStringLiteral("lblStato"));
    lblStato->setGeometry(10, 8, 975, 26);
    lblStato->setAutoFillBackground(true);
    lblStato->setIndent(6);
    QPalette band = lblStato->palette();
    band.setColor(QPalette::Window, QColor(0, 128, 128));
    band.setColor(QPalette::WindowText, Qt::white);
    lblStato->setPalette(band);
    QFont bandFont = lblStato->font();
    bandFont.setBold(true);
    lblStato->setFont(bandFont);

    buildToolbar();
    buildClientPanel();
    buildCodesPanel();
    buildContactsPanel();
    buildNotePanel();
    buildHiddenLabels();

    auto* emblem = new Picture(QStringLiteral("imgDecorazione"), QStringLiteral(":/pictures/logo.png"), grpContainer);
    emblem->move(347, 600);

    // Enter walks the card in this order; Tab follows it too, the consent box left out.
    QList<QWidget*> chain;
    for (const char* name : {"txtOperatore", "txtIndirizzo", "txtCap", "txtCitta", "txtProv", "txtTurni",
                             "txtScadenza", "txtRetribuzione", "txtPostazione", "txtIncarichi", "txtCodFisc",
                             "txtCarta", "txtIva", "txtIban", "txtTelCasa", "txtTelUff", "txtTelCel", "txtFax",
                             "txtEmail", "txtNote"})
        chain.append(grpContainer->findChild<QWidget*>(QLatin1String(name)));
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    KeyFilters::enterChain(chain);
}

QLineEdit* TfrmClienti::field(QWidget* parent, const char* name, int maxLength, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    edit->setGeometry(geometry);
    QFont f = edit->font();
    f.setBold(true);
    edit->setFont(f);
    FieldColours::install(edit, FieldColours::restGreen());
    return edit;
}

void TfrmClienti::label(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    QFont f = l->font();
    f.setBold(false);
    l->setFont(f);
}

void TfrmClienti::buildToolbar()
{
    const struct
    {
        const char* name;
        const char* picture;
        const char* hint;
        int x;
        void (TfrmClienti::*act)();
    } buttons[] = {
        {"imgNuovo", "btn_nuovo", " Prepara la schermata ad accogliere una nuova scheda.", 10, &TfrmClienti::imgNuovoClick},
        {"imgSalva", "btn_salva", " Salva in archivio i dati relativi alla scheda corrente oppure aggiorna la scheda esistente.", 50, &TfrmClienti::imgSalvaClick},
        {"imgTrova", "btn_cerca", " Trova una scheda in archivio.", 90, &TfrmClienti::imgTrovaClick},
        {"imgDoppioTurno", "btn_pubblicita", " Visualizza l'elenco dei clienti che acconsentono a ricevere pubblicità.", 130, &TfrmClienti::imgDoppioTurnoClick},
        {"imgWord", "btn_stampa", " Stampa la scheda corrente.", 170, &TfrmClienti::imgWordClick},
        {"imgExcel", "btn_excel", " Esporta l'archivio corrente in un foglio di Microsoft Excel.", 210, &TfrmClienti::imgExcelClick},
        {"imgFile", "btn_allegati", " Allega file esterni alla scheda corrente.", 250, &TfrmClienti::imgFileClick},
        {"imgCartella", "btn_cartella", " Associa una cartella alla scheda corrente.", 290, &TfrmClienti::imgCartellaClick},
        {"imgElimina", "btn_web", " Cerca sul Web, tramite Google, informazioni relative al cliente.", 330, &TfrmClienti::imgEliminaClick},
        {"imgGuida", "btn_guida", " Visualizza la guida in linea del programma.", 370, &TfrmClienti::imgGuidaClick},
        {"imgEsci", "btn_esci", " Esce dalla schermata di lavoro corrente.", 953, &TfrmClienti::imgEsciClick},
    };
    for (const auto& b : buttons) {
        auto* button = new PictureButton(QLatin1String(b.name),
                                         QStringLiteral(":/pictures/%1.png").arg(QLatin1String(b.picture)),
                                         QString::fromUtf8(b.hint), grpContainer);
        button->move(b.x, 42);
        connect(button, &PictureButton::clicked, this, b.act);
    }

    const struct
    {
        const char* name;
        const char* picture;
        const char* hint;
        int x;
        BrowseCommand command;
    } arrows[] = {
        {"imgPrimo", "btn_primo", " Visualizza la prima scheda in archivio.", 740, BrowseCommand::First},
        {"imgIndietro", "btn_indietro", " Visualizza la scheda precedente in archivio.", 778, BrowseCommand::Previous},
        {"imgAvanti", "btn_avanti", " Visualizza la scheda successiva in archivio.", 876, BrowseCommand::Next},
        {"imgUltimo", "btn_ultimo", " Visualizza l'ultima scheda in archivio", 914, BrowseCommand::Last},
    };
    for (const auto& a : arrows) {
        auto* button = new PictureButton(QLatin1String(a.name),
                                         QStringLiteral(":/pictures/%1.png").arg(QLatin1String(a.picture)),
                                         QString::fromUtf8(a.hint), grpContainer);
        button->move(a.x, 42);
        const BrowseCommand command = a.command;
        connect(button, &PictureButton::released, this, [this, command] { browse(command); });
    }
    lblPosizione = new QLabel(grpContainer);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(812, 42, 62, 32);
    lblPosizione->setAlignment(Qt::AlignCenter);
    QFont f = lblPosizione->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    lblPosizione->setFont(f);
}

void TfrmClienti::buildClientPanel()
{
    QGroupBox* box = panel(grpContainer, "grpCliente", QStringLiteral(" Dati del cliente "), QRect(10, 84, 600, 370));
    const int lx = 12, fx = 190, fw = 395, h = 24;
    int y = 28;
    label(box, QStringLiteral("Cognome e nome cliente:"), QRect(lx, y, 175, h));
    txtOperatore = field(box, "txtOperatore", 50, QRect(fx, y, fw, h));
    y += kRow;
    label(box, QStringLiteral("Indirizzo:"), QRect(lx, y, 175, h));
    field(box, "txtIndirizzo", 250, QRect(fx, y, fw, h));
    y += kRow;
    label(box, QStringLiteral("CAP:"), QRect(lx, y, 175, h));
    field(box, "txtCap", 20, QRect(fx, y, 80, h));
    label(box, QStringLiteral("Città:"), QRect(fx + 88, y, 40, h));
    field(box, "txtCitta", 250, QRect(fx + 128, y, 170, h));
    label(box, QStringLiteral("Prov."), QRect(fx + 306, y, 34, h));
    txtProv = new QComboBox(box);
    txtProv->setObjectName(QStringLiteral("txtProv"));
    txtProv->setEditable(true);
    txtProv->setInsertPolicy(QComboBox::NoInsert);
    // Any two characters typed stand as typed: no completion popup over the card.
    txtProv->setCompleter(nullptr);
    txtProv->addItems(QString::fromLatin1(kProvinces).split(QLatin1Char(' ')));
    txtProv->setGeometry(fx + 340, y, 55, h);
    txtProv->lineEdit()->setMaxLength(2);
    QFont bold = txtProv->font();
    bold.setBold(true);
    txtProv->setFont(bold);
    FieldColours::install(txtProv->lineEdit(), FieldColours::restGreen());
    KeyFilters::upperCaseAsTyped(txtProv->lineEdit());
    txtProv->setEditText(QString());
    y += kRow;

    const struct
    {
        const char* text;
        const char* name;
        int max;
    } rows[] = {
        {"Categoria cliente:", "txtTurni", 250},
        {"Prodotti o servizi:", "txtScadenza", 250},
        {"Modalità di pagamento:", "txtRetribuzione", 250},
        {"Sconti praticati:", "txtPostazione", 50},
        {"Zona di appartenenza:", "txtIncarichi", 250},
    };
    for (const auto& r : rows) {
        label(box, QString::fromUtf8(r.text), QRect(lx, y, 175, h));
        field(box, r.name, r.max, QRect(fx, y, fw, h));
        y += kRow;
    }
    chkDoppioTurno = new QCheckBox(QStringLiteral(" Sì pubblicità "), box);
    chkDoppioTurno->setObjectName(QStringLiteral("chkDoppioTurno"));
    chkDoppioTurno->setGeometry(fx, y, 200, h);
    QFont plain = chkDoppioTurno->font();
    plain.setBold(false);
    chkDoppioTurno->setFont(plain);
    chkDoppioTurno->setFocusPolicy(Qt::ClickFocus);   // skipped by Tab and Enter
    connect(chkDoppioTurno, &QCheckBox::toggled, this, &TfrmClienti::chkDoppioTurnoClick);
}

void TfrmClienti::buildCodesPanel()
{
    QGroupBox* box = panel(grpContainer, "grpCodici", QStringLiteral(" Codici e coordinate "), QRect(620, 84, 365, 176));
    const struct
    {
        const char* text;
        const char* name;
        int max;
        const char* button;
        const char* hint;
        void (TfrmClienti::*act)();
    } rows[] = {
        {"Codice fiscale:", "txtCodFisc", 16, "imgCodFisc", " Controlla il codice fiscale.", &TfrmClienti::imgCodFiscRelease},
        {"Carta di credito:", "txtCarta", 120, "imgCarta", " Controlla il numero di carta di credito.", &TfrmClienti::imgCartaRelease},
        {"Partita IVA:", "txtIva", 11, "imgIva", " Controlla il numero di partita IVA.", &TfrmClienti::imgIvaRelease},
        {"Codice IBAN:", "txtIban", 40, "imgIban", " Controlla le coordinate bancarie IBAN.", &TfrmClienti::imgIbanRelease},
    };
    int y = 26;
    for (const auto& r : rows) {
        label(box, QString::fromUtf8(r.text), QRect(10, y + 4, 112, 24));
        field(box, r.name, r.max, QRect(124, y + 4, 191, 24));
        auto* button = new PictureButton(QLatin1String(r.button), QStringLiteral(":/pictures/btn_controlla.png"),
                                         QString::fromUtf8(r.hint), box);
        button->move(322, y);
        connect(button, &PictureButton::released, this, r.act);
        y += 36;
    }
    KeyFilters::upperCaseAlways(box->findChild<QLineEdit*>(QStringLiteral("txtCodFisc")));
    KeyFilters::upperCaseAlways(box->findChild<QLineEdit*>(QStringLiteral("txtIban")));
    KeyFilters::digitsOnly(box->findChild<QLineEdit*>(QStringLiteral("txtCarta")),
                           QStringLiteral("Attenzione: carattere non valido. Indicare il numero di carta di credito "
                                          "digitando solo valori numerici senza trattini o spazi."));
    KeyFilters::digitsOnly(box->findChild<QLineEdit*>(QStringLiteral("txtIva")),
                           QStringLiteral("Attenzione: carattere non valido. Indicare il numero di partita IVA "
                                          "digitando solo valori numerici."));
}

void TfrmClienti::buildContactsPanel()
{
    QGroupBox* box = panel(grpContainer, "grpContatti", QStringLiteral(" Recapiti "), QRect(620, 270, 365, 184));
    const struct
    {
        const char* text;
        const char* name;
        int max;
    } rows[] = {
        {"Tel. casa:", "txtTelCasa", 50},   {"Tel. ufficio:", "txtTelUff", 50}, {"Tel. cellulare:", "txtTelCel", 50},
        {"Fax:", "txtFax", 50},             {"E-mail:", "txtEmail", 250},
    };
    int y = 26;
    for (const auto& r : rows) {
        label(box, QString::fromUtf8(r.text), QRect(10, y, 110, 24));
        field(box, r.name, r.max, QRect(120, y, r.max == 250 ? 195 : 235, 24));
        y += 30;
    }
    auto* email = new PictureButton(QStringLiteral("imgEmail"), QStringLiteral(":/pictures/btn_email.png"),
                                    QStringLiteral(" Invia un messaggio e-mail all'indirizzo indicato."), box);
    email->move(322, y - 34);
    connect(email, &PictureButton::released, this, &TfrmClienti::imgEmailRelease);
}

void TfrmClienti::buildNotePanel()
{
    QGroupBox* box = panel(grpContainer, "grpNote", QStringLiteral(" Note "), QRect(10, 464, 975, 64));
    label(box, QStringLiteral("Note:"), QRect(12, 26, 50, 24));
    QLineEdit* note = field(box, "txtNote", 250, QRect(64, 26, 896, 24));
    QFont f = note->font();
    f.setBold(false);
    f.setItalic(true);
    note->setFont(f);
    QPalette p = note->palette();
    p.setColor(QPalette::Text, Qt::red);
    note->setPalette(p);
}

void TfrmClienti::buildHiddenLabels()
{
    for (const char* name : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03",
                             "lblCartella", "lblCartellaDesc"}) {
        auto* hidden = new QLabel(grpContainer);
        hidden->setObjectName(QLatin1String(name));
        hidden->hide();
    }
}

void TfrmClienti::showEvent(QShowEvent* event)
{
    WorkAreaWindow::showEvent(event);
    // Every opening starts from a new card (the modal tools do not hide the window).
    if (!event->spontaneous())
        imgNuovoClick();
}

QString TfrmClienti::trimmed(const char* control) const
{
    return TextRules::trim(CardFields::text(grpContainer, QLatin1String(control)));
}

void TfrmClienti::setConsent(bool ticked)
{
    chkDoppioTurno->setChecked(ticked);
    chkDoppioTurnoClick();
}

void TfrmClienti::chkDoppioTurnoClick()
{
    QPalette p = chkDoppioTurno->palette();
    p.setColor(QPalette::WindowText, chkDoppioTurno->isChecked() ? QColor(128, 0, 0) : QColor(Qt::black));
    chkDoppioTurno->setPalette(p);
}

void TfrmClienti::imgNuovoClick()
{
    for (const ClientCard::Binding& b : ClientCard::bindings())
        CardFields::setText(grpContainer, QLatin1String(b.control), QString());
    lblStato->setText(ClientCard::newCardStatus());
    setConsent(false);
    lblPosizione->clear();
    txtOperatore->setFocus();
}

void TfrmClienti::loadRecord(const TRecCliente& record, qint64 position)
{
    CardFields::load(grpContainer, record, ClientCard::bindings());
    // Any other value (an empty field) leaves the box as it was.
    if (record.Pubblicita == ClientCard::consentYes())
        setConsent(true);
    else if (record.Pubblicita == ClientCard::consentNo())
        setConsent(false);
    lblPosizione->setText(QString::number(position));
}

void TfrmClienti::browse(BrowseCommand command)
{
    ArchiveFile archive = ClientCard::archive();
    const BrowseResult r = BrowseArchive(archive, command, lblPosizione->text().trimmed().toLongLong());
    switch (r.outcome) {
    case BrowseResult::Outcome::Record:
        loadRecord(TRecCliente::decode(r.record), r.position);
        break;
    case BrowseResult::Outcome::EmptyArchive:
        if (r.clearPosition)
            lblPosizione->clear();
        platform::current().showTaskMessage(emptyArchiveCaption(), emptyArchiveMessage(),
                                            platform::MessageIcon::Information);
        break;
    case BrowseResult::Outcome::Failed:
        reportArchiveFailure();
        break;
    case BrowseResult::Outcome::Nothing:
        break;
    }
}

void TfrmClienti::imgSalvaClick()
{
    if (trimmed("txtOperatore").isEmpty()) {
        platform::current().showTaskMessage(
            QStringLiteral("Salvataggio scheda non applicabile"),
            QStringLiteral("Per salvare la scheda è necessario indicare il cognome e il nome del cliente."),
            platform::MessageIcon::Information);
        txtOperatore->setFocus();
        return;
    }
    // The archive is opened (or created) first: if that fails nothing changes.
    ArchiveFile archive = ClientCard::archive();
    qint64 records = 0;
    if (!archive.count(records)) {
        reportArchiveFailure();
        return;
    }

    const bool update = !lblPosizione->text().trimmed().isEmpty();
    // The status line is written before the record, and stays even if the write fails.
    lblStato->setText(ClientCard::saveStatus(update, platform::current().today(), platform::current().now()));

    TRecCliente record;
    CardFields::store(grpContainer, record, ClientCard::bindings());
    record.Pubblicita = chkDoppioTurno->isChecked() ? ClientCard::consentYes() : ClientCard::consentNo();

    if (update) {
        if (!archive.update(lblPosizione->text().trimmed().toLongLong(), record.encode())) {
            reportArchiveFailure();
            return;
        }
        platform::current().showTaskMessage(
            QStringLiteral("Aggiornamento scheda effettuato con successo"),
            QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."),
            platform::MessageIcon::Information);
        return;
    }
    qint64 position = 0;
    if (!archive.append(record.encode(), position)) {
        reportArchiveFailure();
        return;
    }
    lblPosizione->setText(QString::number(position));
    platform::current().showTaskMessage(QStringLiteral("Salvataggio scheda effettuato con successo"),
                                        QStringLiteral("La scheda corrente è stata inserita in archivio."),
                                        platform::MessageIcon::Information);
}

void TfrmClienti::imgTrovaClick()
{
    TfrmCercaCliente search;
    search.setCallerMark(QStringLiteral("clienti"));
    search.exec();
    if (const auto& chosen = search.chosen())
        loadRecord(chosen->record, chosen->position);
}

void TfrmClienti::imgDoppioTurnoClick()
{
    TfrmCercaFigli list;
    list.exec();
}

void TfrmClienti::imgWordClick()
{
    Screens::get<TfrmPrint_Contatto>()->printCard(grpContainer);
}

void TfrmClienti::imgExcelClick()
{
    Screens::get<TfrmEsportaCli>()->exec();
}

void TfrmClienti::imgFileClick()
{
    TfrmAllegatiCli::Run(grpContainer);
}

void TfrmClienti::imgCartellaClick()
{
    TfrmCartellaCli::Run(grpContainer);
}

void TfrmClienti::imgEliminaClick()
{
    const QString name = trimmed("txtOperatore");
    if (name.isEmpty()) {
        platform::current().showMessage(QStringLiteral(
            "Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo al cognome e nome del cliente."));
        txtOperatore->setFocus();
        return;
    }
    platform::current().openUrl(ClientCard::webSearchUrl(name));
}

void TfrmClienti::imgEmailRelease()
{
    // No check: an empty address opens a message without recipient; a shell failure is not reported.
    platform::current().openMailto(ClientCard::mailtoUrl(trimmed("txtEmail")));
}

void TfrmClienti::imgCodFiscRelease()
{
    TfrmCodFisc::Run(this, trimmed("txtCodFisc"));
}

void TfrmClienti::imgCartaRelease()
{
    TfrmCarta::Run(this, trimmed("txtCarta"));
}

void TfrmClienti::imgIvaRelease()
{
    TfrmIva::Run(this, trimmed("txtIva"));
}

void TfrmClienti::imgIbanRelease()
{
    TfrmIban::Run(this, trimmed("txtIban"));
}

void TfrmClienti::imgGuidaClick()
{
    Screens::showGuide(ClientsGuideTitle(), ClientsGuideText());
}

void TfrmClienti::imgEsciClick()
{
    close();
}
