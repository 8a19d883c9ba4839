#include "app/TfrmCambiaPassword.h"

#include "app/PasswordField.h"
#include "launcher/PasswordStore.h"
#include "platform/qt/Screens.h"
#include "app/TfrmPassword.h"
#include "platform/Platform.h"
#include "storage/TextRules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmCambiaPassword::TfrmCambiaPassword()
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    setUpPasswordWindow(this, 400, 190);

    const char* names[] = {"txtPasswordOld", "txtPasswordNew", "txtConferma"};
    const QString labels[] = {QStringLiteral("Vecchia password:"), QStringLiteral("Nuova password:"),
                              QStringLiteral("Conferma nuova pw:")};
    QLineEdit** fields[] = {&txtPasswordOld, &txtPasswordNew, &txtConferma};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(labels[i], this);
        label->setGeometry(20, 20 + 36 * i, 130, 26);
        *fields[i] = makePasswordField(this, names[i]);
        (*fields[i])->setGeometry(150, 20 + 36 * i, 230, 26);
        connect(*fields[i], &QLineEdit::textChanged, this, &TfrmCambiaPassword::fieldsChange);
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(150, 140, 110, 30);
    cmdOK->setEnabled(false);
    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(270, 140, 110, 30);

    // Enter walks the fields and never presses OK.
    connect(txtPasswordOld, &QLineEdit::returnPressed, txtPasswordNew, qOverload<>(&QWidget::setFocus));
    connect(txtPasswordNew, &QLineEdit::returnPressed, txtConferma, qOverload<>(&QWidget::setFocus));
    connect(txtConferma, &QLineEdit::returnPressed, this, [this] {
        if (cmdOK->isEnabled())
            cmdOK->setFocus();
        else
            txtPasswordOld->setFocus();
    });
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    QWidget::showEvent(event);
    activateWindow();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::fieldsChange()
{
    cmdOK->setEnabled(!TextRules::trim(txtPasswordOld->text()).isEmpty()
                      && !TextRules::trim(txtPasswordNew->text()).isEmpty()
                      && !TextRules::trim(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    if (!cmdOK->isEnabled())
        return;
    QString stored;
    if (!PasswordStore::read(stored)) {
        platform::current().showMessage(PasswordStore::changeErrorMessage());
        return;
    }
    if (stored.isEmpty() || stored != PasswordStore::canonical(txtPasswordOld->text())) {
        platform::current().showMessage(PasswordStore::oldPasswordWrongMessage());
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    }
    // The confirmation must match as typed: letter case counts here.
    if (TextRules::trim(txtPasswordNew->text()) != TextRules::trim(txtConferma->text())) {
        platform::current().showMessage(PasswordStore::confirmationMismatchMessage());
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    // Refused before anything is written: the store could not give it back.
    if (!PasswordStore::storable(txtPasswordNew->text())) {
        platform::current().showMessage(PasswordStore::notStorableMessage());
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    // The old password is asked of the store again under the write's lock:
    // another workstation may have changed it since the check above.
    switch (PasswordStore::replace(txtPasswordOld->text(), txtPasswordNew->text())) {
    case PasswordStore::Replaced::Done:
        break;
    case PasswordStore::Replaced::OldPasswordWrong:
        platform::current().showMessage(PasswordStore::oldPasswordWrongMessage());
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    case PasswordStore::Replaced::Failed:
        platform::current().showMessage(PasswordStore::changeErrorMessage());
        return;
    }
    platform::current().showMessage(PasswordStore::changedMessage());
    close();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    Screens::get<TfrmPassword>()->showAgain();
}
