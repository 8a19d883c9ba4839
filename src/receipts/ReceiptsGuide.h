#pragma once

#include <QString>

// The guide topic of the receipt work area.
QString ReceiptsGuideTitle();   // "Gestione delle ricevute"
QString ReceiptsGuideText();
