#include "SampleRecords.h"
#include "ScreenFixture.h"

#include "clients/ui/TfrmCercaCliente.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/RecordList.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ArchiveFile.h"
#include "storage/ClientRecord.h"
#include "storage/IniFile.h"
#include "storage/MaterialRecord.h"
#include "warehouse/ui/TfrmCercaMateriale.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

// While the search named runs modally, lists every card and chooses the only
// line with a double click, as a user would; the loop ends whatever happens.
template <class Search>
void chooseTheOnlyLine(const char* name)
{
    QTimer::singleShot(0, [name] {
        Search* search = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                search = qobject_cast<Search*>(w);
        }
        QVERIFY(search);
        auto close = qScopeGuard([search] { search->reject(); });
        control<QPushButton>(search, "cmdTrova")->click();
        auto* list = control<RecordList>(search, "lstRecords");
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        search->lstRecordsDblClick();
    });
}

class TestReceiptEditor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void newNumbersFromStartAndCount_data();
    void newNumbersFromStartAndCount();
    void newRefusedWithoutAKnownStart_data();
    void newRefusedWithoutAKnownStart();
    void saveWritesPaidMark_data();
    void saveWritesPaidMark();
    void vatTotalShownWholeStoredFitted();
    void browseThenUpdateInPlace();
    void takenNumberAsksBeforeAppending_data();
    void takenNumberAsksBeforeAppending();
    void okComputesAndTypingEmptiesTotals();
    void keyFilters_data();
    void keyFilters();
    void discountAbove100IsRefusedOnLeaving();
    void discountAbove100IsCappedOnSave();
    void settingsReadOnShowingWrittenOnClosing();
    void clientImportFillsTheClientBlock();
    void applianceImportFillsTheApplianceBlock();
    void pagesShowFiveLinesEach();
    void reportLineLoadsTheReceipt();
    void everyBindingHasExactlyOneControl();
    void yearBoxRefusesTwoPastesInARow();
    void focusBackOnTheLineAfterAnImport_data();
    void focusBackOnTheLineAfterAnImport();
    void numbersThatOnlyLookAlikeAreNotTaken_data();
    void numbersThatOnlyLookAlikeAreNotTaken();
    void largestAmountStoredToTheCent();
    void toolbarPicturesNameThemselves_data();
    void toolbarPicturesNameThemselves();
    void summaryPicturesTellApart();

private:
    QLineEdit* edit(const QString& name) { return control<QLineEdit>(editor, name); }
    void release(const char* name) { ScreenFixture::press(editor, name); }
    void openYear(const QString& year = QStringLiteral("2024"))
    {
        auto* box = edit("txtAnno");
        box->setText(year);
        control<QPushButton>(editor, "cmdApri")->click();
    }
    void fillSavable()
    {
        edit("txtVenditore")->setText("Ditta Bianchi");
        edit("txtCliente")->setText("Rossi Mario");
    }
    TRecRicevuta stored(int position) const
    {
        return TRecRicevuta::decode(dir->readAll("2024.ric").mid((position - 1) * TRecRicevuta::Size, TRecRicevuta::Size));
    }
    void putReceipts(int n)
    {
        ArchiveFile file(dir->file("2024.ric"), TRecRicevuta::Size);
        for (int i = 0; i < n; ++i) {
            using R = TRecRicevuta;
            qint64 at = 0;
            QVERIFY(file.append(sampleBytes<R>({{&R::NumRic, QString::number(i + 1)},
                                                {&R::Cliente, QStringLiteral("Cliente %1").arg(i + 1)},
                                                {&R::Saldato, QStringLiteral("Sì")}}),
                                at));
        }
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    TfrmRicevute* editor = nullptr;
};

void TestReceiptEditor::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
    QVERIFY(editor);
}

void TestReceiptEditor::init()
{
    screens->beginTest();
    dir = &screens->dir();
    editor->showYearPanel();
    QVERIFY(ScreenFixture::openWorkArea(editor));
    openYear();
}

void TestReceiptEditor::cleanup()
{
    editor->close();
    screens->endTest();
}

