#include "screens/ListPanels.h"
#include "storage/Amounts.h"
#include "storage/MaterialRecord.h"
#include "warehouse/PriceList.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using Op = RecordingCanvas::Op;

Q_DECLARE_METATYPE(PriceList::Criteria)

namespace {

const QString kArchiveMessage = QString::fromUtf8(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kStamp = QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 14:30:15");
const QString kHeader = QStringLiteral(
    "CODICE PRODOTTO        TIPOLOGIA                DESCRIZIONE                                     PREZZO         ");

TRecMateriale card(const QString& code, const QString& type, const QString& description, const QString& price,
                   const QString& stock, const QString& supplier = QString(), const QString& document = QString())
{
    using M = TRecMateriale;
    return sample<M>({{&M::Codice, code}, {&M::Tipologia, type}, {&M::Descrizione, description}, {&M::Prezzo, price},
                      {&M::Giacenza, stock}, {&M::Fornitore, supplier}, {&M::Documento, document}});
}

// The warehouse every matching row works on.
QList<TRecMateriale> warehouse()
{
    return {
        card("A10", "Lavatrice", "Carica frontale", "10,00", "0", "Rossi srl", "Fattura 12"),
        card("B10", "Frigorifero", "Doppia porta", "10", "5", "Bianchi spa", "Fattura 40"),
        card("C9", "Lavatrice", "Carica dall'alto", "9,99", "3", "Rossi srl", "DDT 7"),
        card("D11", "Forno", "Ventilato", "10,01", "12,5", "Verdi", "Fattura 12"),
        card("E", "Lavastoviglie", "Damaged price", "dieci", "2", "Rossi srl", ""),
        card("", "Ricambio", "Senza codice", "5", "1", "Verdi", ""),
    };
}

QByteArray archiveOf(const QList<TRecMateriale>& cards)
{
    QByteArray bytes;
    for (const TRecMateriale& m : cards)
        bytes += m.encode();
    return bytes;
}

QStringList codesOf(const QStringList& lines)
{
    QStringList codes;
    for (const QString& line : lines)
        codes.append(line.left(20).trimmed());
    return codes;
}

// A portrait page at 600 dpi: h(14) = 117, h(8) = 67.
struct PortraitPage
{
    RecordingCanvas canvas{4800, 6600, 600, 600, platform::PageOrientation::Portrait, QStringLiteral("listino")};
};

QStringList numbered(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(QStringLiteral("ART%1").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

} // namespace

class TestPriceList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Core.
    void lineLayout_data();
    void lineLayout();
    void columnHeaderColumns();
    void search_data();
    void search();
    void showAllLeavesOutEmptyCodes();
    void boundNormalisation_data();
    void boundNormalisation();
    void printedHeading();
    void composedPage();
    void pageBreakAndClosing();
    void closingThatWouldFallOffMovesOn();

    // Screen.
    void showAllOnTheScreen();
    void trovaWithCriteria();
    void damagedArchiveKeepsCriteria();
    void removeSelectedLines();
    void removeWithNothingSelected();
    void numericKeys_data();
    void numericKeys();
    void numericLeaving_data();
    void numericLeaving();
    void printTheRemainingLines();
    void printBlankHeadingAndRefusals();
    void backAndClose();

private:
    QWidget* screen = nullptr;
    QLineEdit* edit(const char* name) { return control<QLineEdit>(screen, name); }
    QLabel* label(const char* name) { return control<QLabel>(screen, name); }
    RecordList* list() { return control<RecordList>(screen, "lstRecords"); }
    void release(const char* name) { ScreenFixture::press(screen, name); }
    void writeWarehouse() { screens->dir().writeAll(QStringLiteral("Materiali.pro"), archiveOf(warehouse())); }
    QStringList shown() const;

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
};

QStringList TestPriceList::shown() const
{
    QStringList lines;
    auto* l = screen->findChild<RecordList*>(QStringLiteral("lstRecords"));
    for (int i = 0; i < l->count(); ++i)
        lines.append(l->line(i));
    return lines;
}

void TestPriceList::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    screen = ScreenFixture::screen("frmListino");
    QVERIFY(screen);
    QVERIFY(ScreenFixture::openWorkArea(screen));
}

void TestPriceList::init()
{
    screens->beginTest();
    if (!screen->isVisible())
        QVERIFY(ScreenFixture::openWorkArea(screen));
}

void TestPriceList::cleanup()
{
    // Each test starts from the criteria panel with nothing typed.
    if (control<QPushButton>(screen, "cmdIndietro")->isEnabled())
        release("cmdIndietro");
    for (QLineEdit* field : control<QFrame>(screen, "grpCriteri")->findChildren<QLineEdit*>())
        field->clear();
    screens->endTest();
}

void TestPriceList::lineLayout_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("line");

