#include "clients/ui/TfrmCercaFigli.h"

#include "clients/ClientCard.h"

TfrmCercaFigli::TfrmCercaFigli()
    : RecordListScreen(ListScreenSpec::quietList("frmCercaFigli", " Clienti che acconsentono a ricevere pubblicità",
                                                 "Clienti che acconsentono a ricevere pubblicità", 24),
                       {ClientCard::archive, ClientCard::composeConsentLine, ClientCard::consents})
{
}
