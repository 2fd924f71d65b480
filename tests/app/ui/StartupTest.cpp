#include "AppFixture.h"

#include "app/ViewSwitcher.h"
#include "app/ui/AboutDlg.h"
#include "editor/ui/EditFrmVw.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsFrmVw.h"
#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Guards the state the author first sees: the Settings window with the focus in its category tree, the
// Edit window's bars hidden, a clean untitled project, the status bar at rest, and every main view made once.
TEST(StartUp, SettingsWindowFirst)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(app->CurrentViewIndex(), SettingsViewIndex);
    EXPECT_EQ(app->CurrentView(), app->SettingsView());
    for (int i = 0; i < kMainViewCount; ++i) {
        ASSERT_TRUE(app->MainView(i)) << i;
        EXPECT_EQ(app->MainView(i)->isVisible(), i == SettingsViewIndex) << i;
    }
    EXPECT_EQ(frame->focusWidget(), app->SettingsView()->CategoryTree());
    EXPECT_TRUE(frame->EditBar()->isHidden());
    EXPECT_TRUE(frame->FormattingBar()->isHidden());
    EXPECT_FALSE(frame->StandardBar()->isHidden());
    EXPECT_FALSE(app->Document()->IsModified());
    EXPECT_EQ(ShownTitle(frame), "Untitled - Corvessa");
    EXPECT_EQ(frame->PositionPane()->text(), "0, 0");
    EXPECT_EQ(frame->SizePane()->text(), "0, 0");
    EXPECT_EQ(app->VersionText(), GetExeVersionString());
    EXPECT_EQ(app->VersionMajor(), "4");
    EXPECT_EQ(app->Context().appDataFolder, f.AppData());
    EXPECT_EQ(app->GraphicsLibraryRoot(), f.ProgramFolder() + "/Library/");
    EXPECT_EQ(app->ExcludedWords(), (QStringList{"the", "and"}));
    EXPECT_TRUE(app->GraphicsLibrary().IsLoaded());
    EXPECT_TRUE(f.prompt.Texts().isEmpty()) << qPrintable(f.prompt.Texts().join(" | "));
    // The loading window is gone once start-up is over.
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == "XmlLoadingWindow" && window->isVisible());
}

// Guards a project named on the command line: it opens once every main view exists, so the Edit window's
// outline shows its screens, while the Settings window stays the visible one.
TEST(StartUp, ProjectFromTheCommandLine)
{
    AppFixture f;
    const QString path = f.WriteProject("courses/Fire safety.kvx",
                                        {{"1", "Welcome", pt_folder}, {"1_1", "Exits", pt_document}}, "Fire drills");
    auto app = f.Start({"corvessa", path});
    EXPECT_EQ(app->Document()->GetPathName(), path);
    EXPECT_EQ(app->Document()->Settings().CourseName, "Fire drills");
    EXPECT_EQ(app->CurrentViewIndex(), SettingsViewIndex);
    EXPECT_EQ(app->MainFrame()->focusWidget(), app->SettingsView()->CategoryTree());
    QTreeWidget *outline = app->EditView()->OutlineWidget();
    ASSERT_EQ(outline->topLevelItemCount(), 1);
    EXPECT_EQ(outline->topLevelItem(0)->text(0), "Welcome");
    ASSERT_EQ(outline->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(outline->topLevelItem(0)->child(0)->text(0), "Exits");
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{path});
    EXPECT_EQ(ShownTitle(app->MainFrame()), "Fire safety - Corvessa");
}

// Guards a command-line file that cannot be opened: the document's message, and start-up ends.
TEST(StartUp, CommandLineFileThatCannotBeOpened)
{
    AppFixture f;
    auto app = f.Start({"corvessa", f.tree / "nowhere/Missing.kvx"}, CStartupSequence::Result::Failed);
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_TRUE(f.prompt.Texts()[0].contains(f.tree / "nowhere/Missing.kvx"));
}

