#include "app/Startup.h"
#include "platform/qt/Screens.h"

#include "FakePlatform.h"
#include "TestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMovie>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <vector>

namespace {

struct Expected
{
    const char* name;
    const char* caption;
};

// Creation order and captions of the screens.
const Expected kScreens[] = {
    {"frmPassword", " Ventoria © 2.0 - Autenticazione"},
    {"frmAvvio", " Ventoria 2.0 ©"},
    {"frmAllegatiCli", " Allega file"},
    {"frmAllegatiMat", " Allega file"},
    {"frmCambiaPassword", " Cambia password"},
    {"frmCarta", " Controllo carta di credito"},
    {"frmCartellaCli", " Associa cartella"},
    {"frmCartellaMat", " Associa cartella"},
    {"frmCercaCliente", " Ricerca clienti in archivio"},
    {"frmCercaFigli", " Clienti che acconsentono a ricevere pubblicità"},
    {"frmCercaMateriale", " Ricerca materiali in archivio"},
    {"frmCercaRic", " Ricerca ricevute e in archivio"},
    {"frmCercaSospesiRic", "Ricevute non ancora saldate"},
    {"frmCercaSottoscorta", " Materiali in esaurimento"},
    {"frmClienti", " Archivio clienti"},
    {"frmCodFisc", " Controllo codice fiscale"},
    {"frmEsportaCli", " Esportazione archivio clienti in Microsoft Excel"},
    {"frmEsportaMat", " Esportazione magazzino materiali in Microsoft Excel"},
    {"frmEsportaRic", " Esportazione ricevute in Microsoft Excel"},
    {"frmHelpForm", " Guida in linea"},
    {"frmIban", " Controllo coordinate bancarie IBAN"},
    {"frmImpMateriali", " Importa materiali da magazzino"},
    {"frmInfo", " Informazioni su Ventoria © 2.0"},
    {"frmLogo", " Carica logo Ditta"},
    {"frmMateriali", " Magazzino materiali"},
    {"frmNumerazione", " Imposta inizio numerazione"},
    {"frmIva", " Controllo partita IVA "},
    {"frmPrint_Contatto", ""},
    {"frmPrint_Prodotto", ""},
    {"frmRicevute", " Emissione ricevute"},
    {"frmRiepAnnualeRic", " Riepilogo annuale ricevute"},
    {"frmRiepMensileRic", " Riepilogo mensile ricevute"},
    {"frmRiepTrimestraleRic", " Riepilogo trimestrale fatture"},
    {"frmSplash", nullptr},
    {"frmStampa", " Stampa ricevuta"},
    {"frmListino", " Creazione listino prezzi"},
};


} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void everyScreenKnownInOrderBuiltHidden();
    void tilesOpenAndCloseWorkAreas_data();
    void tilesOpenAndCloseWorkAreas();
    void receiptTileAlwaysOpensOnTheYear();
    void panelStaysCentred();
    void hintsGoToTheStatusBar();
    void animationStripIsLoaded();
    void guideShowsTheOverview();
    void webLabelOpensTheMakersPage();
    void closingTheLauncherEndsTheLoop();

private:
    std::unique_ptr<FakePlatform> fake;
    QWidget* launcher = nullptr;
};

void TestStartup::initTestCase()
{
    fake = std::make_unique<FakePlatform>();
    CreateScreens();
    // Only the login is built to start with; every other screen when first asked for.
    QCOMPARE(mainScreen()->objectName(), QString("frmPassword"));
    QCOMPARE(int(Screens::all().size()), 1);
    launcher = topLevel("frmAvvio");
    QVERIFY(launcher);
}

void TestStartup::init()
{
    fake->clear();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
}

void TestStartup::everyScreenKnownInOrderBuiltHidden()
{
    QCOMPARE(QApplication::applicationName(), QString("Ventoria 2.0"));
    QStringList order;
    for (const Expected& e : kScreens)
        order.append(e.name);
    QCOMPARE(Screens::names(), order);
    for (const Expected& e : kScreens) {
        QWidget* w = topLevel(e.name);
        QVERIFY2(w, e.name);
        QCOMPARE(QString(w->metaObject()->className()), QString("T") + e.name);
        if (e.caption)
            QCOMPARE(w->windowTitle(), QString::fromUtf8(e.caption));
        QVERIFY(!w->isVisible());
    }
    QVERIFY(topLevel("frmSplash")->windowTitle().contains("Ventoria"));
    QWidgetList screens;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName().startsWith("frm"))
            screens.append(w);
    }
    QCOMPARE(int(screens.size()), 36);
    QCOMPARE(int(Screens::all().size()), 36);
    QCOMPARE(Screens::byName("frmNessuno"), nullptr);
}

void TestStartup::tilesOpenAndCloseWorkAreas_data()
{
    QTest::addColumn<QString>("tile");
    QTest::addColumn<QString>("area");
    QTest::newRow("clients tile") << "btnDipendenti" << "frmClienti";
    QTest::newRow("clients title") << "titDipendenti" << "frmClienti";
    QTest::newRow("warehouse") << "btnContatti" << "frmMateriali";
    QTest::newRow("warehouse title") << "titContatti" << "frmMateriali";
    QTest::newRow("receipts") << "btnTitolario" << "frmRicevute";
    QTest::newRow("price list") << "btnProtocollo" << "frmListino";
    QTest::newRow("price list title") << "titProtocollo" << "frmListino";
}