void TestReceiptEditor::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");   // "" for an amount: nothing to type there
    QTest::addColumn<QStringList>("amounts");   // "control=text" typed before Save
    const QString date = QString::fromUtf8("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/anno.");
    QTest::newRow("company first") << "" << "" << "" << "" << QString::fromUtf8("Per salvare la scheda è necessario indicare il cognome e il nome o la ragione sociale della ditta emittente.") << "txtVenditore" << QStringList();
    QTest::newRow("client") << "Ditta" << " " << "1" << "05/03/2024" << QString::fromUtf8("Per salvare la scheda è necessario indicare il cognome e il nome del cliente.") << "txtCliente" << QStringList();
    QTest::newRow("number") << "Ditta" << "Rossi" << "" << "05/03/2024" << QString::fromUtf8("Per salvare la scheda è necessario indicare il numero della ricevuta.") << "txtNumRic" << QStringList();
    QTest::newRow("date empty") << "Ditta" << "Rossi" << "1" << "" << QString::fromUtf8("Per salvare la scheda è necessario indicare la data della ricevuta.") << "txtData" << QStringList();
    QTest::newRow("29/02/2023") << "Ditta" << "Rossi" << "1" << "29/02/2023" << date << "txtData" << QStringList();
    QTest::newRow("short year") << "Ditta" << "Rossi" << "1" << "05/03/24" << date << "txtData" << QStringList();
    QTest::newRow("one-digit day") << "Ditta" << "Rossi" << "1" << "5/03/2024" << date << "txtData" << QStringList();
    const auto tooLarge = [](const char* field) {
        return QString::fromUtf8("Il valore del campo %1 è troppo grande per essere memorizzato al centesimo.").arg(QString::fromUtf8(field));
    };
    QTest::newRow("line total") << "Ditta" << "Rossi" << "1" << "05/03/2024" << tooLarge("Prezzo tot. della riga 3") << ""
                                << QStringList{"txtQuant03=1000", "txtPrezzoUni03=30000000"};
    // Ten million needs one character more than the field has with its cents.
    QTest::newRow("line total one cent over") << "Ditta" << "Rossi" << "1" << "05/03/2024" << tooLarge("Prezzo tot. della riga 1") << ""
                                              << QStringList{"txtQuant01=2", "txtPrezzoUni01=5000000"};
    // 8.399.103,80 + 22% = 10.246.906,64: the VAT total fits, the grand total not.
    QTest::newRow("grand total") << "Ditta" << "Rossi" << "1" << "05/03/2024" << tooLarge("TOTALE") << ""
                                 << QStringList{"txtPrezzoUni01=8399103,8", "txtPercIva=22"};
    // 7.000.000,00 at 150%: the VAT total, 10.500.000,00, has no room for its cents.
    QTest::newRow("VAT total") << "Ditta" << "Rossi" << "1" << "05/03/2024" << tooLarge("Totale IVA") << ""
                               << QStringList{"txtPrezzoUni01=7000000", "txtPercIva=150"};
}

void TestReceiptEditor::saveChecksInOrder()
{
    QFETCH(QString, message);
    QFETCH(QString, focus);
    edit("txtVenditore")->setText(QTest::currentDataTag() == QByteArray("company first") ? QString() : QStringLiteral("Ditta"));
    QFETCH(QString, client);
    QFETCH(QString, number);
    QFETCH(QString, date);
    edit("txtCliente")->setText(client);
    edit("txtNumRic")->setText(number);
    edit("txtData")->setText(date);
    QFETCH(QStringList, amounts);
    for (const QString& a : amounts)
        edit(a.section('=', 0, 0))->setText(a.section('=', 1));
    release("cmdSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages.last().caption, QString::fromUtf8("Salvataggio scheda non applicabile"));
    QCOMPARE(fake->messages.last().text, message);
    QCOMPARE(fake->messages.last().icon, platform::MessageIcon::Warning);
    if (!focus.isEmpty())
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit(focus)));
    QCOMPARE(dir->readAll("2024.ric").size(), 0);
}

void TestReceiptEditor::newNumbersFromStartAndCount_data()
{
    QTest::addColumn<int>("receipts");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("number");
    QTest::newRow("empty year, no start") << 0 << "" << "1";
    QTest::newRow("7 records, start 1") << 7 << "1" << "8";
    QTest::newRow("7 records, start 100") << 7 << "100" << "107";
    QTest::newRow("5 records, start 100") << 5 << "100" << "105";
    QTest::newRow("2 records, the largest start") << 2 << "999999999" << "1000000001";
}

void TestReceiptEditor::newNumbersFromStartAndCount()
{
    QFETCH(int, receipts);
    QFETCH(QString, start);
    putReceipts(receipts);
    if (!start.isEmpty())
        QVERIFY(IniFile::write(dir->file("Impostazioni.ini"), "Numerazione Ricevute", "Inizio", start));
    edit("txtCliente")->setText("vecchio");
    release("cmdNuovo");
    QTEST(edit("txtNumRic")->text(), "number");
    QCOMPARE(edit("txtData")->text(), QString("05/03/2024"));
    QVERIFY(edit("txtCliente")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit("txtCliente")));
    QVERIFY(QFile::exists(dir->file("2024.ric")));
}

