#include "storage/ArchiveFile.h"
#include "storage/Browse.h"
#include "storage/ClientRecord.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "TestSupport.h"
#include "platform/AppDir.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QDateTime>
#include <QSet>
#include <QThread>
#include <QtTest>

namespace {

QByteArray clientNamed(const QString& name)
{
    return sampleBytes<TRecCliente>({{&TRecCliente::Nominativo, name}});
}

QString nameIn(const QByteArray& record)
{
    return TRecCliente::decode(record).Nominativo;
}

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void countCreatesMissingFile();
    void appendUpdateRead();
    void tailFragmentInvisibleAndOverwritten();
    void scanVisitsInOrderAndStops();
    void nothingButAFileIsAnArchive_data();
    void nothingButAFileIsAnArchive();
    void readOnlyFileNeverReplaced();
    void updateBeyondCountWritesNothing();
    void readPastEndFails();
    void browseEmptyArchive_data();
    void browseEmptyArchive();
    void browseTable_data();
    void browseTable();
    void browseBeyondShrunkArchiveFails();
    void twoWorkstationsAppendingAtOnce();
    void readsDuringUpdatesNeverTorn();
    void indexedAppendSeesEveryChange();

private:
    std::unique_ptr<TempAppDir> dir;
    std::unique_ptr<FakePlatform> fake;
    ArchiveFile archive() { return ArchiveFile(AppDir::filePath("Clienti.pro"), TRecCliente::Size); }
    void fill(int n)
    {
        ArchiveFile a = archive();
        for (int i = 1; i <= n; ++i) {
            qint64 pos = 0;
            QVERIFY(a.append(clientNamed(QString("C%1").arg(i)), pos));
            QCOMPARE(pos, qint64(i));
        }
    }
};

void TestArchive::init()
{
    dir = std::make_unique<TempAppDir>();
    fake = std::make_unique<FakePlatform>();
}

void TestArchive::cleanup()
{
    fake.reset();
    dir.reset();
}

void TestArchive::countCreatesMissingFile()
{
    ArchiveFile a = archive();
    qint64 n = -1;
    QVERIFY(!QFile::exists(dir->file("Clienti.pro")));
    QVERIFY(a.count(n));
    QCOMPARE(n, qint64(0));
    QVERIFY(QFile::exists(dir->file("Clienti.pro")));
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).size(), qint64(0));
    QVERIFY(fake->messages.isEmpty());
}

void TestArchive::appendUpdateRead()
{
    fill(3);
    ArchiveFile a = archive();
    QVERIFY(a.update(2, clientNamed("Secondo aggiornato")));
    QByteArray rec;
    QVERIFY(a.read(1, rec));
    QCOMPARE(nameIn(rec), QString("Secondo aggiornato"));
    QVERIFY(a.read(2, rec));
    QCOMPARE(nameIn(rec), QString("C3"));
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).size(), qint64(3 * 4809));
    // Record i at byte i × size.
    const QByteArray raw = dir->readAll("Clienti.pro");
    QCOMPARE(raw.mid(2 * 4809, 3), QByteArray("\x02" "C3"));
    QVERIFY(fake->messages.isEmpty());
}

void TestArchive::tailFragmentInvisibleAndOverwritten()
{
    fill(2);
    QFile f(dir->file("Clienti.pro"));
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(1000, 'Z'));
    f.close();

    ArchiveFile a = archive();
    qint64 n = 0;
    QVERIFY(a.count(n));
    QCOMPARE(n, qint64(2));
    int visited = 0;
    QVERIFY(a.scan([&](qint64, const char*) { ++visited; return true; }));
    QCOMPARE(visited, 2);

    qint64 pos = 0;
    QVERIFY(a.append(clientNamed("Terzo"), pos));
    QCOMPARE(pos, qint64(3));
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).size(), qint64(3 * 4809));
    QByteArray rec;
    QVERIFY(a.read(2, rec));
    QCOMPARE(nameIn(rec), QString("Terzo"));
}

void TestArchive::scanVisitsInOrderAndStops()
{
    // More records than one read block holds.
    fill(450);
    ArchiveFile a = archive();
    QStringList names;
    QVERIFY(a.scan([&](qint64 index, const char* rec) {
        names.append(loadField(rec, TRecCliente::posNominativo));
        return index < 299;
    }));
    QCOMPARE(names.size(), 300);
    QCOMPARE(names.first(), QString("C1"));
    QCOMPARE(names.last(), QString("C300"));
}