    QTest::newRow("short fields padded")
        << "A1" << "Forno" << "Ventilato" << "120,50"
        << QString("A1" + QString(18, ' ') + "   " + "Forno" + QString(17, ' ') + "   " + "Ventilato"
                   + QString(36, ' ') + "   Euro 120,50");
    QTest::newRow("long code cut at 20, price in full")
        << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << "Lavatrice" << "Carica frontale" << "123456789,1234"
        << QString("ABCDEFGHIJKLMNOPQRST   Lavatrice" + QString(13, ' ') + "   Carica frontale" + QString(30, ' ')
                   + "   Euro 123456789,1234");
    QTest::newRow("long type and description cut")
        << "X" << QString(30, 't') << QString(60, 'd') << "1"
        << QString("X" + QString(19, ' ') + "   " + QString(22, 't') + "   " + QString(45, 'd') + "   Euro 1");
    QTest::newRow("empty price ends after Euro")
        << "X" << "" << "" << "" << QString("X" + QString(19, ' ') + "   " + QString(22, ' ') + "   "
                                          + QString(45, ' ') + "   Euro ");
}

void TestPriceList::lineLayout()
{
    QFETCH(QString, code);
    QFETCH(QString, type);
    QFETCH(QString, description);
    QFETCH(QString, price);
    QFETCH(QString, line);
    const QString built = PriceList::line(card(code, type, description, price, "1"));
    QCOMPARE(built, line);
    QCOMPARE(built.mid(93, 8), QStringLiteral("   Euro "));
    QCOMPARE(built.mid(101), price);
}

void TestPriceList::columnHeaderColumns()
{
    const QString header = PriceList::columnHeader();
    QCOMPARE(header, kHeader);
    QCOMPARE(header.size(), 111);
    QCOMPARE(header.indexOf("TIPOLOGIA"), 23);
    QCOMPARE(header.indexOf("DESCRIZIONE"), 48);
    QCOMPARE(header.indexOf("PREZZO"), 96);
    // Over the code, type, description and "Euro" of the lines.
    const QString line = PriceList::line(card("A", "B", "C", "1", "1"));
    QCOMPARE(line.indexOf("Euro"), 96);
}

void TestPriceList::search_data()
{
    QTest::addColumn<PriceList::Criteria>("criteria");
    QTest::addColumn<QStringList>("codes");   // in file order

    PriceList::Criteria none;
    QTest::newRow("all blank lists everything, empty code included")
        << none << QStringList{"A10", "B10", "C9", "D11", "E", ""};
    PriceList::Criteria ten;
    ten.prezzoMin = "10";
    ten.prezzoMax = "10";
    QTest::newRow("min = max = 10: exactly the 10,00 articles") << ten << QStringList{"A10", "B10"};
    PriceList::Criteria stock0;
    stock0.giaceMin = "0";
    QTest::newRow("Giacenza minima 0: every article, 0 included")
        << stock0 << QStringList{"A10", "B10", "C9", "D11", "E", ""};
    PriceList::Criteria damaged;
    damaged.prezzoMin = "0";
    QTest::newRow("damaged price skipped, the others listed") << damaged << QStringList{"A10", "B10", "C9", "D11", ""};
    PriceList::Criteria maxStock;
    maxStock.giaceMax = "3";
    QTest::newRow("Giacenza massima inclusive") << maxStock << QStringList{"A10", "C9", "E", ""};
    PriceList::Criteria decimals;
    decimals.giaceMin = "12,5";
    QTest::newRow("decimal bound with comma") << decimals << QStringList{"D11"};
    PriceList::Criteria textAndBound;
    textAndBound.tipologia = "LAV";
    textAndBound.prezzoMax = "9,99";
    QTest::newRow("text folded A-Z and bound together") << textAndBound << QStringList{"C9"};
    PriceList::Criteria supplier;
    supplier.fornitore = "rossi";
    supplier.documento = "fattura";
    QTest::newRow("supplier and document both needed") << supplier << QStringList{"A10"};
    PriceList::Criteria code;
    code.codice = "10";
    code.descrizione = "porta";
    QTest::newRow("code and description") << code << QStringList{"B10"};
    PriceList::Criteria nothing;
    nothing.prezzoMin = "1000";
    QTest::newRow("no article that dear") << nothing << QStringList{};
}

