#include "screens/CardForm.h"

#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "platform/Platform.h"
#include "storage/Amounts.h"
#include "storage/TextRules.h"

#include <QComboBox>
#include <QFocusEvent>
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

namespace {

// A discount above 100 per cent would give a negative line total.
bool aboveHundred(const QString& text)
{
    double value = 0;
    return ParseAmount(NormalizeNumberText(text), value) && value > 100;
}

void settleText(QLineEdit* edit, Leave leave, const QString& initial, const QString& message)
{
    if (leave == Leave::UpToHundred && aboveHundred(edit->text())) {
        edit->setText(QStringLiteral("100"));
        platform::current().showMessage(message);
    }
    QString text = edit->text();
    switch (leave) {
    case Leave::Keep:
        break;
    case Leave::Amount:
        text = NormalizeAmountText(text);
        break;
    case Leave::WholeNumber:
        text = NormalizeWholeNumberText(text);
        break;
    case Leave::Number:
    case Leave::UpToHundred:
        text = NormalizeNumberText(text);
        break;
    }
    if (TextRules::trim(text).isEmpty())
        text = initial;
    if (text != edit->text())
        edit->setText(text);
}

// Settles a field when the user leaves it for another control. A box or a
// menu taking the focus for a moment is not leaving: the field is still
// being typed when it comes back.
class LeaveWatcher : public QObject
{
public:
    LeaveWatcher(QLineEdit* edit, Leave leave, QString initial, QString message)
        : QObject(edit), m_edit(edit), m_leave(leave), m_initial(std::move(initial)), m_message(std::move(message))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                settleText(m_edit, m_leave, m_initial, m_message);
        }
        return false;
    }

private:
    QLineEdit* m_edit;
    Leave m_leave;
    QString m_initial;
    QString m_message;
};

} // namespace

void FormBase::settle(const QString& control)
{
    QLineEdit* field = edit(control);
    for (const Settling& s : m_settling) {
        if (field && s.control == control)
            settleText(field, s.leave, s.initial, s.message);
    }
}

void FormBase::fillDefaults()
{
    for (const Settling& s : m_settling) {
        if (trimmed(s.control).isEmpty() && !s.initial.isEmpty())
            setText(s.control, s.initial);
    }
}

bool FormBase::enforceCaps()
{
    QString message;
    for (const Settling& s : m_settling) {
        QLineEdit* field = edit(s.control);
        if (s.leave == Leave::UpToHundred && field && aboveHundred(field->text())) {
            field->setText(QStringLiteral("100"));
            message = s.message;
        }
    }
    if (!message.isNull())
        platform::current().showMessage(message);
    return !message.isNull();
}

std::optional<Refusal> FormBase::missingRequired() const
{
    for (const Refusal& r : m_required) {
        if (trimmed(r.control).isEmpty())
            return r;
    }
    return std::nullopt;
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
    f.setBold(look != Look::RedItalic);
    f.setItalic(look == Look::RedItalic);
    return f;
}

// A field's key filter names it as its caption does.
void named(AmountKeyFilter* filter, const FieldDef& def)
{
    if (def.caption)
        filter->setFieldName(AmountKeyFilter::nameOfCaption(QString::fromUtf8(def.caption)));
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
    if (capacity > 0 && def.look != Look::Computed)
        edit->setMaxLength(capacity);
    if (def.align)
        edit->setAlignment(def.align);
    FieldColours::install(edit, FieldColours::restGreen());
    if (def.look == Look::Computed) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FieldColours::setBackground(edit, FieldColours::computedBlue());
    }
    if (def.leave != Leave::Keep || def.initial) {
        const QString initial = QString::fromUtf8(def.initial);
        const QString message = QString::fromUtf8(def.message);
        m_settling.push_back({name, def.leave, initial, message});
        edit->installEventFilter(new LeaveWatcher(edit, def.leave, initial, message));
    }
    if (def.required)
        m_required.push_back({name, QString::fromUtf8(def.required)});
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
        named(AmountKeyFilter::install(edit, AmountKeyFilter::Limit::None), def);
        break;
    case KeyRule::AmountLimited:
        named(AmountKeyFilter::install(edit, AmountKeyFilter::Limit::ThirtyMillion), def);
        break;
    case KeyRule::AmountLimitedEnterFirst:
        named(AmountKeyFilter::install(edit, {AmountKeyFilter::amountGuard(), true}), def);
        break;
    case KeyRule::WholeNumber:
        named(AmountKeyFilter::install(edit, {AmountKeyFilter::Guard{QString::fromUtf8(def.message), QStringLiteral("0")}, true}), def);
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
    case KeyRule::AmountLimitedEnterFirst:
    case KeyRule::WholeNumber:
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
