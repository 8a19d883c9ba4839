// The copy of the archives the first start of each day makes before the login.
#include "app/Startup.h"
#include "storage/DailyBackup.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <unistd.h>
#include <optional>

namespace {

// The files a backup takes, with their bytes, and some it leaves alone.
const QList<QPair<QString, QByteArray>> kCopied = {
    {"Clienti.pro", QByteArray(4809 * 2, 'c')},
    {"Materiali.pro", QByteArray(5170, 'm')},
    {"2023.ric", QByteArray(4952 * 3, '3')},
    {"2024.ric", QByteArray(4952, '4') + "tail"},
    {"Impostazioni.ini", "[Dati Azienda]\r\nNome=Ditta Bianchi\r\n"},
    {"unins000.dll", "[Accesso]\r\nValore=1234ABCD\r\n"},
};
const QStringList kLeftAlone = {"Logo.bmp", "Guida.pdf", "Clienti.xls", "note.txt"};

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

// A workstation starting: backup <folder>, on 05/03/2024.
int workstation(const QStringList& args)
{
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
            return ::pwrite(fd, data, size_t(size), off_t(offset));
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
    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);
    dir->writeAll("Clienti.pro", QByteArray(4809 * 3, 'n'));
    const DailyBackup::Result again = DailyBackup::makeToday();
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
    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);
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

    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);

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
    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);
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
        QVERIFY(QFile::link(elsewhere.path(), dir->file("Backup/" + link)));

    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);

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
    QVERIFY(makeFifo(elsewhere.filePath("fifo")));
    QFile secret(elsewhere.filePath("segreto"));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(elsewhere.filePath("fifo"), dir->file("2025.ric")));
    QVERIFY(QFile::link(secret.fileName(), dir->file("2026.ric")));

    QCOMPARE(DailyBackup::makeToday().outcome, DailyBackup::Outcome::Made);
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
        QVERIFY(QFile::link(elsewhere.path(), dir->file("Backup")));
    else if (failure == "read-only")
        QVERIFY(fs->makeReadOnly());
    else
        QVERIFY(fs->fill());

    const DailyBackup::Result r = DailyBackup::makeToday();
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

QTEST_MAIN_WITH_WORKSTATIONS(TestDailyBackup, workstation)
#include "tst_dailybackup.moc"