void TestPriceList::search()
{
    QFETCH(PriceList::Criteria, criteria);
    QFETCH(QStringList, codes);
    screens->dir().writeAll(QStringLiteral("Materiali.pro"), archiveOf(warehouse()));
    PackedLines lines;
    QVERIFY(PriceList::search(criteria, lines));
    QCOMPARE(codesOf(lines.lines()), codes);
}

void TestPriceList::showAllLeavesOutEmptyCodes()
{
    writeWarehouse();
    PackedLines lines;
    QVERIFY(PriceList::showAll(lines));
    QCOMPARE(codesOf(lines.lines()), (QStringList{"A10", "B10", "C9", "D11", "E"}));
}

void TestPriceList::boundNormalisation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("whole") << "10" << "10";
    QTest::newRow("no completion") << "10,50" << "10,5";
    QTest::newRow("four decimals") << "3,14159" << "3,1416";
    QTest::newRow("lone comma") << "," << "0";
    QTest::newRow("leading zeros") << "007" << "7";
    QTest::newRow("empty unchanged") << "" << "";
    QTest::newRow("blank unchanged") << "  " << "  ";
    QTest::newRow("letters pasted: cleared") << "abc" << "";
    QTest::newRow("point pasted: cleared") << "1.5" << "";
}

void TestPriceList::boundNormalisation()
{
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QCOMPARE(NormalizeBoundText(typed), left);
}

void TestPriceList::printedHeading()
{
    const QDate day(2024, 3, 5);
    QCOMPARE(PriceList::printedHeading("  Listino estate  ", day), QStringLiteral("Listino estate"));
    QCOMPARE(PriceList::printedHeading("   ", day), QStringLiteral("LISTINO PREZZI DEL 05/03/2024"));
    QCOMPARE(PriceList::proposedHeading(day), QStringLiteral("Listino prezzi del 05/03/2024"));
}

void TestPriceList::composedPage()
{
    PortraitPage page;
    PriceList::compose(page.canvas, numbered(3), QStringLiteral("Listino"), kStamp);
    const QList<Op> t = page.canvas.texts();
    QCOMPARE(t.size(), 1 + 1 + 3 + 2);
    QCOMPARE(t[0].text, QStringLiteral("Listino"));
    QCOMPARE(QPoint(t[0].x, t[0].y), QPoint(150, 234));
    QCOMPARE(t[0].font.family, QStringLiteral("Courier New"));
    QCOMPARE(t[0].font.size, 14);
    QVERIFY(t[0].font.bold);
    QVERIFY(!t[0].font.underline);
    QCOMPARE(t[1].text, kHeader);
    QCOMPARE(QPoint(t[1].x, t[1].y), QPoint(150, 234 + 3 * 117));
    QCOMPARE(t[1].font.size, 8);
    QVERIFY(t[1].font.underline);
    QVERIFY(!t[1].font.bold);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(t[2 + i].text, numbered(3)[i]);
        QCOMPARE(QPoint(t[2 + i].x, t[2 + i].y), QPoint(150, 585 + 201 + 201 * i));
        QCOMPARE(t[2 + i].font.size, 8);
        QVERIFY(!t[2 + i].font.underline && !t[2 + i].font.bold);
    }
    const int after = 786 + 3 * 201;
    QCOMPARE(t[5].text, QString(111, '_'));
    QCOMPARE(t[5].y, after - 67);
    QCOMPARE(t[6].text, kStamp);
    QCOMPARE(t[6].y, after + 67);
    for (const Op& op : t)
        QCOMPARE(op.font.color, QColor(Qt::black));
    QCOMPARE(page.canvas.pages, 1);
}

