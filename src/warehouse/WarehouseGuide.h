#pragma once

#include <QString>

// The guide topic of the warehouse work area.
QString warehouseGuideTitle();   // "Gestione del magazzino dei materiali"
QString warehouseGuideText();

// The guide topic of the price list.
QString priceListGuideTitle();   // "Creazione listino prezzi"
QString priceListGuideText();
