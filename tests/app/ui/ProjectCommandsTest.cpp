#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/RecentFileList.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "model/CorvPage.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/IniFile.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QCheckBox>
#include <QProgressDialog>
#include <QApplication>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace CorvCommand;

// Guards Save As, Open and the recent projects: the extension is added to a bare name, every project saved
// or opened joins the list (kept in the user's profile for the next run), and a listed project that can no
// longer be opened leaves the list.
TEST(ProjectCommands, SaveAsOpenAndRecentProjects)
{
    AppFixture f;
    const QString other = f.WriteProject("b/Other.kvx", {{"1", "Only screen", pt_document}});
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    app->Document()->MutableSettings().CourseName = "Saved course";
    f.dialogs.answers = {f.tree / "a/Demo"};
    f.tree.MakeFolder("a");
    frame->Action(FileSaveAs)->trigger();
    const QString demo = f.tree / "a/Demo.kvx";
    EXPECT_TRUE(QFileInfo(demo).isFile());
    EXPECT_EQ(app->Document()->GetPathName(), demo);
    EXPECT_EQ(ShownTitle(frame), "Demo - Corvessa");
    ASSERT_TRUE(f.dialogs.asked.last().endsWith("|Corvessa File (*.kvx)"));

    f.dialogs.answers = {other};
    frame->Action(FileOpen)->trigger();
    EXPECT_EQ(app->Document()->GetPathName(), other);
    EXPECT_EQ(app->EditView()->OutlineWidget()->topLevelItemCount(), 1);
    EXPECT_EQ(app->RecentFiles().Files(), (QStringList{other, demo}));

    CRecentFileList stored;
    stored.ReadList(CIniFile(f.tree / "config/Zerandt/registry.ini"));
    EXPECT_EQ(stored.Files(), (QStringList{other, demo}));

    // An opened project is unchanged, so leaving it for a recent one asks nothing.
    f.prompt.Clear();
    frame->findChild<QAction *>("RecentFile2")->trigger();
    EXPECT_EQ(app->Document()->GetPathName(), demo);
    EXPECT_EQ(app->Document()->Settings().CourseName, "Saved course");
    EXPECT_TRUE(f.prompt.Texts().isEmpty()) << qPrintable(f.prompt.Texts().join(" | "));

    QFile::remove(other);
    f.prompt.SetFallback(CPrompt::no);
    app->OpenRecentFile(1);
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{demo});
    EXPECT_EQ(app->Document()->GetPathName(), demo);
}

// Guards the author's unsaved work: New, Open and closing ask first; Cancel keeps everything as it was, and
// "Yes" saves (asking for a name when the project has none) before going on.
TEST(ProjectCommands, UnsavedChangesAreAskedFor)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().CourseName = "Work in progress";
    doc->SetModifiedFlag();

    f.prompt.Script({CPrompt::cancel});
    frame->Action(FileNew)->trigger();
    EXPECT_EQ(doc->Settings().CourseName, "Work in progress");
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Save changes to Untitled?"});
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(f.dialogs.asked.isEmpty());

    f.prompt.Script({CPrompt::yes});
    f.dialogs.answers = {f.tree / "Kept.kvx"};
    frame->Action(FileNew)->trigger();
    EXPECT_TRUE(QFileInfo(f.tree / "Kept.kvx").isFile());
    EXPECT_TRUE(doc->Settings().CourseName.isEmpty());
    EXPECT_TRUE(doc->GetPathName().isEmpty());
    EXPECT_EQ(ShownTitle(frame), "Untitled - Corvessa");

    // A save that is cancelled is no save: the project stays.
    doc->MutableSettings().CourseName = "Second";
    doc->SetModifiedFlag();
    f.prompt.Script({CPrompt::yes});
    frame->Action(FileOpen)->trigger();
    EXPECT_EQ(doc->Settings().CourseName, "Second");
    EXPECT_EQ(f.dialogs.asked.last().left(5), "save|");
}