void TestPriceList::pageBreakAndClosing()
{
    // Page 6600 high: a line due at y >= 6600 - 201 = 6399 moves on. Lines
    // run 786 + 201k: k = 27 at 6213 is the last on page 1.
    PortraitPage page;
    const QStringList lines = numbered(30);
    PriceList::compose(page.canvas, lines, QStringLiteral("Listino"), kStamp);
    QCOMPARE(page.canvas.findText(lines[27]).page, 1);
    QCOMPARE(page.canvas.findText(lines[27]).y, 6213);
    QCOMPARE(page.canvas.findText(lines[28]).page, 2);
    QCOMPARE(page.canvas.findText(lines[28]).y, 134);
    QCOMPARE(page.canvas.findText(lines[29]).y, 335);
    int onPage2 = 0;
    for (const Op& op : page.canvas.texts()) {
        if (op.page == 2 && (op.text == kHeader || op.text == QLatin1String("Listino")))
            ++onPage2;
    }
    QCOMPARE(onPage2, 0);
    const Op rule = page.canvas.findText(QString(111, '_'));
    QCOMPARE(rule.page, 2);
    QCOMPARE(rule.y, 536 - 67);
    const Op stamp = page.canvas.findText(kStamp);
    QCOMPARE(stamp.y, 536 + 67);
    QCOMPARE(page.canvas.pages, 2);
}

void TestPriceList::closingThatWouldFallOffMovesOn()
{
    // 27 lines: the last at 786 + 26 × 201 = 6012, y after it 6213, the
    // stamp at 6280. A page of 6450 holds the stamp; one of 6300 does not.
    RecordingCanvas canvas(4800, 6450, 600, 600, platform::PageOrientation::Portrait, "listino");
    PriceList::compose(canvas, numbered(27), QStringLiteral("Listino"), kStamp);
    QCOMPARE(canvas.findText(numbered(27).last()).y, 6012);
    QCOMPARE(canvas.findText(kStamp).page, 1);
    QCOMPARE(canvas.findText(kStamp).y, 6280);

    RecordingCanvas tight(4800, 6300, 600, 600, platform::PageOrientation::Portrait, "listino");
    PriceList::compose(tight, numbered(27), QStringLiteral("Listino"), kStamp);
    // y after the last line is 6213; the stamp at 6280 plus its height passes 6300.
    QCOMPARE(tight.findText(numbered(27).last()).page, 1);
    const Op stamp = tight.findText(kStamp);
    QCOMPARE(stamp.page, 2);
    QCOMPARE(tight.findText(QString(111, '_')).page, 2);
    QCOMPARE(tight.findText(QString(111, '_')).y, 134 - 67);
    QCOMPARE(stamp.y, 134 + 67);
}

void TestPriceList::showAllOnTheScreen()
{
    writeWarehouse();
    QCOMPARE(label("lblConta")->text(), QStringLiteral("0"));
    release("lblTutti");
    QVERIFY(fake->messages.isEmpty());
    const QStringList lines = shown();
    QCOMPARE(lines.size(), 5);
    for (const QString& line : lines)
        QVERIFY(!line.left(20).trimmed().isEmpty());
    QStringList sorted = lines;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(lines, sorted);
    QVERIFY(control<QFrame>(screen, "grpElenco")->isVisible());
    QVERIFY(!control<QFrame>(screen, "grpCriteri")->isVisible());
    QVERIFY(!control<QPushButton>(screen, "cmdTrova")->isEnabled());
    QVERIFY(control<QPushButton>(screen, "cmdIndietro")->isEnabled());
    QCOMPARE(edit("txtIntestazione")->text(), QStringLiteral("Listino prezzi del 05/03/2024"));
    QCOMPARE(label("lblConta")->text(), QStringLiteral("0"));
}

