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
    if (current().printerWritesFile()) {
        // Each document would replace the file the last one wrote: the
        // copies go into one document, each beginning a page of its own.
        if (copies < 1)
            return true;
        PrintJob together = job;
        together.compose = [&job, copies](PrintCanvas& canvas) {
            for (int copy = 0; copy < copies; ++copy) {
                if (copy > 0)
                    canvas.newPage();
                job.compose(canvas);
            }
        };
        return printDocument(together);
    }
    for (int copy = 0; copy < copies; ++copy) {
        if (!printDocument(job))
            return false;
    }
    return true;
}

} // namespace platform
