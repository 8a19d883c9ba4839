#include "app/TfrmAvvio.h"

#include "launcher/GuideTexts.h"
#include "launcher/Maker.h"
#include "platform/qt/Screens.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/Platform.h"
#include "platform/qt/PictureButton.h"
#include "receipts/ui/TfrmRicevute.h"
#include "warehouse/ui/TfrmListino.h"
#include "warehouse/ui/TfrmMateriali.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMovie>

namespace {

QLabel* picture(QWidget* parent, const QString& name, const QString& file, int x, int y)
{
    auto* label = new Picture(name, QStringLiteral(":/pictures/") + file, parent);
    label->move(x, y);
    return label;
}

QFrame* orangeRule(QWidget* parent, int y)
{
    auto* rule = new QFrame(parent);
    rule->setGeometry(24, y, 947, 2);
    rule->setAutoFillBackground(true);
    QPalette p = rule->palette();
    p.setColor(QPalette::Window, QColor(242, 140, 40));
    rule->setPalette(p);
    return rule;
}

} // namespace

TfrmAvvio::TfrmAvvio()
    : centredWindow(QStringLiteral("frmAvvio"), QStringLiteral(" Ventoria 2.0 ©"), {8, 18, QSize(1030, 742)})
{
    grpContainer = addPanel(QStringLiteral("grpContainer"));

    picture(grpContainer, QStringLiteral("imgLogo"), QStringLiteral("logo.png"), 347, 6);
    picture(grpContainer, QStringLiteral("imgTitolo"), QStringLiteral("launcher_title.png"), 217, 80);
    orangeRule(grpContainer, 138);
    auto* subtitle = new QLabel(
        QStringLiteral("Tutto l'occorrente per gestire clienti e magazzino, emettere ricevute e stampare listini prezzi."),
        grpContainer);
    subtitle->setObjectName(QStringLiteral("lblSottotitolo"));
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setGeometry(24, 142, 947, 26);
    QFont subtitleFont(QStringLiteral("Verdana"), 10);
    subtitleFont.setBold(true);
    subtitle->setFont(subtitleFont);
    subtitle->setStyleSheet(QStringLiteral("color: #1F2A5C;"));
    orangeRule(grpContainer, 170);

    struct Column
    {
        const char* tile;
        const char* title;
        const char* info;
        const char* key;
        void (TfrmAvvio::*open)();
    };
    const Column columns[] = {
        {"btnDipendenti", "titDipendenti", "infDipendenti", "clienti", &TfrmAvvio::btnDipendentiClick},
        {"btnContatti", "titContatti", "infContatti", "magazzino", &TfrmAvvio::btnContattiClick},
        {"btnTitolario", "titTitolario", "infTitolario", "ricevute", &TfrmAvvio::btnTitolarioClick},
        {"btnProtocollo", "titProtocollo", "infProtocollo", "listino", &TfrmAvvio::btnProtocolloClick},
    };
    int x = 24;
    for (const Column& c : columns) {
        const QString key = QLatin1String(c.key);
        auto* tile = new PictureButton(QLatin1String(c.tile), QStringLiteral(":/pictures/tile_") + key + ".png",
                                       QString(), grpContainer);
        tile->move(x + 1, 190);
        auto* title = new PictureButton(QLatin1String(c.title),
                                        QStringLiteral(":/pictures/title_") + key + ".png", QString(), grpContainer);
        title->move(x + 3, 452);
        auto* info = picture(grpContainer, QLatin1String(c.info), QStringLiteral("info_") + key + ".png", x, 498);
        info->setCursor(Qt::ArrowCursor);
        connect(tile, &PictureButton::clicked, this, c.open);
        connect(title, &PictureButton::clicked, this, c.open);
        x += 240;
    }

    const struct
    {
        const char* name;
        const char* file;
        const char* hint;
        int x, y;
        void (TfrmAvvio::*act)();
    } buttons[] = {
        {"imgInfo", "btn_info.png", " Informazioni su... ", 8, 8, &TfrmAvvio::imgInfoClick},
        {"imgGuida", "btn_guida.png", " Guida ", 955, 8, &TfrmAvvio::imgGuidaClick},
        {"imgCopyright", "btn_copyright.png", " Copyright ", 8, 648, &TfrmAvvio::imgCopyrightClick},
        {"imgEsci", "btn_esci.png", " Esci ", 955, 648, &TfrmAvvio::imgEsciClick},
    };
    for (const auto& b : buttons) {
        auto* button = new PictureButton(QLatin1String(b.name), QStringLiteral(":/pictures/") + b.file,
                                         QString::fromUtf8(b.hint), grpContainer);
        button->move(b.x, b.y);
        // Named where the mouse is as well: a newcomer seldom reads the
        // status bar.
        button->setToolTip(QString::fromUtf8(b.hint));
        connect(button, &PictureButton::clicked, this, b.act);
    }

    auto* footer = new QFrame(grpContainer);
    footer->setObjectName(QStringLiteral("panFooter"));
    footer->setGeometry(24, 616, 947, 24);
    footer->setStyleSheet(QStringLiteral("QFrame#panFooter { background: #1F2A5C; border-radius: 3px; }"));
    auto* lblWeb = new PictureButton(QStringLiteral("lblWeb"), QString(),
                                     QStringLiteral("  Visita il sito Internet dell'autore "), footer);
    lblWeb->setText(QStringLiteral("  Visita il sito Internet dell'autore "));
    lblWeb->setStyleSheet(QStringLiteral("color: white; text-decoration: underline;"));
    lblWeb->setGeometry(8, 2, 300, 20);
    connect(lblWeb, &PictureButton::clicked, this, &TfrmAvvio::lblWebClick);

    imgAnimata = new QLabel(footer);
    imgAnimata->setObjectName(QStringLiteral("imgAnimata"));
    imgAnimata->setGeometry(947 - 451 - 10, 7, 451, 10);
}

