#include "app/DropDownListRules.h"
#include "app/InPlaceEditState.h"
#include "app/IndexSet.h"

#include <gtest/gtest.h>

using namespace CorvDropDownList;

// Guards the column and row lists: setting an index twice and clearing it once leaves it out, and clearing
// an absent index changes nothing.
TEST(IndexSet, AddAndRemoveOnce)
{
    CIndexSet set;
    set.Set(2, true);
    set.Set(2, true);
    set.Set(5, true);
    EXPECT_EQ(set.Indexes(), (std::vector<int>{2, 5}));
    set.Set(2, false);
    EXPECT_FALSE(set.Contains(2));
    set.Set(7, false);
    EXPECT_EQ(set.Indexes(), std::vector<int>{5});
    set.Clear();
    EXPECT_TRUE(set.IsEmpty());
}

// Guards check cells: "true" in any case is ticked and toggles to "false"; every other text toggles to "true".
TEST(DropDownListRules, CheckWords)
{
    const std::pair<QString, QString> toggles[] = {
        {"true", "false"}, {"TRUE", "false"}, {"True", "false"}, {"false", "true"}, {"maybe", "true"}, {"", "true"},
        {" true", "true"},
    };
    for (const auto &[before, after] : toggles)
        EXPECT_EQ(ToggledText(before), after) << before.toStdString();
    EXPECT_TRUE(IsTicked("TRUE"));
    EXPECT_FALSE(IsTicked("yes"));
}

// Guards the browse cell: the edit leaves 12 pixels, the button takes the scroll-bar width at the right (the
// whole cell when narrower) less a pixel each side.
TEST(DropDownListRules, BrowseRectangles)
{
    const QRect wide(100, 20, 120, 18);
    EXPECT_EQ(BrowseEditRect(wide), QRect(100, 20, 108, 18));
    EXPECT_EQ(BrowseButtonRect(wide, 16), QRect(205, 21, 14, 16));
    const QRect narrow(100, 20, 10, 18);
    EXPECT_EQ(BrowseButtonRect(narrow, 16), QRect(101, 21, 8, 16));
    EXPECT_EQ(MultiLineEditRect(wide), QRect(100, 20, 120, 54));
}

// Guards the browse filter: the text the author reads stays as it is and the dialog gets its patterns.
TEST(DropDownListRules, DialogFilter)
{
    EXPECT_EQ(DialogFilter(BrowseFilterText()),
              "All Available (*.doc,*.docx,*.ppt,*.pptx,*.rtf,*.txt) (*.doc *.docx *.ppt *.pptx *.rtf *.txt)");
    EXPECT_EQ(DialogFilter("Text|*.txt|All|*.*||"), "Text (*.txt);;All (*.*)");
    EXPECT_EQ(DialogFilter(""), "");
    EXPECT_EQ(DialogFilter("Text only"), "");
}

// Guards the cell edit: an edit reports what the author typed, a cancelled one the text the cell had, and a
// new edit starts uncancelled.
TEST(InPlaceEditState, CommitAndCancel)
{
    CInPlaceEditState state;
    EXPECT_FALSE(state.IsOpen());
    state.Begin(3, 1, "before");
    EXPECT_TRUE(state.IsOpen());
    EXPECT_EQ(state.Finish("typed"), "typed");
    EXPECT_FALSE(state.IsOpen());
    state.Begin(3, 1, "before");
    state.Cancel();
    EXPECT_EQ(state.Finish("typed"), "before");
    state.Begin(0, 0, "x");
    EXPECT_FALSE(state.IsCancelled());
    EXPECT_EQ(state.Finish("y"), "y");
}
