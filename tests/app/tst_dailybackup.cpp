// The copy of the archives the first start of each day makes before the login.
#include "app/Startup.h"
#include "platform/AppDir.h"
#include "storage/DailyBackup.h"
#include "storage/ReceiptRecord.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include "platform/FileSystem.h"
#include "storage/RegularFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <optional>

namespace {

// The files a backup takes, with their bytes, and some it leaves alone.
const QList<QPair<QString, QByteArray>> kCopied = {
    {"Clienti.pro", QByteArray(4809 * 2, 'c')},
    {"Materiali.pro", QByteArray(5170, 'm')},
    {"2023.ric", QByteArray(4952 * 3, '3')},
    {"2024.ric", QByteArray(4952, '4')},
    {"Impostazioni.ini", "[Dati Azienda]\r\nNome=Ditta Bianchi\r\n"},
    {"unins000.dll", "[Accesso]\r\nValore=1234ABCD\r\n"},
};
// Named like an archive, yet not one of the program's own.
const QStringList kLeftAlone = {"Logo.bmp", "Guida.pdf", "Clienti.xls", "note.txt", "x.ric", "20245.ric"};

void putFiles(const QString& folder)
{
    for (const auto& f : kCopied) {
        QFile file(QDir(folder).filePath(f.first));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(f.second), qint64(f.second.size()));
    }
    for (const QString& name : kLeftAlone) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    // An archive for its owner only: so must its copy be.
    QVERIFY(QFile::setPermissions(QDir(folder).filePath("2023.ric"), QFile::ReadOwner | QFile::WriteOwner));
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The backup of a day holds exactly the copied files, byte for byte, each
// with the permissions of its original.
void checkBackup(const QString& folder)
{
    QStringList names;
    for (const auto& f : kCopied)
        names << f.first;
    names.sort();
    QCOMPARE(entries(folder), names);
    for (const auto& f : kCopied) {
        QFile copy(QDir(folder).filePath(f.first));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), f.second);
        QCOMPARE(copy.permissions(), QFile(QDir(folder).filePath("../../" + f.first)).permissions());
    }
}

const char* outcomeName(DailyBackup::Outcome o)
{
    switch (o) {
    case DailyBackup::Outcome::Made:
        return "made";
    case DailyBackup::Outcome::AlreadyThere:
        return "already there";
    case DailyBackup::Outcome::Failed:
        return "failed";
    }
    return "?";
}

DailyBackup::Result backupToday()
{
    return DailyBackup::make(AppDir::path(), QDate(2024, 3, 5));
}

// A careless or hostile user of the folder: holds Clienti.pro locked until
// the backup's copy folder has the year files, then moves that folder away
// and puts a link to elsewhere under its name; with "taken", also makes a
// folder of its own under today's name. Then lets the lock go.
bool lockClients(const QString& folder)
{
    // Held open and locked until the process ends.
    const int fd = RegularFile::openForUpdate(folder + "/Clienti.pro");
    if (fd < 0 || FileSystem::lock(fd, FileSystem::LockKind::Exclusive, 0, 0, true) != FileSystem::Locked::Yes)
        return false;
    std::puts("locked");
    std::fflush(stdout);
    return true;
}

int swapAtTheLock(const QString& folder, const QString& elsewhere, bool taken)
{
    if (!lockClients(folder))
        return 3;
    QDir backup(folder + "/Backup");
    QString partial;
    for (QDeadlineTimer limit(20000); partial.isEmpty(); QThread::msleep(2)) {
        if (limit.hasExpired())
            return 4;
        for (const QString& name : backup.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (name.contains(".parziale-") && QFileInfo::exists(backup.filePath(name + "/2024.ric")))
                partial = name;
        }
    }
    if (!backup.rename(partial, "spostata") || !plantLink(elsewhere, backup.filePath(partial)))
        return 5;
    if (taken && !(backup.mkpath("2024-03-05") && QFile(backup.filePath("2024-03-05/suo.txt")).open(QIODevice::WriteOnly)))
        return 6;
    std::puts("swapped");
    return 0;
}

