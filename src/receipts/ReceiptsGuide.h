#pragma once

#include <QString>

// The guide topic of the receipt work area.
QString receiptsGuideTitle();   // "Gestione delle ricevute"
QString receiptsGuideText();
