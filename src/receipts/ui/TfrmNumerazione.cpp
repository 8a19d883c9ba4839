#include "receipts/ui/TfrmNumerazione.h"

#include "platform/qt/FieldColours.h"
#include "platform/Platform.h"
#include "receipts/ReceiptSettings.h"
#include "storage/TextRules.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

namespace {

QLabel* infoLine(QWidget* parent, const QString& text, int y, bool warning)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(16, y, 440, 20);
    if (warning)
        FieldColours::markCaption(l, true);
    return l;
}

} // namespace

TfrmNumerazione::TfrmNumerazione()
    : DialogScreen(QStringLiteral("frmNumerazione"), QStringLiteral(" Imposta inizio numerazione"),
                   QSize(480, 290))
{
    auto* grpInfo = makeControl<QFrame>(this, QStringLiteral("grpInfo"));
    grpInfo->setGeometry(10, 10, 460, 120);
    grpInfo->setFrameShape(QFrame::StyledPanel);
    infoLine(grpInfo, QStringLiteral("Utilizzare la presente funzione se si vuole far"), 6, false);
    infoLine(grpInfo, QStringLiteral("partire la numerazione automatica delle ricevute"), 26, false);
    infoLine(grpInfo, QStringLiteral("da un numero superiore a 1."), 46, false);
    infoLine(grpInfo, QStringLiteral("Attenzione: per sfruttare la numerazione automatica, è necessario"), 72, true);
    infoLine(grpInfo, QStringLiteral("premere il pulsante Nuovo prima di compilare una nuova ricevuta."), 92, true);

    auto* grpInizio = makeControl<QGroupBox>(this, QStringLiteral("grpInizio"), QStringLiteral(" Inizia numerazione da: "));
    grpInizio->setGeometry(10, 140, 460, 80);
    auto* lblN = new QLabel(QStringLiteral("N."), grpInizio);
    lblN->setGeometry(20, 34, 24, 24);
    txtInizio = makeControl<QLineEdit>(grpInizio, QStringLiteral("txtInizio"));
    txtInizio->setGeometry(48, 34, 70, 26);
    txtInizio->setMaxLength(3);
    txtInizio->setReadOnly(true);
    // Only the spin control changes it, so Tab passes it by.
    txtInizio->setFocusPolicy(Qt::ClickFocus);
    QFont bold = txtInizio->font();
    bold.setBold(true);
    txtInizio->setFont(bold);
    // The spin control shows its arrows only: the number it counts is the field beside it.
    scrInizio = makeControl<QSpinBox>(grpInizio, QStringLiteral("scrInizio"));
    scrInizio->setGeometry(120, 34, 22, 26);
    scrInizio->setRange(1, 999);
    scrInizio->setSingleStep(1);
    scrInizio->setGroupSeparatorShown(false);
    QPalette arrowsOnly = scrInizio->palette();
    arrowsOnly.setColor(QPalette::Text, Qt::transparent);
    arrowsOnly.setColor(QPalette::Base, arrowsOnly.color(QPalette::Window));
    scrInizio->setPalette(arrowsOnly);
    connect(scrInizio, &QSpinBox::valueChanged, this, [this](int value) { txtInizio->setText(QString::number(value)); });

    auto* cmdAnnulla = dialogButton(this, "cmdAnnulla", QStringLiteral("Annulla"), QRect(230, 240, 110, 30));
    auto* cmdApplica = dialogButton(this, "cmdApplica", QStringLiteral("Applica e chiudi"), QRect(350, 240, 120, 30));
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApplica, &QPushButton::clicked, this, &TfrmNumerazione::cmdApplicaClick);
}

void TfrmNumerazione::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    if (event->spontaneous())
        return;
    QString start = ReceiptSettings::readNumberingStartText();
    if (TextRules::trim(start).isEmpty())
        start = QStringLiteral("1");
    // The spin control continues from the value shown; a hand-edited text
    // that is no number stays shown until the spin control is used.
    bool ok = false;
    const int value = TextRules::trim(start).toInt(&ok);
    {
        const QSignalBlocker quiet(scrInizio);
        scrInizio->setValue(ok ? value : 1);
    }
    txtInizio->setText(start);
    // The focus on the button keeps the caret out of the narrow spin control.
    findChild<QPushButton*>(QStringLiteral("cmdApplica"))->setFocus();
}

void TfrmNumerazione::cmdApplicaClick()
{
    // A start that could not be written is said, and the dialog stays:
    // closing it would pass for applied.
    const IniFile::Written written = ReceiptSettings::writeNumberingStart(TextRules::trim(txtInizio->text()));
    if (!written) {
        platform::current().showMessage(ReceiptSettings::unwritableMessage(written));
        return;
    }
    accept();
}
