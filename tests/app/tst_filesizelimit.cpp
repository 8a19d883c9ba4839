#include "app/Startup.h"
#include "clients/ui/TfrmClienti.h"
#include "platform/AppDir.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kArchiveMessage = QString::fromUtf8(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

constexpr qint64 S = TRecCliente::Size;

// Lowers the process's file-size limit (the soft one) for the object's
// lifetime; the hard limit is left alone, so the old limit can come back.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        ok = ::getrlimit(RLIMIT_FSIZE, &m_previous) == 0;
        rlimit lowered = m_previous;
        lowered.rlim_cur = static_cast<rlim_t>(bytes);
        ok = ok && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (ok)
            ::setrlimit(RLIMIT_FSIZE, &m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok = false;

private:
    rlimit m_previous{};
};

QByteArray clientNamed(const QString& name)
{
    return sampleBytes<TRecCliente>({{&TRecCliente::Nominativo, name}});
}

} // namespace

// A write beyond the file-size limit must fail as a write, not end the program.
class TestFileSizeLimit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void setUpIgnoresTheSignal();
    void appendBeyondLimitFails_data();
    void appendBeyondLimitFails();
    void cardSaveBeyondLimitReportsArchive();

private:
    ArchiveFile archive() { return ArchiveFile(AppDir::filePath("Clienti.pro"), TRecCliente::Size); }
    qint64 fileSize() const { return QFileInfo(dir->file("Clienti.pro")).size(); }

    std::unique_ptr<FakePlatform> fake;
    std::unique_ptr<TempAppDir> dir;
};

void TestFileSizeLimit::initTestCase()
{
    fake = std::make_unique<FakePlatform>();
    CreateScreens();
}

void TestFileSizeLimit::init()
{
    dir = std::make_unique<TempAppDir>();
    fake->clear();
}

void TestFileSizeLimit::cleanup()
{
    dir.reset();
}

void TestFileSizeLimit::setUpIgnoresTheSignal()
{
    struct sigaction current {};
    QCOMPARE(::sigaction(SIGXFSZ, nullptr, &current), 0);
    QVERIFY(current.sa_handler == SIG_IGN);
}

void TestFileSizeLimit::appendBeyondLimitFails_data()
{
    QTest::addColumn<qint64>("room");   // bytes allowed past the two records
    QTest::newRow("not one byte more") << qint64(0);
    QTest::newRow("one byte more") << qint64(1);
    QTest::newRow("one byte short of a record") << S - 1;
}

void TestFileSizeLimit::appendBeyondLimitFails()
{
    QFETCH(qint64, room);
    ArchiveFile a = archive();
    qint64 position = 0;
    QVERIFY(a.append(clientNamed("Primo"), position));
    QVERIFY(a.append(clientNamed("Secondo"), position));
    const QByteArray before = dir->readAll("Clienti.pro");
    QCOMPARE(before.size(), 2 * S);
    {
        FileSizeLimit limit(2 * S + room);
        QVERIFY(limit.ok);
        position = 0;
        QVERIFY(!a.append(clientNamed("Terzo"), position));
        QCOMPARE(position, qint64(0));
        // What fitted is cut off again: the file is as it was.
        QCOMPARE(fileSize(), 2 * S);
        qint64 records = 0;
        QVERIFY(a.count(records));
        QCOMPARE(records, qint64(2));
        QCOMPARE(dir->readAll("Clienti.pro"), before);
    }
    // With the limit gone, the next append goes after the last record.
    QVERIFY(a.append(clientNamed("Terzo"), position));
    QCOMPARE(position, qint64(3));
    QCOMPARE(fileSize(), 3 * S);
    QByteArray third;
    QVERIFY(a.read(2, third));
    QCOMPARE(TRecCliente::decode(third).Nominativo, QString("Terzo"));
    QVERIFY(fake->messages.isEmpty());
}

void TestFileSizeLimit::cardSaveBeyondLimitReportsArchive()
{
    auto* card = static_cast<TfrmClienti*>(topLevel("frmClienti"));
    QVERIFY(card);
    card->open();
    QVERIFY(QTest::qWaitForWindowActive(card));
    const auto release = [card](const char* name) {
        QWidget* w = control<QWidget>(card, name);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    };
    release("imgNuovo");
    typeInto(control<QLineEdit>(card, "txtOperatore"), "Rossi Mario");
    release("imgSalva");
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QString("1"));
    const QByteArray before = dir->readAll("Clienti.pro");
    fake->clear();

    release("imgNuovo");
    typeInto(control<QLineEdit>(card, "txtOperatore"), "Bianchi Anna");
    {
        FileSizeLimit limit(S + 100);
        QVERIFY(limit.ok);
        release("imgSalva");
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].caption, QString("Ventoria 2.0"));
    QCOMPARE(fake->messages[0].text, kArchiveMessage);
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QString());
    QCOMPARE(dir->readAll("Clienti.pro").left(S), before);
    qint64 records = 0;
    QVERIFY(archive().count(records));
    QCOMPARE(records, qint64(1));
    card->close();
}

QTEST_MAIN(TestFileSizeLimit)
#include "tst_filesizelimit.moc"
