// A second workstation on the same archive, as a separate process.
// Usage:
//   archive_appender append <file> <tag> <count>
//     appends count client records named <tag>-0, <tag>-1, ... as fast as it can;
//   archive_appender update <file> <records> <milliseconds>
//     rewrites records 1..records over and over until the time is up, each one
//     filled with a single byte that changes at every round, so that a reader
//     can tell a whole record from one torn between two rounds. Prints "ready"
//     after the first round and the number of rounds at the end.
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdio>

namespace {

int append(const QString& file, const QString& tag, int count)
{
    ArchiveFile archive(file, TRecCliente::Size);
    for (int i = 0; i < count; ++i) {
        TRecCliente c;
        c.Nominativo = QStringLiteral("%1-%2").arg(tag).arg(i);
        qint64 position = 0;
        if (!archive.append(c.encode(), position))
            return 1;
    }
    return 0;
}

int update(const QString& file, int records, int milliseconds)
{
    ArchiveFile archive(file, TRecCliente::Size);
    const QDeadlineTimer deadline(milliseconds);
    qint64 rounds = 0;
    do {
        const QByteArray record(TRecCliente::Size, static_cast<char>('A' + rounds % 26));
        for (int position = 1; position <= records; ++position) {
            if (!archive.update(position, record))
                return 1;
        }
        if (++rounds == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    } while (!deadline.hasExpired());
    std::printf("%lld\n", static_cast<long long>(rounds));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("append"))
        return append(args[2], args[3], args[4].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("update"))
        return update(args[2], args[3].toInt(), args[4].toInt());
    return 2;
}
