#include "FakeCanvas.h"

#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentRectangle.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(Shapes, Defaults)
{
    CComponentRectangle r;
    CComponentEllipse e;
    for (CComponentFilledShape *s : {static_cast<CComponentFilledShape *>(&r), static_cast<CComponentFilledShape *>(&e)}) {
        EXPECT_EQ(s->GetBounds(), CRect(10, 10, 400, 400));
        EXPECT_EQ(s->IsFilled(), 0);
        EXPECT_EQ(s->GetFillColor(), 0xFFFFFFu);
        EXPECT_EQ(s->IsOutlined(), 1);
        EXPECT_EQ(s->GetOutlineColor(), 0u);
        EXPECT_EQ(s->GetLineWidth(), 1);
        EXPECT_EQ(s->GetComponentWindow(), nullptr);
    }
    CComponentLine line;
    QPoint p1(5, 5), p2(5, 5);
    line.GetPoints(p1, p2);
    EXPECT_EQ(p1, QPoint(0, 0));
    EXPECT_EQ(p2, QPoint(0, 0));
    EXPECT_EQ(line.IsVisible(), 0);
    EXPECT_EQ(line.GetWidth(), 1);
    EXPECT_EQ(line.GetColor(), 0u);
}

// Guards the selection rule authors rely on when clicking lines: exact on vertical lines, a 10-pixel box
// (5 above, 4 below) on the others, the same whichever end comes first.
TEST(Shapes, LineHitTest)
{
    struct Case {
        QPoint p1, p2, pt;
        bool hit;
    } cases[] = {
        {{100, 100}, {200, 150}, {150, 125}, true},  {{100, 100}, {200, 150}, {150, 120}, true},
        {{100, 100}, {200, 150}, {150, 130}, false}, {{100, 100}, {200, 150}, {99, 100}, false},
        {{100, 100}, {200, 150}, {200, 150}, true},  {{100, 100}, {200, 150}, {201, 150}, false},
        {{200, 150}, {100, 100}, {150, 125}, true},  {{200, 150}, {100, 100}, {150, 120}, true},
        {{200, 150}, {100, 100}, {150, 130}, false}, {{200, 150}, {100, 100}, {99, 100}, false},
        {{50, 300}, {50, 100}, {50, 200}, true},     {{50, 300}, {50, 100}, {50, 100}, true},
        {{50, 300}, {50, 100}, {50, 300}, true},     {{50, 300}, {50, 100}, {51, 200}, false},
        {{50, 300}, {50, 100}, {50, 301}, false},
        // End points from a damaged file, so far apart that 32-bit differences overflow: the line still
        // runs through (0, 50).
        {{-2000000000, 0}, {2000000000, 100}, {0, 50}, true},
        {{-2000000000, 0}, {2000000000, 100}, {0, 0}, false},
        {{0, -2000000000}, {1, 2000000000}, {0, -2000000000}, true},
    };
    for (const Case &c : cases) {
        CComponentLine line;
        line.SetPoints(c.p1, c.p2);
        EXPECT_EQ(line.HitTest(c.pt), c.hit) << c.p1.x() << "," << c.p1.y() << "-" << c.p2.x() << "," << c.p2.y()
                                             << " at " << c.pt.x() << "," << c.pt.y();
    }
}

TEST(Shapes, LineShowsAndHidesThroughTheCanvas)
{
    FakeCanvas canvas;
    CComponentLine line(&canvas);
    EXPECT_EQ(line.GetComponentWindow(), nullptr);
    line.SetPoints(QPoint(0, 0), QPoint(10, 10));
    EXPECT_EQ(canvas.invalidations, 0);  // an invisible line asks for no repaint
    line.Show();
    EXPECT_EQ(line.IsVisible(), 1);
    EXPECT_EQ(canvas.invalidations, 1);
    line.Hide();
    EXPECT_EQ(line.IsVisible(), 0);
}

TEST(Shapes, SettersReachTheWindow)
{
    FakeCanvas canvas;
    CComponentEllipse e(&canvas);
    e.Show();
    FakeWindow *window = FakeCanvas::WindowOf(e);
    ASSERT_TRUE(window);
    const int before = window->updates;
    e.SetFillColor(0x00FF00);
    EXPECT_EQ(window->updates, before + 1);
    EXPECT_EQ(window->geometry, CRect(10, 10, 400, 400));
    e.SetBounds(CRect(1, 2, 3, 4), false);  // shapes move whatever the flag
    EXPECT_EQ(window->geometry, CRect(1, 2, 3, 4));
}

namespace {

QImage Paint(const CComponentBase &c)
{
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QPainter painter(&image);
    c.Draw(painter);
    return image;
}

} // namespace

// Guards the thumbnails: with the outline off the border takes the fill colour, a hollow shape keeps what
// lies beneath.
TEST(Shapes, DrawingFollowsTheFillAndOutlineRules)
{
    CComponentRectangle filled;
    filled.SetBounds(CRect(10, 10, 110, 60), true);
    filled.SetFilled(1);
    filled.SetFillColor(0x0000FF);  // red as COLORREF
    filled.SetOutlined(0);
    filled.SetOutlineColor(0x00FF00);
    filled.SetLineWidth(3);
    const QImage a = Paint(filled);
    EXPECT_EQ(a.pixel(10, 30), qRgb(255, 0, 0));   // left edge
    EXPECT_EQ(a.pixel(60, 59), qRgb(255, 0, 0));   // bottom edge, inside the exclusive bottom
    EXPECT_EQ(a.pixel(60, 35), qRgb(255, 0, 0));   // inside
    EXPECT_EQ(a.pixel(60, 80), qRgb(10, 20, 30));  // below

    CComponentEllipse hollow;
    hollow.SetBounds(CRect(10, 10, 110, 110), true);
    hollow.SetOutlineColor(0xFF0000);  // blue
    const QImage b = Paint(hollow);
    EXPECT_EQ(b.pixel(60, 60), qRgb(10, 20, 30));
    EXPECT_EQ(b.pixel(60, 10), qRgb(0, 0, 255));

    // A width of 0 or less read from a file still draws.
    CComponentRectangle thin;
    thin.SetBounds(CRect(10, 10, 110, 110), true);
    thin.SetLineWidth(-4);
    EXPECT_EQ(Paint(thin).pixel(10, 60), qRgb(0, 0, 0));
    EXPECT_EQ(thin.GetLineWidth(), -4);

    CComponentLine line;
    line.SetPoints(QPoint(0, 50), QPoint(119, 50));
    line.SetColor(0xFFFFFF);
    EXPECT_EQ(Paint(line).pixel(60, 50), qRgb(10, 20, 30));  // invisible lines draw nothing
    line.Show();
    EXPECT_EQ(Paint(line).pixel(60, 50), qRgb(255, 255, 255));
}
