// Times the electronic invoices over a year file of 50,000 receipts that
// the exchange system takes, in one run:
// - one receipt as the editor's button makes it: read at its position,
//   checked, composed with the next progressive and written (the slowest
//   of 20, each a new progressive), against a 20 ms target;
// - every receipt of a month of 5,000 as the monthly summary's "Fatture XML"
//   makes them, against reading the same receipts and writing the same
//   bytes plainly (one file each, no lock, no temporary file, no sync):
//   within twice that.
// Usage: einvoice [receipts] [month]   (defaults 50000 and 5000)
#include "BenchSupport.h"

#include "einvoice/EInvoice.h"
#include "einvoice/InvoiceFiles.h"
#include "einvoice/Invoicing.h"
#include "platform/AppDir.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptTotals.h"
#include "reports/ReceiptSummary.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

using namespace bench;

namespace {

// Receipt i: the first `month` dated in March, the others over the other
// eleven months; one to eight lines, every fifth at a zero rate.
TRecRicevuta invoiceable(int i, int month)
{
    TRecRicevuta r;
    r.Ricevuta = QStringLiteral("Ricevuta n.");
    r.NumRic = QString::number(i + 1);
    int m = 3;
    if (i >= month) {
        m = (i % 11) + 1;
        m += m >= 3;
    }
    r.Data = QStringLiteral("%1/%2/2024").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
    r.Venditore = QStringLiteral("Elettro Bianchi snc");
    r.IndirizzoVen = QStringLiteral("Via Emilia 12");
    r.CapVen = QStringLiteral("47121");
    r.CittaVen = QStringLiteral("Forlì");
    r.ProvVen = QStringLiteral("FC");
    r.IvaVen = QStringLiteral("01234567897");
    r.Cliente = QStringLiteral("Cliente %1 Rossi").arg(i % 3000);
    r.IndirizzoCli = QStringLiteral("Via Roma %1").arg(i % 300);
    r.CapCli = QStringLiteral("47121");
    r.CittaCli = QStringLiteral("Forlì");
    r.ProvCli = QStringLiteral("FC");
    r.CodFiscCli = QStringLiteral("RSSMRA80A01H501U");
    r.ModPag = QStringLiteral("Bonifico bancario");
    r.Banca = QStringLiteral("IBAN IT60 X054 2811 1010 0000 0123 456");
    for (int line = 0; line <= i % 8; ++line) {
        r.Quant[line] = QString::number(line % 3 + 1);
        r.Cod[line] = QStringLiteral("ART%1").arg(line * 37 + i % 100, 5, 10, QLatin1Char('0'));
        r.Desc[line] = QStringLiteral("Ricambio per lavatrice modello %1").arg(i % 97);
        r.PrezzoUni[line] = QStringLiteral("%1,%2").arg(line * 13 + 5).arg(i % 100, 2, 10, QLatin1Char('0'));
        r.Sconto[line] = line % 4 == 1 ? QStringLiteral("10") : QString();
    }
    r.PercIva = i % 5 ? QStringLiteral("22") : QStringLiteral("0");
    ComputeTotals(r);
    r.Saldato = QStringLiteral("Sì");
    return r;
}

EInvoice::Options asked()
{
    EInvoice::Options o;
    o.nature = QStringLiteral("N2.2");
    o.paymentMethod = QStringLiteral("MP05");
    o.stampDuty = true;
    return o;
}

QString marchRuleYear()
{
    return QStringLiteral("2024");
}

ReceiptSummary::PeriodRule march()
{
    ReceiptSummary::PeriodRule rule;
    rule.kind = ReceiptSummary::PeriodRule::Kind::Month;
    rule.choice = QStringLiteral("Marzo");
    rule.year = marchRuleYear();
    return rule;
}

void emptyFolder()
{
    QDir(InvoiceFiles::folderPath()).removeRecursively();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int receipts = argc > 1 ? atoi(argv[1]) : kReceipts;
    const int month = argc > 2 ? atoi(argv[2]) : 5000;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/einvoice-bench-XXXXXX"));
    AppDir::setPath(dir.path());
    const QString path = ReceiptArchive::yearFilePath(marchRuleYear());
    writeArchive(path, receipts, [month](int i) { return invoiceable(i, month); });

    // One receipt, as the editor's button: the slowest of 20.
    Figure one{QStringLiteral("one receipt of the year")};
    one.worst = true;
    QString oneFile;
    measure(one, 20, [&](double&) {
        return timed([&] {
            ArchiveFile file = ReceiptArchive::yearFile(path);
            QByteArray bytes;
            file.read(receipts / 2, bytes);
            const TRecRicevuta r = TRecRicevuta::decode(bytes);
            EInvoice::Options o = asked();
            o.iban = EInvoice::ibanIn(r.Banca);
            oneFile = Invoicing::invoice(r, Invoicing::forReceipt(r, o)).path;
        });
    });
    one.size = QStringLiteral("1 of %1").arg(receipts);
    one.baselineName = QStringLiteral("raw record");
    one.baseline = rawRecord(path, TRecRicevuta::Size, receipts / 2);
    one.target = kCardTarget;
    one.targetRule = QStringLiteral("20 ms");

    // A month: the invoices, then the same receipts read and the same bytes written plainly.
    Figure all{QStringLiteral("a month, Fatture XML")};
    Invoicing::Batch batch;
    std::vector<QByteArray> bytes;
    measure(all, 3, [&](double&) {
        emptyFolder();
        return timed([&] {
            ArchiveFile file = ReceiptArchive::yearFile(path);
            std::vector<TRecRicevuta> chosen;
            ReceiptSummary::receiptsIn(file, march(), chosen);
            batch = Invoicing::invoiceAll(chosen, asked(), {});
        });
    });
    for (const QString& name : QDir(InvoiceFiles::folderPath()).entryList(QDir::Files)) {
        QFile f(InvoiceFiles::folderPath() + QLatin1Char('/') + name);
        f.open(QIODevice::ReadOnly);
        bytes.push_back(f.readAll());
    }
    double plain = 1e9;
    for (int round = 0; round < 3; ++round) {
        emptyFolder();
        QDir().mkpath(InvoiceFiles::folderPath());
        plain = std::min(plain, timed([&] {
            ArchiveFile file = ReceiptArchive::yearFile(path);
            std::vector<TRecRicevuta> chosen;
            ReceiptSummary::receiptsIn(file, march(), chosen);
            for (size_t k = 0; k < bytes.size(); ++k) {
                QFile f(InvoiceFiles::folderPath() + QStringLiteral("/plain%1.xml").arg(k));
                f.open(QIODevice::WriteOnly);
                f.write(bytes[k]);
            }
        }));
    }
    all.size = QStringLiteral("%1 files").arg(batch.written);
    all.baselineName = QStringLiteral("read + plain writes");
    all.baseline = plain;
    all.target = 2 * plain;
    all.targetRule = QStringLiteral("2 x plain");

    std::printf("einvoice: a year file of %d receipts, a month of %d; %d written, %d refused per round\n", receipts,
                month, batch.written, int(batch.refused.size()));
    print(one);
    print(all);
    std::printf("  one file: %s\n", qPrintable(QFileInfo(oneFile).fileName()));
    return 0;
}
