// The three exports opened by LibreOffice Calc for real: each file written
// through its export window is converted to UTF-8 CSV by soffice and every
// cell must read back as the preview grid shows it, leading zeros included;
// converted again to a flat spreadsheet, the amounts, prices and stock are
// numbers there, whose sums are the program's own.

#include "export/ExportTables.h"
#include "export/ui/ExportWindow.h"
#include "export/ui/TfrmEsportaRic.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"
#include "storage/TextRules.h"

#include "SampleRecords.h"
#include "ScreenFixture.h"

#include "storage/Amounts.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

namespace {

// The rows of a CSV text: comma separated, double-quoted cells with "" for a quote.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                cell += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n') {
            rows << (row << cell);
            row.clear();
            cell.clear();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!row.isEmpty() || !cell.isEmpty())
        rows << (row << cell);
    return rows;
}

using C = TRecCliente;
using M = TRecMateriale;
using R = TRecRicevuta;

QByteArray material(const QString& code, const QString& price)
{
    return sampleBytes<M>({{&M::Codice, code}, {&M::Marca, "Bosch & Co"}, {&M::DataAcquisto, "05/03/2024"},
                           {&M::Costo, "1234,50"}, {&M::Prezzo, price}, {&M::Giacenza, "007"},
                           {&M::Note, QString::fromUtf8("Più <b ancora")}});
}

const ExportTable& tableOf(const QString& file)
{
    return file == ExportTables::clients().fileName     ? ExportTables::clients()
           : file == ExportTables::materials().fileName ? ExportTables::materials()
                                                        : ExportTables::receipts();
}

} // namespace

class TestCalcRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyCellAsThePreviewShowsIt_data();
    void everyCellAsThePreviewShowsIt();
    void amountsAreNumbersCalcSums_data();
    void amountsAreNumbersCalcSums();

private:
    std::unique_ptr<ScreenFixture> screens;
    QTemporaryDir converted;
    QHash<QString, QList<QStringList>> previews;   // by file: the file's headers, then the grid's rows
};

