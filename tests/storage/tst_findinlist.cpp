#include "screens/ListServices.h"
#include "storage/FindInList.h"
#include "storage/PackedLines.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

namespace {

const QString kEmptyVoce = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

const QStringList kLines = {
    QStringLiteral("Bianchi Anna     Prodotti: caldaie"),
    QStringLiteral("Brossi Carlo     Prodotti: stufe"),
    QStringLiteral("Rossi Mario      Prodotti: caldaie"),
    QStringLiteral("Verdi Luca       Prodotti: condizionatori"),
};

// A list screen in miniature: list, find field, the two buttons, and a
// default button that closes the dialog, as on the real list screens.
struct ListScreen
{
    QDialog dialog;
    RecordList* list = new RecordList(&dialog);
    QLineEdit* find = new QLineEdit(&dialog);
    QPushButton* trova = new QPushButton(QStringLiteral("Trova"), &dialog);
    QPushButton* stampa = new QPushButton(QStringLiteral("Stampa"), &dialog);
    QPushButton* annulla = new QPushButton(QStringLiteral("Annulla"), &dialog);
    ListServices* services;

    explicit ListScreen(const QStringList& lines)
    {
        list->setGeometry(0, 0, 400, 200);
        find->setGeometry(0, 210, 200, 24);
        trova->setGeometry(210, 210, 80, 24);
        stampa->setGeometry(300, 210, 80, 24);
        annulla->setGeometry(300, 240, 80, 24);
        annulla->setDefault(true);
        QObject::connect(annulla, &QPushButton::clicked, &dialog, &QDialog::reject);
        configureListControl(list, 1500);
        PackedLines packed;
        for (const QString& line : lines)
            packed.append(line);
        list->setLines(std::move(packed));
        services = new ListServices(list, find, trova, stampa, kEmptyVoce,
                                    [] {
                                        ListReportSpec spec;
                                        spec.title = QStringLiteral("Anagrafica clienti");
                                        return spec;
                                    },
                                    &dialog);
        dialog.resize(420, 280);
        dialog.show();
    }

    int selected() const
    {
        const std::vector<int> rows = list->selectedRows();
        return rows.empty() ? -1 : rows.front();
    }
};

} // namespace

class TestFindInList : public QObject
{
    Q_OBJECT
private slots:
    // The rule itself.
    void newTextStartsFromTheTopEvenWithASelection();
    void sameTextAgainMovesOnAndWraps();
    void sameTextFindsTheOnlyMatchAgain();
    void leadingBlankIsPartOfTheText();
    void trailingBlankIsPartOfTheText();
    void caseIgnoredForAToZOnly();
    void emptyTextSelectsFirstLineOnlyWhenNothingSelected();
    void noMatchKeepsSelection();
    void lastSearchIsTheLowerCasedTextEitherWay();
    void emptyListChangesNothing();
    void changedTextIsANewSearchAgain();
    void packedLinesFindAlike_data();
    void packedLinesFindAlike();

    // The service on real controls.
    void enterFindsAndDoesNotCloseTheDialog();
    void buttonRepeatsTheSearch();
    void findOnEmptyListShowsTheScreensText();
    void resetForgetsTheLastSearch();
    void findFieldWhiteAtRestYellowFocused();
    void otherKeysReachTheField();
    void printUsesLinesInDisplayOrder();
    void listControlConfigured();
};

void TestFindInList::newTextStartsFromTheTopEvenWithASelection()
{
    QString last;
    // "caldaie" is on lines 0 and 2; with line 2 selected a new search goes back to 0.
    QCOMPARE(findInList(kLines, 2, QStringLiteral("caldaie"), last), 0);
    last = QStringLiteral("verdi");
    QCOMPARE(findInList(kLines, 3, QStringLiteral("bianchi"), last), 0);
}

void TestFindInList::sameTextAgainMovesOnAndWraps()
{
    QString last;
    int row = findInList(kLines, -1, QStringLiteral("rossi"), last);
    QCOMPARE(row, 1);   // Brossi
    row = findInList(kLines, row, QStringLiteral("rossi"), last);
    QCOMPARE(row, 2);   // Rossi
    row = findInList(kLines, row, QStringLiteral("rossi"), last);
    QCOMPARE(row, 1);   // wrapped past Verdi and Bianchi
}

void TestFindInList::sameTextFindsTheOnlyMatchAgain()
{
    QString last;
    int row = findInList(kLines, -1, QStringLiteral("verdi"), last);
    QCOMPARE(row, 3);
    QCOMPARE(findInList(kLines, row, QStringLiteral("verdi"), last), 3);
    // Repeating from somewhere else walks on to it.
    QCOMPARE(findInList(kLines, 0, QStringLiteral("verdi"), last), 3);
}

void TestFindInList::leadingBlankIsPartOfTheText()
{
    const QStringList lines = {QStringLiteral("Cliente: Marossini"), QStringLiteral("  Cliente: Rossi")};
    QString last;
    QCOMPARE(findInList(lines, -1, QStringLiteral(" rossi"), last), 1);
    last.clear();
    QCOMPARE(findInList(lines, -1, QStringLiteral("rossi"), last), 0);
}

