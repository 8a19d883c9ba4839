#include "receipts/ui/TfrmLogo.h"

#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/PictureButton.h"
#include "receipts/ReceiptPrint.h"
#include "storage/FileWrites.h"

#include <QBuffer>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QSize kPreview(297, 184);


// The picture in bitmap form, replacing the file only once it is complete,
// so a write that fails halfway leaves the previous logo in place.
bool writeBitmap(const QImage& picture, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Scaled down, its proportions kept, to what prints well: the logo
    // written is one the printing reads back.
    const int side = ReceiptPrint::kLargestLogoSide;
    const QImage fitted = picture.width() > side || picture.height() > side
                              ? picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : picture;
    // An opaque 24-bit bitmap: what any program reading BMP files understands.
    if (!fitted.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP") || bytes.size() > ReceiptPrint::kMaxLogoSize)
        return false;
    return FileWrites::replaceFile(path, bytes);
}


} // namespace

TfrmLogo::TfrmLogo()
    : DialogScreen(QStringLiteral("frmLogo"), QStringLiteral(" Carica logo Ditta"), QSize(470, 310))
{
    for (const auto& [text, y] : {std::pair{"Selezionare un file di immagine in formato Bitmap da", 10},
                                  std::pair{"inserire come logo nella stampa dei documenti.", 30}}) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setGeometry(16, y, 440, 20);
        FieldColours::markCaption(l, true);
    }

    imgFoto = makeControl<QLabel>(this, QStringLiteral("imgFoto"));
    imgFoto->setGeometry(16, 62, kPreview.width() + 2, kPreview.height() + 2);
    imgFoto->setFrameShape(QFrame::Box);
    imgFoto->setAlignment(Qt::AlignCenter);
    imgFoto->setStyleSheet(QStringLiteral("QLabel { background: white; }"));

    auto* cmdFoto = dialogButton(this, "cmdFoto", QStringLiteral("Carica immagine"), QRect(330, 62, 124, 30));
    connect(cmdFoto, &QPushButton::clicked, this, &TfrmLogo::cmdFotoClick);
    auto* imgCancella = new PictureButton(QStringLiteral("imgCancella"), QStringLiteral(":/pictures/btn_cancella.png"),
                                          QString(), this);
    imgCancella->move(340, 110);
    imgCancella->setToolTip(QStringLiteral("Nessun logo"));
    connect(imgCancella, &PictureButton::released, this, &TfrmLogo::imgCancellaMouseUp);
    auto* imgEuro = new PictureButton(QStringLiteral("imgEuro"), QStringLiteral(":/pictures/btn_euro.png"),
                                      QString(), this);
    imgEuro->move(390, 110);
    imgEuro->setToolTip(QStringLiteral("Simbolo dell'euro"));
    connect(imgEuro, &PictureButton::released, this, &TfrmLogo::imgEuroMouseUp);

    auto* cmdAnnulla = dialogButton(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(214, 264, 110, 30));
    auto* cmdApplica = dialogButton(this, "cmdApplica", QStringLiteral("Applica e chiudi"), QRect(334, 264, 120, 30));
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApplica, &QPushButton::clicked, this, &TfrmLogo::cmdApplicaClick);
}

QImage TfrmLogo::euroPicture()
{
    return QImage(QStringLiteral(":/pictures/logo_euro.png"));
}

void TfrmLogo::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    if (event->spontaneous())
        return;
    // Each showing starts from the disk: nothing chosen and not applied survives.
    QImage logo;
    if (!ReceiptPrint::readLogo(AppDir::filePath(ReceiptPrint::logoFileName()), logo))
        logo = euroPicture();
    preview(logo);
}

void TfrmLogo::preview(const QImage& picture)
{
    m_picture = picture;
    QPixmap shown = QPixmap::fromImage(picture);
    // Scaled down to fit and centred; a small picture keeps its size.
    if (shown.width() > kPreview.width() || shown.height() > kPreview.height())
        shown = shown.scaled(kPreview, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgFoto->setPixmap(shown);
}

void TfrmLogo::cmdFotoClick()
{
    const QString chosen = platform::current().openFileDialog(
        this, QStringLiteral("Selezionare l'immagine del logo in formato Bitmap:"),
        {QStringLiteral("File Bitmap (.bmp) (*.bmp)"), QStringLiteral("BMP (*.bmp)")});
    if (chosen.isEmpty())
        return;
    QImage loaded;
    bool ok = false;
    {
        platform::BusyCursor busy;
        imgFoto->clear();
        ok = loaded.load(chosen);
    }
    preview(ok ? loaded : euroPicture());
}

void TfrmLogo::imgCancellaMouseUp()
{
    preview(ReceiptPrint::blankLogo());
}

void TfrmLogo::imgEuroMouseUp()
{
    preview(euroPicture());
}

void TfrmLogo::cmdApplicaClick()
{
    bool written = false;
    {
        platform::BusyCursor busy;
        written = writeBitmap(m_picture, AppDir::filePath(ReceiptPrint::logoFileName()));
    }
    if (!written) {
        // The dialog stays open: the user can pick another picture or cancel.
        platform::current().showMessage(unwritableMessage());
        return;
    }
    accept();
}

QString TfrmLogo::unwritableMessage()
{
    return QStringLiteral("Impossibile salvare il logo nel file %1 della cartella del programma: "
                          "la cartella è protetta in scrittura, il disco è pieno oppure il file non è modificabile.\n"
                          "Il logo non è stato cambiato.")
        .arg(ReceiptPrint::logoFileName());
}
