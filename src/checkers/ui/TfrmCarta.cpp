#include "checkers/ui/TfrmCarta.h"

#include "checkers/ui/CheckerWindow.h"
#include "checkers/ui/DigitFieldKeys.h"
#include "checkers/CreditCard.h"
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

    DigitFieldKeys::install(txtNumero, &CartaChecker::enterChecks, [this] { cmdControlloClick(); });
    connect(txtNumero, &QLineEdit::textChanged, this, &TfrmCarta::txtNumeroChange);
    connect(cmdControllo, &QPushButton::clicked, this, &TfrmCarta::cmdControlloClick);
}

void TfrmCarta::run(QWidget* owner, const QString& number)
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

void TfrmCarta::cmdControlloClick()
{
    const CheckerOutcome outcome = CartaChecker::check(txtNumero->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
}