// Guards the Import and Edit windows' contents: the topic table and the outline follow the project.
TEST(ProjectCommands, WindowsShowTheProject)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    doc->AddTopic(std::make_unique<CTopic>("1", "Fire", "Banner", "fire.docx", "TRUE"));
    doc->AddScreen(std::make_unique<CCorvPage>(1, "Menu", "", "", 0, "1", pt_folder, 0));
    doc->AddScreen(std::make_unique<CCorvPage>(2, "Question", "", "", 0, "1_1", pt_question, 0));
    doc->AddScreen(std::make_unique<CCorvPage>(3, "Help", "", "", 0, "P1", pt_popups_only, 0), nullptr, true, false);
    doc->UpdateAllViews();
    QTableWidget *topics = app->ImportView()->TopicTable();
    ASSERT_EQ(topics->rowCount(), 1);
    EXPECT_EQ(topics->item(0, 1)->text(), "Fire");
    EXPECT_EQ(topics->item(0, 4)->checkState(), Qt::Checked);
    EXPECT_TRUE(topics->item(0, 4)->text().isEmpty()) << "the tick alone shows the value";
    QTreeWidget *outline = app->EditView()->OutlineWidget();
    ASSERT_EQ(outline->topLevelItemCount(), 2);
    EXPECT_EQ(CDragDropTreeCtrl::OutlineItemOf(outline->topLevelItem(0)->child(0))->screen->GetLabel(), "1_1");
    EXPECT_EQ(outline->topLevelItem(1)->text(0), "Help");
    outline->setCurrentItem(outline->topLevelItem(0)->child(0));
    ASSERT_TRUE(app->EditView()->GetCurrentPage());
    EXPECT_EQ(app->EditView()->GetCurrentPage()->GetTitle(), "Question");
}

namespace {

void AddScreens(CCorvessaDoc &doc, int content, int questions)
{
    int number = 1;
    doc.AddScreen(std::make_unique<CCorvPage>(number++, "Menu", "", "", 0, "1", pt_folder, 0));
    const auto add = [&](const char *title, int pageType) {
        const QString label = QStringLiteral("1_%1").arg(number);
        doc.AddScreen(std::make_unique<CCorvPage>(number++, title, "", "", 0, label, pageType, 0));
    };
    for (int i = 0; i < content; ++i)
        add("Text", pt_document);
    for (int i = 0; i < questions; ++i)
        add("Quiz", pt_question);
    doc.UpdateAllViews();
}

} // namespace

// Guards the question-density warning: content screens per question screen above the author's limit, and
// no warning unless the author asked for it.
TEST(Publish, TooFewQuestions)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    struct Case { int warn, content, questions, limit; bool fires; };
    const Case cases[] = {{1, 12, 2, 5, true}, {1, 12, 3, 5, false}, {1, 12, 0, 5, true},
                          {1, 10, 2, 5, false}, {0, 12, 0, 5, false}, {1, 0, 0, -1, true}};
    for (const Case &c : cases) {
        doc->ClearMainScreens();
        AddScreens(*doc, c.content, c.questions);
        doc->MutableSettings().WarnInteractTooLow = c.warn;
        doc->MutableSettings().ContentScreenCount = c.limit;
        EXPECT_EQ(app->PublishView()->TooFewQuestions(), c.fires) << c.content << "/" << c.questions;
    }
}

// Guards where a publish goes: beside the project by default, in the author's folder (inside a folder of
// its own for a standalone course), and nowhere, after the message, when the author's folder is missing.
TEST(Publish, OutputFolders)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    CPublishFrmVw *view = app->PublishView();
    doc->SetPathName(f.tree / "courses/Demo.kvx");
    doc->MutableSettings().UseDefaultOutputFolder = {1, 1, 0, 0};
    doc->MutableSettings().OutputFolder = {f.tree / "out", "", "", f.tree / "out"};
    f.tree.MakeFolder("out");
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Standalone), f.tree / "courses/Demo Published files/Standalone");
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Lan), f.tree / "courses/Demo Published files/Lan-based database");
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Web), f.tree / "courses/Demo Published files/Web-based database");
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Lms), f.tree / "out");
    doc->MutableSettings().UseDefaultOutputFolder[0] = 0;
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Standalone), f.tree / "out/Demo Published files/Standalone");
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
    doc->MutableSettings().OutputFolder[3] = f.tree / "gone";
    EXPECT_EQ(view->OutputFolder(CPublishFrmVw::Lms), "");
    EXPECT_EQ(f.prompt.Texts(), QStringList{CStringTable::Load(61482)});
}

