#include "export/ExportTables.h"
#include "export/SpreadsheetExport.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include "SampleRecords.h"
#include "TestSupport.h"

#include <QDir>
#include <QtTest>

namespace {

// The file's pieces before the header row, in Windows-1252 bytes, with the
// worksheet name in its place.
QByteArray head(const QByteArray& worksheet)
{
    return QByteArray("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                      "xmlns=\"http://www.w3.org/TR/REC-html40\">")
        + "<head>"
        + "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        + "<!--[if gte mso 9]><xml>"
        + "<x:ExcelWorkbook>"
        + "<x:ExcelWorksheets>"
        + "<x:ExcelWorksheet>"
        + "<x:Name>" + worksheet + "</x:Name>"
        + "<x:WorksheetOptions>"
        + "<x:Selected/>"
        + "<x:Panes>"
        + "<x:Pane>"
        + "<x:Number>1</x:Number>"
        + "<x:ActiveRow>3</x:ActiveRow>"
        + "</x:Pane>"
        + "</x:Panes>"
        + "<x:ProtectContents>False</x:ProtectContents>"
        + "<x:ProtectObjects>False</x:ProtectObjects>"
        + "<x:ProtectScenarios>False</x:ProtectScenarios>"
        + "</x:WorksheetOptions>"
        + "</x:ExcelWorksheet>"
        + "</x:ExcelWorksheets>"
        + "</x:ExcelWorkbook>"
        + "</xml><![endif]-->"
        + "</head>"
        + "<body>"
        + "<table x:str>";
}

const QByteArray kTail = "</table></body></html>";

// Every cell carries the text format LibreOffice Calc reads (Excel reads x:str).
const QByteArray kText = " sdnum=\"1040;0;@\"";

QByteArray headerCell(int width, const QByteArray& text)
{
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + kText + ">"
         + text + "</td>";
}

QByteArray cell(const QByteArray& text)
{
    return "<td style=\"text-align: left;\"" + kText + ">" + text + "</td>";
}

QByteArray row(const QList<QByteArray>& texts)
{
    QByteArray out = "<tr>";
    for (const QByteArray& t : texts)
        out += cell(t);
    return out + "</tr>";
}

// A number cell: its attributes (checked byte for byte in numberCells) and
// the text as typed.
QByteArray numberCell(const QByteArray& text)
{
    return "<td" + SpreadsheetExport::numberAttributes(QString::fromLatin1(text)).toLatin1() + ">" + text + "</td>";
}

// A row whose cells at the given columns are numbers.
QByteArray row(const QList<QByteArray>& texts, const QList<int>& numbers)
{
    QByteArray out = "<tr>";
    for (int c = 0; c < texts.size(); ++c)
        out += numbers.contains(c) ? numberCell(texts[c]) : cell(texts[c]);
    return out + "</tr>";
}

// The header rows, written out in full: file headers and widths, Windows-1252.
const QByteArray kClientHeaders =
    "<tr>" + headerCell(200, "Cognome e nome cliente") + headerCell(250, "Indirizzo") + headerCell(80, "CAP")
    + headerCell(200, "Citt\xE0") + headerCell(80, "Prov.") + headerCell(200, "Categoria cliente")
    + headerCell(400, "Prodotti o servizi") + headerCell(250, "Modalit\xE0 di pagamento")
    + headerCell(250, "Sconti praticati") + headerCell(300, "Zona di appartenenza")
    + headerCell(100, "Pubblicit\xE0") + headerCell(200, "Codice fiscale")
    + headerCell(300, "Carta di credito n.") + headerCell(200, "Partita IVA") + headerCell(200, "Codice IBAN")
    + headerCell(200, "Tel. casa") + headerCell(200, "Tel. ufficio") + headerCell(200, "Tel. cellulare")
    + headerCell(200, "Fax") + headerCell(300, "E-mail") + headerCell(600, "Note") + "</tr>";

const QByteArray kMaterialHeaders =
    "<tr>" + headerCell(200, "Codice") + headerCell(250, "Tipologia") + headerCell(250, "Marca")
    + headerCell(250, "Modello") + headerCell(400, "Accessori") + headerCell(500, "Descrizione")
    + headerCell(400, "Fornitore") + headerCell(250, "Recapito") + headerCell(200, "Data acquisto")
    + headerCell(200, "Costo acquisto") + headerCell(400, "Documento acquisto")
    + headerCell(400, "Modalit\xE0 ordine merce") + headerCell(200, "Prezzo al pubblico")
    + headerCell(400, "Collocazione") + headerCell(200, "Giacenza") + headerCell(600, "Note") + "</tr>";

const QByteArray kReceiptHeaders =
    "<tr>" + headerCell(150, "Documento") + headerCell(150, "Data emissione") + headerCell(300, "Ditta emittente")
    + headerCell(200, "Partita IVA") + headerCell(200, "Codice fiscale") + headerCell(300, "Cliente")
    + headerCell(400, "Indirizzo") + headerCell(300, "Citt\xE0") + headerCell(200, "Partita IVA")
    + headerCell(200, "Codice fiscale") + headerCell(200, "Codice apparecchio") + headerCell(200, "Tipologia")
    + headerCell(200, "Marca") + headerCell(200, "Modello") + headerCell(250, "Accessori")
    + headerCell(400, "Modalit\xE0 di pagamento") + headerCell(300, "Banca d'appoggio")
    + headerCell(200, "Totale netto") + headerCell(100, "Aliquota IVA") + headerCell(200, "Totale IVA")
    + headerCell(200, "Totale") + headerCell(100, "Saldato") + "</tr>";

using C = TRecCliente;
using M = TRecMateriale;
using R = TRecRicevuta;

QByteArray fullClient()
{
    return sampleBytes<C>({{&C::Nominativo, "Rossi Mario"}, {&C::Indirizzo, "Via Roma 1"}, {&C::Cap, "00100"},
                           {&C::Citta, QString::fromUtf8("Città di Castello")}, {&C::Prov, "PG"},
                           {&C::Categoria, "Privato"}, {&C::Prodotti, "Lavatrici"}, {&C::Pagamento, "Contanti"},
                           {&C::Sconti, "10%"}, {&C::Zona, "Centro"}, {&C::Pubblicita, QString::fromUtf8("Sì pubblicità")},
                           {&C::CodFisc, "RSSMRA80A01H501U"}, {&C::Carta, "4111111111111111"}, {&C::Iva, "01234567890"},
                           {&C::Iban, "IT60X0542811101000000123456"}, {&C::TelCasa, "06 123"}, {&C::TelUff, "06 456"},
                           {&C::TelCel, "333 789"}, {&C::Fax, "06 999"}, {&C::Email, "mario@example.it"},
                           {&C::Note, QString::fromUtf8("Paga in €")}, {&C::File01, "/not/exported"},
                           {&C::Stato, "Scheda salvata in data 05/03/2024 alle ore 14:30:15"}});
}

QList<QByteArray> fullClientCells()
{
    return {"Rossi Mario", "Via Roma 1", "00100", "Citt\xE0 di Castello", "PG", "Privato", "Lavatrici",
            "Contanti", "10%", "Centro", "S\xEC", "RSSMRA80A01H501U", "4111111111111111", "01234567890",
            "IT60X0542811101000000123456", "06 123", "06 456", "333 789", "06 999", "mario@example.it",
            "Paga in \x80"};
}

// count client rows of varied texts: accents, the euro sign, markup
// characters, empty cells, a value of 250 characters.
std::vector<QStringList> manyRows(int count)
{
    std::vector<QStringList> rows;
    rows.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        QStringList row = ExportTables::clientRow(fullClient().constData());
        row[0] = QStringLiteral("Cliente %1 & <figli>").arg(i);
        row[3] = i % 2 ? QString::fromUtf8("Forlì") : QString();
        row[20] = QString(250, QChar(u'a' + i % 26)) + QString::fromUtf8(" €");
        rows.push_back(row);
    }
    return rows;
}

