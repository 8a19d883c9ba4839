#pragma once

#include "screens/ListScreen.h"
#include "storage/ReceiptRecord.h"

// What the receipt lists share: the year file open in the receipt editor,
// whose receipts a line leads back to, handed to the editor with their position.
class ReceiptListScreen : public RecordListScreen<TRecRicevuta>
{
public:
    // keep: the receipts listed; none: those the criteria find.
    explicit ReceiptListScreen(ListScreenSpec spec, ListSearch::RecordTest keep = nullptr);

    // The editor's year file, before each opening.
    void setYearFile(const QString& yearFile) { m_yearFile = yearFile; }

protected:
    const QString& yearFile() const { return m_yearFile; }

private:
    QString m_yearFile;
};
