#pragma once

#include "layouts/CardPrint.h"

#include <QWidget>

#include <functional>

// A printed card layout kept as a screen of its own (never shown as a
// window): the client card and the material card printouts.
class CardPrintScreen : public QWidget
{
    Q_OBJECT
public:
    // The value the card would save for each of its controls, by control name.
    using Values = std::function<QString(const QString& control)>;

    const PrintLayout& layout() const { return m_layout; }

protected:
    CardPrintScreen(const QString& objectName, PrintLayout layout, QString jobName);

    // Prints the card as it stands, saved or not, from the values Save would
    // write: the boxes, the footnote and what finish adds, then the print
    // dialog and one portrait page per copy asked for.
    void print(QWidget* owner, const Values& values, const std::function<void(PrintLayout&)>& finish = {});

private:
    PrintLayout m_layout;
    QString m_jobName;
};
