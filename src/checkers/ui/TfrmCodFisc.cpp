#include "checkers/ui/TfrmCodFisc.h"

#include "checkers/ui/CheckerWindow.h"
#include "checkers/CodiceFiscale.h"
#include "checkers/ui/TfrmIva.h"
#include "storage/TextRules.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : DialogScreen(QStringLiteral("frmCodFisc"), CodFiscChecker::caption(), checkerWindowSize(), parent)
{
    const CheckerControls c = buildCheckerControls(this, QStringLiteral("txtCodice"), QStringLiteral("cmdCodFisc"));
    lblIstruzioni1 = c.line1;
    lblIstruzioni2 = c.line2;
    txtCodice = c.field;
    cmdCodFisc = c.button;
    lblIstruzioni1->setText(CodFiscChecker::instructionLine1());
    lblIstruzioni2->setText(CodFiscChecker::instructionLine2());
    txtCodice->setMaxLength(CodFiscChecker::kLength);

    connect(txtCodice, &QLineEdit::textChanged, this, &TfrmCodFisc::txtCodiceChange);
    connect(txtCodice, &QLineEdit::returnPressed, this, &TfrmCodFisc::txtCodiceEnter);
    connect(cmdCodFisc, &QPushButton::clicked, this, &TfrmCodFisc::cmdCodFiscClick);
}

void TfrmCodFisc::run(QWidget* owner, const QString& code)
{
    if (IsNumericCodiceFiscale(code)) {
        TfrmIva::run(owner, code, IvaChecker::Purpose::NumericCodiceFiscale);
        return;
    }
    TfrmCodFisc checker(owner);
    checker.setCode(code);
    checker.exec();
}

void TfrmCodFisc::setCode(const QString& code)
{
    putCallerText(txtCodice, TextRules::trim(code), CodFiscChecker::kLength);
}

void TfrmCodFisc::txtCodiceChange()
{
    const QString text = txtCodice->text();
    const QString upper = TextRules::upperAZ(text);
    // The replacement comes back here as a change of its own, with nothing left to fold.
    if (upper != text) {
        replaceKeepingCaret(txtCodice, upper);
        return;
    }
    cmdCodFisc->setEnabled(CodFiscChecker::canCheck(text));
}

void TfrmCodFisc::txtCodiceEnter()
{
    if (CodFiscChecker::enterChecks(txtCodice->text()))
        cmdCodFiscClick();
}

void TfrmCodFisc::cmdCodFiscClick()
{
    const CheckerOutcome outcome = CodFiscChecker::check(txtCodice->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
    else
        txtCodice->setFocus();
}
