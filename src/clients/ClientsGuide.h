#pragma once

#include <QString>

// The guide topic of the client work area.
QString clientsGuideTitle();   // "Gestione dell'archivio clienti"
QString clientsGuideText();