// What writeFile writes: the rows handed over one at a time.
bool writeRows(const QString& path, const std::vector<QStringList>& rows)
{
    const ExportTable& table = ExportTables::clients();
    return SpreadsheetExport::writeFile(path, table.worksheetName, table.fileColumns(), qint64(rows.size()),
                                        [&rows](qint64 i) { return rows[size_t(i)]; });
}

} // namespace

class TestSpreadsheetExport : public QObject
{
    Q_OBJECT
private slots:
    void numberCells_data();
    void numberCells();
    void emptyArchiveWritesNoDataRow_data();
    void emptyArchiveWritesNoDataRow();
    void clientsFile();
    void consentCell_data();
    void consentCell();
    void materialsFile();
    void receiptsFile();
    void markupCharactersAreEscaped_data();
    void markupCharactersAreEscaped();
    void windows1252Bytes_data();
    void windows1252Bytes();
    void receiptYearFile();
    void writeReplacesTheFile();
    void writeFailsOnAFolder();
    void writtenInPiecesGivesTheSameBytes_data();
    void writtenInPiecesGivesTheSameBytes();
    void composedInPiecesOfAboutAMegabyte();
    void failureMidwayLeavesTheOldFile_data();
    void failureMidwayLeavesTheOldFile();
};

void TestSpreadsheetExport::emptyArchiveWritesNoDataRow_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("clients") << 0 << head("Anagrafica clienti") + kClientHeaders + kTail;
    QTest::newRow("materials") << 1 << head("Magazzino materiali") + kMaterialHeaders + kTail;
    QTest::newRow("receipts") << 2 << head("Ricevute emesse") + kReceiptHeaders + kTail;
}

