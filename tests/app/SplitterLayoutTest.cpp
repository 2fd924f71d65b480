#include "app/SplitterLayout.h"

#include <gtest/gtest.h>

// Guards a new splitter: with no profile entry the left pane is twice its minimum wide, the bar 3 pixels
// between the panes, and the profile names the section by the control id.
TEST(SplitterLayout, VerticalFromProfile)
{
    CSplitterLayout layout(CSplitterLayout::Vertical, 120, 100);
    EXPECT_EQ(CSplitterLayout::ProfileSection(CSplitterLayout::Vertical, 7), "splt\\init_v7");
    EXPECT_EQ(CSplitterLayout::ProfileSection(CSplitterLayout::Horizontal, 12), "splt\\init_h12");
    EXPECT_EQ(CSplitterLayout::ProfileEntry(CSplitterLayout::Vertical), "VertSplitPos");
    layout.Initialise(QRect(0, 0, 800, 600), layout.DefaultProfileValue());
    EXPECT_EQ(layout.FirstPane(), QRect(0, 0, 240, 600));
    EXPECT_EQ(layout.SecondPane(), QRect(243, 0, 557, 600));
    EXPECT_EQ(layout.GetSplitterPos(), 240);
    EXPECT_TRUE(layout.BarZone().contains(241, 300));
    EXPECT_EQ(layout.ProfileValue(), 240);
}

// Guards dragging and resizing: the bar stops where the right pane keeps its minimum, resizing keeps the
// left pane's width, and a hidden left pane comes back where it was.
TEST(SplitterLayout, VerticalDragResizeHide)
{
    CSplitterLayout layout(CSplitterLayout::Vertical, 120, 100);
    layout.Initialise(QRect(0, 0, 800, 600), 240);
    EXPECT_EQ(layout.ClampBar(2000), 700);
    EXPECT_EQ(layout.ClampBar(-5), 120);
    layout.DropBarAt(2000);
    EXPECT_EQ(layout.GetSplitterPos(), 699);
    layout.DropBarAt(301);
    EXPECT_EQ(layout.GetSplitterPos(), 300);
    layout.Resize(QRect(0, 0, 1000, 500));
    EXPECT_EQ(layout.FirstPane(), QRect(0, 0, 300, 500));
    EXPECT_EQ(layout.SecondPane(), QRect(303, 0, 697, 500));

    layout.HideFirstPane();
    EXPECT_TRUE(layout.BarZone().isEmpty());
    EXPECT_EQ(layout.SecondPane(), QRect(0, 0, 1000, 500));
    EXPECT_EQ(layout.GetSplitterPos(), 300);
    layout.Resize(QRect(0, 0, 900, 500));
    EXPECT_EQ(layout.SecondPane(), QRect(0, 0, 900, 500));
    layout.SetSplitterPos(200); // remembered while hidden, the right pane keeps the whole area
    EXPECT_EQ(layout.SecondPane(), QRect(0, 0, 900, 500));
    layout.ShowFirstPane();
    EXPECT_EQ(layout.FirstPane(), QRect(0, 0, 200, 500));
    EXPECT_EQ(layout.SecondPane().left(), 203);
}

// Guards the horizontal kind: the bottom pane keeps its height through resizing, within the minimums.
TEST(SplitterLayout, HorizontalKeepsBottomHeight)
{
    CSplitterLayout layout(CSplitterLayout::Horizontal, 50, 80);
    layout.Initialise(QRect(0, 0, 400, 600), layout.DefaultProfileValue());
    EXPECT_EQ(layout.SecondPane(), QRect(0, 440, 400, 160));
    EXPECT_EQ(layout.FirstPane(), QRect(0, 0, 400, 437));
    EXPECT_EQ(layout.GetSplitterPos(), 440);
    layout.Resize(QRect(0, 0, 400, 700));
    EXPECT_EQ(layout.SecondPane(), QRect(0, 540, 400, 160));
    layout.Resize(QRect(0, 0, 400, 150)); // too small for both: the top pane keeps its minimum
    EXPECT_EQ(layout.SecondPane().top(), 51);
    layout.DropBarAt(-100);
    EXPECT_EQ(layout.GetSplitterPos(), 51);
    layout.SetSplitterPos(100);
    EXPECT_EQ(layout.SecondPane(), QRect(0, 100, 400, 50));
    layout.HideFirstPane(); // vertical only
    EXPECT_FALSE(layout.IsFirstPaneHidden());
}
