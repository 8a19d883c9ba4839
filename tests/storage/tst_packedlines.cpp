// The packed lines of the list screens: every line back exactly as added,
// in the list's order, at a small part of the memory of texts.
#include "storage/ClientRecord.h"
#include "storage/PackedLines.h"
#include "storage/TextRules.h"

#include "SampleRecords.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <numeric>

class TestPackedLines : public QObject
{
    Q_OBJECT
private slots:
    void linesComeBackExactly_data();
    void linesComeBackExactly();
    void batchesMergeInTheOrderOfTheTexts();
    void removedRowsLeaveTheOthersInOrder();
    void composedLineIsTheFittedText();
    void clientLinesTakeFewBytes();
};

void TestPackedLines::linesComeBackExactly_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty and blank") << QStringList{"", " ", "   a   ", "", "\t"};
    QTest::newRow("Windows-1252 beyond ASCII")
        << QString::fromUtf8("Città di Forlì,€ 10,50,Œuvre ‰ …,ÿŸ,\u0081\u008d unassigned bytes").split(u',');
    QTest::newRow("characters Windows-1252 has not")
        << QString::fromUtf8("漢字,a😀b,€ \u0080,Rossi ĉ,plain").split(u',');
    QTest::newRow("longer than the blanks packed against")
        << QStringList{QString(3000, u'x') + u'y', QString(2000, u' '), QString(1500, u' ') + u'z'};
    QStringList columns;
    for (int i = 0; i < 40; ++i)
        columns << TextRules::fit(QStringLiteral("Rossi %1").arg(i * 37), 30) + QStringLiteral("  Prodotti: caldaie")
                       + (i % 7 ? QString() : QString::fromUtf8("  ☎"));
    QTest::newRow("neighbours sharing their columns") << columns;
}

void TestPackedLines::linesComeBackExactly()
{
    QFETCH(QStringList, lines);
    PackedLines added;
    PackedLines sorted(PackedLines::Order::IgnoringCase);
    for (const QString& line : lines) {
        added.append(line);
        sorted.append(line);
    }
    QCOMPARE(added.count(), lines.size());
    QCOMPARE(added.lines(), lines);
    // Backwards, so every line is found again from its whole neighbour.
    for (qsizetype row = lines.size() - 1; row >= 0; --row)
        QCOMPARE(added.line(row), lines.at(row));
    QStringList expected = lines;
    TextRules::sortIgnoringCase(expected);
    QCOMPARE(sorted.lines(), expected);
    QVERIFY(added.line(lines.size()).isNull());
}

void TestPackedLines::batchesMergeInTheOrderOfTheTexts()
{
    // Far more lines than one batch sorts, most of them equal but for case,
    // a foreign one now and then: the merge keeps the order of the texts and,
    // among equal lines, the order they came in.
    const QString letters = QString::fromUtf8("aAbB€èÈ ");
    QRandomGenerator random(7);
    QStringList lines;
    PackedLines packed(PackedLines::Order::IgnoringCase);
    PackedLines added;
    for (int i = 0; i < 300000; ++i) {
        QString line = QString::number(i % 3);
        for (int n = random.bounded(4); n >= 0; --n)
            line += letters.at(random.bounded(letters.size()));
        if (i % 997 == 0)
            line += QString::fromUtf8("ĉ");
        lines << line;
        packed.append(line);
        added.append(line);
    }
    // Kept as added, over several batches, and added to after a read.
    QCOMPARE(added.line(299999), lines.last());
    added.append(QStringLiteral("ultima"));
    QCOMPARE(added.lines(), lines + QStringList{"ultima"});
    TextRules::sortIgnoringCase(lines);
    for (int i = 0; i < 2000; ++i) {
        const qsizetype row = random.bounded(int(lines.size()));
        QCOMPARE(packed.line(row), lines.at(row));
    }
    QCOMPARE(packed.lines(), lines);
    // More lines after reading: merged with the rest, after their equals.
    packed.append(QStringLiteral("0A"));
    lines.insert(std::upper_bound(lines.begin(), lines.end(), QStringLiteral("0A"),
                                  [](const QString& a, const QString& b) {
                                      return TextRules::compareIgnoringCase(a, b) < 0;
                                  }),
                 QStringLiteral("0A"));
    QCOMPARE(packed.lines(), lines);
}

void TestPackedLines::removedRowsLeaveTheOthersInOrder()
{
    PackedLines packed;
    QStringList lines;
    for (int i = 0; i < 40; ++i) {
        lines << QStringLiteral("Riga %1").arg(i) + (i == 17 ? QString::fromUtf8(" ĉ") : QString());
        packed.append(lines.last());
    }
    packed.removeRows({39, 0, 17, 16, 5, 5, 99});
    for (int row : {39, 17, 16, 5, 0})
        lines.removeAt(row);
    QCOMPARE(packed.count(), lines.size());
    QCOMPARE(packed.lines(), lines);
    std::vector<qsizetype> all(std::size_t(lines.size()));
    std::iota(all.begin(), all.end(), 0);
    packed.removeRows(all);
    QVERIFY(packed.isEmpty());
    QVERIFY(packed.lines().isEmpty());
}

void TestPackedLines::composedLineIsTheFittedText()
{
    using C = TRecCliente;
    const C c = sample<C>({{&C::Nominativo, QString::fromUtf8("Società Cooperativa Elettrodomestici Forlì")},   // cut at 30
                           {&C::Prodotti, "caldaie"}, {&C::Zona, QString()}, {&C::Citta, "  Cesena"},
                           {&C::Note, QString::fromUtf8("paga in € \u0081, ma\tsolo il lunedì")}});
    const QByteArray raw = c.encode();
    const char* r = raw.constData();
    LineComposer line;
    line.fitted(r, TRecCliente::posNominativo, 30).text(u"  Prodotti: ").fitted(r, TRecCliente::posProdotti, 4);
    const std::size_t column = line.mark();
    line.field(r, TRecCliente::posZona).text(u" ").field(r, TRecCliente::posCitta).fitSince(column, 12);
    line.text(QString::fromUtf8("  - ☎ € ")).field(r, TRecCliente::posNote);
    const QString expected = TextRules::fit(c.Nominativo, 30) + QStringLiteral("  Prodotti: ") + TextRules::fit(c.Prodotti, 4)
                             + TextRules::fit(c.Zona + u' ' + TextRules::trim(c.Citta), 12) + QString::fromUtf8("  - ? € ")
                             + c.Note;
    QCOMPARE(line.toString(), expected);
    PackedLines packed;
    packed.append(line);
    QCOMPARE(packed.line(0), expected);
}

void TestPackedLines::clientLinesTakeFewBytes()
{
    PackedLines packed(PackedLines::Order::IgnoringCase);
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        packed.append(TextRules::fit(QStringLiteral("Cliente %1 Rossi").arg((i * 7919) % n), 30)
                      + QStringLiteral("  Prodotti: ") + TextRules::fit(QStringLiteral("Lavatrici e frigoriferi"), 40)
                      + QStringLiteral("  Zona: ") + TextRules::fit(QStringLiteral("Romagna"), 25) + QStringLiteral("  - ")
                      + QStringLiteral("Cliente dal %1, preferisce la mattina.").arg(2000 + i % 25));
    }
    QCOMPARE(packed.count(), n);
    QVERIFY2(packed.bytesHeld() < 40u * n, qPrintable(QString::number(packed.bytesHeld() / n)));
}

QTEST_GUILESS_MAIN(TestPackedLines)
#include "tst_packedlines.moc"
