#include "app/TfrmSplash.h"

#include "app/TfrmAvvio.h"
#include "platform/Platform.h"

#include "platform/qt/PictureButton.h"

#include <QLabel>
#include <QMouseEvent>

TfrmSplash::TfrmSplash()
    : DialogScreen(QStringLiteral("frmSplash"), QStringLiteral("Ventoria © 2.0"), QSize(597, 362))
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setToolTip(QStringLiteral("  Visita il sito Internet dell'autore "));
    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo.png"), this);
    logo->setGeometry(148, 146, 300, 70);
    logo->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TfrmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    platform::current().openUrl(MakerWebAddress());
    accept();
}
