#include "warehouse/ui/TfrmImpMateriali.h"

#include "platform/Platform.h"
#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/PictureButton.h"
#include "platform/qt/RecordList.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"
#include "warehouse/MaterialCard.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

ListScreenSpec importSpec()
{
    ListScreenSpec spec;
    spec.objectName = QStringLiteral("frmImpMateriali");
    spec.caption = QStringLiteral(" Importa materiali da magazzino");
    spec.size = QSize(760, 540);
    spec.scrollWidth = 1300;
    // A failing archive ends the list where it stopped, without a message.
    spec.reportsArchiveFailure = false;
    spec.actionCaption = QStringLiteral("Importa");
    spec.doubleClickChooses = false;
    spec.instructions =
        QStringLiteral("Inserire una o più parole consecutive presenti nella scheda da cercare e premere il pulsante Trova.\n"
                       "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Trova.\n"
                       "Selezionare una voce dall'elenco e premere Importa.");
    spec.report = MaterialCard::goodsReport;
    return spec;
}

QString lineMark(int line)
{
    return QStringLiteral("voce_ric_%1").arg(line, 2, 10, QLatin1Char('0'));
}

} // namespace

TfrmImpMateriali::TfrmImpMateriali() : ListScreen(importSpec())
{
    lblMemory = makeControl<QLabel>(this, QStringLiteral("lblMemory"));
    lblMemory->hide();
    lblPosizione = makeControl<QLabel>(this, QStringLiteral("lblPosizione"));
    lblPosizione->hide();

    const int y = 424;
    listLabel(this, QStringLiteral("Giacenza attuale"), QRect(10, y, 130, 24));
    txtGiacenza = makeControl<QLineEdit>(this, QStringLiteral("txtGiacenza"));
    txtGiacenza->setGeometry(140, y, 130, 24);
    txtGiacenza->setReadOnly(true);
    txtGiacenza->setFocusPolicy(Qt::NoFocus);

    listLabel(this, QStringLiteral("Quant. da decurtare"), QRect(290, y, 140, 24));
    txtQuant = makeControl<QLineEdit>(this, QStringLiteral("txtQuant"));
    txtQuant->setGeometry(430, y, 130, 24);
    txtQuant->setMaxLength(15);
    FieldColours::install(txtQuant, Qt::white);
    // Enter is one of the keys the filter lets through; nothing here moves the focus on it.
    AmountKeyFilter::install(txtQuant, AmountKeyFilter::Limit::None)->setFieldName(QStringLiteral("Quant. da decurtare"));
    txtQuant->installEventFilter(this);
    connect(txtQuant, &QLineEdit::textEdited, this,
            [this](const QString& text) { enableImport(!text.isEmpty()); });

    optAggiorna = makeControl<QRadioButton>(this, QStringLiteral("optAggiorna"), QStringLiteral(" Aggiorna giacenza "));
    optAggiorna->setGeometry(566, y - 8, 184, 22);
    optNonAggiornare = makeControl<QRadioButton>(this, QStringLiteral("optNonAggiornare"),
                                                 QStringLiteral(" Non aggiornare giacenza "));
    optNonAggiornare->setGeometry(566, y + 16, 184, 22);
    optAggiorna->setChecked(true);
    connect(optAggiorna, &QRadioButton::clicked, this, &TfrmImpMateriali::colourOptions);
    connect(optNonAggiornare, &QRadioButton::clicked, this, &TfrmImpMateriali::colourOptions);
    colourOptions();

    QPushButton* importa = actionButton();
    importa->setEnabled(false);
    connect(importa, &QPushButton::clicked, this, &TfrmImpMateriali::cmdAnnullaClick);
    imgMano = new Picture(QStringLiteral("imgMano"), QStringLiteral(":/pictures/mano.png"), this);
    imgMano->move(importa->x() - imgMano->width() - 6, importa->y() + (importa->height() - imgMano->height()) / 2);
    imgMano->hide();

    connect(list(), &RecordList::selectedLinesChanged, this, &TfrmImpMateriali::lstRecordsClick);
}

void TfrmImpMateriali::setLine(int line, const QString& quantity)
{
    lblMemory->setText(lineMark(line));
    txtQuant->setText(TextRules::trim(quantity));
}

