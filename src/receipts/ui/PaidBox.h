#pragma once

#include <QCheckBox>

// The paid box of a receipt, on a dark plate so that its captions read:
// white while not ticked, lime green while ticked, whether ticked by a
// click or by loading a receipt. It never takes the focus.
class PaidBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit PaidBox(QWidget* parent);

    void setPaid(bool paid);
};
