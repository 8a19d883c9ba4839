#pragma once

#include "platform/PrintCanvas.h"

#include <QString>

#include <functional>

namespace platform {

enum class CanvasUnits { PrinterPixels, TenthsOfMillimetre };

// One document as every print flow sends it: started on the printer chosen
// last, composed under the busy pointer, ended.
struct PrintJob
{
    QString name;
    PageOrientation orientation = PageOrientation::Portrait;
    CanvasUnits units = CanvasUnits::PrinterPixels;
    std::function<void(PrintCanvas&)> compose;
};

// Sends the job once; false when the printer could not start or finish it.
bool printDocument(const PrintJob& job);
// Sends the job copies times, each copy a job of its own (the printer's own
// copy count is never used). Stops at the first copy the printer refuses,
// so a failing printer is not sent the rest; false then. Shows nothing.
// When the printer writes a file, the copies are one document instead.
bool printCopies(int copies, const PrintJob& job);

} // namespace platform
