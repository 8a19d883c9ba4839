#include "launcher/GuideTexts.h"
#include "launcher/Maker.h"
#include "launcher/SplashMotion.h"
#include "app/TfrmSplash.h"
#include "clients/ClientsGuide.h"
#include "export/ExportTables.h"
#include "receipts/ReceiptsGuide.h"
#include "receipts/ui/TfrmRicevute.h"
#include "warehouse/WarehouseGuide.h"

#include "platform/qt/Screens.h"

#include "FakePlatform.h"
#include "ScreenFixture.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDialog>
#include <QGuiApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace SplashMotion;

namespace {

const QSize kBackground(597, 362);
const QSize kSprite(108, 60);
const double kPi = 3.14159265358979323846;

// How a topic's screen is brought on screen before its guide button is pressed.
enum class Opening { Launcher, WorkArea, ReceiptYearPanel, ReceiptEditor, ExportWindow };

// A BMP file written byte by byte: rows bottom-up, each padded to 4 bytes.
QByteArray bmpFile(const QImage& image, int bits)
{
    const int w = image.width(), h = image.height();
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    QByteArray pixels;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (bits == 16) {
                const quint16 v = quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                row.append(char(v & 0xff)).append(char(v >> 8));
            } else {
                row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
                if (bits == 32)
                    row.append(char(0xff));
            }
        }
        row.append(QByteArray(rowBytes - row.size(), '\0'));
        pixels += row;
    }
    QByteArray out;
    auto put16 = [&out](quint16 v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&](quint32 v) { put16(quint16(v & 0xffff)); put16(quint16(v >> 16)); };
    out.append("BM");
    put32(quint32(54 + pixels.size()));
    put32(0);
    put32(54);
    put32(40);
    put32(quint32(w));
    put32(quint32(h));
    put16(1);
    put16(quint16(bits));
    put32(0);
    put32(quint32(pixels.size()));
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    return out + pixels;
}

// A BMP file as the toolkit writes an 8-bit palette picture.
QByteArray palettedBmp(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_Indexed8).save(&buffer, "BMP");
    return data;
}

// A small picture whose every pixel has a colour of its own.
QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(10 + 20 * x, 10 + 40 * y, 200));
    return image;
}

QByteArray resource(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Opening)

class TestHelpScreens : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Guide window.
    void guideWindowFrame();
    void guideTopics_data();
    void guideTopics();
    void pdfGuide_data();
    void pdfGuide();
    void linkColours_data();
    void linkColours();

    // Information screen.
    void infoScreen();
    void infoLinks_data();
    void infoLinks();

    // Splash arithmetic.
    void startRanges_data();
    void startRanges();
    void edgeBounces_data();
    void edgeBounces();
    void depthBounces_data();
    void depthBounces();
    void angleWraps_data();
    void angleWraps();
    void rotatedSizes_data();
    void rotatedSizes();
    void samplingTurnsAndScales_data();
    void samplingTurnsAndScales();
    void samplingLeavesOutsideTransparent();
    void drawingLeavesOutTheTransparentColour();
    void spritePictures_data();
    void spritePictures();
    void drawingStaysInsideTheErasedSquare();
    void animationLeavesNoTrail();

    // Splash screen.
    void splashRefusesOtherPixelFormats();
    void splashRunsOnlyWhileShown();

private:
    QWidget* help() const { return ScreenFixture::screen("frmHelpForm"); }
    // Runs check inside the modal guide window opened by open(), then closes
    // it by OK or by its close box; returns the window's result, -2 when the
    // window was never shown.
    int inGuide(const std::function<void()>& open, const std::function<void(QWidget*)>& check, bool byCloseBox);

    std::unique_ptr<ScreenFixture> screens;
    FakePlatform* fake = nullptr;
    TempAppDir* dir = nullptr;
    QWidget* launcher = nullptr;
};

void TestHelpScreens::initTestCase()
{
    screens = std::make_unique<ScreenFixture>();
    fake = &screens->fake();
    launcher = ScreenFixture::screen("frmAvvio");
    QVERIFY(launcher);
    QVERIFY(help());
}

void TestHelpScreens::init()
{
    screens->beginTest();
    dir = &screens->dir();
}

void TestHelpScreens::cleanup()
{
    for (const char* name : {"frmHelpForm", "frmInfo", "frmSplash", "frmClienti", "frmMateriali", "frmRicevute",
                             "frmEsportaCli", "frmEsportaMat", "frmEsportaRic", "frmAvvio"}) {
        if (QWidget* w = ScreenFixture::screen(name))
            w->hide();
    }
    screens->endTest();
}

int TestHelpScreens::inGuide(const std::function<void()>& open, const std::function<void(QWidget*)>& check,
                             bool byCloseBox)
{
    auto* window = static_cast<QDialog*>(help());
    window->setResult(-1);
    bool ran = false;
    QTimer::singleShot(0, window, [&] {
        auto close = qScopeGuard([&] {
            if (byCloseBox)
                window->close();
            else
                control<QPushButton>(window, "cmdOK")->click();
        });
        QVERIFY(window->isVisible());
        QVERIFY(window->isModal());
        ran = true;
        check(window);
    });
    open();
    return ran ? window->result() : -2;
}

