#include "clients/ui/TfrmPrint_Contatto.h"

TfrmPrint_Contatto::TfrmPrint_Contatto()
    : CardPrintScreen(QStringLiteral("frmPrint_Contatto"), clientCardLayout(),
                      QStringLiteral("Ventoria 2.0 - Scheda cliente"))
{
}

void TfrmPrint_Contatto::printCard(QWidget* owner, const Values& values, bool consents)
{
    print(owner, values, [consents](PrintLayout& layout) {
        setElementText(layout, QStringLiteral("lblPubblicita"), consentLine(consents));
    });
}
