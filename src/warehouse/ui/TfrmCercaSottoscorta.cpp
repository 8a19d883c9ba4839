#include "warehouse/ui/TfrmCercaSottoscorta.h"

#include "warehouse/MaterialCard.h"

// A card whose stock or warning level cannot be read is left out; the
// others are still listed.
TfrmCercaSottoscorta::TfrmCercaSottoscorta()
    : RecordListScreen(
          ListScreenSpec::quietList("frmCercaSottoscorta", " Materiali in esaurimento", "Materiali in esaurimento", 21),
          {MaterialCard::archive, MaterialCard::composeUnderStockLine, MaterialCard::underStock})
{
}