// Guards a whole publish from the button: the course is saved first and the publisher builds its folder
// beside the project; a "Yes" to the density warning stops before anything is saved.
TEST(Publish, ButtonSavesAndPublishes)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    AddScreens(*doc, 2, 0);
    doc->MutableSettings().WarnInteractTooLow = 1;
    doc->MutableSettings().ContentScreenCount = 1;
    app->OnViewPublish();
    f.prompt.Script({CPrompt::yes});
    app->PublishView()->Button(CPublishFrmVw::Standalone)->click();
    EXPECT_TRUE(f.dialogs.asked.isEmpty());

    f.prompt.Script({CPrompt::no});
    f.dialogs.answers = {f.tree / "p/Demo.kvx"};
    f.tree.MakeFolder("p");
    app->MainFrame()->OnCommand(PublishStandaloneButton);
    EXPECT_TRUE(QFileInfo(f.tree / "p/Demo.kvx").isFile());
    EXPECT_TRUE(QFileInfo(f.tree / "p/Demo Published files/Standalone").isDir());
    EXPECT_TRUE(f.prompt.Texts()[0].startsWith("Instructional design experts")) << qPrintable(f.prompt.Texts().join(" | "));
}

// Guards the description of each kind of publishing while the mouse rests on its button.
TEST(Publish, DescriptionFollowsTheMouse)
{
    AppFixture f;
    auto app = f.Start();
    CPublishFrmVw *view = app->PublishView();
    CRolloverButton *lms = view->Button(CPublishFrmVw::Lms);
    EXPECT_EQ(lms->ControlId(), CorvCommand::PublishLmsButton);
    EXPECT_FALSE(lms->icon().isNull());
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(lms, &enter);
    EXPECT_EQ(view->Description()->text(), CStringTable::Load(25023));
    QApplication::sendEvent(lms, &leave);
    EXPECT_TRUE(view->Description()->text().isEmpty());
    // The keyboard reaches the description too: the button with the focus is described.
    CRolloverButton *web = view->Button(CPublishFrmVw::Web);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(web, &in);
    EXPECT_EQ(view->Description()->text(), CStringTable::Load(25022));
}

// Guards the lesson-folder mode of an LMS publish: the web-database part runs first with ASP pages, without
// a second warning or save and without its own completion message, and the author's choice of pages comes
// back afterwards.
TEST(Publish, LessonFolderModePublishesTheWebCourseFirst)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    AddScreens(*doc, 1, 1);
    doc->MutableSettings().UseOstrelle = 1;
    doc->MutableSettings().UseASP = 0;
    doc->MutableSettings().WarnInteractTooLow = 1;
    doc->MutableSettings().ContentScreenCount = 0;
    f.prompt.SetFallback(CPrompt::no);
    f.dialogs.answers = {f.tree / "p/Demo.kvx"};
    f.tree.MakeFolder("p");
    app->OnViewPublish();
    app->PublishView()->Button(CPublishFrmVw::Lms)->click();
    EXPECT_EQ(doc->Settings().UseASP, 0);
    EXPECT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(QFileInfo(f.tree / "p/Demo Published files/Web-based database").isDir());
    EXPECT_EQ(f.prompt.Texts().filter("Instructional design experts").size(), 1);
    EXPECT_TRUE(f.prompt.Texts().filter("Publish has completed successfully").isEmpty());
}

// Guards that the window's Save goes through the project file commands: a first save proposes the file
// name from the course title, and saving over the project keeps the file as it was in the backups folder.
TEST(ProjectCommands, SaveBacksUpTheProjectItReplaces)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    app->Document()->SetTitle("Fire safety");
    f.tree.MakeFolder("p");
    f.dialogs.answers = {f.tree / "p/Fire"};
    frame->Action(FileSave)->trigger();
    ASSERT_FALSE(f.dialogs.asked.isEmpty());
    EXPECT_TRUE(f.dialogs.asked.last().contains("Fire.kvx")) << f.dialogs.asked.last().toStdString();
    const QString project = f.tree / "p/Fire.kvx";
    ASSERT_TRUE(QFileInfo(project).isFile());
    EXPECT_FALSE(QFileInfo(f.tree / "p/Fire Backups").exists());

    app->Document()->MutableSettings().CourseName = "Changed";
    const int asked = int(f.dialogs.asked.size());
    frame->Action(FileSave)->trigger();
    EXPECT_EQ(int(f.dialogs.asked.size()), asked); // saved under its own name without a dialog
    const QStringList backups = QDir(f.tree / "p/Fire Backups").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups[0].startsWith("Fire ")) << backups[0].toStdString();
}

