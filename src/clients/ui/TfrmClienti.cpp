#include "clients/ui/TfrmClienti.h"

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
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/Screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QShowEvent>

namespace {

const char* const kProvinces =
    "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
    "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
    "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
    "VI VR VT VV";

using card::Control;
using card::KeyRule;
using card::Look;
using R = TRecCliente;

// Label and field of a row of the client panel (rows 34 pixels apart).
QRect clientCaption(int row) { return QRect(12, 28 + 34 * row, 161, 24); }
QRect clientField(int row) { return QRect(176, 28 + 34 * row, 319, 24); }
// Rows of the codes panel (36 apart) and of the contacts panel (30 apart).
QRect codeCaption(int row) { return QRect(10, 30 + 36 * row, 112, 24); }
// Wide enough for an Italian IBAN written in its groups of four.
QRect codeField(int row) { return QRect(124, 30 + 36 * row, 285, 24); }
QRect contactCaption(int row) { return QRect(10, 26 + 30 * row, 110, 24); }
QRect contactField(int row, int width = 325) { return QRect(120, 26 + 30 * row, width, 24); }

const char* const kCardMessage = "Attenzione: carattere non valido. Indicare il numero di carta di credito "
                                 "digitando solo valori numerici senza trattini o spazi.";
const char* const kIvaMessage = "Attenzione: carattere non valido. Indicare il numero di partita IVA "
                                "digitando solo valori numerici.";

// The client card: every control, where it sits, its chain place, its rule
// and the record field it holds. Pubblicita is the consent box's own.
std::vector<card::Field<R>> clientFields()
{
    const int y3 = 28 + 34 * 2;   // the CAP, city and province row
    std::vector<card::Field<R>> table = {
        {&R::Nominativo, {"txtOperatore", Control::Edit, "grpCliente", "Cognome e nome cliente:", clientCaption(0), clientField(0), 1,
                          Look::Bold, KeyRule::None, nullptr, nullptr, card::Leave::Keep,
                          "Per salvare la scheda è necessario indicare il cognome e il nome del cliente."}},
        {&R::Indirizzo, {"txtIndirizzo", Control::Edit, "grpCliente", "Indirizzo:", clientCaption(1), clientField(1), 2}},
        {&R::Cap, {"txtCap", Control::Edit, "grpCliente", "CAP:", clientCaption(2), QRect(176, y3, 80, 24), 3}},
        {&R::Citta, {"txtCitta", Control::Edit, "grpCliente", "Città:", QRect(262, y3, 40, 24), QRect(302, y3, 98, 24), 4}},
        {&R::Prov, {"txtProv", Control::DropDown, "grpCliente", "Prov.", QRect(406, y3, 34, 24), QRect(440, y3, 55, 24), 5, Look::Bold, KeyRule::UpperAsTyped}},
        {&R::Categoria, {"txtTurni", Control::Edit, "grpCliente", "Categoria cliente:", clientCaption(3), clientField(3), 6}},
        {&R::Prodotti, {"txtScadenza", Control::Edit, "grpCliente", "Prodotti o servizi:", clientCaption(4), clientField(4), 7}},
        {&R::Pagamento, {"txtRetribuzione", Control::Edit, "grpCliente", "Modalità di pagamento:", clientCaption(5), clientField(5), 8}},
        {&R::Sconti, {"txtPostazione", Control::Edit, "grpCliente", "Sconti praticati:", clientCaption(6), clientField(6), 9}},
        {&R::Zona, {"txtIncarichi", Control::Edit, "grpCliente", "Zona di appartenenza:", clientCaption(7), clientField(7), 10}},
        {&R::CodFisc, {"txtCodFisc", Control::Edit, "grpCodici", "Codice fiscale:", codeCaption(0), codeField(0), 11, Look::Bold, KeyRule::UpperAlways}},
        {&R::Carta, {"txtCarta", Control::Edit, "grpCodici", "Carta di credito:", codeCaption(1), codeField(1), 12, Look::Bold, KeyRule::Digits, kCardMessage}},
        {&R::Iva, {"txtIva", Control::Edit, "grpCodici", "Partita IVA:", codeCaption(2), codeField(2), 13, Look::Bold, KeyRule::Digits, kIvaMessage}},
        {&R::Iban, {"txtIban", Control::Edit, "grpCodici", "Codice IBAN:", codeCaption(3), codeField(3), 14, Look::Bold, KeyRule::UpperAlways}},
        {&R::TelCasa, {"txtTelCasa", Control::Edit, "grpContatti", "Tel. casa:", contactCaption(0), contactField(0), 15}},
        {&R::TelUff, {"txtTelUff", Control::Edit, "grpContatti", "Tel. ufficio:", contactCaption(1), contactField(1), 16}},
        {&R::TelCel, {"txtTelCel", Control::Edit, "grpContatti", "Tel. cellulare:", contactCaption(2), contactField(2), 17}},
        {&R::Fax, {"txtFax", Control::Edit, "grpContatti", "Fax:", contactCaption(3), contactField(3), 18}},
        {&R::Email, {"txtEmail", Control::Edit, "grpContatti", "E-mail:", contactCaption(4), contactField(4, 285), 19}},
        {&R::Note, {"txtNote", Control::Edit, "grpNote", "Note:", QRect(12, 26, 50, 24), QRect(64, 26, 896, 24), 20, Look::RedItalic}},
        {&R::Stato, {"lblStato", Control::Existing}},
    };
    card::addAttachmentFields(table);
    return table;
}

} // namespace

