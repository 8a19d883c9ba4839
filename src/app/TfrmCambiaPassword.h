#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// Changes the password of the store; closing it by any means returns to the login.
class TfrmCambiaPassword : public QWidget
{
    Q_OBJECT
public:
    TfrmCambiaPassword();

    void cmdOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fieldsChange();

    QLineEdit* txtPasswordOld;
    QLineEdit* txtPasswordNew;
    QLineEdit* txtConferma;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
};
