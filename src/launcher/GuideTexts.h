#pragma once

#include <QString>

// The texts of the guide window, one per topic; paragraphs are separated by
// an empty line (CR LF twice).
QString launcherGuideTitle();   // "Uno sguardo a Ventoria"
QString launcherGuideText();
