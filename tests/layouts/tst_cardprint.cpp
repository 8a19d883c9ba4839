#include "layouts/CardPrint.h"
#include "clients/ui/TfrmPrint_Contatto.h"
#include "warehouse/ui/TfrmPrint_Prodotto.h"
#include "platform/qt/QtPrintCanvas.h"

#include "FakePlatform.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSet>
#include <QtTest>

using Op = RecordingCanvas::Op;

namespace {

const char* const kClientFields[] = {"txtOperatore", "txtIndirizzo", "txtCap", "txtCitta", "txtProv",
                                     "txtCodFisc", "txtIva", "txtTelCasa", "txtTelUff", "txtTelCel",
                                     "txtFax", "txtEmail", "txtScadenza", "txtRetribuzione", "txtPostazione",
                                     "txtIncarichi", "txtCarta", "txtIban", "txtTurni", "txtNote"};

const char* const kMaterialFields[] = {"txtCodice", "txtTipologia", "txtMarca", "txtModello",
                                       "txtDescrizione", "txtAccessori", "txtFornitore", "txtRecapito",
                                       "txtData", "txtCosto", "txtDocumento", "txtOrdine",
                                       "txtPrezzo", "txtGiacenza", "txtCollocazione", "txtNote"};

// A card in miniature: the values Save would write, by control name.
struct Card
{
    QMap<QString, QString> values;
    bool consent = false;

    template <size_t N>
    explicit Card(const char* const (&names)[N])
    {
        for (const char* name : names)
            values.insert(QString::fromLatin1(name), QString());
        // A field that is not printed, to show it stays off the page.
        values.insert(QStringLiteral("txtSottoscorta"), QStringLiteral("non stampare"));
    }
    void set(const char* name, const QString& text) { values[QString::fromLatin1(name)] = text; }
    CardPrintScreen::Values lookup() const
    {
        const QMap<QString, QString> copy = values;
        return [copy](const QString& control) { return copy.value(control); };
    }
};

// The box drawn for a layout rectangle at 600 dpi with the cards' offsets:
// ((L + 26) × 6.25, (T + 21) × 6.25), each corner's fraction dropped.
QRect boxAt600(int left, int top, int width, int height)
{
    const auto px = [](double v) { return static_cast<int>(v * 6.25); };
    const int l = px(left + 26), t = px(top + 21), r = px(left + width + 26), b = px(top + height + 21);
    return QRect(l, t, r - l, b - t);
}

// The text drawn inside a rectangle that starts at the given corner.
Op textAt(const RecordingCanvas& c, QPoint corner)
{
    for (const Op& op : c.texts()) {
        if (op.inRect && op.rect.topLeft() == corner)
            return op;
    }
    return Op{};
}

RecordingCanvas renderAt(int dpi, const PrintLayout& layout, const TBDPrintPage& page)
{
    RecordingCanvas canvas(4960, 7016, dpi, dpi, platform::PageOrientation::Portrait, QStringLiteral("prova"));
    page.render(canvas, layout);
    return canvas;
}

TBDPrintPage cardPage()
{
    TBDPrintPage page;
    page.LeftOffset = 16;
    page.TopOffset = 12;
    return page;
}

// Dark pixels of an image inside the given area.
int inkIn(const QImage& image, const QRect& area)
{
    int ink = 0;
    const QRect a = area.intersected(image.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++ink;
    return ink;
}

} // namespace

class TestCardPrint : public QObject
{
    Q_OBJECT
private slots:
    void containerCornerAtSixHundredDpi();
    void placementDropsFractionsAtThreeHundredDpi();
    void valueBoxFrameAndText();
    void labelsWidenedAndWrapping();
    void rulesAreThinWhiteRectangles();
    void emblemStretchedToItsBounds();
    void titleAndFootnoteCentredMaroon();
    void tagsFilterAndStatusNotification();

    void valueCutAtBoxEdgeNeverWrapped();
    void labelWrapsWithinItsRectangle();