// A workstation starting: backup <folder>, on 05/03/2024; or the user above.
int workstation(const QStringList& args)
{
    if (args.size() == 4 && args[0] == QLatin1String("swap"))
        return swapAtTheLock(args[1], args[2], args[3] == QLatin1String("taken"));
    if (args.size() == 2 && args[0] == QLatin1String("hold")) {
        // A hung workstation: the lock is never let go.
        if (!lockClients(args[1]))
            return 3;
        // Until the test ends it.
        for (;;)
            QThread::sleep(60);
    }
    if (args.size() != 2 || args[0] != QLatin1String("backup"))
        return 2;
    waitForGo();
    const DailyBackup::Result r = DailyBackup::make(args[1], QDate(2024, 3, 5));
    std::puts(outcomeName(r.outcome));
    return 0;
}

} // namespace

class TestDailyBackup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartOfTheDayCopiesBeforeTheLogin();
    void busyPointerWhileCopying();
    void secondStartTheSameDayDoesNothing();
    void nextDayMakesAnother();
    void keepsTheFourteenMostRecent();
    void unfinishedCopies_data();
    void unfinishedCopies();
    void plantedInBackup_data();
    void plantedInBackup();
    void linksAmongTheArchives();
    void failureNeverStopsTheStart_data();
    void failureNeverStopsTheStart();
    void twoWorkstationsStartingTogetherMakeOne();
    void copyFolderSwappedAtTheLock_data();
    void copyFolderSwappedAtTheLock();
    void archivesOfNoSaneSize_data();
    void archivesOfNoSaneSize();
    void lockHeldBeyondTheWait();

private:
    QString backup(const QString& day) const { return dir->file("Backup/" + day); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
};

void TestDailyBackup::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestDailyBackup::init()
{
    screens->beginTest();
    dir = &screens->dir();
    putFiles(dir->path());
}

void TestDailyBackup::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    screens->endTest();
}

void TestDailyBackup::firstStartOfTheDayCopiesBeforeTheLogin()
{
    showLogin();
    QVERIFY(mainScreen()->isVisible());
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(entries(dir->file("Backup")), QStringList{"2024-03-05"});
    checkBackup(backup("2024-03-05"));
}

void TestDailyBackup::busyPointerWhileCopying()
{
    // Every byte of the copy passes a writer that looks at the pointer.
    int busyWhileWriting = -1;
    {
        DeviceWriterSwap watch([&](int fd, const char* data, qint64 size, qint64 offset) -> qint64 {
            busyWhileWriting = std::max(busyWhileWriting, fake->busyDepth);
            return FileSystem::writeAt(fd, data, size, offset);
        });
        showLogin();
    }
    QCOMPARE(busyWhileWriting, 1);
    QCOMPARE(fake->busyDepth, 0);   // the normal pointer is back for the login
    QVERIFY(mainScreen()->isVisible());
    checkBackup(backup("2024-03-05"));
}

void TestDailyBackup::secondStartTheSameDayDoesNothing()
{
    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);
    dir->writeAll("Clienti.pro", QByteArray(4809 * 3, 'n'));
    const DailyBackup::Result again = backupToday();
    QCOMPARE(again.outcome, DailyBackup::Outcome::AlreadyThere);
    QCOMPARE(again.folder, backup("2024-03-05"));
    // The morning's copy stays as it was made.
    QCOMPARE(entries(dir->file("Backup")), QStringList{"2024-03-05"});
    checkBackup(backup("2024-03-05"));
    showLogin();
    QVERIFY(fake->messages.isEmpty());
}

void TestDailyBackup::nextDayMakesAnother()
{
    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);
    fake->fixedToday = QDate(2024, 3, 6);
    showLogin();
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(entries(dir->file("Backup")), (QStringList{"2024-03-05", "2024-03-06"}));
    checkBackup(backup("2024-03-06"));
}

