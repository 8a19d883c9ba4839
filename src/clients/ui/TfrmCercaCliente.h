#pragma once

#include "screens/ListScreen.h"
#include "storage/ClientRecord.h"

// Finds clients by up to seven criteria at once and lists them; a double
// click hands the chosen client back to the screen that opened the search,
// named by its mark: the client card ("clienti") or the receipt editor
// ("ricevute").
class TfrmCercaCliente : public RecordListScreen<TRecCliente>
{
    Q_OBJECT
public:
    TfrmCercaCliente();
};