// Guards start-up against a damaged per-user place: a file standing where the folder should be, and
// unreadable profile files, give a message naming the folder and the program starts with the defaults.
TEST(StartUp, MissingOrDamagedPerUserFolder)
{
    {
        AppFixture f;
        f.tree.Write("config/Zerandt/Corvessa4", "not a folder");
        auto app = f.Start();
        ASSERT_EQ(f.prompt.Texts().size(), 1);
        EXPECT_TRUE(f.prompt.Texts()[0].endsWith("\n" + f.AppData())) << qPrintable(f.prompt.Texts()[0]);
        EXPECT_TRUE(app->MainFrame()->isVisible());
        EXPECT_EQ(app->GraphicsLibraryRoot(), f.ProgramFolder() + "/Library/");
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    {
        AppFixture f;
        static const char damaged[] = "\x00\xff[Library\nImage Root Path\x00=";
        f.tree.Write("config/Zerandt/Corvessa4/kvx.ini", QByteArray(damaged, sizeof damaged - 1));
        f.tree.Write("config/Zerandt/registry.ini", QByteArray(300, '\xfe'));
        auto app = f.Start();
        EXPECT_TRUE(f.prompt.Texts().isEmpty()) << qPrintable(f.prompt.Texts().join(" | "));
        EXPECT_EQ(app->GraphicsLibraryRoot(), f.ProgramFolder() + "/Library/");
        EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
    }
}

// Guards the ends of start-up: a missing word list stops it with a message naming the file, and the
// temporary folder of the process is removed at exit in every case.
TEST(StartUp, FailedStartStillCleansUp)
{
    AppFixture f;
    QFile::remove(f.ProgramFolder() + "/exclusionList.txt");
    const QString temp = f.AppData() + "/temp4242";
    f.tree.Write("config/Zerandt/Corvessa4/temp4242/kvb.cmd", "x");
    f.tree.Write("config/Zerandt/Corvessa4/temp4243/other process.txt", "x");
    auto app = f.Start({"corvessa"}, CStartupSequence::Result::Failed);
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_TRUE(f.prompt.Texts()[0].contains("exclusionList.txt"));
    EXPECT_EQ(app->TempFolder(), temp);
    app->ExitInstance();
    EXPECT_FALSE(QFileInfo::exists(temp));
    EXPECT_TRUE(QFileInfo::exists(f.AppData() + "/temp4243/other process.txt"));
}

// Guards the automation start: no window, no message, no file read or written.
TEST(StartUp, AutomationStartOpensNothing)
{
    AppFixture f;
    QFile::remove(f.ProgramFolder() + "/registry.ini"); // would be reported by a normal start
    auto app = f.Start({"corvessa", "/Automation"}, CStartupSequence::Result::AutomationOnly);
    EXPECT_FALSE(app->MainFrame());
    EXPECT_FALSE(app->Document());
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.tree / "config"));
    EXPECT_EQ(app->ExitInstance(), 0);
}

// Guards the substitutions the publisher gets: a later line with the same key wins, and the empty key of a
// line without a tab is stored but replaces nothing.
TEST(StartUp, SpecialCharactersForThePublisher)
{
    AppFixture f;
    auto app = f.Start();
    EXPECT_EQ(app->SpecialCharacters().Count(), 2);
    QString text = "banana";
    app->SpecialCharacters().Apply(text);
    EXPECT_EQ(text, "bcncnc");
}

// Guards the window the author arranged: its size and place come back at the next start.
TEST(StartUp, WindowStateIsRemembered)
{
    AppFixture f;
    {
        auto app = f.Start();
        app->MainFrame()->resize(900, 640);
        ASSERT_TRUE(app->MainFrame()->close());
    }
    f.prompt.Clear();
    auto again = f.Start();
    EXPECT_EQ(again->MainFrame()->size(), QSize(900, 640));
}

// Guards the About box's text: the version and the build time of day without its colons.
TEST(StartUp, AboutBox)
{
    EXPECT_EQ(CAboutDlg::VersionLine("4.009", "09:05:07"), "Version 4.009 (090507)");
    CAboutDlg about("4.009");
    EXPECT_EQ(about.windowTitle(), "About Corvessa");
    EXPECT_TRUE(about.VersionLabel()->text().startsWith("Version 4.009 ("));
    EXPECT_EQ(about.VersionLabel()->text().size(), QString("Version 4.009 (123456)").size());
}
