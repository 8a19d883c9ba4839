#include "receipts/ui/PaidBox.h"

PaidBox::PaidBox(QWidget* parent) : QCheckBox(QStringLiteral(" Saldato "), parent)
{
    setObjectName(QStringLiteral("chkSaldato"));
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    connect(this, &QCheckBox::clicked, this, &PaidBox::setPaid);
    setPaid(false);
}

void PaidBox::setPaid(bool paid)
{
    setChecked(paid);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    const QColor caption = paid ? QColor(0, 255, 0) : QColor(Qt::white);
    p.setColor(QPalette::WindowText, caption);
    setPalette(p);
    // The style draws check boxes from the style sheet, not the palette.
    setStyleSheet(QStringLiteral("QCheckBox { background: #000080; color: %1; padding-left: 8px; font-weight: bold; }"
                                 "QCheckBox::indicator { width: 14px; height: 14px; border: 1px solid white; background: white; }"
                                 "QCheckBox::indicator:checked { background: #00FF00; }")
                      .arg(caption.name()));
}
