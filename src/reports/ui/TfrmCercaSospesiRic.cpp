#include "reports/ui/TfrmCercaSospesiRic.h"

#include "reports/ReceiptSearch.h"
#include "screens/ListServices.h"

namespace {

ListScreenSpec unpaidSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmCercaSospesiRic");
    spec.caption = QStringLiteral("Ricevute non ancora saldate");
    spec.scrollWidth = 1300;
    spec.instructions = findInListInstructions();
    spec.maroonInstruction = doubleClickInstruction();
    // A failing year file ends the list where it stopped, without a message.
    spec.reportsArchiveFailure = false;
    spec.report = [] { return plainListReport(QStringLiteral("Ricevute non ancora saldate"), 23); };
    return spec;
}

} // namespace

TfrmCercaSospesiRic::TfrmCercaSospesiRic() : ReceiptListScreen(unpaidSpec())
{
}

bool TfrmCercaSospesiRic::collect(PackedLines& lines)
{
    forgetChoice();
    return ReceiptSearch::unpaid(yearFile(), lines);
}
