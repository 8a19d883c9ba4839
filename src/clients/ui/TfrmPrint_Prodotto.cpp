#include "clients/ui/TfrmPrint_Prodotto.h"

#include "platform/Platform.h"

// The emblem lives in the pictures resource of the user-interface library.
static void loadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

TfrmPrint_Prodotto::TfrmPrint_Prodotto() : m_layout(MaterialCardLayout())
{
    loadPictures();
    setObjectName(QStringLiteral("frmPrint_Prodotto"));
    // The layout surface of the printed card.
    resize(m_layout.surface);
}

void TfrmPrint_Prodotto::printCard(QWidget* card)
{
    PrintLayout filled = m_layout;
    FillBoxesFrom(filled, card);
    // Taken once, before the dialog: every copy carries the same moment.
    platform::Platform& p = platform::current();
    SetElementText(filled, QStringLiteral("lblData"), CardFootnote(p.today(), p.now()));
    PrintCardLayout(card, filled, QStringLiteral("Ventoria 2.0 - Scheda articolo"));
}