    void newClientCardWithOnlyAName();
    void consentLineFollowsTheCheckBox();
    void everyClientFieldGoesToItsBox();
    void twoCopiesTwoJobsSameFootnote();
    void cancelPrintsNothing();
    void materialCard();
};

void TestCardPrint::containerCornerAtSixHundredDpi()
{
    const RecordingCanvas c = renderAt(600, clientCardLayout(), cardPage());
    const Op frame = c.rects().first();
    QCOMPARE(frame.rect.topLeft(), QPoint(162, 131));
    // (10 + 726 + 16) × 6.25 = 4700; (9 + 1046 + 12) × 6.25 = 6668.75.
    QCOMPARE(frame.rect.x() + frame.rect.width(), 4700);
    QCOMPARE(frame.rect.y() + frame.rect.height(), 6668);
    QCOMPARE(frame.penWidth, 6);
}

void TestCardPrint::placementDropsFractionsAtThreeHundredDpi()
{
    // 300 dpi: sx = 3.125, u = 3.
    const RecordingCanvas c = renderAt(300, clientCardLayout(), cardPage());
    QCOMPARE(c.rects().first().rect.topLeft(), QPoint(81, 65));   // 81.25, 65.625
    // The name box (12, 190) 700 × 22: from (118.75, 659.375) to (2306.25, 728.125).
    const QRect box(118, 659, 2306 - 118, 728 - 659);
    bool found = false;
    for (const Op& op : c.rects())
        found = found || op.rect == box;
    QVERIFY(found);
    QCOMPARE(textAt(c, QPoint(118 + 6, 659)).rect.right(), 2305);
}

void TestCardPrint::valueBoxFrameAndText()
{
    PrintLayout layout = clientCardLayout();
    setElementText(layout, QStringLiteral("txtOperatore"), QStringLiteral("Rossi Mario"));
    const RecordingCanvas c = renderAt(600, layout, cardPage());
    const QRect box = boxAt600(12, 190, 700, 22);
    QCOMPARE(box, QRect(QPoint(237, 1318), QPoint(4611, 1455)));
    Op frame{};
    for (const Op& op : c.rects()) {
        if (op.rect == box)
            frame = op;
    }
    QCOMPARE(frame.rect, box);
    QCOMPARE(frame.penWidth, 6);
    QVERIFY(!frame.fill.isValid());   // a box is not filled

    const Op value = c.findText(QStringLiteral("Rossi Mario"));
    QVERIFY(value.inRect);
    QCOMPARE(value.rect.left(), box.left() + 12);   // 2u in from the edge
    QCOMPARE(value.rect.right(), box.right());
    QCOMPARE(value.rect.top(), box.top());
    QCOMPARE(value.rect.bottom(), box.bottom());
    QVERIFY(value.flags & Qt::AlignVCenter);
    QVERIFY(value.flags & Qt::TextSingleLine);
    QVERIFY(!(value.flags & Qt::TextWordWrap));
    QCOMPARE(value.font.family, QStringLiteral("Verdana"));
    QCOMPARE(value.font.size, 9);
    QVERIFY(value.font.bold);
}

void TestCardPrint::labelsWidenedAndWrapping()
{
    const RecordingCanvas c = renderAt(600, clientCardLayout(), cardPage());
    const Op cap = c.findText(QStringLiteral("CAP:"));
    QVERIFY(cap.inRect);
    QCOMPARE(cap.rect.topLeft(), QPoint(237, 1893));   // (38 × 6.25, 303 × 6.25)
    // As wide as its box, plus 3u.
    const QRect box = boxAt600(12, 302, 93, 22);
    QCOMPARE(cap.rect.width(), box.width() + 18);
    QVERIFY(cap.flags & Qt::TextWordWrap);
    QVERIFY(!cap.font.bold);
    QCOMPARE(cap.font.size, 9);
    QCOMPARE(cap.font.color, QColor(Qt::black));
    // Beside its box on the codice fiscale line, 4 pixels lower than the box.
    const Op cf = c.findText(QStringLiteral("Codice fiscale:"));
    QCOMPARE(cf.rect.topLeft(), QPoint(237, 2293));   // (38 × 6.25, 367 × 6.25)
    // Widened, it still ends before its box begins.
    QCOMPARE(cf.rect.right(), 887 + 18 - 1);
    QVERIFY(cf.rect.right() < boxAt600(120, 342, 265, 22).left());
}

void TestCardPrint::rulesAreThinWhiteRectangles()
{
    const RecordingCanvas c = renderAt(600, clientCardLayout(), cardPage());
    QList<int> ruleTops;
    for (const Op& op : c.rects()) {
        if (op.fill == QColor(Qt::white)) {
            QCOMPARE(op.penWidth, 6);
            QCOMPARE(op.rect.left(), 212);                   // (8 + 26) × 6.25
            QCOMPARE(op.rect.x() + op.rect.width(), 4643);   // (717 + 26) × 6.25 = 4643.75
            QVERIFY(op.rect.height() <= 7);
            ruleTops.append(op.rect.top());
        }
    }
    QList<int> expected;
    for (int y : {124, 148, 380, 508, 636, 764, 1004})
        expected.append(static_cast<int>((y + 21) * 6.25));
    QCOMPARE(ruleTops, expected);
}

void TestCardPrint::emblemStretchedToItsBounds()
{
    TfrmPrint_Contatto screen;   // makes the pictures available
    const RecordingCanvas c = renderAt(600, clientCardLayout(), cardPage());
    QList<Op> images;
    for (const Op& op : c.ops) {
        if (op.kind == Op::Image)
            images.append(op);
    }
    QCOMPARE(images.size(), 1);
    QCOMPARE(images[0].imageSize, QSize(108, 89));
    QCOMPARE(images[0].rect, boxAt600(312, 24, 108, 89));
}

void TestCardPrint::titleAndFootnoteCentredMaroon()
{
    PrintLayout layout = materialCardLayout();
    setElementText(layout, QStringLiteral("lblData"), cardFootnote(QDate(2024, 12, 1), QTime(8, 4, 0)));
    const RecordingCanvas c = renderAt(600, layout, cardPage());
    const Op title = c.findText(QStringLiteral("SCHEDA ARTICOLO IN MAGAZZINO"));
    QVERIFY(title.flags & Qt::AlignHCenter);
    QCOMPARE(title.font.size, 10);
    QVERIFY(title.font.bold);
    QCOMPARE(title.font.color, QColor(128, 0, 0));
    QCOMPARE(title.rect.topLeft(), boxAt600(8, 128, 708, 22).topLeft());
    const Op foot = c.findText(QStringLiteral("Scheda stampata in data 01/12/2024 alle ore 08:04:00"));
    QVERIFY(foot.flags & Qt::AlignHCenter);
    QCOMPARE(foot.font.size, 8);
    QVERIFY(foot.font.bold);
    QCOMPARE(foot.font.color, QColor(128, 0, 0));
    QCOMPARE(foot.rect.topLeft(), boxAt600(8, 1016, 708, 22).topLeft());
}

void TestCardPrint::tagsFilterAndStatusNotification()
{
    PrintLayout layout = clientCardLayout();
    for (PrintElement& e : layout.elements)
        e.tag = e.kind == PrintElementKind::Box ? 3 : 1;
    layout.element(QStringLiteral("txtNote"))->visible = false;
    TBDPrintPage page = cardPage();
    page.PrintTags = 2;
    int notified = 0;
    page.OnUpdatePrintStatus = [&](const PrintElement& e) {
        ++notified;
        QCOMPARE(e.tag & 2, 2);
    };
    const RecordingCanvas c = renderAt(600, layout, page);
    // 19 visible boxes: a frame and a text each; no container, no labels, no rules.
    QCOMPARE(notified, 19);
    QCOMPARE(c.rects().size(), 19);
    QCOMPARE(c.texts().size(), 19);
}

void TestCardPrint::valueCutAtBoxEdgeNeverWrapped()
{
    // Drawn for real on an image: a long value in a box stays on its line
    // and leaves no ink beyond the right edge or below the box.
    QImage image(400, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect box(20, 20, 150, 30);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("Verdana"));
        font.setPixelSize(16);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        platform::QtPrintCanvas::paintTextInRect(painter, box,
                                                 QStringLiteral("WWWW WWWW WWWW WWWW WWWW WWWW WWWW"),
                                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    }
    QVERIFY(inkIn(image, box) > 50);
    QCOMPARE(inkIn(image, QRect(box.right() + 1, 0, 400, 120)), 0);
    QCOMPARE(inkIn(image, QRect(0, box.bottom() + 1, 400, 120)), 0);
}

void TestCardPrint::labelWrapsWithinItsRectangle()
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect area(10, 10, 120, 40);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(14);
    const int lineHeight = QFontMetrics(font).height();
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        platform::QtPrintCanvas::paintTextInRect(painter, area,
                                                 QStringLiteral("parole che vanno a capo dentro al riquadro"),
                                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }
    // A second line below the first, and nothing outside the rectangle.
    QVERIFY(inkIn(image, QRect(area.left(), area.top() + lineHeight, area.width(), area.height() - lineHeight)) > 0);
    QCOMPARE(inkIn(image, QRect(area.right() + 1, 0, 300, 200)), 0);
    QCOMPARE(inkIn(image, QRect(0, area.bottom() + 1, 300, 200)), 0);
}