void TestHelpScreens::guideWindowFrame()
{
    QWidget* w = help();
    QCOMPARE(w->windowTitle(), QStringLiteral(" Guida in linea"));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(0, 0, 128));
    QCOMPARE(control<QLabel>(w, "panTitle")->palette().color(QPalette::WindowText), QColor(Qt::white));
    auto* memo = control<QPlainTextEdit>(w, "memTopic");
    QCOMPARE(memo->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(memo->palette().color(QPalette::Text), QColor(Qt::white));
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(control<QLabel>(w, "lblPDF")->text(), QStringLiteral("Visualizza guida in formato PDF"));
    QVERIFY(control<QLabel>(w, "lblPDF")->font().underline());
    QCOMPARE(control<QPushButton>(w, "cmdOK")->text(), QStringLiteral("OK"));

    // Shown, it sits in the middle of the desktop.
    w->show();
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((w->geometry().center() - desktop.center()).manhattanLength() <= 2);
}

void TestHelpScreens::guideTopics_data()
{
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fewest");        // paragraphs
    QTest::addColumn<int>("most");
    QTest::addColumn<QStringList>("mentions");   // the points of the topic's summary
    QTest::addColumn<bool>("byCloseBox");

    const QStringList exportPoints = {"Esporta in Excel", "creato subito", "archivio", "finestra",
                                      "foglio di calcolo", "salvare", "nome che si preferisce"};

    QTest::newRow("launcher") << Opening::Launcher << "frmAvvio" << "imgGuida"
                              << "Uno sguardo a Ventoria" << launcherGuideText() << 18 << 22
                              << QStringList{"negozi", "riparano", "manutenzione", "magazzino", "giacenza",
                                             "allegare", "cartella", "esaurimento", "ricerca in Internet",
                                             "archivio clienti", "pubblicità", "codice fiscale", "partita IVA",
                                             "carta di credito", "IBAN", "Ogni anno", "importano", "apparecchio",
                                             "logo", "numerazione", "quattro decimali", "centesimo", "mensile",
                                             "trimestrale", "annuale", "riservatezza", "password",
                                             "listini prezzi", "Excel", "rete", "USB", "installazione"}
                              << false;
    QTest::newRow("client card") << Opening::WorkArea << "frmClienti" << "imgGuida"
                                 << "Gestione dell'archivio clienti" << clientsGuideText() << 8 << 10
                                 << QStringList{"ricevute", "Ogni scheda contiene", "Sì pubblicità", "cartella",
                                                "tre file", "un solo clic", "Nuovo", "Salva", "giorno e l'ora",
                                                "frecce", "più criteri", "doppio clic", "Google", "nominativo",
                                                "programma di posta", "ufficio", "stampare", "Excel"}
                                 << true;
    QTest::newRow("material card") << Opening::WorkArea << "frmMateriali" << "imgGuida"
                                   << "Gestione del magazzino dei materiali" << warehouseGuideText() << 4 << 4
                                   << QStringList{"acquisti", "listini prezzi", "ricevute", "sottoscorta",
                                                  "Codice, descrizione e prezzo al pubblico", "allegare",
                                                  "cartella", "esaurimento", "Google", "più filtri", "stampare"}
                                   << false;
    QTest::newRow("price list") << Opening::WorkArea << "frmListino" << "imgGuida" << "Creazione listino prezzi"
                                << priceListGuideText() << 4 << 4
                                << QStringList{"Trova", "Mostra tutti i prodotti", "Ctrl", "Elimina prodotti selezionati",
                                               "intestazione", "Stampa listino prezzi", "data"}
                                << false;
    const QStringList receiptPoints = {"anno", "grande, una ricevuta per foglio", "piccolo", "due ricevute per foglio",
                                       "Gli articoli", "apparecchio", "cliente", "salvati automaticamente alla chiusura",
                                       "logo", "numerazione", "sconto", "IVA", "quattro decimali", "centesimo",
                                       "nota sul trattamento dei dati personali", "partita IVA", "codice fiscale",
                                       "\"Saldato\"", "non ancora saldate", "più criteri", "mensile", "trimestrale",
                                       "annuale", "Fattura elettronica", "\"Fatture elettroniche\"", "0000000",
                                       "Fatture XML"};
    QTest::newRow("receipt year panel") << Opening::ReceiptYearPanel << "frmRicevute" << "imgGuida"
                                        << "Gestione delle ricevute" << receiptsGuideText() << 8 << 16
                                        << receiptPoints << true;
    QTest::newRow("receipt editor") << Opening::ReceiptEditor << "frmRicevute" << "cmdGuida"
                                    << "Gestione delle ricevute" << receiptsGuideText() << 8 << 16 << receiptPoints
                                    << false;
    QTest::newRow("client export") << Opening::ExportWindow << "frmEsportaCli" << "imgGuida"
                                   << "Esportazione archivio clienti in Microsoft Excel"
                                   << ExportTables::clients().guideText << 3 << 3
                                   << (QStringList(exportPoints) << "l'archivio clienti") << true;
    QTest::newRow("material export") << Opening::ExportWindow << "frmEsportaMat" << "lblGuida"
                                     << "Esportazione magazzino materiali in Microsoft Excel"
                                     << ExportTables::materials().guideText << 3 << 3
                                     << (QStringList(exportPoints) << "magazzino materiali") << false;
    QTest::newRow("receipt export") << Opening::ExportWindow << "frmEsportaRic" << "imgGuida"
                                    << "Esportazione archivio ricevute in Microsoft Excel"
                                    << ExportTables::receipts().guideText << 3 << 3
                                    << (QStringList(exportPoints) << "l'archivio annuale delle ricevute") << true;
}

