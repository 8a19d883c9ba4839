#include "warehouse/ui/TfrmImpMateriali.h"

TfrmImpMateriali::TfrmImpMateriali()
    : DialogScreen(QStringLiteral("frmImpMateriali"), QStringLiteral(" Importa materiali da magazzino"), QSize(640, 480))
{
}

void TfrmImpMateriali::setLine(int line, const QString& quantity)
{
    Q_UNUSED(quantity);
    m_line = line;
}

int TfrmImpMateriali::line() const
{
    return m_line;
}
