// What stands under the name of one of the program's files is looked at
// before anything is opened: a FIFO or a device is refused without ever
// being opened, whichever way the program reaches it.
#include "platform/FileSystem.h"
#include "storage/RegularFile.h"

#include "TestSupport.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

enum class Way { Reading, ReadingThroughALink, Update, InFolder };

} // namespace

Q_DECLARE_METATYPE(Way)

class TestRegularFile : public QObject
{
    Q_OBJECT
private slots:
    void fifoRefusedWithoutBeingOpened_data();
    void fifoRefusedWithoutBeingOpened();
    void regularFilesOpen();
};

void TestRegularFile::fifoRefusedWithoutBeingOpened_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("for reading") << Way::Reading;
    QTest::newRow("for reading, through a link") << Way::ReadingThroughALink;
    QTest::newRow("for update") << Way::Update;
    QTest::newRow("in an open folder") << Way::InFolder;
}

void TestRegularFile::fifoRefusedWithoutBeingOpened()
{
    QFETCH(Way, way);
    TempAppDir dir;
    const QString fifo = dir.file("Clienti.pro");
    PLANT_FIFO(fifo);
    PLANT_LINK(fifo, dir.file("Impostazioni.ini"));
    // Every open of the FIFO itself is reported here (an open of a device
    // would be just as visible); a look through a handle that opens nothing
    // is not.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, QFile::encodeName(fifo).constData(), IN_OPEN) >= 0);

    int fd = -1;
    switch (way) {
    case Way::Reading:
        fd = RegularFile::openForReading(fifo, RegularFile::Links::Refuse);
        break;
    case Way::ReadingThroughALink:
        fd = RegularFile::openForReading(dir.file("Impostazioni.ini"), RegularFile::Links::Follow);
        break;
    case Way::Update:
        fd = RegularFile::openForUpdate(fifo);
        break;
    case Way::InFolder: {
        const int folder = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY);
        fd = FileSystem::openRegularAt(folder, QStringLiteral("Clienti.pro"));
        ::close(folder);
        break;
    }
    }
    const int why = errno;
    QCOMPARE(fd, -1);
    QCOMPARE(why, EINVAL);
    char events[256];
    QCOMPARE(::read(watch, events, sizeof events), ssize_t(-1));
    QCOMPARE(errno, EAGAIN);
    ::close(watch);
}

void TestRegularFile::regularFilesOpen()
{
    TempAppDir dir;
    // Made when missing, then opened again as it stands; a link refused.
    const int made = RegularFile::openForUpdate(dir.file("2024.ric"));
    QVERIFY(made >= 0);
    QCOMPARE(::write(made, "abc", 3), ssize_t(3));
    ::close(made);
    QByteArray contents;
    QCOMPARE(RegularFile::readAll(dir.file("2024.ric"), 10, contents), RegularFile::Outcome::Read);
    QCOMPARE(contents, QByteArray("abc"));
    PLANT_LINK(dir.file("2024.ric"), dir.file("2025.ric"));
    QCOMPARE(RegularFile::openForUpdate(dir.file("2025.ric")), -1);
    QCOMPARE(errno, ELOOP);
    QCOMPARE(RegularFile::readAll(dir.file("2025.ric"), 10, contents, RegularFile::Links::Refuse),
             RegularFile::Outcome::Link);
    QCOMPARE(RegularFile::readAll(dir.file("2025.ric"), 10, contents), RegularFile::Outcome::Read);
    QCOMPARE(contents, QByteArray("abc"));
}

QTEST_GUILESS_MAIN(TestRegularFile)
#include "tst_regularfile.moc"
