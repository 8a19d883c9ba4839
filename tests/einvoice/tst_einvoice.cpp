// The electronic invoice of a receipt: each file read back, its sums done
// again from its own figures and checked against the official schema; the
// refusals before writing; the texts and codes the screen proposes.

#include "einvoice/EInvoice.h"
#include "receipts/ReceiptTotals.h"

#include "TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace EInvoice;
using R = TRecRicevuta;

namespace {

QString utf8(const char* s)
{
    return QString::fromUtf8(s);
}

// Sets "Field=value" on the receipt ("Quant2": line 2) or, for code, pec,
// regime, nature, payment, iban and stamp, on the options.
void apply(const QStringList& changes, R& r, Options& o)
{
    static const QHash<QString, QString R::*> fields = {
        {"NumRic", &R::NumRic}, {"Data", &R::Data}, {"Venditore", &R::Venditore}, {"IndirizzoVen", &R::IndirizzoVen},
        {"CapVen", &R::CapVen}, {"CittaVen", &R::CittaVen}, {"ProvVen", &R::ProvVen}, {"IvaVen", &R::IvaVen},
        {"CodFiscVen", &R::CodFiscVen}, {"Cliente", &R::Cliente}, {"IndirizzoCli", &R::IndirizzoCli},
        {"CapCli", &R::CapCli}, {"CittaCli", &R::CittaCli}, {"ProvCli", &R::ProvCli}, {"IvaCli", &R::IvaCli},
        {"CodFiscCli", &R::CodFiscCli}};
    static const QHash<QString, QString Options::*> options = {
        {"code", &Options::recipientCode}, {"pec", &Options::pec}, {"regime", &Options::taxRegime},
        {"nature", &Options::nature}, {"payment", &Options::paymentMethod}, {"iban", &Options::iban}};
    static const QHash<QString, QString*(*)(R&)> lines = {
        {"Quant", [](R& r) { return r.Quant; }}, {"PrezzoUni", [](R& r) { return r.PrezzoUni; }},
        {"Sconto", [](R& r) { return r.Sconto; }}};
    for (const QString& change : changes) {
        const QString key = change.section(QLatin1Char('='), 0, 0);
        const QString value = change.section(QLatin1Char('='), 1);
        const QString family = QString(key).remove(QRegularExpression(QStringLiteral("[0-9]+$")));
        if (fields.contains(key))
            r.*fields.value(key) = value;
        else if (options.contains(key))
            o.*options.value(key) = value;
        else if (lines.contains(family))
            lines.value(family)(r)[key.mid(family.size()).toInt() - 1] = value;
        else if (key == QLatin1String("stamp"))
            o.stampDuty = true;
        else
            qFatal("no field %s", qPrintable(key));
    }
}

// A stored receipt: the seller and client every row starts from, the lines
// ("quantity|price|discount|code|description"), the totals the editor
// computed when it was saved, then the row's changes.
R receipt(const QStringList& lines, const QString& rate, const QStringList& changes, Options& o)
{
    R r;
    apply({"NumRic=2024/15", "Data=05/03/2024", "Venditore=Ferramenta Bianchi", "IndirizzoVen=Via Roma 1", "CapVen=47121",
           utf8("CittaVen=Forlì"), "ProvVen=FC", "IvaVen=01234567897", "CodFiscVen=01234567897", "Cliente=Rossi Mario",
           "IndirizzoCli=Corso Italia 20", "CapCli=40121", "CittaCli=Bologna", "ProvCli=bo", "IvaCli=12345678903",
           "CodFiscCli=rssmra80a01h501u"},
          r, o);
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList p = lines[i].split(QLatin1Char('|'));
        r.Quant[i] = p.value(0);
        r.PrezzoUni[i] = p.value(1);
        r.Sconto[i] = p.value(2);
        r.Cod[i] = p.value(3);
        r.Desc[i] = p.value(4);
    }
    r.PercIva = rate;
    ComputeTotals(r);
    apply(changes, r, o);
    return r;
}

