#include "export/ExportTables.h"
#include "export/SpreadsheetExport.h"
#include "export/ui/TfrmEsportaCli.h"
#include "export/ui/TfrmEsportaMat.h"
#include "export/ui/TfrmEsportaRic.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

const QString kAskCaption = QStringLiteral("Esportazione archivio in Excel");
const QString kAsk = QString::fromUtf8("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
                                       "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDoneCaption = QStringLiteral("Esportazione archivio in Excel terminata");
const QString kDone = QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il "
                                     "file di Excel?");
const QString kFailed = QString::fromUtf8("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                          "Accertarsi che il file di Excel non sia già aperto.");

using C = TRecCliente;
using R = TRecRicevuta;

QByteArray client(const QString& name, const QString& consent, const QString& city = QString())
{
    return sampleBytes<C>({{&C::Nominativo, name}, {&C::Pubblicita, consent}, {&C::Citta, city},
                           {&C::Note, "nota di " + name}});
}

QByteArray receipt(const QString& number, const QString& city, const QString& total)
{
    return sampleBytes<R>({{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, number}, {&R::CittaCli, city},
                           {&R::Totale, total}, {&R::Saldato, "No"}});
}

// A file row with the given texts at the given 0-based columns, empty elsewhere.
QStringList sparseRow(int columns, const QList<QPair<int, QString>>& texts)
{
    QStringList row(columns);
    for (const auto& t : texts)
        row[t.first] = t.second;
    return row;
}

// The file row of receipt(number, city, total): the joins trimmed.
QStringList receiptCells(const QString& number, const QString& city, const QString& total)
{
    return sparseRow(22, {{0, QStringLiteral("Ricevuta n. ") + number}, {7, city}, {18, QStringLiteral("%")},
                          {20, total}, {21, QStringLiteral("No")}});
}

} // namespace

class TestExportWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionsAndGridHeaders_data();
    void captionsAndGridHeaders();
    void clientGridShowsTheArchiveInFileOrder();
    void clientExportByteForByte();
    void answers_data();
    void answers();
    void markupInAValueIsEscaped();
    void failingFileShowsTheExportMessage();
    void emptyArchiveClearsThePreviewAndExportsNoRow();
    void materialsExportSixteenColumns();
    void receiptYearWithoutFileIsCreatedEmpty();
    void receiptExportTrimsComposedValuesAndOverwrites();
    void receiptWindowWithoutYearReadsNothing();
    void hoverTexts_data();
    void hoverTexts();
    void gridHoverShowsTheCurrentCell();
    void guideTopics_data();
    void guideTopics();
    void exitCloses();

private:
    ExportWindow* window(const QString& name) { return qobject_cast<ExportWindow*>(ScreenFixture::screen(qPrintable(name))); }
    QAbstractItemModel* grid(QWidget* w) { return control<QTableView>(w, "grdRecords")->model(); }
    void answer(std::initializer_list<bool> script)
    {
        for (bool a : script)
            fake->answers.enqueue(a);
    }
    QString cell(QWidget* w, int row, int column) { return grid(w)->index(row, column).data().toString(); }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    TfrmEsportaCli* cli = nullptr;
    TfrmEsportaMat* mat = nullptr;
    TfrmEsportaRic* ric = nullptr;
};

void TestExportWindows::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    cli = qobject_cast<TfrmEsportaCli*>(ScreenFixture::screen("frmEsportaCli"));
    mat = qobject_cast<TfrmEsportaMat*>(ScreenFixture::screen("frmEsportaMat"));
    ric = qobject_cast<TfrmEsportaRic*>(ScreenFixture::screen("frmEsportaRic"));
    QVERIFY(cli);
    QVERIFY(mat);
    QVERIFY(ric);
}

void TestExportWindows::init()
{
    screens->beginTest();
    dir = &screens->dir();
    fake->answers.clear();   // an answer left unused by one test must not answer the next
    fake->busyCalls = 0;
}

