#include "storage/IniFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileDevice>
#include <QtTest>

namespace {

QStringList filesIn(const QString& path)
{
    return QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QByteArray kSettings = "[Dati Azienda]\r\nVenditore=Rossi srl\r\n\r\n[Aliquota IVA]\r\nValore=22\r\n";

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void missingReadsEmpty();
    void writeCreatesFileAndSection();
    void rewriteKeepsEverythingElse();
    void namesAreCaseInsensitive();
    void valuesAreWindows1252();
    void keyGivenWithBlanksIsWrittenAsReplaced_data();
    void keyGivenWithBlanksIsWrittenAsReplaced();
    void unreadableFileIsAFailure();
    void writeReplacesALinkNeverItsTarget();
    void oversizedFileRefusedUnread();
    void failedWriteKeepsOldFile();
    void fullFileSystemKeepsOldFile();
};

void TestIniFile::missingReadsEmpty()
{
    TempAppDir dir;
    QString value = "x";
    QVERIFY(IniFile::read(dir.file("nessuno.ini"), "Accesso", "Valore", value));
    QCOMPARE(value, QString());
    dir.writeAll("a.ini", "[Altro]\r\nValore=1\r\n[Accesso]\r\nAltroValore=2\r\n");
    QVERIFY(IniFile::read(dir.file("a.ini"), "Accesso", "Valore", value));
    QCOMPARE(value, QString());
    QVERIFY(IniFile::read(dir.file("a.ini"), "Manca", "Valore", value));
    QCOMPARE(value, QString());
}

void TestIniFile::writeCreatesFileAndSection()
{
    TempAppDir dir;
    const QString path = dir.file("Impostazioni.ini");
    QVERIFY(IniFile::write(path, "Dati Azienda", "Venditore", "Rossi srl"));
    QVERIFY(IniFile::write(path, "Aliquota IVA", "Valore", "22"));
    QVERIFY(IniFile::write(path, "Dati Azienda", "Citta", "Roma"));
    QCOMPARE(dir.readAll("Impostazioni.ini"),
             QByteArray("[Dati Azienda]\r\nVenditore=Rossi srl\r\nCitta=Roma\r\n\r\n"
                        "[Aliquota IVA]\r\nValore=22\r\n"));
    QCOMPARE(IniFile::read(path, "Dati Azienda", "Citta"), QString("Roma"));
    QCOMPARE(IniFile::read(path, "Aliquota IVA", "Valore"), QString("22"));
}

void TestIniFile::rewriteKeepsEverythingElse()
{
    TempAppDir dir;
    const QByteArray original = "; impostazioni\r\n[Finestra]\r\nLargo=800\r\nAlto=600\r\n\r\n"
                                "[Accesso]\r\nValore=0011\r\nNota=altro\r\n\r\n[Coda]\r\nX=1\r\n";
    dir.writeAll("unins000.dll", original);
    QVERIFY(IniFile::write(dir.file("unins000.dll"), "Accesso", "Valore", "ABCD"));
    QByteArray expected = original;
    expected.replace("Valore=0011", "Valore=ABCD");
    QCOMPARE(dir.readAll("unins000.dll"), expected);

    // A new key goes at the end of its own section, before the blank line.
    QVERIFY(IniFile::write(dir.file("unins000.dll"), "Finestra", "Stato", "max"));
    expected.replace("Alto=600\r\n", "Alto=600\r\nStato=max\r\n");
    QCOMPARE(dir.readAll("unins000.dll"), expected);
}

void TestIniFile::namesAreCaseInsensitive()
{
    TempAppDir dir;
    dir.writeAll("p.ini", "[ACCESSO]\nvalore = 1A2B \n");
    QCOMPARE(IniFile::read(dir.file("p.ini"), "Accesso", "Valore"), QString("1A2B"));
    QVERIFY(IniFile::write(dir.file("p.ini"), "accesso", "VALORE", "FF"));
    QCOMPARE(dir.readAll("p.ini"), QByteArray("[ACCESSO]\r\nvalore=FF\r\n"));
}

void TestIniFile::valuesAreWindows1252()
{
    TempAppDir dir;
    QVERIFY(IniFile::write(dir.file("i.ini"), "Dati Azienda", "Citta", QString::fromUtf8("Forlì")));
    QCOMPARE(dir.readAll("i.ini"), QByteArray("[Dati Azienda]\r\nCitta=Forl\xec\r\n"));
    QCOMPARE(IniFile::read(dir.file("i.ini"), "dati azienda", "citta"), QString::fromUtf8("Forlì"));
}

// A key added to a file went in as given, blanks and all, while replacing
// it wrote it trimmed: writing the same key twice changed the file twice.
void TestIniFile::keyGivenWithBlanksIsWrittenAsReplaced_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::newRow("new section") << testDataFile("storage/settings-without-numbering.ini");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("existing section")
        << testDataFile("storage/settings-without-numbering.ini") + "[Numerazione Ricevute]\r\n";
}

