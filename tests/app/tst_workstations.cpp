// Three workstations on one archive at the same moment, each a process of
// its own driving the program's screens: the client card appending and
// updating cards, the receipt editor issuing receipts with New and Save.
#include "launcher/PasswordStore.h"
#include "receipts/ui/TfrmRicevute.h"
#include "storage/ClientRecord.h"
#include "storage/IniFile.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"
#include "warehouse/ui/TfrmImpMateriali.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <numeric>

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

const QString kRefusal = QString::fromUtf8("La quantità da decurtare non può essere superiore alla giacenza in magazzino.");

// A card screen open on the first card of its archive (the receipts: of 2024).
QWidget* openOnFirstCard(const char* name)
{
    QWidget* card = ScreenFixture::screen(name);
    if (auto* editor = qobject_cast<TfrmRicevute*>(card)) {
        editor->showYearPanel();
        ScreenFixture::openWorkArea(editor);
        control<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2024"));
        control<QPushButton>(editor, "cmdApri")->click();
    } else {
        ScreenFixture::openWorkArea(card);
    }
    ScreenFixture::press(card, "imgPrimo");
    return card;
}

// Types over what a field shows.
void retype(QWidget* root, const QString& field, const QString& text)
{
    control<QLineEdit>(root, field)->clear();
    typeInto(control<QLineEdit>(root, field), text);
}

// A workstation: the program's screens on the folder, the user's clicks.
// cards <folder> <tag>: kCards new client cards, each saved, then changed and saved again.
// receipts <folder> <tag> <yes|no>: kReceipts receipts, each New then Save;
// a number taken meanwhile is confirmed (yes) or New is pressed again (no).
// import <folder> <count> <quantity>: count imports of the only article, each
// in a fresh import window. edit <folder> <screen> <field> <text> <save>: the
// first card changed in one field and saved. numbering|closing <folder> <n>:
// the numbering start raised by one with the dialog, or the receipt screen
// shown and closed, n times. password <folder> <tag> <n>: <tag>1.. set.
// change <folder> <tag> <n>: P1..Pn, each only over the one before it.
// rate <folder> <rate>: the receipt screen opened, the VAT rate typed, closed.
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

    if (kind == QLatin1String("import") && args.size() == 4) {
        waitForGo();
        for (int i = 0; i < args[2].toInt(); ++i) {
            fake.clear();
            TfrmImpMateriali d;
            d.setLine(1, args[3]);
            d.open();
            auto* list = control<QListView>(&d, "lstRecords");
            if (list->model()->rowCount() != 1)
                return 1;
            const QPoint line = list->visualRect(list->model()->index(0, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, line);
            clickOn(control<QPushButton>(&d, "cmdAnnulla"));
            const bool refused = fake.messages.size() == 1 && fake.messages[0].text == kRefusal;
            say(d.imported() ? "imported" : refused ? "refused" : "silent");
        }
        return 0;
    }

    if (kind == QLatin1String("edit") && args.size() == 6) {
        QWidget* card = openOnFirstCard(qPrintable(args[2]));
        waitForGo();
        retype(card, args[3], args[4]);
        ScreenFixture::press(card, qPrintable(args[5]));
        return fake.questions.isEmpty() && fake.messages.size() == 1 ? 0 : 1;
    }

    if (kind == QLatin1String("numbering") || kind == QLatin1String("closing") || kind == QLatin1String("password")) {
        QWidget* numbering = ScreenFixture::screen("frmNumerazione");
        auto* editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
        waitForGo();
        for (int i = 1; i <= args.last().toInt(); ++i) {
            if (kind == QLatin1String("numbering")) {
                qobject_cast<QDialog*>(numbering)->open();
                press(control<QSpinBox>(numbering, "scrInizio"), Qt::Key_Up, QString());
                clickOn(control<QPushButton>(numbering, "cmdApplica"));
            } else if (kind == QLatin1String("closing")) {
                editor->showYearPanel();
                ScreenFixture::openWorkArea(editor);
                editor->close();
            } else if (!PasswordStore::write(tag + QString::number(i))) {
                say(QStringLiteral("failed %1").arg(i));
            }
        }
        return 0;
    }

    if (kind == QLatin1String("rate")) {
        auto* editor = qobject_cast<TfrmRicevute*>(ScreenFixture::screen("frmRicevute"));
        editor->showYearPanel();
        ScreenFixture::openWorkArea(editor);
        waitForGo();
        retype(editor, QStringLiteral("txtPercIva"), tag);
        editor->close();
        return fake.messages.isEmpty() ? 0 : 1;
    }

    if (kind == QLatin1String("change")) {
        waitForGo();
        for (int i = 1; i <= args.last().toInt(); ++i) {
            const auto step = QStringLiteral("P%1");
            if (PasswordStore::replace(step.arg(i - 1), step.arg(i)) == PasswordStore::Replaced::Done)
                say(QStringLiteral("done %1").arg(i));
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
    void stockLoweredByThreeAtOnce();
    void cardChangedElsewhereSinceShown_data();
    void cardChangedElsewhereSinceShown();
    void settingsAndPasswordWrittenAtOnce();
    void passwordChangedFromTheOldOneOnly();
    void settingsChangedElsewhereSurviveALaterClose();

private:
    std::unique_ptr<ScreenFixture> screens;   // this process as a workstation, made when first needed
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

void TestWorkstations::stockLoweredByThreeAtOnce()
{
    TempAppDir dir;
    dir.writeAll("Materiali.pro", sampleBytes<TRecMateriale>({{&TRecMateriale::Codice, "POMPA-01"}, {&TRecMateriale::Giacenza, "75"}}));
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"import", dir.path(), "30", "1"}, {"import", dir.path(), "30", "1"},
                              {"import", dir.path(), "30", "1"}},
                             outputs, why),
             qPrintable(why));
    // Every import counted against the stock as it was at that moment: 75
    // pieces, 75 imports, then refusals; none closed without a word.
    QCOMPARE(linesOf(outputs, "imported").size(), 75);
    QCOMPARE(linesOf(outputs, "refused").size(), 15);
    QCOMPARE(TRecMateriale::decode(dir.readAll("Materiali.pro")).Giacenza, QStringLiteral("0"));
}