// Guards the progress window, which is modal to the whole program: it closes when an open or a save ends,
// whether it read a whole project or a damaged one, saved or failed to save, and after a publish, so the
// main window is never left blocked behind it.
TEST(ProjectCommands, ProgressWindowClosesWhenTheWorkEnds)
{
    AppFixture f;
    const QString good = f.WriteProject("p/Good.kvx", {{"1", "One", pt_document}, {"2", "Two", pt_document}});
    const QByteArray bytes = TempTree::ReadAll(good);
    f.tree.Write("p/Damaged.kvx", bytes.left(bytes.indexOf(QByteArray("T\0w\0o\0", 6)) + 4));
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    f.prompt.SetFallback(CPrompt::no);
    f.tree.MakeFolder("q");
    f.tree.Write("blocker", "a file where the project folder would go");
    const struct { const char *what; std::function<void()> run; } steps[] = {
        {"open", [&] { f.dialogs.answers = {good}; frame->Action(FileOpen)->trigger(); }},
        {"save", [&] { frame->Action(FileSave)->trigger(); }},
        {"open damaged", [&] { f.dialogs.answers = {f.tree / "p/Damaged.kvx"}; frame->Action(FileOpen)->trigger(); }},
        {"save refused", [&] { f.dialogs.answers = {f.tree / "blocker/X.kvx"}; frame->Action(FileSave)->trigger(); }},
        {"save as", [&] { f.dialogs.answers = {f.tree / "q/Y.kvx"}; frame->Action(FileSaveAs)->trigger(); }},
        {"publish", [&] { frame->Action(PublishStandaloneMenu)->trigger(); }},
        {"recent", [&] { app->OpenRecentFile(1); }},
    };
    for (const auto &step : steps) {
        step.run();
        const QList<QProgressDialog *> windows = frame->findChildren<QProgressDialog *>();
        ASSERT_EQ(windows.size(), 1) << step.what;
        EXPECT_FALSE(windows[0]->isVisible()) << step.what;
    }
    EXPECT_TRUE(f.prompt.Texts().join(" | ").contains("could be read only in part")) << qPrintable(f.prompt.Texts().join(" | "));
    EXPECT_TRUE(QFileInfo(f.tree / "q/Y Published files/Standalone").isDir());
}

// Guards the modified state and its mark in the title: opening a project, going through the four windows
// and publishing it leave it unmodified, so quitting asks nothing; a change puts the mark in the title and
// makes quitting ask, and a save takes the mark away.
TEST(ProjectCommands, ModifiedStateIsExact)
{
    AppFixture f;
    const QString path = f.WriteProject("p/Fire.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start({"corvessa", path});
    CMainFrame *frame = app->MainFrame();
    CCorvessaDoc *doc = app->Document();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ShownTitle(frame), "Fire - Corvessa");
    for (int view : {ImportViewIndex, EditViewIndex, PublishViewIndex, SettingsViewIndex})
        frame->Action(WindowSettings + view)->trigger();
    f.prompt.SetFallback(CPrompt::no);
    frame->Action(PublishStandaloneMenu)->trigger();
    EXPECT_TRUE(QFileInfo(f.tree / "p/Fire Published files/Standalone").isDir());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(frame->isWindowModified());

    // The compatibility box of the Publish window changes a setting the project file keeps.
    app->OnViewPublish();
    app->PublishView()->findChild<QCheckBox *>()->click();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ShownTitle(frame), "Fire* - Corvessa");
    f.prompt.Clear();
    f.prompt.Script({CPrompt::cancel});
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Save changes to Fire.kvx?"});

    frame->Action(FileSave)->trigger();
    EXPECT_EQ(ShownTitle(frame), "Fire - Corvessa");
    // A "[*]" in the project's own name is text, not the mark.
    doc->SetPathName(f.tree / "p/Odd[*]name.kvx");
    doc->SetModifiedFlag();
    EXPECT_EQ(ShownTitle(frame), "Odd[*]name* - Corvessa");
    doc->SetModifiedFlag(false);
    f.prompt.Clear();
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(f.prompt.Texts().isEmpty()) << qPrintable(f.prompt.Texts().join(" | "));
}
