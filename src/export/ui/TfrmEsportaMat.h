#pragma once

#include "export/ui/ExportWindow.h"

// Writes the warehouse as a spreadsheet.
class TfrmEsportaMat : public ExportWindow
{
    Q_OBJECT
public:
    TfrmEsportaMat();
};