void TestDailyBackup::keepsTheFourteenMostRecent()
{
    // Fifteen earlier backups, across a change of month and year, and things
    // that are not backups: folders not named by a real date, a file named by one.
    QDir root(dir->path());
    QStringList earlier;
    for (int i = 1; i <= 15; ++i)
        earlier << QDate(2024, 3, 5).addDays(-i * 7).toString("yyyy-MM-dd");
    for (const QString& day : earlier) {
        QVERIFY(root.mkpath("Backup/" + day));
        dir->writeAll("Backup/" + day + "/Clienti.pro", "old");
    }
    const QStringList others = {"Backup/Vecchi", "Backup/2024-13-01", "Backup/2024-02-30", "Backup/2023-12-01 copia"};
    for (const QString& other : others) {
        QVERIFY(root.mkpath(other));
        dir->writeAll(other + "/Clienti.pro", "keep");
    }
    dir->writeAll("Backup/2023-01-01", "a file, not a backup");

    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);

    // Today's and the 13 most recent before it; the two oldest go.
    QStringList expected = earlier.mid(0, DailyBackup::kKept - 1);
    expected << "2024-03-05" << "Vecchi" << "2024-13-01" << "2024-02-30" << "2023-12-01 copia" << "2023-01-01";
    expected.sort();
    QCOMPARE(entries(dir->file("Backup")), expected);
    for (const QString& other : others)
        QCOMPARE(dir->readAll(other + "/Clienti.pro"), QByteArray("keep"));
    QCOMPARE(dir->readAll("Backup/2023-01-01"), QByteArray("a file, not a backup"));
    checkBackup(backup("2024-03-05"));
}

void TestDailyBackup::unfinishedCopies_data()
{
    QTest::addColumn<QString>("partial");
    QTest::addColumn<bool>("removed");
    // A start of an earlier day that stopped halfway: nobody is still writing it.
    QTest::newRow("of yesterday: removed") << "2024-03-04.parziale-AbC123" << true;
    // Maybe another workstation's copy in progress: left to it.
    QTest::newRow("of today: left alone") << "2024-03-05.parziale-XyZ789" << false;
}

void TestDailyBackup::unfinishedCopies()
{
    QFETCH(QString, partial);
    QFETCH(bool, removed);
    QVERIFY(QDir(dir->path()).mkpath("Backup/" + partial));
    dir->writeAll("Backup/" + partial + "/Clienti.pro", "half");

    // Never taken for today's backup: the copy is made all the same.
    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);
    checkBackup(backup("2024-03-05"));
    QCOMPARE(QFileInfo::exists(dir->file("Backup/" + partial)), !removed);
    QStringList expected{"2024-03-05"};
    if (!removed)
        expected << partial;
    QCOMPARE(entries(dir->file("Backup")), expected);
}

void TestDailyBackup::plantedInBackup_data()
{
    QTest::addColumn<QString>("link");      // to a folder elsewhere, under this name
    QTest::addColumn<QDate>("firstOther");  // the first of 14 backups a day apart
    const QDate earlier(2024, 2, 20);
    QTest::newRow("link named like an unfinished copy") << "2024-01-01.parziale-x" << earlier;
    QTest::newRow("link named like an old backup") << "2023-01-01" << earlier;
    QTest::newRow("link under today's name") << "2024-03-05" << earlier;
    // A workstation whose clock once said 2099.
    QTest::newRow("fourteen backups dated later") << QString() << QDate(2099, 1, 1);
}

void TestDailyBackup::plantedInBackup()
{
    QFETCH(QString, link);
    QFETCH(QDate, firstOther);
    QTemporaryDir elsewhere;
    QFile mine(elsewhere.filePath("mine.txt"));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4 && mine.flush());
    QStringList expected{"2024-03-05"};
    for (int i = 0; i < DailyBackup::kKept; ++i) {
        expected << firstOther.addDays(i).toString("yyyy-MM-dd");
        QVERIFY(QDir(dir->path()).mkpath("Backup/" + expected.last()));
    }
    if (!link.isEmpty())
        PLANT_LINK(elsewhere.path(), dir->file("Backup/" + link));

    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);

    checkBackup(backup("2024-03-05"));
    QCOMPARE(QFileInfo(mine.fileName()).size(), qint64(4));
    // The link gone, never followed; the oldest earlier backup made room for
    // today's, later ones count for nothing.
    expected.sort();
    if (firstOther < QDate(2024, 3, 5))
        expected.removeFirst();
    QCOMPARE(entries(dir->file("Backup")), expected);
}

