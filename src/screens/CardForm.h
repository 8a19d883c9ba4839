#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

// A card screen is its record: one table states, for every field of the
// card, the control that shows it, where it sits, how it looks, its place in
// the Enter/Tab chain, its key rule and the record field it is bound to. The
// capacity of each control is taken from the record, so the control, the
// chain and the binding cannot disagree.
namespace card {

enum class Control {
    Edit,       // a text field
    DropDown,   // an editable drop-down list (the screen adds the items)
    Hidden,     // a hidden label saved with the card (attachments, folder)
    Existing    // a control the screen has already made (the status band)
};

enum class Look {
    Bold,       // bold text on light green, yellow while focused
    RedItalic,  // the notes: red italic on light green
    Computed    // a computed amount: sky blue, read-only, out of the chain,
                // right-aligned and shown whole (Save judges whether it fits)
};

enum class KeyRule {
    None,
    UpperAlways,    // upper case (a to z) after every change, the caret kept
    UpperAsTyped,   // letters a to z typed become A to Z
    Digits,         // digits, Backspace and Enter; other characters refused with the message
    Amount,         // the amount key filter
    AmountLimited,  // the amount key filter with the 30,000,000 guard, which judges Enter too
    AmountLimitedEnterFirst,   // the same, but Enter moves on before the guard looks
    WholeNumber     // pieces: the amount key filter with Enter first and the
                    // 30,000,000 guard saying the row's message, the field set to "0"
};

// What leaving a field does to its text (a field left empty then takes its
// initial text, when it has one).
enum class Leave {
    Keep,           // left as typed
    Amount,         // NormalizeAmountText
    WholeNumber,    // NormalizeWholeNumberText
    Number,         // NormalizeNumberText (quantities, discounts, rates)
    UpToHundred     // a discount: NormalizeNumberText, and above 100 per cent
                    // it becomes 100 after the row's message
};

// Everything about one control but its record field.
struct FieldDef
{
    const char* control;
    Control kind = Control::Edit;
    const char* panel = nullptr;      // objectName of the group it sits in; nullptr: the card's container
    const char* caption = nullptr;    // the label beside it
    QRect captionRect;
    QRect rect;
    int chain = 0;                    // 1-based place in the Enter/Tab chain; 0: not in it
    Look look = Look::Bold;
    KeyRule rule = KeyRule::None;
    const char* message = nullptr;    // the refusal of KeyRule::Digits, the guard of KeyRule::WholeNumber,
                                      // the cap of Leave::UpToHundred
    const char* initial = nullptr;    // the text of a new card ("0,00", "0"); nullptr: empty
    Leave leave = Leave::Keep;
    const char* required = nullptr;   // a field Save needs: what it says when the field is empty
    Qt::Alignment align = {};         // the text's alignment; none: the control's own
};

// Why a card cannot be saved as it stands: the field to go back to and the text.
struct Refusal
{
    QString control;
    QString message;
};

// What a table row adds for a record type: the field it is bound to, or one
// member of a family of twenty (the receipt lines, stored column by column).
template <class Record>
struct Field
{
    QString Record::*field;
    FieldDef def;
    QString (Record::*family)[20] = nullptr;
    int member = 0;   // 0-based index in the family

    bool bound() const { return field || family; }
    QString& in(Record& r) const { return field ? r.*field : (r.*family)[member]; }
    const QString& in(const Record& r) const { return field ? r.*field : (r.*family)[member]; }
};

// The hidden labels of a card's three attached files and its linked folder,
// saved with the card (the client and the material cards).
template <class Record>
void addAttachmentFields(std::vector<Field<Record>>& table)
{
    using R = Record;
    const std::pair<QString R::*, const char*> hidden[] = {
        {&R::File01, "lblFile01"}, {&R::File02, "lblFile02"}, {&R::File03, "lblFile03"},
        {&R::Desc01, "lblDesc01"}, {&R::Desc02, "lblDesc02"}, {&R::Desc03, "lblDesc03"},
        {&R::Cartella, "lblCartella"}, {&R::CartellaDesc, "lblCartellaDesc"}};
    for (const auto& [field, control] : hidden)
        table.push_back({field, {control, Control::Hidden}});
}

// The capacity in characters of a record field, as the record stores it.
template <class Record>
int capacityOf(const Field<Record>& bound)
{
    Record probe;
    const QString* wanted = &bound.in(probe);
    int capacity = 0;
    Record::forEachField(probe, [&](QString& value, int cap) {
        if (&value == wanted)
            capacity = cap;
    });
    return capacity;
}

// The widget side, whatever the record.
class FormBase
{
public:
    // The controls are made below container (in the group named by each row).
    explicit FormBase(QWidget* container);