int TfrmImpMateriali::line() const
{
    const QString mark = TextRules::trim(lblMemory->text());
    for (int n = 1; n <= 20; ++n) {
        if (mark == lineMark(n))
            return n;
    }
    return 0;
}

void TfrmImpMateriali::showEvent(QShowEvent* event)
{
    // Every use starts without a choice: nothing clicked, nothing imported.
    m_imported.reset();
    m_chosenCode.clear();
    lblPosizione->clear();
    txtGiacenza->setText(QStringLiteral("0"));
    optAggiorna->setChecked(true);
    colourOptions();
    enableImport(false);
    ListScreen::showEvent(event);
    if (TextRules::trim(txtQuant->text()).isEmpty())
        txtQuant->setText(QStringLiteral("0"));
}

bool TfrmImpMateriali::collect(PackedLines& lines)
{
    return MaterialCard::importList(lines);
}

// The choice is made with "Importa", never with a double click.
void TfrmImpMateriali::choose(const QString&)
{
}

void TfrmImpMateriali::enableImport(bool enabled)
{
    actionButton()->setEnabled(enabled);
    imgMano->setVisible(enabled);
}

void TfrmImpMateriali::colourOptions()
{
    for (QRadioButton* option : {optAggiorna, optNonAggiornare})
        FieldColours::markCaption(option, option->isChecked());
}

void TfrmImpMateriali::lstRecordsClick()
{
    const QString line = list()->selectedLine();
    if (TextRules::trim(line).isEmpty()) {
        enableImport(false);
        return;
    }
    TRecMateriale record;
    qint64 position = 0;
    if (MaterialCard::findChosen(line, record, position)) {
        txtGiacenza->setText(TextRules::trim(record.Giacenza));
        lblPosizione->setText(QString::number(position));
        m_chosenCode = TextRules::trim(record.Codice);
    } else {
        // No card stands for the line any more: nothing of an earlier click
        // may be imported in its place.
        lblPosizione->clear();
        m_chosenCode.clear();
    }
    enableImport(true);
    if (TextRules::trim(txtQuant->text()).isEmpty())
        txtQuant->setText(QStringLiteral("0"));
}

void TfrmImpMateriali::cmdAnnullaClick()
{
    using Outcome = MaterialCard::ImportOutcome;
    const bool chosen = !TextRules::trim(list()->selectedLine()).isEmpty();
    // A line chosen whose card could not be found again when it was clicked
    // changed since the list was made.
    const qint64 position = chosen ? lblPosizione->text().toLongLong() : 0;
    TRecMateriale article;
    QString stockBefore;
    const Outcome outcome = chosen && position < 1
                                ? Outcome::Changed
                                : MaterialCard::importArticle(position, m_chosenCode, txtQuant->text(),
                                                              !optNonAggiornare->isChecked(), article, &stockBefore);
    if (outcome == Outcome::StockShort)
        platform::current().showTaskMessage(
            QStringLiteral("Aggiornamento giacenza non applicabile"),
            QStringLiteral("La quantità da decurtare non può essere superiore alla giacenza in magazzino."),
            platform::MessageIcon::Information);
    if (outcome == Outcome::Changed)
        platform::current().showMessage(MaterialCard::changedArticleMessage());
    if (outcome == Outcome::Imported) {
        // The stock is lowered by the import itself, not by the receipt's
        // Save: said, so that a receipt left unsaved is not taken for one
        // that changed nothing.
        if (!stockBefore.isEmpty() && stockBefore != TextRules::trim(article.Giacenza))
            platform::current().showTaskMessage(QStringLiteral("Aggiornamento giacenza"),
                                                MaterialCard::stockLoweredMessage(article, stockBefore),
                                                platform::MessageIcon::Information);
        m_imported = article;
        accept();
    } else {
        // Refused or failed: the window closes and the receipt line stays as it was.
        reject();
    }
}

bool TfrmImpMateriali::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtQuant && event->type() == QEvent::FocusOut) {
        const QString text = txtQuant->text();
        const QString normal = TextRules::trim(text).isEmpty() ? QStringLiteral("0") : NormalizeNumberText(text);
        if (normal != text)
            txtQuant->setText(normal);
    }
    return ListScreen::eventFilter(watched, event);
}
