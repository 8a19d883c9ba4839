#include "checkers/ui/TfrmCarta.h"

#include "checkers/ui/CheckerWindow.h"
#include "checkers/CreditCard.h"
#include "platform/Platform.h"
#include "storage/TextRules.h"

TfrmCarta::TfrmCarta(QWidget* parent)
    : DialogScreen(QStringLiteral("frmCarta"), CartaChecker::caption(), checkerWindowSize(), parent)
{
    const CheckerControls c = buildCheckerControls(this, QStringLiteral("txtNumero"), QStringLiteral("cmdControllo"));
    lblIstruzioni1 = c.line1;
    lblIstruzioni2 = c.line2;
    txtNumero = c.field;
    cmdControllo = c.button;
    lblIstruzioni1->setText(CartaChecker::instructionLine1());
    lblIstruzioni2->setText(CartaChecker::instructionLine2());

    txtNumero->installEventFilter(this);
    connect(txtNumero, &QLineEdit::textChanged, this, &TfrmCarta::txtNumeroChange);
    connect(cmdControllo, &QPushButton::clicked, this, &TfrmCarta::cmdControlloClick);
}

void TfrmCarta::Run(QWidget* owner, const QString& number)
{
    TfrmCarta checker(owner);
    checker.setNumber(number);
    checker.exec();
}

void TfrmCarta::setNumber(const QString& number)
{
    txtNumero->setText(TextRules::trim(number));
}

void TfrmCarta::txtNumeroChange()
{
    cmdControllo->setEnabled(CartaChecker::canCheck(txtNumero->text()));
}

bool TfrmCarta::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtNumero && event->type() == QEvent::KeyPress)
        return txtNumeroKeyPress(static_cast<const QKeyEvent*>(event));
    return DialogScreen::eventFilter(watched, event);
}

// True when the key is consumed here.
bool TfrmCarta::txtNumeroKeyPress(const QKeyEvent* key)
{
    switch (JudgeDigitKey(typedCharacter(key), CartaChecker::enterChecks(txtNumero->text()))) {
    case DigitKey::Check:
        cmdControlloClick();
        return true;
    case DigitKey::Ignore:
        return true;
    case DigitKey::Refuse:
        platform::current().showMessage(checkerInvalidCharacterMessage());
        return true;
    case DigitKey::Accept:
        break;
    }
    return false;
}

void TfrmCarta::cmdControlloClick()
{
    const CheckerOutcome outcome = CartaChecker::check(txtNumero->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
}
