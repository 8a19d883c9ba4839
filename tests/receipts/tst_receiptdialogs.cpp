#include "receipts/ReceiptSettings.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ReceiptPrint.h"
#include "receipts/ui/TfrmNumerazione.h"
#include "storage/FileLock.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage opaque(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestReceiptDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void numberingShowsTheStoredStart_data();
    void numberingShowsTheStoredStart();
    void numberingSpinStaysWithinRange_data();
    void numberingSpinStaysWithinRange();
    void numberingApplyWritesAndCancelDoesNot_data();
    void numberingApplyWritesAndCancelDoesNot();
    void numberingNotWrittenIsSaid_data();
    void numberingNotWrittenIsSaid();

    void logoPreviewOnShowing_data();
    void logoPreviewOnShowing();
    void logoPreviewFitsLargePictures();
    void logoLoadsTheChosenFile_data();
    void logoLoadsTheChosenFile();
    void logoApplyWritesWhatIsShown_data();
    void logoApplyWritesWhatIsShown();
    void logoCancelLeavesTheFile();
    void logoOfAPhotoIsReadBack();
    void logoUnwritableFileIsReportedAndTheDialogStays();

private:
    TfrmNumerazione* numbering() { return static_cast<TfrmNumerazione*>(ScreenFixture::screen("frmNumerazione")); }
    TfrmLogo* logo() { return static_cast<TfrmLogo*>(ScreenFixture::screen("frmLogo")); }
    void writeLogo(const QImage& image) { QVERIFY(image.save(dir->file("Logo.bmp"), "BMP")); }
    QImage logoOnDisk() const { return QImage(dir->file("Logo.bmp"), "BMP"); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
};

void TestReceiptDialogs::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    QVERIFY(numbering());
    QVERIFY(logo());
}

void TestReceiptDialogs::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestReceiptDialogs::cleanup()
{
    // The single instances are reused: none stays open into the next test.
    numbering()->reject();
    logo()->reject();
    screens->endTest();
}

void TestReceiptDialogs::numberingShowsTheStoredStart_data()
{
    QTest::addColumn<QString>("iniText");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no settings file") << QString() << "1";
    QTest::newRow("empty key") << "[Numerazione Ricevute]\r\nInizio=\r\n" << "1";
    QTest::newRow("other sections only") << "[Aliquota IVA]\r\nPercentuale=22\r\n" << "1";
    QTest::newRow("a start of 100") << "[Numerazione Ricevute]\r\nInizio=100\r\n" << "100";
}

void TestReceiptDialogs::numberingShowsTheStoredStart()
{
    QFETCH(QString, iniText);
    QFETCH(QString, shown);
    if (!iniText.isNull())
        dir->writeAll(ReceiptSettings::fileName(), iniText.toLatin1());
    TfrmNumerazione* d = numbering();
    d->open();
    QCOMPARE(control<QLineEdit>(d, "txtInizio")->text(), shown);
    QCOMPARE(control<QSpinBox>(d, "scrInizio")->value(), shown.toInt());
    QVERIFY(control<QLineEdit>(d, "txtInizio")->isReadOnly());
}

void TestReceiptDialogs::numberingSpinStaysWithinRange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::newRow("up from 41") << "41" << int(Qt::Key_Up) << 1 << "42";
    QTest::newRow("down from 41") << "41" << int(Qt::Key_Down) << 2 << "39";
    QTest::newRow("not below 1") << "1" << int(Qt::Key_Down) << 1 << "1";
    QTest::newRow("not above 999") << "998" << int(Qt::Key_Up) << 3 << "999";
    QTest::newRow("empty counts as 1") << "" << int(Qt::Key_Up) << 1 << "2";
}

void TestReceiptDialogs::numberingSpinStaysWithinRange()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    QVERIFY(ReceiptSettings::writeNumberingStart(start));
    TfrmNumerazione* d = numbering();
    d->open();
    auto* spin = control<QSpinBox>(d, "scrInizio");
    for (int i = 0; i < presses; ++i)
        press(spin, key, QString());
    QCOMPARE(control<QLineEdit>(d, "txtInizio")->text(), shown);
}

void TestReceiptDialogs::numberingApplyWritesAndCancelDoesNot_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Applica e chiudi") << "cmdApplica" << "8";
    QTest::newRow("Annulla") << "cmdAnnulla" << "7";
}

