#include "platform/qt/QtPrintCanvas.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// The canvas in tenths of a millimetre on a real printer device (a PDF file).
class TestMetricCanvas : public QObject
{
    Q_OBJECT
private slots:
    void fontHeightIsTheCharacterCell_data();
    void fontHeightIsTheCharacterCell();
};

namespace {

std::unique_ptr<platform::PrintCanvas> metricPage(QPrinter& printer, const QTemporaryDir& dir)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("pagina.pdf"));
    return platform::QtPrintCanvas::begin(printer, "prova", platform::PageOrientation::Portrait,
                                          platform::QtPrintCanvas::Units::TenthsOfMillimetre);
}

} // namespace

void TestMetricCanvas::fontHeightIsTheCharacterCell_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("bold");

    QTest::newRow("20") << 20 << false;
    QTest::newRow("25") << 25 << false;
    QTest::newRow("35 bold") << 35 << true;
    QTest::newRow("40") << 40 << false;
}

// Printers size a font by its cell, ascent plus descent: the em of the
// typeface is smaller, and sizing by it would print every text too large.
void TestMetricCanvas::fontHeightIsTheCharacterCell()
{
    QFETCH(int, height);
    QFETCH(bool, bold);

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    auto canvas = metricPage(printer, dir);
    QVERIFY(canvas);
    platform::FontSpec font;
    font.family = "Verdana";
    font.size = height;
    font.bold = bold;
    canvas->setFont(font);
    QVERIFY(qAbs(canvas->textHeight("Ag") - height) <= 1);
    QCOMPARE(canvas->dpiY(), 254);
    QVERIFY(canvas->end());
}

QTEST_MAIN(TestMetricCanvas)
#include "tst_metriccanvas.moc"