void TestSpreadsheetExport::emptyArchiveWritesNoDataRow()
{
    QFETCH(int, archive);
    QFETCH(QByteArray, expected);
    const ExportTable& table = archive == 0   ? ExportTables::clients()
                               : archive == 1 ? ExportTables::materials()
                                              : ExportTables::receipts();
    const QByteArray bytes = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), {});
    QCOMPARE(bytes, expected);
    QVERIFY(!bytes.contains('\n'));
    QVERIFY(!bytes.contains('\r'));
}

void TestSpreadsheetExport::clientsFile()
{
    const QByteArray second =
        sampleBytes<C>({{&C::Nominativo, "Bianchi Srl"}, {&C::Pubblicita, QString::fromUtf8("No pubblicità")}});
    QList<QByteArray> secondCells(21);
    secondCells[0] = "Bianchi Srl";
    secondCells[10] = "No";

    const ExportTable& table = ExportTables::clients();
    QCOMPARE(int(table.columns.size()), 21);
    const std::vector<QStringList> rows = {ExportTables::clientRow(fullClient().constData()),
                                           ExportTables::clientRow(second.constData())};
    QCOMPARE(rows[0].size(), 21);

    const QByteArray bytes = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), rows);
    QCOMPARE(bytes, head("Anagrafica clienti") + kClientHeaders + row(fullClientCells()) + row(secondCells) + kTail);
    QCOMPARE(table.fileName, QStringLiteral("Clienti.xls"));
    QCOMPARE(table.archiveName, QStringLiteral("Clienti.pro"));
}

void TestSpreadsheetExport::consentCell_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("yes") << QString::fromUtf8("Sì pubblicità") << QString::fromUtf8("Sì");
    QTest::newRow("no") << QString::fromUtf8("No pubblicità") << QStringLiteral("No");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("other case") << QString::fromUtf8("sì pubblicità") << QString();
    QTest::newRow("no accent") << QStringLiteral("Si pubblicita") << QString();
    QTest::newRow("other text") << QStringLiteral("Forse") << QString();
}

void TestSpreadsheetExport::consentCell()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(ExportTables::clientRow(sampleBytes<C>({{&C::Pubblicita, stored}}).constData()).at(10), shown);
}