void TestReceiptDialogs::numberingApplyWritesAndCancelDoesNot()
{
    QFETCH(QString, button);
    QFETCH(QString, stored);
    QVERIFY(ReceiptSettings::writeNumberingStart("7"));
    TfrmNumerazione* d = numbering();
    d->open();
    press(control<QSpinBox>(d, "scrInizio"), Qt::Key_Up, QString());
    clickOn(control<QPushButton>(d, button));
    QVERIFY(!d->isVisible());
    QCOMPARE(ReceiptSettings::readNumberingStartText(), stored);
    // Showing again starts from the disk, not from what was last shown.
    d->open();
    QCOMPARE(control<QLineEdit>(d, "txtInizio")->text(), stored);
}

void TestReceiptDialogs::numberingNotWrittenIsSaid_data()
{
    QTest::addColumn<QString>("planted");   // what stands at the lock file's name
    QTest::newRow("a folder at the lock's name") << "folder";
    QTest::newRow("a FIFO at the lock's name") << "fifo";
}

// The lock beside the settings cannot be had: the start is not written
// unlocked, nor is the dialog closed as if applied.
void TestReceiptDialogs::numberingNotWrittenIsSaid()
{
    QFETCH(QString, planted);
    QVERIFY(ReceiptSettings::writeNumberingStart("7"));
    const QString lock = dir->file(".Impostazioni.ini.lock");
    if (planted != "folder")
        NEED_FIFOS();
    QVERIFY(planted == "folder" ? QDir().mkdir(lock) : makeFifo(lock));
    TfrmNumerazione* d = numbering();
    d->open();
    press(control<QSpinBox>(d, "scrInizio"), Qt::Key_Up, QString());
    clickOn(control<QPushButton>(d, "cmdApplica"));
    QVERIFY(d->isVisible());
    QCOMPARE(fake->messageTexts(), QStringList{lockFileMessage(lock)});
    QVERIFY(fake->messages[0].text.contains("\n\r\n\r" + lock + "\n\r\n\r"));
    QCOMPARE(ReceiptSettings::readNumberingStartText(), QStringLiteral("7"));
    d->reject();
    QVERIFY(planted == "folder" ? QDir().rmdir(lock) : QFile::remove(lock));
}

void TestReceiptDialogs::logoPreviewOnShowing_data()
{
    QTest::addColumn<QByteArray>("fileBytes");   // empty: no Logo.bmp
    QTest::addColumn<bool>("euro");
    QByteArray red;
    QBuffer buffer(&red);
    buffer.open(QIODevice::WriteOnly);
    filled(40, 20, Qt::red).save(&buffer, "BMP");
    QTest::newRow("a stored logo") << red << false;
    QTest::newRow("no Logo.bmp") << QByteArray() << true;
    QTest::newRow("unreadable Logo.bmp") << QByteArray("not a bitmap") << true;
    QTest::newRow("a FIFO named Logo.bmp") << QByteArray("fifo") << true;
}

void TestReceiptDialogs::logoPreviewOnShowing()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(bool, euro);
    if (fileBytes == "fifo")
        PLANT_FIFO(dir->file("Logo.bmp"));   // read as a file, it would never end
    else if (!fileBytes.isEmpty())
        dir->writeAll("Logo.bmp", fileBytes);
    TfrmLogo* d = logo();
    d->open();
    const QImage expected = euro ? TfrmLogo::euroPicture() : filled(40, 20, Qt::red);
    QCOMPARE(TfrmLogo::euroPicture().size(), QSize(297, 184));
    QCOMPARE(opaque(d->picture()), opaque(expected));
    QCOMPARE(control<QLabel>(d, "imgFoto")->pixmap().size(), expected.size());
    QVERIFY(fake->messages.isEmpty());
}

void TestReceiptDialogs::logoPreviewFitsLargePictures()
{
    writeLogo(filled(1188, 368, Qt::blue));
    TfrmLogo* d = logo();
    d->open();
    // Scaled down proportionally into 297 x 184; the picture kept whole for Apply.
    QCOMPARE(control<QLabel>(d, "imgFoto")->pixmap().size(), QSize(297, 92));
    QCOMPARE(d->picture().size(), QSize(1188, 368));
}

void TestReceiptDialogs::logoLoadsTheChosenFile_data()
{
    QTest::addColumn<QString>("chosen");   // a file name in the folder, "" for cancel
    QTest::addColumn<QString>("shown");    // "green", "euro", "red" (unchanged)
    QTest::newRow("a bitmap") << "scelta.bmp" << "green";
    QTest::newRow("not a picture") << "rotto.bmp" << "euro";
    QTest::newRow("cancelled") << "" << "red";
}