void TestReceiptEditor::newRefusedWithoutAKnownStart_data()
{
    // The settings file (null: a folder in its place) and what the refusal names.
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("named");
    const QByteArray start = "[Numerazione Ricevute]\r\nInizio=";
    QTest::newRow("a fraction") << start + "1,5" << "1,5";
    QTest::newRow("beyond any integer") << start + "9223372036854775807" << "9223372036854775807";
    QTest::newRow("beyond 999,999,999") << start + "1000000000" << "1000000000";
    QTest::newRow("zero") << start + "0" << "0";
    QTest::newRow("negative") << start + "-3" << "-3";
    QTest::newRow("unreadable: a folder") << QByteArray() << "Impostazioni.ini";
    QTest::newRow("unreadable: over 4 MB") << start + "5\r\n" + QByteArray(4 << 20, ';') << "Impostazioni.ini";
}

void TestReceiptEditor::newRefusedWithoutAKnownStart()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, named);
    if (settings.isNull())
        dir->putFolderInPlaceOf("Impostazioni.ini");
    else
        dir->writeAll("Impostazioni.ini", settings);
    edit("txtCliente")->setText("resta");
    edit("txtNumRic")->setText("33");
    release("cmdNuovo");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages.last().kind, MessageKind::Plain);
    const QString quoted = '"' + (named.endsWith(".ini") ? dir->file(named) : named) + '"';
    QVERIFY2(fake->messages.last().text.contains(quoted), qPrintable(fake->messages.last().text));
    QVERIFY(fake->messages.last().text.contains("numerazione"));
    QCOMPARE(edit("txtCliente")->text(), QString("resta"));
    QCOMPARE(edit("txtNumRic")->text(), QString("33"));
    if (named.endsWith(".ini")) {
        // Opening the screen says it once more, once.
        editor->close();
        QVERIFY(ScreenFixture::openWorkArea(editor));
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(fake->messages.last().text, fake->messages.first().text);
    }
}

void TestReceiptEditor::saveWritesPaidMark_data()
{
    QTest::addColumn<bool>("paid");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("paid") << true << QByteArray("\x02\x53\xEC", 3);
    QTest::newRow("not paid") << false << QByteArray("\x02\x4E\x6F", 3);
}

void TestReceiptEditor::saveWritesPaidMark()
{
    QFETCH(bool, paid);
    release("cmdNuovo");
    fillSavable();
    edit("txtQuant01")->setText("2");
    edit("txtPrezzoUni01")->setText("10,50");
    edit("txtSconto01")->setText("10");
    edit("txtPercIva")->setText("22");
    auto* box = control<QCheckBox>(editor, "chkSaldato");
    if (paid)
        clickOn(box);
    QCOMPARE(box->isChecked(), paid);
    QCOMPARE(box->palette().color(QPalette::WindowText), paid ? QColor(0, 255, 0) : QColor(Qt::white));
    release("cmdSalva");
    QCOMPARE(fake->messages.last().caption, QString("Salvataggio effettuato con successo"));
    QCOMPARE(fake->messages.last().text, QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    const QByteArray file = dir->readAll("2024.ric");
    QCOMPARE(file.size(), TRecRicevuta::Size);
    QFETCH(QByteArray, bytes);
    QCOMPARE(file.mid(4949, 3), bytes);
    // Save computed the totals before writing them.
    QCOMPARE(stored(1).PrezzoTot[0], QString("18,90"));
    QCOMPARE(stored(1).TotIva, QString("4,158"));
    QCOMPARE(stored(1).Totale, QString("23,06"));
    QCOMPARE(stored(1).NumRic, QString("1"));
    QCOMPARE(stored(1).Ricevuta, QString("Ricevuta n."));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("1"));
}

// The VAT total is shown as computed, longer than its field; the record
// keeps the decimals that fit.
void TestReceiptEditor::vatTotalShownWholeStoredFitted()
{
    release("cmdNuovo");
    fillSavable();
    edit("txtQuant01")->setText("3");
    edit("txtPrezzoUni01")->setText("41152,0411");
    edit("txtPercIva")->setText("22");
    release("cmdSalva");
    QCOMPARE(edit("txtTotIva")->text(), QString("27160,34706"));
    QCOMPARE(stored(1).TotIva, QString("27160,3471"));
    QCOMPARE(stored(1).PrezzoTot[0], QString("123456,123"));
}

