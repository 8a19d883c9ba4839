#include "checkers/ui/CheckerWindow.h"

#include "checkers/ui/DigitFieldKeys.h"
#include "platform/Platform.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/FixedFont.h"
#include "storage/TextRules.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CheckerWindow::CheckerWindow(const Names& names, const CheckerRules& rules, QWidget* parent)
    : DialogScreen(QLatin1String(names.window), rules.caption, QSize(580, 130), parent), m_rules(rules)
{
    lblIstruzioni1 = makeControl<QLabel>(this, QStringLiteral("lblIstruzioni1"));
    lblIstruzioni1->setGeometry(20, 14, 540, 18);
    lblIstruzioni2 = makeControl<QLabel>(this, QStringLiteral("lblIstruzioni2"));
    lblIstruzioni2->setGeometry(20, 32, 540, 18);
    showTexts(rules);

    m_field = makeControl<QLineEdit>(this, QLatin1String(names.field));
    QFont font = fixedFont(11);
    font.setBold(true);
    m_field->setFont(font);
    m_field->setGeometry(20, 70, 410, 30);
    if (rules.maxLength > 0)
        m_field->setMaxLength(rules.maxLength);
    FieldColours::install(m_field, Qt::white);

    // Enter belongs to the field, which decides when it means "Controlla":
    // the button is no default button that would press itself on every Enter.
    m_button = dialogButton(this, names.button, QStringLiteral("Controlla"), QRect(450, 70, 110, 30));
    m_button->setEnabled(false);

    if (rules.field == CheckerRules::Field::Digits)
        DigitFieldKeys::install(m_field, [this](const QString& text) { return m_rules.enterChecks(text); },
                                [this] { checkClick(); }, rules.maxLength);
    else
        connect(m_field, &QLineEdit::returnPressed, this, &CheckerWindow::fieldEnter);
    connect(m_field, &QLineEdit::textChanged, this, &CheckerWindow::fieldChange);
    connect(m_button, &QPushButton::clicked, this, &CheckerWindow::checkClick);
}

void CheckerWindow::showTexts(const CheckerRules& rules)
{
    setWindowTitle(rules.caption);
    lblIstruzioni1->setText(rules.instructionLine1);
    lblIstruzioni2->setText(rules.instructionLine2);
}

void CheckerWindow::setCode(const QString& code)
{
    const QString text = TextRules::trim(code);
    if (m_rules.maxLength > 0)
        m_field->setMaxLength(qMax(m_rules.maxLength, int(text.size())));
    m_field->setText(text);
}

void CheckerWindow::fieldChange()
{
    const QString text = m_field->text();
    m_button->setEnabled(m_rules.canCheck(text));
    if (m_rules.field != CheckerRules::Field::Capitals)
        return;
    const QString upper = TextRules::upperAZ(text);
    // The replacement comes back here as a change of its own, with nothing
    // left to fold; the caret stays where it was.
    if (upper != text) {
        const int caret = m_field->cursorPosition();
        m_field->setText(upper);
        m_field->setCursorPosition(caret);
    }
}

void CheckerWindow::fieldEnter()
{
    if (m_rules.enterChecks(m_field->text()))
        checkClick();
}

void CheckerWindow::checkClick()
{
    const CheckerOutcome outcome = m_rules.check(m_field->text());
    ShowCheckerMessage(outcome.message);
    if (outcome.closesWindow)
        close();
    else if (m_rules.refocusOnNotice)
        m_field->setFocus();
}

void ShowCheckerMessage(const CheckerMessage& message)
{
    if (message.box == CheckerMessage::Box::Plain)
        platform::current().showMessage(message.text);
    else
        platform::current().showTaskMessage(message.caption, message.text, message.icon);
}
