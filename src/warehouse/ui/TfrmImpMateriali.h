#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/MaterialRecord.h"

#include <optional>

// Imports an article of the warehouse into a receipt line.
class TfrmImpMateriali : public DialogScreen
{
    Q_OBJECT
public:
    TfrmImpMateriali();

    // The receipt line (1 to 20) the import is for, and its quantity as the
    // editor holds it.
    void setLine(int line, const QString& quantity);
    int line() const;

    // The article whose code, description and price fill the receipt line;
    // empty when the import was refused or cancelled.
    const std::optional<TRecMateriale>& imported() const { return m_imported; }

private:
    int m_line = 0;
    std::optional<TRecMateriale> m_imported;
};
