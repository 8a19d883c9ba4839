// The packed texts of an export preview read back exactly as they went in.
#include "export/PreviewRows.h"

#include <QtTest>

class TestPreviewRows : public QObject
{
    Q_OBJECT
private slots:
    void cellsReadBackExactly_data();
    void cellsReadBackExactly();
    void rowsAcrossManyBlocks();
    void beyondTheRowReadsEmpty();
    void clearEmpties();
};

void TestPreviewRows::cellsReadBackExactly_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::newRow("plain") << QStringList{QStringLiteral("Rossi Mario"), QStringLiteral("Via Roma 1")};
    QTest::newRow("accents, one byte each") << QStringList{QString::fromUtf8("Città"), QString::fromUtf8("Sì")};
    QTest::newRow("euro, two bytes each") << QStringList{QString::fromUtf8("Paga in €"), QStringLiteral("x")};
    QTest::newRow("outside the basic plane") << QStringList{QString::fromUtf8("ok 😀 ok")};
    QTest::newRow("controls and C1 codes") << QStringList{QStringLiteral("a\tb"), QString(QChar(0x81))};
    QTest::newRow("empty cells") << QStringList{QString(), QStringLiteral(" Roma "), QString()};
    QTest::newRow("no cell") << QStringList{};
    QTest::newRow("a long value") << QStringList{QString(250, u'z') + QString::fromUtf8("€"), QString(800, u'y')};
}

void TestPreviewRows::cellsReadBackExactly()
{
    QFETCH(QStringList, row);
    PreviewRows rows;
    rows.append({QStringLiteral("before")});
    rows.append(row);
    rows.append({QStringLiteral("after")});
    QCOMPARE(rows.size(), qint64(3));
    QCOMPARE(rows.row(1), row);
    for (int c = 0; c < row.size(); ++c)
        QCOMPARE(rows.cell(1, c), row.at(c));
    QCOMPARE(rows.row(0), QStringList{QStringLiteral("before")});
    QCOMPARE(rows.row(2), QStringList{QStringLiteral("after")});
}

void TestPreviewRows::rowsAcrossManyBlocks()
{
    // Several megabytes of rows, and one row bigger than a block.
    PreviewRows rows;
    const QStringList huge(40, QString(30000, u'h'));
    for (int i = 0; i < 20000; ++i) {
        rows.append({QString::number(i), QString(200, QChar(u'a' + i % 26)), QString::fromUtf8("€ %1").arg(i)});
        if (i == 9000)
            rows.append(huge);
    }
    QCOMPARE(rows.size(), qint64(20001));
    for (const int i : {0, 1, 4242, 9000, 9001, 15000, 19999}) {
        const qint64 at = i > 9000 ? i + 1 : i;
        QCOMPARE(rows.row(at), (QStringList{QString::number(i), QString(200, QChar(u'a' + i % 26)),
                                            QString::fromUtf8("€ %1").arg(i)}));
    }
    QCOMPARE(rows.row(9001), huge);
    QCOMPARE(rows.cell(9001, 39), huge.last());
}

void TestPreviewRows::beyondTheRowReadsEmpty()
{
    PreviewRows rows;
    rows.append({QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(rows.cell(0, 2), QString());
    QCOMPARE(rows.cell(0, -1), QString());
    QCOMPARE(rows.cell(1, 0), QString());
    QCOMPARE(rows.cell(-1, 0), QString());
    QCOMPARE(rows.row(1), QStringList());
}

void TestPreviewRows::clearEmpties()
{
    PreviewRows rows;
    rows.append({QStringLiteral("a")});
    rows.clear();
    QCOMPARE(rows.size(), qint64(0));
    rows.append({QStringLiteral("b")});
    QCOMPARE(rows.row(0), QStringList{QStringLiteral("b")});
}

QTEST_GUILESS_MAIN(TestPreviewRows)
#include "tst_previewrows.moc"