void TestHelpScreens::guideTopics()
{
    QFETCH(Opening, opening);
    QFETCH(QString, screen);
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, fewest);
    QFETCH(int, most);
    QFETCH(QStringList, mentions);
    QFETCH(bool, byCloseBox);

    // The text: short paragraphs, one empty line (CR LF twice) between them,
    // no other line break, and every point of its summary.
    const QStringList paragraphs = text.split(QStringLiteral("\r\n\r\n"));
    QVERIFY2(paragraphs.size() >= fewest && paragraphs.size() <= most, qPrintable(QString::number(paragraphs.size())));
    for (const QString& p : paragraphs) {
        QVERIFY(!p.trimmed().isEmpty());
        QVERIFY2(!p.contains(u'\r') && !p.contains(u'\n'), qPrintable(p));
        QVERIFY2(p.size() <= 420, qPrintable(p));
    }
    for (const QString& point : mentions)
        QVERIFY2(text.contains(point), qPrintable(point));

    // Opened through its screen's own button.
    QWidget* owner = ScreenFixture::screen(qPrintable(screen));
    QVERIFY(owner);
    switch (opening) {
    case Opening::Launcher:
        owner->show();
        break;
    case Opening::WorkArea:
        QVERIFY(ScreenFixture::openWorkArea(owner));
        break;
    case Opening::ReceiptYearPanel:
    case Opening::ReceiptEditor: {
        auto* receipts = qobject_cast<TfrmRicevute*>(owner);
        receipts->showYearPanel();
        QVERIFY(ScreenFixture::openWorkArea(receipts));
        if (opening == Opening::ReceiptEditor) {
            control<QLineEdit>(receipts, "txtAnno")->setText(QStringLiteral("2024"));
            control<QPushButton>(receipts, "cmdApri")->click();
            QVERIFY(control<QWidget>(receipts, "grpContainer")->isVisible());
        }
        break;
    }
    case Opening::ExportWindow:
        owner->show();
        break;
    }
    QWidget* pressed = control<QWidget>(owner, button);
    QVERIFY(pressed && pressed->isVisible());

    QString shownTitle, shown;
    bool readOnly = false, scrolls = false, unchangedByTyping = false;
    const int result = inGuide([&] { clickOn(pressed); },
                               [&](QWidget* w) {
                                   shownTitle = control<QLabel>(w, "panTitle")->text();
                                   auto* memo = control<QPlainTextEdit>(w, "memTopic");
                                   shown = memo->toPlainText();
                                   readOnly = memo->isReadOnly();
                                   press(memo, Qt::Key_A, QStringLiteral("a"));
                                   press(memo, Qt::Key_Delete, QStringLiteral("\x7f"));
                                   unchangedByTyping = memo->toPlainText() == shown;
                                   // A text taller than the area scrolls to its end.
                                   QScrollBar* bar = memo->verticalScrollBar();
                                   if (bar->maximum() > 0) {
                                       bar->setValue(bar->maximum());
                                       scrolls = bar->value() == bar->maximum() && bar->value() > 0;
                                   }
                               },
                               byCloseBox);
    QCOMPARE(shownTitle, title);
    QString expected = text;
    QCOMPARE(shown, expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(readOnly);
    QVERIFY(unchangedByTyping);
    if (paragraphs.size() > 6)
        QVERIFY(scrolls);
    // The close box does what OK does.
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!help()->isVisible());
    QVERIFY(owner->isVisible());
}

void TestHelpScreens::pdfGuide_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("reader");
    QTest::newRow("link, guide present") << "lblPDF" << true << true;
    QTest::newRow("picture, guide present") << "imgPDF" << true << true;
    QTest::newRow("link, no program for it") << "lblPDF" << true << false;
    QTest::newRow("link, guide missing") << "lblPDF" << false << false;
    QTest::newRow("picture, guide missing") << "imgPDF" << false << false;
}

void TestHelpScreens::pdfGuide()
{
    QFETCH(QString, control);
    QFETCH(bool, present);
    QFETCH(bool, reader);
    const QString guide = dir->file(QStringLiteral("Guida.pdf"));
    if (present)
        dir->writeAll(QStringLiteral("Guida.pdf"), "%PDF-1.4\n");
    fake->shellSucceeds = reader;
    const int result = inGuide([] { Screens::showGuide(QStringLiteral("Titolo"), QStringLiteral("Testo")); },
                               [&](QWidget* w) { ScreenFixture::press(w, qPrintable(control)); }, false);
    QCOMPARE(result, int(QDialog::Accepted));
    // A missing guide is not reported; a guide nothing can open is, by its path.
    QCOMPARE(fake->opened, present ? QStringList{QStringLiteral("document:") + guide} : QStringList());
    QCOMPARE(fake->messageTexts(),
             present && !reader ? QStringList{platform::openFailureMessage(guide)} : QStringList());
    QVERIFY(fake->busyCalls >= 1);
    QCOMPARE(fake->busyDepth, 0);
}