// The file's elements that hold text, each with its path below the root.
using Leaves = QList<QPair<QString, QString>>;
Leaves leavesOf(const QByteArray& xml)
{
    Leaves leaves;
    QXmlStreamReader reader(xml);
    QStringList path;
    QString text;
    bool leaf = false;
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (reader.isStartElement()) {
            path << reader.name().toString();
            text.clear();
            leaf = true;
        } else if (reader.isCharacters()) {
            text += reader.text();
        } else if (reader.isEndElement()) {
            if (leaf)
                leaves.append({path.join(QLatin1Char('/')), text});
            leaf = false;
            path.removeLast();
        }
    }
    if (reader.hasError())
        qWarning("unreadable file: %s", qPrintable(reader.errorString()));
    return leaves;
}

// The texts of the elements at or below the end of a path ("IdFiscaleIVA/IdCodice").
QStringList below(const Leaves& leaves, const QString& tail)
{
    QStringList values;
    for (const auto& leaf : leaves) {
        if ((leaf.first + QLatin1Char('/')).contains(QLatin1Char('/') + tail + QLatin1Char('/')))
            values << leaf.second;
    }
    return values;
}

// A decimal of the file in units of 10^-8, read from its digits.
qint64 units(const QString& text)
{
    const QString digits = text.startsWith(QLatin1Char('-')) ? text.mid(1) : text;
    const qint64 value = digits.section(QLatin1Char('.'), 0, 0).toLongLong() * 100000000
                         + digits.section(QLatin1Char('.'), 1).leftJustified(8, QLatin1Char('0')).toLongLong();
    return text.startsWith(QLatin1Char('-')) ? -value : value;
}

QString cents(qint64 c)
{
    return QString::number(c / 100.0, 'f', 2);
}

// Each line agrees with quantity x (price - discount) within a cent and the
// lines run 1 to n; the summary and the total follow from the file's own
// line totals and rate.
void verifyArithmetic(const Leaves& leaves)
{
    qint64 sum = 0;
    QList<QMap<QString, QString>> lines;
    for (const auto& leaf : leaves) {
        const int at = int(leaf.first.indexOf(QLatin1String("DettaglioLinee/")));
        if (at >= 0 && leaf.first.endsWith(QLatin1String("/NumeroLinea")))
            lines.append(QMap<QString, QString>());
        if (at >= 0)
            lines.last().insert(leaf.first.mid(at + 15), leaf.second);
    }
    for (int i = 0; i < lines.size(); ++i) {
        const auto number = [&](const char* name) { return units(lines[i].value(name)) / 1e8L; };
        QCOMPARE(lines[i].value("NumeroLinea"), QString::number(i + 1));
        const long double off = lines[i].contains("ScontoMaggiorazione/Importo")
                                    ? number("ScontoMaggiorazione/Importo")
                                    : number("PrezzoUnitario") * number("ScontoMaggiorazione/Percentuale") / 100;
        const long double expected = (number("PrezzoUnitario") - off) * number("Quantita");
        QVERIFY2(std::fabs(expected - number("PrezzoTotale")) <= 0.01L, qPrintable(lines[i].value("NumeroLinea")));
        sum += units(lines[i].value("PrezzoTotale"));
    }
    // In cents, half up (every row's sum is positive): the taxable amount,
    // then the tax at the rate in hundredths.
    const qint64 taxable = (sum + 500000) / 1000000;
    const qint64 tax = (taxable * (units(below(leaves, "DatiRiepilogo/AliquotaIVA").value(0)) / 1000000) + 5000) / 10000;
    const QStringList payment = below(leaves, "ImportoPagamento");
    QCOMPARE(below(leaves, "ImponibileImporto"), QStringList{cents(taxable)});
    QCOMPARE(below(leaves, "Imposta"), QStringList{cents(tax)});
    QCOMPARE(below(leaves, "ImportoTotaleDocumento"), QStringList{cents(taxable + tax)});
    QVERIFY(payment.isEmpty() || payment == QStringList{cents(taxable + tax)});
}

