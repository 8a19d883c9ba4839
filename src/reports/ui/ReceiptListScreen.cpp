#include "reports/ui/ReceiptListScreen.h"

#include "reports/ReceiptSearch.h"

void ReceiptListScreen::choose(const QString& line)
{
    // A line that no longer leads to a receipt loads nothing.
    Chosen<TRecRicevuta> found{};
    if (ReceiptSearch::findByLine(m_yearFile, line, found.record, found.position))
        m_chosen = found;
}