void TestSpreadsheetExport::materialsFile()
{
    const QByteArray m = sampleBytes<M>(
        {{&M::Codice, "A-1"}, {&M::Tipologia, "Lavatrice"}, {&M::Marca, "ACME"}, {&M::Modello, "W10"},
         {&M::Accessori, "Tubo"}, {&M::Descrizione, "Lavatrice 7 kg"}, {&M::Fornitore, "Grossista"},
         {&M::Recapito, "02 111"}, {&M::DataAcquisto, "01/02/2024"}, {&M::Costo, "200,00"}, {&M::Documento, "Fattura 12"},
         {&M::ModOrdine, "Telefono"}, {&M::Prezzo, "349,90"}, {&M::Collocazione, "Scaffale B"}, {&M::Giacenza, "4,5"},
         {&M::Sottoscorta, "2"}, {&M::Note, "Nuovo modello"}, {&M::File01, "/not/exported"}});

    const ExportTable& table = ExportTables::materials();
    QCOMPARE(int(table.columns.size()), 16);
    const QStringList values = ExportTables::materialRow(m.constData());
    QCOMPARE(values.size(), 16);
    QVERIFY(!values.contains(QStringLiteral("2")));   // the threshold stays out

    const QByteArray bytes = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), std::vector<QStringList>{values});
    QCOMPARE(bytes, head("Magazzino materiali") + kMaterialHeaders
                        + row({"A-1", "Lavatrice", "ACME", "W10", "Tubo", "Lavatrice 7 kg", "Grossista", "02 111",
                               "01/02/2024", "200,00", "Fattura 12", "Telefono", "349,90", "Scaffale B", "4,5",
                               "Nuovo modello"},
                              {9, 12, 14})
                        + kTail);
    QCOMPARE(table.fileName, QStringLiteral("Magazzino.xls"));
    QCOMPARE(table.archiveName, QStringLiteral("Materiali.pro"));
}

// Amounts, quantities and stock are numbers for both spreadsheet programs,
// shown exactly as typed; anything that is not an Italian number stays text.
void TestSpreadsheetExport::numberCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("attributes");
    const QString shape = QStringLiteral(
        " x:num=\"%1\" sdval=\"%2\" sdnum=\"1040;0;%3\" style=\"text-align: right; mso-number-format:'%4';\"");
    QTest::newRow("amount") << "1234,50" << shape.arg("1234.50", "1234,50", "0000,00", "0000\\.00");
    QTest::newRow("four decimals") << "22,0000" << shape.arg("22.0000", "22,0000", "00,0000", "00\\.0000");
    QTest::newRow("whole") << "4" << shape.arg("4", "4", "0", "0");
    QTest::newRow("leading zeros") << "007" << shape.arg("7", "7", "000", "000");
    QTest::newRow("zero") << "0,00" << shape.arg("0.00", "0,00", "0,00", "0\\.00");
    QTest::newRow("negative") << "-3,5" << shape.arg("-3.5", "-3,5", "0,0", "0\\.0");
    QTest::newRow("a point is no Italian decimal") << "12.50" << QString();
    QTest::newRow("thousands mark") << "1.234,50" << QString();
    QTest::newRow("words") << "circa 10" << QString();
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("a comma alone") << "12," << QString();
    QTest::newRow("an exponent") << "1e5" << QString();
}

void TestSpreadsheetExport::numberCells()
{
    QFETCH(QString, text);
    QFETCH(QString, attributes);
    QCOMPARE(SpreadsheetExport::numberAttributes(text), attributes);
}

void TestSpreadsheetExport::receiptsFile()
{
    R r = sample<R>({{&R::Ricevuta, "Ricevuta n."}, {&R::NumRic, "7"}, {&R::Data, "05/03/2024"},
                     {&R::Venditore, "Ditta Srl"}, {&R::IvaVen, "11111111111"}, {&R::CodFiscVen, "DTTSRL"},
                     {&R::Cliente, "Rossi Mario"}, {&R::IndirizzoCli, "Via Roma 1"}, {&R::CapCli, "00100"},
                     {&R::CittaCli, "Roma"}, {&R::ProvCli, "RM"}, {&R::IvaCli, "22222222222"}, {&R::CodFiscCli, "RSSMRA"},
                     {&R::CodiceApp, "APP1"}, {&R::TipologiaApp, "Frigo"}, {&R::MarcaApp, "ACME"}, {&R::ModelloApp, "F2"},
                     {&R::AccessoriApp, "Nessuno"}, {&R::ModPag, "Bonifico"}, {&R::Banca, "Banca X"},
                     {&R::TotNetto, "100,00"}, {&R::PercIva, "22"}, {&R::TotIva, "22,0000"}, {&R::Totale, "122,00"},
                     {&R::Saldato, QString::fromUtf8("Sì")}});
    r.Desc[0] = QStringLiteral("not exported");

    // Composed values keep their blanks when a part is empty.
    const QStringList sparseRow = ExportTables::receiptRow(sampleBytes<R>({{&R::CittaCli, "Roma"}}).constData());
    QCOMPARE(sparseRow.at(0), QStringLiteral(" "));
    QCOMPARE(sparseRow.at(7), QStringLiteral(" Roma "));
    QCOMPARE(sparseRow.at(18), QStringLiteral("%"));

    const ExportTable& table = ExportTables::receipts();
    QCOMPARE(int(table.columns.size()), 22);
    const QStringList values = ExportTables::receiptRow(r.encode().constData());
    QCOMPARE(values.size(), 22);
    const QByteArray bytes = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), std::vector<QStringList>{values});
    QCOMPARE(bytes, head("Ricevute emesse") + kReceiptHeaders
                        + row({"Ricevuta n. 7", "05/03/2024", "Ditta Srl", "11111111111", "DTTSRL", "Rossi Mario",
                               "Via Roma 1", "00100 Roma RM", "22222222222", "RSSMRA", "APP1", "Frigo", "ACME", "F2",
                               "Nessuno", "Bonifico", "Banca X", "100,00", "22%", "22,0000", "122,00", "S\xEC"},
                              {17, 19, 20})
                        + kTail);
    QCOMPARE(table.fileName, QStringLiteral("Ricevute.xls"));
}