// The file against the official schema, where xmllint can be run.
void validate(const QByteArray& xml)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("fattura.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size());
    file.close();
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {"--nonet", "--noout", "--schema",
                                           testPath(TEST_DATA_DIR "/fatturapa/Schema_del_file_xml_FatturaPA_v1.2.2.xsd"),
                                           file.fileName()});
    if (!lint.waitForStarted())
        QSKIP("xmllint cannot be run here (the Windows build's tests run under Wine): the schema check is Linux's");
    QVERIFY(lint.waitForFinished());
    QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
}

// The enumerated values of a simple type of the schema.
QStringList schemaCodes(const QString& type)
{
    QStringList codes;
    QXmlStreamReader reader(testDataFile(QStringLiteral("fatturapa/Schema_del_file_xml_FatturaPA_v1.2.2.xsd")));
    bool inside = false;
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == QLatin1String("simpleType"))
            inside = reader.attributes().value("name") == type;
        else if (inside && reader.isStartElement() && reader.name() == QLatin1String("enumeration"))
            codes << reader.attributes().value("value").toString();
    }
    return codes;
}

QStringList codesOf(const std::vector<Code>& list)
{
    QStringList codes;
    for (const Code& c : list)
        codes << c.code;
    return codes;
}

// The notice of an invoice total a cent apart from the receipt's.
QString centApart(const char* invoice, const char* receipt)
{
    return utf8("Il totale della fattura (%1 €) differisce di un centesimo da quello della ricevuta (%2 €)").arg(invoice, receipt);
}

} // namespace

class TestEInvoice : public QObject
{
    Q_OBJECT
private slots:
    void writesTheReceipt_data();
    void writesTheReceipt();
    void opensAsTheFormatWants();
    void refusals_data();
    void refusals();
    void readsTexts_data();
    void readsTexts();
    void proposesStampDuty_data();
    void proposesStampDuty();
    void offersTheSchemaCodes();
};

