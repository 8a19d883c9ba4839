#include "app/Startup.h"
#include "clients/ClientCard.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmCercaFigli.h"
#include "storage/ArchiveFile.h"

#include "FakePlatform.h"
#include "SampleRecords.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {


struct Client
{
    QString name, city, products, zone, note;
    QString consent;
    QString home, mobile, email;
};

} // namespace

class TestClientSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lineLayout();
    void criteriaAreAnded();
    void criteriaAsTypedAndFoldedAtoZOnly();
    void allBlankListsEverythingSorted();
    void backKeepsCriteria();
    void doubleClickLoadsTheLaterOfEqualLines();
    void longNameStillLoadsItsRecord();
    void receiptModeHandsBackTheWholeClient();
    void doubleClickWithoutSelectionChoosesNothing();
    void failingArchiveStaysOnCriteria();
    void consentListMembership();
    void consentListDoubleClickOpensCard();

private:
    void add(const Client& c)
    {
        using C = TRecCliente;
        ArchiveFile archive = ClientCard::archive();
        qint64 pos;
        QVERIFY(archive.append(sampleBytes<C>({{&C::Nominativo, c.name}, {&C::Citta, c.city}, {&C::Prodotti, c.products},
                                               {&C::Zona, c.zone}, {&C::Note, c.note}, {&C::Pubblicita, c.consent},
                                               {&C::TelCasa, c.home}, {&C::TelCel, c.mobile}, {&C::Email, c.email},
                                               {&C::Pagamento, "Contanti " + c.name}}),
                               pos));
    }
    QStringList searchFor(TfrmCercaCliente& s, const QMap<QString, QString>& criteria)
    {
        for (auto it = criteria.begin(); it != criteria.end(); ++it)
            control<QLineEdit>(&s, it.key())->setText(it.value());
        control<QPushButton>(&s, "cmdTrova")->click();
        return listItems(control<RecordList>(&s, "lstRecords"));
    }

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    QWidget* card = nullptr;
};

void TestClientSearch::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    card = ScreenFixture::screen("frmClienti");
}

void TestClientSearch::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestClientSearch::cleanup()
{
    screens->endTest();
}

void TestClientSearch::lineLayout()
{
    using C = TRecCliente;
    C r = sample<C>({{&C::Nominativo, "Rossi Mario"}, {&C::Prodotti, "Lavatrici"}, {&C::Zona, "Centro"},
                     {&C::Note, " cliente storico "}});
    const QString line = ClientCard::searchLine(r);
    QCOMPARE(line, QString("Rossi Mario") + QString(19, ' ') + "  Prodotti: " + "Lavatrici" + QString(31, ' ')
                       + "  Zona: " + "Centro" + QString(19, ' ') + "  - cliente storico");
    QCOMPARE(line.indexOf("  - "), 115);   // the note starts after 119 characters
    r.TelCasa = "0543";
    r.Email = "a@b.it";
    const QString consent = ClientCard::consentLine(r.encode().constData());
    QCOMPARE(consent.indexOf("  - "), 114);   // the note starts after 118 characters
    QCOMPARE(consent.mid(30, 7), QString("  Tel. "));
    QCOMPARE(consent.mid(52, 7), QString("  Cel. "));
    QCOMPARE(consent.mid(74, 10), QString("  E-mail: "));
}

