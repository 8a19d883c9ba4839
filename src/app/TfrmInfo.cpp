#include "app/TfrmInfo.h"

#include "launcher/Maker.h"
#include "platform/Platform.h"
#include "platform/qt/LinkLabels.h"
#include "platform/qt/PictureButton.h"

#include <QFrame>
#include <QPushButton>

TfrmInfo::TfrmInfo()
    : DialogScreen(QStringLiteral("frmInfo"), QStringLiteral(" Informazioni su Ventoria © 2.0"), QSize(440, 372))
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(p);

    auto* frame = makeControl<QFrame>(this, QStringLiteral("grpInfo"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(12, 12, 416, 302);
    auto* strip = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/info_striscia.png"), frame);
    strip->move(8, 8);
    auto* picture = new Picture(QStringLiteral("imgInfo"), QStringLiteral(":/pictures/info_prodotto.png"), frame);
    picture->move(8, 80);

    // The links turn red over the label or its icon, navy again over the window or the frame.
    m_links = new LinkLabels(QColor(0, 0, 128), Qt::red, this);
    m_links->addRestArea(this);
    m_links->addRestArea(frame);
    const struct
    {
        const char* icon;
        const char* label;
        const char* picture;
        const char* text;
        int x;
        void (TfrmInfo::*act)();
    } links[] = {
        {"imgEmail", "lblEmail", "btn_email.png", "Invia e-mail", 36, &TfrmInfo::lblEmailClick},
        {"imgSito", "lblSito", "btn_web.png", "Visita sito Internet", 220, &TfrmInfo::lblSitoClick},
    };
    for (const auto& l : links) {
        auto* icon = new PictureButton(QLatin1String(l.icon), QStringLiteral(":/pictures/") + l.picture, QString(),
                                       frame);
        icon->move(l.x, 258);
        auto* label = new PictureButton(QLatin1String(l.label), QString(), QString(), frame);
        label->setText(QString::fromUtf8(l.text));
        label->setGeometry(l.x + 38, 264, 140, 20);
        for (PictureButton* b : {icon, label})
            connect(b, &PictureButton::clicked, this, l.act);
        m_links->add(label, {icon});
    }

    auto* cmdOK = dialogButton(this, "cmdOK", QStringLiteral("OK"), QRect(175, 328, 90, 30));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmInfo::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    m_links->rest();
}

void TfrmInfo::lblSitoClick()
{
    platform::BusyCursor busy;
    platform::current().openUrl(makerWebAddress());
}

void TfrmInfo::lblEmailClick()
{
    QString mailto;
    {
        platform::BusyCursor busy;
        mailto = makerMailto();
    }
    if (!platform::current().openMailto(mailto))
        platform::current().showMessage(QStringLiteral("Invio e-mail non riuscito."));
}