// Each row: the lines, the rate, the changes; the amounts in the file
// (taxable, tax, total) worked out by hand; what the file must hold
// ("Path=text", "!Path" for an element that must be absent, "~text" for
// bytes of the file); the start of each notice, in order.
void TestEInvoice::writesTheReceipt_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("amounts");
    QTest::addColumn<QStringList>("holds");
    QTest::addColumn<QStringList>("notices");
    auto row = [](const QString& name, const QStringList& lines, const char* rate, const QStringList& changes,
                  const char* amounts, const QStringList& holds, const QStringList& notices = {}) {
        QTest::newRow(qPrintable(name)) << lines << QString::fromLatin1(rate) << changes << QString::fromLatin1(amounts)
                                        << holds << notices;
    };
    // The receipt added 26,25 and 5,775 in binary, just below 32,025.
    row("22, a gap, paid by transfer", {"2|10,50||A-100|Vite M6", "", "1|5,25|||Dado"}, "22",
        {"payment=MP05", "iban=it60 x054 2811 1010 0000 0123 456", "pec=fatture@pec.example.it"}, "26.25 5.78 32.03",
        {"CodiceArticolo/CodiceValore=A-100", "Descrizione=Dado", "PrezzoTotale=21.00", "AliquotaIVA=22.00",
         "IBAN=IT60X0542811101000000123456", "ModalitaPagamento=MP05", "CondizioniPagamento=TP02",
         "PECDestinatario=fatture@pec.example.it", "Provincia=BO", "Data=2024-03-05", "Numero=2024/15",
         "CessionarioCommittente/DatiAnagrafici/CodiceFiscale=RSSMRA80A01H501U",
         "!CedentePrestatore/DatiAnagrafici/CodiceFiscale", "!Natura", "!DatiBollo", "!ScontoMaggiorazione"},
        {centApart("32,03", "32,02")});
    for (const Code& n : natures())
        row("rate 0, stamp duty, " + n.code, {"1|100||"}, "0", {"nature=" + n.code, "stamp"}, "100.00 0.00 100.00",
            {"DettaglioLinee/Natura=" + n.code, "DatiRiepilogo/Natura=" + n.code, "RiferimentoNormativo=" + legalReference(n.code),
             "BolloVirtuale=SI", "ImportoBollo=2.00", "AliquotaIVA=0.00", "EsigibilitaIVA=I", "!DatiPagamento"});
    row("discount 10", {"3|19,90|10"}, "22", {}, "53.73 11.82 65.55",
        {"Tipo=SC", "Percentuale=10.00", "!Importo", "PrezzoTotale=53.73"});
    row("discount 12,345", {"1|10|12,345"}, "22", {}, "8.77 1.93 10.70", {"Percentuale=12.35", "!Importo", "PrezzoTotale=8.7655"},
        {centApart("10,70", "10,69")});
    // 33,33 % of 1000 x 999,99 would miss by 33 EUR: the per-unit amount goes beside it.
    row("discount 33,3333 on 1000 x 999,99", {"1000|999,99|33,3333"}, "22", {}, "666660.33 146665.27 813325.60",
        {"Percentuale=33.33", "Importo=333.329667", "PrezzoTotale=666660.333", "Quantita=1000.00"},
        {centApart("813325,60", "813325,61")});
    row("discount 100", {"4|12,50|100", "1|10||"}, "22", {}, "10.00 2.20 12.20",
        {"Percentuale=100.00", "PrezzoTotale=0.00", "!Importo"});
    row("a third, three times", {"3|0,3333||"}, "22", {}, "1.00 0.22 1.22",
        {"Quantita=3.00", "PrezzoUnitario=0.3333", "PrezzoTotale=0.9999"});
    row("price only, quantity only", {"|7,50||", "3|||X1"}, "22", {}, "7.50 1.65 9.15",
        {"Quantita=1.00", "PrezzoUnitario=0.00", "Descrizione=X1", "Descrizione=Articolo"});
    row("twenty lines", QStringList(20, "1|1,05||"), "10", {}, "21.00 2.10 23.10", {"NumeroLinea=20"});
    row("a line given back", {"-1|10||", "2|10||"}, "22", {}, "10.00 2.20 12.20",
        {"Quantita=1.00", "PrezzoUnitario=-10.00", "PrezzoTotale=-10.00"});
    row("1,005 of line total to 1,01", {"1|1,005||"}, "22", {}, "1.01 0.22 1.23", {"PrezzoTotale=1.005"});
    row("0,125 of tax to 0,13", {"1|1,25||"}, "10", {}, "1.25 0.13 1.38", {});
    row("2,675 of tax to 2,68", {"1|26,75||"}, "10", {}, "26.75 2.68 29.43", {});
    row("12,3456 at 22", {"1|12,3456||"}, "22", {}, "12.35 2.72 15.07", {"PrezzoTotale=12.3456"}, {centApart("15,07", "15,06")});
    row("accents, Windows-1252, markup", {utf8("1|10||CAFFÈ-1|Tazza Œuvre Šik … 5€")}, "22",
        {utf8("Venditore=Caffè “Il Chicco” – Società & Figli <srl>"), "IndirizzoVen=Via\tRoma 1\x01", utf8("NumRic=N°12/à")},
        "10.00 2.20 12.20",
        {utf8("Denominazione=Caffè \"Il Chicco\" - Società & Figli <srl>"), "Indirizzo=Via Roma 1",
         utf8("Descrizione=Tazza OEuvre Sik ... 5EUR"), utf8("CodiceValore=CAFFÈ-1"), "Numero=No12/a",
         utf8("~<Denominazione>Caffè &quot;Il Chicco&quot; - Società &amp; Figli &lt;srl&gt;</Denominazione>")},
        {utf8("Il numero della ricevuta contiene caratteri che la fattura elettronica non ammette: nella fattura è scritto «No12/a».")});
    row("client with a tax code only", {"1|10||"}, "22", {"IvaCli="}, "10.00 2.20 12.20",
        {"CessionarioCommittente/DatiAnagrafici/CodiceFiscale=RSSMRA80A01H501U", "!CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA"});
    row("client with a VAT number only", {"1|10||"}, "22", {"CodFiscCli=", "CodFiscVen=RSSMRA80A01H501U"}, "10.00 2.20 12.20",
        {"CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice=12345678903",
         "!CessionarioCommittente/DatiAnagrafici/CodiceFiscale", "CedentePrestatore/DatiAnagrafici/CodiceFiscale=RSSMRA80A01H501U"});
    const QString name = QStringLiteral("Rossi ").repeated(17);
    const QString street = QStringLiteral("Via dei Mille ").repeated(5);   // cut at 60 after a blank
    row("texts cut", {"1|10||"}, "22", {"Venditore=" + name, "IndirizzoCli=" + street}, "10.00 2.20 12.20",
        {"Denominazione=" + name.left(80), "Indirizzo=" + street.left(59)},
        {utf8("Il campo «Cognome, nome o ragione sociale» della ditta emittente supera la lunghezza che la fattura "
              "elettronica ammette (80 caratteri)"),
         utf8("Il campo «Indirizzo» del cliente supera la lunghezza che la fattura elettronica ammette (60 caratteri): "
              "nella fattura è tagliato a «") + street.left(59) + utf8("».")});
}

