#pragma once

#include "storage/ListSearch.h"
#include "storage/ReceiptRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

// The unpaid list over a year file: which receipts it lists.
namespace ReceiptSearch {

// Only the exact mark "Sì" (trimmed) means paid: "Si", "sì", "No" and an
// empty mark all leave the receipt to be collected.
bool isPaid(const char* record);

} // namespace ReceiptSearch