void TestWorkstations::cardChangedElsewhereSinceShown_data()
{
    // What the other workstation does to the first card while it is shown
    // here, what is typed here before Save, the answer to the question if
    // one is asked, and the card as stored afterwards, by two of its fields.
    QTest::addColumn<QStringList>("other");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typedStored");
    const QStringList import{"import", "1", "4"};
    const QStringList client{"edit", "frmClienti", "txtIndirizzo", "Via B", "imgSalva"};
    const QStringList receipt{"edit", "frmRicevute", "txtCliente", "Cliente B", "cmdSalva"};
    QTest::newRow("stock lowered there, price changed here") << import << "txtPrezzo" << "12,00" << false << false << "txtGiacenza" << "3" << "12,00";
    QTest::newRow("stock lowered there, stock typed here, overwritten") << import << "txtGiacenza" << "10" << true << true << "txtGiacenza" << "10" << "10";
    QTest::newRow("client changed there, overwritten") << client << "txtTelCasa" << "061234" << true << true << "txtIndirizzo" << "Via Roma 1" << "061234";
    QTest::newRow("client changed there, kept") << client << "txtTelCasa" << "061234" << false << true << "txtIndirizzo" << "Via B" << "";
    QTest::newRow("receipt changed there, kept") << receipt << "txtModPag" << "Contanti" << false << true << "txtCliente" << "Cliente B" << "";
}

void TestWorkstations::cardChangedElsewhereSinceShown()
{
    QFETCH(QStringList, other);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    if (!screens)
        screens = std::make_unique<ScreenFixture>();
    screens->beginTest();
    auto end = qScopeGuard([this] { screens->endTest(); });
    TempAppDir& dir = screens->dir();
    using M = TRecMateriale;
    using R = TRecRicevuta;
    dir.writeAll("Materiali.pro", sampleBytes<M>({{&M::Codice, "POMPA-01"}, {&M::Prezzo, "10,00"}, {&M::Giacenza, "7"}}));
    dir.writeAll("Clienti.pro", sampleBytes<TRecCliente>({{&TRecCliente::Nominativo, "Rossi Mario"}, {&TRecCliente::Indirizzo, "Via Roma 1"}}));
    dir.writeAll("2024.ric", sampleBytes<R>({{&R::Venditore, "Ditta"}, {&R::Cliente, "Rossi Mario"}, {&R::NumRic, "1"}, {&R::Data, "05/03/2024"}}));

    const bool material = other.first() == QLatin1String("import");
    QWidget* card = openOnFirstCard(material ? "frmMateriali" : qPrintable(other[1]));
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({QStringList{other.first(), dir.path()} + other.mid(1)}, outputs, why), qPrintable(why));
    retype(card, field, typed);
    FakePlatform& fake = screens->fake();
    fake.clear();
    QFETCH(bool, answer);
    fake.answers.enqueue(answer);
    ScreenFixture::press(card, qobject_cast<TfrmRicevute*>(card) ? "cmdSalva" : "imgSalva");
    QFETCH(bool, asked);
    QCOMPARE(fake.questions.size(), int(asked));
    if (asked)
        QCOMPARE(fake.questions.first(), QString::fromUtf8("Attenzione: la scheda è stata modificata da un'altra postazione dopo essere stata aperta. Sovrascriverla con i dati mostrati?"));
    ScreenFixture::press(card, "imgPrimo");
    QFETCH(QString, checked);
    QTEST(control<QLineEdit>(card, checked)->text(), "stored");
    QTEST(control<QLineEdit>(card, field)->text(), "typedStored");
    card->close();
}

