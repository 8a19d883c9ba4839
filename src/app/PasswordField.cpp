#include "app/PasswordField.h"

#include "platform/qt/FieldColours.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

QLineEdit* makePasswordField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(230);
    field->setEchoMode(QLineEdit::Password);
    QFont f = field->font();
    f.setBold(true);
    field->setFont(f);
    FieldColours::install(field, Qt::white);
    return field;
}

void setUpPasswordWindow(QWidget* window, int width, int height)
{
    window->setFixedSize(width, height);
    window->setAutoFillBackground(true);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    window->setPalette(p);
    window->setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));
}