void TestCalcRoundTrip::initTestCase()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("soffice (package libreoffice-calc-nogui, installed by scripts/deps) is not on the PATH");

    screens = std::make_unique<ScreenFixture>();
    screens->beginTest();
    TempAppDir& dir = screens->dir();
    const QByteArray client = sampleBytes<C>(
        {{&C::Nominativo, "Rossi & <Figli> Srl"}, {&C::Indirizzo, QString::fromUtf8("Via Po 1, però àèéìòù")},
         {&C::Cap, "00184"}, {&C::Citta, QString::fromUtf8("Città di Castello")}, {&C::Prov, "PG"},
         {&C::Pubblicita, QString::fromUtf8("Sì pubblicità")}, {&C::Sconti, "10%"}, {&C::Carta, "4111111111111111"},
         {&C::Iva, "01234560637"}, {&C::TelCasa, "0612345678"},
         {&C::Note, QString::fromUtf8("\"Acconto\" 1234,50 € =1+1")}});
    // After an empty card: Calc leaves out empty rows only at the end.
    const QByteArray last = sampleBytes<C>({{&C::Pubblicita, QString::fromUtf8("No pubblicità")}});
    dir.writeAll(QStringLiteral("Clienti.pro"), client + C().encode() + last);
    dir.writeAll(QStringLiteral("Materiali.pro"), material(QStringLiteral("00123"), QStringLiteral("0,10"))
                                                      + material(QStringLiteral("1e5"), QStringLiteral("349,90")));
    const QByteArray receipt = sampleBytes<R>(
        {{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, "0001"}, {&R::Data, "05/03/2024"},
         {&R::Venditore, QString::fromUtf8("Elettro & Figli di Forlì")}, {&R::IvaVen, "01234560637"}, {&R::CapCli, "00184"},
         {&R::CittaCli, "Roma"}, {&R::ProvCli, "RM"}, {&R::TotNetto, "1234,50"}, {&R::PercIva, "22"},
         {&R::TotIva, "271,59"}, {&R::Totale, "1506,09"}, {&R::Saldato, QString::fromUtf8("Sì")}});
    const QByteArray second = sampleBytes<R>({{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, "0002"}, {&R::TotNetto, "8,20"},
                                              {&R::PercIva, "22"}, {&R::TotIva, "1,80"}, {&R::Totale, "10,00"}});
    dir.writeAll(QStringLiteral("2024.ric"), receipt + R().encode() + second);
    qobject_cast<TfrmEsportaRic*>(ScreenFixture::screen("frmEsportaRic"))->setYear(QStringLiteral("2024"));

    QStringList files;
    const QList<QPair<const char*, const ExportTable*>> windows = {{"frmEsportaCli", &ExportTables::clients()},
                                                                   {"frmEsportaMat", &ExportTables::materials()},
                                                                   {"frmEsportaRic", &ExportTables::receipts()}};
    for (const auto& [name, table] : windows) {
        auto* window = qobject_cast<ExportWindow*>(ScreenFixture::screen(name));
        window->show();
        screens->fake().answers << true << false;
        ScreenFixture::press(window, "imgExcel");
        QCOMPARE(screens->fake().messages.size(), 2 * (files.size() + 1));   // asked, then exported
        QList<QStringList> preview(1);
        for (const ExportColumn& column : table->columns)
            preview[0] << column.fileHeader;
        const QAbstractItemModel* grid = window->findChild<QTableView*>(QStringLiteral("grdRecords"))->model();
        for (int r = 0; r < window->recordCount(); ++r) {
            QStringList& cells = preview.emplaceBack();
            for (int c = 1; c < grid->columnCount(); ++c)
                cells << TextRules::trim(grid->index(r, c).data().toString());
        }
        previews.insert(table->fileName, preview);
        files << dir.file(table->fileName);
        window->close();
    }

    // A profile of its own, so that no user's settings or running Calc take part.
    QProcess calc;
    calc.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + converted.filePath(QStringLiteral("profile")),
                                    QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),   // comma, quote, UTF-8
                                    QStringLiteral("--outdir"), converted.path()}
                            + files);
    QVERIFY2(calc.waitForFinished(300000), "soffice did not finish within five minutes");
    QVERIFY2(calc.exitStatus() == QProcess::NormalExit && calc.exitCode() == 0, calc.readAllStandardError().constData());
    // The same files as Calc holds them: each cell's type and value.
    calc.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + converted.filePath(QStringLiteral("profile")),
                                    QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("fods"),
                                    QStringLiteral("--outdir"), converted.path()}
                            + files);
    QVERIFY2(calc.waitForFinished(300000), "soffice did not finish within five minutes");
    QVERIFY2(calc.exitStatus() == QProcess::NormalExit && calc.exitCode() == 0, calc.readAllStandardError().constData());
}

namespace {

// The cells of one column of a flat spreadsheet below the header row: the
// value of each number cell, and a NaN for a text cell.
QList<double> numbersOfColumn(QIODevice* fods, int column)
{
    QList<double> out;
    QXmlStreamReader xml(fods);
    int row = -1, at = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("table-row")) {
            ++row;
            at = 0;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("table-cell")) {
            const QXmlStreamAttributes a = xml.attributes();
            const int repeated = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            if (row > 0 && column >= at && column < at + repeated && a.hasAttribute(QLatin1String("office:value-type"))) {
                out << (a.value(QLatin1String("office:value-type")) == QLatin1String("float")
                            ? a.value(QLatin1String("office:value")).toDouble()
                            : qQNaN());
            }
            at += repeated;
        }
    }
    return out;
}

} // namespace

void TestCalcRoundTrip::amountsAreNumbersCalcSums_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("column");
    QTest::newRow("receipts, net total") << "Ricevute.xls" << 17;
    QTest::newRow("receipts, VAT total") << "Ricevute.xls" << 19;
    QTest::newRow("receipts, total") << "Ricevute.xls" << 20;
    QTest::newRow("materials, cost") << "Magazzino.xls" << 9;
    QTest::newRow("materials, price") << "Magazzino.xls" << 12;
    QTest::newRow("materials, stock") << "Magazzino.xls" << 14;
}

