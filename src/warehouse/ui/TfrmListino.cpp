#include "warehouse/ui/TfrmListino.h"

#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "screens/ListPanels.h"
#include "screens/ListServices.h"
#include "platform/qt/RecordList.h"
#include "layouts/ListReport.h"
#include "warehouse/PriceList.h"
#include "warehouse/WarehouseGuide.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/Screens.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QRect kInside(10, 10, 975, 610);
const int kButtonsY = 630;

ListScreenSpec listinoSpec()
{
    ListScreenSpec spec;
    spec.variant = ListScreenSpec::Variant::Criteria;
    spec.scrollWidth = 1500;
    spec.criteriaTitle = QStringLiteral("Creazione listino prezzi");
    spec.criteriaHelp = QString::fromUtf8(
        "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede dei prodotti da includere nel\n"
        "listino prezzi e premere il pulsante Trova.\n"
        "Lasciare in bianco gli altri campi.\n"
        "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.");
    spec.criteria = {
        {"txtCodice", "Codice prodotto:", 30},
        {"txtTipologia", "Tipologia:", 50},
        {"txtDescrizione", "Descrizione:", 250},
        {"txtPrezzoMin", "Prezzo minimo:", 20, true},
        {"txtPrezzoMax", "Prezzo massimo:", 20, true},
        {"txtGiaceMin", "Giacenza minima:", 20, true},
        {"txtGiaceMax", "Giacenza massima:", 20, true},
        {"txtFornitore", "Fornitore:", 50},
        {"txtDocumento", "Documento di acquisto:", 250},
    };
    spec.criteriaRest = Qt::white;
    spec.boldCriteria = true;
    return spec;
}

QFont bold(QFont f)
{
    f.setBold(true);
    return f;
}

} // namespace

TfrmListino::TfrmListino()
    : WorkAreaWindow(QStringLiteral("frmListino"), QStringLiteral(" Creazione listino prezzi"), {4, 14, QSize(1030, 742)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));
    const ListScreenSpec spec = listinoSpec();
    m_panels = new ListPanels(grpContainer, spec, kInside, QRect(10, 34, kInside.width() - 20, 420),
                              [this](PackedLines& lines) { return collect(lines); });
    lstRecords = m_panels->list();
    // Lines are picked to be removed, several at a time with Ctrl.
    lstRecords->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FieldColours::install(lstRecords, FieldColours::restGreen());
    buildCriteriaExtras();
    buildListPanel();
    m_panels->addButtons(kButtonsY);
    auto* imgGuida = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/btn_guida.png"),
                                       QStringLiteral(" Visualizza la guida in linea."), grpContainer);
    imgGuida->move(kInside.right() - imgGuida->width(), kButtonsY);
    imgGuida->setToolTip(QStringLiteral(" Guida in linea "));
    connect(imgGuida, &PictureButton::clicked, this, [] { Screens::showGuide(priceListGuideTitle(), priceListGuideText()); });
    connect(m_panels->annulla(), &QPushButton::clicked, this, &QWidget::close);
    connect(m_panels, &ListPanels::listShown, this, &TfrmListino::listShown);
    connect(m_panels, &ListPanels::criteriaShown, this, [this] { lblConta->setText(QStringLiteral("0")); });
}

void TfrmListino::buildCriteriaExtras()
{
    QFrame* criteria = m_panels->criteriaPanel();
    lblTutti = listLabel(criteria, QStringLiteral("Mostra tutti i prodotti"), QRect(190, 128 + 9 * 38 + 10, 300, 24));
    lblTutti->setObjectName(QStringLiteral("lblTutti"));
    QFont f = lblTutti->font();
    f.setUnderline(true);
    lblTutti->setFont(f);
    lblTutti->setStyleSheet(QStringLiteral("color: navy"));
    lblTutti->setCursor(Qt::PointingHandCursor);
    lblTutti->installEventFilter(this);
    lblConta = listLabel(grpContainer, QStringLiteral("0"), QRect(0, 0, 20, 20));
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
}

