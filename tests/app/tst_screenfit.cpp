#include "app/Startup.h"
#include "platform/qt/Screens.h"

#include "FakePlatform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

// Every caption of every screen fits the control that shows it, at the size
// the screens are designed for, in the fonts the program asks for: nothing
// clipped or cut off.
class TestScreenFit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void captionsFit_data();
    void captionsFit();
    void aCutCaptionIsCaught();
    void captionsKeepClearOfTheirFields_data() { captionsFit_data(); }
    void captionsKeepClearOfTheirFields();

private:
    std::unique_ptr<FakePlatform> fake;
};

namespace {

// The room a text needs in a label of that width: word-wrapped labels break
// their lines, the others keep theirs.
QSize needed(const QLabel* l)
{
    const QFontMetrics fm(l->font());
    const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    return fm.boundingRect(QRect(0, 0, room.width(), 100000), flags, l->text()).size();
}

QString describe(const QWidget* w, const QString& text, QSize need, QSize have)
{
    return QStringLiteral("%1 \"%2\" needs %3×%4, has %5×%6")
        .arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName(),
             text.left(40))
        .arg(need.width())
        .arg(need.height())
        .arg(have.width())
        .arg(have.height());
}

QStringList clippedLabels(QWidget* screen)
{
    QStringList out;
    for (QLabel* l : screen->findChildren<QLabel*>()) {
        if (l->isHidden() || l->text().isEmpty() || l->textFormat() == Qt::RichText || !l->pixmap().isNull())
            continue;
        const QRect room = l->contentsRect();
        const QSize need = needed(l);
        // One pixel of slack: metrics are rounded.
        if (need.width() > room.width() + 1 || need.height() > room.height() + 1)
            out.append(describe(l, l->text(), need, room.size()));
    }
    return out;
}

QStringList clippedButtons(QWidget* screen)
{
    QStringList out;
    for (QAbstractButton* b : screen->findChildren<QAbstractButton*>()) {
        if (b->isHidden() || b->text().isEmpty())
            continue;
        // What the button's own style asks for its caption and decoration.
        const QSize need = b->sizeHint();
        const QSize have = b->size();
        const bool check = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        // A push button's hint adds generous side margins; its caption needs
        // the text and a little room.
        const int needWidth = check ? need.width()
                                    : QFontMetrics(b->font()).horizontalAdvance(b->text().remove(QLatin1Char('&'))) + 8;
        if (needWidth > have.width() + 1 || QFontMetrics(b->font()).height() > have.height())
            out.append(describe(b, b->text(), QSize(needWidth, need.height()), have));
    }
    for (QGroupBox* g : screen->findChildren<QGroupBox*>()) {
        if (g->isHidden() || g->title().isEmpty())
            continue;
        const int need = QFontMetrics(g->font()).horizontalAdvance(g->title()) + 8;
        if (need > g->width())
            out.append(describe(g, g->title(), QSize(need, 0), g->size()));
    }
    return out;
}

// Captions whose last letter ends closer than kClearance to a field beside
// them on the same row: they read as if typed into it.
constexpr int kClearance = 5;
QStringList touchingCaptions(QWidget* screen)
{
    QStringList out;
    for (QLabel* l : screen->findChildren<QLabel*>()) {
        if (l->isHidden() || l->text().isEmpty() || l->wordWrap() || !(l->alignment() & Qt::AlignLeft))
            continue;
        // Trailing blanks are room, not ink.
        QString ink = l->text();
        while (ink.endsWith(QLatin1Char(' ')))
            ink.chop(1);
        const int textEnd = l->x() + l->contentsRect().left() + QFontMetrics(l->font()).horizontalAdvance(ink);
        for (QLineEdit* f : l->parentWidget()->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
            const bool sameRow = f->y() < l->y() + l->height() && l->y() < f->y() + f->height();
            if (f->isHidden() || !sameRow || f->x() < l->x() || f->x() - textEnd >= kClearance)
                continue;
            out.append(QStringLiteral("%1 \"%2\" ends at %3, %4 starts at %5")
                           .arg(l->objectName(), l->text(), QString::number(textEnd), f->objectName(),
                                QString::number(f->x())));
        }
    }
    return out;
}

} // namespace

void TestScreenFit::initTestCase()
{
    fake = std::make_unique<FakePlatform>();
    CreateScreens();
}

void TestScreenFit::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : Screens::names())
        QTest::newRow(qPrintable(name)) << name;
}

void TestScreenFit::captionsFit()
{
    QFETCH(QString, name);
    QWidget* screen = Screens::byName(name);
    QVERIFY(screen);
    const QStringList clipped = clippedLabels(screen) + clippedButtons(screen);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("\n"))));
}

void TestScreenFit::captionsKeepClearOfTheirFields()
{
    QFETCH(QString, name);
    QWidget* screen = Screens::byName(name);
    QVERIFY(screen);
    const QStringList touching = touchingCaptions(screen);
    QVERIFY2(touching.isEmpty(), qPrintable(touching.join(QStringLiteral("\n"))));
}

void TestScreenFit::aCutCaptionIsCaught()
{
    // The check itself: a label, a wrapped label, a button and a check box
    // each one pixel short of their caption.
    QWidget screen;
    const QString text = QStringLiteral("Cognome e nome cliente:");
    auto* label = new QLabel(text, &screen);
    label->resize(QFontMetrics(label->font()).horizontalAdvance(text) - 2, 20);
    QVERIFY(clippedLabels(&screen).size() == 1);
    label->resize(label->width() + 2, 20);
    QVERIFY(clippedLabels(&screen).isEmpty());

    auto* wrapped = new QLabel(QStringLiteral("Inserire una o più parole consecutive presenti nella scheda da cercare"),
                               &screen);
    wrapped->setWordWrap(true);
    wrapped->resize(120, QFontMetrics(wrapped->font()).height());
    QCOMPARE(clippedLabels(&screen).size(), 1);
    wrapped->hide();

    auto* button = new QPushButton(QStringLiteral("Applica e chiudi"), &screen);
    button->resize(QFontMetrics(button->font()).horizontalAdvance(button->text()), 30);
    QCOMPARE(clippedButtons(&screen).size(), 1);
    button->resize(button->width() + 20, 30);
    auto* check = new QCheckBox(QStringLiteral("Sì pubblicità"), &screen);
    check->resize(check->sizeHint().width() - 4, check->sizeHint().height());
    QCOMPARE(clippedButtons(&screen).size(), 1);
}

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
