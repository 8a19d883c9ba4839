// Every save of the program on a disk that fails: a full file system (a small
// tmpfs, when the test runs as root) or a write refused on purpose through
// the one door all writes pass. Each screen shows its own failure message and
// no success box, and the file afterwards holds the old data or the new,
// never a mix.
#include "launcher/PasswordStore.h"
#include "export/ui/TfrmEsportaRic.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"
#include "storage/IniFile.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <optional>

namespace {

const QString kArchiveFailure = archiveAccessMessage();
const QString kSettingsMessage = QStringLiteral("the settings' own");
const QString kExportFailure = QString::fromUtf8("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                                 "Accertarsi che il file di Excel non sia già aperto.");

enum class Disk { Full, Injected };

// The program's folder on a disk that is made to fail once the scene is set:
// a small tmpfs filled to the last byte, or the fixture's folder with the
// writes refused from then on.
class FailingDisk
{
public:
    // inodes > 0: a tmpfs with that many files at most, all taken by fail().
    FailingDisk(Disk disk, TempAppDir& dir, FileWrites::Writer injected, int inodes = 0)
        : m_disk(disk), m_dir(dir), m_injected(std::move(injected)), m_inodes(inodes)
    {
        if (disk == Disk::Full) {
            m_fs.emplace(256, inodes);
            if (m_fs->mounted())
                m_here.emplace(m_fs->path());
        }
    }
    // Empty when the disk can be had here.
    QByteArray skipReason() const { return m_fs && !m_fs->mounted() ? m_fs->skipReason() : QByteArray(); }
    QString file(const QString& name) const { return m_fs ? m_fs->file(name) : m_dir.file(name); }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The program's files there, fillers aside.
    QStringList files() const
    {
        QStringList out;
        const QString folder = m_fs ? m_fs->path() : m_dir.path();
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (!name.startsWith(QLatin1String("riempitivo")))
                out << name;
        }
        return out;
    }
    // From now on the disk fails.
    bool fail()
    {
        if (m_disk == Disk::Injected) {
            m_swap.emplace(m_injected);
            return true;
        }
        return m_fs->fill() && (m_inodes == 0 || m_fs->fillInodes());
    }

private:
    Disk m_disk;
    TempAppDir& m_dir;
    FileWrites::Writer m_injected;
    std::optional<SmallTmpfs> m_fs;
    std::optional<AppDirAt> m_here;
    std::optional<DeviceWriterSwap> m_swap;
    int m_inodes;
};

// The three card screens, by what tells them apart.
struct CardScreenNames
{
    const char* screen;
    const char* file;
    int recordSize;
    const char* newButton;
    const char* saveButton;
    const char* keyField;       // the field Save requires
    const char* changedField;   // a field an update changes
    QString updateCaption;
};

const CardScreenNames kClients{"frmClienti", "Clienti.pro", TRecCliente::Size, "imgNuovo", "imgSalva", "txtOperatore",
                               "txtIndirizzo", QStringLiteral("Aggiornamento scheda effettuato con successo")};
const CardScreenNames kMaterials{"frmMateriali", "Materiali.pro", TRecMateriale::Size, "imgNuovo", "imgSalva", "txtCodice",
                                 "txtMarca", QStringLiteral("Aggiornamento scheda effettuato con successo")};
const CardScreenNames kReceipts{"frmRicevute", "2024.ric", TRecRicevuta::Size, "cmdNuovo", "cmdSalva", "txtCliente",
                                "txtIndirizzoCli", QStringLiteral("Aggiornamento effettuato con successo")};

const CardScreenNames& cardScreen(const QString& name)
{
    return name == QLatin1String("clients") ? kClients : name == QLatin1String("materials") ? kMaterials : kReceipts;
}

} // namespace

Q_DECLARE_METATYPE(Disk)

class TestFailingWrites : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cardSaves_data();
    void cardSaves();
    void wholeFiles_data();
    void wholeFiles();
    void newYearFileWithoutRoom();
    void failedRenameLeavesNoTemporary();

private:
    QLineEdit* edit(QWidget* screen, const char* name) { return control<QLineEdit>(screen, QLatin1String(name)); }
    // Opens a card screen as its tile does; the receipt editor on 2024.
    QWidget* openCards(const CardScreenNames& names);
    // A new card with key text, saved as the user does.
    void newCard(QWidget* screen, const CardScreenNames& names, const QString& key);

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
};

