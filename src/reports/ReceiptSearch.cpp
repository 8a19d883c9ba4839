#include "reports/ReceiptSearch.h"

#include "receipts/ReceiptArchive.h"
#include "storage/ArchiveFile.h"
#include "storage/TextRules.h"

namespace ReceiptSearch {

bool isPaid(const char* record)
{
    return TextRules::trim(loadField(record, TRecRicevuta::posSaldato)) == ReceiptArchive::paidMark(true);
}

} // namespace ReceiptSearch