void TestIniFile::keyGivenWithBlanksIsWrittenAsReplaced()
{
    QFETCH(QByteArray, original);
    TempAppDir dir;
    const QString path = dir.file("Impostazioni.ini");
    dir.writeAll("Impostazioni.ini", original);
    QVERIFY(IniFile::write(path, "Numerazione Ricevute", "Inizio ", "5"));
    const QByteArray once = dir.readAll("Impostazioni.ini");
    QVERIFY(once.contains("\r\nInizio=5\r\n"));
    QVERIFY(IniFile::write(path, "Numerazione Ricevute", "Inizio ", "5"));
    QCOMPARE(dir.readAll("Impostazioni.ini"), once);
    QCOMPARE(IniFile::read(path, "Numerazione Ricevute", "Inizio"), QString("5"));
    QCOMPARE(IniFile::withValue(original, "Numerazione Ricevute", " Inizio", "5"), once);
}

void TestIniFile::unreadableFileIsAFailure()
{
    TempAppDir dir;
    dir.putFolderInPlaceOf("unins000.dll");
    QString value;
    QVERIFY(!IniFile::read(dir.file("unins000.dll"), "Accesso", "Valore", value));
    QVERIFY(!IniFile::write(dir.file("unins000.dll"), "Accesso", "Valore", "00"));
    // Nor is a FIFO read, nor waited on, nor replaced.
    NEED_FIFOS();
    QVERIFY(QDir(dir.path()).rmdir("unins000.dll") && makeFifo(dir.file("unins000.dll")));
    QVERIFY(!IniFile::read(dir.file("unins000.dll"), "Accesso", "Valore", value));
    QVERIFY(!IniFile::write(dir.file("unins000.dll"), "Accesso", "Valore", "00"));
    QVERIFY(!QFileInfo(dir.file("unins000.dll")).isFile());
}

void TestIniFile::writeReplacesALinkNeverItsTarget()
{
    TempAppDir dir, elsewhere;
    elsewhere.writeAll("theirs.ini", kSettings);
    PLANT_LINK(elsewhere.file("theirs.ini"), dir.file("Impostazioni.ini"));
    QVERIFY(IniFile::write(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", "10"));
    QCOMPARE(elsewhere.readAll("theirs.ini"), kSettings);
    QVERIFY(!QFileInfo(dir.file("Impostazioni.ini")).isSymLink());
    // Read as an empty file: what the link pointed to (somebody's private
    // file, maybe) never lands in the shared folder.
    QCOMPARE(dir.readAll("Impostazioni.ini"), QByteArray("[Aliquota IVA]\r\nValore=10\r\n"));
}

void TestIniFile::oversizedFileRefusedUnread()
{
    TempAppDir dir;
    dir.writeAll("Impostazioni.ini", kSettings);
    QFile big(dir.file("Impostazioni.ini"));
    QVERIFY(big.resize(IniFile::kMaxFileSize + 1));   // sparse: the tail reads as zeros
    QString value = "x";
    QVERIFY(!IniFile::read(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", value));
    QCOMPARE(value, QString());
    QVERIFY(!IniFile::write(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", "10"));
    QCOMPARE(QFileInfo(dir.file("Impostazioni.ini")).size(), IniFile::kMaxFileSize + 1);

    // At the limit the file is still read.
    QVERIFY(big.resize(IniFile::kMaxFileSize));
    QVERIFY(IniFile::read(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", value));
}

void TestIniFile::failedWriteKeepsOldFile()
{
    TempAppDir dir;
    dir.writeAll("Impostazioni.ini", kSettings);
    {
        // Part of the data goes out, then the device refuses, as a full disk does.
        DeviceWriterSwap failing(fullDiskWriter(10));
        QVERIFY(!IniFile::write(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", "10"));
    }
    QCOMPARE(dir.readAll("Impostazioni.ini"), kSettings);
    QCOMPARE(filesIn(dir.path()), QStringList{"Impostazioni.ini"});
    // The writer in force again, writing works.
    QVERIFY(IniFile::write(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore", "10"));
    QCOMPARE(IniFile::read(dir.file("Impostazioni.ini"), "Aliquota IVA", "Valore"), QString("10"));
}

void TestIniFile::fullFileSystemKeepsOldFile()
{
    SmallTmpfs fs;
    if (!fs.mounted())
        QSKIP(fs.skipReason().constData());
    const QString path = fs.file("Impostazioni.ini");
    QVERIFY(IniFile::write(path, "Dati Azienda", "Venditore", "Rossi srl"));
    const QByteArray before = QByteArray("[Dati Azienda]\r\nVenditore=Rossi srl\r\n");
    QVERIFY(fs.fill());

    QVERIFY(!IniFile::write(path, "Dati Azienda", "Citta", "Roma"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(filesIn(fs.path()), (QStringList{"Impostazioni.ini", "riempitivo"}));
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
