#include "app/ImageFit.h"
#include "app/LineWidthRules.h"
#include "app/TrackerGeometry.h"

#include <gtest/gtest.h>

using namespace CorvTrackerGeometry;

// Guards picking a line: the end squares run from -3 inclusive to +3 exclusive, the line itself is hit
// closer than 4 pixels, and a line whose ends coincide is measured to its first end.
TEST(TrackerGeometry, LineHitTest)
{
    const QPoint a(10, 10), b(110, 10);
    struct Case { QPoint point; int part; };
    const Case cases[] = {
        {{7, 7}, FirstEnd},   {{12, 12}, FirstEnd}, {{13, 10}, WholeLine}, {{107, 9}, SecondEnd},
        {{60, 13}, WholeLine}, {{60, 14}, LineMiss}, {{60, 7}, WholeLine}, {{60, 6}, LineMiss},
        {{114, 10}, LineMiss}, {{113, 10}, WholeLine},
    };
    for (const Case &c : cases)
        EXPECT_EQ(HitTest(a, b, c.point), c.part) << c.point.x() << "," << c.point.y();
    EXPECT_EQ(DistanceToSegment(QPoint(5, 5), QPoint(6, 6), QPoint(5, 9)), 4);
    EXPECT_EQ(DistanceToSegment(QPoint(0, 0), QPoint(0, 100), QPoint(3, 200)), 100);
}

// Guards pictures kept at their shape: a corner drag keeps the width and makes the height fit the ratio
// against the fixed corner, a matching shape and a side handle are left alone, and only corners are offered.
TEST(TrackerGeometry, AspectKeeping)
{
    const QRect proposed(10, 20, 100, 80);
    EXPECT_EQ(AdjustForAspect(BottomRight, proposed, 2.0), QRect(10, 20, 100, 50));
    EXPECT_EQ(AdjustForAspect(BottomLeft, proposed, 2.0), QRect(10, 20, 100, 50));
    EXPECT_EQ(AdjustForAspect(TopLeft, proposed, 2.0), QRect(10, 50, 100, 50));
    EXPECT_EQ(AdjustForAspect(TopRight, proposed, 2.0), QRect(10, 50, 100, 50));
    EXPECT_EQ(AdjustForAspect(BottomRight, QRect(10, 20, 100, 50), 2.0), QRect(10, 20, 100, 50));
    EXPECT_EQ(AdjustForAspect(Right, proposed, 2.0), proposed);
    EXPECT_EQ(AdjustForAspect(BottomRight, proposed, 0.0), proposed);
    EXPECT_EQ(AdjustForAspect(BottomRight, QRect(10, 20, 99, 80), 2.0), QRect(10, 20, 99, 50)); // rounded up
    EXPECT_EQ(AdjustForAspect(BottomRight, QRect(10, 20, 0, 0), 2.0), QRect(10, 20, 0, 0));
    EXPECT_EQ(HandleMask(true), 0x0Fu);
    EXPECT_EQ(HandleMask(false), 0xFFu);
}

// Guards the line-width list: ten items 22 pixels apart from y 3, the item under a point, and the width
// the popup opens on.
TEST(LineWidthRules, Items)
{
    using namespace CorvLineWidth;
    EXPECT_EQ(ItemText(0), "1 pt");
    EXPECT_EQ(ItemText(9), "10 pt");
    EXPECT_EQ(ItemRect(0, 100), QRect(3, 3, 94, 21));
    EXPECT_EQ(ItemRect(9, 100), QRect(3, 201, 94, 21));
    const std::pair<int, int> hits[] = {{0, 0}, {3, 0}, {24, 0}, {25, 1}, {222, 9}, {223, -1}, {-30, -1}};
    for (const auto &[y, item] : hits)
        EXPECT_EQ(ItemAt(y), item) << y;
    EXPECT_EQ(ItemForWidth(1), 0);
    EXPECT_EQ(ItemForWidth(10), 9);
    EXPECT_EQ(ItemForWidth(0), -1);
    EXPECT_EQ(ItemForWidth(11), -1);
    const QRect line = SampleLine(2, 100, 30);
    EXPECT_EQ(line.left(), 3 + 30 + 10);
    EXPECT_EQ(line.right(), 100 - 3 - 5);
}

// Guards the picture preview: fitted pictures keep their shape whatever their proportions against the
// control's (a picture less elongated than the control is not cropped), and empty sizes draw nothing.
TEST(ImageFit, FitRect)
{
    struct Case { int w, h, cw, ch; QRect drawn; };
    const Case cases[] = {
        {100, 100, 200, 100, QRect(50, 0, 100, 100)},
        {200, 100, 100, 100, QRect(0, 25, 100, 50)},
        {150, 100, 300, 100, QRect(75, 0, 150, 100)},
        {100, 300, 100, 100, QRect(33, 0, 33, 100)},
        {1, 1, 7, 3, QRect(2, 0, 3, 3)},
        {0, 0, 100, 100, QRect()},
        {100, 100, 0, 50, QRect()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CorvImageFit::FitRect(c.w, c.h, c.cw, c.ch), c.drawn) << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch;
    EXPECT_EQ(CorvImageFit::BadgeTopLeft(300, 200), QPoint(189, 89));
}
