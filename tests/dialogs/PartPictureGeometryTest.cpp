#include "dialogs/PartPictureGeometry.h"

#include <gtest/gtest.h>

namespace G = PartPictureGeometry;

namespace {

struct LayoutCase {
    const char *name;
    int width, height;
    bool scaling;
    CRect image;
    bool scaled;
};

} // namespace

TEST(PartPictureGeometry, LayoutInTheFrame)
{
    const LayoutCase cases[] = {
        {"wide picture reduced by half, centred", 1500, 300, true, CRect(0, 0, 750, 150), true},
        {"small picture at its size, centred at the top", 400, 200, true, CRect(175, 0, 575, 200), false},
        {"tall picture reduced to the frame's height", 600, 600, true, CRect(225, 0, 525, 300), true},
        {"picture exactly the frame's size is not reduced", 750, 300, true, CRect(0, 0, 750, 300), false},
        {"too large without scaling: from the corner", 1000, 500, false, CRect(0, 0, 1000, 500), false},
        {"small without scaling: centred", 400, 200, false, CRect(175, 0, 575, 200), false},
        {"no picture: the whole window", 0, 0, true, CRect(0, 0, 750, 300), false},
        {"wide and low picture: the width decides", 1000, 100, true, CRect(0, 0, 750, 75), true},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        const G::Layout layout = G::LayoutImage(c.width, c.height, 750, 300, c.scaling);
        EXPECT_EQ(layout.image, c.image);
        EXPECT_EQ(layout.scaled, c.scaled);
    }
}

TEST(PartPictureGeometry, DefaultPartsAreSquaresAlongTheTop)
{
    EXPECT_EQ(G::DefaultPart(0), CRect(10, 10, 40, 40));
    EXPECT_EQ(G::DefaultPart(9), CRect(370, 10, 400, 40));
}

TEST(PartPictureGeometry, MappingMovesByThePictureOriginWithoutResizing)
{
    // A small picture centred at 175: the part moves by the origin (s = 1) and keeps its size.
    const CRect centred(175, 0, 575, 200);
    EXPECT_EQ(G::MapPartRect(CRect(10, 20, 40, 60), centred, 400, 200, false, true), CRect(185, 20, 215, 60));
    // Without scaling the rectangle is taken as it is.
    EXPECT_EQ(G::MapPartRect(CRect(10, 20, 40, 60), centred, 400, 200, false, false), CRect(10, 20, 40, 60));
    // A wide picture shown reduced: s is the smaller ratio, 0.5 here; the origin (100, 0) moves it by 50.
    EXPECT_EQ(G::MapPartRect(CRect(0, 0, 30, 30), CRect(100, 0, 600, 150), 1000, 300, true, true),
              CRect(50, 0, 80, 30));
}

TEST(PartPictureGeometry, MappingBeforeAnyPictureDoesNotDivideByZero)
{
    // No natural size yet: the factor is 1, so the part moves by the image origin only.
    EXPECT_EQ(G::MapPartRect(CRect(5, 5, 35, 35), CRect(0, 0, 750, 300), 0, 0, false, true), CRect(5, 5, 35, 35));
    EXPECT_EQ(G::MapPartRect(CRect(5, 5, 35, 35), CRect(20, 0, 720, 300), 0, 0, true, true), CRect(25, 5, 55, 35));
}

TEST(PartPictureGeometry, PartsAreKeptInsideThePicture)
{
    const CRect image(175, 0, 575, 200);
    struct Case {
        const char *name;
        CRect part, expected;
    } cases[] = {
        {"inside: unchanged", CRect(200, 10, 230, 40), CRect(200, 10, 230, 40)},
        {"half out to the left: shifted back", CRect(160, 10, 190, 40), CRect(175, 10, 205, 40)},
        {"past the bottom: shifted up", CRect(200, 190, 230, 220), CRect(200, 170, 230, 200)},
        {"wider than the picture: cut to its width", CRect(100, 10, 700, 40), CRect(175, 10, 575, 40)},
        {"taller than the picture: cut, then moved down", CRect(200, -50, 230, 400), CRect(200, 0, 230, 200)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(G::ClampPart(c.part, image), c.expected);
    }
}

TEST(PartPictureGeometry, ScrollBarsFollowTheSlack)
{
    using Bars = std::pair<bool, bool>;
    EXPECT_EQ(G::BarsNeeded(1000, 500, 750, 300, 14), Bars(true, true));
    EXPECT_EQ(G::BarsNeeded(400, 200, 750, 300, 14), Bars(false, false));
    // Two pixels over earn no bar; three do.
    EXPECT_EQ(G::BarsNeeded(752, 200, 750, 300, 14), Bars(false, false));
    EXPECT_EQ(G::BarsNeeded(753, 200, 750, 300, 14), Bars(true, false));
    // The horizontal bar takes 14 pixels of height: a picture 290 high then needs the vertical bar too.
    EXPECT_EQ(G::BarsNeeded(1000, 290, 750, 300, 14), Bars(true, true));
    EXPECT_EQ(G::BarsNeeded(740, 400, 750, 300, 14), Bars(true, true));
}

TEST(PartPictureGeometry, ScrollSteps)
{
    using S = G::Scroll;
    // A bar whose last position is 249 (limit 250), page of 750.
    struct Case {
        S action;
        int from, expected;
    } cases[] = {
        {S::LineForward, 0, 6},     {S::LineBack, 3, 0},      {S::LineForward, 247, 249},
        {S::PageForward, 0, 249},   {S::PageBack, 200, 0},    {S::Start, 120, 0},
        {S::End, 0, 249},           {S::Other, 42, 42},
    };
    for (const Case &c : cases)
        EXPECT_EQ(G::ScrollPosition(c.action, c.from, 750, 250), c.expected) << int(c.action) << " from " << c.from;
    EXPECT_EQ(G::ScrollPosition(S::Thumb, 10, 750, 250, 77), 77);
}
