// The operating system's seam as the shop's folder meets it, on Linux and on
// Windows alike: a replace while another program holds the file, folders
// named in any alphabet and deeper than Windows' old 260 characters, a
// read-only copy among the old backups, a document no program opens.
#include "platform/FileSystem.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"
#include "storage/DailyBackup.h"
#include "storage/FileWrites.h"
#include "storage/IniFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>

namespace {

// Another program holding path open the way most programs do (Qt's own
// QFile on Windows shares neither writing nor deletion): it says "held",
// then lets go after the given milliseconds.
int holdOpen(const QStringList& args)
{
    QFile file(args.value(0));
    if (!file.open(QIODevice::ReadOnly))
        return 3;
    std::puts("held");
    std::fflush(stdout);
    QThread::msleep(args.value(1).toULong());
    return 0;
}

QStringList leftoversBeside(const QString& path)
{
    const QFileInfo file(path);
    return QDir(file.absolutePath()).entryList({file.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void replaceWhileAnotherProgramHoldsTheFile_data();
    void replaceWhileAnotherProgramHoldsTheFile();
    void anyLettersAndDeepPaths_data();
    void anyLettersAndDeepPaths();
    void readOnlyCopyInAnOldBackupIsPruned();
    void documentWithNoProgramIsTold();
};

void TestFileSystem::replaceWhileAnotherProgramHoldsTheFile_data()
{
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("mustSucceed");
    // Within the retries: the new bytes go in. Beyond them: either the new
    // bytes (a system that renames over an open file) or a failure with the
    // old ones; never a mix, never a temporary file left.
    QTest::newRow("lets go after 300 ms") << 300 << true;
    QTest::newRow("holds for 5 s") << 5000 << false;
}

void TestFileSystem::replaceWhileAnotherProgramHoldsTheFile()
{
    QFETCH(int, holdMs);
    QFETCH(bool, mustSucceed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Impostazioni.ini"));
    const QByteArray old = "[Aliquota IVA]\r\nValore=22\r\n";
    const QByteArray fresh = "[Aliquota IVA]\r\nValore=10\r\n[Dati Azienda]\r\nNome=Bianchi\r\n";
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
    }
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--workstation"), path, QString::number(holdMs)});
    QVERIFY(holder.waitForStarted(30000));
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    const bool replaced = FileWrites::replaceFile(path, fresh);
    QVERIFY(holder.waitForFinished(60000));
    QCOMPARE(holder.exitCode(), 0);
    if (mustSucceed)
        QVERIFY(replaced);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), replaced ? fresh : old);
    QCOMPARE(leftoversBeside(path), QStringList());
}

void TestFileSystem::anyLettersAndDeepPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("Greek and Cyrillic letters") << QStringLiteral("Negozio Ελένη Юрий");
    QString deep;
    while (deep.size() < 280)
        deep += QStringLiteral("Cartella molto lunga del negozio àèìòù/");
    QTest::newRow("deeper than 260 characters") << deep;
}

void TestFileSystem::anyLettersAndDeepPaths()
{
    QFETCH(QString, folder);
    QTemporaryDir base;
    const QString path = base.filePath(folder);
    QVERIFY(QDir().mkpath(path));
    QVERIFY(path.size() > folder.size());

    ArchiveFile clients(path + QStringLiteral("/Clienti.pro"), TRecCliente::Size);
    TRecCliente c;
    c.Nominativo = QStringLiteral("Forlì €");
    qint64 position = 0, count = 0;
    QVERIFY(clients.append(c.encode(), position));
    QVERIFY(clients.count(count));
    QCOMPARE(count, qint64(1));
    QByteArray read;
    QVERIFY(clients.read(0, read));
    QCOMPARE(read, c.encode());

    const QString settings = path + QStringLiteral("/Impostazioni.ini");
    QVERIFY(IniFile::write(settings, QStringLiteral("Aliquota IVA"), QStringLiteral("Valore"), QStringLiteral("22")));
    QCOMPARE(IniFile::read(settings, QStringLiteral("Aliquota IVA"), QStringLiteral("Valore")), QStringLiteral("22"));

    const DailyBackup::Result r = DailyBackup::make(path, QDate(2024, 3, 5));
    QCOMPARE(r.outcome, DailyBackup::Outcome::Made);
    QVERIFY(r.refused.isEmpty());
    QCOMPARE(QDir(r.folder).entryList(QDir::Files), (QStringList{"Clienti.pro", "Impostazioni.ini"}));
}

void TestFileSystem::readOnlyCopyInAnOldBackupIsPruned()
{
    QTemporaryDir shop;
    QDir backup(shop.filePath(QStringLiteral("Backup")));
    // The fourteen kept and one more, the oldest, whose copy is read-only.
    for (int day = 1; day <= DailyBackup::kKept + 1; ++day)
        QVERIFY(backup.mkpath(QDate(2024, 2, day).toString(Qt::ISODate)));
    const QString oldest = backup.filePath(QStringLiteral("2024-02-01/Clienti.pro"));
    {
        QFile f(oldest);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(oldest, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    QCOMPARE(DailyBackup::make(shop.path(), QDate(2024, 3, 5)).outcome, DailyBackup::Outcome::Made);
    QVERIFY(!QFileInfo::exists(backup.filePath(QStringLiteral("2024-02-01"))));
    QVERIFY(!QFileInfo::exists(backup.filePath(QStringLiteral("2024-02-02"))));
    QVERIFY(QFileInfo::exists(backup.filePath(QStringLiteral("2024-02-03"))));
}

void TestFileSystem::documentWithNoProgramIsTold()
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Ricevute.zzqv"));
    {
        QFile f(document);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(!FileSystem::hasProgramFor(dir.filePath(QStringLiteral("mancante.xls"))));
    // Linux's desktop is asked through xdg-mime; without it the answer is
    // left to the desktop and nothing can be told here.
    if (QFileInfo(QCoreApplication::applicationFilePath()).suffix() != QLatin1String("exe")
        && QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        QSKIP("no xdg-mime on this desktop to ask");
    QVERIFY(!FileSystem::hasProgramFor(document));
}

QTEST_MAIN_WITH_WORKSTATIONS(TestFileSystem, holdOpen)
#include "tst_filesystem.moc"