void TestExportWindows::cleanup()
{
    for (QWidget* w : {static_cast<QWidget*>(cli), static_cast<QWidget*>(mat), static_cast<QWidget*>(ric)})
        w->close();
    screens->endTest();
}

void TestExportWindows::captionsAndGridHeaders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("lastHeader");
    QTest::newRow("clients") << "frmEsportaCli" << " Esportazione archivio clienti in Microsoft Excel" << 21
                             << " Note";
    QTest::newRow("materials") << "frmEsportaMat" << " Esportazione magazzino materiali in Microsoft Excel" << 16
                               << " Note";
    QTest::newRow("receipts") << "frmEsportaRic" << " Esporta ricevute dell'anno 2024" << 22 << " Saldato";
}

void TestExportWindows::captionsAndGridHeaders()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, columns);
    QFETCH(QString, lastHeader);
    ric->setYear(QStringLiteral(" 2024 "));
    ExportWindow* w = window(name);
    QVERIFY(w);
    w->show();
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(grid(w)->columnCount(), columns + 1);
    QCOMPARE(grid(w)->headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(grid(w)->headerData(columns, Qt::Horizontal).toString(), lastHeader);
    auto* view = control<QTableView>(w, "grdRecords");
    QCOMPARE(view->columnWidth(0), 50);
    QCOMPARE(view->verticalHeader()->defaultSectionSize(), 24);
    QCOMPARE(view->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

void TestExportWindows::clientGridShowsTheArchiveInFileOrder()
{
    dir->writeAll(QStringLiteral("Clienti.pro"),
                  client(QStringLiteral("Zeta"), QString::fromUtf8("Sì pubblicità"), QString::fromUtf8("Forlì"))
                      + client(QStringLiteral("Alfa"), QString::fromUtf8("No pubblicità"))
                      + client(QStringLiteral("Beta"), QString()));
    cli->show();
    QCOMPARE(cli->recordCount(), 3);
    QCOMPARE(grid(cli)->rowCount(), 3);
    const QStringList headers = {" Cognome e nome cliente", " Indirizzo", " CAP", QString::fromUtf8(" Città"),
                                 " Prov.", " Categoria cliente", " Prodotti o servizi",
                                 QString::fromUtf8(" Modalità di pagamento"), " Sconti praticati",
                                 " Zona di appartenenza", QString::fromUtf8(" Pubblicità"), " Codice fiscale",
                                 " Carta di credito", " Partita IVA", " Codice IBAN", " Tel. casa", " Tel. ufficio",
                                 " Tel. cellulare", " Fax", " E-mail", " Note"};
    const QList<int> widths = {200, 250, 60, 200, 60, 200, 400, 250, 250, 300, 100,
                               200, 300, 200, 200, 200, 200, 200, 200, 300, 600};
    auto* view = control<QTableView>(cli, "grdRecords");
    for (int c = 0; c < headers.size(); ++c) {
        QCOMPARE(grid(cli)->headerData(c + 1, Qt::Horizontal).toString(), headers[c]);
        QCOMPARE(view->columnWidth(c + 1), widths[c]);
    }
    QCOMPARE(cell(cli, 0, 0), QStringLiteral("1"));
    QCOMPARE(cell(cli, 2, 0), QStringLiteral("3"));
    QCOMPARE(cell(cli, 0, 1), QStringLiteral("Zeta"));
    QCOMPARE(cell(cli, 1, 1), QStringLiteral("Alfa"));
    QCOMPARE(cell(cli, 2, 1), QStringLiteral("Beta"));
    QCOMPARE(cell(cli, 0, 4), QString::fromUtf8("Forlì"));
    QCOMPARE(cell(cli, 0, 11), QString::fromUtf8("Sì"));
    QCOMPARE(cell(cli, 1, 11), QStringLiteral("No"));
    QCOMPARE(cell(cli, 2, 11), QString());
    QCOMPARE(cell(cli, 1, 21), QStringLiteral("nota di Alfa"));
    QVERIFY(fake->messages.isEmpty());
}

void TestExportWindows::clientExportByteForByte()
{
    dir->writeAll(QStringLiteral("Clienti.pro"),
                  client(QStringLiteral("Zeta"), QString::fromUtf8("Sì pubblicità"), QString::fromUtf8("Città"))
                      + client(QStringLiteral("Alfa"), QStringLiteral("boh")));
    cli->show();
    answer({true, false});
    ScreenFixture::press(cli, "lblExcel");

    const QStringList zeta = sparseRow(21, {{0, QStringLiteral("Zeta")}, {3, QString::fromUtf8("Città")},
                                            {10, QString::fromUtf8("Sì")}, {20, QStringLiteral("nota di Zeta")}});
    const QStringList alfa = sparseRow(21, {{0, QStringLiteral("Alfa")}, {20, QStringLiteral("nota di Alfa")}});
    const ExportTable& table = ExportTables::clients();
    const QByteArray written = dir->readAll(QStringLiteral("Clienti.xls"));
    QCOMPARE(written, SpreadsheetExport::build(QStringLiteral("Anagrafica clienti"), table.fileColumns(), {zeta, alfa}));
    QVERIFY(written.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Citt\xE0</td>"));
    QVERIFY(written.endsWith("nota di Alfa</td></tr></table></body></html>"));
    QCOMPARE(dir->readAll(QStringLiteral("Clienti.pro")).size(), 2 * TRecCliente::Size);   // never touched
}

void TestExportWindows::answers_data()
{
    QTest::addColumn<QList<bool>>("script");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    QTest::newRow("No: nothing written") << QList<bool>{false} << false << false;
    QTest::newRow("Yes, then No: written, not opened") << QList<bool>{true, false} << true << false;
    QTest::newRow("Yes, then Yes: written and opened") << QList<bool>{true, true} << true << true;
}

void TestExportWindows::answers()
{
    QFETCH(QList<bool>, script);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    dir->writeAll(QStringLiteral("Clienti.pro"), client(QStringLiteral("Rossi"), QString()));
    cli->show();
    for (bool a : script)
        fake->answers.enqueue(a);
    ScreenFixture::press(cli, "imgExcel");

    QCOMPARE(fake->messages.size(), written ? 2 : 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Question);
    QCOMPARE(fake->messages[0].caption, kAskCaption);
    QCOMPARE(fake->messages[0].text, kAsk);
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::Question);
    if (written) {
        QCOMPARE(fake->messages[1].kind, MessageKind::Question);
        QCOMPARE(fake->messages[1].caption, kDoneCaption);
        QCOMPARE(fake->messages[1].text, kDone);
        QVERIFY(fake->busyCalls >= 1);
    }
    QCOMPARE(fake->busyDepth, 0);
    QCOMPARE(QFile::exists(dir->file(QStringLiteral("Clienti.xls"))), written);
    QCOMPARE(fake->opened, opened ? QStringList{QStringLiteral("document:") + dir->file(QStringLiteral("Clienti.xls"))}
                                  : QStringList());
}

void TestExportWindows::markupInAValueIsEscaped()
{
    dir->writeAll(QStringLiteral("Clienti.pro"), client(QStringLiteral("Rossi & <Figli>"), QString()));
    cli->show();
    QCOMPARE(cell(cli, 0, 1), QStringLiteral("Rossi & <Figli>"));   // the grid shows the value as it is
    answer({true, false});
    ScreenFixture::press(cli, "imgExcel");
    const QByteArray written = dir->readAll(QStringLiteral("Clienti.xls"));
    QVERIFY(written.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Rossi &amp; &lt;Figli&gt;</td>"));
    QVERIFY(!written.contains("<Figli>"));
}

void TestExportWindows::failingFileShowsTheExportMessage()
{
    dir->writeAll(QStringLiteral("Clienti.pro"), client(QStringLiteral("Rossi"), QString()));
    dir->putFolderInPlaceOf(QStringLiteral("Clienti.xls"));
    cli->show();
    answer({true, true});   // the second Yes must stay unused: no question follows a failure
    int busyDuringMessage = -1;
    fake->onMessage = [&](const ShownMessage& m) {
        if (m.kind == MessageKind::Plain)
            busyDuringMessage = fake->busyDepth;
    };
    ScreenFixture::press(cli, "imgExcel");
    fake->onMessage = nullptr;
    QCOMPARE(busyDuringMessage, 0);   // the normal pointer is back before the message

    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages[0].caption, kAskCaption);
    QCOMPARE(fake->messages[1].kind, MessageKind::Plain);
    QCOMPARE(fake->messages[1].text, kFailed);
    QCOMPARE(fake->busyDepth, 0);
    QCOMPARE(fake->answers.size(), 1);
    QVERIFY(fake->opened.isEmpty());
    QCOMPARE(dir->readAll(QStringLiteral("Clienti.pro")).size(), TRecCliente::Size);
}

void TestExportWindows::emptyArchiveClearsThePreviewAndExportsNoRow()
{
    dir->writeAll(QStringLiteral("Clienti.pro"), client(QStringLiteral("Rossi"), QString())
                                                     + client(QStringLiteral("Verdi"), QString()));
    cli->show();
    QCOMPARE(cell(cli, 1, 1), QStringLiteral("Verdi"));
    cli->close();

    dir->writeAll(QStringLiteral("Clienti.pro"), QByteArray());
    cli->show();
    QCOMPARE(cli->recordCount(), 0);
    for (int r = 0; r < grid(cli)->rowCount(); ++r)
        for (int c = 0; c < grid(cli)->columnCount(); ++c)
            QCOMPARE(cell(cli, r, c), QString());
    answer({true, false});
    ScreenFixture::press(cli, "imgExcel");
    QCOMPARE(dir->readAll(QStringLiteral("Clienti.xls")),
             SpreadsheetExport::build(QStringLiteral("Anagrafica clienti"), ExportTables::clients().fileColumns(), {}));
    QVERIFY(!dir->readAll(QStringLiteral("Clienti.xls")).contains("<td style=\"text-align: left;\""));
}

void TestExportWindows::materialsExportSixteenColumns()
{
    using M = TRecMateriale;
    dir->writeAll(QStringLiteral("Materiali.pro"),
                  sampleBytes<M>({{&M::Codice, "A-1"}, {&M::Prezzo, "12,50"}, {&M::Giacenza, "3"}, {&M::Sottoscorta, "99"},
                                  {&M::Note, "ultima colonna"}}));
    mat->show();
    QCOMPARE(grid(mat)->rowCount(), 1);
    QCOMPARE(cell(mat, 0, 1), QStringLiteral("A-1"));
    QCOMPARE(cell(mat, 0, 13), QStringLiteral("12,50"));
    QCOMPARE(cell(mat, 0, 15), QStringLiteral("3"));
    QCOMPARE(cell(mat, 0, 16), QStringLiteral("ultima colonna"));

    answer({true, true});
    ScreenFixture::press(mat, "imgExcel");
    const QStringList values = sparseRow(16, {{0, QStringLiteral("A-1")}, {12, QStringLiteral("12,50")},
                                              {14, QStringLiteral("3")}, {15, QStringLiteral("ultima colonna")}});
    QCOMPARE(dir->readAll(QStringLiteral("Magazzino.xls")),
             SpreadsheetExport::build(QStringLiteral("Magazzino materiali"), ExportTables::materials().fileColumns(),
                                      {values}));
    QVERIFY(!dir->readAll(QStringLiteral("Magazzino.xls")).contains(">99<"));
    QCOMPARE(fake->opened, QStringList{QStringLiteral("document:") + dir->file(QStringLiteral("Magazzino.xls"))});
}

void TestExportWindows::receiptYearWithoutFileIsCreatedEmpty()
{
    ric->setYear(QStringLiteral("2023"));
    QVERIFY(!QFile::exists(dir->file(QStringLiteral("2023.ric"))));
    ric->show();
    QCOMPARE(ric->windowTitle(), QStringLiteral(" Esporta ricevute dell'anno 2023"));
    QVERIFY(QFile::exists(dir->file(QStringLiteral("2023.ric"))));
    QCOMPARE(dir->readAll(QStringLiteral("2023.ric")).size(), 0);
    QCOMPARE(ric->recordCount(), 0);
    QVERIFY(fake->messages.isEmpty());
}

void TestExportWindows::receiptExportTrimsComposedValuesAndOverwrites()
{
    dir->writeAll(QStringLiteral("2024.ric"), receipt(QStringLiteral("1"), QStringLiteral("Roma"), QStringLiteral("122,00"))
                                                  + TRecRicevuta().encode());
    dir->writeAll(QStringLiteral("2023.ric"), receipt(QStringLiteral("9"), QStringLiteral("Bari"), QStringLiteral("1,00")));

    ric->setYear(QStringLiteral("2024"));
    ric->show();
    QCOMPARE(ric->recordCount(), 2);
    QCOMPARE(cell(ric, 0, 1), QStringLiteral("Ricevuta n. 1"));
    QCOMPARE(cell(ric, 0, 8), QStringLiteral(" Roma "));   // the grid keeps the blanks of the joins
    QCOMPARE(cell(ric, 1, 1), QStringLiteral(" "));
    QCOMPARE(cell(ric, 1, 19), QStringLiteral("%"));
    answer({true, false});
    ScreenFixture::press(ric, "imgExcel");

    const QStringList first = receiptCells(QStringLiteral("1"), QStringLiteral("Roma"), QStringLiteral("122,00"));
    const QStringList second = sparseRow(22, {{18, QStringLiteral("%")}});
    const auto columns = ExportTables::receipts().fileColumns();
    QCOMPARE(dir->readAll(QStringLiteral("Ricevute.xls")),
             SpreadsheetExport::build(QStringLiteral("Ricevute emesse"), columns, {first, second}));

    // Another year writes the same file over the previous one.
    ric->close();
    ric->setYear(QStringLiteral("2023"));
    ric->show();
    answer({true, false});
    ScreenFixture::press(ric, "imgExcel");
    const QStringList bari = receiptCells(QStringLiteral("9"), QStringLiteral("Bari"), QStringLiteral("1,00"));
    QCOMPARE(dir->readAll(QStringLiteral("Ricevute.xls")),
             SpreadsheetExport::build(QStringLiteral("Ricevute emesse"), columns, {bari}));
    QVERIFY(!QFile::exists(dir->file(QStringLiteral("2023.xls"))));
}

void TestExportWindows::receiptWindowWithoutYearReadsNothing()
{
    ric->setYear(QStringLiteral("  "));
    ric->show();
    QCOMPARE(ric->windowTitle(), QStringLiteral(" Esporta ricevute dell'anno "));
    QCOMPARE(ric->recordCount(), 0);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
}

void TestExportWindows::hoverTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("status");
    const QString exportArchive = QStringLiteral(" Esporta l'archivio in un foglio di lavoro di Microsoft Excel.");
    QTest::newRow("guide picture") << "frmEsportaCli" << "imgGuida" << "lblGuida" << " Visualizza la guida in linea.";
    QTest::newRow("guide label") << "frmEsportaMat" << "lblGuida" << "lblGuida" << " Visualizza la guida in linea.";
    QTest::newRow("exit picture") << "frmEsportaCli" << "imgEsci" << "lblEsci"
                                  << " Esce dalla schermata di lavoro corrente.";
    QTest::newRow("exit label") << "frmEsportaRic" << "lblEsci" << "lblEsci"
                                << " Esce dalla schermata di lavoro corrente.";
    QTest::newRow("clients export") << "frmEsportaCli" << "imgExcel" << "lblExcel" << exportArchive;
    QTest::newRow("materials export") << "frmEsportaMat" << "lblExcel" << "lblExcel" << exportArchive;
    QTest::newRow("receipts export")
        << "frmEsportaRic" << "imgExcel" << "lblExcel"
        << " Esporta l'archivio delle ricevute in un foglio di lavoro di Microsoft Excel.";
}

void TestExportWindows::hoverTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, label);
    QFETCH(QString, status);
    ExportWindow* w = this->window(window);
    w->show();
    auto* panInfo = ::control<QLabel>(w, QStringLiteral("panInfo"));

    sendEnter(::control<QWidget>(w, control));
    QCOMPARE(panInfo->text(), status);
    for (const char* name : {"lblGuida", "lblEsci", "lblExcel"})
        QCOMPARE(labelColour(w, name), label == QLatin1String(name) ? QColor(Qt::red) : QColor(Qt::black));

    sendMove(::control<QFrame>(w, QStringLiteral("panAzioni")));
    QCOMPARE(panInfo->text(), QString());
    for (const char* name : {"lblGuida", "lblEsci", "lblExcel"})
        QCOMPARE(labelColour(w, name), QColor(Qt::black));
}