void TestPriceList::trovaWithCriteria()
{
    writeWarehouse();
    typeInto(edit("txtTipologia"), "lav");
    typeInto(edit("txtPrezzoMax"), "10");
    release("cmdTrova");
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(label("lblConta")->text(), QStringLiteral("2"));
    QCOMPARE(codesOf(shown()), (QStringList{"A10", "C9"}));

    // All blank: the card without a code is listed too.
    release("cmdIndietro");
    QCOMPARE(label("lblConta")->text(), QStringLiteral("0"));
    edit("txtTipologia")->clear();
    edit("txtPrezzoMax")->clear();
    release("cmdTrova");
    QCOMPARE(shown().size(), 6);
    QCOMPARE(codesOf(shown()).first(), QString());
}

void TestPriceList::damagedArchiveKeepsCriteria()
{
    screens->dir().putFolderInPlaceOf(QStringLiteral("Materiali.pro"));
    typeInto(edit("txtCodice"), "A");
    release("cmdTrova");
    QCOMPARE(fake->messageTexts(), QStringList{kArchiveMessage});
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QVERIFY(control<QFrame>(screen, "grpCriteri")->isVisible());
    QVERIFY(control<QPushButton>(screen, "cmdTrova")->isEnabled());
    QCOMPARE(edit("txtCodice")->text(), QStringLiteral("A"));
    fake->clear();
    release("lblTutti");
    QCOMPARE(fake->messageTexts(), QStringList{kArchiveMessage});
    QVERIFY(control<QFrame>(screen, "grpCriteri")->isVisible());
}

void TestPriceList::removeSelectedLines()
{
    writeWarehouse();
    release("lblTutti");
    const QStringList before = shown();
    RecordList* l = list();
    // Click the second line, then Ctrl+click the fourth.
    clickLine(l, 1);
    clickLine(l, 3, Qt::ControlModifier);
    QCOMPARE(l->selectedRows().size(), 2u);
    release("cmdImporta");
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(shown(), (QStringList{before[0], before[2], before[4]}));
    QVERIFY(QFile::exists(screens->dir().file("Materiali.pro")));
    QCOMPARE(screens->dir().readAll("Materiali.pro"), archiveOf(warehouse()));
}

void TestPriceList::removeWithNothingSelected()
{
    writeWarehouse();
    release("lblTutti");
    list()->clearSelection();
    release("cmdImporta");
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].kind, MessageKind::Task);
    QCOMPARE(fake->messages[0].caption, QStringLiteral("Nessuna voce selezionata"));
    QCOMPARE(fake->messages[0].text,
             QString::fromUtf8("Attenzione: selezionare uno o più prodotti dall'elenco prima di premere il pulsante "
                               "per l'eliminazione."));
    QCOMPARE(fake->messages[0].icon, platform::MessageIcon::None);
    QCOMPARE(shown().size(), 5);
}

