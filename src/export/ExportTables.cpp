#include "export/ExportTables.h"

#include "clients/ClientCard.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"
#include "storage/TextRules.h"
#include "warehouse/MaterialCard.h"

namespace ExportTables {

namespace {

// One column of an archive: headers and widths, and the value it takes from
// the decoded record. Both the column table and the row come from this list,
// so a column's header and its value can never drift apart.
template <class Rec>
struct Column
{
    const char* gridHeader;
    int gridWidth;
    const char* fileHeader;
    int fileWidth;
    QString (*take)(const Rec&);
    bool number = false;   // amounts, quantities, stock
};

template <class Rec>
std::vector<ExportColumn> headersOf(const std::vector<Column<Rec>>& columns)
{
    std::vector<ExportColumn> out;
    out.reserve(columns.size());
    for (const Column<Rec>& c : columns)
        out.push_back({QString::fromUtf8(c.gridHeader), c.gridWidth, QString::fromUtf8(c.fileHeader), c.fileWidth,
                       c.number});
    return out;
}

template <class Rec>
QStringList rowOf(const std::vector<Column<Rec>>& columns, const char* record)
{
    const Rec rec = Rec::decode(record);
    QStringList out;
    out.reserve(int(columns.size()));
    for (const Column<Rec>& c : columns)
        out << c.take(rec);
    return out;
}

// The guide of every export says the same three things; only the archive differs.
QString guideText(const QString& archive)
{
    return TextRules::paragraphs({
        QStringLiteral("Questa schermata permette di esportare %1 in un foglio di lavoro di Microsoft Excel: "
                       "basta premere il pulsante \"Esporta in Excel\" e confermare.").arg(archive),
        QStringLiteral("Il file di Excel viene creato subito a partire dai dati presenti in archivio, gli stessi "
                       "mostrati nella tabella di anteprima. Alla domanda finale si può aprirlo: se compare la "
                       "finestra di scelta del programma, indicare Microsoft Excel o un altro foglio di calcolo."),
        QStringLiteral("Aperto il file, lo si può salvare con il nome che si preferisce."),
    });
}

using Cli = TRecCliente;
using Mat = TRecMateriale;
using Ric = TRecRicevuta;

const std::vector<Column<Cli>>& clientColumns()
{
    static const std::vector<Column<Cli>> columns = {
        {" Cognome e nome cliente", 200, "Cognome e nome cliente", 200, [](const Cli& r) { return r.Nominativo; }},
        {" Indirizzo", 250, "Indirizzo", 250, [](const Cli& r) { return r.Indirizzo; }},
        {" CAP", 60, "CAP", 80, [](const Cli& r) { return r.Cap; }},
        {" Città", 200, "Città", 200, [](const Cli& r) { return r.Citta; }},
        {" Prov.", 60, "Prov.", 80, [](const Cli& r) { return r.Prov; }},
        {" Categoria cliente", 200, "Categoria cliente", 200, [](const Cli& r) { return r.Categoria; }},
        {" Prodotti o servizi", 400, "Prodotti o servizi", 400, [](const Cli& r) { return r.Prodotti; }},
        {" Modalità di pagamento", 250, "Modalità di pagamento", 250, [](const Cli& r) { return r.Pagamento; }},
        {" Sconti praticati", 250, "Sconti praticati", 250, [](const Cli& r) { return r.Sconti; }},
        {" Zona di appartenenza", 300, "Zona di appartenenza", 300, [](const Cli& r) { return r.Zona; }},
        {" Pubblicità", 100, "Pubblicità", 100, [](const Cli& r) { return consentCell(r.Pubblicita); }},
        {" Codice fiscale", 200, "Codice fiscale", 200, [](const Cli& r) { return r.CodFisc; }},
        {" Carta di credito", 300, "Carta di credito n.", 300, [](const Cli& r) { return r.Carta; }},
        {" Partita IVA", 200, "Partita IVA", 200, [](const Cli& r) { return r.Iva; }},
        {" Codice IBAN", 200, "Codice IBAN", 200, [](const Cli& r) { return r.Iban; }},
        {" Tel. casa", 200, "Tel. casa", 200, [](const Cli& r) { return r.TelCasa; }},
        {" Tel. ufficio", 200, "Tel. ufficio", 200, [](const Cli& r) { return r.TelUff; }},
        {" Tel. cellulare", 200, "Tel. cellulare", 200, [](const Cli& r) { return r.TelCel; }},
        {" Fax", 200, "Fax", 200, [](const Cli& r) { return r.Fax; }},
        {" E-mail", 300, "E-mail", 300, [](const Cli& r) { return r.Email; }},
        {" Note", 600, "Note", 600, [](const Cli& r) { return r.Note; }},
    };
    return columns;
}

// The threshold and the attachments stay out of the worksheet.
const std::vector<Column<Mat>>& materialColumns()
{
    static const std::vector<Column<Mat>> columns = {
        {" Codice", 200, "Codice", 200, [](const Mat& r) { return r.Codice; }},
        {" Tipologia", 250, "Tipologia", 250, [](const Mat& r) { return r.Tipologia; }},
        {" Marca", 250, "Marca", 250, [](const Mat& r) { return r.Marca; }},
        {" Modello", 250, "Modello", 250, [](const Mat& r) { return r.Modello; }},
        {" Accessori", 400, "Accessori", 400, [](const Mat& r) { return r.Accessori; }},
        {" Descrizione", 500, "Descrizione", 500, [](const Mat& r) { return r.Descrizione; }},
        {" Fornitore", 400, "Fornitore", 400, [](const Mat& r) { return r.Fornitore; }},
        {" Recapito", 250, "Recapito", 250, [](const Mat& r) { return r.Recapito; }},
        {" Data di acquisto", 200, "Data acquisto", 200, [](const Mat& r) { return r.DataAcquisto; }},
        {" Costo di acquisto", 200, "Costo acquisto", 200, [](const Mat& r) { return r.Costo; }, true},
        {" Documento di acquisto", 400, "Documento acquisto", 400, [](const Mat& r) { return r.Documento; }},
        {" Modalità di ordine merce", 400, "Modalità ordine merce", 400, [](const Mat& r) { return r.ModOrdine; }},
        {" Prezzo al pubblico", 200, "Prezzo al pubblico", 200, [](const Mat& r) { return r.Prezzo; }, true},
        {" Collocazione", 400, "Collocazione", 400, [](const Mat& r) { return r.Collocazione; }},
        {" Giacenza", 200, "Giacenza", 200, [](const Mat& r) { return r.Giacenza; }, true},
        {" Note", 600, "Note", 600, [](const Mat& r) { return r.Note; }},
    };
    return columns;
}

// Composed values join the trimmed fields with single blanks even when a part
// is empty, so a column keeps the same shape on every row.
const std::vector<Column<Ric>>& receiptColumns()
{
    static const std::vector<Column<Ric>> columns = {
        {" Documento", 150, "Documento", 150, [](const Ric& r) { return r.Ricevuta + u' ' + r.NumRic; }},
        {" Data emissione", 150, "Data emissione", 150, [](const Ric& r) { return r.Data; }},
        {" Ditta emittente", 300, "Ditta emittente", 300, [](const Ric& r) { return r.Venditore; }},
        {" Partita IVA", 200, "Partita IVA", 200, [](const Ric& r) { return r.IvaVen; }},
        {" Codice fiscale", 200, "Codice fiscale", 200, [](const Ric& r) { return r.CodFiscVen; }},
        {" Cliente", 300, "Cliente", 300, [](const Ric& r) { return r.Cliente; }},
        {" Indirizzo", 400, "Indirizzo", 400, [](const Ric& r) { return r.IndirizzoCli; }},
        {" Città", 300, "Città", 300,
         [](const Ric& r) { return r.CapCli + u' ' + r.CittaCli + u' ' + r.ProvCli; }},
        {" Partita IVA", 200, "Partita IVA", 200, [](const Ric& r) { return r.IvaCli; }},
        {" Codice fiscale", 200, "Codice fiscale", 200, [](const Ric& r) { return r.CodFiscCli; }},
        {" Codice apparecchio", 200, "Codice apparecchio", 200, [](const Ric& r) { return r.CodiceApp; }},
        {" Tipologia", 200, "Tipologia", 200, [](const Ric& r) { return r.TipologiaApp; }},
        {" Marca", 200, "Marca", 200, [](const Ric& r) { return r.MarcaApp; }},
        {" Modello", 200, "Modello", 200, [](const Ric& r) { return r.ModelloApp; }},
        {" Accessori", 250, "Accessori", 250, [](const Ric& r) { return r.AccessoriApp; }},
        {" Modalità di pagamento", 400, "Modalità di pagamento", 400, [](const Ric& r) { return r.ModPag; }},
        {" Banca d'appoggio", 300, "Banca d'appoggio", 300, [](const Ric& r) { return r.Banca; }},
        {" Totale netto", 200, "Totale netto", 200, [](const Ric& r) { return r.TotNetto; }, true},
        {" Aliquota IVA", 100, "Aliquota IVA", 100, [](const Ric& r) { return r.PercIva + u'%'; }},
        {" Totale IVA", 200, "Totale IVA", 200, [](const Ric& r) { return r.TotIva; }, true},
        {" Totale", 200, "Totale", 200, [](const Ric& r) { return r.Totale; }, true},
        {" Saldato", 100, "Saldato", 100, [](const Ric& r) { return r.Saldato; }},
    };
    return columns;
}

} // namespace

QString consentCell(const QString& pubblicita)
{
    const QString consent = TextRules::trim(pubblicita);
    if (consent == ClientCard::consentYes())
        return QString::fromUtf8("Sì");
    if (consent == ClientCard::consentNo())
        return QStringLiteral("No");
    return QString();
}

QString receiptArchiveName(const QString& year)
{
    const QString trimmed = TextRules::trim(year);
    return TextRules::isYear(trimmed) ? trimmed + QStringLiteral(".ric") : QString();
}

QStringList clientRow(const char* record) { return rowOf(clientColumns(), record); }
QStringList materialRow(const char* record) { return rowOf(materialColumns(), record); }
QStringList receiptRow(const char* record) { return rowOf(receiptColumns(), record); }

const ExportTable& clients()
{
    static const ExportTable table{
        QStringLiteral("Anagrafica clienti"), QStringLiteral("Clienti.xls"), ClientCard::archiveFileName(),
        TRecCliente::Size, headersOf(clientColumns()), clientRow,
        QStringLiteral("Esportazione archivio clienti in Microsoft Excel"),
        guideText(QStringLiteral("l'archivio clienti"))};
    return table;
}

const ExportTable& materials()
{
    static const ExportTable table{
        QStringLiteral("Magazzino materiali"), QStringLiteral("Magazzino.xls"), MaterialCard::archiveFileName(),
        TRecMateriale::Size, headersOf(materialColumns()), materialRow,
        QStringLiteral("Esportazione magazzino materiali in Microsoft Excel"),
        guideText(QStringLiteral("l'archivio del magazzino materiali"))};
    return table;
}

const ExportTable& receipts()
{
    // The archive is the year file, named when the year is known.
    static const ExportTable table{
        QStringLiteral("Ricevute emesse"), QStringLiteral("Ricevute.xls"), QString(),
        TRecRicevuta::Size, headersOf(receiptColumns()), receiptRow,
        QStringLiteral("Esportazione archivio ricevute in Microsoft Excel"),
        guideText(QStringLiteral("l'archivio annuale delle ricevute"))};
    return table;
}

} // namespace ExportTables

std::vector<SpreadsheetExport::FileColumn> ExportTable::fileColumns() const
{
    std::vector<SpreadsheetExport::FileColumn> out;
    out.reserve(columns.size());
    for (const ExportColumn& c : columns)
        out.push_back({c.fileHeader, c.fileWidth, c.number});
    return out;
}
