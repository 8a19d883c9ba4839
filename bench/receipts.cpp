// Times New (the count), Save (an append after a look at every receipt's
// number) and Last of the receipt editor on a year file of 50,000 receipts,
// each beside the raw read of one record (and Save beside the plain read of
// the whole file), and printing the last receipt to a PDF file in both
// layouts with a logo.
// Usage: receipts [records]   (default 50000); runs offscreen.
#include "BenchScreens.h"
#include "platform/qt/QtPrintCanvas.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptPrint.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ArchiveFile.h"
#include "storage/Browse.h"
#include "storage/ReceiptRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>

#include <cstdio>

using namespace bench;

int main(int argc, char* argv[])
{
    ScreenBench app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : kReceipts;
    const QString path = ReceiptArchive::yearFilePath(QStringLiteral("2024"));
    writeReceipts(path, records);

    TfrmRicevute editor;
    editor.resize(1280, 800);
    editor.showYearPanel();
    editor.show();
    editor.findChild<QLineEdit*>(QStringLiteral("txtAnno"))->setText(QStringLiteral("2024"));
    editor.cmdApriClick();
    auto field = [&](const char* name) { return editor.findChild<QLineEdit*>(QLatin1String(name)); };

    const QString size = QStringLiteral("%1 receipts").arg(records);
    Figure fresh{QStringLiteral("receipt editor: New"), size};
    Figure save{QStringLiteral("receipt editor: Save, new receipt"), size};
    Figure last{QStringLiteral("receipt editor: Last"), size};
    Figure saveAfterOther{QStringLiteral("receipt editor: Save, year written elsewhere"), size};
    for (Figure* f : {&fresh, &save, &last, &saveAfterOther})
        f->worst = true;
    double raw = 1e9;
    QString proposed;
    for (int round = 0; round < 5; ++round) {
        raw = std::min(raw, rawRecord(path, TRecRicevuta::Size, records / 2));
        measure(fresh, 1, [&](double&) { return timed([&] { editor.cmdNuovoClick(); }); });
        proposed = field("txtNumRic")->text();
        field("txtVenditore")->setText(QStringLiteral("Ditta Bianchi"));
        field("txtCliente")->setText(QStringLiteral("Rossi Mario"));
        field("txtQuant01")->setText(QStringLiteral("2"));
        field("txtPrezzoUni01")->setText(QStringLiteral("10,50"));
        measure(save, 1, [&](double&) { return timed([&] { editor.cmdSalvaClick(); }); });
        measure(last, 1, [&](double&) { return timed([&] { editor.browse(BrowseCommand::Last); }); });
        // Another workstation saves a receipt in between: the numbers of the
        // year are read again at this Save.
        editor.cmdNuovoClick();
        field("txtVenditore")->setText(QStringLiteral("Ditta Bianchi"));
        field("txtCliente")->setText(QStringLiteral("Rossi Mario"));
        TRecRicevuta other;
        other.NumRic = QStringLiteral("X%1").arg(round);
        qint64 at = 0;
        ArchiveFile(path, TRecRicevuta::Size).append(other.encode(), at);
        measure(saveAfterOther, 1, [&](double&) { return timed([&] { editor.cmdSalvaClick(); }); });
    }
    std::printf("receipts: a year file of %d receipts, %.1f MB (last number proposed %s)\n", records,
                QFile(path).size() / 1e6, qPrintable(proposed));
    printCardOperations(raw, {&fresh, &save, &last, &saveAfterOther});
    // Save of a new receipt looks at the number of every receipt of the
    // year: it cannot take less than one plain read of the file.
    std::printf("  plain read of the year file (the floor of Save, new receipt)  %9.1f ms\n",
                rawReadBest(path) * 1000);

    // The last receipt, printed to PDF as the print dialog would.
    QFile year(path);
    year.open(QIODevice::ReadOnly);
    year.seek((year.size() / TRecRicevuta::Size - 1) * TRecRicevuta::Size);
    const TRecRicevuta receipt = TRecRicevuta::decode(year.read(TRecRicevuta::Size));
    QImage logo(297, 184, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter(&logo).fillRect(60, 20, 180, 140, QColor(230, 140, 40));
    for (const auto format : {ReceiptPrint::Format::Small, ReceiptPrint::Format::Large}) {
        const bool small = format == ReceiptPrint::Format::Small;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(AppDir::filePath(small ? "small.pdf" : "large.pdf"));
        const double s = timed([&] {
            auto canvas = platform::QtPrintCanvas::begin(
                printer, QStringLiteral("Ricevuta"),
                small ? platform::PageOrientation::Landscape : platform::PageOrientation::Portrait,
                platform::QtPrintCanvas::Units::TenthsOfMillimetre);
            ReceiptPrint::compose(*canvas, format, receipt, logo);
            canvas->end();
        });
        std::printf("  receipt to PDF, %-5s layout   %9.1f ms  %lld bytes\n", small ? "small" : "large", s * 1000,
                    QFile(printer.outputFileName()).size());
    }
    return 0;
}