void TestCalcRoundTrip::amountsAreNumbersCalcSums()
{
    QFETCH(QString, file);
    QFETCH(int, column);
    QFile fods(converted.filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".fods")));
    QVERIFY2(fods.open(QIODevice::ReadOnly), qPrintable(fods.fileName()));
    const QList<double> cells = numbersOfColumn(&fods, column);
    // The program's own sum of the same texts, as the preview shows them.
    double expected = 0;
    int amounts = 0;
    for (const QStringList& row : previews.value(file).mid(1)) {
        double value = 0;
        if (!row.value(column).isEmpty() && ParseAmount(row.value(column), value)) {
            expected += value;
            ++amounts;
        }
    }
    QVERIFY2(amounts >= 2, "the column holds amounts to sum");
    double sum = 0;
    int numbers = 0;
    for (const double cell : cells) {
        if (!qIsNaN(cell)) {
            sum += cell;
            ++numbers;
        }
    }
    QCOMPARE(numbers, amounts);   // every amount is a number in Calc, nothing else is
    QCOMPARE(qRound64(sum * 10000), qRound64(expected * 10000));
}

void TestCalcRoundTrip::everyCellAsThePreviewShowsIt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("mustHold");   // cells a reader turning texts into numbers would change
    QTest::newRow("clients") << "Clienti.xls"
                             << QStringList{"00184", "01234560637", "4111111111111111", "0612345678", "Rossi & <Figli> Srl",
                                            QString::fromUtf8("Città di Castello"), QString::fromUtf8("Sì"),
                                            QString::fromUtf8("\"Acconto\" 1234,50 € =1+1")};
    QTest::newRow("materials") << "Magazzino.xls"
                               << QStringList{"00123", "1e5", "1234,50", "0,10", "007", "05/03/2024",
                                              QString::fromUtf8("Più <b ancora")};
    QTest::newRow("receipts") << "Ricevute.xls"
                              << QStringList{"Ricevuta n. 0001", "01234560637", "00184 Roma RM", "1234,50", "22%",
                                             "271,59", "1506,09", QString::fromUtf8("Elettro & Figli di Forlì")};
}

void TestCalcRoundTrip::everyCellAsThePreviewShowsIt()
{
    QFETCH(QString, file);
    QFETCH(QStringList, mustHold);
    QFile csv(converted.filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".csv")));
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(csv.fileName()));
    const QList<QStringList> read = parseCsv(QString::fromUtf8(csv.readAll()));
    const QList<QStringList> preview = previews.value(file);
    QCOMPARE(read.size(), preview.size());   // the header row and one row per record
    // Amounts, prices and stock are numbers in Calc, written in its own
    // general format: they are compared as numbers (amountsAreNumbersCalcSums
    // sees their type), every other cell as text.
    const std::vector<SpreadsheetExport::FileColumn> columns = tableOf(file).fileColumns();
    for (int r = 0; r < read.size(); ++r) {
        QStringList got = read[r], shown = preview[r];
        for (int c = 0; r > 0 && c < int(columns.size()) && c < got.size() && c < shown.size(); ++c) {
            double a = 0, b = 0;
            if (columns[size_t(c)].number && ParseAmount(QString(got[c]).replace(u'.', u','), a)
                && ParseAmount(shown[c], b) && qRound64(a * 10000) == qRound64(b * 10000))
                got[c] = shown[c];
        }
        QCOMPARE(got.join(u'|'), shown.join(u'|'));
    }
    // The grid holds the texts a reader would turn into numbers, so the comparison above means something.
    for (const QString& text : mustHold)
        QVERIFY2(std::any_of(preview.begin(), preview.end(), [&](const QStringList& row) { return row.contains(text); }),
                 qPrintable(text));
}

QTEST_MAIN(TestCalcRoundTrip)
#include "tst_calcroundtrip.moc"
