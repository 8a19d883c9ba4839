#pragma once

#include "export/ui/ExportWindow.h"

// Writes the client archive as a spreadsheet.
class TfrmEsportaCli : public ExportWindow
{
    Q_OBJECT
public:
    TfrmEsportaCli();
};