void TestArchive::nothingButAFileIsAnArchive_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link to a file elsewhere") << "file";
    QTest::newRow("a link to a FIFO") << "fifo";
}

void TestArchive::nothingButAFileIsAnArchive()
{
    QFETCH(QString, what);
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(what);
    if (what == "fifo")
        NEED_FIFOS();
    if (what == "folder")
        dir->putFolderInPlaceOf("Clienti.pro");
    else
        QVERIFY(what == "fifo" ? makeFifo(target) : QFile(target).open(QIODevice::WriteOnly));
    if (what != "folder")
        PLANT_LINK(target, dir->file("Clienti.pro"));
    ArchiveFile a = archive();
    qint64 n = 0, pos = 0;
    QByteArray rec;
    QVERIFY(!a.count(n));
    QVERIFY(!a.append(clientNamed("X"), pos));
    QVERIFY(!a.scan([](qint64, const char*) { return true; }));
    // The archive only answers; telling the user is the screen's part.
    QVERIFY(fake->messages.isEmpty());
    // Whatever stood there still does, and nothing went through a link.
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).isSymLink(), what != "folder");
    QCOMPARE(QFileInfo(target).size(), qint64(0));
}

void TestArchive::readOnlyFileNeverReplaced()
{
    fill(2);
    const QByteArray before = dir->readAll("Clienti.pro");
    if (!dir->makeReadOnly("Clienti.pro"))
        QSKIP("file permissions are not enforced for this user");
    ArchiveFile a = archive();
    qint64 n = 0, pos = 0;
    QVERIFY(!a.count(n));
    QVERIFY(!a.append(clientNamed("X"), pos));
    QCOMPARE(dir->readAll("Clienti.pro"), before);
    QVERIFY(fake->messages.isEmpty());
}

void TestArchive::updateBeyondCountWritesNothing()
{
    fill(2);
    ArchiveFile a = archive();
    QVERIFY(!a.update(3, clientNamed("Oltre")));
    QVERIFY(!a.update(0, clientNamed("Zero")));
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).size(), qint64(2 * 4809));
}

void TestArchive::readPastEndFails()
{
    fill(1);
    ArchiveFile a = archive();
    QByteArray rec = "unchanged";
    QVERIFY(!a.read(1, rec));
    QCOMPARE(rec, QByteArray("unchanged"));
}

void TestArchive::browseEmptyArchive_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<qint64>("current");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("clearPosition");
    const int empty = int(BrowseResult::Outcome::EmptyArchive);
    QTest::newRow("first, new card") << int(BrowseCommand::First) << qint64(0) << empty << false;
    QTest::newRow("first, card 3") << int(BrowseCommand::First) << qint64(3) << empty << false;
    // Previous on the first card does nothing, not even the box.
    QTest::newRow("previous, card 1") << int(BrowseCommand::Previous) << qint64(1)
                                      << int(BrowseResult::Outcome::Nothing) << false;
    QTest::newRow("previous, card 3") << int(BrowseCommand::Previous) << qint64(3) << empty << false;
    // Next from a card that no longer exists shows a new card, with the box.
    QTest::newRow("next, card 4") << int(BrowseCommand::Next) << qint64(4) << empty << true;
    QTest::newRow("next, new card") << int(BrowseCommand::Next) << qint64(0) << empty << false;
    QTest::newRow("last, card 3") << int(BrowseCommand::Last) << qint64(3) << empty << false;
}

void TestArchive::browseEmptyArchive()
{
    QFETCH(int, command);
    QFETCH(qint64, current);
    QFETCH(int, outcome);
    QFETCH(bool, clearPosition);
    ArchiveFile a = archive();
    const BrowseResult r = browseArchive(a, BrowseCommand(command), current);
    QCOMPARE(int(r.outcome), outcome);
    QCOMPARE(r.clearPosition, clearPosition);
    QVERIFY(r.record.isEmpty());
    // Previous on the first card does not even open (create) the archive.
    QCOMPARE(QFile::exists(dir->file("Clienti.pro")), outcome == int(BrowseResult::Outcome::EmptyArchive));
    QVERIFY(fake->messages.isEmpty());
}

