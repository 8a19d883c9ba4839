// The Qt platform as the user meets it, with no double in between: Qt's own
// boxes and dialogs in Italian, a receipt printed to a PDF file chosen in the
// save dialog, and a document the desktop has no program for.

#include "app/Startup.h"
#include "platform/Platform.h"
#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/Screens.h"
#include "receipts/ui/TfrmStampa.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs each step on the next modal window that opens (a step's window
// opening inside the last one's, as Qt's dialogs nest), polling from the
// event loop those windows run.
class ModalScript
{
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalScript(QList<Step> steps)
        : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }
    bool finished() const { return m_steps.isEmpty(); }
    // Boxes that opened after the last step (a failure reported), closed.
    QStringList unexpected;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || !modal->isVisible())
            return;
        if (m_steps.isEmpty()) {
            // The window the script left may show again while it closes.
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                unexpected << box->text();
                box->close();
            }
            return;
        }
        m_last = modal;
        // Run from the event loop, not from the timer: a step that opens a
        // dialog must leave the timer free to poll inside it.
        QTimer::singleShot(0, modal, [step = m_steps.takeFirst(), modal] { step(modal); });
    }
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};

QStringList buttonTexts(QWidget* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->isVisible())
            texts << b->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

void clickButton(QWidget* box, const QString& text)
{
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->text().remove(QLatin1Char('&')) == text)
            return b->click();
    QFAIL(qPrintable(QStringLiteral("no button ") + text + QStringLiteral(" among ") + buttonTexts(box).join(',')));
}

int pdfPages(const QByteArray& pdf)
{
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ")
           + pdf.count("/Type /Page/") + pdf.count("/Type /Page>");
}

} // namespace

class TestQtPlatform : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void questionSpeaksItalian();
    void keysTypedWhileARefusalIsUpGoToItsField();
    void documentWithoutProgramIsNotOpened();
    void receiptToPdf_data();
    void receiptToPdf();
    void fileWritingPrinters_data();
    void fileWritingPrinters();

private:
    std::unique_ptr<TempAppDir> dir;
    QTemporaryDir home;
    QString documents;
};

void TestQtPlatform::initTestCase()
{
    // The documents folder of a user of its own, and nothing of the desktop
    // this runs on (its programs for file types among them).
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral(".local/share")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", home.filePath(QStringLiteral("nothing")).toLocal8Bit());
    documents = home.filePath(QStringLiteral("Documents"));
    QVERIFY(QDir().mkpath(documents));
    CreateScreens();
    QVERIFY(platform::isInstalled());
}

void TestQtPlatform::init()
{
    dir = std::make_unique<TempAppDir>();
}

void TestQtPlatform::cleanup()
{
    dir.reset();
}

void TestQtPlatform::questionSpeaksItalian()
{
    QStringList shown;
    {
        ModalScript script({[&](QWidget* box) {
            shown = buttonTexts(box);
            clickButton(box, QStringLiteral("No"));
        }});
        QVERIFY(!platform::current().askYesNo(QStringLiteral("Domanda"), QStringLiteral("Procedere?")));
        QVERIFY(script.finished());
        QCOMPARE(shown, (QStringList{QStringLiteral("No"), QString::fromUtf8("Sì")}));
    }

    // The three-way question of a card left with changes: each button its answer.
    using Answer = platform::Platform::Answer;
    const QList<QPair<QString, Answer>> clicks = {
        {QString::fromUtf8("Sì"), Answer::Yes}, {QStringLiteral("No"), Answer::No}, {QStringLiteral("Annulla"), Answer::Cancel}};
    for (const auto& [button, answer] : clicks) {
        ModalScript three({[&, button = button](QWidget* box) {
            shown = buttonTexts(box);
            clickButton(box, button);
        }});
        QCOMPARE(int(platform::current().askYesNoCancel(QStringLiteral("Ventoria"), QStringLiteral("Salvare le modifiche?"))), int(answer));
        QVERIFY(three.finished());
        QCOMPARE(shown, (QStringList{QStringLiteral("Annulla"), QStringLiteral("No"), QString::fromUtf8("Sì")}));
    }
}

void TestQtPlatform::keysTypedWhileARefusalIsUpGoToItsField()
{
    QWidget window;
    auto* price = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    AmountKeyFilter::install(price, AmountKeyFilter::Limit::ThirtyMillion);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeInto(price, QStringLiteral("12"));
    QString said;
    {
        // "12.50" typed at speed: "50" reaches the box before it is read.
        ModalScript script({[&](QWidget* box) {
            said = qobject_cast<QMessageBox*>(box)->text();
            press(box, Qt::Key_5, QStringLiteral("5"));
            press(box, Qt::Key_0, QStringLiteral("0"));
            press(box, Qt::Key_Return, QStringLiteral("\r"));
        }});
        press(price, Qt::Key_Period, QStringLiteral("."));
        QVERIFY(script.finished());
    }
    QCOMPARE(said, QStringLiteral("Attenzione: carattere non valido."));
    // Nothing lost, nothing in another field: the refused point alone is missing.
    QTRY_COMPARE(price->text(), QStringLiteral("1250"));
    QCOMPARE(other->text(), QString());
}

