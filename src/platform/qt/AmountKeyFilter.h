#pragma once

#include <QObject>

class QLineEdit;

// The key filter of amount fields: digits, one comma, Backspace and Enter
// pass; any other character is refused with "Attenzione: carattere non
// valido.". With the value limit, a field whose text already reads above
// 30,000,000 refuses the key with "Attenzione: valore non valido." and
// becomes "0,00". Editing and navigation keys (Delete, arrows, Home/End)
// type no character and always pass; Ctrl+V types one and is refused.
class AmountKeyFilter : public QObject
{
    Q_OBJECT
public:
    enum class Limit { None, ThirtyMillion };

    // Installs a filter owned by the field.
    static AmountKeyFilter* install(QLineEdit* field, Limit limit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AmountKeyFilter(QLineEdit* field, Limit limit);

    QLineEdit* m_field;
    Limit m_limit;
};