void TestEInvoice::writesTheReceipt()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, rate);
    QFETCH(QStringList, changes);
    QFETCH(QString, amounts);
    QFETCH(QStringList, holds);
    QFETCH(QStringList, notices);
    Options options;
    const R r = receipt(lines, rate, changes, options);
    const std::optional<Refusal> refusal = check(r, options);
    QVERIFY2(!refusal, qPrintable(refusal ? refusal->message : QString()));
    const Document doc = compose(r, options, QStringLiteral("0000A"));
    const Leaves leaves = leavesOf(doc.xml);
    verifyArithmetic(leaves);
    QCOMPARE(below(leaves, "ImponibileImporto") + below(leaves, "Imposta") + below(leaves, "ImportoTotaleDocumento"),
             amounts.split(' '));
    QCOMPARE(doc.amounts.taxable + ' ' + doc.amounts.tax + ' ' + doc.amounts.total, amounts);
    for (const QString& hold : holds) {
        if (hold.startsWith(QLatin1Char('~')))
            QVERIFY2(doc.xml.contains(hold.mid(1).toUtf8()), qPrintable(hold));
        else if (hold.startsWith(QLatin1Char('!')))
            QVERIFY2(below(leaves, hold.mid(1)).isEmpty(), qPrintable(hold));
        else
            QVERIFY2(below(leaves, hold.section('=', 0, 0)).contains(hold.section('=', 1)), qPrintable(hold));
    }
    QCOMPARE(doc.notices.size(), notices.size());
    for (int i = 0; i < notices.size(); ++i)
        QVERIFY2(doc.notices[i].startsWith(notices[i]), qPrintable(doc.notices[i]));
    validate(doc.xml);
}

