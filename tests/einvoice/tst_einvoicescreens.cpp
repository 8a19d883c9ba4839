#include "ScreenFixture.h"

#include "einvoice/InvoiceFiles.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptTotals.h"
#include "receipts/ui/TfrmRicevute.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "storage/ArchiveFile.h"
#include "storage/IniFile.h"
#include "storage/ReceiptRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// A receipt the exchange system takes: a seller and a client with valid
// codes and full addresses, one line at 22 per cent.
TRecRicevuta invoiceable(const QString& number, const QString& date)
{
    TRecRicevuta r;
    r.Ricevuta = QStringLiteral("Ricevuta n.");
    r.NumRic = number;
    r.Data = date;
    r.Venditore = QStringLiteral("Elettro Rossi snc");
    r.IndirizzoVen = QStringLiteral("Via Roma 1");
    r.CapVen = QStringLiteral("40100");
    r.CittaVen = QStringLiteral("Bologna");
    r.ProvVen = QStringLiteral("BO");
    r.IvaVen = QStringLiteral("01234567897");
    r.Cliente = QStringLiteral("Bianchi Anna");
    r.IndirizzoCli = QStringLiteral("Via Po 2");
    r.CapCli = QStringLiteral("10100");
    r.CittaCli = QStringLiteral("Torino");
    r.ProvCli = QStringLiteral("TO");
    r.CodFiscCli = QStringLiteral("RSSMRA80A01H501U");
    r.ModPag = QStringLiteral("Bonifico bancario a 30 giorni");
    r.Banca = QStringLiteral("Banca Sella - IBAN IT60 X054 2811 1010 0000 0123 456");
    r.Quant[0] = QStringLiteral("2");
    r.Desc[0] = QStringLiteral("Riparazione lavatrice");
    r.PrezzoUni[0] = QStringLiteral("10,50");
    r.PercIva = QStringLiteral("22");
    ComputeTotals(r);
    r.Saldato = QStringLiteral("No");
    return r;
}

// The dialog while it is up, handed to act; Annulla closes it if act left it open.
void whileDialogUp(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* dialog = shownTopLevel("frmFatturaElettronica");
        QVERIFY(dialog);
        auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                control<QPushButton>(dialog, "cmdAnnulla")->click();
        });
        act(dialog);
    });
}

QStringList invoices()
{
    return QDir(InvoiceFiles::folderPath()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestEInvoiceScreens : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editorInvoicesOnlyTheStoredReceipt_data();
    void editorInvoicesOnlyTheStoredReceipt();
    void editorProposesAndWritesTheStoredReceipt();
    void dialogKeepsChoicesTheFileCannotTake_data();
    void dialogKeepsChoicesTheFileCannotTake();
    void refusedReceiptPointsAtItsField();
    void monthWritesEveryReceiptAndNamesTheRefused();

private:
    void put(const QList<TRecRicevuta>& receipts)
    {
        ArchiveFile file(dir->file("2024.ric"), TRecRicevuta::Size);
        for (const TRecRicevuta& r : receipts) {
            qint64 at = 0;
            QVERIFY(file.append(r.encode(), at));
        }
    }
    // The editor on 2024, showing its first receipt.
    TfrmRicevute* editorOnFirst()
    {
        auto* editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
        editor->showYearPanel();
        if (!ScreenFixture::openWorkArea(editor))
            return nullptr;
        control<QLineEdit>(editor, "txtAnno")->setText("2024");
        control<QPushButton>(editor, "cmdApri")->click();
        ScreenFixture::press(editor, "imgPrimo");
        return editor;
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
};

void TestEInvoiceScreens::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
}

void TestEInvoiceScreens::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestEInvoiceScreens::cleanup()
{
    if (QWidget* editor = ScreenFixture::screen("frmRicevute"); editor->isVisible()) {
        fake->choices.enqueue(platform::Platform::Answer::No);
        editor->close();
    }
    screens->endTest();
}

void TestEInvoiceScreens::editorInvoicesOnlyTheStoredReceipt_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("said");
    QTest::newRow("never saved") << false << "La ricevuta corrente non è ancora stata salvata in archivio.";
    QTest::newRow("typed since saved") << true << "La ricevuta corrente ha modifiche non salvate.";
}

