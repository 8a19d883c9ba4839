#pragma once

#include <QColor>
#include <QHash>
#include <QObject>

#include <initializer_list>
#include <vector>

class QLabel;
class QWidget;

// Links shown as underlined labels, each often with a picture beside it that
// acts the same: while the mouse rests on a label or its picture the label
// takes the hot colour, and moving over the background (the rest areas) gives
// every label its resting colour again. The labels' colour is their palette's
// WindowText; a style sheet colour on them would hide it.
class LinkLabels : public QObject
{
    Q_OBJECT
public:
    LinkLabels(const QColor& rest, const QColor& hot, QObject* parent);

    // Underlines label; the mouse over it or over one of its partners marks it.
    void add(QLabel* label, std::initializer_list<QWidget*> partners = {});
    // Mouse moves over area put every label back to rest (its mouse tracking
    // is switched on, so moves arrive without a button pressed).
    void addRestArea(QWidget* area);
    // Every label to its resting colour.
    void rest() { mark(nullptr); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mark(QLabel* hot);

    QColor m_rest;
    QColor m_hot;
    std::vector<QLabel*> m_labels;
    QHash<QObject*, QLabel*> m_labelOf;    // label or partner -> its label
    std::vector<QObject*> m_restAreas;
};
