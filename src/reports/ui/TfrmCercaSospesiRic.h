#pragma once

#include "platform/qt/ListScreen.h"
#include "storage/ReceiptRecord.h"

#include <optional>

// The receipts of the year open in the receipt editor not yet marked paid,
// listed as the screen opens; a double click hands the chosen receipt back
// to the editor, where it can be marked paid and saved.
class TfrmCercaSospesiRic : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaSospesiRic();

    // The editor's year file, before each opening.
    void setYearFile(const QString& yearFile);

    const std::optional<Chosen<TRecRicevuta>>& chosen() const { return m_chosen; }

protected:
    bool collect(QStringList& lines) override;
    void choose(const QString& line) override;

private:
    QString m_yearFile;
    std::optional<Chosen<TRecRicevuta>> m_chosen;
};