void TestCardPrint::newClientCardWithOnlyAName()
{
    FakePlatform fake;
    fake.printCopies.enqueue(1);
    TfrmPrint_Contatto screen;
    QCOMPARE(screen.objectName(), QStringLiteral("frmPrint_Contatto"));
    QCOMPARE(screen.size(), QSize(746, 1065));
    Card card(kClientFields);
    card.set("txtOperatore", QStringLiteral("  Rossi Mario \t"));
    screen.printCard(nullptr, card.lookup(), card.consent);

    QCOMPARE(fake.documents.size(), 1);
    const RecordingCanvas& c = *fake.documents[0];
    QCOMPARE(c.orientation, platform::PageOrientation::Portrait);
    QCOMPARE(c.pages, 1);
    QVERIFY(c.ended);
    QVERIFY(fake.messages.isEmpty());   // no question, no warning for an empty card
    QCOMPARE(textAt(c, boxAt600(12, 190, 700, 22).topLeft() + QPoint(12, 0)).text, QStringLiteral("Rossi Mario"));
    for (const char* name : kClientFields) {
        if (qstrcmp(name, "txtOperatore") == 0)
            continue;
        const PrintElement* e = screen.layout().element(QString::fromLatin1(name));
        const Op value = textAt(c, boxAt600(e->rect.x(), e->rect.y(), e->rect.width(), 22).topLeft() + QPoint(12, 0));
        QVERIFY2(value.inRect && value.text.isEmpty(), name);
    }
    QVERIFY(c.findText(QStringLiteral("non stampare")).text.isEmpty());
    QCOMPARE(c.findText(QString::fromUtf8("Pubblicità: No")).rect.topLeft(), boxAt600(524, 834, 181, 20).topLeft());
    QCOMPARE(c.findText(QStringLiteral("SCHEDA ANAGRAFICA CLIENTE")).font.size, 10);
    QVERIFY(c.findText(QStringLiteral("Scheda stampata in data 05/03/2024 alle ore 14:30:15")).inRect);
}

