#include "clients/ui/TfrmCercaFigli.h"

#include "platform/qt/Screens.h"
#include "clients/ClientCard.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/qt/ListServices.h"
#include "storage/ListReport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TfrmCercaFigli::TfrmCercaFigli()
    : DialogScreen(QStringLiteral("frmCercaFigli"), QStringLiteral(" Clienti che acconsentono a ricevere pubblicità"),
                   QSize(760, 470))
{
    lstRecords = new QListWidget(this);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(10, 10, 740, 300);
    ConfigureListControl(lstRecords, 1500);
    connect(lstRecords, &QListWidget::itemDoubleClicked, this, &TfrmCercaFigli::lstRecordsDblClick);

    auto* txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(10, 320, 620, 26);
    auto* cmdTrova02 = new QPushButton(QStringLiteral("Trova"), this);
    cmdTrova02->setObjectName(QStringLiteral("cmdTrova02"));
    cmdTrova02->setGeometry(640, 318, 110, 30);
    cmdTrova02->setAutoDefault(false);

    auto* help = new QLabel(
        CardListInstructions(),
        this);
    help->setGeometry(10, 354, 740, 60);

    auto* cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(520, 424, 110, 30);
    cmdAnnulla->setAutoDefault(false);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    auto* cmdStampa = new QPushButton(QStringLiteral("Stampa"), this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setGeometry(640, 424, 110, 30);
    cmdStampa->setAutoDefault(false);

    m_services = new ListServices(
        lstRecords, txtTrova, cmdTrova02, cmdStampa,
        QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."),
        [] {
            ListReportSpec spec;
            spec.title = QStringLiteral("Clienti che acconsentono a ricevere pubblicità");
            spec.ruleLength = 24;
            return spec;
        },
        this);
}

void TfrmCercaFigli::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    lstRecords->clear();
    QStringList lines;
    // A failing archive ends the list where it stopped, without a message.
    ClientCard::consentList(lines);
    lines.sort(Qt::CaseInsensitive);
    lstRecords->addItems(lines);
    m_services->reset();
}

void TfrmCercaFigli::lstRecordsDblClick()
{
    QListWidgetItem* item = lstRecords->currentItem();
    TRecCliente record;
    qint64 position = 0;
    if (item && ClientCard::findByLine(&ClientCard::consentLine, item->text(), record, position))
        Screens::get<TfrmClienti>()->loadRecord(record, position);
    accept();
}

void TfrmCercaFigli::done(int result)
{
    lstRecords->clear();
    DialogScreen::done(result);
}
