#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace korvane {

// Geometry of the Window menu's arrangements, for n windows in a client area.
namespace MdiArranger {

// "平铺": each window the full width, one above the other.
QList<QRect> tileHorizontally(const QRect &area, int n);
// "垂直平铺": each window the full height, side by side.
QList<QRect> tileVertically(const QRect &area, int n);
// "重叠": each window one caption lower and to the right of the previous one.
QList<QRect> cascade(const QRect &area, int n, int step);
// "排列图标": minimized windows of the given size in a row along the bottom, left to right.
QList<QRect> arrangeIcons(const QRect &area, const QList<QSize> &iconSizes);

} // namespace MdiArranger
} // namespace korvane