void TestQtPlatform::documentWithoutProgramIsNotOpened()
{
    // No program on this desktop reads this type: the shell must not
    // report a success nobody will see.
    dir->writeAll(QStringLiteral("Clienti.xls"), "<html></html>");
    QVERIFY(!platform::current().openDocument(dir->file(QStringLiteral("Clienti.xls"))));
}

void TestQtPlatform::receiptToPdf_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<QByteArray>("before");     // the file already there, if any
    QTest::addColumn<QString>("replace");       // answer to the replace question, "" for none
    QTest::addColumn<bool>("saved");            // the save dialog accepted
    QTest::addColumn<int>("pages");             // pages in the file after, -1 = untouched
    QTest::newRow("three copies, one file") << 3 << QByteArray() << "" << true << 3;
    QTest::newRow("one copy") << 1 << QByteArray() << "" << true << 1;
    QTest::newRow("cancelled") << 2 << QByteArray() << "" << false << -1;
    QTest::newRow("existing file replaced") << 2 << QByteArray("vecchio") << QString::fromUtf8("Sì") << true << 2;
    QTest::newRow("existing file kept") << 2 << QByteArray("vecchio") << "No" << false << -1;
}

void TestQtPlatform::receiptToPdf()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed: the PDF choice is offered only without one");
    QFETCH(int, copies);
    QFETCH(QByteArray, before);
    QFETCH(QString, replace);
    QFETCH(bool, saved);
    QFETCH(int, pages);
    TRecRicevuta receipt;
    receipt.Ricevuta = QStringLiteral("Ricevuta");
    receipt.NumRic = QStringLiteral("12");
    receipt.Data = QStringLiteral("05/03/2024");
    const QString pdf = QDir(documents).filePath(QStringLiteral("Ricevuta 12 del 05-03-2024.pdf"));
    QFile::remove(pdf);
    if (!before.isEmpty()) {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }

    QString proposed;
    bool boxShown = false;
    QList<ModalScript::Step> steps{
        [&](QWidget* print) {
            print->findChild<QSpinBox*>(QStringLiteral("scrCopie"))->setValue(copies);
            print->findChild<QPushButton*>(QStringLiteral("cmdStampa"))->click();
        },
        [&](QWidget* save) {
            auto* chooser = qobject_cast<QFileDialog*>(save);
            QVERIFY(chooser);
            proposed = chooser->selectedFiles().value(0);
            if (before.isEmpty() && !saved)
                return chooser->reject();
            static_cast<QDialog*>(chooser)->accept();   // the proposed name
        },
    };
    if (!before.isEmpty()) {
        steps << [&](QWidget* question) {
            boxShown = true;
            clickButton(question, replace);
        };
        if (!saved)   // back in the save dialog: given up
            steps << [](QWidget* save) { save->close(); };
    }
    if (!saved)   // back in the print dialog, which stays for another choice
        steps << [](QWidget* print) { print->findChild<QPushButton*>(QStringLiteral("cmdAnnulla"))->click(); };
    ModalScript script(steps);
    Screens::get<TfrmStampa>()->printReceipt(nullptr, receipt);

    QVERIFY(script.finished());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(proposed, pdf);
    QCOMPARE(boxShown, !before.isEmpty());
    QFile file(pdf);
    if (pages < 0) {
        QCOMPARE(file.exists(), !before.isEmpty());
        if (file.exists()) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPages(bytes), pages);
}

// A printer that writes a file asks where for every document: the copies of
// a receipt go to it as one document. The program's own PDF file is offered
// whatever printers are installed.
void TestQtPlatform::fileWritingPrinters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("writesFile");
    QTest::newRow("Windows' PDF") << "Microsoft Print to PDF" << true;
    QTest::newRow("Windows' XPS") << "Microsoft XPS Document Writer" << true;
    QTest::newRow("OneNote") << "OneNote for Windows 10" << true;
    QTest::newRow("a PDF printer of another make") << "PDFCreator" << true;
    QTest::newRow("CUPS' own") << "cups-pdf" << true;
    QTest::newRow("an office printer") << "HP LaserJet 1020" << false;
    QTest::newRow("a receipt printer") << "EPSON TM-T20II" << false;
}

void TestQtPlatform::fileWritingPrinters()
{
    QFETCH(QString, name);
    QFETCH(bool, writesFile);
    QCOMPARE(platform::isFileWritingPrinter(name), writesFile);
    platform::QtPlatform qt;
    QCOMPARE(qt.printers().count(QStringLiteral("Stampa su file PDF")), 1);
    QVERIFY(qt.printerIsPdfFile(QStringLiteral("Stampa su file PDF")));
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
