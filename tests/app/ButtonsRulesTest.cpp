#include "app/ButtonsRules.h"
#include "document/CourseSettings.h"
#include "model/GlobalHelpers.h"

#include <gtest/gtest.h>

using namespace CorvButtonsRules;

// Guards the label lists: the empty entry first, the rest sorted, and a stored label shown by the first
// entry it begins (the empty label by the empty entry).
TEST(ButtonsRules, LabelLists)
{
    EXPECT_EQ(LabelEntries(Next), (QStringList{"", "Advance", "Continue", "Forward", "Next"}));
    EXPECT_EQ(LabelEntries(Done), (QStringList{"", "Check", "Done", "Evaluate", "Finish", "Submit"}));
    EXPECT_EQ(LabelEntries(Stop), (QStringList{"", "Pause", "Stop"}));
    const QStringList quit = LabelEntries(Quit);
    EXPECT_EQ(FindLabel(quit, ""), 0);
    EXPECT_EQ(quit[FindLabel(quit, "fin")], "Finished");
    EXPECT_EQ(FindLabel(quit, "Leave"), -1);
}

// Guards the states: without Next the automatic advance time applies and the Next options do not; the
// delay's seconds need both Next and the delay.
TEST(ButtonsRules, States)
{
    CCourseSettings s;
    s.UseBtnNext = 1;
    s.DelayNextButton = 0;
    s.ShowGlossary = 1;
    ButtonStates next = States(s);
    EXPECT_TRUE(next.nextLabel && next.nextDelay && next.hideGlossary);
    EXPECT_FALSE(next.timeBetweenScreens || next.nextDelaySeconds);
    s.DelayNextButton = 1;
    EXPECT_TRUE(States(s).nextDelaySeconds);
    s.UseBtnNext = 0;
    ButtonStates none = States(s);
    EXPECT_TRUE(none.timeBetweenScreens);
    EXPECT_FALSE(none.nextLabel || none.nextDelay || none.nextDelaySeconds);
}

// Guards the Help list: folders and content screens of the popup list as "label : title", other kinds left
// out; a screen without a label in the Edit window skipped without losing the rest or "(clear selection)";
// the stored screen selected, and a stored screen that is gone selects nothing.
TEST(ButtonsRules, HelpEntries)
{
    const std::vector<PopupScreen> popups = {
        {5, pt_popups_only, "P0", "Popups"}, {6, pt_document, "P1", "Help"}, {7, pt_document, "", "Hidden"},
        {8, pt_question, "P3", "Quiz"},     {9, pt_folder, "P2", "Tips"},
    };
    const HelpList list = BuildHelpEntries(popups, 9);
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].text, "P1 : Help");
    EXPECT_EQ(list.entries[0].screen, 6);
    EXPECT_EQ(list.entries[1].text, "P2 : Tips");
    EXPECT_EQ(list.entries[2].text, "(clear selection)");
    EXPECT_EQ(list.entries[2].screen, 0);
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(BuildHelpEntries(popups, 42).selected, -1);
    EXPECT_EQ(BuildHelpEntries(popups, 0).selected, -1);
    EXPECT_EQ(BuildHelpEntries({}, 0).entries.size(), 1u);
}

// Guards the reset: the Next delay, the last-screen option and the Help screen are the author's and stay.
TEST(ButtonsRules, ResetLeavesTheNextDelayAndHelp)
{
    CCourseSettings s;
    s.DelayNextButton = 1;
    s.NextButtonDelay = "12";
    s.HelpScreen = 9;
    s.NoNextAtTopicEnd = 1;
    ResetButtons(s);
    EXPECT_EQ(s.DelayNextButton, 1);
    EXPECT_EQ(s.NextButtonDelay, "12");
    EXPECT_EQ(s.HelpScreen, 9);
    EXPECT_EQ(s.NoNextAtTopicEnd, 1);
    EXPECT_EQ(s.LblDone, "Done");
    EXPECT_EQ(s.TimeBetweenScreens, 6);
    EXPECT_EQ(s.ShowGlossary, 1);
}