TfrmClienti::TfrmClienti()
    : RecordCardScreen(QStringLiteral("frmClienti"), QStringLiteral(" Archivio clienti"), {8, 18, QSize(1022, 738)})
{
    addStatusBand(QRect(10, 8, 975, 26));
    buildToolbar();
    addGroup("grpCliente", QStringLiteral(" Dati del cliente "), QRect(10, 84, 510, 370));
    addGroup("grpCodici", QStringLiteral(" Codici e coordinate "), QRect(530, 84, 455, 176));
    addGroup("grpContatti", QStringLiteral(" Recapiti "), QRect(530, 270, 455, 184));
    addGroup("grpNote", QStringLiteral(" Note "), QRect(10, 464, 975, 64));
    makeForm(clientFields());
    QComboBox* txtProv = m_form->dropDown(QStringLiteral("txtProv"));
    txtProv->addItems(QString::fromLatin1(kProvinces).split(QLatin1Char(' ')));
    txtProv->setEditText(QString());
    buildConsentBox();

    auto* emblem = new Picture(QStringLiteral("imgDecorazione"), QStringLiteral(":/pictures/logo.png"), container());
    emblem->move(347, 600);
}

TfrmClienti::~TfrmClienti() = default;

void TfrmClienti::buildToolbar()
{
    const int y = 42;
    addButtons({
        {"imgNuovo", "btn_nuovo", " Prepara la schermata ad accogliere una nuova scheda.", toolbarRow(0, y), newAction()},
        {"imgSalva", "btn_salva", " Salva in archivio i dati relativi alla scheda corrente oppure aggiorna la scheda esistente.", toolbarRow(1, y), saveAction()},
        {"imgTrova", "btn_cerca", " Trova una scheda in archivio.", toolbarRow(2, y), searchAction<TfrmCercaCliente>("clienti")},
        {"imgDoppioTurno", "btn_pubblicita", " Visualizza l'elenco dei clienti che acconsentono a ricevere pubblicità.", toolbarRow(3, y), listAction<TfrmCercaFigli>()},
        {"imgWord", "btn_stampa", " Stampa la scheda corrente.", toolbarRow(4, y), act(&TfrmClienti::imgWordClick)},
        {"imgExcel", "btn_excel", " Esporta l'archivio corrente in un foglio di Microsoft Excel.", toolbarRow(5, y), showModally<TfrmEsportaCli>()},
        {"imgFile", "btn_allegati", " Allega file esterni alla scheda corrente.", toolbarRow(6, y), runOnCard<TfrmAllegatiCli>()},
        {"imgCartella", "btn_cartella", " Associa una cartella alla scheda corrente.", toolbarRow(7, y), runOnCard<TfrmCartellaCli>()},
        {"imgElimina", "btn_web", " Cerca sul Web, tramite Google, informazioni relative al cliente.", toolbarRow(8, y),
         webSearch("txtOperatore", "Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo al cognome e nome del cliente.",
                   [](const QString& name) { return ClientCard::webSearchUrl(name); })},
        {"imgGuida", "btn_guida", " Visualizza la guida in linea del programma.", toolbarRow(9, y), guideAction(clientsGuideTitle(), clientsGuideText())},
        {"imgEsci", "btn_esci", " Esce dalla schermata di lavoro corrente.", {953, y}, exitAction()},
    });
    addArrows({{" Visualizza la prima scheda in archivio.", " Visualizza la scheda precedente in archivio.",
                " Visualizza la scheda successiva in archivio.", " Visualizza l'ultima scheda in archivio"},
               {740, 778, 876, 914},
               y,
               QRect(812, 42, 62, 32)});
}

