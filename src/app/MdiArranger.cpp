#include "app/MdiArranger.h"

#include <algorithm>

namespace korvane::MdiArranger {

// Splits length into n parts whose sizes differ by at most one pixel.
static int partStart(int length, int n, int i) { return static_cast<int>(static_cast<long long>(length) * i / n); }

QList<QRect> tileHorizontally(const QRect &area, int n)
{
    QList<QRect> rects;
    for (int i = 0; i < n; ++i) {
        const int top = partStart(area.height(), n, i);
        const int bottom = partStart(area.height(), n, i + 1);
        rects << QRect(area.left(), area.top() + top, area.width(), bottom - top);
    }
    return rects;
}

QList<QRect> tileVertically(const QRect &area, int n)
{
    QList<QRect> rects;
    for (int i = 0; i < n; ++i) {
        const int left = partStart(area.width(), n, i);
        const int right = partStart(area.width(), n, i + 1);
        rects << QRect(area.left() + left, area.top(), right - left, area.height());
    }
    return rects;
}

QList<QRect> cascade(const QRect &area, int n, int step)
{
    QList<QRect> rects;
    if (n <= 0)
        return rects;
    // Every window keeps the same size; the stack fits the area while it can, and
    // windows never shrink below half of it.
    const int width = std::max(area.width() - (n - 1) * step, area.width() / 2);
    const int height = std::max(area.height() - (n - 1) * step, area.height() / 2);
    for (int i = 0; i < n; ++i) {
        int x = i * step;
        int y = i * step;
        if (x + width > area.width())
            x %= std::max(1, area.width() - width + 1);
        if (y + height > area.height())
            y %= std::max(1, area.height() - height + 1);
        rects << QRect(area.left() + x, area.top() + y, width, height);
    }
    return rects;
}

QList<QRect> arrangeIcons(const QRect &area, const QList<QSize> &iconSizes)
{
    QList<QRect> rects;
    int x = area.left();
    int rowBottom = area.bottom() + 1;
    for (const QSize &size : iconSizes) {
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            rowBottom -= size.height();
        }
        rects << QRect(QPoint(x, rowBottom - size.height()), size);
        x += size.width();
    }
    return rects;
}

} // namespace korvane::MdiArranger