void TestFindInList::trailingBlankIsPartOfTheText()
{
    const QStringList lines = {QStringLiteral("Rossi,Mario"), QStringLiteral("Rossi Mario")};
    QString last;
    QCOMPARE(findInList(lines, -1, QStringLiteral("rossi "), last), 1);
}

void TestFindInList::caseIgnoredForAToZOnly()
{
    const QStringList lines = {QStringLiteral("Caffè al banco"), QString::fromUtf8("Città di Forlì"),
                               QString::fromUtf8("ÀNCORA")};
    QString last;
    QCOMPARE(findInList(lines, -1, QStringLiteral("CITT"), last), 1);
    last.clear();
    QCOMPARE(findInList(lines, -1, QStringLiteral("BaNcO"), last), 0);
    // A capital accented letter is not its lower-case form: nothing found, selection as it was.
    last.clear();
    QCOMPARE(findInList(lines, 0, QString::fromUtf8("CITTÀ"), last), 0);
    last.clear();
    QCOMPARE(findInList(lines, 1, QString::fromUtf8("àncora"), last), 1);
    last.clear();
    QCOMPARE(findInList(lines, 1, QString::fromUtf8("Àncora"), last), 2);
}

void TestFindInList::emptyTextSelectsFirstLineOnlyWhenNothingSelected()
{
    QString last;
    QCOMPARE(findInList(kLines, -1, QString(), last), 0);
    QCOMPARE(findInList(kLines, 2, QString(), last), 2);
    last = QStringLiteral("rossi");
    QCOMPARE(findInList(kLines, 3, QString(), last), 3);
    QVERIFY(last.isEmpty());
}

void TestFindInList::noMatchKeepsSelection()
{
    QString last;
    QCOMPARE(findInList(kLines, 2, QStringLiteral("lavatrici"), last), 2);
    QCOMPARE(findInList(kLines, -1, QStringLiteral("frigoriferi"), last), 0);
}

void TestFindInList::lastSearchIsTheLowerCasedTextEitherWay()
{
    QString last;
    findInList(kLines, -1, QStringLiteral(" ROSSI "), last);
    QCOMPARE(last, QStringLiteral(" rossi "));
    findInList(kLines, -1, QStringLiteral("Nessuno"), last);
    QCOMPARE(last, QStringLiteral("nessuno"));
}

void TestFindInList::emptyListChangesNothing()
{
    QString last = QStringLiteral("rossi");
    QCOMPARE(findInList(QStringList(), -1, QStringLiteral("verdi"), last), -1);
    QCOMPARE(last, QStringLiteral("rossi"));
}

void TestFindInList::changedTextIsANewSearchAgain()
{
    QString last;
    int row = findInList(kLines, -1, QStringLiteral("caldaie"), last);   // 0
    row = findInList(kLines, row, QStringLiteral("caldaie"), last);       // 2
    QCOMPARE(row, 2);
    // Typing the same word in capitals is the same search: it moves on and wraps.
    QCOMPARE(findInList(kLines, row, QStringLiteral("CALDAIE"), last), 0);
    // A different word starts over from the top.
    QCOMPARE(findInList(kLines, 2, QStringLiteral("prodotti"), last), 0);
}

void TestFindInList::packedLinesFindAlike_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("last");
    QTest::newRow("new text, line selected") << 2 << "caldaie" << "";
    QTest::newRow("same text again wraps") << 3 << "ROSSI" << "rossi";
    QTest::newRow("no match") << 1 << "lavatrici" << "";
    QTest::newRow("empty text, nothing selected") << -1 << "" << "rossi";
}

void TestFindInList::packedLinesFindAlike()
{
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(QString, last);
    PackedLines packed;
    for (const QString& line : kLines)
        packed.append(line);
    QString lastPacked = last;
    QCOMPARE(findInList(packed, selected, typed, lastPacked), findInList(kLines, selected, typed, last));
    QCOMPARE(lastPacked, last);
}

void TestFindInList::enterFindsAndDoesNotCloseTheDialog()
{
    FakePlatform fake;
    ListScreen screen(kLines);
    QVERIFY(QTest::qWaitForWindowActive(&screen.dialog));
    screen.services->reset();
    typeInto(screen.find, QStringLiteral("Rossi"));
    pressEnter(screen.find);
    QCOMPARE(screen.selected(), 1);
    QVERIFY(screen.dialog.isVisible());
    QCOMPARE(screen.dialog.result(), int(QDialog::Rejected));
    pressEnter(screen.find);
    QCOMPARE(screen.selected(), 2);
    QVERIFY(screen.dialog.isVisible());
    QVERIFY(fake.messages.isEmpty());
}

void TestFindInList::buttonRepeatsTheSearch()
{
    FakePlatform fake;
    ListScreen screen(kLines);
    QVERIFY(QTest::qWaitForWindowActive(&screen.dialog));
    screen.services->reset();
    typeInto(screen.find, QStringLiteral("caldaie"));
    clickOn(screen.trova);
    QCOMPARE(screen.selected(), 0);
    clickOn(screen.trova);
    QCOMPARE(screen.selected(), 2);
    clickOn(screen.trova);
    QCOMPARE(screen.selected(), 0);
    // The list follows the selection.
    QCOMPARE(screen.list->currentRow(), 0);
}

