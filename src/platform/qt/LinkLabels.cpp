#include "platform/qt/LinkLabels.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

LinkLabels::LinkLabels(const QColor& rest, const QColor& hot, QObject* parent)
    : QObject(parent), m_rest(rest), m_hot(hot)
{
}

void LinkLabels::add(QLabel* label, std::initializer_list<QWidget*> partners)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    m_labels.push_back(label);
    m_labelOf.insert(label, label);
    label->installEventFilter(this);
    for (QWidget* partner : partners) {
        m_labelOf.insert(partner, label);
        partner->installEventFilter(this);
    }
    mark(nullptr);
}

void LinkLabels::addRestArea(QWidget* area)
{
    area->setMouseTracking(true);
    area->installEventFilter(this);
    m_restAreas.push_back(area);
}

void LinkLabels::mark(QLabel* hot)
{
    for (QLabel* label : m_labels) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, label == hot ? m_hot : m_rest);
        label->setPalette(p);
    }
}

bool LinkLabels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        if (QLabel* label = m_labelOf.value(watched))
            mark(label);
    } else if (event->type() == QEvent::MouseMove
               && std::find(m_restAreas.begin(), m_restAreas.end(), watched) != m_restAreas.end()) {
        mark(nullptr);
    }
    return QObject::eventFilter(watched, event);
}
