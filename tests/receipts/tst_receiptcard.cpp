#include "receipts/ReceiptCard.h"

#include "SampleRecords.h"

#include <QTest>

using R = TRecRicevuta;

class TestReceiptCard : public QObject
{
    Q_OBJECT
private slots:
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void importsFillTheirFieldsTrimmed();
    void settingsMapTheCompanyAndBank();
};

// Each row: company, client, number, date, then the field the first failing
// check points at (empty when none fails) and the start of its message.
void TestReceiptCard::saveChecksInOrder_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("message");
    const QString needs = QString::fromUtf8("Per salvare la scheda è necessario indicare ");
    QTest::newRow("all empty: the company first") << QStringList{"", "", "", ""} << "company" << needs + "il cognome e il nome o la ragione";
    QTest::newRow("blanks count as empty") << QStringList{"  ", "Rossi", "1", "05/03/2024"} << "company" << needs + "il cognome";
    QTest::newRow("no client") << QStringList{"Ditta", "", "", ""} << "client" << needs + "il cognome e il nome del cliente.";
    QTest::newRow("no number") << QStringList{"Ditta", "Rossi", "", "05/03/2024"} << "number" << needs + "il numero della ricevuta.";
    QTest::newRow("no date") << QStringList{"Ditta", "Rossi", "1", " "} << "date" << needs + "la data della ricevuta.";
    QTest::newRow("29/02/2023") << QStringList{"Ditta", "Rossi", "1", "29/02/2023"} << "date"
                                << "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare";
    QTest::newRow("29/02/2024 saves") << QStringList{"Ditta", "Rossi", "1", " 29/02/2024 "} << "" << "";
}

void TestReceiptCard::saveChecksInOrder()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, failing);
    R r;
    r.Venditore = fields[0];
    r.Cliente = fields[1];
    r.NumRic = fields[2];
    r.Data = fields[3];
    const std::pair<QString, QString R::*> named[] = {{"company", &R::Venditore}, {"client", &R::Cliente}, {"number", &R::NumRic}, {"date", &R::Data}};
    const ReceiptCard::SaveCheck* failed = ReceiptCard::failedSaveCheck(r);
    QCOMPARE(failed != nullptr, !failing.isEmpty());
    if (!failed)
        return;
    for (const auto& [name, member] : named)
        QCOMPARE(failed->field == member, name == failing);
    QFETCH(QString, message);
    QVERIFY2(QString::fromUtf8(failed->message).startsWith(message), failed->message);
}

void TestReceiptCard::importsFillTheirFieldsTrimmed()
{
    using C = TRecCliente;
    using M = TRecMateriale;
    const C c = sample<C>({{&C::Nominativo, " Rossi Mario "}, {&C::Indirizzo, "Via Roma 1"}, {&C::Cap, "48121"},
                           {&C::Citta, "Ravenna"}, {&C::Prov, "RA"}, {&C::Iva, "02345678901"},
                           {&C::CodFisc, "RSSMRA80A01H199Z"}, {&C::Pagamento, "Bonifico "}, {&C::Note, "not imported"}});
    const M m = sample<M>({{&M::Codice, "A1"}, {&M::Tipologia, "Lavatrice"}, {&M::Marca, "ACME"}, {&M::Modello, "W100"},
                           {&M::Accessori, " tubo "}, {&M::Prezzo, "99,00"}});
    R r = sample<R>({{&R::Venditore, "Ditta"}});
    r.Quant[0] = "2";
    ReceiptCard::importInto(r, c, ReceiptCard::clientImport());
    ReceiptCard::importInto(r, m, ReceiptCard::applianceImport());
    R expected = sample<R>({{&R::Venditore, "Ditta"}, {&R::Cliente, "Rossi Mario"}, {&R::IndirizzoCli, "Via Roma 1"},
                            {&R::CapCli, "48121"}, {&R::CittaCli, "Ravenna"}, {&R::ProvCli, "RA"},
                            {&R::IvaCli, "02345678901"}, {&R::CodFiscCli, "RSSMRA80A01H199Z"}, {&R::ModPag, "Bonifico"},
                            {&R::CodiceApp, "A1"}, {&R::TipologiaApp, "Lavatrice"}, {&R::MarcaApp, "ACME"},
                            {&R::ModelloApp, "W100"}, {&R::AccessoriApp, "tubo"}});
    expected.Quant[0] = "2";
    // Nothing else changes: the whole record compares equal.
    QCOMPARE(r.encode(), expected.encode());
}

void TestReceiptCard::settingsMapTheCompanyAndBank()
{
    R r;
    QString R::*fields[] = {&R::Venditore, &R::IndirizzoVen, &R::CapVen, &R::CittaVen, &R::ProvVen, &R::IvaVen,
                                  &R::CodFiscVen, &R::Libero01, &R::Libero02, &R::Banca};
    for (int k = 0; k < 10; ++k)
        r.*fields[k] = QStringLiteral(" v%1 ").arg(k);
    r.Cliente = "not a setting";
    const ReceiptSettings::Company c = ReceiptCard::settingsOf(r);
    QCOMPARE(QStringList({c.nome, c.indirizzo, c.cap, c.comune, c.provincia, c.partitaIva, c.codiceFiscale, c.libero1, c.libero2, c.banca}),
             QStringList({"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}));
    // The editor's clearing takes the company group and leaves the bank.
    int group = 0;
    for (const ReceiptCard::Setting& s : ReceiptCard::companySettings())
        group += s.companyGroup ? 1 : (s.field == &R::Banca ? 0 : 100);
    QCOMPARE(group, 9);
}

QTEST_GUILESS_MAIN(TestReceiptCard)
#include "tst_receiptcard.moc"
