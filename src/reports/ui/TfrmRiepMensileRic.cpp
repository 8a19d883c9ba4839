#include "reports/ui/TfrmRiepMensileRic.h"

TfrmRiepMensileRic::TfrmRiepMensileRic()
    : SummaryScreen({"frmRiepMensileRic", " Riepilogo mensile ricevute", "Riepilogo mensile ricevute",
                     "Per visualizzare il riepilogo mensile delle ricevute emesse, selezionare il mese di interesse dall'elenco sottostante\ne premere il pulsante Trova.",
                     ReceiptSummary::PeriodRule::Kind::Month, "Mese:", ReceiptSummary::monthItems(), true})
{
}
