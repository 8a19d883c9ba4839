#include "TestSupport.h"

#include "einvoice/InvoiceFiles.h"
#include "platform/AppDir.h"
#include "platform/FileSystem.h"
#include "storage/IniFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

#include <cerrno>

namespace {

constexpr int kInvoicesEach = 100;
const QString kVat = QStringLiteral("01234567897");

QString settingsFile()
{
    return AppDir::filePath(QStringLiteral("Impostazioni.ini"));
}

QString lastProgressive()
{
    return IniFile::read(settingsFile(), InvoiceFiles::progressiveSection(), InvoiceFiles::progressiveKey());
}

// The bytes of an invoice: who wrote it and the progressive it was given.
InvoiceFiles::Compose tagged(const QString& tag)
{
    return [tag](const QString& progressive) { return (tag + QLatin1Char(' ') + progressive).toUtf8(); };
}

QStringList invoicesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// write <folder> <tag>: kInvoicesEach invoices, all started together.
int workstation(const QStringList& args)
{
    if (args.size() < 2)
        return 2;
    AppDirAt here(args[0]);
    waitForGo();
    for (int i = 0; i < kInvoicesEach; ++i) {
        if (!InvoiceFiles::write(kVat, tagged(args[1])).ok())
            return 1;
    }
    return 0;
}

} // namespace

class TestInvoiceFiles : public QObject
{
    Q_OBJECT
private slots:
    void progressiveText_data();
    void progressiveText();
    void progressiveNumberRefuses_data();
    void progressiveNumberRefuses();
    void progressivesFollowEachOtherInTheSettings();
    void aNameAlreadyThereIsNeverOverwritten();
    void progressiveThatCannotBeTrustedWritesNothing_data();
    void progressiveThatCannotBeTrustedWritesNothing();
    void failedWriteLeavesNoFileAndSpendsTheProgressive();
    void twoWorkstationsNeverShareAName();
    void recipientsRememberedPerClient();
};

void TestInvoiceFiles::progressiveText_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << qint64(1) << "00001";
    QTest::newRow("nine") << qint64(9) << "00009";
    QTest::newRow("letters after the digits") << qint64(10) << "0000A";
    QTest::newRow("last of one place") << qint64(35) << "0000Z";
    QTest::newRow("carries") << qint64(36) << "00010";
    QTest::newRow("two hundred") << qint64(200) << "0005K";
    QTest::newRow("last") << InvoiceFiles::kLastProgressive << "ZZZZZ";
}

void TestInvoiceFiles::progressiveText()
{
    QFETCH(qint64, number);
    QFETCH(QString, text);
    QCOMPARE(InvoiceFiles::progressiveText(number), text);
    QCOMPARE(InvoiceFiles::progressiveNumber(text), number);
}

void TestInvoiceFiles::progressiveNumberRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("small letter") << "0000a";
    QTest::newRow("four places") << "1234";
    QTest::newRow("six places") << "123456";
    QTest::newRow("blank inside") << "12 45";
    QTest::newRow("accented") << QStringLiteral("0000À");
    QTest::newRow("empty") << "";
}

void TestInvoiceFiles::progressiveNumberRefuses()
{
    QFETCH(QString, text);
    QCOMPARE(InvoiceFiles::progressiveNumber(text), qint64(-1));
}

void TestInvoiceFiles::progressivesFollowEachOtherInTheSettings()
{
    TempAppDir dir;
    dir.writeAll(QStringLiteral("Impostazioni.ini"), "[Dati Azienda]\r\nNome=Rossi\r\n");
    const InvoiceFiles::Written first = InvoiceFiles::write(kVat, tagged(QStringLiteral("A")));
    const InvoiceFiles::Written second = InvoiceFiles::write(kVat, tagged(QStringLiteral("A")));
    QVERIFY(first.ok() && second.ok());
    QCOMPARE(QFileInfo(first.path).fileName(), QStringLiteral("IT01234567897_00001.xml"));
    QCOMPARE(QFileInfo(second.path).fileName(), QStringLiteral("IT01234567897_00002.xml"));
    QCOMPARE(QFileInfo(first.path).absolutePath(), dir.file(QStringLiteral("Fatture elettroniche")));
    QCOMPARE(dir.readAll(QStringLiteral("Fatture elettroniche/IT01234567897_00002.xml")), QByteArray("A 00002"));
    QCOMPARE(dir.readAll(QStringLiteral("Impostazioni.ini")),
             QByteArray("[Dati Azienda]\r\nNome=Rossi\r\n\r\n[Fattura Elettronica Progressivo]\r\nUltimo=00002\r\n"));
    // Only the two invoices: no temporary file left beside them.
    QCOMPARE(invoicesIn(dir.file(QStringLiteral("Fatture elettroniche"))).size(), 2);
}

void TestInvoiceFiles::aNameAlreadyThereIsNeverOverwritten()
{
    TempAppDir dir;
    // Settings put back from an older backup: the next two names were sent already.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Fatture elettroniche")));
    dir.writeAll(QStringLiteral("Fatture elettroniche/IT01234567897_0000A.xml"), "sent");
    dir.writeAll(QStringLiteral("Fatture elettroniche/IT01234567897_0000B.xml"), "sent too");
    dir.writeAll(QStringLiteral("Impostazioni.ini"), "[Fattura Elettronica Progressivo]\r\nUltimo=00009\r\n");
    const InvoiceFiles::Written w = InvoiceFiles::write(kVat, tagged(QStringLiteral("new")));
    QVERIFY(w.ok());
    QCOMPARE(w.progressive, QStringLiteral("0000C"));
    QCOMPARE(dir.readAll(QStringLiteral("Fatture elettroniche/IT01234567897_0000A.xml")), QByteArray("sent"));
    QCOMPARE(dir.readAll(QStringLiteral("Fatture elettroniche/IT01234567897_0000B.xml")), QByteArray("sent too"));
    QCOMPARE(dir.readAll(QStringLiteral("Fatture elettroniche/IT01234567897_0000C.xml")), QByteArray("new 0000C"));
    QCOMPARE(lastProgressive(), QStringLiteral("0000C"));
}