void TestHelpScreens::linkColours_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("hovered");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QColor>("rest");
    QTest::addColumn<QString>("restArea");   // empty: the window itself

    const QStringList pdf{"lblPDF"};
    const QStringList info{"lblEmail", "lblSito"};
    const QColor white(Qt::white), navy(0, 0, 128);
    QTest::newRow("guide link, then the window") << "frmHelpForm" << "lblPDF" << "lblPDF" << pdf << white << "";
    QTest::newRow("guide picture, then the window") << "frmHelpForm" << "imgPDF" << "lblPDF" << pdf << white << "";
    QTest::newRow("guide picture, then the text") << "frmHelpForm" << "imgPDF" << "lblPDF" << pdf << white
                                                  << "memTopic";
    QTest::newRow("e-mail link") << "frmInfo" << "lblEmail" << "lblEmail" << info << navy << "";
    QTest::newRow("e-mail icon") << "frmInfo" << "imgEmail" << "lblEmail" << info << navy << "grpInfo";
    QTest::newRow("web link") << "frmInfo" << "lblSito" << "lblSito" << info << navy << "grpInfo";
    QTest::newRow("web icon") << "frmInfo" << "imgSito" << "lblSito" << info << navy << "";
}

void TestHelpScreens::linkColours()
{
    QFETCH(QString, window);
    QFETCH(QString, hovered);
    QFETCH(QString, label);
    QFETCH(QStringList, labels);
    QFETCH(QColor, rest);
    QFETCH(QString, restArea);
    QWidget* w = ScreenFixture::screen(qPrintable(window));
    w->show();
    for (const QString& l : labels)
        QCOMPARE(labelColour(w, qPrintable(l)), rest);

    sendEnter(control<QWidget>(w, hovered));
    for (const QString& l : labels)
        QCOMPARE(labelColour(w, qPrintable(l)), l == label ? QColor(Qt::red) : rest);

    QWidget* area = restArea.isEmpty() ? w : control<QWidget>(w, restArea);
    if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(area))
        area = scrolled->viewport();
    sendMove(area);
    for (const QString& l : labels)
        QCOMPARE(labelColour(w, qPrintable(l)), rest);
}