void TestDailyBackup::linksAmongTheArchives()
{
    // A link to a FIFO, and one to somebody's private file elsewhere.
    QTemporaryDir elsewhere;
    PLANT_FIFO(elsewhere.filePath("fifo"));
    QFile secret(elsewhere.filePath("segreto"));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    PLANT_LINK(elsewhere.filePath("fifo"), dir->file("2025.ric"));
    PLANT_LINK(secret.fileName(), dir->file("2026.ric"));

    QCOMPARE(backupToday().outcome, DailyBackup::Outcome::Made);
    // Skipped, never followed: the backup holds the archives and nothing else.
    checkBackup(backup("2024-03-05"));
}

void TestDailyBackup::failureNeverStopsTheStart_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("Backup is a file") << "file";
    QTest::newRow("Backup is a link to a folder elsewhere") << "link";
    QTest::newRow("read-only folder") << "read-only";
    QTest::newRow("full file system") << "full";
}

void TestDailyBackup::failureNeverStopsTheStart()
{
    QFETCH(QString, failure);
    std::optional<SmallTmpfs> fs;
    std::optional<AppDirAt> here;
    QTemporaryDir elsewhere;
    QString folder = dir->path();
    if (failure != "file" && failure != "link") {
        fs.emplace(256);
        if (!fs->mounted())
            QSKIP(fs->skipReason().constData());
        folder = fs->path();
        here.emplace(folder);
        putFiles(folder);
    }
    if (failure == "file")
        dir->writeAll("Backup", "not a folder");
    else if (failure == "link")
        PLANT_LINK(elsewhere.path(), dir->file("Backup"));
    else if (failure == "read-only")
        QVERIFY(fs->makeReadOnly());
    else
        QVERIFY(fs->fill());

    const DailyBackup::Result r = backupToday();
    QCOMPARE(r.outcome, DailyBackup::Outcome::Failed);
    QVERIFY(!r.reason.isEmpty());
    showLogin();

    QVERIFY(mainScreen()->isVisible());
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text,
             QString::fromUtf8("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera degli archivi."));
    if (failure == "file") {
        QCOMPARE(dir->readAll("Backup"), QByteArray("not a folder"));
    } else {
        // No backup, and no half copy left behind (nor anything elsewhere).
        QCOMPARE(entries(QDir(folder).filePath("Backup")), QStringList());
    }
}

void TestDailyBackup::twoWorkstationsStartingTogetherMakeOne()
{
    // Archives big enough for the two copies to overlap.
    const QByteArray big(4809 * 4000, 'b');
    dir->writeAll("Clienti.pro", big);
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"backup", dir->path()}, {"backup", dir->path()}}, outputs, why), qPrintable(why));
    QStringList outcomes;
    for (const QString& o : outputs)
        outcomes << o.trimmed();
    outcomes.sort();
    QCOMPARE(outcomes, (QStringList{"already there", "made"}));
    QCOMPARE(entries(dir->file("Backup")), QStringList{"2024-03-05"});
    QCOMPARE(dir->readAll("Backup/2024-03-05/Clienti.pro"), big);
}

void TestDailyBackup::copyFolderSwappedAtTheLock_data()
{
    QTest::addColumn<bool>("taken");
    QTest::newRow("today's name free") << false;
    QTest::newRow("today's name taken meanwhile") << true;
}