void TestFindInList::findOnEmptyListShowsTheScreensText()
{
    FakePlatform fake;
    ListScreen screen({});
    typeInto(screen.find, QStringLiteral("rossi"));
    clickOn(screen.trova);
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages.first().kind, MessageKind::Plain);
    QCOMPARE(fake.messages.first().caption, QStringLiteral("Ventoria 2.0"));
    QCOMPARE(fake.messages.first().text, kEmptyVoce);
    pressEnter(screen.find);
    QCOMPARE(fake.messages.size(), 2);
}

void TestFindInList::resetForgetsTheLastSearch()
{
    FakePlatform fake;
    ListScreen screen(kLines);
    QVERIFY(QTest::qWaitForWindowActive(&screen.dialog));
    typeInto(screen.find, QStringLiteral("rossi"));
    clickOn(screen.trova);
    QCOMPARE(screen.selected(), 1);

    screen.trova->setFocus();
    screen.services->reset();
    QCOMPARE(screen.selected(), -1);
    QVERIFY(screen.find->text().isEmpty());
    QTRY_VERIFY(screen.find->hasFocus());

    // The same text after a reset is a new search: it may stop on the
    // selected line instead of moving past it.
    screen.list->setCurrentRow(1);
    typeInto(screen.find, QStringLiteral("rossi"));
    clickOn(screen.trova);
    QCOMPARE(screen.selected(), 1);
}

void TestFindInList::findFieldWhiteAtRestYellowFocused()
{
    FakePlatform fake;
    ListScreen screen(kLines);
    QVERIFY(QTest::qWaitForWindowActive(&screen.dialog));
    screen.trova->setFocus();
    QTRY_VERIFY(screen.trova->hasFocus());
    QCOMPARE(screen.find->palette().color(QPalette::Base), QColor(Qt::white));
    screen.find->setFocus();
    QTRY_COMPARE(screen.find->palette().color(QPalette::Base), QColor(Qt::yellow));
    screen.list->setFocus();
    QTRY_COMPARE(screen.find->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestFindInList::otherKeysReachTheField()
{
    FakePlatform fake;
    ListScreen screen(kLines);
    QVERIFY(QTest::qWaitForWindowActive(&screen.dialog));
    typeInto(screen.find, QStringLiteral("abc"));
    QTest::keyClick(screen.find, Qt::Key_Backspace);
    QCOMPARE(screen.find->text(), QStringLiteral("ab"));
    QCOMPARE(screen.selected(), -1);   // no key but Enter finds
}

void TestFindInList::printUsesLinesInDisplayOrder()
{
    FakePlatform fake;
    const QStringList added{QStringLiteral("Zeta"), QStringLiteral("alfa"), QStringLiteral("Beta")};
    ListScreen screen(added);
    // Shown sorted: the order of the display, not of the adding, is printed.
    PackedLines sorted(PackedLines::Order::IgnoringCase);
    for (const QString& line : added)
        sorted.append(line);
    screen.list->setLines(std::move(sorted));
    fake.answers.enqueue(true);
    fake.printCopies.enqueue(1);
    clickOn(screen.stampa);
    QCOMPARE(fake.documents.size(), 1);
    QStringList printed;
    for (const RecordingCanvas::Op& op : fake.documents.first()->texts()) {
        if (op.font.size == 8 && !op.text.startsWith(QLatin1Char('_')) && !op.text.startsWith(QLatin1String("Stampa")))
            printed.append(op.text);
    }
    QStringList shown;
    for (int i = 0; i < screen.list->count(); ++i)
        shown.append(screen.list->line(i));
    QVERIFY(shown != added);
    QCOMPARE(printed, shown);
    QCOMPARE(screen.services->lines(), shown);
    QCOMPARE(fake.documents.first()->findText(QStringLiteral("Anagrafica clienti")).y, 334);
}

void TestFindInList::listControlConfigured()
{
    FakePlatform fake;
    ListScreen screen({QStringLiteral("breve")});
    // Courier New where the system has it, a fixed-pitch face otherwise.
    if (QFontDatabase::hasFamily(QStringLiteral("Courier New")))
        QCOMPARE(screen.list->font().family(), QStringLiteral("Courier New"));
    QVERIFY(QFontInfo(screen.list->font()).fixedPitch());
    QCOMPARE(screen.list->font().pointSize(), 8);
    QCOMPARE(screen.list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(screen.list->uniformItemSizes());
    // A short line still scrolls sideways over 1500 pixels.
    QVERIFY(QTest::qWaitForWindowExposed(&screen.dialog));
    QScrollBar* bar = screen.list->horizontalScrollBar();
    QTRY_COMPARE(bar->maximum() + screen.list->viewport()->width(), 1500);
}

QTEST_MAIN(TestFindInList)
#include "tst_findinlist.moc"
