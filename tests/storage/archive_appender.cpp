// Appends records to an archive as fast as it can, as a second workstation would.
// Usage: archive_appender <file> <tag> <count>
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    ArchiveFile archive(QString::fromLocal8Bit(argv[1]), TRecCliente::Size);
    const QString tag = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();
    for (int i = 0; i < count; ++i) {
        TRecCliente c;
        c.Nominativo = QStringLiteral("%1-%2").arg(tag).arg(i);
        qint64 position = 0;
        if (!archive.append(c.encode(), position))
            return 1;
    }
    return 0;
}
