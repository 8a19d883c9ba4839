#include "platform/PrintJobs.h"

#include "platform/Platform.h"

namespace platform {

bool printDocument(const PrintJob& job)
{
    Platform& p = current();
    std::unique_ptr<PrintCanvas> canvas = job.units == CanvasUnits::TenthsOfMillimetre
                                              ? p.beginMetricDocument(job.name, job.orientation)
                                              : p.beginPixelDocument(job.name, job.orientation);
    if (!canvas)
        return false;
    BusyCursor busy;
    job.compose(*canvas);
    return canvas->end();
}

bool printCopies(int copies, const PrintJob& job)
{
    for (int copy = 0; copy < copies; ++copy) {
        if (!printDocument(job))
            return false;
    }
    return true;
}

} // namespace platform