void TestCardPrint::consentLineFollowsTheCheckBox()
{
    FakePlatform fake;
    fake.printCopies << 1 << 1;
    TfrmPrint_Contatto screen;
    Card card(kClientFields);
    card.consent = true;
    screen.printCard(nullptr, card.lookup(), card.consent);
    card.consent = false;
    screen.printCard(nullptr, card.lookup(), card.consent);
    QCOMPARE(fake.documents.size(), 2);
    const Op yes = fake.documents[0]->findText(QString::fromUtf8("Pubblicità: Sì"));
    QVERIFY(yes.inRect);
    QCOMPARE(yes.font.size, 12);
    QVERIFY(yes.font.bold);
    QVERIFY(fake.documents[0]->findText(QString::fromUtf8("Pubblicità: No")).text.isEmpty());
    QVERIFY(fake.documents[1]->findText(QString::fromUtf8("Pubblicità: No")).inRect);
}

void TestCardPrint::everyClientFieldGoesToItsBox()
{
    FakePlatform fake;
    fake.printCopies.enqueue(1);
    TfrmPrint_Contatto screen;
    Card card(kClientFields);
    for (const char* name : kClientFields)
        card.set(name, QStringLiteral(" valore di %1 ").arg(QString::fromLatin1(name)));
    screen.printCard(nullptr, card.lookup(), card.consent);
    const RecordingCanvas& c = *fake.documents[0];
    // Every control of the card is read, by its own name, into a box of its own.
    QSet<QPair<int, int>> boxes;
    for (const char* name : kClientFields) {
        const Op value = c.findText(QStringLiteral("valore di %1").arg(QString::fromLatin1(name)));
        QVERIFY2(value.inRect && value.flags & Qt::TextSingleLine, name);
        boxes.insert({value.rect.x(), value.rect.y()});
    }
    QCOMPARE(boxes.size(), 20);
}

