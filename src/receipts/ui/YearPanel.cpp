#include "receipts/ui/YearPanel.h"

#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/ScreenWindows.h"
#include "platform/qt/Screens.h"
#include "export/ui/TfrmEsportaRic.h"
#include "platform/Platform.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptsGuide.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ui/TfrmNumerazione.h"

#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A caption that acts like a link: red while the button is down over it,
// navy again when it is released, and its action on release.
class LinkCaption : public QLabel
{
public:
    LinkCaption(const QString& name, const QString& text, QWidget* parent, std::function<void()> act)
        : QLabel(text, parent), m_act(std::move(act))
    {
        setObjectName(name);
        QFont f = font();
        f.setUnderline(true);
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        setFont(f);
        paint(QColor(0, 0, 128));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { paint(Qt::red); }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        paint(QColor(0, 0, 128));
        m_act();
    }

private:
    void paint(const QColor& c)
    {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, c);
        setPalette(p);
    }
    std::function<void()> m_act;
};

// The text in colour, on a plate of its own when window is valid.
void paint(QWidget* w, const QColor& window, const QColor& text)
{
    QPalette p = w->palette();
    if (window.isValid()) {
        w->setAutoFillBackground(true);
        p.setColor(QPalette::Window, window);
    }
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
}

} // namespace

YearPanel::YearPanel(QWidget* panel, std::function<void()> open, std::function<void()> exit)
    : QWidget(panel), m_openYear(std::move(open)), m_exit(std::move(exit))
{
    setObjectName(QStringLiteral("panAnno"));
    setGeometry(panel->rect());
    buildTitle();
    buildYearBox();
    buildTools();
}

void YearPanel::buildTitle()
{
    auto* title = makeControl<QLabel>(this, QStringLiteral("lblTitolo"), QStringLiteral("Emissione ricevute."));
    title->setGeometry(40, 40, 915, 64);
    title->setIndent(20);
    // White on olive.
    paint(title, QColor(128, 128, 0), Qt::white);
    QFont tf = title->font();
    tf.setPointSize(26);
    tf.setBold(true);
    title->setFont(tf);
    auto* line = makeControl<QLabel>(this, QStringLiteral("lblSottotitolo"),
                                     QStringLiteral("In questo ambiente di lavoro è possibile emettere ricevute da rilasciare ai propri clienti."));
    line->setGeometry(40, 112, 915, 24);
    QFont italic = line->font();
    italic.setItalic(true);
    italic.setPointSize(italic.pointSize() + 2);
    line->setFont(italic);

    m_info = makeControl<QLabel>(this, QStringLiteral("lblInfo"));
    m_info->setGeometry(40, 600, 915, 24);
    paint(m_info, QColor(), QColor(128, 0, 128));
}

void YearPanel::buildYearBox()
{
    auto* group = new QGroupBox(QStringLiteral(" Fatture anno solare: "), this);
    group->setObjectName(QStringLiteral("grpFatture"));
    group->setGeometry(40, 170, 360, 110);
    m_year = makeControl<QLineEdit>(group, QStringLiteral("txtAnno"));
    m_year->setGeometry(20, 36, 150, 50);
    m_year->setMaxLength(4);
    QFont yf = m_year->font();
    yf.setPointSize(24);
    yf.setBold(true);
    m_year->setFont(yf);
    m_year->setAlignment(Qt::AlignCenter);
    FieldColours::install(m_year, FieldColours::restGreen());
    KeyFilters::yearDigits(m_year, [this] { m_openYear(); });
    m_open = makeControl<QPushButton>(group, QStringLiteral("cmdApri"), QStringLiteral("Apri"));
    m_open->setGeometry(200, 40, 130, 42);
    connect(m_open, &QPushButton::clicked, this, [this] { m_openYear(); });
    // The box as it stands, not the text signalled: a refused paste is put
    // back while its own change is still being signalled.
    connect(m_year, &QLineEdit::textChanged, this, [this] { m_open->setEnabled(m_year->text().size() == 4); });
    describe(m_open, QStringLiteral("Visualizza l'ambiente di lavoro per l'emissione delle ricevute."));
}