void TestFailingWrites::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestFailingWrites::init()
{
    screens->beginTest();
}

void TestFailingWrites::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    screens->endTest();
}

QWidget* TestFailingWrites::openCards(const CardScreenNames& names)
{
    QWidget* screen = ScreenFixture::screen(names.screen);
    if (auto* receipts = qobject_cast<TfrmRicevute*>(screen)) {
        receipts->showYearPanel();
        ScreenFixture::openWorkArea(receipts);
        edit(receipts, "txtAnno")->setText(QStringLiteral("2024"));
        control<QPushButton>(receipts, "cmdApri")->click();
        edit(receipts, "txtVenditore")->setText(QStringLiteral("Ditta Bianchi"));
    } else {
        ScreenFixture::openWorkArea(screen);
    }
    return screen;
}

void TestFailingWrites::newCard(QWidget* screen, const CardScreenNames& names, const QString& key)
{
    ScreenFixture::press(screen, names.newButton);
    typeInto(edit(screen, names.keyField), key);
}

void TestFailingWrites::cardSaves_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<bool>("update");
    QTest::addColumn<Disk>("disk");
    QTest::addColumn<bool>("saved");   // the disk took the record after all
    for (const char* cards : {"clients", "materials", "receipts"}) {
        // A new card on a full disk: part of the record fits in the file's
        // last block, the rest is refused.
        QTest::addRow("%s, new card, full file system", cards) << cards << false << Disk::Full << false;
        QTest::addRow("%s, new card, disk refusing after 100 bytes", cards) << cards << false << Disk::Injected << false;
        // Rewriting a card needs no new room: a full disk takes it whole.
        QTest::addRow("%s, stored card, full file system", cards) << cards << true << Disk::Full << true;
        QTest::addRow("%s, stored card, device taking all but one byte", cards) << cards << true << Disk::Injected << false;
    }
}

void TestFailingWrites::cardSaves()
{
    QFETCH(QString, cards);
    QFETCH(bool, update);
    QFETCH(Disk, disk);
    QFETCH(bool, saved);
    const CardScreenNames& names = cardScreen(cards);
    // The device takes all of the rewritten card but its last byte.
    FailingDisk place(disk, screens->dir(), update ? brokenWriteWriter(names.recordSize - 1) : fullDiskWriter(100));
    if (!place.skipReason().isEmpty())
        QSKIP(place.skipReason().constData());

    QWidget* screen = openCards(names);
    newCard(screen, names, QStringLiteral("Primo"));
    ScreenFixture::press(screen, names.saveButton);
    auto* position = control<QLabel>(screen, "lblPosizione");
    QCOMPARE(position->text(), QString("1"));
    if (update)
        typeInto(edit(screen, names.changedField), QStringLiteral("Via Nuova 1"));
    else
        newCard(screen, names, QStringLiteral("Secondo"));
    const QByteArray before = place.read(QLatin1String(names.file));
    QCOMPARE(before.size(), names.recordSize);
    const QStringList filesBefore = place.files();
    fake->clear();

    QVERIFY(place.fail());
    ScreenFixture::press(screen, names.saveButton);

    const QByteArray after = place.read(QLatin1String(names.file));
    QCOMPARE(place.files(), filesBefore);
    QCOMPARE(fake->messages.size(), 1);
    if (!saved) {
        QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
        QCOMPARE(fake->messages[0].text, kArchiveFailure);
        QCOMPARE(after, before);
        QCOMPARE(position->text(), update ? QString("1") : QString());
        return;
    }
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, names.updateCaption);
    QCOMPARE(after.size(), names.recordSize);
    QVERIFY(after != before);
    QVERIFY(after.contains("Via Nuova 1"));
    QVERIFY(after.contains("Primo"));
}

