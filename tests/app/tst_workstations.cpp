// Three workstations on one archive at the same moment, each a process of
// its own driving the program's screens: the client card appending and
// updating cards, the receipt editor issuing receipts with New and Save.
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ClientRecord.h"
#include "storage/ReceiptRecord.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <cstdio>

namespace {

const int kCards = 15;      // per workstation
const int kReceipts = 12;   // per workstation

const QString kTakenQuestion = QString::fromUtf8("Attenzione: esiste già una ricevuta con questo numero. Salvare comunque?");

void say(const QString& line)
{
    std::puts(qPrintable(line));
    std::fflush(stdout);
}

// The one box shown, questions aside, is the success box of caption.
bool savedWith(const FakePlatform& fake, const QString& caption)
{
    QList<ShownMessage> boxes;
    for (const ShownMessage& m : fake.messages) {
        if (m.kind != MessageKind::Question)
            boxes << m;
    }
    if (boxes.size() == 1 && boxes[0].kind == MessageKind::Task && boxes[0].caption == caption)
        return true;
    for (const ShownMessage& m : boxes)
        say(QStringLiteral("unexpected box: ") + m.caption + QLatin1Char(' ') + m.text);
    return false;
}

// A workstation: the program's screens on the folder, the user's clicks.
// cards <folder> <tag>: kCards new client cards, each saved, then changed and saved again.
// receipts <folder> <tag> <yes|no>: kReceipts receipts, each New then Save;
// a number taken meanwhile is confirmed (yes) or New is pressed again (no).
int workstation(const QStringList& args)
{
    if (args.size() < 3)
        return 2;
    const QString kind = args[0];
    ScreenFixture screens;
    AppDirAt here(args[1]);
    const QString tag = args[2];
    FakePlatform& fake = screens.fake();

    if (kind == QLatin1String("cards")) {
        QWidget* card = ScreenFixture::screen("frmClienti");
        ScreenFixture::openWorkArea(card);
        auto* position = control<QLabel>(card, "lblPosizione");
        waitForGo();
        for (int i = 0; i < kCards; ++i) {
            const QString name = QStringLiteral("%1-%2").arg(tag).arg(i);
            fake.clear();
            ScreenFixture::press(card, "imgNuovo");
            typeInto(control<QLineEdit>(card, "txtOperatore"), name);
            ScreenFixture::press(card, "imgSalva");
            if (!savedWith(fake, QStringLiteral("Salvataggio scheda effettuato con successo")))
                return 1;
            const QString at = position->text();
            fake.clear();
            typeInto(control<QLineEdit>(card, "txtIndirizzo"), QStringLiteral("Via ") + name);
            ScreenFixture::press(card, "imgSalva");
            if (!savedWith(fake, QStringLiteral("Aggiornamento scheda effettuato con successo")) || position->text() != at)
                return 1;
            say(QStringLiteral("card %1 %2").arg(name, at));
        }
        return 0;
    }

    if (kind == QLatin1String("receipts") && args.size() == 4) {
        const bool confirm = args[3] == QLatin1String("yes");
        auto* editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
        editor->showYearPanel();
        ScreenFixture::openWorkArea(editor);
        control<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2024"));
        control<QPushButton>(editor, "cmdApri")->click();
        control<QLineEdit>(editor, "txtVenditore")->setText(QStringLiteral("Ditta Bianchi"));
        auto* number = control<QLineEdit>(editor, "txtNumRic");
        auto* position = control<QLabel>(editor, "lblPosizione");
        waitForGo();
        for (int i = 0; i < kReceipts;) {
            const QString client = QStringLiteral("%1-%2").arg(tag).arg(i);
            fake.clear();
            ScreenFixture::press(editor, "cmdNuovo");
            control<QLineEdit>(editor, "txtCliente")->setText(client);
            fake.answers.enqueue(confirm);
            ScreenFixture::press(editor, "cmdSalva");
            const bool asked = fake.questions == QStringList{kTakenQuestion};
            if (asked && !confirm) {
                say(QStringLiteral("refused %1").arg(number->text()));
                continue;   // another workstation took the number: New again
            }
            if (!savedWith(fake, QStringLiteral("Salvataggio effettuato con successo")))
                return 1;
            say(QStringLiteral("%1 %2 %3 %4").arg(asked ? "confirmed" : "receipt", number->text(), client, position->text()));
            ++i;
        }
        return 0;
    }
    return 2;
}

// "card <name> <position>" and the like, as lists of words.
QList<QStringList> linesOf(const QStringList& outputs, const QString& first)
{
    QList<QStringList> out;
    for (const QString& output : outputs) {
        for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList words = line.trimmed().split(QLatin1Char(' '));
            if (words.first() == first)
                out << words;
        }
    }
    return out;
}

} // namespace