void TestStartup::tilesOpenAndCloseWorkAreas()
{
    QFETCH(QString, tile);
    QFETCH(QString, area);
    launcher->show();
    auto* button = control<QLabel>(launcher, tile);
    QVERIFY(button);
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    clickOn(button);
    QWidget* w = topLevel(area.toLatin1());
    QVERIFY(w->isVisible());
    QVERIFY(!launcher->isVisible());
    QCOMPARE(w->minimumSize().isEmpty(), false);
    // Closing the window by any means returns to the launcher.
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
    QVERIFY(launcher->isVisible());
    // The work area is kept for the next opening.
    QCOMPARE(topLevel(area.toLatin1()), w);
}

void TestStartup::receiptTileAlwaysOpensOnTheYear()
{
    QWidget* receipts = topLevel("frmRicevute");
    auto* grpAnno = control<QFrame>(receipts, "grpAnno");
    auto* grpContainer = control<QFrame>(receipts, "grpContainer");
    for (int round = 0; round < 2; ++round) {
        launcher->show();
        clickOn(control<QLabel>(launcher, "btnTitolario"));
        QVERIFY(receipts->isVisible());
        QVERIFY(grpAnno->isVisible());
        QVERIFY(!grpContainer->isVisible());
        // The user reaches the editor, then leaves.
        grpAnno->hide();
        grpContainer->show();
        receipts->close();
    }
}

void TestStartup::panelStaysCentred()
{
    // The rule works on the outer size of the window, frame included.
    auto expected = [](QWidget* w, int dx, int dy) {
        const QSize outer = w->frameGeometry().size();
        return QPoint(outer.width() / 2 - 497 - dx, outer.height() / 2 - 344 - dy);
    };
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher));
    auto* panel = control<QFrame>(launcher, "grpContainer");
    QCOMPARE(panel->size(), QSize(995, 688));
    launcher->resize(1280, 800);
    QCOMPARE(panel->pos(), expected(launcher, 8, 18));
    QVERIFY(qAbs(panel->x() - (1280 - 995) / 2) <= 8);
    launcher->resize(1031, 743);
    QCOMPARE(panel->pos(), expected(launcher, 8, 18));
    QVERIFY(panel->x() >= 0 && panel->y() >= 0);
    QVERIFY(panel->geometry().right() < launcher->width());
    QVERIFY(panel->geometry().bottom() < launcher->height());

    QWidget* materials = topLevel("frmMateriali");
    materials->show();
    materials->resize(1100, 800);
    QCOMPARE(control<QFrame>(materials, "grpContainer")->pos(), expected(materials, 4, 18));
    materials->hide();
    QWidget* list = topLevel("frmListino");
    list->show();
    list->resize(1101, 801);
    QCOMPARE(control<QFrame>(list, "grpContainer")->pos(), expected(list, 4, 14));
    list->hide();
    QWidget* receipts = topLevel("frmRicevute");
    receipts->show();
    receipts->resize(1200, 900);
    QCOMPARE(control<QFrame>(receipts, "grpAnno")->pos(), expected(receipts, 8, 18));
    QCOMPARE(control<QFrame>(receipts, "grpContainer")->pos(), expected(receipts, 8, 18));
    receipts->hide();
}

void TestStartup::hintsGoToTheStatusBar()
{
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher));
    auto* panInfo = control<QLabel>(launcher, "panInfo");
    const struct { const char* name; const char* hint; } hints[] = {
        {"imgGuida", " Guida "}, {"imgInfo", " Informazioni su... "},
        {"imgCopyright", " Copyright "}, {"imgEsci", " Esci "},
    };
    for (const auto& h : hints) {
        auto* button = control<QLabel>(launcher, h.name);
        QVERIFY(button);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->toolTip(), QString(h.hint));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(panInfo->text(), QString(h.hint));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(panInfo->text(), QString());
    }
}

void TestStartup::animationStripIsLoaded()
{
    launcher->show();
    auto* strip = control<QLabel>(launcher, "imgAnimata");
    QVERIFY(strip->movie());
    QVERIFY(strip->movie()->isValid());
    QCOMPARE(strip->movie()->frameCount(), 9);
    QCOMPARE(strip->movie()->currentPixmap().size(), QSize(451, 10));
    QCOMPARE(strip->size(), QSize(451, 10));
}

void TestStartup::guideShowsTheOverview()
{
    launcher->show();
    QWidget* help = topLevel("frmHelpForm");
    QString title, text;
    bool readOnly = false;
    QTimer::singleShot(0, help, [&] {
        title = control<QLabel>(help, "panTitle")->text();
        auto* memo = control<QPlainTextEdit>(help, "memTopic");
        text = memo->toPlainText();
        readOnly = memo->isReadOnly();
        help->close();
    });
    clickOn(control<QLabel>(launcher, "imgGuida"));
    QCOMPARE(title, QString("Uno sguardo a Ventoria"));
    QVERIFY(readOnly);
    QVERIFY(text.count("\n\n") >= 18);   // about twenty paragraphs
    QVERIFY(!help->isVisible());
    QVERIFY(launcher->isVisible());
}

void TestStartup::webLabelOpensTheMakersPage()
{
    launcher->show();
    clickOn(control<QLabel>(launcher, "lblWeb"));
    QCOMPARE(fake->opened.size(), 1);
    QVERIFY(fake->opened[0].startsWith("url:http"));
}

void TestStartup::closingTheLauncherEndsTheLoop()
{
    launcher->show();
    bool timedOut = false;
    QTimer::singleShot(0, launcher, [this] { launcher->close(); });
    // A safety net so that a fault fails the test instead of hanging it.
    QTimer::singleShot(10000, [&] { timedOut = true; QCoreApplication::exit(1); });
    const int rc = QCoreApplication::exec();
    QVERIFY(!timedOut);
    QCOMPARE(rc, 0);
    QVERIFY(!launcher->isVisible());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