void TestDailyBackup::copyFolderSwappedAtTheLock()
{
    // The other user plants a link in place of the copy folder.
    if (!SystemDoubles::noLinkReason().isEmpty())
        QSKIP(SystemDoubles::noLinkReason().constData());
    QFETCH(bool, taken);
    QTemporaryDir elsewhere;
    QVERIFY(QDir(elsewhere.path()).mkpath("sotto"));
    QFile mine(elsewhere.filePath("sotto/mine.txt"));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4 && mine.flush());
    QProcess user;
    user.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    user.start(QCoreApplication::applicationFilePath(),
               {"--workstation", "swap", dir->path(), elsewhere.path(), taken ? "taken" : "free"});
    QVERIFY(user.waitForReadyRead(20000));
    QCOMPARE(user.readLine().trimmed(), QByteArray("locked"));

    const DailyBackup::Result r = backupToday();

    QVERIFY(user.waitForFinished(20000));
    QCOMPARE(user.exitCode(), 0);
    QCOMPARE(user.readAll().trimmed(), QByteArray("swapped"));
    // Nothing written through the link, nothing emptied behind it.
    QCOMPARE(entries(elsewhere.path()), QStringList{"sotto"});
    QCOMPARE(entries(elsewhere.filePath("sotto")), QStringList{"mine.txt"});
    QCOMPARE(QFileInfo(mine.fileName()).size(), qint64(4));
    QVERIFY(r.outcome != DailyBackup::Outcome::Made);
    // The copies the backup had made are gone with it; the link it found
    // under the names it used is gone as a link.
    QCOMPARE(entries(dir->file("Backup/spostata")), QStringList());
    const QStringList left = taken ? QStringList{"2024-03-05", "spostata"} : QStringList{"spostata"};
    QCOMPARE(entries(dir->file("Backup")), left);
    if (taken)
        QCOMPARE(entries(dir->file("Backup/2024-03-05")), QStringList{"suo.txt"});
}

void TestDailyBackup::archivesOfNoSaneSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("copied");
    const qint64 record = TRecRicevuta::Size;
    QTest::newRow("a year file cut short") << "2025.ric" << record * 3 + 7 << false;
    QTest::newRow("a sparse year file of a terabyte") << "2025.ric" << (qint64(1) << 40) << false;
    QTest::newRow("whole records, more than any shop keeps") << "2025.ric" << record * 5000001 << false;
    QTest::newRow("settings of many megabytes") << "Impostazioni.ini" << qint64(5) * 1024 * 1024 << false;
    QTest::newRow("a sparse year file within bounds") << "2025.ric" << record * 100000 << true;
}

void TestDailyBackup::archivesOfNoSaneSize()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(bool, copied);
    // Holes only, then one record of bytes at the end.
    QFile file(dir->file(name));
    QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate) && file.resize(size));
    QVERIFY(file.seek(size - 1) && file.write("z") == 1 && file.flush());

    showLogin();

    const QString copy = backup("2024-03-05/" + name);
    QCOMPARE(QFileInfo::exists(copy), copied);
    if (copied) {
        QCOMPARE(QFileInfo(copy).size(), size);
        // Holes stay holes: the copy takes about the room the original takes.
        const qint64 original = SystemDoubles::bytesTaken(file.fileName());
        const qint64 taken = SystemDoubles::bytesTaken(copy);
        QVERIFY(original > 0 && taken > 0);
        QVERIFY2(taken <= original + 32768, qPrintable(QString("%1 %2").arg(taken).arg(original)));
        QVERIFY(fake->messages.isEmpty());
        return;
    }
    // The rest is copied, and the user is told which file was left out.
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, DailyBackup::refusedMessage({name}));
    QVERIFY(fake->messages[0].text.startsWith(QString::fromUtf8("Attenzione: i file seguenti non sono stati copiati")));
    QVERIFY(fake->messages[0].text.endsWith("\n\r\n\r" + name));
    if (name != "Impostazioni.ini")
        checkBackup(backup("2024-03-05"));
}

void TestDailyBackup::lockHeldBeyondTheWait()
{
    QProcess user;
    user.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    user.start(QCoreApplication::applicationFilePath(), {"--workstation", "hold", dir->path()});
    QVERIFY(user.waitForReadyRead(20000));
    QCOMPARE(user.readLine().trimmed(), QByteArray("locked"));

    showLogin();

    user.kill();
    user.waitForFinished(5000);
    QVERIFY(mainScreen()->isVisible());
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text,
             QString::fromUtf8("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera degli "
                               "archivi.\n\r\n\rIl file\n\r\n\r%1\n\r\n\rè bloccato da un'altra postazione.")
                 .arg(dir->file("Clienti.pro")));
    QCOMPARE(entries(dir->file("Backup")), QStringList());
}

QTEST_MAIN_WITH_WORKSTATIONS(TestDailyBackup, workstation)
#include "tst_dailybackup.moc"
