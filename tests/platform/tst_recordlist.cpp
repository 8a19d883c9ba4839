// The list control of the list screens over packed lines: rows, selection,
// removal and the double click, driven through the mouse and the keyboard.
#include "screens/ListServices.h"
#include "platform/qt/RecordList.h"

#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A list of n lines "Riga 0"..., shown and configured as the screens do.
struct Shown
{
    RecordList list;

    explicit Shown(int n, QAbstractItemView::SelectionMode mode = QAbstractItemView::SingleSelection)
    {
        configureListControl(&list, 1500);
        list.setSelectionMode(mode);
        PackedLines lines;
        for (int i = 0; i < n; ++i)
            lines.append(QStringLiteral("Riga %1").arg(i));
        list.setLines(std::move(lines));
        list.resize(300, 200);
        list.show();
    }
};

} // namespace

class TestRecordList : public QObject
{
    Q_OBJECT
private slots:
    void linesInAFixedPitchFace();
    void rowsAreTheLines();
    void currentRowSelectsAndScrolls();
    void keysAndClicksMoveTheSelection();
    void selectedLinesRemovedTheRestKept();
    void doubleClickTellsTheRow();
};

void TestRecordList::rowsAreTheLines()
{
    Shown s(40);
    QCOMPARE(s.list.count(), 40);
    QCOMPARE(s.list.line(17), QStringLiteral("Riga 17"));
    QCOMPARE(s.list.lines().size(), 40);
    QCOMPARE(s.list.model()->data(s.list.model()->index(39, 0)).toString(), QStringLiteral("Riga 39"));
    QVERIFY(s.list.line(40).isNull());
    s.list.clear();
    QCOMPARE(s.list.count(), 0);
    QVERIFY(s.list.selectedLine().isEmpty());
}

void TestRecordList::currentRowSelectsAndScrolls()
{
    Shown s(500);
    QVERIFY(QTest::qWaitForWindowExposed(&s.list));
    QSignalSpy changed(&s.list, &RecordList::selectedLinesChanged);
    s.list.setCurrentRow(420);
    QCOMPARE(s.list.currentRow(), 420);
    QCOMPARE(s.list.selectedRows(), std::vector<int>{420});
    QCOMPARE(s.list.selectedLine(), QStringLiteral("Riga 420"));
    QVERIFY(s.list.viewport()->rect().intersects(s.list.visualRect(s.list.model()->index(420, 0))));
    QCOMPARE(changed.count(), 1);
    s.list.setCurrentRow(-1);
    QCOMPARE(s.list.currentRow(), -1);
    QVERIFY(s.list.selectedRows().empty());
    QCOMPARE(changed.count(), 2);
}

void TestRecordList::keysAndClicksMoveTheSelection()
{
    Shown s(10);
    QVERIFY(QTest::qWaitForWindowExposed(&s.list));
    clickLine(&s.list, 3);
    QCOMPARE(s.list.selectedRows(), std::vector<int>{3});
    press(&s.list, Qt::Key_Down, QString());
    QCOMPARE(s.list.selectedLine(), QStringLiteral("Riga 4"));
    press(&s.list, Qt::Key_Home, QString());
    QCOMPARE(s.list.currentRow(), 0);
}

void TestRecordList::selectedLinesRemovedTheRestKept()
{
    Shown s(6, QAbstractItemView::ExtendedSelection);
    QVERIFY(QTest::qWaitForWindowExposed(&s.list));
    clickLine(&s.list, 1);
    clickLine(&s.list, 4, Qt::ControlModifier);
    clickLine(&s.list, 5, Qt::ControlModifier);
    QCOMPARE(s.list.selectedRows(), (std::vector<int>{1, 4, 5}));
    s.list.removeSelected();
    QCOMPARE(s.list.lines(), (QStringList{"Riga 0", "Riga 2", "Riga 3"}));
    QVERIFY(s.list.selectedRows().empty());
    s.list.removeSelected();   // nothing selected: nothing goes
    QCOMPARE(s.list.count(), 3);
}

void TestRecordList::doubleClickTellsTheRow()
{
    Shown s(10);
    QVERIFY(QTest::qWaitForWindowExposed(&s.list));
    QSignalSpy doubled(&s.list, &RecordList::lineDoubleClicked);
    const QPoint at(10, s.list.visualRect(s.list.model()->index(2, 0)).center().y());
    QTest::mouseClick(s.list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(s.list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.first().first().toInt(), 2);
    // Below the last line there is no line to tell.
    QTest::mouseDClick(s.list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, s.list.viewport()->height() - 2));
    QCOMPARE(doubled.count(), 1);
}

void TestRecordList::linesInAFixedPitchFace()
{
    // Whatever faces the system has: the columns of a list line stay in place.
    RecordList list;
    configureListControl(&list, 1000);
    const QFontInfo face(list.font());
    QVERIFY2(face.fixedPitch(), qPrintable(face.family()));
    QCOMPARE(QFontMetrics(list.font()).horizontalAdvance(QStringLiteral("iiii")),
             QFontMetrics(list.font()).horizontalAdvance(QStringLiteral("MMMM")));
}

QTEST_MAIN(TestRecordList)
#include "tst_recordlist.moc"