void TestReceiptEditor::browseThenUpdateInPlace()
{
    putReceipts(4);
    release("imgPrimo");
    release("imgAvanti");
    release("imgAvanti");
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("3"));
    QCOMPARE(edit("txtCliente")->text(), QString("Cliente 3"));
    QVERIFY(control<QCheckBox>(editor, "chkSaldato")->isChecked());
    release("imgUltimo");
    QCOMPARE(edit("txtNumRic")->text(), QString("4"));
    release("imgIndietro");
    edit("txtCliente")->setText("Verdi");
    edit("txtVenditore")->setText("Ditta");
    edit("txtData")->setText("05/03/2024");
    release("cmdSalva");
    QCOMPARE(fake->messages.last().caption, QString("Aggiornamento effettuato con successo"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("3"));
    QCOMPARE(dir->readAll("2024.ric").size(), 4 * TRecRicevuta::Size);
    QCOMPARE(stored(3).Cliente, QString("Verdi"));
    QCOMPARE(stored(4).Cliente, QString("Cliente 4"));
}

void TestReceiptEditor::takenNumberAsksBeforeAppending_data()
{
    QTest::addColumn<int>("before");    // receipts 1.. in the file before New
    QTest::addColumn<QString>("typed");  // typed over the number New proposed
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("records");
    // Another workstation saves receipt 1 meanwhile.
    QTest::newRow("saved elsewhere, yes appends") << 0 << "" << true << 2;
    QTest::newRow("saved elsewhere, no keeps the file") << 0 << "" << false << 1;
    QTest::newRow("typed by hand over the proposed one") << 3 << " 2" << false << 3;
}

void TestReceiptEditor::takenNumberAsksBeforeAppending()
{
    QFETCH(int, before);
    QFETCH(QString, typed);
    QFETCH(bool, answer);
    putReceipts(before);
    release("cmdNuovo");
    QCOMPARE(edit("txtNumRic")->text(), QString::number(before + 1));
    if (typed.isEmpty())
        putReceipts(1);
    else
        edit("txtNumRic")->setText(typed);
    fillSavable();
    fake->answers.enqueue(answer);
    release("cmdSalva");
    QCOMPARE(fake->questions, QStringList{QString::fromUtf8("Attenzione: esiste già una ricevuta con questo numero. Salvare comunque?")});
    QTEST(int(dir->readAll("2024.ric").size() / TRecRicevuta::Size), "records");
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), answer ? QString("2") : QString());
}

void TestReceiptEditor::okComputesAndTypingEmptiesTotals()
{
    typeInto(edit("txtQuant01"), "2");
    typeInto(edit("txtPrezzoUni01"), "10,5");
    typeInto(edit("txtSconto01"), "10");
    edit("txtPercIva")->setText("22");
    clickOn(control<QPushButton>(editor, "cmdOK"));
    QCOMPARE(edit("txtPrezzoUni01")->text(), QString("10,50"));
    QCOMPARE(edit("txtPrezzoTot01")->text(), QString("18,90"));
    QCOMPARE(edit("txtTotNetto")->text(), QString("18,90"));
    QCOMPARE(edit("txtTotIva")->text(), QString("4,158"));
    QCOMPARE(edit("txtTotale")->text(), QString("23,06"));
    // A character typed in the discount empties the line total and the totals.
    edit("txtSconto01")->setFocus();
    press(edit("txtSconto01"), Qt::Key_0, "0");
    QVERIFY(edit("txtPrezzoTot01")->text().isEmpty());
    QVERIFY(edit("txtTotale")->text().isEmpty());
}