void TestHelpScreens::infoScreen()
{
    launcher->show();
    auto* info = static_cast<QDialog*>(ScreenFixture::screen("frmInfo"));
    QCOMPARE(info->windowTitle(), QString::fromUtf8(" Informazioni su Ventoria © 2.0"));
    QCOMPARE(info->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(info->minimumSize(), info->maximumSize());
    bool shown = false;
    QTimer::singleShot(0, info, [&] {
        auto close = qScopeGuard([info] { info->reject(); });
        QVERIFY(info->isModal());
        for (const char* picture : {"imgLogo", "imgInfo", "imgEmail", "imgSito"})
            QVERIFY2(!control<QLabel>(info, picture)->pixmap().isNull(), picture);
        QCOMPARE(control<QLabel>(info, "lblEmail")->text(), QStringLiteral("Invia e-mail"));
        QCOMPARE(control<QLabel>(info, "lblSito")->text(), QStringLiteral("Visita sito Internet"));
        QVERIFY(control<QLabel>(info, "lblSito")->font().underline());
        shown = true;
        auto* ok = control<QPushButton>(info, "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        ok->click();
        QVERIFY(!info->isVisible());
    });
    clickOn(control<QWidget>(launcher, "imgInfo"));
    QVERIFY(shown);
    QVERIFY(!info->isVisible());
    QVERIFY(fake->opened.isEmpty());
}

void TestHelpScreens::infoLinks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("shellSucceeds");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QStringList>("messages");

    const QString mailto = QStringLiteral(
        "mailto:info@ventoria.it?subject=Software%20Ventoria%202.0&body=Salve%2C%20desidererei%20avere%20le%20"
        "seguenti%20informazioni%20sul%20software%20in%20oggetto%3A");
    const QString web = QStringLiteral("url:https://www.ventoria.it");
    const QStringList failed{QStringLiteral("Invio e-mail non riuscito.")};
    QTest::newRow("e-mail link") << "lblEmail" << true << mailto << QStringList();
    QTest::newRow("e-mail icon") << "imgEmail" << true << mailto << QStringList();
    QTest::newRow("e-mail link, no mail program") << "lblEmail" << false << mailto << failed;
    QTest::newRow("e-mail icon, no mail program") << "imgEmail" << false << mailto << failed;
    QTest::newRow("web link") << "lblSito" << true << web << QStringList();
    QTest::newRow("web icon") << "imgSito" << true << web << QStringList();
    QTest::newRow("web link, no browser") << "lblSito" << false << web << QStringList();
}

void TestHelpScreens::infoLinks()
{
    QFETCH(QString, control);
    QFETCH(bool, shellSucceeds);
    QFETCH(QString, opened);
    QFETCH(QStringList, messages);
    QWidget* info = ScreenFixture::screen("frmInfo");
    info->show();
    fake->shellSucceeds = shellSucceeds;
    ScreenFixture::press(info, qPrintable(control));

    QCOMPARE(fake->opened, QStringList{opened});
    QCOMPARE(fake->messageTexts(), messages);
    for (const ShownMessage& m : fake->messages)
        QCOMPARE(int(m.kind), int(MessageKind::Plain));
    QVERIFY(fake->busyCalls >= 1);
    QCOMPARE(fake->busyDepth, 0);
    if (opened.startsWith(QLatin1String("mailto:"))) {
        // The mail program receives the address, the subject and the body as written.
        const QUrl url(opened, QUrl::StrictMode);
        QVERIFY(url.isValid());
        QCOMPARE(url.path(), makerMailAddress());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Software Ventoria 2.0"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
    }
    QVERIFY(info->isVisible());
}

void TestHelpScreens::startRanges_data()
{
    QTest::addColumn<uint>("seed");
    for (uint seed : {1u, 42u, 20240305u, 4294967295u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestHelpScreens::startRanges()
{
    QFETCH(uint, seed);
    Random random(seed);
    const std::vector<Sprite> sprites = start(kBackground, kSprite, random);
    QCOMPARE(int(sprites.size()), 5);
    for (int i = 0; i < 5; ++i) {
        const Sprite& s = sprites[size_t(i)];
        const int k = i + 1;
        QVERIFY(s.x >= 108 && s.x < 597 - 108);
        QVERIFY(s.y >= 60 && s.y < 362 - 60);
        QVERIFY(s.z >= 50 && s.z < 362);
        QCOMPARE(std::abs(s.vx), double(k));
        QCOMPARE(std::abs(s.vy), double(k));
        QCOMPARE(std::abs(s.vz), double(k));
        QVERIFY(s.angle >= 0 && s.angle < 2 * kPi);
        QVERIFY(s.spin >= -0.2 && s.spin < 0.2);
        QCOMPARE(s.mirrored, k % 2 == 1);   // sprites 1, 3 and 5
        QCOMPARE(s.scale, 100.0 / s.z);
    }
    // The same seed gives the same start.
    Random again(seed);
    QCOMPARE(start(kBackground, kSprite, again)[4].x, sprites[4].x);
}

void TestHelpScreens::edgeBounces_data()
{
    // At depth 100 the scale is 1: half the scaled diagonal of a 108 x 60
    // sprite is 61.78..., so x runs from 53.78... to 543.21..., y from
    // 53.78... to 308.21...
    const double half = std::hypot(108.0, 60.0) / 2;
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("vx");
    QTest::addColumn<double>("vy");
    QTest::addColumn<double>("wantX");
    QTest::addColumn<double>("wantY");
    QTest::addColumn<double>("wantVx");
    QTest::addColumn<double>("wantVy");
    QTest::addColumn<bool>("bounced");
    QTest::newRow("inside") << 300.0 << 200.0 << 3.0 << -2.0 << 303.0 << 198.0 << 3.0 << -2.0 << false;
    QTest::newRow("past the left edge") << 55.0 << 200.0 << -3.0 << 1.0 << half - 8 << 201.0 << 3.0 << 1.0 << true;
    QTest::newRow("past the right edge") << 542.0 << 200.0 << 4.0 << 1.0 << 597 - half + 8 << 201.0 << -4.0 << 1.0
                                         << true;
    QTest::newRow("past the top edge") << 300.0 << 55.0 << 1.0 << -5.0 << 301.0 << half - 8 << 1.0 << 5.0 << true;
    QTest::newRow("past the bottom edge") << 300.0 << 307.0 << 1.0 << 2.0 << 301.0 << 362 - half + 8 << 1.0 << -2.0
                                          << true;
    QTest::newRow("just inside") << half - 8 + 2.5 << 200.0 << -2.0 << 1.0 << half - 8 + 0.5 << 201.0 << -2.0 << 1.0
                                 << false;
}

void TestHelpScreens::edgeBounces()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, vx);
    QFETCH(double, vy);
    QFETCH(double, wantX);
    QFETCH(double, wantY);
    QFETCH(double, wantVx);
    QFETCH(double, wantVy);
    QFETCH(bool, bounced);
    Sprite s;
    s.x = x;
    s.y = y;
    s.z = 100;
    s.vx = vx;
    s.vy = vy;
    s.vz = 1;
    s.angle = 1.0;
    s.spin = 0.5;   // out of the range a new spin is drawn from
    Random random(7);
    step(s, kBackground, kSprite, random);
    QCOMPARE(s.scale, 1.0);
    QVERIFY(std::abs(s.x - wantX) < 1e-9);
    QVERIFY(std::abs(s.y - wantY) < 1e-9);
    QCOMPARE(s.vx, wantVx);
    QCOMPARE(s.vy, wantVy);
    QCOMPARE(s.z, 101.0);
    if (bounced) {
        QVERIFY(s.spin >= -0.2 && s.spin < 0.2);
    } else {
        QCOMPARE(s.spin, 0.5);
    }
    QVERIFY(std::abs(s.angle - wrapAngle(1.0 + s.spin)) < 1e-12);
}

void TestHelpScreens::depthBounces_data()
{
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("vz");
    QTest::addColumn<double>("wantZ");
    QTest::addColumn<double>("wantVz");
    QTest::addColumn<bool>("bounced");
    QTest::newRow("nearer than 50") << 51.0 << -2.0 << 49.0 << 2.0 << true;
    QTest::newRow("farther than the background height") << 361.0 << 3.0 << 364.0 << -3.0 << true;
    QTest::newRow("at 50 exactly") << 53.0 << -3.0 << 50.0 << -3.0 << false;
    QTest::newRow("at the background height exactly") << 360.0 << 2.0 << 362.0 << 2.0 << false;
}

void TestHelpScreens::depthBounces()
{
    QFETCH(double, z);
    QFETCH(double, vz);
    QFETCH(double, wantZ);
    QFETCH(double, wantVz);
    QFETCH(bool, bounced);
    Sprite s;
    s.x = 300;
    s.y = 180;
    s.z = z;
    s.vz = vz;
    s.spin = 0.5;
    Random random(11);
    step(s, kBackground, kSprite, random);
    QCOMPARE(s.scale, 100.0 / z);   // the scale of the depth before the move
    QCOMPARE(s.z, wantZ);
    QCOMPARE(s.vz, wantVz);
    QCOMPARE(s.spin != 0.5, bounced);
}

void TestHelpScreens::angleWraps_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("wrapped");
    QTest::newRow("inside") << 1.0 << 1.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("a turn") << 2 * kPi << 0.0;
    QTest::newRow("past a turn") << 2 * kPi + 0.1 << 0.1;
    QTest::newRow("below zero") << -0.1 << 2 * kPi - 0.1;
    QTest::newRow("tiny below zero") << -1e-18 << 0.0;
}

void TestHelpScreens::angleWraps()
{
    QFETCH(double, angle);
    QFETCH(double, wrapped);
    const double a = wrapAngle(angle);
    QVERIFY(a >= 0 && a < 2 * kPi);
    QVERIFY2(std::abs(a - wrapped) < 1e-12, qPrintable(QString::number(a, 'g', 17)));

    // A step keeps the angle in range too.
    Sprite s;
    s.x = 300;
    s.y = 180;
    s.z = 100;
    s.angle = 6.2;
    s.spin = 0.15;
    Random random(3);
    step(s, kBackground, kSprite, random);
    QVERIFY(std::abs(s.angle - (6.35 - 2 * kPi)) < 1e-12);
}

void TestHelpScreens::rotatedSizes_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("size");
    QTest::newRow("upright") << 0.0 << 1.0 << QSize(108, 60);
    QTest::newRow("quarter turn") << kPi / 2 << 1.0 << QSize(60, 108);
    QTest::newRow("half turn") << kPi << 1.0 << QSize(108, 60);
    // (108 + 60) / sqrt(2) = 118.79...
    QTest::newRow("eighth turn") << kPi / 4 << 1.0 << QSize(119, 119);
    QTest::newRow("half size") << 0.0 << 0.5 << QSize(54, 30);
    QTest::newRow("double size") << 0.0 << 2.0 << QSize(216, 120);
    QTest::newRow("quarter turn, double size") << kPi / 2 << 2.0 << QSize(120, 216);
    QTest::newRow("farthest") << 0.0 << 100.0 / 362 << QSize(30, 17);
}

