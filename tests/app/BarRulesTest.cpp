#include "app/BarRules.h"
#include "app/RecentFileList.h"
#include "app/ViewSwitcher.h"
#include "platform/IniFile.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using namespace CorvBarRules;

// Guards the font size box: 99 sizes in numeric order, not sorted as text.
TEST(BarRules, FontSizeEntries)
{
    const QStringList sizes = FontSizeEntries();
    ASSERT_EQ(sizes.size(), 99);
    EXPECT_EQ(sizes.first(), "2");
    EXPECT_EQ(sizes[8], "10");
    EXPECT_EQ(sizes.last(), "100");
}

// Guards what the font boxes show for the selected text: an exact entry wins over a longer one that
// begins the same ("Arial" is not "Arial Black", 2 points is not "20"), the prefix rule searches from the
// second entry round to the first, and a text no entry begins with leaves the box as it was.
TEST(BarRules, ComboSelectionFindsExactThenPrefix)
{
    const QStringList faces = {"Arial Black", "Arial", "Arial Narrow", "Verdana"};
    const QStringList sizes = FontSizeEntries();
    const QStringList circular = {"Abx", "Bcd", "Abc"};
    struct Case { const QStringList *entries; QString text; int expected; };
    const Case cases[] = {
        {&faces, "Arial", 1},      {&faces, "arial black", 0}, {&faces, "Ver", 3},     {&faces, "Courier", -1},
        {&faces, "", -1},          {&sizes, "2", 0},          {&sizes, "12", 10},      {&sizes, "1", 8},
        {&sizes, "101", -1},       {&sizes, "100", 98},       {&circular, "Ab", 2},    {&circular, "Abx", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FindComboEntry(*c.entries, c.text), c.expected) << qPrintable(c.text);
    EXPECT_EQ(FindComboEntry({}, "Arial"), -1);
}

// Guards the font-name list: scalable, visible families only, each once, sorted without regard to case.
TEST(BarRules, FontBoxNames)
{
    const QList<FontFamily> families = {{"Verdana", true, false}, {"arial", true, false},  {"Arial", true, false},
                                        {"Fixed", false, false},  {".Hidden", true, true}, {"DejaVu Sans", true, false},
                                        {"", true, false},        {"Arial Black", true, false}};
    EXPECT_EQ(FontBoxNames(families), (QStringList{"arial", "Arial Black", "DejaVu Sans", "Verdana"}));
    EXPECT_TRUE(FontBoxNames({}).isEmpty());
}

// Guards the two bars that belong to the Edit window: shown only there and only when wanted, and the View
// menu outside the Edit window shows the author's wish without turning the bars off for good.
TEST(BarRules, EditAndFormattingBars)
{
    for (int view = 0; view < kMainViewCount; ++view) {
        EXPECT_EQ(BarShouldBeVisible(view, true), view == EditViewIndex);
        EXPECT_FALSE(BarShouldBeVisible(view, false));
    }
    struct Case { int view; bool visible, wanted; BarMenuState expected; };
    const Case cases[] = {
        {SettingsViewIndex, false, true, {true, true}},  {PublishViewIndex, false, false, {false, false}},
        {EditViewIndex, true, true, {true, true}},       {EditViewIndex, false, true, {false, false}},
        {EditViewIndex, true, false, {true, true}},
    };
    for (const Case &c : cases) {
        const BarMenuState state = BarMenuUpdate(c.view, c.visible, c.wanted);
        EXPECT_EQ(state.checked, c.expected.checked) << c.view << c.visible << c.wanted;
        EXPECT_EQ(state.wanted, c.expected.wanted) << c.view << c.visible << c.wanted;
    }
    EXPECT_EQ(ItemPairText(12, 345), "12, 345");
    EXPECT_EQ(ItemPairText(-3, 0), "-3, 0");
}

// Guards the recent projects: newest first, each once, four at most, kept in the profile across runs, and
// an entry that leaves the list leaves the profile too.
TEST(RecentFileList, NewestFirstAndKept)
{
    CRecentFileList list;
    for (const char *path : {"/p/a.kvx", "/p/b.kvx", "/p/c.kvx", "/p/d.kvx", "/p/./b.kvx", "/p/e.kvx"})
        list.Add(path);
    EXPECT_EQ(list.Files(), (QStringList{"/p/e.kvx", "/p/b.kvx", "/p/d.kvx", "/p/c.kvx"}));

    TempTree tree;
    CIniFile profile(tree / "registry.ini");
    ASSERT_TRUE(list.WriteList(profile));
    list.Remove(1);
    list.Remove(7);
    ASSERT_TRUE(list.WriteList(profile));
    CRecentFileList again;
    again.ReadList(CIniFile(profile.Path()));
    EXPECT_EQ(again.Files(), (QStringList{"/p/e.kvx", "/p/d.kvx", "/p/c.kvx"}));
    EXPECT_FALSE(profile.HasKey(CRecentFileList::Section(), "File4"));
}

namespace {

class CRecordingViews : public CMainViewHost
{
public:
    QStringList calls;
    void FocusCategoryTree() override { calls.append("focus tree"); }
    void HideView(int index) override { calls.append(QStringLiteral("hide %1").arg(index)); }
    void RefreshSettingsPages() override { calls.append("refresh management, buttons"); }
    void ShowAndActivateView(int index) override { calls.append(QStringLiteral("show %1").arg(index)); }
};

} // namespace

// Guards the one place that changes the visible view: nothing before start-up, nothing for the visible view
// or an index that names none, the category tree takes the focus before the Settings window hides, and the
// Settings window's pages reload before it shows again.
TEST(ViewSwitcher, SwitchesInOrder)
{
    CRecordingViews views;
    CViewSwitcher switcher(views);
    EXPECT_EQ(switcher.SwitchView(EditViewIndex), -1);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(switcher.IsViewCommandEnabled(SettingsViewIndex));

    switcher.SetStarted();
    EXPECT_EQ(switcher.SwitchView(SettingsViewIndex), SettingsViewIndex);
    EXPECT_EQ(switcher.SwitchView(7), SettingsViewIndex);
    EXPECT_EQ(switcher.SwitchView(-1), SettingsViewIndex);
    EXPECT_TRUE(views.calls.isEmpty());

    EXPECT_EQ(switcher.SwitchView(EditViewIndex), SettingsViewIndex);
    EXPECT_EQ(views.calls, (QStringList{"focus tree", "hide 0", "show 2"}));
    views.calls.clear();
    EXPECT_EQ(switcher.SwitchView(PublishViewIndex), EditViewIndex);
    EXPECT_EQ(switcher.SwitchView(SettingsViewIndex), PublishViewIndex);
    EXPECT_EQ(views.calls, (QStringList{"hide 2", "show 3", "hide 3", "refresh management, buttons", "show 0"}));

    EXPECT_EQ(switcher.SwitchView(EditViewIndex), SettingsViewIndex);
    for (int view = 0; view < kMainViewCount; ++view)
        EXPECT_EQ(switcher.IsViewCommandEnabled(view), view != EditViewIndex);
}

// Guards the numbers that name the views: the mode bar, its aliases and the Windows menu.
TEST(ViewSwitcher, CommandsNameTheirViews)
{
    struct Case { int command, view; };
    const Case cases[] = {{32775, 0}, {32778, 3}, {32771, 0}, {32773, 2}, {32774, 3}, {32911, 0},
                          {32914, 3}, {32770, -1}, {32779, -1}, {32915, -1}, {57600, -1}};
    for (const Case &c : cases)
        EXPECT_EQ(CViewSwitcher::ViewIndexOfCommand(c.command), c.view) << c.command;
}