void TestReceiptEditor::keyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("totalsEmptied");
    QTest::addColumn<QString>("message");
    QTest::newRow("second comma in a price") << "txtPrezzoUni02" << "1,5" << int(Qt::Key_Comma) << "," << "1,5" << false << QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «Prezzo unit. della riga 2» accetta solo cifre e una virgola per i decimali.");
    QTest::newRow("point in a price") << "txtPrezzoUni02" << "1" << int(Qt::Key_Period) << "." << "1" << false << QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «Prezzo unit. della riga 2» accetta solo cifre e una virgola per i decimali.");
    QTest::newRow("letter in a quantity") << "txtQuant02" << "3" << int(Qt::Key_A) << "a" << "3" << false << QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «Quant. della riga 2» accetta solo cifre e una virgola per i decimali.");
    QTest::newRow("digit in a quantity") << "txtQuant02" << "3" << int(Qt::Key_4) << "4" << "34" << true << "";
    QTest::newRow("Delete types nothing") << "txtQuant02" << "3" << int(Qt::Key_Delete) << "\x7f" << "" << false << "";
    QTest::newRow("Left arrow") << "txtSconto02" << "5" << int(Qt::Key_Left) << "" << "5" << false << "";
    QTest::newRow("Backspace in the VAT rate") << "txtPercIva" << "22" << int(Qt::Key_Backspace) << "\b" << "2" << false << "";
    QTest::newRow("digit in the VAT rate") << "txtPercIva" << "2" << int(Qt::Key_2) << "2" << "22" << true << "";
    QTest::newRow("letter in the VAT number") << "txtIvaCli" << "12" << int(Qt::Key_X) << "x" << "12" << false
                                              << QString::fromUtf8("Attenzione: carattere non valido. Indicare il numero di partita IVA digitando solo valori numerici.");
    QTest::newRow("province upper case") << "txtProvCli" << "" << int(Qt::Key_F) << "f" << "F" << false << "";
}

void TestReceiptEditor::keyFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, text);
    QLineEdit* e = edit(field);
    if (field.startsWith("txtPrezzoUni") || field.startsWith("txtQuant") || field.startsWith("txtSconto"))
        editor->showPage(0);
    e->setText(before);
    e->setFocus();
    // Delete removes the character after the caret, so the caret goes first.
    e->setCursorPosition(key == Qt::Key_Delete ? 0 : before.size());
    edit("txtTotale")->setText("9,99");
    press(e, key, text);
    QTEST(e->text(), "after");
    QFETCH(bool, totalsEmptied);
    QCOMPARE(edit("txtTotale")->text().isEmpty(), totalsEmptied);
    QFETCH(QString, message);
    QCOMPARE(fake->lastMessage(), message);
}

void TestReceiptEditor::discountAbove100IsRefusedOnLeaving()
{
    QLineEdit* discount = edit("txtSconto01");
    typeInto(discount, "150");
    edit("txtCod01")->setFocus();
    QCOMPARE(discount->text(), QString("100"));
    QVERIFY(fake->lastMessage().contains("100"));
    typeInto(edit("txtSconto02"), "2,50");
    edit("txtCod02")->setFocus();
    QCOMPARE(edit("txtSconto02")->text(), QString("2,5"));
}

// Typed and saved without leaving the field: the saved line is never negative.
void TestReceiptEditor::discountAbove100IsCappedOnSave()
{
    release("cmdNuovo");
    fillSavable();
    edit("txtQuant03")->setText("1");
    edit("txtPrezzoUni03")->setText("40");
    typeInto(edit("txtSconto03"), "150");
    fake->clear();
    release("cmdSalva");
    QCOMPARE(edit("txtSconto03")->text(), QString("100"));
    QCOMPARE(fake->messages.first().kind, MessageKind::Plain);
    QVERIFY(fake->messages.first().text.startsWith("Attenzione: lo sconto non può superare il 100 per cento."));
    QCOMPARE(stored(1).Sconto[2], QString("100"));
    QCOMPARE(stored(1).PrezzoTot[2], QString("0,00"));
}

void TestReceiptEditor::settingsReadOnShowingWrittenOnClosing()
{
    const QString ini = dir->file("Impostazioni.ini");
    editor->close();
    QVERIFY(IniFile::write(ini, "Dati Azienda", "Nome", "Ditta Bianchi"));
    QVERIFY(IniFile::write(ini, "Dati Azienda", "Banca Appoggio", "Banca di Forlì"));
    QVERIFY(IniFile::write(ini, "Aliquota IVA", "Percentuale", "22"));
    editor->showYearPanel();
    QVERIFY(ScreenFixture::openWorkArea(editor));
    QCOMPARE(edit("txtVenditore")->text(), QString("Ditta Bianchi"));
    QCOMPARE(edit("txtBanca")->text(), QString::fromUtf8("Banca di Forlì"));
    QCOMPARE(edit("txtPercIva")->text(), QString("22"));
    openYear();
    release("imgCancella");
    QVERIFY(edit("txtVenditore")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit("txtVenditore")));
    typeInto(edit("txtCittaVen"), "Faenza");
    // Nothing is written before the screen closes.
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Nome"), QString("Ditta Bianchi"));
    editor->close();
    // The company cleared by the user is written whole, empty keys included;
    // the bank and the rate, untouched, are not written at all.
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Nome"), QString());
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Comune"), QString("Faenza"));
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Banca Appoggio"), QString::fromUtf8("Banca di Forlì"));
    QVERIFY(dir->readAll("Impostazioni.ini").contains("Campo Libero 2="));
    editor->showYearPanel();
    QVERIFY(ScreenFixture::openWorkArea(editor));
}