void TestHelpScreens::rotatedSizes()
{
    QFETCH(double, angle);
    QFETCH(double, scale);
    QFETCH(QSize, size);
    QCOMPARE(rotatedSize(kSprite, angle, scale), size);
}

void TestHelpScreens::samplingTurnsAndScales_data()
{
    // Each row: the source picture's size, the turn and scale, and which
    // source pixel two output pixels show.
    QTest::addColumn<QSize>("source");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("out1");
    QTest::addColumn<QPoint>("from1");
    QTest::addColumn<QPoint>("out2");
    QTest::addColumn<QPoint>("from2");
    QTest::newRow("as it is") << QSize(4, 2) << 0.0 << 1.0 << false << QSize(4, 2) << QPoint(0, 0) << QPoint(0, 0)
                              << QPoint(3, 1) << QPoint(3, 1);
    // A quarter turn clockwise on screen: the top-right corner goes to the
    // bottom right, the bottom-left corner to the top left.
    QTest::newRow("quarter turn") << QSize(4, 2) << kPi / 2 << 1.0 << false << QSize(2, 4) << QPoint(1, 3)
                                  << QPoint(3, 0) << QPoint(0, 0) << QPoint(0, 1);
    QTest::newRow("half turn") << QSize(4, 2) << kPi << 1.0 << false << QSize(4, 2) << QPoint(0, 0) << QPoint(3, 1)
                               << QPoint(3, 1) << QPoint(0, 0);
    QTest::newRow("double size") << QSize(2, 2) << 0.0 << 2.0 << false << QSize(4, 4) << QPoint(3, 0)
                                 << QPoint(1, 0) << QPoint(2, 1) << QPoint(1, 0);
    QTest::newRow("half size") << QSize(4, 4) << 0.0 << 0.5 << false << QSize(2, 2) << QPoint(0, 0) << QPoint(1, 1)
                               << QPoint(1, 1) << QPoint(3, 3);
    QTest::newRow("mirrored") << QSize(4, 2) << 0.0 << 1.0 << true << QSize(4, 2) << QPoint(0, 0) << QPoint(3, 0)
                              << QPoint(3, 1) << QPoint(0, 1);
}