void TestFailingWrites::wholeFiles_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("file");
    QTest::addColumn<Disk>("disk");
    QTest::addColumn<QString>("message");   // empty: the screen has no message for it
    QTest::addColumn<int>("spare");         // bytes the injected disk still takes; -1: one settings file
    const QString logoMessage = TfrmLogo::unwritableMessage();
    const struct
    {
        const char* what;
        const char* file;
        QString message;
    } kinds[] = {
        // The settings' message names the file where it is: known at the row's start.
        {"settings on closing the receipts", "Impostazioni.ini", kSettingsMessage},
        {"numbering start", "Impostazioni.ini", kSettingsMessage},
        {"logo", "Logo.bmp", logoMessage},
        {"password store", "unins000.dll", PasswordStore::changeErrorMessage()},
        {"clients export", "Clienti.xls", kExportFailure},
        {"materials export", "Magazzino.xls", kExportFailure},
        {"receipts export", "Ricevute.xls", kExportFailure},
    };
    for (const auto& k : kinds) {
        QTest::addRow("%s, full file system", k.what) << k.what << k.file << Disk::Full << k.message << 0;
        QTest::addRow("%s, disk refusing after 10 bytes", k.what) << k.what << k.file << Disk::Injected << k.message << 10;
    }
    // Room for one more settings file, not two: written key by key, the
    // settings would keep the new rate beside the old company. Written in
    // one replacement, both go in.
    QTest::newRow("settings on closing the receipts, room for one file") << "settings on closing the receipts"
                                                                         << "Impostazioni.ini" << Disk::Injected
                                                                         << QString() << -1;
}