void TestReceiptEditor::clientImportFillsTheClientBlock()
{
    using C = TRecCliente;
    qint64 at = 0;
    ArchiveFile clients(dir->file("Clienti.pro"), C::Size);
    QVERIFY(clients.append(sampleBytes<C>({{&C::Nominativo, "Rossi Mario"}, {&C::Indirizzo, "Via Roma 1"}, {&C::Cap, "47121"},
                                           {&C::Citta, QString::fromUtf8("Forlì")}, {&C::Prov, "fc"},
                                           {&C::Iva, "01234567890"}, {&C::CodFisc, "RSSMRA80A01D704X"},
                                           {&C::Pagamento, "Bonifico"}}),
                           at));
    chooseTheOnlyLine<TfrmCercaCliente>("frmCercaCliente");
    release("imgImpCli");
    QCOMPARE(edit("txtCliente")->text(), QString("Rossi Mario"));
    QCOMPARE(edit("txtIndirizzoCli")->text(), QString("Via Roma 1"));
    QCOMPARE(edit("txtCapCli")->text(), QString("47121"));
    QCOMPARE(edit("txtCittaCli")->text(), QString::fromUtf8("Forlì"));
    QCOMPARE(edit("txtProvCli")->text(), QString("FC"));
    QCOMPARE(edit("txtIvaCli")->text(), QString("01234567890"));
    QCOMPARE(edit("txtCodFiscCli")->text(), QString("RSSMRA80A01D704X"));
    QCOMPARE(edit("txtModPag")->text(), QString("Bonifico"));
}

void TestReceiptEditor::applianceImportFillsTheApplianceBlock()
{
    using M = TRecMateriale;
    qint64 at = 0;
    ArchiveFile materials(dir->file("Materiali.pro"), M::Size);
    QVERIFY(materials.append(sampleBytes<M>({{&M::Codice, "LAV-01"}, {&M::Tipologia, "Lavatrice"}, {&M::Marca, "acme"},
                                             {&M::Modello, "W100"}, {&M::Accessori, "Tubo"}, {&M::Giacenza, "3"}}),
                             at));
    chooseTheOnlyLine<TfrmCercaMateriale>("frmCercaMateriale");
    release("impAutomezzo");
    QCOMPARE(edit("txtTelaio")->text(), QString("LAV-01"));
    QCOMPARE(edit("txtPercorsi")->text(), QString("Lavatrice"));
    QCOMPARE(edit("txtTarga")->text(), QString("ACME"));
    QCOMPARE(edit("txtImmatricolazione")->text(), QString("W100"));
    QCOMPARE(edit("txtMarca")->text(), QString("Tubo"));
}

void TestReceiptEditor::pagesShowFiveLinesEach()
{
    const char* pages[] = {"grpPage01", "grpPage02", "grpPage03", "grpPage04"};
    const char* forward[] = {"imgAvanti_A", "imgAvanti_B", "imgAvanti_C"};
    for (int p = 0; p < 3; ++p) {
        release(forward[p]);
        for (int q = 0; q < 4; ++q)
            QCOMPARE(control<QGroupBox>(editor, pages[q])->isVisible(), q == p + 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit(QStringLiteral("txtQuant%1").arg(5 * (p + 1) + 1, 2, 10, QChar('0')))));
    }
    release("imgIndietro_D");
    QVERIFY(control<QGroupBox>(editor, "grpPage03")->isVisible());
    // Enter after the fifth line of page 3 leads to page 4.
    edit("txtSconto15")->setFocus();
    press(edit("txtSconto15"), Qt::Key_Return, "\r");
    QVERIFY(control<QGroupBox>(editor, "grpPage04")->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit("txtQuant16")));
    release("cmdNuovo");
    QVERIFY(control<QGroupBox>(editor, "grpPage01")->isVisible());
    QVERIFY(!control<QGroupBox>(editor, "grpPage03")->isVisible());
}

