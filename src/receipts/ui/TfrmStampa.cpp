#include "receipts/ui/TfrmStampa.h"

#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/UpDownField.h"
#include "receipts/ReceiptPrint.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>

namespace {

QFont boldFont(const QWidget* w)
{
    QFont f = w->font();
    f.setBold(true);
    return f;
}

} // namespace

TfrmStampa::TfrmStampa()
    : DialogScreen(QStringLiteral("frmStampa"), QStringLiteral(" Stampa ricevuta"), QSize(430, 300))
{
    setLocale(QLocale(QLocale::Italian, QLocale::Italy));

    grpStampante = makeControl<QGroupBox>(this, QStringLiteral("grpStampante"));
    grpStampante->setGeometry(10, 8, 410, 72);
    imgStampante = makeControl<QLabel>(grpStampante, QStringLiteral("imgStampante"));
    imgStampante->setGeometry(12, 18, 40, 40);
    imgStampante->setPixmap(
        QPixmap(QStringLiteral(":/pictures/btn_stampa.png")).scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lblStampante = makeControl<QLabel>(grpStampante, QStringLiteral("lblStampante"), QStringLiteral("Seleziona stampante:"));
    lblStampante->setGeometry(62, 12, 330, 20);
    cboPrinters = makeControl<QComboBox>(grpStampante, QStringLiteral("cboPrinters"));
    cboPrinters->setGeometry(62, 34, 336, 26);
    cboPrinters->setFont(boldFont(cboPrinters));
    cboPrinters->setEditable(false);

    grpCopie = makeControl<QGroupBox>(this, QStringLiteral("grpCopie"), QStringLiteral(" Numero di copie da stampare: "));
    grpCopie->setGeometry(10, 88, 410, 62);
    txtCopie = makeControl<QLineEdit>(grpCopie, QStringLiteral("txtCopie"), QStringLiteral("1"));
    txtCopie->setGeometry(14, 26, 60, 26);
    txtCopie->setFont(boldFont(txtCopie));
    txtCopie->setMaxLength(3);
    scrCopie = makeControl<QSpinBox>(grpCopie, QStringLiteral("scrCopie"));
    scrCopie->setGeometry(75, 26, 18, 26);
    UpDownField::bind(scrCopie, txtCopie, 1, 999);

    grpFormato = makeControl<QGroupBox>(this, QStringLiteral("grpFormato"), QStringLiteral(" Seleziona formato fattura: "));
    grpFormato->setGeometry(10, 158, 410, 86);
    optPiccolo = makeControl<QRadioButton>(grpFormato, QStringLiteral("optPiccolo"),
                                           QStringLiteral(" Formato piccolo (2 ricevute su foglio A4) "));
    optPiccolo->setGeometry(14, 26, 380, 22);
    optGrande = makeControl<QRadioButton>(grpFormato, QStringLiteral("optGrande"),
                                          QStringLiteral(" Formato grande (1 ricevuta su foglio A4) "));
    optGrande->setGeometry(14, 54, 380, 22);
    optPiccolo->setChecked(true);
    optFormatoClick();
    connect(optPiccolo, &QRadioButton::toggled, this, &TfrmStampa::optFormatoClick);
    connect(optGrande, &QRadioButton::toggled, this, &TfrmStampa::optFormatoClick);

    cmdAnnulla = makeControl<QPushButton>(this, QStringLiteral("cmdAnnulla"), QStringLiteral("Annulla"));
    cmdAnnulla->setGeometry(200, 256, 105, 32);
    cmdAnnulla->setAutoDefault(false);
    cmdStampa = makeControl<QPushButton>(this, QStringLiteral("cmdStampa"), QStringLiteral("Stampa"));
    cmdStampa->setGeometry(315, 256, 105, 32);
    cmdStampa->setAutoDefault(false);
    connect(cmdAnnulla, &QPushButton::clicked, this, &TfrmStampa::cmdAnnullaClick);
    connect(cmdStampa, &QPushButton::clicked, this, &TfrmStampa::cmdStampaClick);

    imgLogo = makeControl<QLabel>(this, QStringLiteral("imgLogo"));
    imgLogo->hide();
}

void TfrmStampa::printReceipt(QWidget* owner, const TRecRicevuta& receipt)
{
    // The dialog is centred on the desktop and modal to the whole program:
    // the editor that asks only lends it the receipt.
    Q_UNUSED(owner);
    m_receipt = receipt;
    exec();
}

void TfrmStampa::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    if (event->spontaneous())
        return;
    cboPrinters->clear();
    cboPrinters->addItems(platform::current().printers());
    cboPrinters->setCurrentIndex(cboPrinters->count() > 0 ? 0 : -1);
    // Read anew at every opening: the logo dialog may have changed it since.
    m_logo = ReceiptPrint::loadLogo(AppDir::filePath(ReceiptPrint::logoFileName()));
    imgLogo->setPixmap(QPixmap::fromImage(m_logo));
}

void TfrmStampa::optFormatoClick()
{
    FieldColours::markCaption(optPiccolo, optPiccolo->isChecked());
    FieldColours::markCaption(optGrande, optGrande->isChecked());
}

void TfrmStampa::cmdStampaClick()
{
    const ReceiptPrint::Format format =
        optGrande->isChecked() ? ReceiptPrint::Format::Large : ReceiptPrint::Format::Small;
    platform::Platform& p = platform::current();
    const QString printer = cboPrinters->currentText();
    bool ready = false;
    if (p.printerIsPdfFile(printer)) {
        const QString path = p.saveFileDialog(
            this, QStringLiteral(" Salva la ricevuta in PDF"),
            QDir(p.documentsFolder()).filePath(ReceiptPrint::pdfFileName(m_receipt)),
            {QStringLiteral("Documenti PDF (*.pdf)")});
        // Cancelled: nothing printed, the dialog stays for another choice.
        if (path.isEmpty())
            return;
        ready = p.usePdfFile(path);
    } else {
        ready = p.usePrinter(printer);
    }
    if (!ready || !ReceiptPrint::print(format, m_receipt, m_logo, txtCopie->text().toInt()))
        p.showMessage(platform::printFailureMessage());
    // Closed after a failure as well: the message has told the user.
    accept();
}

void TfrmStampa::cmdAnnullaClick()
{
    reject();
}
