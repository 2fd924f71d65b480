#include "app/ColourPopupRules.h"
#include "app/CustomColours.h"
#include "app/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace CorvColourPopup;

// Guards the palette: forty colours in grid order with their names exactly as the author reads them (a
// trailing blank kept, "Dark Teal" the dark blue it has always been), stored red-first as COLORREF.
TEST(ColourPopupRules, PaletteTable)
{
    EXPECT_STREQ(ColourAt(0).name, "Black");
    EXPECT_EQ(ColourAt(1).colour, 165u | 42u << 8);
    EXPECT_STREQ(ColourAt(4).name, "Dark Teal");
    EXPECT_EQ(ColourAt(4).colour, 94u << 16);
    EXPECT_STREQ(ColourAt(35).name, "Pale green ");
    EXPECT_EQ(ColourAt(35).colour, 152u | 251u << 8 | 152u << 16);
    EXPECT_STREQ(ColourAt(39).name, "White");
    EXPECT_EQ(ColourAt(39).colour, 0xFFFFFFu);
    EXPECT_THROW(ColourAt(40), std::out_of_range);
}

// Guards which box an initial colour marks: the default value only means the default box when there is one,
// a colour outside the table marks the custom box, and all 32 bits must match a cell.
TEST(ColourPopupRules, ChosenBox)
{
    struct Case { uint32_t colour; bool hasDefault, hasCustom; int chosen; };
    const Case cases[] = {
        {kDefaultColour, true, true, DefaultBox},
        {kDefaultColour, false, false, NoBox},
        {kDefaultColour, false, true, CustomBox},
        {0x010203, true, true, CustomBox},
        {0x010203, true, false, NoBox},
        {0x0000FF, false, false, 16},        // red
        {0xFF0000FF, false, true, CustomBox}, // red with a top byte is not red
        {0xFFFFFF, true, true, 39},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ChosenBoxFor(c.colour, c.hasDefault, c.hasCustom), c.chosen) << std::hex << c.colour;
    EXPECT_EQ(BoxColour(DefaultBox, 5), kDefaultColour);
    EXPECT_EQ(BoxColour(CustomBox, 5), 5u);
    EXPECT_EQ(BoxColour(13, 5), 0xFF0000u);
}

// Guards keyboard picking: every arrow from every kind of box lands on a box that exists, wrapping through
// the default and custom boxes as the author expects.
TEST(ColourPopupRules, ArrowKeys)
{
    struct Case { int from; Key key; bool hasDefault, hasCustom; int to; };
    const Case cases[] = {
        {DefaultBox, Key::Down, true, true, 0},
        {35, Key::Down, true, true, CustomBox}, // no cell 43
        {35, Key::Down, true, false, DefaultBox},
        {35, Key::Down, false, false, 0},
        {3, Key::Down, false, false, 11},
        {CustomBox, Key::Down, true, true, DefaultBox},
        {CustomBox, Key::Down, false, true, 0},
        {0, Key::Left, true, true, DefaultBox},
        {0, Key::Left, false, true, CustomBox},
        {0, Key::Left, false, false, 39},
        {8, Key::Left, false, false, 7},
        {7, Key::Right, false, false, 8},
        {39, Key::Right, true, true, CustomBox},
        {39, Key::Right, false, false, 0},
        {DefaultBox, Key::Right, true, true, 0},
        {5, Key::Up, true, true, DefaultBox},
        {5, Key::Up, false, true, CustomBox},
        {5, Key::Up, false, false, 39},
        {13, Key::Up, false, false, 5},
        {NoBox, Key::Up, true, false, DefaultBox},
        {NoBox, Key::Down, true, true, 0},
        {DefaultBox, Key::Up, true, true, CustomBox},
        {DefaultBox, Key::Up, true, false, 39},
        {CustomBox, Key::Up, true, true, 39},
        {CustomBox, Key::Left, true, true, 39},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NextBox(c.from, c.key, c.hasDefault, c.hasCustom), c.to)
            << "from " << c.from << " key " << int(c.key) << " default " << c.hasDefault << " custom " << c.hasCustom;
}

