#include "reports/ui/ReceiptListScreen.h"

#include "receipts/ReceiptArchive.h"

ReceiptListScreen::ReceiptListScreen(ListScreenSpec spec, ListSearch::RecordTest keep)
    : RecordListScreen(std::move(spec), {[this] { return ReceiptArchive::yearFile(m_yearFile); },
                                         ReceiptArchive::composeListLine, std::move(keep)})
{
}