void TestCardPrint::twoCopiesTwoJobsSameFootnote()
{
    FakePlatform fake;
    fake.printCopies.enqueue(2);
    // The dialog stays open across a change of second: the footnote was taken before it.
    fake.onPrintDialog = [&] { fake.fixedNow = QTime(14, 31, 2); };
    TfrmPrint_Contatto screen;
    Card card(kClientFields);
    card.set("txtOperatore", QStringLiteral("Bianchi"));
    screen.printCard(nullptr, card.lookup(), card.consent);
    QCOMPARE(fake.documents.size(), 2);
    const QString foot = QStringLiteral("Scheda stampata in data 05/03/2024 alle ore 14:30:15");
    for (RecordingCanvas* doc : fake.documents) {
        QVERIFY(doc->ended);
        QCOMPARE(doc->orientation, platform::PageOrientation::Portrait);
        QVERIFY(doc->findText(foot).inRect);
        QVERIFY(doc->findText(QStringLiteral("Bianchi")).inRect);
    }
    QCOMPARE(fake.documents[0]->ops.size(), fake.documents[1]->ops.size());
}

void TestCardPrint::cancelPrintsNothing()
{
    FakePlatform fake;
    fake.printCopies.enqueue(-1);
    TfrmPrint_Contatto screen;
    Card card(kClientFields);
    screen.printCard(nullptr, card.lookup(), card.consent);
    QCOMPARE(fake.printDialogs, 1);
    QVERIFY(fake.documents.isEmpty());
    QVERIFY(fake.messages.isEmpty());
}

void TestCardPrint::materialCard()
{
    FakePlatform fake;
    fake.printCopies.enqueue(1);
    TfrmPrint_Prodotto screen;
    QCOMPARE(screen.objectName(), QStringLiteral("frmPrint_Prodotto"));
    QCOMPARE(screen.size(), QSize(746, 1065));
    Card card(kMaterialFields);
    card.set("txtCodice", QStringLiteral(" A-100 "));
    card.set("txtGiacenza", QStringLiteral("12"));
    card.set("txtCosto", QStringLiteral("35,50"));
    screen.printCard(nullptr, card.lookup());
    QCOMPARE(fake.documents.size(), 1);
    const RecordingCanvas& c = *fake.documents[0];
    QCOMPARE(c.findText(QStringLiteral("A-100")).rect.topLeft(), boxAt600(12, 198, 373, 22).topLeft() + QPoint(12, 0));
    QCOMPARE(c.findText(QStringLiteral("12")).rect.topLeft(), boxAt600(428, 798, 284, 22).topLeft() + QPoint(12, 0));
    QCOMPARE(c.findText(QStringLiteral("35,50")).rect.topLeft(), boxAt600(428, 582, 284, 22).topLeft() + QPoint(12, 0));
    QCOMPARE(c.findText(QStringLiteral("Giacenza:")).rect.topLeft(), boxAt600(428, 778, 284, 16).topLeft());
    QVERIFY(c.findText(QStringLiteral("non stampare")).text.isEmpty());   // the threshold stays off
    QVERIFY(c.findText(QStringLiteral("SCHEDA ARTICOLO IN MAGAZZINO")).inRect);
    QVERIFY(c.findText(QString::fromUtf8("Pubblicità: No")).text.isEmpty());
    QVERIFY(c.findText(QStringLiteral("Scheda stampata in data 05/03/2024 alle ore 14:30:15")).inRect);
    int boxes = 0, rules = 0;
    for (const Op& op : c.rects()) {
        if (op.fill == QColor(Qt::white))
            ++rules;
        else
            ++boxes;
    }
    QCOMPARE(boxes, 1 + 16);   // container and the sixteen value boxes
    QCOMPARE(rules, 3 + 6);    // heading and foot, and six between the groups
    for (const Op& op : c.ops) {
        if (op.kind == Op::Image)
            QCOMPARE(op.imageSize, QSize(100, 88));
    }
}

QTEST_MAIN(TestCardPrint)
#include "tst_cardprint.moc"
