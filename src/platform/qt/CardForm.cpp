#include "platform/qt/CardForm.h"

#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/Platform.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace card {

FormBase::FormBase(QWidget* container) : m_container(container)
{
}

QWidget* FormBase::widget(const QString& control) const
{
    return m_container->findChild<QWidget*>(control);
}

QLineEdit* FormBase::edit(const QString& control) const
{
    return m_container->findChild<QLineEdit*>(control);
}

QComboBox* FormBase::dropDown(const QString& control) const
{
    return m_container->findChild<QComboBox*>(control);
}

// A card control's text, whatever its kind (text field, drop-down list, label).
QString FormBase::text(const QString& control) const
{
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return QString();
}

QString FormBase::trimmed(const QString& control) const
{
    return TextRules::trim(text(control));
}

void FormBase::setText(const QString& control, const QString& text)
{
    QWidget* w = widget(control);
    const QString value = TextRules::trim(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(value);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
}

QStringList FormBase::bindingProblems() const
{
    QStringList problems;
    QWidget* window = m_container->window();
    for (const QString& name : m_bound) {
        // A drop-down's own line edit carries no name, so only named controls count.
        const int found = int(window->findChildren<QWidget*>(name).size());
        if (found != 1)
            problems.append(QStringLiteral("%1: %2 controls").arg(name).arg(found));
    }
    return problems;
}

void FormBase::build(const std::vector<FieldDef>& defs, const std::vector<int>& capacities)
{
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (QWidget* control = make(defs[i], capacities[i]))
            applyRule(control, defs[i]);
    }
    chainUp(defs);
}

namespace {

QFont lookFont(QFont f, Look look)
{
    f.setBold(look == Look::Bold);
    f.setItalic(look == Look::RedItalic);
    return f;
}

void addCaption(QWidget* parent, const FieldDef& def)
{
    if (!def.caption)
        return;
    auto* label = new QLabel(QString::fromUtf8(def.caption), parent);
    label->setGeometry(def.captionRect);
    QFont f = label->font();
    f.setBold(false);
    label->setFont(f);
}

} // namespace

QWidget* FormBase::make(const FieldDef& def, int capacity)
{
    const QString name = QLatin1String(def.control);
    if (def.kind == Control::Existing)
        return nullptr;
    QWidget* parent = def.panel ? m_container->findChild<QWidget*>(QLatin1String(def.panel)) : m_container;
    Q_ASSERT(parent);
    if (def.kind == Control::Hidden) {
        auto* hidden = new QLabel(parent);
        hidden->setObjectName(name);
        hidden->hide();
        return hidden;
    }
    addCaption(parent, def);

    QLineEdit* edit = nullptr;
    QWidget* control = nullptr;
    if (def.kind == Control::DropDown) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What is typed stands as typed: no completion popup over the card.
        combo->setCompleter(nullptr);
        edit = combo->lineEdit();
        control = combo;
    } else {
        edit = new QLineEdit(parent);
        control = edit;
    }
    control->setObjectName(name);
    control->setGeometry(def.rect);
    control->setFont(lookFont(control->font(), def.look));
    if (def.look == Look::RedItalic) {
        QPalette p = edit->palette();
        p.setColor(QPalette::Text, Qt::red);
        edit->setPalette(p);
    }
    if (capacity > 0)
        edit->setMaxLength(capacity);
    FieldColours::install(edit, FieldColours::restGreen());
    return control;
}

void FormBase::applyRule(QWidget* control, const FieldDef& def)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        edit = combo->lineEdit();
    if (!edit)
        return;
    guardSavedText(edit, def);
    switch (def.rule) {
    case KeyRule::None:
        break;
    case KeyRule::UpperAlways:
        KeyFilters::upperCaseAlways(edit);
        break;
    case KeyRule::UpperAsTyped:
        KeyFilters::upperCaseAsTyped(edit);
        break;
    case KeyRule::Digits:
        KeyFilters::digitsOnly(edit, QString::fromUtf8(def.message));
        break;
    case KeyRule::Amount:
        AmountKeyFilter::install(edit, AmountKeyFilter::Limit::None);
        break;
    case KeyRule::AmountLimited:
        AmountKeyFilter::install(edit, AmountKeyFilter::Limit::ThirtyMillion);
        break;
    }
}

// What the card shows is what Save writes: characters the archive cannot
// hold are refused in the field's usual box.
void FormBase::guardSavedText(QLineEdit* edit, const FieldDef& def)
{
    std::function<void()> complain;
    switch (def.rule) {
    case KeyRule::Amount:
    case KeyRule::AmountLimited:
        complain = [edit] { platform::current().showKeyFilterMessage(edit, invalidCharacterMessage()); };
        break;
    case KeyRule::Digits: {
        const QString message = QString::fromUtf8(def.message);
        complain = [message] { platform::current().showMessage(message); };
        break;
    }
    default:
        complain = [] { platform::current().showMessage(KeyFilters::unsavedCharacterMessage()); };
        break;
    }
    KeyFilters::savedTextOnly(edit, complain);
}

void FormBase::chainUp(const std::vector<FieldDef>& defs)
{
    std::vector<const FieldDef*> chained;
    for (const FieldDef& d : defs) {
        if (d.chain > 0)
            chained.push_back(&d);
    }
    std::sort(chained.begin(), chained.end(), [](const FieldDef* a, const FieldDef* b) { return a->chain < b->chain; });
    QList<QWidget*> chain;
    for (const FieldDef* d : chained)
        chain.append(widget(QLatin1String(d->control)));
    // Tab follows the same order as Enter.
    for (int i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
    KeyFilters::enterChain(chain);
}

} // namespace card