void TestReceiptEditor::reportLineLoadsTheReceipt()
{
    putReceipts(3);
    TRecRicevuta r = stored(2);
    QVERIFY(editor->loadListLine(ReceiptArchive::listLine(r)));
    QCOMPARE(edit("txtCliente")->text(), QString("Cliente 2"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("2"));
    QVERIFY(!editor->loadListLine("nessuna"));
    QCOMPARE(control<QLabel>(editor, "lblPosizione")->text(), QString("2"));
    QCOMPARE(editor->yearFilePath(), dir->file("2024.ric"));
}

void TestReceiptEditor::everyBindingHasExactlyOneControl()
{
    QCOMPARE(editor->form().bindingProblems(), QStringList());
    // Every field of the receipt but the paid mark (the box's own), each once.
    QSet<QString> controls;
    for (const auto& f : editor->form().table())
        controls.insert(QLatin1String(f.def.control));
    QCOMPARE(int(editor->form().table().size()), 150);
    QCOMPARE(controls.size(), 150);
    // The computed fields: read-only, out of the chain, shown whole.
    for (const char* name : {"txtPrezzoTot20", "txtTotNetto", "txtTotIva", "txtTotale"}) {
        QVERIFY(edit(name)->isReadOnly());
        QCOMPARE(edit(name)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(edit(name)->maxLength(), 32767);
    }
    QCOMPARE(edit("txtPrezzoUni20")->maxLength(), 10);
}

void TestReceiptEditor::yearBoxRefusesTwoPastesInARow()
{
    editor->showYearPanel();
    auto* box = edit("txtAnno");
    auto* open = control<QPushButton>(editor, "cmdApri");
    box->setText(QStringLiteral("202"));
    box->setFocus();
    QVERIFY(!open->isEnabled());
    // The first refused text must not be taken for a good one and come back
    // at the second: four characters long, it would enable Apri.
    for (const QString& pasted : {QStringLiteral("20a4"), QStringLiteral("2x24")}) {
        QGuiApplication::clipboard()->setText(pasted);
        box->selectAll();
        ::press(box, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("202"));
        QVERIFY(!open->isEnabled());
    }
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[1].text, QStringLiteral("Indicare un anno solare utilizzando solo caratteri numerici."));
    QVERIFY(ScreenFixture::openWorkArea(editor));
    openYear();
}

// Every picture of the toolbar keeps its status text down in the status bar
// and names itself in a tooltip over the picture.
void TestReceiptEditor::toolbarPicturesNameThemselves_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("tip");
    const char* const rows[][3] = {
        {"cmdNuovo", " Predispone la schermata per l'emissione di una nuova ricevuta.", " Nuova ricevuta "},
        {"cmdSalva", " Salva o aggiorna la ricevuta corrente.", " Salva ricevuta "},
        {"cmdRicerca", " Effettua una ricerca avanzata di una ricevuta in archivio utilizzando più campi contemporaneamente.", " Ricerca avanzata "},
        {"cmdStampa", " Stampa la ricevuta corrente su foglio A4.", " Stampa ricevuta "},
        {"cmdSospesi", " Visualizza l'elenco delle ricevute non ancora saldate.", " Ricevute non saldate "},
        {"cmdMensile", " Visualizza il riepilogo delle ricevute emesse in un mese dell'anno.", " Riepilogo mensile "},
        {"cmdTrimestrale", " Visualizza il riepilogo delle ricevute emesse in un trimestre dell'anno.", " Riepilogo trimestrale "},
        {"cmdAnnuale", " Visualizza il riepilogo annuale delle ricevute emesse.", " Riepilogo annuale "},
        {"cmdGuida", " Visualizza la guida in linea.", " Guida in linea "},
        {"cmdEsci", " Esce dalla schermata di lavoro corrente.", " Esci "},
        {"imgPrimo", " Visualizza la prima ricevuta in archivio.", " Prima ricevuta "},
        {"imgIndietro", " Visualizza la ricevuta precedente in archivio.", " Ricevuta precedente "},
        {"imgAvanti", " Visualizza la ricevuta successiva in archivio.", " Ricevuta successiva "},
        {"imgUltimo", " Visualizza l'ultima ricevuta in archivio.", " Ultima ricevuta "},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
}

void TestReceiptEditor::toolbarPicturesNameThemselves()
{
    QFETCH(QString, picture);
    QFETCH(QString, status);
    QFETCH(QString, tip);
    auto* button = control<PictureButton>(editor, picture);
    QVERIFY(button);
    auto* panInfo = control<QLabel>(editor, "panInfo");

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(panInfo->text(), status);

    const QPoint at = button->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, button->mapToGlobal(at));
    QApplication::sendEvent(button, &help);
    auto hide = qScopeGuard([] { QToolTip::hideText(); });
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip);
    QVERIFY(!tip.trimmed().isEmpty());
}