void YearPanel::buildTools()
{
    struct Item { const char* picture; const char* pictureName; const char* captionName; const char* caption; const char* info; std::function<void()> act; };
    const Item items[] = {
        {"btn_excel", "imgEsportaExcel", "lblEsportaExcel", "Esporta in Excel", "Esporta l'archivio annuale delle ricevute in un file di Microsoft Excel.", [this] { imgEsportaExcelClick(); }},
        {"btn_nuovo", "imgNumerazione", "lblNumerazione", "Inizio numerazione", "Imposta il numero da cui si vuol far partire la numerazione delle ricevute.", [this] { imgNumerazioneClick(); }},
        {"btn_allegati", "imgLogoDitta", "lblLogoDitta", "Logo ditta", "Carica un file Bitmap da inserire come logo nella stampa delle ricevute.", [] { Screens::get<TfrmLogo>()->exec(); }},
    };
    int row = 0;
    for (const Item& it : items) {
        auto* pic = new PictureButton(QLatin1String(it.pictureName), QStringLiteral(":/pictures/%1.png").arg(QLatin1String(it.picture)), QString(), this);
        pic->move(460, 180 + 56 * row);
        connect(pic, &PictureButton::released, this, it.act);
        auto* cap = new LinkCaption(QLatin1String(it.captionName), QString::fromUtf8(it.caption), this, it.act);
        cap->setGeometry(504, 182 + 56 * row, 300, 28);
        describe(pic, QString::fromUtf8(it.info));
        describe(cap, QString::fromUtf8(it.info));
        ++row;
    }
    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/btn_guida.png"), QString(), this);
    guide->move(40, 640);
    connect(guide, &PictureButton::released, this, [] { Screens::showGuide(receiptsGuideTitle(), receiptsGuideText()); });
    describe(guide, QStringLiteral("Visualizza una pagina della guida in linea sensibile al contesto."));
    auto* exit = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/pictures/btn_esci.png"), QString(), this);
    exit->move(923, 640);
    connect(exit, &PictureButton::released, this, [this] { m_exit(); });
    describe(exit, QStringLiteral("Esci dalla schermata di lavoro corrente."));
    auto* art = new Picture(QStringLiteral("imgRicevute"), QStringLiteral(":/pictures/info_ricevute.png"), this);
    art->move(40, 320);
}

void YearPanel::imgEsportaExcelClick()
{
    if (year().size() < 4) {
        platform::current().showTaskMessage(
            QStringLiteral("Esportazione archivio non applicabile"),
            QStringLiteral("Per esportare l'archivio delle ricevute in Excel è necessario indicare l'anno solare utilizzando 4 cifre."),
            platform::MessageIcon::Information);
        focusYear();
        return;
    }
    auto* exportWindow = Screens::get<TfrmEsportaRic>();
    exportWindow->setYear(year());
    exportWindow->exec();
}

void YearPanel::imgNumerazioneClick()
{
    // A start the dialog cannot read would be shown as 1 and could be
    // written over one it never saw.
    qint64 start = 0;
    QString text;
    if (ReceiptSettings::numberingStart(start, text) == ReceiptSettings::Start::Unreadable) {
        platform::current().showMessage(ReceiptSettings::unreadableMessage());
        return;
    }
    auto* dialog = Screens::get<TfrmNumerazione>();
    dialog->setWindowTitle(QStringLiteral(" Imposta inizio numerazione ricevute"));
    dialog->exec();
}

void YearPanel::describe(QWidget* w, const QString& text)
{
    w->setProperty("info", text);
    w->installEventFilter(this);
}

QString YearPanel::year() const
{
    return m_year->text();
}

void YearPanel::setYear(const QString& year)
{
    m_year->setText(year);
}

void YearPanel::focusYear()
{
    m_year->setFocus();
}

bool YearPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter)
        m_info->setText(watched->property("info").toString());
    return QWidget::eventFilter(watched, event);
}

// Over the background the line is emptied.
void YearPanel::enterEvent(QEnterEvent* event)
{
    m_info->clear();
    QWidget::enterEvent(event);
}
