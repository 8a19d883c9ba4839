#include "app/TfrmInfo.h"

#include "app/TfrmAvvio.h"
#include "platform/Platform.h"
#include "platform/qt/PictureButton.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>

TfrmInfo::TfrmInfo()
    : DialogScreen(QStringLiteral("frmInfo"), QStringLiteral(" Informazioni su Ventoria © 2.0"), QSize(420, 300))
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(p);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(12, 12, 396, 226);
    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo.png"), frame);
    logo->setGeometry(48, 12, 300, 70);
    auto* text = new QLabel(QStringLiteral("Ventoria © 2.0\nClienti, magazzino, ricevute e listini prezzi"), frame);
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(12, 92, 372, 44);

    auto* web = new PictureButton(QStringLiteral("lblSito"), QString(), QString(), frame);
    web->setText(QStringLiteral("Visita sito Internet"));
    web->setGeometry(130, 150, 140, 20);
    web->setStyleSheet(QStringLiteral("QLabel { color: navy; text-decoration: underline; } QLabel:hover { color: red; }"));
    connect(web, &PictureButton::clicked, this, [] { platform::current().openUrl(MakerWebAddress()); });

    auto* mail = new PictureButton(QStringLiteral("lblEmail"), QString(), QString(), frame);
    mail->setText(QStringLiteral("Invia e-mail"));
    mail->setGeometry(130, 180, 140, 20);
    mail->setStyleSheet(web->styleSheet());
    connect(mail, &PictureButton::clicked, this, [] {
        const QString mailto = QStringLiteral("mailto:info@ventoria.it?subject=Software%20Ventoria%202.0&body=")
                               + QString::fromUtf8(QUrl::toPercentEncoding(QStringLiteral(
                                   "Salve, desidererei avere le seguenti informazioni sul software in oggetto:")));
        if (!platform::current().openMailto(mailto))
            platform::current().showMessage(QStringLiteral("Invio e-mail non riuscito."));
    });

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(165, 252, 90, 30);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}
