#include "warehouse/ui/TfrmMateriali.h"

#include "warehouse/ui/TfrmAllegatiMat.h"
#include "warehouse/ui/TfrmCartellaMat.h"
#include "warehouse/ui/TfrmPrint_Prodotto.h"
#include "export/ui/TfrmEsportaMat.h"
#include "platform/Platform.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/Screens.h"
#include "storage/Amounts.h"
#include "warehouse/MaterialCard.h"
#include "warehouse/WarehouseGuide.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmCercaSottoscorta.h"

#include <QLabel>

namespace {

using card::Control;
using card::KeyRule;
using card::Leave;
using card::Look;
using R = TRecMateriale;

// Label and field of a row of the article and purchase panels (34 pixels apart).
QRect rowCaption(int row) { return QRect(12, 28 + 34 * row, 172, 24); }
QRect rowField(int row) { return QRect(186, 28 + 34 * row, 257, 24); }
// The two rows of the sale panel: a short field at the left, a caption and a field at the right.
int saleY(int row) { return 28 + 34 * row; }

const char* const kStockGuard = "Attenzione: il valore della giacenza massima non può superare 30 milioni.";
const char* const kThresholdGuard = "Attenzione: il valore massimo non può superare 30 milioni.";

// The material card: every control, where it sits, its chain place, its rule
// and the record field it holds.
std::vector<card::Field<R>> materialFields()
{
    std::vector<card::Field<R>> table = {
        {&R::Codice, {"txtCodice", Control::Edit, "grpArticolo", "Codice articolo:", rowCaption(0), rowField(0), 1, Look::Bold,
                      KeyRule::None, nullptr, nullptr, Leave::Keep, "Per salvare la scheda è necessario indicare il codice articolo."}},
        {&R::Tipologia, {"txtTipologia", Control::Edit, "grpArticolo", "Tipologia:", rowCaption(1), rowField(1), 2}},
        {&R::Marca, {"txtMarca", Control::Edit, "grpArticolo", "Marca:", rowCaption(2), rowField(2), 3}},
        {&R::Modello, {"txtModello", Control::Edit, "grpArticolo", "Modello:", rowCaption(3), rowField(3), 4}},
        {&R::Accessori, {"txtAccessori", Control::Edit, "grpArticolo", "Accessori:", rowCaption(4), rowField(4), 5}},
        {&R::Descrizione, {"txtDescrizione", Control::Edit, "grpArticolo", "Descrizione:", rowCaption(5), rowField(5), 6}},
        {&R::Fornitore, {"txtFornitore", Control::Edit, "grpAcquisto", "Fornitore:", rowCaption(0), rowField(0), 7}},
        {&R::Recapito, {"txtRecapito", Control::Edit, "grpAcquisto", "Recapito:", rowCaption(1), rowField(1), 8}},
        {&R::DataAcquisto, {"txtData", Control::Edit, "grpAcquisto", "Data di acquisto:", rowCaption(2), rowField(2), 9}},
        {&R::Costo, {"txtCosto", Control::Edit, "grpAcquisto", "Costo di acquisto:", rowCaption(3), rowField(3), 10}},
        {&R::Documento, {"txtDocumento", Control::Edit, "grpAcquisto", "Documento di acquisto:", rowCaption(4), rowField(4), 11}},
        {&R::ModOrdine, {"txtOrdine", Control::Edit, "grpAcquisto", "Modalità di ordine merce:", rowCaption(5), rowField(5), 12}},
        {&R::Prezzo, {"txtPrezzo", Control::Edit, "grpVendita", "Prezzo al pubblico:", QRect(12, saleY(0), 172, 24), QRect(186, saleY(0), 120, 24), 13,
                      Look::Bold, KeyRule::AmountLimitedEnterFirst, nullptr, "0,00", Leave::Amount}},
        {&R::Collocazione, {"txtCollocazione", Control::Edit, "grpVendita", "Collocazione:", QRect(340, saleY(0), 150, 24), QRect(492, saleY(0), 416, 24), 14}},
        {&R::Giacenza, {"txtGiacenza", Control::Edit, "grpVendita", "Giacenza:", QRect(12, saleY(1), 172, 24), QRect(186, saleY(1), 120, 24), 15,
                        Look::Bold, KeyRule::WholeNumber, kStockGuard, "0", Leave::WholeNumber}},
        {&R::Sottoscorta, {"txtSottoscorta", Control::Edit, "grpVendita", "Avviso sottoscorta n.", QRect(340, saleY(1), 150, 24), QRect(492, saleY(1), 80, 24), 16,
                           Look::Bold, KeyRule::WholeNumber, kThresholdGuard, "0", Leave::WholeNumber}},
        {&R::Note, {"txtNote", Control::Edit, "grpNote", "Note:", QRect(12, 26, 50, 24), QRect(64, 26, 844, 24), 17, Look::RedItalic}},
    };
    card::addAttachmentFields(table);
    return table;
}

// The piece counts Save brings to whole numbers, with the name its refusal gives each.
struct PieceCount
{
    const char* control;
    const char* name;
};
const PieceCount kPieceCounts[] = {{"txtGiacenza", "Giacenza"}, {"txtSottoscorta", "Avviso sottoscorta"}};

} // namespace