void TestPriceList::numericKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message");   // empty: none

    auto invalid = [](const char* caption) {
        return QString::fromUtf8("Attenzione: carattere non valido.\nIl campo «%1» accetta solo cifre e una virgola per "
                                 "i decimali.").arg(QString::fromUtf8(caption));
    };
    QTest::newRow("digit") << "txtPrezzoMin" << "1" << int(Qt::Key_2) << "2" << "12" << "";
    QTest::newRow("first comma") << "txtPrezzoMax" << "12" << int(Qt::Key_Comma) << "," << "12," << "";
    QTest::newRow("comma first of all") << "txtGiaceMin" << "" << int(Qt::Key_Comma) << "," << "," << "";
    QTest::newRow("second comma") << "txtGiaceMax" << "1,5" << int(Qt::Key_Comma) << "," << "1,5" << invalid("Giacenza massima");
    QTest::newRow("point") << "txtPrezzoMin" << "1" << int(Qt::Key_Period) << "." << "1" << invalid("Prezzo minimo");
    QTest::newRow("letter") << "txtPrezzoMax" << "1" << int(Qt::Key_A) << "a" << "1" << invalid("Prezzo massimo");
    QTest::newRow("minus") << "txtGiaceMin" << "1" << int(Qt::Key_Minus) << "-" << "1" << invalid("Giacenza minima");
    QTest::newRow("no 30,000,000 guard") << "txtPrezzoMin" << "40000000" << int(Qt::Key_1) << "1" << "400000001"
                                         << "";
    QTest::newRow("Backspace") << "txtGiaceMax" << "12" << int(Qt::Key_Backspace) << "\b" << "1" << "";
    QTest::newRow("Delete at the end") << "txtPrezzoMin" << "12" << int(Qt::Key_Delete) << "\x7f" << "12" << "";
    QTest::newRow("Ctrl+V refused") << "txtPrezzoMax" << "12" << int(Qt::Key_V) << "\x16" << "12" << invalid("Prezzo massimo");
}

void TestPriceList::numericKeys()
{
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(QString, message);
    QLineEdit* f = edit(qPrintable(field));
    f->setFocus();
    f->setText(start);
    press(f, key, text);
    QCOMPARE(f->text(), after);
    if (message.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
    } else {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].kind, MessageKind::KeyFilter);
        QCOMPARE(fake->messages[0].caption, QStringLiteral("Operazione annullata"));
        QCOMPARE(fake->messages[0].text, message);
    }
}

void TestPriceList::numericLeaving_data()
{
    QTest::addColumn<QString>("typed");     // through the keys
    QTest::addColumn<QString>("pasted");    // set as a paste would
    QTest::addColumn<QString>("left");
    QTest::newRow("rounded to four") << "3,14159" << "" << "3,1416";
    QTest::newRow("no ,00 added") << "10" << "" << "10";
    QTest::newRow("trailing zeros dropped") << "2,50" << "" << "2,5";
    QTest::newRow("lone comma") << "," << "" << "0";
    QTest::newRow("letters pasted are cleared") << "" << "dieci" << "";
    QTest::newRow("blank left alone") << "" << "   " << "   ";
}

void TestPriceList::numericLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, left);
    QLineEdit* f = edit("txtPrezzoMin");
    typeInto(f, typed);
    if (!pasted.isEmpty())
        f->setText(pasted);
    QCOMPARE(f->palette().color(QPalette::Base), QColor(Qt::yellow));
    pressEnter(f);   // Enter moves on to Prezzo massimo
    QVERIFY(edit("txtPrezzoMax")->hasFocus());
    QCOMPARE(f->text(), left);
    QCOMPARE(f->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(fake->messages.isEmpty());
}

void TestPriceList::printTheRemainingLines()
{
    writeWarehouse();
    release("lblTutti");
    const QStringList before = shown();
    list()->setCurrentRow(0);
    release("cmdImporta");
    QLineEdit* heading = edit("txtIntestazione");
    heading->setText(QStringLiteral("  Listino di primavera "));
    fake->answers.enqueue(true);
    fake->printCopies.enqueue(2);
    const int busyBefore = fake->busyCalls;
    release("cmdStampa");
    QCOMPARE(fake->questions, QStringList{"Si vuole stampare il presente listino prezzi?"});
    QCOMPARE(fake->documents.size(), 2);
    for (RecordingCanvas* doc : fake->documents) {
        QCOMPARE(doc->orientation, platform::PageOrientation::Portrait);
        QVERIFY(doc->ended);
        const QList<Op> t = doc->texts();
        QCOMPARE(t.size(), 1 + 1 + 4 + 2);
        QCOMPARE(t[0].text, QStringLiteral("Listino di primavera"));
        QVERIFY(t[0].font.bold);
        QCOMPARE(t[1].text, kHeader);
        QVERIFY(t[1].font.underline);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(t[2 + i].text, before[1 + i]);
            QCOMPARE(t[2 + i].y, 786 + 201 * i);
        }
        QCOMPARE(t[6].text, QString(111, '_'));
        QCOMPARE(t[6].y, 786 + 4 * 201 - 67);
        QCOMPARE(t[7].text, kStamp);
        QCOMPARE(t[7].y, 786 + 4 * 201 + 67);
    }
    // The busy pointer once per copy, and restored.
    QCOMPARE(fake->busyCalls - busyBefore, 2);
    QCOMPARE(fake->busyDepth, 0);
}

