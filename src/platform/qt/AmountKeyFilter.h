#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QKeyEvent;
class QLineEdit;

// The key filter of amount fields: digits, one comma, Backspace and Enter
// pass; any other character is refused with "Attenzione: carattere non
// valido.". With the value limit, a field whose text already reads above
// 30,000,000 refuses the key with "Attenzione: valore non valido." and
// becomes "0,00". Editing and navigation keys (Delete, arrows, Home/End)
// type no character and always pass; Ctrl+V types one and is refused.
//
// The same filter serves the fields of whole pieces (stock, warning level):
// their guard speaks of the field and resets it to "0", and in a card Enter
// belongs to the Enter chain, so it can pass before the guard looks.
class AmountKeyFilter : public QObject
{
    Q_OBJECT
public:
    enum class Limit { None, ThirtyMillion };

    // What the 30,000,000 guard says, and the text the field takes then.
    struct Guard
    {
        QString message;
        QString resetText;
    };
    struct Options
    {
        std::optional<Guard> guard;   // none: no value limit
        bool enterFirst = false;      // Enter passes before the guard and the checks
    };

    // The guard of amounts: "Attenzione: valore non valido.", the field becomes "0,00".
    static Guard amountGuard();

    // Installs a filter owned by the field.
    static AmountKeyFilter* install(QLineEdit* field, Limit limit);
    static AmountKeyFilter* install(QLineEdit* field, Options options);

    // The field as its caption names it ("Prezzo", "Quant. della riga 3"):
    // a refused character is then said with the field and what it takes.
    void setFieldName(const QString& name) { m_fieldName = name; }
    // The refusal of a character in the field named: the first line as
    // every refusal has it, then the field and what it takes.
    static QString refusalFor(const QString& fieldName);
    // A caption as a field's name: blanks and a closing colon dropped.
    static QString nameOfCaption(const QString& caption);

signals:
    // A character passed the filter and is about to reach the field (the
    // receipt editor empties the totals that depended on the field).
    void accepted(QChar typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AmountKeyFilter(QLineEdit* field, Options options);
    // The decimal key of the numeric keypad, whatever character it gives.
    static bool isKeypadDecimal(const QKeyEvent& key);
    // Whether c may reach the field; a refusal is said (and a guarded field
    // reset) here.
    bool judge(QChar c);

    QString m_fieldName;

    QLineEdit* m_field;
    Options m_options;
};
