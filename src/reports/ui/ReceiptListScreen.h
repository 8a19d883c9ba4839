#pragma once

#include "screens/ListScreen.h"
#include "storage/ReceiptRecord.h"

#include <optional>

// What the receipt lists share: the year file open in the receipt editor,
// and the receipt a double-clicked line leads back to, handed to the editor
// with its position.
class ReceiptListScreen : public ListScreen
{
public:
    using ListScreen::ListScreen;

    // The editor's year file, before each opening.
    void setYearFile(const QString& yearFile) { m_yearFile = yearFile; }

    const std::optional<Chosen<TRecRicevuta>>& chosen() const { return m_chosen; }

protected:
    const QString& yearFile() const { return m_yearFile; }
    // A new list: the choice of the last one is gone.
    void forgetChoice() { m_chosen.reset(); }
    void choose(const QString& line) override;

private:
    QString m_yearFile;
    std::optional<Chosen<TRecRicevuta>> m_chosen;
};