void TestEInvoiceScreens::editorInvoicesOnlyTheStoredReceipt()
{
    QFETCH(bool, stored);
    QFETCH(QString, said);
    put({invoiceable("1", "05/03/2024")});
    TfrmRicevute* editor = editorOnFirst();
    QVERIFY(editor);
    if (stored)
        typeInto(control<QLineEdit>(editor, "txtDesc01"), QStringLiteral(" e asciugatrice"));
    else
        ScreenFixture::press(editor, "cmdNuovo");
    fake->clear();
    ScreenFixture::press(editor, "cmdFatturaElettronica");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QStringLiteral("Fattura elettronica non applicabile"));
    QVERIFY2(fake->messages[0].text.startsWith(said), qPrintable(fake->messages[0].text));
    QVERIFY(!QFileInfo::exists(InvoiceFiles::folderPath()));
}

void TestEInvoiceScreens::editorProposesAndWritesTheStoredReceipt()
{
    put({invoiceable("1", "05/03/2024")});
    dir->writeAll("Destinatari.ini", "[RSSMRA80A01H501U]\r\nCodice destinatario=0000000\r\nPEC=anna@pec.it\r\n");
    TfrmRicevute* editor = editorOnFirst();
    QVERIFY(editor);
    bool seen = false;
    whileDialogUp([&seen](QWidget* d) {
        seen = true;
        QCOMPARE(control<QLineEdit>(d, "txtCodiceDestinatario")->text(), QStringLiteral("0000000"));
        QCOMPARE(control<QLineEdit>(d, "txtPEC")->text(), QStringLiteral("anna@pec.it"));
        QCOMPARE(control<QComboBox>(d, "cboRegimeFiscale")->currentData().toString(), QStringLiteral("RF01"));
        QVERIFY(!control<QComboBox>(d, "cboNatura")->isEnabled());
        QCOMPARE(control<QComboBox>(d, "cboModalitaPagamento")->currentData().toString(), QStringLiteral("MP05"));
        QCOMPARE(control<QLineEdit>(d, "txtIBAN")->text(), QStringLiteral("IT60X0542811101000000123456"));
        QVERIFY(!control<QCheckBox>(d, "chkBollo")->isChecked());
        // The client has a code now: typed (in small letters, shown capital), the PEC emptied.
        auto* code = control<QLineEdit>(d, "txtCodiceDestinatario");
        code->selectAll();
        typeInto(code, QStringLiteral("abc1234"));
        control<QLineEdit>(d, "txtPEC")->clear();
        control<QPushButton>(d, "cmdCrea")->click();
    });
    fake->answers.enqueue(true);
    ScreenFixture::press(editor, "cmdFatturaElettronica");
    QVERIFY(seen);
    // Nothing but the closing question.
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY2(fake->messages[0].kind == MessageKind::Question, qPrintable(fake->lastMessage()));
    QCOMPARE(invoices(), QStringList{"IT01234567897_00001.xml"});
    const QByteArray xml = dir->readAll("Fatture elettroniche/IT01234567897_00001.xml");
    QVERIFY(xml.contains("<CodiceDestinatario>ABC1234</CodiceDestinatario>"));
    QVERIFY(!xml.contains("PECDestinatario"));
    QVERIFY(xml.contains("<IBAN>IT60X0542811101000000123456</IBAN>"));
    QVERIFY(xml.contains("<ImportoTotaleDocumento>25.62</ImportoTotaleDocumento>"));
    // The closing question names the file and opens the folder on Yes.
    QVERIFY(fake->questions.last().contains(QDir::toNativeSeparators(InvoiceFiles::folderPath())
                                            + QDir::separator() + QStringLiteral("IT01234567897_00001.xml")));
    QCOMPARE(fake->opened, QStringList{QStringLiteral("folder:") + InvoiceFiles::folderPath()});
    // The code typed is proposed next time, without the PEC.
    QCOMPARE(InvoiceFiles::rememberedRecipient("RSSMRA80A01H501U").code, QStringLiteral("ABC1234"));
    QVERIFY(InvoiceFiles::rememberedRecipient("RSSMRA80A01H501U").pec.isEmpty());
}

void TestEInvoiceScreens::dialogKeepsChoicesTheFileCannotTake_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("pec");
    QTest::addColumn<QString>("focused");
    QTest::newRow("code of five") << "22" << "ABC12" << "" << "txtCodiceDestinatario";
    QTest::newRow("code with a blank") << "22" << "ABC 123" << "" << "txtCodiceDestinatario";
    QTest::newRow("PEC not an address") << "22" << "0000000" << "anna.pec.it" << "txtPEC";
    QTest::newRow("zero rate without nature") << "0" << "0000000" << "" << "cboNatura";
}