void TestClientSearch::criteriaAreAnded()
{
    add({"Rossi Mario", "Forli", "", "", ""});
    add({"Rossi Anna", "Cesena", "", "", ""});
    add({"Bianchi Mario", "Forli", "", "", ""});
    TfrmCercaCliente s;
    s.setCallerMark("clienti");
    const QStringList found = searchFor(s, {{"txtCognome", "rossi"}, {"txtNome", "forl"}});
    QCOMPARE(found.size(), 1);
    QVERIFY(found[0].startsWith("Rossi Mario"));
    QVERIFY(!control<QPushButton>(&s, "cmdTrova")->isEnabled());
    QVERIFY(control<QPushButton>(&s, "cmdIndietro")->isEnabled());
    QVERIFY(control<QPushButton>(&s, "cmdStampa")->isEnabled());
    QVERIFY(!control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QVERIFY(control<QWidget>(&s, "grpElenco")->isVisibleTo(&s));
}

void TestClientSearch::criteriaAsTypedAndFoldedAtoZOnly()
{
    add({"Rossi", "", "Frigoriferi", "Zona Nord", ""});
    add({QString::fromUtf8("Èrcole"), "", "", "", ""});
    add({QString::fromUtf8("èrcole"), "", "", "", ""});
    TfrmCercaCliente s;
    // Capitals fold only for A to Z.
    QCOMPARE(searchFor(s, {{"cboMese", "FRIGO"}}).size(), 1);
    control<QPushButton>(&s, "cmdIndietro")->click();
    QStringList found = searchFor(s, {{"cboMese", ""}, {"txtCognome", QString::fromUtf8("ÈR")}});
    QCOMPARE(found.size(), 1);
    QVERIFY(found[0].startsWith(QString::fromUtf8("Èrcole")));
    control<QPushButton>(&s, "cmdIndietro")->click();
    // A blank typed around a word is part of the criterion.
    QCOMPARE(searchFor(s, {{"txtCognome", ""}, {"cboGiorno", " nord"}}).size(), 1);
    control<QPushButton>(&s, "cmdIndietro")->click();
    QCOMPARE(searchFor(s, {{"cboGiorno", "nord "}}).size(), 0);
}

void TestClientSearch::allBlankListsEverythingSorted()
{
    add({"Zeta", "", "", "", ""});
    add({"alfa", "", "", "", ""});
    add({"Beta", "", "", "", ""});
    TfrmCercaCliente s;
    const QStringList found = searchFor(s, {});
    QCOMPARE(found.size(), 3);
    QVERIFY(found[0].startsWith("alfa"));
    QVERIFY(found[1].startsWith("Beta"));
    QVERIFY(found[2].startsWith("Zeta"));
}

void TestClientSearch::backKeepsCriteria()
{
    add({"Rossi", "", "", "", ""});
    TfrmCercaCliente s;
    searchFor(s, {{"txtDettagli", "nessuno"}});
    QCOMPARE(control<RecordList>(&s, "lstRecords")->count(), 0);   // nothing found, no message
    QVERIFY(fake->messages.isEmpty());
    control<QPushButton>(&s, "cmdIndietro")->click();
    QCOMPARE(control<RecordList>(&s, "lstRecords")->count(), 0);
    QVERIFY(control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QCOMPARE(control<QLineEdit>(&s, "txtDettagli")->text(), QString("nessuno"));
    QVERIFY(control<QPushButton>(&s, "cmdTrova")->isEnabled());
    QVERIFY(!control<QPushButton>(&s, "cmdStampa")->isEnabled());
}

void TestClientSearch::doubleClickLoadsTheLaterOfEqualLines()
{
    add({"Gemelli", "Roma", "", "", ""});
    add({"Altro", "", "", "", ""});
    add({"Gemelli", "Milano", "", "", ""});
    TfrmCercaCliente s;
    s.setCallerMark("clienti");
    searchFor(s, {{"txtCognome", "gemelli"}});
    auto* list = control<RecordList>(&s, "lstRecords");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->line(0), list->line(1));
    list->setCurrentRow(0);
    s.lstRecordsDblClick();
    QVERIFY(s.chosen());
    QCOMPARE(s.chosen()->record.Citta, QString("Milano"));
    QCOMPARE(s.chosen()->position, qint64(3));
}

void TestClientSearch::longNameStillLoadsItsRecord()
{
    add({"Ragione sociale lunga oltre trenta caratteri", "Ravenna", "", "", ""});
    add({"Breve", "Rimini", "", "", ""});
    TfrmCercaCliente s;
    s.setCallerMark("clienti");
    const QStringList found = searchFor(s, {{"txtCognome", "lunga"}});
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].left(30), QString("Ragione sociale lunga oltre tr"));
    auto* list = control<RecordList>(&s, "lstRecords");
    const QRect rect = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QVERIFY(s.chosen());
    QCOMPARE(s.chosen()->record.Nominativo, QString("Ragione sociale lunga oltre trenta caratteri"));
    QCOMPARE(s.chosen()->record.Citta, QString("Ravenna"));
    QCOMPARE(s.chosen()->position, qint64(1));
}

