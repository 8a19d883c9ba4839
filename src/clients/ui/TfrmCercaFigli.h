#pragma once

#include "screens/ListScreen.h"
#include "storage/ClientRecord.h"

// The clients who accept advertising, with their telephones and e-mail; a
// double click hands the chosen client back to the client card.
class TfrmCercaFigli : public RecordListScreen<TRecCliente>
{
    Q_OBJECT
public:
    TfrmCercaFigli();
};