// The three summaries, once one "i" picture thrice, each have a picture of
// their own, of the toolbar's size.
void TestReceiptEditor::summaryPicturesTellApart()
{
    const QSize size = control<PictureButton>(editor, "cmdNuovo")->pixmap().size();
    QList<QImage> shown;
    for (const char* name : {"cmdMensile", "cmdTrimestrale", "cmdAnnuale"}) {
        const QPixmap pixmap = control<PictureButton>(editor, name)->pixmap();
        QVERIFY2(!pixmap.isNull(), name);
        QCOMPARE(pixmap.size(), size);
        shown << pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    const QImage info = QImage(QStringLiteral(":/pictures/btn_info.png")).convertToFormat(QImage::Format_ARGB32);
    for (int i = 0; i < shown.size(); ++i) {
        QVERIFY(shown[i] != info);
        for (int j = i + 1; j < shown.size(); ++j)
            QVERIFY2(shown[i] != shown[j], qPrintable(QStringLiteral("%1 and %2 look alike").arg(i).arg(j)));
    }
}

void TestReceiptEditor::largestAmountStoredToTheCent()
{
    fillSavable();
    edit("txtNumRic")->setText("1");
    edit("txtData")->setText("05/03/2024");
    edit("txtPrezzoUni01")->setText("9999999,99");
    edit("txtPercIva")->setText("0");
    release("cmdSalva");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].caption, QStringLiteral("Salvataggio effettuato con successo"));
    const TRecRicevuta r = stored(1);
    QCOMPARE(r.PrezzoTot[0], QStringLiteral("9999999,99"));
    QCOMPARE(r.TotNetto, QStringLiteral("9999999,99"));
    QCOMPARE(r.Totale, QStringLiteral("9999999,99"));
}

void TestReceiptEditor::focusBackOnTheLineAfterAnImport_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("code");   // what the line holds afterwards
    QTest::newRow("more than the stock: refused") << "5" << "";
    QTest::newRow("imported") << "1" << "POMPA-01";
}

// Whatever the import's outcome, the focus comes back to the line it was for,
// never to a field whose text the next key would replace.
void TestReceiptEditor::focusBackOnTheLineAfterAnImport()
{
    QFETCH(QString, quantity);
    dir->writeAll("Materiali.pro", sampleBytes<TRecMateriale>({{&TRecMateriale::Codice, "POMPA-01"},
                                                                {&TRecMateriale::Giacenza, "1"}}));
    fillSavable();
    edit("txtQuant02")->setText(quantity);
    edit("txtCliente")->setFocus();
    QTimer::singleShot(0, [] {
        QWidget* import = QApplication::activeModalWidget();
        QVERIFY(import && import->objectName() == QLatin1String("frmImpMateriali"));
        ::clickLine(control<RecordList>(import, "lstRecords"), 0);
        control<QPushButton>(import, "cmdAnnulla")->click();
    });
    release("impPro02");
    // The field the editor gives the focus to when it is active again.
    QCOMPARE(editor->focusWidget(), static_cast<QWidget*>(edit("txtQuant02")));
    QVERIFY(!edit("txtQuant02")->hasSelectedText());
    QCOMPARE(edit("txtCliente")->text(), QStringLiteral("Rossi Mario"));
    QTEST(edit("txtCod02")->text(), "code");
}

void TestReceiptEditor::numbersThatOnlyLookAlikeAreNotTaken_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("saved");
    QTest::newRow("1 when 12 exists") << "12" << "1";
    QTest::newRow("12 when 1 exists") << "1" << "12";
    QTest::newRow("12 when 112 exists") << "112" << "12";
}

// The number is compared whole: one that begins or ends another is another.
void TestReceiptEditor::numbersThatOnlyLookAlikeAreNotTaken()
{
    QFETCH(QString, existing);
    QFETCH(QString, saved);
    dir->writeAll("2024.ric", sampleBytes<TRecRicevuta>({{&TRecRicevuta::NumRic, existing}}));
    openYear();
    release("cmdNuovo");
    edit("txtNumRic")->setText(saved);
    fillSavable();
    release("cmdSalva");
    QCOMPARE(fake->questions, QStringList());
    QCOMPARE(stored(2).NumRic, saved);
}

QTEST_MAIN(TestReceiptEditor)
#include "tst_receipteditor.moc"