void TestWorkstations::settingsAndPasswordWrittenAtOnce()
{
    TempAppDir dir;
    dir.writeAll("Impostazioni.ini", "[Dati Azienda]\r\nNome=Ditta Bianchi\r\n\r\n[Aliquota IVA]\r\nPercentuale=22\r\n");
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"numbering", dir.path(), "120"}, {"closing", dir.path(), "120"},
                              {"password", dir.path(), "A", "60"}, {"password", dir.path(), "B", "60"}},
                             outputs, why),
             qPrintable(why));
    // No write reported done was undone by another one.
    const QString ini = dir.file("Impostazioni.ini");
    QCOMPARE(IniFile::read(ini, "Numerazione Ricevute", "Inizio"), QStringLiteral("121"));
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Nome") + IniFile::read(ini, "Aliquota IVA", "Percentuale"),
             QStringLiteral("Ditta Bianchi22"));
    QCOMPARE(linesOf(outputs, "failed").size(), 0);
    AppDirAt here(dir.path());
    QString stored;
    QVERIFY(PasswordStore::read(stored));
    QVERIFY2(stored == "A60" || stored == "B60", qPrintable(stored));
}

// Two workstations change the password step by step from the same old one:
// each step is taken once, by whichever finds the old password still there.
void TestWorkstations::passwordChangedFromTheOldOneOnly()
{
    TempAppDir dir;
    {
        AppDirAt here(dir.path());
        QVERIFY(PasswordStore::write(QStringLiteral("P0")));
    }
    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"change", dir.path(), "A", "60"}, {"change", dir.path(), "B", "60"}}, outputs, why),
             qPrintable(why));
    QList<int> steps;
    for (const QStringList& done : linesOf(outputs, "done"))
        steps << done[1].toInt();
    std::sort(steps.begin(), steps.end());
    // Every step once: none taken twice, none lost.
    QList<int> expected(60);
    std::iota(expected.begin(), expected.end(), 1);
    QCOMPARE(steps, expected);
    AppDirAt here(dir.path());
    QString stored;
    QVERIFY(PasswordStore::read(stored));
    QCOMPARE(stored, QStringLiteral("P60"));
}

// A workstation open since the morning, then browsing an old receipt,
// closes after another one changed the rate at noon: only what was typed
// here is written.
void TestWorkstations::settingsChangedElsewhereSurviveALaterClose()
{
    if (!screens)
        screens = std::make_unique<ScreenFixture>();
    screens->beginTest();
    auto end = qScopeGuard([this] { screens->endTest(); });
    TempAppDir& dir = screens->dir();
    const QString ini = dir.file("Impostazioni.ini");
    dir.writeAll("Impostazioni.ini", "[Dati Azienda]\r\nNome=Ditta Bianchi\r\n\r\n[Aliquota IVA]\r\nPercentuale=22\r\n");
    using R = TRecRicevuta;
    dir.writeAll("2024.ric", sampleBytes<R>({{&R::Venditore, "Vecchia Ditta"}, {&R::PercIva, "4"}, {&R::NumRic, "1"}}));
    QWidget* editor = openOnFirstCard("frmRicevute");
    QCOMPARE(control<QLineEdit>(editor, "txtPercIva")->text(), QStringLiteral("4"));
    retype(editor, QStringLiteral("txtCittaVen"), QStringLiteral("Faenza"));

    QStringList outputs;
    QString why;
    QVERIFY2(runWorkstations({{"rate", dir.path(), "10"}}, outputs, why), qPrintable(why));
    QCOMPARE(IniFile::read(ini, "Aliquota IVA", "Percentuale"), QStringLiteral("10"));
    editor->close();

    QCOMPARE(IniFile::read(ini, "Aliquota IVA", "Percentuale"), QStringLiteral("10"));
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Nome"), QStringLiteral("Ditta Bianchi"));
    QCOMPARE(IniFile::read(ini, "Dati Azienda", "Comune"), QStringLiteral("Faenza"));
    QVERIFY(screens->fake().messages.isEmpty());
}

QTEST_MAIN_WITH_WORKSTATIONS(TestWorkstations, workstation)
#include "tst_workstations.moc"