void TestSpreadsheetExport::markupCharactersAreEscaped_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("ampersand") << QStringLiteral("Rossi & Figli") << QByteArray("Rossi &amp; Figli");
    QTest::newRow("less than") << QStringLiteral("<b>") << QByteArray("&lt;b&gt;");
    QTest::newRow("greater than") << QStringLiteral("a > b") << QByteArray("a &gt; b");
    QTest::newRow("closing cell") << QStringLiteral("</td></tr>") << QByteArray("&lt;/td&gt;&lt;/tr&gt;");
    QTest::newRow("entity already") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("double quote stays") << QStringLiteral("\"24\" pollici") << QByteArray("\"24\" pollici");
    QTest::newRow("apostrophe stays") << QStringLiteral("Banca d'appoggio") << QByteArray("Banca d'appoggio");
}

void TestSpreadsheetExport::markupCharactersAreEscaped()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    const QByteArray bytes =
        SpreadsheetExport::build(QStringLiteral("Foglio"), {{QStringLiteral("Note"), 600}},
                                 std::vector<QStringList>{QStringList{value}});
    QCOMPARE(bytes, head("Foglio") + "<tr>" + headerCell(600, "Note") + "</tr>" + row({written}) + kTail);
}

void TestSpreadsheetExport::windows1252Bytes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("Città") << QString::fromUtf8("Città") << QByteArray("Citt\xE0");
    QTest::newRow("euro") << QString::fromUtf8("€") << QByteArray("\x80");
    QTest::newRow("Sì") << QString::fromUtf8("Sì") << QByteArray("S\xEC");
    QTest::newRow("Modalità") << QString::fromUtf8("Modalità") << QByteArray("Modalit\xE0");
}

void TestSpreadsheetExport::windows1252Bytes()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    const QByteArray bytes = SpreadsheetExport::build(value, {{value, 1}}, std::vector<QStringList>{QStringList{value}});
    QCOMPARE(bytes, head(written) + "<tr>" + headerCell(1, written) + "</tr>" + row({written}) + kTail);
}

void TestSpreadsheetExport::receiptYearFile()
{
    QCOMPARE(ExportTables::receiptArchiveName(QStringLiteral(" 2024 ")), QStringLiteral("2024.ric"));
    QCOMPARE(ExportTables::receiptArchiveName(QStringLiteral("0000")), QStringLiteral("0000.ric"));
    QVERIFY(ExportTables::receipts().archiveName.isEmpty());
}