void TestArchive::browseTable_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<qint64>("current");
    QTest::addColumn<qint64>("position");   // 0: nothing read
    QTest::addColumn<QString>("name");
    QTest::newRow("first, new") << int(BrowseCommand::First) << qint64(0) << qint64(1) << "C1";
    QTest::newRow("first, 3") << int(BrowseCommand::First) << qint64(3) << qint64(1) << "C1";
    QTest::newRow("previous, 1") << int(BrowseCommand::Previous) << qint64(1) << qint64(0) << "";
    QTest::newRow("previous, new") << int(BrowseCommand::Previous) << qint64(0) << qint64(1) << "C1";
    QTest::newRow("previous, 2") << int(BrowseCommand::Previous) << qint64(2) << qint64(1) << "C1";
    QTest::newRow("previous, 3") << int(BrowseCommand::Previous) << qint64(3) << qint64(2) << "C2";
    QTest::newRow("next, new") << int(BrowseCommand::Next) << qint64(0) << qint64(1) << "C1";
    QTest::newRow("next, 1") << int(BrowseCommand::Next) << qint64(1) << qint64(2) << "C2";
    QTest::newRow("next, 3") << int(BrowseCommand::Next) << qint64(3) << qint64(0) << "";
    QTest::newRow("last, new") << int(BrowseCommand::Last) << qint64(0) << qint64(3) << "C3";
    QTest::newRow("last, 1") << int(BrowseCommand::Last) << qint64(1) << qint64(3) << "C3";
}

void TestArchive::browseTable()
{
    QFETCH(int, command);
    QFETCH(qint64, current);
    QFETCH(qint64, position);
    QFETCH(QString, name);
    fill(3);
    ArchiveFile a = archive();
    const BrowseResult r = browseArchive(a, BrowseCommand(command), current);
    QCOMPARE(int(r.outcome), int(position ? BrowseResult::Outcome::Record : BrowseResult::Outcome::Nothing));
    QCOMPARE(r.position, position);
    QVERIFY(!r.clearPosition);
    if (position)
        QCOMPARE(nameIn(r.record), name);
}

void TestArchive::browseBeyondShrunkArchiveFails()
{
    fill(3);
    ArchiveFile a = archive();
    // A card beyond a shrunk archive: Previous reads there and fails.
    const BrowseResult r = browseArchive(a, BrowseCommand::Previous, 9);
    QCOMPARE(int(r.outcome), int(BrowseResult::Outcome::Failed));
    QCOMPARE(r.position, qint64(0));
    // So does any command when the archive cannot be opened.
    QFile::remove(dir->file("Clienti.pro"));
    dir->putFolderInPlaceOf("Clienti.pro");
    QCOMPARE(int(browseArchive(a, BrowseCommand::First, 0).outcome), int(BrowseResult::Outcome::Failed));
    QVERIFY(fake->messages.isEmpty());
}

