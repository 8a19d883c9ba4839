#include "app/TfrmPassword.h"

#include "app/PasswordField.h"
#include "launcher/PasswordStore.h"
#include "platform/qt/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "platform/Platform.h"
#include "storage/TextRules.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmPassword::TfrmPassword()
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral(" Ventoria © 2.0 - Autenticazione"));
    setUpPasswordWindow(this, 380, 150);

    auto* instruction = new QLabel(QStringLiteral("Immettere la password e premere OK."), this);
    instruction->setGeometry(20, 16, 340, 20);

    txtPassword = makePasswordField(this, "txtPassword");
    txtPassword->setGeometry(20, 44, 340, 26);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(20, 96, 90, 30);
    cmdOK->setEnabled(false);

    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    btnCambiaPassword->setGeometry(120, 96, 140, 30);

    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(270, 96, 90, 30);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordEnter);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    txtPassword->setFocus();
}

void TfrmPassword::showAgain()
{
    txtPassword->clear();
    show();
    activateWindow();
    txtPassword->setFocus();
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!TextRules::trim(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordEnter()
{
    if (!TextRules::trim(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick()
{
    // OK acts only on a non-empty password, whatever calls it.
    if (TextRules::trim(txtPassword->text()).isEmpty())
        return;
    QString stored;
    if (!PasswordStore::read(stored)) {
        platform::current().showMessage(PasswordStore::readErrorMessage());
        return;
    }
    // A missing store reads as empty and can never match a typed password.
    const QString typed = PasswordStore::canonical(txtPassword->text());
    if (!stored.isEmpty() && stored == typed) {
        Screens::get<TfrmAvvio>()->showLauncher();
        hide();
        return;
    }
    platform::current().showMessage(PasswordStore::loginFailedMessage());
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    Screens::get<TfrmCambiaPassword>()->show();
    hide();
}

void TfrmPassword::cmdEsciClick()
{
    close();
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    QApplication::quit();
}
