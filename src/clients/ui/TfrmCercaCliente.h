#pragma once

#include "screens/ListScreen.h"
#include "storage/ClientRecord.h"

#include <optional>

class QLineEdit;

// Finds clients by up to seven criteria at once and lists them; a double
// click hands the chosen client back to the screen that opened the search:
// the client card ("clienti") or the receipt editor ("ricevute").
class TfrmCercaCliente : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaCliente();

    void setCallerMark(const QString& mark);
    QString callerMark() const;

    // The client chosen with a double click, for the caller to show.
    using ChosenClient = Chosen<TRecCliente>;
    const std::optional<ChosenClient>& chosen() const { return m_chosen; }

protected:
    bool collect(PackedLines& lines) override;
    void choose(const QString& line) override;

private:
    QLineEdit* m_callerMark;
    std::optional<ChosenClient> m_chosen;
};