void TestPriceList::printBlankHeadingAndRefusals()
{
    writeWarehouse();
    release("lblTutti");
    edit("txtIntestazione")->setText(QStringLiteral("   "));
    // No: nothing printed, no dialog.
    const int dialogs = fake->printDialogs;
    fake->answers.enqueue(false);
    release("cmdStampa");
    QCOMPARE(fake->printDialogs, dialogs);
    QVERIFY(fake->documents.isEmpty());
    // Cancelled dialog.
    fake->answers.enqueue(true);
    fake->printCopies.enqueue(-1);
    release("cmdStampa");
    QCOMPARE(fake->printDialogs, dialogs + 1);
    QVERIFY(fake->documents.isEmpty());
    // Blank heading: today's heading in capitals.
    fake->answers.enqueue(true);
    fake->printCopies.enqueue(1);
    release("cmdStampa");
    QCOMPARE(fake->documents.size(), 1);
    QCOMPARE(fake->documents[0]->texts().first().text, QStringLiteral("LISTINO PREZZI DEL 05/03/2024"));
    // Every line removed: the empty-list message and nothing else.
    fake->clear();
    list()->selectAll();
    release("cmdImporta");
    QCOMPARE(list()->count(), 0);
    release("cmdStampa");
    QCOMPARE(fake->messageTexts(),
             QStringList{"Operazione di stampa non applicabile: la lista non contiene nessuna voce."});
    QCOMPARE(fake->messages[0].kind, MessageKind::Plain);
    QVERIFY(fake->questions.isEmpty());
    QVERIFY(fake->documents.isEmpty());
}

void TestPriceList::backAndClose()
{
    writeWarehouse();
    typeInto(edit("txtCodice"), "10");
    typeInto(edit("txtGiaceMin"), "1");
    release("cmdTrova");
    QCOMPARE(label("lblConta")->text(), QStringLiteral("2"));
    QCOMPARE(codesOf(shown()), QStringList{"B10"});
    edit("txtIntestazione")->setText(QStringLiteral("Mio listino"));
    release("cmdIndietro");
    QCOMPARE(list()->count(), 0);
    QCOMPARE(label("lblConta")->text(), QStringLiteral("0"));
    QVERIFY(control<QFrame>(screen, "grpCriteri")->isVisible());
    QVERIFY(!control<QPushButton>(screen, "cmdIndietro")->isEnabled());
    QVERIFY(control<QPushButton>(screen, "cmdTrova")->isEnabled());
    QCOMPARE(edit("txtCodice")->text(), QStringLiteral("10"));
    QCOMPARE(edit("txtGiaceMin")->text(), QStringLiteral("1"));
    QVERIFY(edit("txtCodice")->hasFocus());
    QCOMPARE(edit("txtIntestazione")->text(), QStringLiteral("Mio listino"));   // survives Back

    release("cmdTrova");
    release("cmdAnnulla");
    QVERIFY(!screen->isVisible());
    QVERIFY(topLevel("frmAvvio") && topLevel("frmAvvio")->isVisible());
    QCOMPARE(edit("txtCodice")->text(), QString());
    QCOMPARE(edit("txtGiaceMin")->text(), QString());
    QCOMPARE(list()->count(), 0);
    QCOMPARE(label("lblConta")->text(), QStringLiteral("0"));
    QVERIFY(control<QFrame>(screen, "grpCriteri")->isVisibleTo(screen));
    QVERIFY(!control<QPushButton>(screen, "cmdIndietro")->isEnabled());
}

QTEST_MAIN(TestPriceList)
#include "tst_pricelist.moc"
