// A card left with changes the user made and did not save asks "Salvare le
// modifiche?" first, on each way out of it, on the three card screens; a
// card as shown (loaded, new, saved) asks nothing.
#include "receipts/ui/TfrmRicevute.h"
#include "screens/CardScreen.h"
#include "storage/ClientRecord.h"
#include "storage/MaterialRecord.h"
#include "storage/ReceiptRecord.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

using Answer = platform::Platform::Answer;

// One card screen with one stored card, and the field the user changes.
struct Card
{
    const char* screen;
    const char* file;
    int size;
    QByteArray stored;
    const char* newButton;
    const char* field;
    FieldPos fieldAt;
    QString storedText;
};

Card cardNamed(const QString& name)
{
    using C = TRecCliente;
    using M = TRecMateriale;
    using R = TRecRicevuta;
    if (name == QLatin1String("client"))
        return {"frmClienti", C::FileName, C::Size,
                sampleBytes<C>({{&C::Nominativo, "Rossi Mario"}, {&C::Indirizzo, "Via Roma 1"}}),
                "imgNuovo", "txtIndirizzo", C::posIndirizzo, QStringLiteral("Via Roma 1")};
    if (name == QLatin1String("material"))
        return {"frmMateriali", M::FileName, M::Size,
                sampleBytes<M>({{&M::Codice, "POMPA-01"}, {&M::Marca, "Acme"}}),
                "imgNuovo", "txtMarca", M::posMarca, QStringLiteral("Acme")};
    return {"frmRicevute", "2024.ric", R::Size,
            sampleBytes<R>({{&R::Venditore, "Ditta Bianchi"}, {&R::Cliente, "Rossi Mario"}, {&R::NumRic, "1"},
                            {&R::Data, "05/03/2024"}, {&R::IndirizzoCli, "Via Roma 1"}}),
            "cmdNuovo", "txtIndirizzoCli", R::posIndirizzoCli, QStringLiteral("Via Roma 1")};
}

QString fieldIn(const QByteArray& archive, const Card& c)
{
    const QByteArray record = archive.left(c.size);
    const auto [text, length] = ShortString::loadBytes(record.constData() + c.fieldAt.offset, c.fieldAt.capacity);
    return ShortString::fromWindows1252(text, length);
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class TestUnsavedChanges : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void leavingAChangedCard_data();
    void leavingAChangedCard();

private:
    std::unique_ptr<ScreenFixture> screens;
    QWidget* shown = nullptr;
};

void TestUnsavedChanges::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
}

void TestUnsavedChanges::init()
{
    screens->beginTest();
}

void TestUnsavedChanges::cleanup()
{
    if (shown) {
        screens->fake().choices.clear();
        shown->close();
        shown = nullptr;
    }
    screens->endTest();
}

void TestUnsavedChanges::leavingAChangedCard_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("way");        // "close", "new", "browse"
    QTest::addColumn<bool>("typed");
    QTest::addColumn<Answer>("answer");
    for (const char* c : {"client", "material", "receipt"}) {
        for (const char* way : {"close", "new", "browse"}) {
            QTest::addRow("%s, %s, nothing typed", c, way) << c << way << false << Answer::No;
            QTest::addRow("%s, %s, Sì", c, way) << c << way << true << Answer::Yes;
            QTest::addRow("%s, %s, No", c, way) << c << way << true << Answer::No;
            QTest::addRow("%s, %s, Annulla", c, way) << c << way << true << Answer::Cancel;
        }
    }
}

void TestUnsavedChanges::leavingAChangedCard()
{
    QFETCH(QString, card);
    QFETCH(QString, way);
    QFETCH(bool, typed);
    QFETCH(Answer, answer);
    const Card c = cardNamed(card);
    TempAppDir& dir = screens->dir();
    FakePlatform& fake = screens->fake();
    dir.writeAll(c.file, c.stored);
    auto* screen = qobject_cast<CardScreen*>(ScreenFixture::screen(c.screen));
    QVERIFY(screen);
    if (auto* receipts = qobject_cast<TfrmRicevute*>(screen))
        receipts->showYearPanel();
    QVERIFY(ScreenFixture::openWorkArea(screen));
    shown = screen;
    if (qobject_cast<TfrmRicevute*>(screen)) {
        control<QLineEdit>(screen, "txtAnno")->setText(QStringLiteral("2024"));
        control<QPushButton>(screen, "cmdApri")->click();
    }
    // A card loaded by the program is no change.
    ScreenFixture::press(screen, "imgPrimo");
    auto* field = control<QLineEdit>(screen, c.field);
    QCOMPARE(field->text(), c.storedText);
    QVERIFY(!screen->hasUnsavedChanges());
    if (typed)
        typeInto(field, QStringLiteral(" bis"));
    fake.clear();
    fake.choices.enqueue(answer);

    if (way == QLatin1String("close"))
        screen->close();
    else if (way == QLatin1String("new"))
        ScreenFixture::press(screen, c.newButton);
    else
        ScreenFixture::press(screen, "imgUltimo");

    QCOMPARE(fake.choiceQuestions, typed ? QStringList{QStringLiteral("Salvare le modifiche?")} : QStringList());
    const QString typedText = c.storedText + QStringLiteral(" bis");
    QCOMPARE(fieldIn(dir.readAll(c.file), c), answer == Answer::Yes && typed ? typedText : c.storedText);
    const bool stays = typed && answer == Answer::Cancel;
    if (stays) {
        QVERIFY(screen->isVisible());
        QCOMPARE(field->text(), typedText);
        QCOMPARE(control<QLabel>(screen, "lblPosizione")->text(), QStringLiteral("1"));
        QVERIFY(screen->hasUnsavedChanges());
        return;
    }
    // The way out taken, and nothing left to ask.
    QVERIFY(!screen->hasUnsavedChanges());
    if (way == QLatin1String("close")) {
        QVERIFY(!screen->isVisible());
        shown = nullptr;
    } else if (way == QLatin1String("new")) {
        QCOMPARE(control<QLabel>(screen, "lblPosizione")->text(), QString());
    } else {
        QCOMPARE(field->text(), answer == Answer::Yes && typed ? typedText : c.storedText);
    }
}

QTEST_MAIN(TestUnsavedChanges)
#include "tst_unsavedchanges.moc"
