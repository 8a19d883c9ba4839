#include "storage/ArchiveFile.h"
#include "storage/Browse.h"
#include "storage/ClientRecord.h"

#include "FakePlatform.h"
#include "TestSupport.h"
#include "platform/AppDir.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QtTest>

namespace {

QByteArray clientNamed(const QString& name)
{
    TRecCliente c;
    c.Nominativo = name;
    return c.encode();
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
    void folderInPlaceOfFileFails();
    void readOnlyFileNeverReplaced();
    void updateBeyondCountWritesNothing();
    void readPastEndFails();
    void browseEmptyArchive();
    void browseTable();
    void twoWorkstationsAppendingAtOnce();

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

void TestArchive::folderInPlaceOfFileFails()
{
    dir->putFolderInPlaceOf("Clienti.pro");
    ArchiveFile a = archive();
    qint64 n = 0, pos = 0;
    QByteArray rec;
    QVERIFY(!a.count(n));
    QVERIFY(!a.append(clientNamed("X"), pos));
    QVERIFY(!a.scan([](qint64, const char*) { return true; }));
    QCOMPARE(fake->messages.size(), 3);
    const QString expected = QString::fromUtf8(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
    for (const ShownMessage& m : fake->messages) {
        QCOMPARE(m.kind, MessageKind::Plain);
        QCOMPARE(m.caption, QString("Ventoria 2.0"));
        QCOMPARE(m.text, expected);
    }
    QVERIFY(QFileInfo(dir->file("Clienti.pro")).isDir());
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
    QCOMPARE(fake->messages.size(), 2);
}

void TestArchive::updateBeyondCountWritesNothing()
{
    fill(2);
    ArchiveFile a = archive();
    QVERIFY(!a.update(3, clientNamed("Oltre")));
    QVERIFY(!a.update(0, clientNamed("Zero")));
    QCOMPARE(QFileInfo(dir->file("Clienti.pro")).size(), qint64(2 * 4809));
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[0].text, archiveAccessMessage());
}

void TestArchive::readPastEndFails()
{
    fill(1);
    ArchiveFile a = archive();
    QByteArray rec = "unchanged";
    QVERIFY(!a.read(1, rec));
    QCOMPARE(rec, QByteArray("unchanged"));
    QCOMPARE(fake->lastMessage(), archiveAccessMessage());
}

void TestArchive::browseEmptyArchive()
{
    ArchiveFile a = archive();
    QByteArray rec;
    QString label;
    QVERIFY(!BrowseArchive(a, BrowseCommand::First, label, rec));
    QVERIFY(QFile::exists(dir->file("Clienti.pro")));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, QString("Visualizzazione dati non applicabile"));
    QCOMPARE(fake->messages[0].text, QString("L'archivio non contiene nessuna scheda."));
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Information);

    // Previous on "1" does nothing, not even a message.
    label = "1";
    QVERIFY(!BrowseArchive(a, BrowseCommand::Previous, label, rec));
    QCOMPARE(label, QString("1"));
    QCOMPARE(fake->messages.size(), 1);

    // Next on an empty archive clears the label, with the message.
    label = "4";
    QVERIFY(!BrowseArchive(a, BrowseCommand::Next, label, rec));
    QCOMPARE(label, QString());
    QCOMPARE(fake->messages.size(), 2);

    // The other commands keep the label.
    for (BrowseCommand c : {BrowseCommand::First, BrowseCommand::Previous, BrowseCommand::Last}) {
        label = "3";
        QVERIFY(!BrowseArchive(a, c, label, rec));
        QCOMPARE(label, QString("3"));
    }
    label.clear();
    QVERIFY(!BrowseArchive(a, BrowseCommand::Next, label, rec));
    QCOMPARE(label, QString());
    QCOMPARE(fake->messages.size(), 6);
}

void TestArchive::browseTable()
{
    fill(3);
    ArchiveFile a = archive();
    QByteArray rec;
    QString label;

    struct Step { BrowseCommand cmd; QString before; bool reads; QString after; QString name; };
    const Step steps[] = {
        {BrowseCommand::First, "", true, "1", "C1"},
        {BrowseCommand::First, "3", true, "1", "C1"},
        {BrowseCommand::Previous, "1", false, "1", ""},
        {BrowseCommand::Previous, "", true, "1", "C1"},
        {BrowseCommand::Previous, "2", true, "1", "C1"},
        {BrowseCommand::Previous, "3", true, "2", "C2"},
        {BrowseCommand::Next, "", true, "1", "C1"},
        {BrowseCommand::Next, "1", true, "2", "C2"},
        {BrowseCommand::Next, "3", false, "3", ""},
        {BrowseCommand::Last, "", true, "3", "C3"},
        {BrowseCommand::Last, "1", true, "3", "C3"},
    };
    for (const Step& s : steps) {
        label = s.before;
        rec.clear();
        QCOMPARE(BrowseArchive(a, s.cmd, label, rec), s.reads);
        QCOMPARE(label, s.after);
        if (s.reads)
            QCOMPARE(nameIn(rec), s.name);
    }
    QVERIFY(fake->messages.isEmpty());

    // A label beyond a shrunk archive: Previous reads there and reports the failure.
    label = "9";
    QVERIFY(!BrowseArchive(a, BrowseCommand::Previous, label, rec));
    QCOMPARE(label, QString("9"));
    QCOMPARE(fake->lastMessage(), archiveAccessMessage());
}

void TestArchive::twoWorkstationsAppendingAtOnce()
{
    const QString file = dir->file("Clienti.pro");
    const int perProcess = 400;
    QProcess a, b;
    a.start(APPENDER_PATH, {file, "A", QString::number(perProcess)});
    b.start(APPENDER_PATH, {file, "B", QString::number(perProcess)});
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

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
