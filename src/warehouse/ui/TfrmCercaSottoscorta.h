#pragma once

#include "screens/ListScreen.h"
#include "storage/MaterialRecord.h"

#include <optional>

// The articles whose stock has fallen to their warning level, with what is
// needed to reorder them; a double click hands the chosen card back to the
// material card.
class TfrmCercaSottoscorta : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaSottoscorta();

    const std::optional<Chosen<TRecMateriale>>& chosen() const { return m_chosen; }

protected:
    bool collect(PackedLines& lines) override;
    void choose(const QString& line) override;

private:
    std::optional<Chosen<TRecMateriale>> m_chosen;
};