void TestEInvoiceScreens::dialogKeepsChoicesTheFileCannotTake()
{
    QFETCH(QString, rate);
    QFETCH(QString, code);
    QFETCH(QString, pec);
    QFETCH(QString, focused);
    TRecRicevuta r = invoiceable("1", "05/03/2024");
    r.PercIva = rate;
    ComputeTotals(r);
    put({r});
    TfrmRicevute* editor = editorOnFirst();
    QVERIFY(editor);
    whileDialogUp([&](QWidget* d) {
        auto* txtCode = control<QLineEdit>(d, "txtCodiceDestinatario");
        txtCode->selectAll();
        typeInto(txtCode, code);
        typeInto(control<QLineEdit>(d, "txtPEC"), pec);
        fake->clear();
        control<QPushButton>(d, "cmdCrea")->click();
        QVERIFY(d->isVisible());
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].caption, QStringLiteral("Fattura elettronica non applicabile"));
        QCOMPARE(d->focusWidget()->objectName(), focused);
    });
    ScreenFixture::press(editor, "cmdFatturaElettronica");
    QVERIFY(invoices().isEmpty());
}

void TestEInvoiceScreens::refusedReceiptPointsAtItsField()
{
    TRecRicevuta r = invoiceable("1", "05/03/2024");
    r.CapCli = QStringLiteral("1010");
    put({r});
    TfrmRicevute* editor = editorOnFirst();
    QVERIFY(editor);
    whileDialogUp([](QWidget* d) { control<QPushButton>(d, "cmdCrea")->click(); });
    fake->clear();
    ScreenFixture::press(editor, "cmdFatturaElettronica");
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY2(fake->messages[0].text.contains(QStringLiteral("CAP")), qPrintable(fake->messages[0].text));
    QCOMPARE(editor->focusWidget(), control<QLineEdit>(editor, "txtCapCli"));
    QVERIFY(invoices().isEmpty());
    // Nothing spent: the next invoice still takes the first progressive.
    QVERIFY(IniFile::read(dir->file("Impostazioni.ini"), InvoiceFiles::progressiveSection(),
                          InvoiceFiles::progressiveKey())
                .isEmpty());
}

void TestEInvoiceScreens::monthWritesEveryReceiptAndNamesTheRefused()
{
    TRecRicevuta noClientCode = invoiceable("2", "06/03/2024");
    noClientCode.CodFiscCli = QStringLiteral("RSSMRA80A01H501X");
    put({invoiceable("1", "05/03/2024"), noClientCode, invoiceable("3", "01/02/2024"), invoiceable("4", "31/03/2024")});
    TfrmRiepMensileRic summary;
    summary.setYear(ReceiptArchive::yearFilePath("2024"), "2024");
    summary.show();
    auto* cbo = control<QComboBox>(&summary, "cboMese");
    cbo->setFocus();
    for (int i = 0; i < 3; ++i)
        press(cbo, Qt::Key_Down, QString());
    auto* cmdFatture = control<QPushButton>(&summary, "cmdFatture");
    QVERIFY(!cmdFatture->isEnabled());
    control<QPushButton>(&summary, "cmdTrova")->click();
    QVERIFY(cmdFatture->isEnabled());
    whileDialogUp([](QWidget* d) {
        // Asked once for the month: the IBAN comes from each receipt.
        QVERIFY(control<QLineEdit>(d, "txtIBAN")->text().isEmpty());
        auto* method = control<QComboBox>(d, "cboModalitaPagamento");
        method->setCurrentIndex(method->findData(QStringLiteral("MP05")));
        control<QPushButton>(d, "cmdCrea")->click();
    });
    cmdFatture->click();
    QCOMPARE(invoices(), QStringList({"IT01234567897_00001.xml", "IT01234567897_00002.xml"}));
    QVERIFY(dir->readAll("Fatture elettroniche/IT01234567897_00002.xml").contains("<Numero>4</Numero>"));
    QVERIFY(dir->readAll("Fatture elettroniche/IT01234567897_00002.xml").contains("<IBAN>IT60X0542811101000000123456</IBAN>"));
    const QString said = fake->questions.last();
    QVERIFY2(said.startsWith(QStringLiteral("Fatture elettroniche create: 2.\nRicevute rifiutate: 1.")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("- Ricevuta n. 2 del 06/03/2024 (Bianchi Anna): ")), qPrintable(said));
}

QTEST_MAIN(TestEInvoiceScreens)
#include "tst_einvoicescreens.moc"
