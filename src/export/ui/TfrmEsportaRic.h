#pragma once

#include "export/ui/ExportWindow.h"

// Writes the receipts of a year as a spreadsheet.
class TfrmEsportaRic : public ExportWindow
{
    Q_OBJECT
public:
    TfrmEsportaRic();

    // The year of the receipt screen, before showing: names the caption and
    // the year file read. The written file keeps its one name whatever the year.
    void setYear(const QString& year);
};