void TestHelpScreens::samplingTurnsAndScales()
{
    QFETCH(QSize, source);
    QFETCH(double, angle);
    QFETCH(double, scale);
    QFETCH(bool, mirrored);
    QFETCH(QSize, size);
    QFETCH(QPoint, out1);
    QFETCH(QPoint, from1);
    QFETCH(QPoint, out2);
    QFETCH(QPoint, from2);
    const QImage picture = numbered(source.width(), source.height());
    const QRgb key = qRgb(255, 0, 255);
    const QImage out = rotate(picture, angle, scale, mirrored, key);
    QCOMPARE(out.size(), size);
    QCOMPARE(out.pixel(out1), picture.pixel(from1));
    QCOMPARE(out.pixel(out2), picture.pixel(from2));
    // Nothing falls outside a picture turned by a multiple of a quarter turn.
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            QVERIFY(out.pixel(x, y) != key);
}

void TestHelpScreens::samplingLeavesOutsideTransparent()
{
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(qRgb(0, 128, 0));
    const QRgb key = qRgb(255, 0, 255);
    const QImage out = rotate(square, kPi / 4, 1.0, false, key);
    QCOMPARE(out.size(), QSize(6, 6));   // 4 * sqrt(2) = 5.66
    for (QPoint corner : {QPoint(0, 0), QPoint(5, 0), QPoint(0, 5), QPoint(5, 5)})
        QCOMPARE(out.pixel(corner), key);
    for (QPoint middle : {QPoint(2, 2), QPoint(3, 3), QPoint(2, 3), QPoint(3, 2)})
        QCOMPARE(out.pixel(middle), qRgb(0, 128, 0));
}

void TestHelpScreens::drawingLeavesOutTheTransparentColour()
{
    const QRgb key = qRgb(255, 0, 255), red = qRgb(255, 0, 0), black = qRgb(0, 0, 0);
    QImage frame(10, 10, QImage::Format_RGB32);
    frame.fill(black);
    QImage dot(3, 3, QImage::Format_RGB32);
    dot.fill(key);
    dot.setPixel(1, 1, red);
    drawOver(frame, dot, key, QPointF(5, 5));
    QCOMPARE(placement(dot.size(), QPointF(5, 5)), QRect(3, 3, 3, 3));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            QCOMPARE(frame.pixel(x, y), (x == 4 && y == 4) ? red : black);
    // Partly off the frame: the visible part only.
    drawOver(frame, dot, key, QPointF(0.5, 9.5));
    QCOMPARE(frame.pixel(0, 9), red);
}

void TestHelpScreens::spritePictures_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("accepted");
    QImage picture = numbered(3, 2);
    picture.setPixel(0, 1, qRgb(0, 255, 0));   // bottom left
    // More than sixteen colours: the toolkit writes a palette of 256.
    QImage colourful = numbered(6, 4);
    colourful.setPixel(0, 3, qRgb(0, 255, 0));
    QTest::newRow("24 bit") << bmpFile(picture, 24) << 24 << true;
    QTest::newRow("8 bit palette") << palettedBmp(colourful) << 8 << true;
    QTest::newRow("4 bit palette") << palettedBmp(picture) << 4 << false;
    QTest::newRow("32 bit") << bmpFile(picture, 32) << 32 << false;
    QTest::newRow("16 bit") << bmpFile(picture, 16) << 16 << false;
    QTest::newRow("not a bitmap") << QByteArray("\x89PNG\r\n\x1a\n0000000000000000000000000000") << 0 << false;
    QTest::newRow("the delivered sprite") << resource(QStringLiteral(":/pictures/splash_sprite.bmp")) << 24 << true;
}

void TestHelpScreens::spritePictures()
{
    QFETCH(QByteArray, file);
    QFETCH(int, bits);
    QFETCH(bool, accepted);
    QCOMPARE(bmpBitsPerPixel(file), bits);
    const SpritePicture sprite = readSprite(file);
    QCOMPARE(sprite.accepted, accepted);
    if (!accepted) {
        QVERIFY(sprite.pixels.isNull());
        return;
    }
    const QImage decoded = QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(sprite.pixels, decoded);
    QCOMPARE(sprite.transparent, decoded.pixel(0, decoded.height() - 1));
    if (QTest::currentDataTag() == QLatin1String("the delivered sprite")) {
        QCOMPARE(sprite.pixels.size(), kSprite);
        QCOMPARE(sprite.transparent, qRgb(255, 0, 255));
    } else {
        QCOMPARE(sprite.transparent, qRgb(0, 255, 0));
        QCOMPARE(sprite.pixels.pixel(0, 0), numbered(3, 2).pixel(0, 0));   // rows stored bottom-up
    }
}

