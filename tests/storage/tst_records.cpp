#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include <QtTest>

namespace {

QString lat(const char* utf8) { return QString::fromUtf8(utf8); }

// The length byte and text at an offset of an encoded record.
QByteArray fieldBytes(const QByteArray& rec, int offset)
{
    const int len = uchar(rec[offset]);
    return rec.mid(offset, len + 1);
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT
private slots:
    void sizes();
    void clientOffsets();
    void clientConsentBytes();
    void clientRoundTrip();
    void clientLongNameCut();
    void materialOffsets();
    void materialRoundTrip();
    void receiptOffsets();
    void receiptPaidBytes();
    void receiptLineTwenty();
    void receiptPostcodeCut();
    void remnantsAfterTextIgnored();
    void shortBufferDecodesWhatIsThere();
};

void TestRecords::sizes()
{
    QCOMPARE(TRecCliente().encode().size(), 4809);
    QCOMPARE(TRecMateriale().encode().size(), 5170);
    QCOMPARE(TRecRicevuta().encode().size(), 4952);
    QCOMPARE(TRecCliente::posStato.end(), TRecCliente::Size);
    QCOMPARE(TRecMateriale::posCartellaDesc.end(), TRecMateriale::Size);
    QCOMPARE(TRecRicevuta::posSaldato.end(), TRecRicevuta::Size);
}

void TestRecords::clientOffsets()
{
    TRecCliente c;
    c.Nominativo = "N"; c.Indirizzo = "I"; c.Cap = "C"; c.Citta = "T"; c.Prov = "PR";
    c.Categoria = "K"; c.Prodotti = "P"; c.Pagamento = "G"; c.Sconti = "S"; c.Zona = "Z";
    c.CodFisc = "F"; c.Carta = "A"; c.Iva = "V"; c.Iban = "B"; c.TelCasa = "1"; c.TelUff = "2";
    c.TelCel = "3"; c.Fax = "4"; c.Email = "e"; c.Note = "n"; c.File01 = "f1"; c.File02 = "f2";
    c.File03 = "f3"; c.Desc01 = "d1"; c.Desc02 = "d2"; c.Desc03 = "d3"; c.Cartella = "c";
    c.CartellaDesc = "cd"; c.Stato = "st";
    const QByteArray r = c.encode();
    const struct { int offset; const char* text; } expected[] = {
        {0, "N"}, {51, "I"}, {302, "C"}, {323, "T"}, {574, "PR"}, {577, "K"}, {828, "P"}, {1079, "G"},
        {1330, "S"}, {1381, "Z"}, {1653, "F"}, {1670, "A"}, {1791, "V"}, {1803, "B"}, {1844, "1"},
        {1895, "2"}, {1946, "3"}, {1997, "4"}, {2048, "e"}, {2299, "n"}, {2550, "f1"}, {2801, "f2"},
        {3052, "f3"}, {3303, "d1"}, {3554, "d2"}, {3805, "d3"}, {4056, "c"}, {4307, "cd"}, {4558, "st"},
    };
    for (const auto& e : expected) {
        const QByteArray text(e.text);
        QCOMPARE(fieldBytes(r, e.offset), QByteArray(1, char(text.size())) + text);
    }
}

void TestRecords::clientConsentBytes()
{
    TRecCliente c;
    c.Nominativo = "Rossi";
    c.Pubblicita = lat("Sì pubblicità");
    const QByteArray r = c.encode();
    // 13, 83, 236, 32, 112, 117, 98, 98, 108, 105, 99, 105, 116, 224
    const int bytes[] = {13, 83, 236, 32, 112, 117, 98, 98, 108, 105, 99, 105, 116, 224};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(int(uchar(r[1632 + i])), bytes[i]);
    QCOMPARE(TRecCliente::decode(r).Pubblicita, lat("Sì pubblicità"));
    c.Pubblicita = lat("No pubblicità");
    QCOMPARE(TRecCliente::decode(c.encode()).Pubblicita, lat("No pubblicità"));
}

void TestRecords::clientRoundTrip()
{
    TRecCliente c;
    c.Nominativo = lat("  Caffè Nerò  ");
    c.Citta = lat("Forlì");
    c.Prov = "RM";
    c.Iban = "IT60 X054 2811 1010 0000 0123 456";
    c.Stato = "Scheda salvata in data 05/03/2024 alle ore 14:30:15";
    const TRecCliente d = TRecCliente::decode(c.encode());
    QCOMPARE(d.Nominativo, lat("Caffè Nerò"));
    QCOMPARE(d.Citta, lat("Forlì"));
    QCOMPARE(d.Prov, QString("RM"));
    QCOMPARE(d.Iban, c.Iban);
    QCOMPARE(d.Stato, c.Stato);
    QCOMPARE(d.Email, QString());
}

void TestRecords::clientLongNameCut()
{
    TRecCliente c;
    c.Nominativo = QString(50, 'M');
    QCOMPARE(TRecCliente::decode(c.encode()).Nominativo, QString(50, 'M'));
    c.Nominativo = QString(50, 'M') + "X";
    QCOMPARE(TRecCliente::decode(c.encode()).Nominativo, QString(50, 'M'));
    c.Prov = "ROMA";
    QCOMPARE(TRecCliente::decode(c.encode()).Prov, QString("RO"));
}

void TestRecords::materialOffsets()
{
    QCOMPARE(TRecMateriale::posPrezzo.offset, 2612);
    QCOMPARE(TRecMateriale::posGiacenza.offset, 2879);
    QCOMPARE(TRecMateriale::posSottoscorta.offset, 2895);
    TRecMateriale m;
    m.Codice = "A1";
    m.DataAcquisto = "01/02/2023";
    m.Prezzo = "123456789012,50";   // 15 characters fit exactly
    m.Giacenza = "4,5";
    m.Sottoscorta = "2";
    m.Note = "note";
    m.CartellaDesc = "cartella";
    const QByteArray r = m.encode();
    QCOMPARE(fieldBytes(r, 0), QByteArray("\x02" "A1"));
    QCOMPARE(fieldBytes(r, 2008), QByteArray("\x0a" "01/02/2023"));
    QCOMPARE(fieldBytes(r, 2612), QByteArray("\x0f" "123456789012,50"));
    QCOMPARE(fieldBytes(r, 2879), QByteArray("\x03" "4,5"));
    QCOMPARE(fieldBytes(r, 2895), QByteArray("\x01" "2"));
    QCOMPARE(fieldBytes(r, 2911), QByteArray("\x04" "note"));
    QCOMPARE(fieldBytes(r, 4919), QByteArray("\x08" "cartella"));
}

void TestRecords::materialRoundTrip()
{
    TRecMateriale m;
    m.Codice = "LAV-01";
    m.Marca = "Zerowatt";
    m.Descrizione = lat("Lavatrice 7 kg, classe più alta");
    m.Prezzo = "1234,5678901234567";   // 18 characters: the field keeps 15
    const TRecMateriale d = TRecMateriale::decode(m.encode());
    QCOMPARE(d.Codice, m.Codice);
    QCOMPARE(d.Marca, m.Marca);
    QCOMPARE(d.Descrizione, m.Descrizione);
    QCOMPARE(d.Prezzo, QString("1234,5678901234"));
}

void TestRecords::receiptOffsets()
{
    QCOMPARE(TRecRicevuta::posQuant(0).offset, 2649);
    QCOMPARE(TRecRicevuta::posQuant(19).offset, 2782);
    QCOMPARE(TRecRicevuta::posCod(19).offset, 3188);
    QCOMPARE(TRecRicevuta::posDesc(19).offset, 4273);
    QCOMPARE(TRecRicevuta::posPrezzoUni(19).offset, 4538);
    QCOMPARE(TRecRicevuta::posSconto(19).offset, 4682);
    QCOMPARE(TRecRicevuta::posPrezzoTot(19).offset, 4898);
    QCOMPARE(TRecRicevuta::posTotNetto.offset, 4909);
    QCOMPARE(TRecRicevuta::posPercIva.offset, 4920);
    QCOMPARE(TRecRicevuta::posTotIva.offset, 4927);
    QCOMPARE(TRecRicevuta::posTotale.offset, 4938);
    QCOMPARE(TRecRicevuta::posCodiceApp.offset, 2394);
    QCOMPARE(TRecRicevuta::posAccessoriApp.offset, 2598);

    TRecRicevuta r;
    r.Ricevuta = "Ricevuta n.";
    r.NumRic = "7";
    r.Data = "05/03/2024";
    r.Venditore = "Ditta";
    r.ModPag = "Contanti";
    r.TotNetto = "100,00";
    r.PercIva = "22";
    r.TotIva = "22,00";
    r.Totale = "122,00";
    const QByteArray b = r.encode();
    QCOMPARE(fieldBytes(b, 0), QByteArray("\x0b" "Ricevuta n."));
    QCOMPARE(fieldBytes(b, 16), QByteArray("\x01" "7"));
    QCOMPARE(fieldBytes(b, 37), QByteArray("\x0a" "05/03/2024"));
    QCOMPARE(fieldBytes(b, 58), QByteArray("\x05" "Ditta"));
    QCOMPARE(fieldBytes(b, 1892), QByteArray("\x08" "Contanti"));
    QCOMPARE(fieldBytes(b, 4909), QByteArray("\x06" "100,00"));
    QCOMPARE(fieldBytes(b, 4920), QByteArray("\x02" "22"));
    QCOMPARE(fieldBytes(b, 4927), QByteArray("\x05" "22,00"));
    QCOMPARE(fieldBytes(b, 4938), QByteArray("\x06" "122,00"));
}

void TestRecords::receiptPaidBytes()
{
    TRecRicevuta r;
    r.Saldato = lat("Sì");
    QCOMPARE(r.encode().mid(4949), QByteArray::fromHex("0253ec"));
    QCOMPARE(TRecRicevuta::decode(r.encode()).Saldato, lat("Sì"));
    r.Saldato = "No";
    QCOMPARE(r.encode().mid(4949), QByteArray::fromHex("024e6f"));
}

void TestRecords::receiptLineTwenty()
{
    TRecRicevuta r;
    r.Quant[19] = "2";
    r.Cod[19] = "X20";
    r.Desc[19] = "Ventesima riga";
    r.PrezzoUni[19] = "3,1416";
    r.Sconto[19] = "10";
    r.PrezzoTot[19] = "5,6549";
    r.Quant[0] = "1";
    const QByteArray b = r.encode();
    QCOMPARE(fieldBytes(b, 2782), QByteArray("\x01" "2"));
    QCOMPARE(fieldBytes(b, 3188), QByteArray("\x03" "X20"));
    QCOMPARE(fieldBytes(b, 4273), QByteArray("\x0e" "Ventesima riga"));
    QCOMPARE(fieldBytes(b, 4538), QByteArray("\x06" "3,1416"));
    QCOMPARE(fieldBytes(b, 4682), QByteArray("\x02" "10"));
    QCOMPARE(fieldBytes(b, 4898), QByteArray("\x06" "5,6549"));
    QCOMPARE(fieldBytes(b, 2649), QByteArray("\x01" "1"));
    const TRecRicevuta d = TRecRicevuta::decode(b);
    QCOMPARE(d.Desc[19], r.Desc[19]);
    QCOMPARE(d.PrezzoTot[19], r.PrezzoTot[19]);
    QCOMPARE(d.Quant[0], QString("1"));
    QCOMPARE(d.Quant[1], QString());
}

void TestRecords::receiptPostcodeCut()
{
    TRecRicevuta r;
    r.CapCli = "123456789012";
    r.TotIva = "30000001,00";   // 11 characters: the first 10 are kept
    const TRecRicevuta d = TRecRicevuta::decode(r.encode());
    QCOMPARE(d.CapCli, QString("1234567890"));
    QCOMPARE(d.TotIva, QString("30000001,0"));
}

void TestRecords::remnantsAfterTextIgnored()
{
    TRecCliente c;
    c.Nominativo = "Bianchi";
    QByteArray b = c.encode();
    // Remnants of a longer earlier name after the counted characters.
    b.replace(8, 10, "XXXXXXXXXX");
    QCOMPARE(TRecCliente::decode(b).Nominativo, QString("Bianchi"));
}

void TestRecords::shortBufferDecodesWhatIsThere()
{
    TRecCliente c;
    c.Nominativo = "Verdi";
    c.Stato = "ultimo";
    const QByteArray b = c.encode().left(100);
    const TRecCliente d = TRecCliente::decode(b);
    QCOMPARE(d.Nominativo, QString("Verdi"));
    QCOMPARE(d.Stato, QString());
}

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_records.moc"