void TestFailingWrites::wholeFiles()
{
    QFETCH(QString, what);
    QFETCH(QString, file);
    QFETCH(Disk, disk);
    QFETCH(QString, message);
    QFETCH(int, spare);
    const QByteArray settings = "[Dati Azienda]\r\nNome=Ditta Bianchi\r\n\r\n[Aliquota IVA]\r\nPercentuale=22\r\n\r\n"
                                "[Numerazione Ricevute]\r\nInizio=7\r\n";
    FailingDisk place(disk, screens->dir(), fullDiskWriter(spare >= 0 ? spare : settings.size() + 16));
    if (!place.skipReason().isEmpty())
        QSKIP(place.skipReason().constData());
    if (message == kSettingsMessage)
        message = ReceiptSettings::unwritableMessage(IniFile::Written{});

    // The scene: every file as a first, successful save left it.
    QVERIFY(IniFile::write(place.file("Impostazioni.ini"),
                           {{"Dati Azienda", "Nome", "Ditta Bianchi"}, {"Aliquota IVA", "Percentuale", "22"},
                            {"Numerazione Ricevute", "Inizio", "7"}}));
    QCOMPARE(place.read("Impostazioni.ini"), settings);
    QImage logo(30, 30, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QVERIFY(logo.save(place.file("Logo.bmp"), "BMP"));
    QVERIFY(PasswordStore::write(QStringLiteral("VENTORIA")));
    for (const char* name : {"Clienti.xls", "Magazzino.xls", "Ricevute.xls"}) {
        QFile old(place.file(name));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("<html>the whole export of yesterday</html>");
    }
    using C = TRecCliente;
    using M = TRecMateriale;
    using R = TRecRicevuta;
    qint64 at = 0;
    QVERIFY(ArchiveFile(place.file("Clienti.pro"), C::Size).append(sampleBytes<C>({{&C::Nominativo, "Rossi Mario"}}), at));
    QVERIFY(ArchiveFile(place.file("Materiali.pro"), M::Size).append(sampleBytes<M>({{&M::Codice, "A-1"}}), at));
    QVERIFY(ArchiveFile(place.file("2024.ric"), R::Size).append(sampleBytes<R>({{&R::NumRic, "1"}}), at));
    const QByteArray before = place.read(file);
    QVERIFY(!before.isEmpty());

    // What the user does, up to the last click; act() is that click.
    std::function<void()> act;
    QList<bool> answers;
    QWidget* stays = nullptr;   // the window that stays open after the failure
    if (what.startsWith("settings")) {
        auto* receipts = qobject_cast<TfrmRicevute*>(openCards(kReceipts));
        typeInto(edit(receipts, "txtVenditore"), QStringLiteral(" Verdi"));
        edit(receipts, "txtPercIva")->clear();
        typeInto(edit(receipts, "txtPercIva"), QStringLiteral("10"));
        act = [receipts] { receipts->close(); };
    } else if (what.startsWith("numbering")) {
        auto* d = qobject_cast<QDialog*>(ScreenFixture::screen("frmNumerazione"));
        d->open();
        press(control<QSpinBox>(d, "scrInizio"), Qt::Key_Up, QString());
        act = [d] { clickOn(control<QPushButton>(d, "cmdApplica")); };
        stays = d;
    } else if (what == "logo") {
        auto* d = qobject_cast<QDialog*>(ScreenFixture::screen("frmLogo"));
        d->open();
        ScreenFixture::press(d, "imgEuro");
        act = [d] { clickOn(control<QPushButton>(d, "cmdApplica")); };
        stays = d;
    } else if (what.startsWith("password")) {
        QWidget* d = ScreenFixture::screen("frmCambiaPassword");
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        typeInto(edit(d, "txtPasswordOld"), QStringLiteral("ventoria"));
        typeInto(edit(d, "txtPasswordNew"), QStringLiteral("bottega"));
        typeInto(edit(d, "txtConferma"), QStringLiteral("bottega"));
        act = [d] { clickOn(control<QPushButton>(d, "cmdOK")); };
        stays = d;
    } else {
        const char* window = what.startsWith("clients") ? "frmEsportaCli"
                             : what.startsWith("materials") ? "frmEsportaMat"
                                                            : "frmEsportaRic";
        QWidget* w = ScreenFixture::screen(window);
        if (auto* ric = qobject_cast<TfrmEsportaRic*>(w))
            ric->setYear(QStringLiteral("2024"));
        w->show();
        // Export now; the second Yes (open it) must stay unused: no question follows a failure.
        answers = {true, true};
        act = [w] { ScreenFixture::press(w, "imgExcel"); };
        stays = w;
    }
    const QStringList filesBefore = place.files();
    fake->clear();
    for (bool a : answers)
        fake->answers.enqueue(a);

    QVERIFY(place.fail());
    act();

    if (spare < 0) {
        QCOMPARE(place.read(file), QByteArray(settings).replace("Bianchi", "Bianchi Verdi").replace("=22", "=10"));
        QVERIFY(fake->messages.isEmpty());
        return;
    }
    QCOMPARE(place.read(file), before);
    QCOMPARE(place.files(), filesBefore);
    QStringList shown;
    for (const ShownMessage& m : fake->messages) {
        if (m.kind != MessageKind::Question)
            shown << m.text;
    }
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(fake->messages.last().kind, MessageKind::Plain);
    QVERIFY(!fake->questions.contains(QStringLiteral(
        "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?")));
    QCOMPARE(fake->busyDepth, 0);
    if (stays)
        QVERIFY(stays->isVisible());
}

void TestFailingWrites::newYearFileWithoutRoom()
{
    // New counts the year's receipts, creating the year file when it is
    // missing: on a disk with no room for one more file that fails.
    FailingDisk place(Disk::Full, screens->dir(), nullptr, 16);
    if (!place.skipReason().isEmpty())
        QSKIP(place.skipReason().constData());
    auto* receipts = qobject_cast<TfrmRicevute*>(openCards(kReceipts));
    edit(receipts, "txtCliente")->setText(QStringLiteral("Rossi Mario"));
    QVERIFY(place.fail());

    ScreenFixture::press(receipts, "cmdNuovo");

    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[0].text, kArchiveFailure);
    QVERIFY(!QFile::exists(place.file("2024.ric")));
    QCOMPARE(edit(receipts, "txtNumRic")->text(), QString());
    QCOMPARE(edit(receipts, "txtCliente")->text(), QString("Rossi Mario"));
}

void TestFailingWrites::failedRenameLeavesNoTemporary()
{
    // Between the temporary file written and its rename, the name came to
    // hold a folder with something in it: no rename can replace that.
    TempAppDir& dir = screens->dir();
    dir.writeAll("Clienti.xls", "<html>yesterday</html>");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    FileWrites::Replacement replacement(dir.file("Clienti.xls"));
    QVERIFY(replacement.write(QByteArray("<html>today</html>")));
    QVERIFY(QFile::remove(dir.file("Clienti.xls")));
    QVERIFY(QDir(dir.path()).mkpath("Clienti.xls/inside"));

    QVERIFY(!replacement.commit());

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QCOMPARE(QDir(dir.file("Clienti.xls")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"inside"});
}

QTEST_MAIN(TestFailingWrites)
#include "tst_failingwrites.moc"
