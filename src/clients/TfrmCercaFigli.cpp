#include "clients/TfrmCercaFigli.h"

TfrmCercaFigli::TfrmCercaFigli()
    : DialogScreen(QStringLiteral("frmCercaFigli"), QStringLiteral(" Clienti che acconsentono a ricevere pubblicità"), QSize(640, 480))
{
}
