#pragma once

// What the benchmarks share: the raw read every figure is compared with, and
// the peak memory of the run.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <sys/resource.h>

// Seconds to read the whole file in 1 MB chunks.
inline double rawRead(const QString& path)
{
    QElapsedTimer t;
    t.start();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (f.read(block.data(), block.size()) > 0) {
    }
    return t.nsecsElapsed() / 1e9;
}

// Peak resident memory of the process so far, in MB.
inline double peakMB()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
