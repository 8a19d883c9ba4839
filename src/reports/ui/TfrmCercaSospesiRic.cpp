#include "reports/ui/TfrmCercaSospesiRic.h"

#include "reports/ReceiptSearch.h"
#include "screens/ListServices.h"

namespace {

ListScreenSpec unpaidSpec()
{
    ListScreenSpec spec = ListScreenSpec::quietList("frmCercaSospesiRic", "Ricevute non ancora saldate",
                                                    "Ricevute non ancora saldate", 23);
    spec.scrollWidth = 1300;
    spec.instructions = findInListInstructions();
    spec.maroonInstruction = doubleClickInstruction();
    return spec;
}

} // namespace

TfrmCercaSospesiRic::TfrmCercaSospesiRic()
    : ReceiptListScreen(unpaidSpec(), [](const char* record) { return !ReceiptSearch::isPaid(record); })
{
}