void TestClientSearch::receiptModeHandsBackTheWholeClient()
{
    add({"Cliente Ricevuta", "Lugo", "", "", ""});
    control<QLabel>(card, "lblPosizione")->setText("");
    TfrmCercaCliente s;
    s.setCallerMark("ricevute");
    searchFor(s, {});
    control<RecordList>(&s, "lstRecords")->setCurrentRow(0);
    s.lstRecordsDblClick();
    // The receipt editor takes its client block from the record handed back.
    QVERIFY(s.chosen());
    QCOMPARE(s.callerMark(), QString("ricevute"));
    QCOMPARE(s.chosen()->record.Nominativo, QString("Cliente Ricevuta"));
    QCOMPARE(s.chosen()->record.Citta, QString("Lugo"));
    QCOMPARE(s.chosen()->record.Pagamento, QString("Contanti Cliente Ricevuta"));
    // The search itself writes into no screen.
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QString());
    QCOMPARE(control<QLineEdit>(card, "txtOperatore")->text(), QString());
}

void TestClientSearch::doubleClickWithoutSelectionChoosesNothing()
{
    add({"Uno", "", "", "", ""});
    TfrmCercaCliente s;
    searchFor(s, {});
    control<RecordList>(&s, "lstRecords")->setCurrentRow(-1);
    s.lstRecordsDblClick();
    QVERIFY(!s.chosen());
}

void TestClientSearch::failingArchiveStaysOnCriteria()
{
    dir->putFolderInPlaceOf("Clienti.pro");
    TfrmCercaCliente s;
    searchFor(s, {{"txtCognome", "x"}});
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY(fake->lastMessage().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    QVERIFY(control<QWidget>(&s, "grpCriteri")->isVisibleTo(&s));
    QVERIFY(control<QPushButton>(&s, "cmdTrova")->isEnabled());
}

void TestClientSearch::consentListMembership()
{
    add({"Con consenso", "", "", "", "", QString::fromUtf8("Sì pubblicità"), "0543 11", "", "a@b.it"});
    add({"Senza consenso", "", "", "", "", QString::fromUtf8("No pubblicità")});
    add({"Mai salvato dalla scheda", "", "", "", "", ""});
    add({"Altro con consenso", "", "", "", "", QString::fromUtf8("Sì pubblicità")});
    TfrmCercaFigli list;
    list.show();
    const QStringList lines = listItems(control<RecordList>(&list, "lstRecords"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith("Altro con consenso"));
    QVERIFY(lines[1].startsWith("Con consenso"));
    QCOMPARE(lines[1].mid(37, 15), QString("0543 11        "));
    list.close();
}

void TestClientSearch::consentListDoubleClickOpensCard()
{
    add({"Primo", "Imola", "", "", "", QString::fromUtf8("Sì pubblicità")});
    TfrmCercaFigli list;
    list.show();
    auto* lst = control<RecordList>(&list, "lstRecords");
    lst->setCurrentRow(0);
    list.lstRecordsDblClick();
    QVERIFY(list.chosen());
    QCOMPARE(list.chosen()->record.Citta, QString("Imola"));
    QCOMPARE(list.chosen()->record.Pubblicita, QString::fromUtf8("Sì pubblicità"));
    QCOMPARE(list.chosen()->position, qint64(1));
    QVERIFY(!list.isVisible());
}

QTEST_MAIN(TestClientSearch)
#include "tst_clientsearch.moc"
