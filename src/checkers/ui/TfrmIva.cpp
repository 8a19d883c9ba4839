#include "checkers/ui/TfrmIva.h"

#include "checkers/ui/CheckerWindow.h"
#include "checkers/ui/DigitFieldKeys.h"
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

    DigitFieldKeys::install(txtCodice, &IvaChecker::enterChecks, [this] { cmdPartitaIvaClick(); },
                            IvaChecker::kLength);
    connect(txtCodice, &QLineEdit::textChanged, this, &TfrmIva::txtCodiceChange);
    connect(cmdPartitaIva, &QPushButton::clicked, this, &TfrmIva::cmdPartitaIvaClick);
}

void TfrmIva::run(QWidget* owner, const QString& code, IvaChecker::Purpose purpose)
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

void TfrmIva::cmdPartitaIvaClick()
{
    const CheckerOutcome outcome = IvaChecker::check(txtCodice->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
}