// The start and end of every file, byte for byte: one element a line, two blanks a level.
void TestEInvoice::opensAsTheFormatWants()
{
    Options options;
    const QByteArray xml = compose(receipt({"1|10||"}, "22", {}, options), options, QStringLiteral("00001")).xml;
    const QByteArray start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<p:FatturaElettronica "
                             "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" versione=\"FPR12\">\n"
                             "  <FatturaElettronicaHeader>\n    <DatiTrasmissione>\n      <IdTrasmittente>\n"
                             "        <IdPaese>IT</IdPaese>\n        <IdCodice>01234567897</IdCodice>\n      </IdTrasmittente>\n"
                             "      <ProgressivoInvio>00001</ProgressivoInvio>\n";
    QCOMPARE(xml.left(start.size()), start);
    QVERIFY(xml.endsWith("    </DatiBeniServizi>\n  </FatturaElettronicaBody>\n</p:FatturaElettronica>\n"));
}

// Each row: the lines, the rate and the changes; the field refused and what
// the message names it with. The first row passes.
void TestEInvoice::refusals_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("names");
    auto row = [](const char* name, const QStringList& changes, const char* field, const char* names,
                  const QStringList& lines = {"1|10||"}, const char* rate = "22") {
        QTest::newRow(name) << lines << QString::fromLatin1(rate) << changes << QString::fromLatin1(field) << utf8(names);
    };
    row("nothing to refuse", {}, "", "");
    row("seller's VAT number", {"IvaVen=01234567890"}, "txtIvaVen", "«Partita IVA» della ditta emittente");
    row("seller's VAT number empty", {"IvaVen="}, "txtIvaVen", "«Partita IVA» della ditta emittente");
    row("seller's tax code", {"CodFiscVen=RSSMRA80A01H501X"}, "txtCodFiscVen", "«Codice fiscale» della ditta emittente");
    row("client without either", {"IvaCli=", "CodFiscCli="}, "txtCodFiscCli", "«Partita IVA» né «Codice fiscale»");
    row("client's VAT number", {"IvaCli=12345678900"}, "txtIvaCli", "«Partita IVA» del cliente");
    row("client's tax code", {"CodFiscCli=RSSMRA80A01H501X"}, "txtCodFiscCli", "«Codice fiscale» del cliente");
    row("client's tax code of 10 digits", {"IvaCli=", "CodFiscCli=1234567890"}, "txtCodFiscCli", "«Codice fiscale» del cliente");
    row("seller's name", {"Venditore= \t"}, "txtVenditore", "«Cognome, nome o ragione sociale» della ditta emittente");
    row("seller's address", {"IndirizzoVen=\x01"}, "txtIndirizzoVen", "«Indirizzo» della ditta emittente");
    row("seller's CAP of 4", {"CapVen=4712"}, "txtCapVen", "«CAP» della ditta emittente");
    row("seller's province", {"ProvVen=F"}, "txtProvVen", "«Prov.» della ditta emittente");
    row("client's name", {"Cliente="}, "txtCliente", "«Cognome, nome o ragione sociale» del cliente");
    row("client's CAP with a letter", {"CapCli=4012A"}, "txtCapCli", "«CAP» del cliente");
    row("client's town", {"CittaCli="}, "txtCittaCli", "«Città» del cliente");
    row("client's province", {"ProvCli=B1"}, "txtProvCli", "«Prov.» del cliente");
    row("number", {"NumRic="}, "txtNumRic", "numero della ricevuta");
    row("date", {"Data=31/02/2024"}, "txtData", "«Data»");
    row("date before 1970", {"Data=31/12/1969"}, "txtData", "«Data»");
    row("no lines", {}, "txtQuant01", "«Quant.»", {"||10|X|Y"});
    row("recipient's code of 6", {"code=000000"}, "txtCodiceDestinatario", "codice destinatario");
    row("recipient's code in lower case", {"code=abc1234"}, "txtCodiceDestinatario", "codice destinatario");
    row("PEC without a dot", {"pec=fatture@pec"}, "txtPEC", "PEC");
    row("PEC with a blank", {"pec=fatture ditta@pec.it"}, "txtPEC", "PEC");
    row("PEC beside a code", {"code=ABC1234", "pec=fatture@pec.it"}, "txtPEC", "0000000");
    row("rate of 3 decimals", {}, "txtPercIva", "«IVA»", {"1|10||"}, "22,125");
    row("rate above 100", {}, "txtPercIva", "«IVA»", {"1|10||"}, "101");
    row("rate 0 without nature", {}, "cboNatura", "natura", {"1|10||"}, "0");
    row("rate 0, nature refused since 2021", {"nature=N2"}, "cboNatura", "natura", {"1|10||"}, "0");
    row("unreadable quantity", {"Quant2=1,2,3"}, "txtQuant02", "«Quant.» della riga 2", {"1|10||", "2|5||"});
    row("unreadable price", {"PrezzoUni1=abc"}, "txtPrezzoUni01", "«Prezzo unit.» della riga 1");
    row("discount above 100", {"Sconto1=150"}, "txtSconto01", "«Sconto %» della riga 1");
    row("discount below 0", {"Sconto1=-5"}, "txtSconto01", "«Sconto %» della riga 1");
    row("line total of 16 digits", {}, "txtPrezzoTot01", "«Prezzo tot.» della riga 1", {"999999|9999999999||"});
    row("total of 12 digits", {}, "txtTotale", "«TOTALE»", {"10|9999999999||"});
    row("tax regime", {"regime=RF03"}, "cboRegimeFiscale", "RF03");
    row("payment method", {"payment=MP99"}, "cboModalitaPagamento", "MP99");
    row("IBAN", {"payment=MP05", "iban=IT60X0542811101000000123457"}, "txtIBAN", "IBAN");
}

