#pragma once

#include <QString>

// The guide topic of the client work area.
QString ClientsGuideTitle();   // "Gestione dell'archivio clienti"
QString ClientsGuideText();
