#include "app/MdiArranger.h"

#include <gtest/gtest.h>

using namespace korvane;

TEST(MdiArranger, TilesCoverTheAreaWithoutGapsOrOverlap)
{
    const QRect area(0, 0, 509, 345);
    const QList<QRect> h = MdiArranger::tileHorizontally(area, 4);
    ASSERT_EQ(h.size(), 4);
    EXPECT_EQ(h.first().top(), 0);
    EXPECT_EQ(h.last().bottom(), 344);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(h[i].top(), h[i - 1].bottom() + 1);
    const QList<QRect> v = MdiArranger::tileVertically(area, 3);
    EXPECT_EQ(v.last().right(), 508);
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(v[i].left(), v[i - 1].right() + 1);
    EXPECT_TRUE(MdiArranger::tileVertically(area, 0).isEmpty());
}

TEST(MdiArranger, CascadeStaysInsideTheAreaEvenWithThirtyWindows)
{
    const QRect area(0, 0, 509, 345);
    const QList<QRect> c = MdiArranger::cascade(area, 30, 24);
    ASSERT_EQ(c.size(), 30);
    for (const QRect &r : c)
        EXPECT_TRUE(area.contains(r)) << r.x() << "," << r.y();
    EXPECT_EQ(c[1].topLeft(), QPoint(24, 24));
}

TEST(MdiArranger, IconsLineUpAlongTheBottomAndWrapUpwards)
{
    const QRect area(0, 0, 300, 200);
    const QList<QRect> icons = MdiArranger::arrangeIcons(area, QList<QSize>(4, QSize(120, 20)));
    EXPECT_EQ(icons[0], QRect(0, 180, 120, 20));
    EXPECT_EQ(icons[1], QRect(120, 180, 120, 20));
    EXPECT_EQ(icons[2], QRect(0, 160, 120, 20));
}
