#pragma once

#include <QPoint>
#include <QSize>

// Where a fixed-size content panel goes so that it stays centred in its
// window: half the outer size less half the panel, less the allowance for
// the window frame and title bar (dx, dy). Halves are truncated.
inline QPoint centredPanelPosition(QSize outer, QSize panel, int dx, int dy)
{
    return QPoint(outer.width() / 2 - panel.width() / 2 - dx, outer.height() / 2 - panel.height() / 2 - dy);
}

// Every content panel of the launcher and the work areas.
inline QSize contentPanelSize()
{
    return QSize(995, 688);
}