class TestWorkstations : public QObject
{
    Q_OBJECT
private slots:
    void cardsAppendedAndUpdatedAtOnce();
    void receiptsIssuedAtOnce();
};

void TestWorkstations::cardsAppendedAndUpdatedAtOnce()
{
    TempAppDir dir;
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"cards", dir.path(), "A"}, {"cards", dir.path(), "B"}, {"cards", dir.path(), "C"}},
                             outputs, why),
             qPrintable(why));

    const QByteArray file = dir.readAll("Clienti.pro");
    QCOMPARE(file.size(), 3 * kCards * TRecCliente::Size);
    // Every card where its workstation was told it went, whole, with its update.
    const QList<QStringList> cards = linesOf(outputs, "card");
    QCOMPARE(cards.size(), 3 * kCards);
    QSet<int> positions;
    for (const QStringList& c : cards) {
        const int at = c[2].toInt();
        QVERIFY2(!positions.contains(at), qPrintable(c.join(' ')));
        positions.insert(at);
        const TRecCliente stored = TRecCliente::decode(file.mid((at - 1) * TRecCliente::Size, TRecCliente::Size));
        QCOMPARE(stored.Nominativo, c[1]);
        QCOMPARE(stored.Indirizzo, QStringLiteral("Via ") + c[1]);
        QVERIFY(stored.Stato.startsWith(QStringLiteral("Scheda aggiornata in data ")));
    }
    QCOMPARE(positions.size(), 3 * kCards);
}

void TestWorkstations::receiptsIssuedAtOnce()
{
    TempAppDir dir;
    QStringList outputs;
    QString why;
    // The third user confirms a number taken meanwhile; the others press New again.
    QVERIFY2(runWorkstations({{"receipts", dir.path(), "A", "no"},
                              {"receipts", dir.path(), "B", "no"},
                              {"receipts", dir.path(), "C", "yes"}},
                             outputs, why),
             qPrintable(why));

    const QByteArray file = dir.readAll("2024.ric");
    QCOMPARE(file.size(), 3 * kReceipts * TRecRicevuta::Size);
    QList<QStringList> saved = linesOf(outputs, "receipt") + linesOf(outputs, "confirmed");
    QCOMPARE(saved.size(), 3 * kReceipts);
    // How often a number was found taken: the workstations did meet.
    qInfo("numbers found taken: %lld refused, %lld confirmed", qint64(linesOf(outputs, "refused").size()),
          qint64(linesOf(outputs, "confirmed").size()));
    QMap<QString, int> confirmed;
    for (const QStringList& c : linesOf(outputs, "confirmed"))
        ++confirmed[c[1]];
    QMap<QString, int> perNumber;
    QSet<QString> clients;
    QSet<int> positions;
    for (const QStringList& r : saved) {
        const int at = r[3].toInt();
        QVERIFY(!positions.contains(at));
        positions.insert(at);
        const TRecRicevuta stored = TRecRicevuta::decode(file.mid((at - 1) * TRecRicevuta::Size, TRecRicevuta::Size));
        QCOMPARE(stored.NumRic, r[1]);
        QCOMPARE(stored.Cliente, r[2]);
        QCOMPARE(stored.Venditore, QStringLiteral("Ditta Bianchi"));
        clients.insert(stored.Cliente);
        ++perNumber[stored.NumRic];
    }
    QCOMPARE(clients.size(), 3 * kReceipts);
    // A number shared by several receipts only where the user said yes to it.
    for (auto it = perNumber.cbegin(); it != perNumber.cend(); ++it)
        QVERIFY2(it.value() - 1 <= confirmed.value(it.key()), qPrintable(QStringLiteral("number %1").arg(it.key())));
    // New proposes the receipts counted plus one: never beyond the position taken.
    for (const QStringList& r : saved)
        QVERIFY(r[1].toInt() <= r[3].toInt());
}

QTEST_MAIN_WITH_WORKSTATIONS(TestWorkstations, workstation)
#include "tst_workstations.moc"