void TestHelpScreens::drawingStaysInsideTheErasedSquare()
{
    // Whatever a sprite's place, depth and angle, what is drawn lies inside
    // the square erased at the next tick.
    Random random(99);
    std::vector<Sprite> sprites = start(kBackground, kSprite, random);
    for (int tick = 0; tick < 400; ++tick) {
        for (Sprite& s : sprites) {
            step(s, kBackground, kSprite, random);
            const QRect drawn = placement(rotatedSize(kSprite, s.angle, s.scale), QPointF(s.x, s.y));
            QVERIFY(coveredSquare(s, kSprite).contains(drawn));
            QVERIFY(s.z > 0);
        }
    }
}

void TestHelpScreens::animationLeavesNoTrail()
{
    QImage background(kBackground, QImage::Format_RGB32);
    background.fill(qRgb(20, 30, 90));
    const SpritePicture sprite = readSprite(resource(QStringLiteral(":/pictures/splash_sprite.bmp")));
    QVERIFY(sprite.accepted);
    Animation animation(background, sprite, 5);
    QCOMPARE(animation.frame(), background);
    for (int tick = 1; tick <= 60; ++tick) {
        const QImage before = animation.frame();
        animation.tick();
        QVERIFY(animation.frame() != before);
        // Outside the squares the sprites now cover, the frame is the background.
        QImage outside = animation.frame();
        QImage clean = background;
        for (const Sprite& s : animation.sprites()) {
            const QRect square = coveredSquare(s, kSprite).intersected(outside.rect());
            for (int y = square.top(); y <= square.bottom(); ++y)
                for (int x = square.left(); x <= square.right(); ++x)
                    outside.setPixel(x, y, clean.pixel(x, y));
        }
        QVERIFY2(outside == clean, qPrintable(QStringLiteral("tick %1").arg(tick)));
    }
    // The transparent colour never reaches the frame.
    const QImage frame = animation.frame();
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            QVERIFY(frame.pixel(x, y) != sprite.transparent);
}

void TestHelpScreens::splashRefusesOtherPixelFormats()
{
    auto* splash = qobject_cast<TfrmSplash*>(ScreenFixture::screen("frmSplash"));
    QVERIFY(splash);
    auto restore = qScopeGuard([splash] { splash->loadSprite(resource(QStringLiteral(":/pictures/splash_sprite.bmp"))); });
    QVERIFY(splash->animation().sprite().accepted);

    splash->loadSprite(bmpFile(numbered(108, 60), 32));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(int(fake->messages[0].kind), int(MessageKind::Plain));
    QCOMPARE(fake->messages[0].text, QStringLiteral("only 8 bit and 24 bit bitmaps are allowed"));
    QVERIFY(!splash->animation().sprite().accepted);
    QVERIFY(splash->animation().sprite().pixels.isNull());
    // The background still shows; no sprite is drawn on it.
    splash->timerTick();
    QCOMPARE(splash->animation().frame(), splash->animation().background());

    fake->clear();
    splash->loadSprite(bmpFile(numbered(108, 60), 24));
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(splash->animation().sprite().accepted);
}

void TestHelpScreens::splashRunsOnlyWhileShown()
{
    auto* splash = qobject_cast<TfrmSplash*>(ScreenFixture::screen("frmSplash"));
    QVERIFY(splash);
    QVERIFY(splash->windowTitle().contains(QString::fromUtf8("Ventoria © 2.0")));
    QCOMPARE(splash->toolTip(), QStringLiteral("  Visita il sito Internet dell'autore "));
    QCOMPARE(splash->size(), kBackground);
    QCOMPARE(splash->animation().background().size(), kBackground);
    QVERIFY(splash->animation().sprite().accepted);
    QVERIFY(!splash->timer()->isActive());

    launcher->show();
    bool ran = false;
    QTimer::singleShot(0, splash, [&] {
        auto close = qScopeGuard([splash] { splash->reject(); });
        QVERIFY(splash->isModal());
        QVERIFY(splash->timer()->isActive());
        QCOMPARE(splash->timer()->interval(), 50);
        // The timer moves the sprites by itself.
        const QImage first = splash->animation().frame();
        QTRY_VERIFY(splash->animation().frame() != first);
        // Painting the window copies the frame.
        QCOMPARE(splash->grab().toImage().convertToFormat(QImage::Format_RGB32), splash->animation().frame());
        ran = true;
        // A click anywhere opens the maker's page and closes the screen.
        QTest::mouseClick(splash, Qt::LeftButton, Qt::NoModifier, QPoint(40, 300));
        QVERIFY(!splash->isVisible());
    });
    clickOn(control<QWidget>(launcher, "imgCopyright"));
    QVERIFY(ran);
    QVERIFY(!splash->isVisible());
    QCOMPARE(fake->opened, QStringList{QStringLiteral("url:") + makerWebAddress()});
    QVERIFY(!splash->timer()->isActive());
}

QTEST_MAIN(TestHelpScreens)
#include "tst_helpscreens.moc"
