// The sorted lists keep the order of the case-insensitive comparison.
#include "storage/PackedLines.h"
#include "storage/TextRules.h"

#include <QtTest>

#include <algorithm>

class TestTextRules : public QObject
{
    Q_OBJECT
private slots:
    void sortsAsTheCaseInsensitiveComparison_data();
    void sortsAsTheCaseInsensitiveComparison();
    void linesEqualButForCaseKeepTheirOrder();
};

void TestTextRules::sortsAsTheCaseInsensitiveComparison_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("names") << QStringList{"rossi", "Bianchi", "ROSSINI", "verdi", "bianchi a", "Abate"};
    QTest::newRow("accents of Windows-1252")
        << QString::fromUtf8("Èlite,èlite,Elite,Zoè,zoe,Ølbo,ølbo,àncora,Ancora,Ärger,ärger,ÿ,Ÿ,Straße,STRASSE,strasse,"
                             "µ,Μ,μ,Œuvre,œuvre,Šik,šik,Žar,žar,ı,I,i,€ 10,$ 10")
               .split(u',');
    QTest::newRow("blanks, digits, signs") << QStringList{" a", "a ", "a", "10", "9", "-", "_", "[", "Z", "z", ""};
    QTest::newRow("outside the basic plane") << QString::fromUtf8("𐐀a,𐐨a,𐐀b,\uffff,a").split(u',');
}

void TestTextRules::sortsAsTheCaseInsensitiveComparison()
{
    QFETCH(QStringList, lines);
    // From every rotation of the lines: the keys must order them as the comparison does.
    for (int shift = 0; shift < lines.size(); ++shift) {
        QStringList sorted = lines.mid(shift) + lines.mid(0, shift);
        QStringList reference = sorted;
        std::stable_sort(reference.begin(), reference.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        // The packed lines of a sorted list come back in the same order.
        PackedLines packed(PackedLines::Order::IgnoringCase);
        for (const QString& line : sorted)
            packed.append(line);
        QCOMPARE(packed.lines(), reference);
        TextRules::sortIgnoringCase(sorted);
        QCOMPARE(sorted, reference);
    }
}

void TestTextRules::linesEqualButForCaseKeepTheirOrder()
{
    QStringList lines{"ROSSI", "b", "Rossi", "a", "rossi"};
    TextRules::sortIgnoringCase(lines);
    QCOMPARE(lines, (QStringList{"a", "b", "ROSSI", "Rossi", "rossi"}));
    lines = QStringList{"rossi", "Rossi", "ROSSI"};
    TextRules::sortIgnoringCase(lines);
    QCOMPARE(lines, (QStringList{"rossi", "Rossi", "ROSSI"}));
}

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
