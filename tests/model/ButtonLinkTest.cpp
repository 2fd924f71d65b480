#include "FakeCanvas.h"

#include "model/ComponentButton.h"
#include "model/ComponentFactory.h"
#include "model/ComponentLink.h"
#include "platform/Archive.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

// Guards the link's size: it follows its caption in the link font whatever rectangle it is given.
TEST(ComponentLink, BoundsFollowTheCaption)
{
    FakeCanvas canvas;
    CComponentLink link(&canvas);
    link.Show(); // a window exists while the component is on show
    link.SetText(QStringLiteral("Link: Intro"));
    link.SetBounds(CRect(100, 200, 400, 400), false);
    EXPECT_EQ(link.GetBounds(), CRect(100, 200, 188, 216));
    EXPECT_EQ(FakeCanvas::WindowOf(link)->geometry, CRect(100, 200, 188, 216));

    // Without a window the rectangle is kept as given.
    CComponentLink bare;
    bare.SetBounds(CRect(100, 200, 400, 400), false);
    EXPECT_EQ(bare.GetBounds(), CRect(100, 200, 400, 400));
}

// Guards against a loaded section link keeping the size of the rectangle in the file instead of its text.
TEST(ComponentLink, LoadSizesTheLinkInTheFontSetBeforeReading)
{
    FakeCanvas canvas;
    CComponentLink link;
    link.SetBounds(CRect(10, 20, 500, 90), true);
    link.SetText(QStringLiteral("Link: Basics"));
    link.SetTargetLabel(QStringLiteral("2_1"));
    CArchive out;
    link.SerializeComponent(out);

    CArchive in(out.GetBuffer());
    CComponentFactory::LoadOptions options{ProjectSchema::kCurrent};
    options.parent = &canvas;
    bool fontFirst = false;
    options.beforeRead = [&fontFirst](CComponentBase &c) {
        dynamic_cast<CComponentLink &>(c).SetFont(QStringLiteral("Arial"), 10);
        fontFirst = true;
    };
    auto loaded = CComponentFactory::LoadComponent(in, options);
    EXPECT_TRUE(fontFirst);
    auto &l = dynamic_cast<CComponentLink &>(*loaded);
    l.Show(); // sized in its window once on show
    EXPECT_EQ(l.GetBounds(), CRect(10, 20, 10 + 8 * 12, 36));
    EXPECT_EQ(l.GetTargetLabel(), QStringLiteral("2_1"));
    EXPECT_EQ(l.GetTargetPageId(), -1);
}

// Guards against a pasted link that leads nowhere.
TEST(ComponentLink, CloneKeepsTheTarget)
{
    CCorvPage target(12, QStringLiteral("T"), {}, {}, 0, QStringLiteral("3"), 2, -1);
    FakeLookup doc;
    doc.main[12] = &target;
    CComponentLink link;
    link.SetText(QStringLiteral("Go"));
    link.SetFixedTargetId(QStringLiteral("fixed"));
    link.SetTargetLabel(QStringLiteral("3"));
    link.SetTargetPage(&target);
    auto copy = link.Clone(false);
    auto &c = dynamic_cast<CComponentLink &>(*copy);
    EXPECT_EQ(c.GetText(), QStringLiteral("Go"));
    EXPECT_EQ(c.GetFixedTargetId(), QStringLiteral("fixed"));
    EXPECT_EQ(c.GetTargetLabel(), QStringLiteral("3"));
    EXPECT_EQ(c.GetTargetPage(doc), &target);
}

TEST(ComponentButton, WindowFollowsCaptionAndMovesOnlyWhenAsked)
{
    FakeCanvas canvas;
    CComponentButton button(&canvas);
    button.Show();
    FakeWindow *window = FakeCanvas::WindowOf(button);
    ASSERT_TRUE(window);
    const int before = window->updates;
    button.SetText(QStringLiteral("Retry"));
    EXPECT_GT(window->updates, before);
    button.SetBounds(CRect(1, 1, 50, 20), false);
    EXPECT_EQ(window->geometry, CRect());
    button.SetBounds(CRect(1, 1, 50, 20), true);
    EXPECT_EQ(window->geometry, CRect(1, 1, 50, 20));
}

TEST(ComponentButton, DrawsItsCaptionInsideItsBounds)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    CComponentButton button;
    button.SetBounds(CRect(10, 10, 190, 90), true);
    button.SetText(QStringLiteral("MMMM"));
    {
        QPainter painter(&image);
        button.Draw(painter);
    }
    bool inked = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                inked = true;
                EXPECT_TRUE(x >= 10 && x < 190 && y >= 10 && y < 90) << x << "," << y;
            }
    EXPECT_TRUE(inked);
}

// Guards the font heights the windows build from points (rounded as the platform's MulDiv rounds).
TEST(ComponentWindow, FontHeightFromPoints)
{
    struct Case {
        int points, dpi, height;
    } cases[] = {{10, 96, -13}, {11, 96, -15}, {12, 96, -16}, {9, 120, -15}, {0, 96, 0}, {-10, 96, 13}};
    for (const Case &c : cases)
        EXPECT_EQ(FontHeightFromPoints(c.points, c.dpi), c.height) << c.points << " at " << c.dpi;
}
