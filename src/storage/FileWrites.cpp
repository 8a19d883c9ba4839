#include "storage/FileWrites.h"

#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace FileWrites {
namespace {

qint64 systemWrite(int fd, const char* data, qint64 size, qint64 offset)
{
    ssize_t n;
    do {
        n = ::pwrite(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

Writer& writer()
{
    static Writer w = systemWrite;
    return w;
}

} // namespace

qint64 writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    return writer()(fd, data, size, offset);
}

Writer setWriter(Writer w)
{
    Writer previous = std::move(writer());
    writer() = w ? std::move(w) : Writer(systemWrite);
    return previous;
}

bool replaceFile(const QString& path, const QByteArray& data)
{
    // The bytes go straight to the temporary file's descriptor: a write the
    // disk refuses fails at the write itself, not later in a flush whose
    // failure commit() would not tell. No direct-write fallback either:
    // writing over the old file in place is exactly what a failure must
    // never leave behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const int fd = file.handle();
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = writeAt(fd, data.constData() + done, data.size() - done, done);
        if (n <= 0) {
            file.cancelWriting();
            return false;
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace FileWrites
