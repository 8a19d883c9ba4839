#pragma once

#include "screens/ListScreen.h"
#include "storage/MaterialRecord.h"

#include <optional>

class QLabel;

// Finds material cards by up to seven criteria at once and lists them; a
// double click hands the chosen card back to the screen that opened the
// search: the material card ("materiali") or the receipt editor ("ricevute").
class TfrmCercaMateriale : public ListScreen
{
    Q_OBJECT
public:
    TfrmCercaMateriale();

    void setCallerMark(const QString& mark);
    QString callerMark() const;

    // The card chosen with a double click, for the caller to show.
    const std::optional<Chosen<TRecMateriale>>& chosen() const { return m_chosen; }

protected:
    bool collect(PackedLines& lines) override;
    void choose(const QString& line) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lblMemory;
    std::optional<Chosen<TRecMateriale>> m_chosen;
};