void TestEInvoice::refusals()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, rate);
    QFETCH(QStringList, changes);
    QFETCH(QString, field);
    QFETCH(QString, names);
    Options options;
    const R r = receipt(lines, rate, changes, options);
    const std::optional<Refusal> refusal = check(r, options);
    QCOMPARE(refusal ? refusal->field : QString(), field);
    QVERIFY2(!refusal || refusal->message.contains(names), qPrintable(refusal ? refusal->message : QString()));
    // The screen's own choices are refused alone, on the same field.
    const QStringList dialog{"txtCodiceDestinatario", "txtPEC", "cboNatura", "cboRegimeFiscale", "cboModalitaPagamento", "txtIBAN"};
    const std::optional<Refusal> choice = checkOptions(options, zeroRate(r));
    QCOMPARE(choice ? choice->field : QString(), dialog.contains(field) ? field : QString());
}

// Each row: which reading (plain text, payment method, IBAN), the text, what it gives.
void TestEInvoice::readsTexts_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* reading, const char* name, const QString& text, const QString& expected) {
        QTest::addRow("%s: %s", reading, name) << QString::fromLatin1(reading) << text << expected;
    };
    row("plain", "euro, quotes, dashes", utf8("5 € “a” ‘b’ ‚c„ – — …"), "5 EUR \"a\" 'b' 'c\" - - ...");
    row("plain", "the other signs", utf8("Œ œ Š š Ž ž Ÿ ƒ † ‡ ˆ ‰ ‹ › • ˜ ™"), "OE oe S s Z z Y f + ++ ^ o/oo < > * ~ (TM)");
    row("plain", "controls", QStringLiteral("a\tb\nc\x01" "d\x7f") + QChar(0x81) + QChar(0x9D), "a b c d   ");
    row("plain", "Latin-1 kept", utf8("àèìòù ÀÉ ç ñ «°»"), utf8("àèìòù ÀÉ ç ñ «°»"));
    row("plain", "beyond Windows-1252", utf8("ﬁne ✓"), "fine ?");
    row("payment", "contante, upper case", "pagamento in CONTANTE", "MP01");
    row("payment", "cash", "cash", "MP01");
    row("payment", "assegno", "Assegno bancario", "MP02");
    row("payment", "the first named", "bonifico o contanti", "MP05");
    row("payment", "carta", "Carta di credito", "MP08");
    row("payment", "bancomat", "bancomat", "MP08");
    row("payment", "pos", "POS.", "MP08");
    row("payment", "no pos in posta, no carta in cartaceo", "Vaglia di posta, avviso cartaceo", "");
    const QString it = QStringLiteral("IT60X0542811101000000123456");
    row("iban", "in groups after IBAN", "Banca Rossi - IBAN IT60 X054 2811 1010 0000 0123 456", it);
    row("iban", "lower case, words after", utf8("iban:it60x0542811101000000123456 filiale di Forlì"), it);
    // With the 30 after it the digits pass the check too, but an Italian code has 27 characters.
    row("iban", "a number after it", "IT60 X054 2811 1010 0000 0123 456 30", it);
    row("iban", "glued to IBAN", "IBANIT60X0542811101000000123456", it);
    row("iban", "German", "DE89 3704 0044 0532 0130 00", "DE89370400440532013000");
    row("iban", "wrong check digits", "IT60 X054 2811 1010 0000 0123 457", "");
    row("iban", "glued to letters after", "IT60X0542811101000000123456AB", "");
    row("iban", "no code", "Banca Rossi, Forli", "");
}

