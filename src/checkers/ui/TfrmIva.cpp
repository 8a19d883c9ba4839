#include "checkers/ui/TfrmIva.h"

#include "checkers/ui/CheckerWindow.h"
#include "platform/Platform.h"
#include "storage/TextRules.h"

TfrmIva::TfrmIva(QWidget* parent)
    : DialogScreen(QStringLiteral("frmIva"), IvaChecker::caption(IvaChecker::Purpose::PartitaIva),
                   checkerWindowSize(), parent)
{
    const CheckerControls c = buildCheckerControls(this, QStringLiteral("txtCodice"), QStringLiteral("cmdPartitaIva"));
    lblIstruzioni1 = c.line1;
    lblIstruzioni2 = c.line2;
    txtCodice = c.field;
    cmdPartitaIva = c.button;
    txtCodice->setMaxLength(IvaChecker::kLength);
    setPurpose(IvaChecker::Purpose::PartitaIva);

    txtCodice->installEventFilter(this);
    connect(txtCodice, &QLineEdit::textChanged, this, &TfrmIva::txtCodiceChange);
    connect(cmdPartitaIva, &QPushButton::clicked, this, &TfrmIva::cmdPartitaIvaClick);
}

void TfrmIva::Run(QWidget* owner, const QString& code, IvaChecker::Purpose purpose)
{
    TfrmIva checker(owner);
    checker.setPurpose(purpose);
    checker.setCode(code);
    checker.exec();
}

void TfrmIva::setPurpose(IvaChecker::Purpose purpose)
{
    setWindowTitle(IvaChecker::caption(purpose));
    lblIstruzioni1->setText(IvaChecker::instructionLine1(purpose));
    lblIstruzioni2->setText(IvaChecker::instructionLine2(purpose));
}

void TfrmIva::setCode(const QString& code)
{
    // A longer code is shown whole; the key filter keeps typing within 11 digits.
    putCallerText(txtCodice, TextRules::trim(code), IvaChecker::kLength);
}

void TfrmIva::txtCodiceChange()
{
    cmdPartitaIva->setEnabled(IvaChecker::canCheck(txtCodice->text()));
}

bool TfrmIva::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCodice && event->type() == QEvent::KeyPress)
        return txtCodiceKeyPress(static_cast<const QKeyEvent*>(event));
    return DialogScreen::eventFilter(watched, event);
}

// True when the key is consumed here.
bool TfrmIva::txtCodiceKeyPress(const QKeyEvent* key)
{
    const QChar typed = typedCharacter(key);
    switch (JudgeDigitKey(typed, IvaChecker::enterChecks(txtCodice->text()))) {
    case DigitKey::Check:
        cmdPartitaIvaClick();
        return true;
    case DigitKey::Ignore:
        return true;
    case DigitKey::Refuse:
        platform::current().showMessage(checkerInvalidCharacterMessage());
        return true;
    case DigitKey::Accept:
        break;
    }
    const bool isDigit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    return isDigit && !roomToType();
}

bool TfrmIva::roomToType() const
{
    return txtCodice->text().size() - txtCodice->selectedText().size() < IvaChecker::kLength;
}

void TfrmIva::cmdPartitaIvaClick()
{
    const CheckerOutcome outcome = IvaChecker::check(txtCodice->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
}