void TfrmClienti::buildConsentBox()
{
    QWidget* box = container()->findChild<QWidget*>(QStringLiteral("grpCliente"));
    chkDoppioTurno = new QCheckBox(QStringLiteral(" Sì pubblicità "), box);
    chkDoppioTurno->setObjectName(QStringLiteral("chkDoppioTurno"));
    chkDoppioTurno->setGeometry(176, 28 + 34 * 8, 200, 24);
    QFont plain = chkDoppioTurno->font();
    plain.setBold(false);
    chkDoppioTurno->setFont(plain);
    chkDoppioTurno->setFocusPolicy(Qt::ClickFocus);   // skipped by Tab and Enter
    connect(chkDoppioTurno, &QCheckBox::toggled, this,
            [this] { FieldColours::markCaption(chkDoppioTurno, chkDoppioTurno->isChecked()); });

    // The code checkers beside their fields, and the e-mail button.
    addButtons({
        {"imgCodFisc", "btn_controlla", " Controlla il codice fiscale.", {416, 26}, checkAction<TfrmCodFisc>("txtCodFisc"), true, "grpCodici"},
        {"imgCarta", "btn_controlla", " Controlla il numero di carta di credito.", {416, 62}, checkAction<TfrmCarta>("txtCarta"), true, "grpCodici"},
        {"imgIva", "btn_controlla", " Controlla il numero di partita IVA.", {416, 98}, checkAction<TfrmIva>("txtIva"), true, "grpCodici"},
        {"imgIban", "btn_controlla", " Controlla le coordinate bancarie IBAN.", {416, 134}, checkAction<TfrmIban>("txtIban"), true, "grpCodici"},
        {"imgEmail", "btn_email", " Invia un messaggio e-mail all'indirizzo indicato.", {416, 142}, act(&TfrmClienti::imgEmailRelease), true, "grpContatti"},
    });
}

void TfrmClienti::setConsent(bool ticked)
{
    chkDoppioTurno->setChecked(ticked);
    FieldColours::markCaption(chkDoppioTurno, ticked);
}

void TfrmClienti::newCard()
{
    m_form->clear();
    statusBand()->setText(ClientCard::newCardStatus());
    setConsent(false);
    setPosition(0);
    focusOn("txtOperatore");
}

void TfrmClienti::loadRecord(const TRecCliente& record, qint64 position)
{
    RecordCardScreen::loadRecord(record, position);
    // Any other value (an empty field) leaves the box as it was.
    if (record.Pubblicita == ClientCard::consentYes())
        setConsent(true);
    else if (record.Pubblicita == ClientCard::consentNo())
        setConsent(false);
}

TRecCliente TfrmClienti::currentRecord() const
{
    TRecCliente record = RecordCardScreen::currentRecord();
    record.Pubblicita = chkDoppioTurno->isChecked() ? ClientCard::consentYes() : ClientCard::consentNo();
    return record;
}

ArchiveFile TfrmClienti::archive() const
{
    return ClientCard::archive();
}

QString TfrmClienti::saveStatus(bool update) const
{
    return ClientCard::saveStatus(update, platform::current().today(), platform::current().now());
}

void TfrmClienti::imgWordClick()
{
    const TRecCliente record = currentRecord();
    Screens::get<TfrmPrint_Contatto>()->printCard(this, printValues(record),
                                                  record.Pubblicita == ClientCard::consentYes());
}

void TfrmClienti::imgEmailRelease()
{
    // No check: an empty address opens a message without recipient; a shell failure is not reported.
    platform::current().openMailto(ClientCard::mailtoUrl(trimmed("txtEmail")));
}
