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
    Replacement file(path);
    return file.write(data) && file.commit();
}

// The bytes go straight to the temporary file's descriptor: a write the
// disk refuses fails at the write itself, not later in a flush whose
// failure commit() would not tell. No direct-write fallback either: writing
// over the old file in place is exactly what a failure must never leave
// behind.
Replacement::Replacement(const QString& path) : m_file(std::make_unique<QSaveFile>(path))
{
    m_ok = m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

Replacement::~Replacement()
{
    if (m_file->isOpen())
        m_file->cancelWriting();   // QSaveFile then removes the temporary file
}

bool Replacement::write(const char* data, qint64 size)
{
    if (!m_ok)
        return false;
    const int fd = m_file->handle();
    for (qint64 done = 0; done < size;) {
        const qint64 n = writeAt(fd, data + done, size - done, m_written);
        if (n <= 0) {
            m_ok = false;
            m_file->cancelWriting();
            return false;
        }
        done += n;
        m_written += n;
    }
    return true;
}

bool Replacement::commit()
{
    if (!m_ok)
        return false;
    m_ok = false;   // one commit per replacement
    if (::fsync(m_file->handle()) != 0) {
        m_file->cancelWriting();
        return false;
    }
    return m_file->commit();
}

} // namespace FileWrites
