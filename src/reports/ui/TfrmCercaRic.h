#pragma once

#include "platform/qt/ListScreen.h"
#include "storage/ReceiptRecord.h"

#include <optional>

// Finds the receipts of the year open in the receipt editor by up to eight
// criteria at once; a double click hands the chosen receipt back to the
// editor, which shows it with its position.
class TfrmCercaRic : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaRic();

    // The editor's year file and the year typed there, before each opening.
    void setYear(const QString& yearFile, const QString& year);

    const std::optional<Chosen<TRecRicevuta>>& chosen() const { return m_chosen; }

protected:
    bool collect(QStringList& lines) override;
    void choose(const QString& line) override;

private:
    QString m_yearFile;
    QString m_year;
    std::optional<Chosen<TRecRicevuta>> m_chosen;
};
