#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The login screen, the application's main window: the right password opens
// the launcher; closing it ends the program.
class TfrmPassword : public QWidget
{
    Q_OBJECT
public:
    TfrmPassword();

    // Back from the change screen: empty field, focus in it.
    void showAgain();

    void cmdOKClick();
    void btnCambiaPasswordClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void txtPasswordChange();
    void txtPasswordEnter();

    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* btnCambiaPassword;
    QPushButton* cmdEsci;
};