void TfrmListino::buildListPanel()
{
    QWidget* panel = m_panels->listPanel();
    const int w = panel->width();
    listLabel(panel,
              QStringLiteral("Selezionare gli eventuali prodotti da eliminare dall'elenco. "
                             "Per la multiselezione, tenere premuto il pulsante Ctrl."),
              QRect(10, 8, w - 20, 22));
    listLabel(panel, QStringLiteral("Servirsi della casella sottostante per modificare l'intestazione del listino prezzi."),
              QRect(10, 464, w - 20, 22));
    txtIntestazione = new QLineEdit(QStringLiteral("Listino prezzi di oggi"), panel);
    txtIntestazione->setObjectName(QStringLiteral("txtIntestazione"));
    txtIntestazione->setGeometry(10, 490, w - 20, 26);
    txtIntestazione->setFont(bold(txtIntestazione->font()));
    FieldColours::install(txtIntestazione, FieldColours::restGreen());
    auto* cmdImporta = listButton(panel, "cmdImporta", QStringLiteral("Elimina prodotti selezionati"),
                                  QRect(10, 540, 240, 30));
    auto* cmdStampa = listButton(panel, "cmdStampa", QStringLiteral("Stampa listino prezzi"), QRect(260, 540, 240, 30));
    connect(cmdImporta, &QPushButton::clicked, this, &TfrmListino::cmdImportaClick);
    connect(cmdStampa, &QPushButton::clicked, this, &TfrmListino::cmdStampaClick);
}

bool TfrmListino::collect(PackedLines& lines)
{
    PriceList::Criteria c;
    c.codice = m_panels->criterion("txtCodice");
    c.tipologia = m_panels->criterion("txtTipologia");
    c.descrizione = m_panels->criterion("txtDescrizione");
    c.prezzoMin = m_panels->criterion("txtPrezzoMin");
    c.prezzoMax = m_panels->criterion("txtPrezzoMax");
    c.giaceMin = m_panels->criterion("txtGiaceMin");
    c.giaceMax = m_panels->criterion("txtGiaceMax");
    c.fornitore = m_panels->criterion("txtFornitore");
    c.documento = m_panels->criterion("txtDocumento");
    lblConta->setText(QString::number(c.filled()));
    return PriceList::search(c, lines);
}

void TfrmListino::listShown()
{
    txtIntestazione->setText(PriceList::proposedHeading(platform::current().today()));
    lstRecords->setFocus();
}

void TfrmListino::lblTuttiClick()
{
    if (m_panels->fill(&PriceList::showAll))
        m_panels->showList();
}

void TfrmListino::cmdImportaClick()
{
    if (lstRecords->selectedRows().empty()) {
        platform::current().showTaskMessage(
            QStringLiteral("Nessuna voce selezionata"),
            QStringLiteral("Attenzione: selezionare uno o più prodotti dall'elenco prima di premere il pulsante "
                           "per l'eliminazione."),
            platform::MessageIcon::None);
        return;
    }
    lstRecords->removeSelected();
}

void TfrmListino::cmdStampaClick()
{
    ListPrintJob job;
    job.question = QStringLiteral("Si vuole stampare il presente listino prezzi?");
    job.jobName = QStringLiteral("Ventoria 2.0 - Listino prezzi");
    job.orientation = platform::PageOrientation::Portrait;
    const QString heading = PriceList::printedHeading(txtIntestazione->text(), platform::current().today());
    job.compose = [&heading](platform::PrintCanvas& canvas, const QStringList& lines, const QString& stamp) {
        PriceList::compose(canvas, lines, heading, stamp);
    };
    printList(this, lstRecords->lines(), job);
}

void TfrmListino::closeEvent(QCloseEvent* event)
{
    m_panels->showCriteria(true);
    WorkAreaWindow::closeEvent(event);
}

bool TfrmListino::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblTutti && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        lblTuttiClick();
    return WorkAreaWindow::eventFilter(watched, event);
}