TfrmAvvio::~TfrmAvvio() = default;

void TfrmAvvio::showLauncher()
{
    open();
}

void TfrmAvvio::showEvent(QShowEvent* event)
{
    centredWindow::showEvent(event);
    loadAnimation();
}

void TfrmAvvio::loadAnimation()
{
    // The strip is stored as a raw resource and decoded afresh each time the
    // launcher is shown, replacing the picture it held.
    QFile resource(QStringLiteral(":/RESNAME"));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    imgAnimata->setMovie(nullptr);
    m_animation.reset();
    m_animationData = std::make_unique<QBuffer>();
    m_animationData->setData(resource.readAll());
    m_animationData->open(QIODevice::ReadOnly);
    m_animation = std::make_unique<QMovie>(m_animationData.get(), QByteArray("gif"));
    imgAnimata->setMovie(m_animation.get());
    m_animation->start();
}

void TfrmAvvio::closeEvent(QCloseEvent* event)
{
    // Closing the launcher by any means ends the program at once.
    event->accept();
    if (m_animation)
        m_animation->stop();
    QApplication::quit();
}

void TfrmAvvio::btnDipendentiClick()
{
    Screens::get<TfrmClienti>()->open();
    hide();
}

void TfrmAvvio::btnContattiClick()
{
    Screens::get<TfrmMateriali>()->open();
    hide();
}

void TfrmAvvio::btnTitolarioClick()
{
    // The receipt work area always opens on the choice of the year.
    auto* receipts = Screens::get<TfrmRicevute>();
    receipts->showYearPanel();
    receipts->open();
    hide();
}

void TfrmAvvio::btnProtocolloClick()
{
    Screens::get<TfrmListino>()->open();
    hide();
}

void TfrmAvvio::imgGuidaClick()
{
    Screens::showGuide(launcherGuideTitle(), launcherGuideText());
}

void TfrmAvvio::imgInfoClick()
{
    Screens::get<TfrmInfo>()->exec();
}

void TfrmAvvio::imgCopyrightClick()
{
    Screens::get<TfrmSplash>()->exec();
}

void TfrmAvvio::imgEsciClick()
{
    close();
}

void TfrmAvvio::lblWebClick()
{
    platform::current().openUrl(makerWebAddress());
}