    QWidget* container() const { return m_container; }
    QWidget* widget(const QString& control) const;
    QLineEdit* edit(const QString& control) const;
    QComboBox* dropDown(const QString& control) const;

    // The text a control shows, and setting it (trimmed, as a card loads it).
    QString text(const QString& control) const;
    QString trimmed(const QString& control) const;
    void setText(const QString& control, const QString& text);

    // What leaving the control does, done now: Save settles a field that is
    // still being typed. The leave rule, then the initial text if empty.
    void settle(const QString& control);
    // Every empty control that has an initial text takes it.
    void fillDefaults();
    // Every capped field above its cap brought to it, as leaving it would,
    // with one message for all; true when any changed.
    bool enforceCaps();
    // The first required field (in table order) left empty.
    std::optional<Refusal> missingRequired() const;

    // Each bound control must exist exactly once below the window; the
    // problems found, one line each (none when the table is sound).
    QStringList bindingProblems() const;

protected:
    void build(const std::vector<FieldDef>& defs, const std::vector<int>& capacities);
    void bindControl(const char* control) { m_bound.append(QLatin1String(control)); }

private:
    QWidget* make(const FieldDef& def, int capacity);
    void applyRule(QWidget* control, const FieldDef& def);
    void guardSavedText(QLineEdit* edit, const FieldDef& def);
    void chainUp(const std::vector<FieldDef>& defs);

    struct Settling
    {
        QString control;
        Leave leave;
        QString initial;
        QString message;
    };

    QWidget* m_container;
    QStringList m_bound;
    std::vector<Settling> m_settling;
    std::vector<Refusal> m_required;
};

template <class Record>
class Form : public FormBase
{
public:
    Form(QWidget* container, std::vector<Field<Record>> table) : FormBase(container), m_table(std::move(table))
    {
        std::vector<FieldDef> defs;
        std::vector<int> capacities;
        for (const Field<Record>& f : m_table) {
            defs.push_back(f.def);
            capacities.push_back(f.bound() ? capacityOf(f) : 0);
            if (f.bound())
                bindControl(f.def.control);
        }
        build(defs, capacities);
    }

    const std::vector<Field<Record>>& table() const { return m_table; }

    // Every bound control emptied, or set to its initial text.
    void clear()
    {
        for (const Field<Record>& f : m_table) {
            if (f.bound())
                setText(QLatin1String(f.def.control), QString::fromUtf8(f.def.initial));
        }
    }

    // Every bound control filled from the record, trimmed.
    void load(const Record& record)
    {
        for (const Field<Record>& f : m_table) {
            if (f.bound())
                setText(QLatin1String(f.def.control), f.in(record));
        }
    }

    // The record as Save writes it: every bound control's text (trimmed and
    // cut to its width when the record is encoded).
    Record record() const
    {
        Record r;
        for (const Field<Record>& f : m_table) {
            if (f.bound())
                f.in(r) = text(QLatin1String(f.def.control));
        }
        return r;
    }

    // The control that shows a record field; empty for one the card does not bind.
    QString controlOf(QString Record::*member) const
    {
        for (const Field<Record>& f : m_table) {
            if (f.field == member)
                return QLatin1String(f.def.control);
        }
        return QString();
    }
    void setField(QString Record::*member, const QString& text) { setText(controlOf(member), text); }

    // Every bound control whose text the record changed shows the new one;
    // the others are not touched (caret and all).
    void showChanged(const Record& record)
    {
        for (const Field<Record>& f : m_table) {
            const QString control = QLatin1String(f.def.control);
            if (f.bound() && text(control) != f.in(record))
                setText(control, f.in(record));
        }
    }

    // The value of a record field by the name of the control that shows it
    // (printouts name their boxes after the card's controls); empty for a
    // control the card does not bind.
    static std::function<QString(const QString&)> valuesOf(const std::vector<Field<Record>>& table,
                                                           const Record& record)
    {
        return [&table, record](const QString& control) {
            for (const Field<Record>& f : table) {
                if (f.bound() && control == QLatin1String(f.def.control))
                    return f.in(record);
            }
            return QString();
        };
    }

private:
    std::vector<Field<Record>> m_table;
};

} // namespace card
