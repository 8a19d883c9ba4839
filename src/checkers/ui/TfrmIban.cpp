#include "checkers/ui/TfrmIban.h"

#include "checkers/ui/CheckerWindow.h"
#include "checkers/Iban.h"
#include "storage/TextRules.h"

TfrmIban::TfrmIban(QWidget* parent)
    : DialogScreen(QStringLiteral("frmIban"), IbanChecker::caption(), checkerWindowSize(), parent)
{
    const CheckerControls c = buildCheckerControls(this, QStringLiteral("txtCodice"), QStringLiteral("cmdCheckIban"));
    lblIstruzioni1 = c.line1;
    lblIstruzioni2 = c.line2;
    txtCodice = c.field;
    cmdCheckIban = c.button;
    lblIstruzioni1->setText(IbanChecker::instructionLine1());
    lblIstruzioni2->setText(IbanChecker::instructionLine2());
    txtCodice->setMaxLength(IbanChecker::kMaximumLength);

    connect(txtCodice, &QLineEdit::textChanged, this, &TfrmIban::txtCodiceChange);
    connect(txtCodice, &QLineEdit::returnPressed, this, &TfrmIban::txtCodiceEnter);
    connect(cmdCheckIban, &QPushButton::clicked, this, &TfrmIban::cmdCheckIbanClick);
}

void TfrmIban::run(QWidget* owner, const QString& code)
{
    TfrmIban checker(owner);
    checker.setCode(code);
    checker.exec();
}

void TfrmIban::setCode(const QString& code)
{
    putCallerText(txtCodice, TextRules::trim(code), IbanChecker::kMaximumLength);
}

void TfrmIban::txtCodiceChange()
{
    const QString text = txtCodice->text();
    cmdCheckIban->setEnabled(IbanChecker::canCheck(text));
    const QString upper = TextRules::upperAZ(text);
    // The replacement comes back here as a change of its own, with nothing left to fold.
    if (upper != text)
        replaceKeepingCaret(txtCodice, upper);
}

void TfrmIban::txtCodiceEnter()
{
    if (IbanChecker::enterChecks(txtCodice->text()))
        cmdCheckIbanClick();
}

void TfrmIban::cmdCheckIbanClick()
{
    const CheckerOutcome outcome = IbanChecker::check(txtCodice->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
}
