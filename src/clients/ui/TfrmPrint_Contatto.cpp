#include "clients/ui/TfrmPrint_Contatto.h"

#include "platform/Platform.h"

#include <QCheckBox>

// The emblem lives in the pictures resource of the user-interface library.
static void loadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

TfrmPrint_Contatto::TfrmPrint_Contatto() : m_layout(ClientCardLayout())
{
    loadPictures();
    setObjectName(QStringLiteral("frmPrint_Contatto"));
    // The layout surface of the printed card.
    resize(m_layout.surface);
}

void TfrmPrint_Contatto::printCard(QWidget* card)
{
    PrintLayout filled = m_layout;
    FillBoxesFrom(filled, card);
    const QCheckBox* consent = card ? card->findChild<QCheckBox*>(QStringLiteral("chkDoppioTurno")) : nullptr;
    SetElementText(filled, QStringLiteral("lblPubblicita"), ConsentLine(consent && consent->isChecked()));
    // Taken once, before the dialog: every copy carries the same moment.
    platform::Platform& p = platform::current();
    SetElementText(filled, QStringLiteral("lblData"), CardFootnote(p.today(), p.now()));
    PrintCardLayout(card, filled, QStringLiteral("Ventoria 2.0 - Scheda cliente"));
}
