#include "clients/TfrmPrint_Contatto.h"

TfrmPrint_Contatto::TfrmPrint_Contatto()
{
    setObjectName(QStringLiteral("frmPrint_Contatto"));
    // The layout surface of the printed card.
    resize(746, 1065);
}
