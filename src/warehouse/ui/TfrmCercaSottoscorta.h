#pragma once

#include "screens/ListScreen.h"
#include "storage/MaterialRecord.h"

// The articles whose stock has fallen to their warning level, with what is
// needed to reorder them; a double click hands the chosen card back to the
// material card.
class TfrmCercaSottoscorta : public RecordListScreen<TRecMateriale>
{
    Q_OBJECT
public:
    TfrmCercaSottoscorta();
};