void TestExportWindows::gridHoverShowsTheCurrentCell()
{
    dir->writeAll(QStringLiteral("Clienti.pro"), client(QStringLiteral("Rossi"), QString(), QStringLiteral("Roma")));
    cli->show();
    auto* view = control<QTableView>(cli, "grdRecords");
    sendEnter(control<QWidget>(cli, "lblExcel"));
    QCOMPARE(labelColour(cli, "lblExcel"), QColor(Qt::red));

    view->setCurrentIndex(view->model()->index(0, 4));
    sendMove(view->viewport());
    QCOMPARE(control<QLabel>(cli, "panInfo")->text(), QStringLiteral(" Roma"));
    QCOMPARE(labelColour(cli, "lblExcel"), QColor(Qt::black));

    view->setCurrentIndex(view->model()->index(0, 2));   // an empty cell leaves the blank
    sendMove(view->viewport());
    QCOMPARE(control<QLabel>(cli, "panInfo")->text(), QStringLiteral(" "));
}

void TestExportWindows::guideTopics_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("archive");
    QTest::newRow("clients") << "frmEsportaCli" << "Esportazione archivio clienti in Microsoft Excel"
                             << "l'archivio clienti";
    QTest::newRow("materials") << "frmEsportaMat" << "Esportazione magazzino materiali in Microsoft Excel"
                               << "magazzino materiali";
    QTest::newRow("receipts") << "frmEsportaRic" << "Esportazione archivio ricevute in Microsoft Excel"
                              << "l'archivio annuale delle ricevute";
}

void TestExportWindows::guideTopics()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QString, archive);
    ExportWindow* w = this->window(window);
    w->show();
    QWidget* help = ScreenFixture::screen("frmHelpForm");
    QVERIFY(help);
    QString shownTitle, text;
    QTimer::singleShot(0, help, [&] {
        shownTitle = control<QLabel>(help, "panTitle")->text();
        text = control<QPlainTextEdit>(help, "memTopic")->toPlainText();
        help->close();
    });
    ScreenFixture::press(w, "imgGuida");
    QCOMPARE(shownTitle, title);
    QVERIFY(text.contains(archive));
    QVERIFY(text.contains(QStringLiteral("Esporta in Excel")));
    QCOMPARE(text.count(QStringLiteral("\n\n")), 2);   // three paragraphs
    QVERIFY(w->isVisible());
}

void TestExportWindows::exitCloses()
{
    mat->show();
    QVERIFY(mat->isVisible());
    ScreenFixture::press(mat, "lblEsci");
    QVERIFY(!mat->isVisible());
    QVERIFY(fake->messages.isEmpty());
}

QTEST_MAIN(TestExportWindows)
#include "tst_exportwindows.moc"
