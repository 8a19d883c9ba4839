#include "clients/TfrmCercaCliente.h"

TfrmCercaCliente::TfrmCercaCliente()
    : DialogScreen(QStringLiteral("frmCercaCliente"), QStringLiteral(" Ricerca clienti in archivio"), QSize(640, 480))
{
}