void TestArchive::twoWorkstationsAppendingAtOnce()
{
    const QString file = dir->file("Clienti.pro");
    const int perProcess = 400;
    QProcess a, b;
    a.start(testPath(QStringLiteral(APPENDER_PATH)), {"append", file, "A", QString::number(perProcess)});
    b.start(testPath(QStringLiteral(APPENDER_PATH)), {"append", file, "B", QString::number(perProcess)});
    QVERIFY(a.waitForFinished(60000));
    QVERIFY(b.waitForFinished(60000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);

    ArchiveFile archive(file, TRecCliente::Size);
    qint64 n = 0;
    QVERIFY(archive.count(n));
    QCOMPARE(n, qint64(2 * perProcess));
    QCOMPARE(QFileInfo(file).size(), qint64(2 * perProcess * 4809));
    QSet<QString> names;
    QVERIFY(archive.scan([&](qint64, const char* rec) {
        names.insert(loadField(rec, TRecCliente::posNominativo));
        return true;
    }));
    QCOMPARE(names.size(), 2 * perProcess);
    for (int i = 0; i < perProcess; ++i) {
        QVERIFY(names.contains(QString("A-%1").arg(i)));
        QVERIFY(names.contains(QString("B-%1").arg(i)));
    }
}

void TestArchive::readsDuringUpdatesNeverTorn()
{
    // Another workstation rewrites ten records, each filled with one byte that
    // changes at every round; whatever is read here must be one byte throughout.
    const int records = 10;
    fill(records);
    const QString file = dir->file("Clienti.pro");
    QProcess updater;
    updater.start(testPath(QStringLiteral(APPENDER_PATH)), {"update", file, QString::number(records), "2000"});
    QVERIFY(updater.waitForStarted(10000));
    QVERIFY(updater.waitForReadyRead(10000));
    QCOMPARE(updater.readLine().trimmed(), QByteArray("ready"));

    const auto whole = [](const char* rec) {
        return QByteArray(rec, TRecCliente::Size) == QByteArray(TRecCliente::Size, rec[0]);
    };
    ArchiveFile a = archive();
    qint64 reads = 0, scans = 0, torn = 0;
    const QDeadlineTimer deadline(10000);
    while (!updater.waitForFinished(0) && !deadline.hasExpired()) {
        QByteArray rec;
        QVERIFY(a.read(reads % records, rec));
        torn += whole(rec.constData()) ? 0 : 1;
        ++reads;
        QVERIFY(a.scan([&](qint64, const char* r) {
            torn += whole(r) ? 0 : 1;
            return true;
        }));
        ++scans;
    }
    QVERIFY(updater.state() == QProcess::NotRunning || updater.waitForFinished(10000));
    QCOMPARE(updater.exitStatus(), QProcess::NormalExit);
    QCOMPARE(updater.exitCode(), 0);
    const qint64 rounds = updater.readAll().trimmed().toLongLong();
    QVERIFY2(rounds > 1 && reads > 1 && scans > 1,
             qPrintable(QString("rounds %1, reads %2, scans %3").arg(rounds).arg(reads).arg(scans)));
    QVERIFY2(torn == 0, qPrintable(QString("%1 torn records in %2 reads and %3 scans").arg(torn).arg(reads).arg(scans)));
    qint64 n = 0;
    QVERIFY(a.count(n));
    QCOMPARE(n, qint64(records));
}

QTEST_GUILESS_MAIN(TestArchive)
// The index of a field spares the read of every record only while the file
// is exactly as the index last saw it: a card changed in place since (same
// size) is read again.
void TestArchive::indexedAppendSeesEveryChange()
{
    fill(3);
    ArchiveFile::FieldIndex index;
    auto byName = [&index](const QString& name) {
        ArchiveFile::FieldTest t{0, 51, nullptr};
        t.keyOf = [](const char* field) { return std::string(field + 1, size_t(quint8(field[0]))); };
        t.key = name.toStdString();
        t.index = &index;
        return t;
    };
    ArchiveFile a = archive();
    QVERIFY(a.prepareIndex(byName(QString())));
    QCOMPARE(index.keys.size(), size_t(3));
    qint64 pos = 0;
    QCOMPARE(a.appendUnless(clientNamed("C4"), byName("C4"), pos), ArchiveFile::Appended::Done);
    QCOMPARE(pos, qint64(4));
    QCOMPARE(a.appendUnless(clientNamed("C4"), byName("C4"), pos), ArchiveFile::Appended::Vetoed);
    // Another workstation renames card 2: same size, another file state. The
    // file system's clock moves a tick at a time: a write within the very
    // tick of the last append would carry the same times.
    const qint64 appended = QDateTime::currentMSecsSinceEpoch();
    while (QDateTime::currentMSecsSinceEpoch() < appended + 20)
        QThread::yieldCurrentThread();
    QVERIFY(ArchiveFile(a.path(), TRecCliente::Size).update(2, clientNamed("Nuovo")));
    QCOMPARE(a.appendUnless(clientNamed("Nuovo"), byName("Nuovo"), pos), ArchiveFile::Appended::Vetoed);
    QCOMPARE(a.appendUnless(clientNamed("C2"), byName("C2"), pos), ArchiveFile::Appended::Done);
    QCOMPARE(pos, qint64(5));
    qint64 count = 0;
    QVERIFY(a.count(count));
    QCOMPARE(count, qint64(5));
}

#include "tst_archive.moc"