void TestEInvoice::readsTexts()
{
    QFETCH(QString, reading);
    QFETCH(QString, text);
    const std::map<QString, std::function<QString(const QString&)>> readings = {
        {"plain", EInvoice::plainText}, {"payment", proposedPaymentMethod}, {"iban", ibanIn}};
    QTEST(readings.at(reading)(text), "expected");
}

void TestEInvoice::proposesStampDuty_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("zero");
    QTest::addColumn<bool>("stamp");
    QTest::newRow("0, 77,48") << "0" << "77,48" << true << true;
    QTest::newRow("0,00, 77,47") << "0,00" << "77,47" << true << false;
    QTest::newRow("empty rate") << "" << "100,00" << true << true;
    QTest::newRow("22") << "22" << "100,00" << false << false;
}

void TestEInvoice::proposesStampDuty()
{
    QFETCH(QString, rate);
    QFETCH(QString, total);
    R r;
    r.PercIva = rate;
    r.Totale = total;
    QTEST(zeroRate(r), "zero");
    QTEST(stampDutyProposed(r), "stamp");
}

void TestEInvoice::offersTheSchemaCodes()
{
    QStringList regimes = schemaCodes("RegimeFiscaleType");
    regimes.sort();
    QCOMPARE(codesOf(taxRegimes()), regimes);
    QCOMPARE(taxRegimes().front().label, QStringLiteral("Ordinario"));
    QCOMPARE(taxRegimes().back().label, QStringLiteral("Forfettario"));
    // The natures without subcode are refused since 2021.
    QStringList current = schemaCodes("NaturaType");
    for (const char* old : {"N2", "N3", "N6"})
        current.removeAll(old);
    QCOMPARE(codesOf(natures()), current);
    for (const Code& n : natures()) {
        const QString reference = legalReference(n.code);
        QVERIFY2(!n.label.isEmpty() && !reference.isEmpty() && reference.size() <= 100, qPrintable(n.code));
        QCOMPARE(EInvoice::plainText(reference), reference);
    }
    QCOMPARE(legalReference("N4"), QStringLiteral("Esente art. 10 DPR 633/72"));
    QCOMPARE(legalReference("N3.1"), QStringLiteral("Non imponibile art. 8 DPR 633/72"));
    QCOMPARE(legalReference("N2.2"), QStringLiteral("Operazione effettuata ai sensi dell'art. 1, commi 54-89, L. 190/2014"));
    QCOMPARE(codesOf(paymentMethods()), (QStringList{"", "MP01", "MP02", "MP05", "MP08"}));
    for (const QString& code : codesOf(paymentMethods()).mid(1))
        QVERIFY(schemaCodes("ModalitaPagamentoType").contains(code));
}

QTEST_GUILESS_MAIN(TestEInvoice)
#include "tst_einvoice.moc"
