#pragma once

#include "screens/ListScreen.h"
#include "storage/ClientRecord.h"

#include <optional>

// The clients who accept advertising, with their telephones and e-mail; a
// double click hands the chosen client back to the client card.
class TfrmCercaFigli : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaFigli();

    const std::optional<Chosen<TRecCliente>>& chosen() const { return m_chosen; }

protected:
    bool collect(PackedLines& lines) override;
    void choose(const QString& line) override;

private:
    std::optional<Chosen<TRecCliente>> m_chosen;
};