TfrmMateriali::TfrmMateriali()
    : RecordCardScreen(QStringLiteral("frmMateriali"), QStringLiteral(" Magazzino materiali"), {4, 18, QSize(1022, 738)})
{
    buildToolbar();
    addGroup("grpArticolo", QStringLiteral(" Dati dell'articolo "), QRect(10, 10, 455, 244));
    addGroup("grpAcquisto", QStringLiteral(" Dati di acquisto "), QRect(475, 10, 455, 244));
    addGroup("grpVendita", QStringLiteral(" Vendita e magazzino "), QRect(10, 264, 920, 104));
    addGroup("grpNote", QStringLiteral(" Note "), QRect(10, 378, 920, 64));
    makeForm(materialFields());

    // The threshold reads as a sentence: "Avviso sottoscorta n. [5] pezzi rimasti."
    auto* after = new QLabel(QStringLiteral("pezzi rimasti."), container()->findChild<QWidget*>(QStringLiteral("grpVendita")));
    after->setObjectName(QStringLiteral("lblPezzi"));
    after->setGeometry(580, saleY(1), 120, 24);
    QFont plain = after->font();
    plain.setBold(false);
    after->setFont(plain);

    auto* emblem = new Picture(QStringLiteral("imgDecorazione"), QStringLiteral(":/pictures/logo.png"), container());
    emblem->move(320, 560);
}

TfrmMateriali::~TfrmMateriali() = default;

void TfrmMateriali::buildToolbar()
{
    addButtons({
        {"imgNuovo", "btn_nuovo", " Prepara la schermata ad accogliere una nuova scheda.", toolbarColumn(0), newAction()},
        {"imgSalva", "btn_salva", " Salva in archivio i dati relativi alla scheda corrente oppure aggiorna la scheda esistente.", toolbarColumn(1), saveAction()},
        {"imgTrova", "btn_cerca", " Trova una scheda in archivio.", toolbarColumn(2), searchAction<TfrmCercaMateriale>("materiali")},
        {"imgWord", "btn_stampa", " Stampa la scheda corrente.", toolbarColumn(3),
         [this] { Screens::get<TfrmPrint_Prodotto>()->printCard(this, printValues(currentRecord())); }},
        {"imgExcel", "btn_excel", " Esporta l'archivio corrente in un foglio di Microsoft Excel.", toolbarColumn(4), showModally<TfrmEsportaMat>()},
        {"imgFile", "btn_allegati", " Allega file esterni alla scheda corrente.", toolbarColumn(5), runOnCard<TfrmAllegatiMat>()},
        {"imgCartella", "btn_cartella", " Associa una cartella alla scheda corrente.", toolbarColumn(6), runOnCard<TfrmCartellaMat>()},
        {"imgDoppioTurno", "btn_pubblicita", " Visualizza l'elenco dei materiali in esaurimento.", toolbarColumn(7), listAction<TfrmCercaSottoscorta>()},
        // The platform shows the busy pointer while the browser starts.
        {"imgElimina", "btn_web", " Cerca sul Web, tramite Google, informazioni relative all'apparecchio descritto nella scheda corrente.", toolbarColumn(8),
         webSearch("txtMarca", "Per poter effettuare una ricerca sul Web è necessario compilare il campo relativo alla marca dell'articolo.",
                   [this](const QString& brand) { return MaterialCard::webSearchUrl(brand, trimmed("txtModello")); })},
        {"imgGuida", "btn_guida", " Visualizza la guida in linea del programma.", toolbarColumn(9), guideAction(warehouseGuideTitle(), warehouseGuideText())},
        {"imgEsci", "btn_esci", " Esce dalla schermata di lavoro corrente.", toolbarFoot(), exitAction()},
    });
    addCentredArrows(" Visualizza la prima scheda in archivio.", " Visualizza la scheda precedente in archivio.",
                     " Visualizza la scheda successiva in archivio.", " Visualizza l'ultima scheda in archivio", 462);
}

void TfrmMateriali::newCard()
{
    m_form->clear();
    setPosition(0);
    focusOn("txtCodice");
}

ArchiveFile TfrmMateriali::archive() const
{
    return MaterialCard::archive();
}

bool TfrmMateriali::readyToSave()
{
    if (!RecordCardScreen::readyToSave())
        return false;
    m_form->fillDefaults();
    // A count still being typed has not been left: Save brings it to whole
    // pieces itself. Letters pasted there are refused here, naming the
    // field, before anything is written.
    for (const PieceCount& count : kPieceCounts) {
        double value = 0;
        if (!ParseAmount(m_form->text(QLatin1String(count.control)), value)) {
            platform::current().showMessage(MaterialCard::unreadableNumberMessage(QString::fromUtf8(count.name)));
            focusOn(count.control);
            return false;
        }
    }
    for (const PieceCount& count : kPieceCounts)
        m_form->settle(QLatin1String(count.control));
    return true;
}

// Imports into receipts lower the stock of a shown card all day long: a
// Save that did not touch the stock keeps theirs without asking.
bool TfrmMateriali::keepChangedElsewhere(const QByteArray& shown, const QByteArray& stored, QByteArray& record) const
{
    return MaterialCard::keepStockChangedElsewhere(shown, stored, record);
}
