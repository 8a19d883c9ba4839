// Times the daily backup that the first start of a day makes before the
// login, over the archives of a busy shop (100,000 client cards, 100,000
// material cards, a year of 50,000 receipts), beside a plain copy of the
// same files (1 MB reads and writes, each file synced) and their raw read,
// in one run. Usage: backup [cards] [receipts].
#include "BenchSupport.h"
#include "receipts/ReceiptArchive.h"
#include "storage/DailyBackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace bench;

namespace {

// Copies every file of from into to with 1 MB reads and writes, each copy
// synced: what a backup costs without any help from the file system.
double plainCopy(const QStringList& files, const QString& to)
{
    QElapsedTimer t;
    t.start();
    QDir().mkpath(to);
    std::vector<char> block(1 << 20);
    for (const QString& file : files) {
        const int in = ::open(QFile::encodeName(file).constData(), O_RDONLY);
        const int out = ::open(QFile::encodeName(QDir(to).filePath(QFileInfo(file).fileName())).constData(),
                               O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t n;
        while ((n = ::read(in, block.data(), block.size())) > 0) {
            if (::write(out, block.data(), size_t(n)) != n)
                break;
        }
        ::fsync(out);
        ::close(out);
        ::close(in);
    }
    return t.nsecsElapsed() / 1e9;
}

double rawReadAll(const QStringList& files)
{
    double s = 0;
    for (const QString& file : files)
        s += rawRead(file);
    return s;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int cards = argc > 1 ? atoi(argv[1]) : kCards;
    const int receipts = argc > 2 ? atoi(argv[2]) : kReceipts;
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QStringList files = {folder.filePath(QStringLiteral("Clienti.pro")),
                               folder.filePath(QStringLiteral("Materiali.pro")),
                               folder.filePath(QStringLiteral("2024.ric"))};
    writeClients(files[0], cards);
    writeMaterials(files[1], cards);
    writeReceipts(files[2], receipts);
    qint64 bytes = 0;
    for (const QString& file : files)
        bytes += QFile(file).size();

    double raw = 1e9, plain = 1e9;
    Figure backup{QStringLiteral("daily backup at the first start"),
                  QStringLiteral("%1 MB copied").arg(bytes / 1e6, 0, 'f', 0)};
    QDate day(2024, 3, 5);
    bool made = true;
    for (int round = 0; round < 3; ++round) {
        raw = std::min(raw, rawReadAll(files));
        const QString plainFolder = folder.filePath(QStringLiteral("plain"));
        plain = std::min(plain, plainCopy(files, plainFolder));
        QDir(plainFolder).removeRecursively();
        measure(backup, 1, [&](double&) {
            QElapsedTimer t;
            t.start();
            made = made && DailyBackup::make(folder.path(), day).outcome == DailyBackup::Outcome::Made;
            return t.nsecsElapsed() / 1e9;
        });
        // Each round a new day, and no day's copy kept: the disk holds one at a time.
        QDir(folder.filePath(QStringLiteral("Backup"))).removeRecursively();
        day = day.addDays(1);
    }
    // No time target: the copy is as fast as the disk takes the bytes.
    backup.baselineName = QStringLiteral("plain copy");
    backup.baseline = plain;
    std::printf("backup: %d client cards, %d material cards, %d receipts, %.0f MB; raw read %.3f s%s\n", cards,
                cards, receipts, bytes / 1e6, raw, made ? "" : " (A BACKUP FAILED)");
    print(backup);
    return 0;
}
