#include "reports/ui/ReceiptListScreen.h"

#include "receipts/ReceiptArchive.h"
#include "storage/ArchiveFile.h"

void ReceiptListScreen::choose(const QString& line)
{
    // A line that no longer leads to a receipt loads nothing.
    Chosen<TRecRicevuta> found{};
    ArchiveFile file = ReceiptArchive::yearFile(m_yearFile);
    if (ReceiptArchive::findByListLine(file, line, found.record, found.position))
        m_chosen = found;
}
