#include "dialogs/AutoBackupChoice.h"
#include "dialogs/ElementPlacement.h"
#include "dialogs/PublishFolderChoice.h"
#include "dialogs/ScormExitChoice.h"
#include "document/CourseSettings.h"
#include "model/AutoBackupSetting.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <tuple>

// Guards the element's placement: each number into its range first, then the size cut so the element never
// reaches past the 1008 x 560 canvas.
TEST(ElementPlacement, ClampsIntoTheCanvas)
{
    const struct {
        CElementPlacement in;
        CElementPlacement out;
    } cases[] = {
        {{500, 0, 100, 100}, {500, 0, 100, 60}},
        {{0, -5, 100, 100}, {0, 0, 100, 100}},
        {{0, 1000, 100, 100}, {0, 1000, 8, 100}},
        {{900, 2000, 0, -3}, {559, 1007, 1, 1}},
        {{10, 20, 5000, 5000}, {10, 20, 988, 550}},
        {{0, 0, 1008, 560}, {0, 0, 1008, 560}},
    };
    for (const auto &c : cases) {
        CElementPlacement p = c.in;
        p.Clamp();
        EXPECT_EQ(std::tie(p.top, p.left, p.width, p.height), std::tie(c.out.top, c.out.left, c.out.width, c.out.height))
            << c.in.top << "," << c.in.left << "," << c.in.width << "," << c.in.height;
    }
}

// Guards the exit values: SCORM 2004 alone offers "normal", the stored value keeps its quotation marks, and
// the entry opened on is the equal one before one that merely begins with the value.
TEST(ScormExitChoice, ListsAndSelection)
{
    using namespace CorvScormExitChoice;
    EXPECT_FALSE(Values(1).contains("\"normal\""));
    EXPECT_EQ(Values(1).size(), 4);
    EXPECT_EQ(Values(2).at(SelectedIndex(Values(2), "\"normal\"")), "\"normal\"");
    EXPECT_EQ(SelectedIndex(Values(1), "\"\""), 3);
    EXPECT_EQ(SelectedIndex(Values(1), "\"sus"), 1);
    EXPECT_EQ(SelectedIndex(Values(1), "\"normal\""), -1);
    EXPECT_EQ(SelectedIndex(Values(2), ""), 0);
}

// Guards the publish folders: the default location locks a row, an empty row's picker starts at the folder
// chosen last in any row, a chosen folder becomes that last folder, and the eight values go to the
// document's settings and back unchanged.
TEST(PublishFolderChoice, RowsBrowseAndRoundTrip)
{
    CCourseSettings settings;
    settings.OutputFolder = {"/out/standalone", "", "/out/web", ""};
    settings.UseDefaultOutputFolder = {1, 0, 2, 0};
    CPublishFolderChoice choice;
    choice.LoadFrom(settings);
    EXPECT_FALSE(CPublishFolderChoice::RowEditable(choice.rows[0]));
    EXPECT_TRUE(CPublishFolderChoice::RowEditable(choice.rows[2]));
    QString last = "/projects/course";
    EXPECT_EQ(choice.BrowseStart(1, last), "/projects/course");
    EXPECT_EQ(choice.BrowseStart(2, last), "/out/web");
    choice.Chosen(2, "/chosen/web", last);
    EXPECT_EQ(last, "/chosen/web");
    EXPECT_EQ(choice.BrowseStart(3, last), "/chosen/web");
    CCourseSettings back;
    choice.StoreTo(back);
    EXPECT_EQ(back.OutputFolder, (CCourseSettings::Slots4Text{"/out/standalone", "", "/chosen/web", ""}));
    EXPECT_EQ(back.UseDefaultOutputFolder, (CCourseSettings::Slots4Int{1, 0, 2, 0}));
}

// Guards the auto-backup dialog over its file: the limit box is locked showing 5 unless both boxes are
// ticked, and OK writes the three values in the file's order with the limit raised to 5.
TEST(AutoBackupChoice, FileAndControls)
{
    using CorvAutoBackupChoice::Update;
    TempTree tree;
    const QString path = tree.Write("dovar.txt", "0\n1\n12");
    CAutoBackupSetting setting;
    setting.Load(path);
    const auto shown = Update(setting.BackupOnSave == 1, setting.LimitBackups == 1, setting.BackupLimit);
    EXPECT_FALSE(shown.limitBackupsEnabled);
    EXPECT_FALSE(shown.limitEnabled);
    EXPECT_EQ(shown.limit, 5);
    setting.BackupLimit = shown.limit;
    ASSERT_TRUE(setting.Confirm(path));
    EXPECT_EQ(TempTree::ReadAll(path), "0\n1\n5");

    const struct {
        bool on, limitOn;
        int limit;
        bool limitBackupsEnabled, limitEnabled;
        int shownLimit;
    } cases[] = {
        {true, true, 12, true, true, 12},
        {true, true, 3, true, true, 5},
        {true, false, 12, true, false, 5},
        {false, true, 12, false, false, 5},
    };
    for (const auto &c : cases) {
        const auto u = Update(c.on, c.limitOn, c.limit);
        EXPECT_EQ(u.limitBackupsEnabled, c.limitBackupsEnabled);
        EXPECT_EQ(u.limitEnabled, c.limitEnabled);
        EXPECT_EQ(u.limit, c.shownLimit);
    }
}
