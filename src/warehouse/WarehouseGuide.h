#pragma once

#include <QString>

// The guide topic of the warehouse work area.
QString WarehouseGuideTitle();   // "Gestione del magazzino dei materiali"
QString WarehouseGuideText();