// Guards the popup's size and boxes: without texts it is exactly the grid; the default box pushes the grid
// down, the custom box sits below it, both span the widened window, and the mouse finds the box it is over.
TEST(ColourPopupRules, Layout)
{
    const int m = 2;
    const Layout bare = ComputeLayout(m, QSize(), false, false);
    EXPECT_EQ(bare.window, QSize(8 * 18 + 2 * m, 5 * 18 + 2 * m));
    EXPECT_EQ(bare.CellRect(0), QRect(m, m, 18, 18));
    EXPECT_EQ(bare.CellRect(9), QRect(18 + m, 18 + m, 18, 18));
    EXPECT_TRUE(bare.defaultBox.isEmpty());
    EXPECT_EQ(bare.BoxAt(QPoint(m + 18 + 1, m + 1)), 1);
    EXPECT_EQ(bare.BoxAt(QPoint(0, 0)), NoBox); // the border
    EXPECT_EQ(bare.BoxAt(QPoint(m + 8 * 18, m)), NoBox);

    const QSize text(200, 14); // wider than the grid
    const int t = 14 + 4 * m + 2;
    const Layout both = ComputeLayout(m, text, true, true);
    EXPECT_EQ(both.window.width(), 200 + 2 * m);
    EXPECT_EQ(both.window.height(), 5 * 18 + 2 * m + 2 * (t + 3 * m));
    EXPECT_EQ(both.defaultBox, QRect(m, m, 200, t + m));
    EXPECT_EQ(both.CellRect(0).top(), m + t + 2 * m);
    EXPECT_EQ(both.customBox.top(), 5 * 18 + 2 * m + t + 3 * m);
    EXPECT_EQ(both.customBox.width(), 200);
    EXPECT_EQ(both.BoxAt(both.defaultBox.center()), DefaultBox);
    EXPECT_EQ(both.BoxAt(both.customBox.center()), CustomBox);
    EXPECT_EQ(both.BoxAt(both.CellRect(39).center()), 39);

    // A wide 3-D edge would leave no colour inside a cell: the box grows.
    EXPECT_EQ(ComputeLayout(6, QSize(), false, false).box, 19);
}

// Guards popups near the screen's edges: pulled left at the right edge, opened above the parent at the bottom.
TEST(PopupPlacement, StaysOnScreen)
{
    const QRect screen(0, 0, 1280, 900);
    EXPECT_EQ(CorvPopupPlacement::Clamp(QRect(100, 100, 150, 120), screen, 24), QRect(100, 100, 150, 120));
    EXPECT_EQ(CorvPopupPlacement::Clamp(QRect(1200, 100, 150, 120), screen, 24), QRect(1130, 100, 150, 120));
    EXPECT_EQ(CorvPopupPlacement::Clamp(QRect(-20, 100, 150, 120), screen, 24), QRect(0, 100, 150, 120));
    EXPECT_EQ(CorvPopupPlacement::Clamp(QRect(100, 850, 150, 120), screen, 24), QRect(100, 850 - 144, 150, 120));
}

// Guards the custom colours every colour dialog shares: sixteen white slots, colours kept without a top
// byte, and slots outside the sixteen ignored rather than written past the set.
TEST(CustomColours, Slots)
{
    CCustomColours colours;
    EXPECT_EQ(colours.Get(0), 0xFFFFFFu);
    colours.Set(15, 0xFF123456);
    EXPECT_EQ(colours.Get(15), 0x123456u);
    colours.Set(16, 1);
    colours.Set(-1, 1);
    EXPECT_EQ(colours.Get(16), 0xFFFFFFu);
    EXPECT_EQ(&CCustomColours::Shared(), &CCustomColours::Shared());
}