void TestInvoiceFiles::progressiveThatCannotBeTrustedWritesNothing_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("outcome");
    QTest::newRow("edited by hand") << QByteArray("12") << int(InvoiceFiles::Written::Outcome::BadProgressive);
    QTest::newRow("all used") << QByteArray("ZZZZZ") << int(InvoiceFiles::Written::Outcome::Exhausted);
}

void TestInvoiceFiles::progressiveThatCannotBeTrustedWritesNothing()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, outcome);
    TempAppDir dir;
    const QByteArray settings = "[Fattura Elettronica Progressivo]\r\nUltimo=" + stored + "\r\n";
    dir.writeAll(QStringLiteral("Impostazioni.ini"), settings);
    const InvoiceFiles::Written w = InvoiceFiles::write(kVat, tagged(QStringLiteral("A")));
    QCOMPARE(int(w.outcome), outcome);
    QVERIFY(invoicesIn(dir.file(QStringLiteral("Fatture elettroniche"))).isEmpty());
    QCOMPARE(dir.readAll(QStringLiteral("Impostazioni.ini")), settings);
    QVERIFY(InvoiceFiles::failureMessage(w).contains(QStringLiteral("la fattura non è stata creata")));
}

void TestInvoiceFiles::failedWriteLeavesNoFileAndSpendsTheProgressive()
{
    TempAppDir dir;
    {
        // The disk is full when the invoice comes, after the settings took its progressive.
        const DeviceWriterSwap full([](int fd, const char* data, qint64 size, qint64 offset) -> qint64 {
            if (QByteArray(data, int(qMin<qint64>(size, 4))) == "lost") {
                errno = ENOSPC;
                return -1;
            }
            return FileSystem::writeAt(fd, data, size, offset);
        });
        const InvoiceFiles::Written w = InvoiceFiles::write(kVat, tagged(QStringLiteral("lost")));
        QCOMPARE(int(w.outcome), int(InvoiceFiles::Written::Outcome::WriteFailed));
        QVERIFY(InvoiceFiles::failureMessage(w).endsWith(QStringLiteral("nessun file è stato creato.")));
    }
    QVERIFY(invoicesIn(dir.file(QStringLiteral("Fatture elettroniche"))).isEmpty());
    // The progressive may have reached the exchange system with no file
    // here to show it: it is never given again.
    const InvoiceFiles::Written next = InvoiceFiles::write(kVat, tagged(QStringLiteral("B")));
    QCOMPARE(next.progressive, QStringLiteral("00002"));
}

void TestInvoiceFiles::twoWorkstationsNeverShareAName()
{
    TempAppDir dir;
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{dir.path(), "A"}, {dir.path(), "B"}}, outputs, why), qPrintable(why));
    const QStringList names = invoicesIn(dir.file(QStringLiteral("Fatture elettroniche")));
    QCOMPARE(names.size(), 2 * kInvoicesEach);
    QSet<QString> progressives;
    int byA = 0;
    for (const QString& name : names) {
        // Every file holds what its writer composed for exactly that name.
        const QString progressive = name.mid(14, 5);
        QCOMPARE(name, InvoiceFiles::fileName(kVat, progressive));
        const QString content = QString::fromUtf8(dir.readAll(QStringLiteral("Fatture elettroniche/") + name));
        QVERIFY2(content == QStringLiteral("A ") + progressive || content == QStringLiteral("B ") + progressive,
                 qPrintable(content));
        byA += content.startsWith(QLatin1Char('A'));
        progressives.insert(progressive);
    }
    QCOMPARE(byA, kInvoicesEach);
    QCOMPARE(progressives.size(), 2 * kInvoicesEach);
    QCOMPARE(lastProgressive(), InvoiceFiles::progressiveText(2 * kInvoicesEach));
}

void TestInvoiceFiles::recipientsRememberedPerClient()
{
    TempAppDir dir;
    QVERIFY(InvoiceFiles::rememberRecipient(QStringLiteral("RSSMRA80A01H501U"), {QStringLiteral("ABC1234"), QString()}));
    QVERIFY(InvoiceFiles::rememberRecipient(QStringLiteral("01234567897"),
                                            {QStringLiteral("0000000"), QStringLiteral("rossi@pec.it")}));
    // Looked up by the same key whatever its case; another client has none.
    QCOMPARE(InvoiceFiles::rememberedRecipient(QStringLiteral("rssmra80a01h501u")).code, QStringLiteral("ABC1234"));
    QCOMPARE(InvoiceFiles::rememberedRecipient(QStringLiteral("01234567897")).pec, QStringLiteral("rossi@pec.it"));
    QVERIFY(InvoiceFiles::rememberedRecipient(QStringLiteral("99999999999")).code.isEmpty());
    // Nothing to key it by: nothing written.
    QVERIFY(InvoiceFiles::rememberRecipient(QString(), {QStringLiteral("XYZ9876"), QString()}));
    QVERIFY(!dir.readAll(QStringLiteral("Destinatari.ini")).contains("XYZ9876"));
    QVERIFY(!QFile::exists(settingsFile()));
}

QTEST_MAIN_WITH_WORKSTATIONS(TestInvoiceFiles, workstation)
#include "tst_invoicefiles.moc"
