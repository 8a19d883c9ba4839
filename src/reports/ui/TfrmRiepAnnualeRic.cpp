#include "reports/ui/TfrmRiepAnnualeRic.h"

TfrmRiepAnnualeRic::TfrmRiepAnnualeRic()
    : SummaryScreen({"frmRiepAnnualeRic", " Riepilogo annuale ricevute", "Riepilogo annuale ricevute",
                     "Per visualizzare il riepilogo annuale delle ricevute emesse, indicare l'anno di interesse nella casella sottostante\ne premere il pulsante Trova.",
                     ReceiptSummary::PeriodRule::Kind::Year, nullptr, {}})
{
}
