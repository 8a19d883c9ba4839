#pragma once

#include "screens/ListScreen.h"
#include "storage/MaterialRecord.h"

// Finds material cards by up to seven criteria at once and lists them; a
// double click hands the chosen card back to the screen that opened the
// search, named by its mark: the material card ("materiali") or the receipt
// editor ("ricevute").
class TfrmCercaMateriale : public RecordListScreen<TRecMateriale>
{
    Q_OBJECT
public:
    TfrmCercaMateriale();
};