void TestSpreadsheetExport::writeReplacesTheFile()
{
    TempAppDir dir;
    dir.writeAll(QStringLiteral("Clienti.xls"), QByteArray(5000, 'x'));
    QVERIFY(SpreadsheetExport::write(dir.file(QStringLiteral("Clienti.xls")), "<html></html>"));
    QCOMPARE(dir.readAll(QStringLiteral("Clienti.xls")), QByteArray("<html></html>"));

    // A link in its place is replaced itself; what it points to stays as it was.
    TempAppDir elsewhere;
    elsewhere.writeAll(QStringLiteral("theirs"), "their own file");
    QVERIFY(QFile::remove(dir.file(QStringLiteral("Clienti.xls"))));
    PLANT_LINK(elsewhere.file(QStringLiteral("theirs")), dir.file(QStringLiteral("Clienti.xls")));
    QVERIFY(SpreadsheetExport::write(dir.file(QStringLiteral("Clienti.xls")), "<html>2</html>"));
    QCOMPARE(elsewhere.readAll(QStringLiteral("theirs")), QByteArray("their own file"));
    QVERIFY(!QFileInfo(dir.file(QStringLiteral("Clienti.xls"))).isSymLink());
    QCOMPARE(dir.readAll(QStringLiteral("Clienti.xls")), QByteArray("<html>2</html>"));
}

void TestSpreadsheetExport::writeFailsOnAFolder()
{
    TempAppDir dir;
    dir.putFolderInPlaceOf(QStringLiteral("Clienti.xls"));
    QVERIFY(!SpreadsheetExport::write(dir.file(QStringLiteral("Clienti.xls")), "<html></html>"));
    QVERIFY(QFileInfo(dir.file(QStringLiteral("Clienti.xls"))).isDir());
}

void TestSpreadsheetExport::writtenInPiecesGivesTheSameBytes_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("no row") << 0;
    QTest::newRow("one row") << 1;
    QTest::newRow("several pieces") << 6000;
}

void TestSpreadsheetExport::writtenInPiecesGivesTheSameBytes()
{
    QFETCH(int, rows);
    TempAppDir dir;
    dir.writeAll(QStringLiteral("Clienti.xls"), QByteArray(5000, 'x'));
    const std::vector<QStringList> texts = manyRows(rows);
    QVERIFY(writeRows(dir.file(QStringLiteral("Clienti.xls")), texts));
    const ExportTable& table = ExportTables::clients();
    QCOMPARE(dir.readAll(QStringLiteral("Clienti.xls")),
             SpreadsheetExport::build(table.worksheetName, table.fileColumns(), texts));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Clienti.xls")});
}

void TestSpreadsheetExport::composedInPiecesOfAboutAMegabyte()
{
    QList<qsizetype> pieces;
    const ExportTable& table = ExportTables::clients();
    SpreadsheetExport::Composer file([&pieces](const QByteArray& piece) {
        pieces << piece.size();
        return true;
    }, table.worksheetName, table.fileColumns());
    qsizetype rowBytes = 0;
    for (const QStringList& row : manyRows(6000)) {
        QVERIFY(file.addRow(row));
        rowBytes = std::max(rowBytes, SpreadsheetExport::build(QString(), table.fileColumns(), {row}).size());
    }
    QVERIFY(file.finish());
    QVERIFY2(pieces.size() >= 3, qPrintable(QString::number(pieces.size())));
    for (const qsizetype size : pieces)
        QVERIFY2(size <= (1 << 20) + rowBytes, qPrintable(QString::number(size)));
}

void TestSpreadsheetExport::failureMidwayLeavesTheOldFile_data()
{
    QTest::addColumn<qint64>("spare");
    QTest::newRow("the first piece refused") << qint64(0);
    QTest::newRow("midway, a piece cut short") << qint64(1500000);
    QTest::newRow("the closing markup refused") << qint64(-100);   // from the end
}

void TestSpreadsheetExport::failureMidwayLeavesTheOldFile()
{
    QFETCH(qint64, spare);
    TempAppDir dir;
    const QByteArray old = "<html>the whole export of yesterday</html>";
    dir.writeAll(QStringLiteral("Clienti.xls"), old);
    const std::vector<QStringList> rows = manyRows(6000);
    const ExportTable& table = ExportTables::clients();
    const qint64 whole = SpreadsheetExport::build(table.worksheetName, table.fileColumns(), rows).size();
    {
        DeviceWriterSwap full(fullDiskWriter(spare < 0 ? whole + spare : spare));
        QVERIFY(!writeRows(dir.file(QStringLiteral("Clienti.xls")), rows));
    }
    QCOMPARE(dir.readAll(QStringLiteral("Clienti.xls")), old);
    // No temporary file left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Clienti.xls")});
}

QTEST_GUILESS_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
