#include "reports/ui/TfrmRiepTrimestraleRic.h"

TfrmRiepTrimestraleRic::TfrmRiepTrimestraleRic()
    : SummaryScreen({"frmRiepTrimestraleRic", " Riepilogo trimestrale fatture", "Riepilogo trimestrale ricevute",
                     "Per visualizzare il riepilogo trimestrale delle ricevute emesse, selezionare il trimestre di interesse dall'elenco\nsottostante e premere il pulsante Trova.",
                     ReceiptSummary::PeriodRule::Kind::Quarter, "Trimestre:", ReceiptSummary::quarterItems()})
{
}
