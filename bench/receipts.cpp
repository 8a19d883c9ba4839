// Times New (the count), Save (an append) and Last on a year file of
// 50,000 receipts, each beside the raw read of one record, and printing the
// last receipt to a PDF file in both layouts with a logo.
// Usage: receipts [records]   (default 50000); runs offscreen.
#include "BenchSupport.h"
#include "platform/AppDir.h"
#include "platform/qt/QtPrintCanvas.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptPrint.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ReceiptRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double millis(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// One record read as the archive reads it: open, seek, read, close.
double rawRecord(const QString& path, qint64 index)
{
    QElapsedTimer t;
    t.start();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(index * TRecRicevuta::Size);
    const QByteArray bytes = f.read(TRecRicevuta::Size);
    return bytes.size() == TRecRicevuta::Size ? millis(t) : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : 50000;
    QTemporaryDir dir;
    AppDir::setPath(dir.path());
    const QString path = ReceiptArchive::yearFilePath(QStringLiteral("2024"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        TRecRicevuta r;
        r.Ricevuta = QStringLiteral("Ricevuta n.");
        r.Venditore = QStringLiteral("Ditta Bianchi");
        r.Data = QStringLiteral("05/03/2024");
        for (int i = 0; i < 20; ++i) {
            r.Quant[i] = QStringLiteral("1");
            r.Desc[i] = QStringLiteral("Articolo di prova numero %1").arg(i + 1);
            r.PrezzoUni[i] = QStringLiteral("10,00");
            r.PrezzoTot[i] = QStringLiteral("10,00");
        }
        for (int i = 0; i < records; ++i) {
            r.NumRic = QString::number(i + 1);
            r.Cliente = QStringLiteral("Cliente %1").arg(i);
            f.write(r.encode());
        }
    }
    std::printf("year file: %d receipts, %.1f MB\n", records, QFile(path).size() / 1048576.0);

    TfrmRicevute editor;
    editor.resize(1280, 800);
    editor.showYearPanel();
    editor.show();
    editor.findChild<QLineEdit*>(QStringLiteral("txtAnno"))->setText(QStringLiteral("2024"));
    editor.cmdApriClick();

    auto report = [&](const char* what, double ms, qint64 index) {
        std::printf("%-6s %8.3f ms   raw read of one record %8.3f ms\n", what, ms, rawRecord(path, index));
    };
    QElapsedTimer t;
    t.start();
    editor.cmdNuovoClick();
    report("New", millis(t), records - 1);
    std::printf("       proposed number %s\n", qPrintable(editor.findChild<QLineEdit*>(QStringLiteral("txtNumRic"))->text()));

    editor.findChild<QLineEdit*>(QStringLiteral("txtVenditore"))->setText(QStringLiteral("Ditta Bianchi"));
    editor.findChild<QLineEdit*>(QStringLiteral("txtCliente"))->setText(QStringLiteral("Rossi Mario"));
    editor.findChild<QLineEdit*>(QStringLiteral("txtQuant01"))->setText(QStringLiteral("2"));
    editor.findChild<QLineEdit*>(QStringLiteral("txtPrezzoUni01"))->setText(QStringLiteral("10,50"));
    t.restart();
    editor.cmdSalvaClick();   // the success box goes to the platform (offscreen: a real box would wait)
    report("Save", millis(t), records);

    t.restart();
    editor.browse(BrowseCommand::Last);
    report("Last", millis(t), records);

    // The receipt just saved, printed to PDF as the print dialog would.
    QFile year(path);
    year.open(QIODevice::ReadOnly);
    year.seek(qint64(records) * TRecRicevuta::Size);
    const TRecRicevuta receipt = TRecRicevuta::decode(year.read(TRecRicevuta::Size));
    QImage logo(297, 184, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter(&logo).fillRect(60, 20, 180, 140, QColor(230, 140, 40));
    for (const auto format : {ReceiptPrint::Format::Small, ReceiptPrint::Format::Large}) {
        const bool small = format == ReceiptPrint::Format::Small;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(small ? "small.pdf" : "large.pdf"));
        t.restart();
        auto canvas = platform::QtPrintCanvas::begin(
            printer, QStringLiteral("Ricevuta"),
            small ? platform::PageOrientation::Landscape : platform::PageOrientation::Portrait,
            platform::QtPrintCanvas::Units::TenthsOfMillimetre);
        ReceiptPrint::compose(*canvas, format, receipt, logo);
        canvas->end();
        std::printf("PDF %-5s %8.1f ms   %lld bytes\n", small ? "small" : "large", millis(t),
                    QFile(printer.outputFileName()).size());
    }
    std::printf("peak memory %.1f MB\n", peakMB());
    return 0;
}