void TestReceiptDialogs::logoLoadsTheChosenFile()
{
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    writeLogo(filled(30, 30, Qt::red));
    QVERIFY(filled(50, 10, Qt::green).save(dir->file("scelta.bmp"), "BMP"));
    dir->writeAll("rotto.bmp", "BM but nothing else");
    fake->fileAnswers.enqueue(chosen.isEmpty() ? QString() : dir->file(chosen));
    TfrmLogo* d = logo();
    d->open();
    clickOn(control<QPushButton>(d, "cmdFoto"));
    const QImage expected = shown == "green" ? filled(50, 10, Qt::green)
                            : shown == "euro" ? TfrmLogo::euroPicture()
                                              : filled(30, 30, Qt::red);
    QCOMPARE(opaque(d->picture()), opaque(expected));
    QVERIFY(fake->fileAnswers.isEmpty());
    QCOMPARE(fake->busyCalls > 0, !chosen.isEmpty());
    QCOMPARE(fake->busyDepth, 0);
    QVERIFY(d->isVisible());
}

void TestReceiptDialogs::logoApplyWritesWhatIsShown_data()
{
    QTest::addColumn<bool>("storedLogo");
    QTest::addColumn<QString>("picture");   // the picture button released, "" for none
    QTest::addColumn<QString>("written");   // "red", "euro", "blank"
    QTest::newRow("the current logo") << true << "" << "red";
    QTest::newRow("no logo yet: the euro") << false << "" << "euro";
    QTest::newRow("clear logo") << true << "imgCancella" << "blank";
    QTest::newRow("euro symbol") << true << "imgEuro" << "euro";
}

void TestReceiptDialogs::logoApplyWritesWhatIsShown()
{
    QFETCH(bool, storedLogo);
    QFETCH(QString, picture);
    QFETCH(QString, written);
    if (storedLogo)
        writeLogo(filled(30, 30, Qt::red));
    TfrmLogo* d = logo();
    d->open();
    if (!picture.isEmpty())
        ScreenFixture::press(d, picture.toLatin1().constData());
    clickOn(control<QPushButton>(d, "cmdApplica"));
    QVERIFY(!d->isVisible());
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(fake->busyDepth, 0);
    const QImage expected = written == "red"    ? filled(30, 30, Qt::red)
                            : written == "euro" ? TfrmLogo::euroPicture()
                                                : filled(1, 1, Qt::white);
    QCOMPARE(dir->readAll("Logo.bmp").left(2), QByteArray("BM"));
    QCOMPARE(opaque(logoOnDisk()), opaque(expected));
}

void TestReceiptDialogs::logoOfAPhotoIsReadBack()
{
    // 6000 × 4000: as a bitmap, 72 MB, more than the printing reads.
    QImage photo(6000, 4000, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QVERIFY(photo.save(dir->file("foto.png"), "PNG"));
    fake->fileAnswers.enqueue(dir->file("foto.png"));
    TfrmLogo* d = logo();
    d->open();
    clickOn(control<QPushButton>(d, "cmdFoto"));
    clickOn(control<QPushButton>(d, "cmdApplica"));
    QVERIFY(!d->isVisible());
    QVERIFY(fake->messages.isEmpty());
    QImage printed;
    QVERIFY(ReceiptPrint::readLogo(dir->file("Logo.bmp"), printed));
    QCOMPARE(printed.size(), QSize(2000, 1333));
    QCOMPARE(printed.pixelColor(1000, 666), QColor(Qt::blue));
}

void TestReceiptDialogs::logoCancelLeavesTheFile()
{
    writeLogo(filled(30, 30, Qt::red));
    const QByteArray before = dir->readAll("Logo.bmp");
    TfrmLogo* d = logo();
    d->open();
    ScreenFixture::press(d, "imgCancella");
    QCOMPARE(d->picture().size(), QSize(1, 1));
    clickOn(control<QPushButton>(d, "cmdAnnulla"));
    QVERIFY(!d->isVisible());
    QCOMPARE(dir->readAll("Logo.bmp"), before);
    // What was chosen and not applied does not survive into the next showing.
    d->open();
    QCOMPARE(opaque(d->picture()), filled(30, 30, Qt::red));
}

void TestReceiptDialogs::logoUnwritableFileIsReportedAndTheDialogStays()
{
    dir->putFolderInPlaceOf("Logo.bmp");
    TfrmLogo* d = logo();
    d->open();
    QCOMPARE(opaque(d->picture()), opaque(TfrmLogo::euroPicture()));
    clickOn(control<QPushButton>(d, "cmdApplica"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages.first().kind, MessageKind::Plain);
    QVERIFY(fake->messages.first().text.contains("Logo.bmp"));
    QVERIFY(fake->messages.first().text.contains("Il logo non è stato cambiato."));
    QCOMPARE(fake->busyDepth, 0);
    QVERIFY(d->isVisible());
    QVERIFY(QFileInfo(dir->file("Logo.bmp")).isDir());
}

QTEST_MAIN(TestReceiptDialogs)
#include "tst_receiptdialogs.moc"
