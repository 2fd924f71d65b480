#include "AppFixture.h"

#include "app/CommandIds.h"
#include "editor/ui/EditFrmVw.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/DlgAddLink.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include "ShownCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

// The Publish window of a started application whose program folder holds the built program's data (the
// run-time, the themes, the templates), over a saved course of two screens. What it opens is recorded.
struct PublishingApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CPublishFrmVw *view = nullptr;
    CCorvessaDoc *doc = nullptr;
    QString project;
    QStringList opened;

    PublishingApp()
    {
        f.CopyBuiltProgramData();
        project = f.WriteProject("p/Demo.kvx", {{"1", "Welcome", pt_document}, {"2", "Exit Routes", pt_document}},
                                 "Fire Safety");
        app = f.Start();
        EXPECT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
        doc = app->Document();
        doc->MutableSettings().WarnInteractTooLow = 0;
        doc->MutableSettings().CreateZip = 1;
        doc->MutableSettings().LmsOpensNewWindow = 0;
        view = app->PublishView();
        view->Controller().SetOpeners([this](const QString &path) { opened << "open " + path; },
                                      [this](const QString &path) { opened << "browse " + path; });
        f.prompt.SetFallback(CPrompt::yes);
        f.prompt.Clear();
        app->OnViewPublish();
    }

    QString Published(const QString &kind) const { return f.tree / ("p/Demo Published files/" + kind); }
    QStringList Failures() const
    {
        return f.prompt.Texts().filter(QRegularExpression("^Fail|could not|cannot|missing", QRegularExpression::CaseInsensitiveOption));
    }
    void Click(CPublishFrmVw::Kind kind) { QTest::mouseClick(view->Button(kind), Qt::LeftButton); }
};

} // namespace

// Guards the whole path from the window to the learner: each publish button writes its course, the Edit
// window's preview command previews the chosen screen, and the standalone course, the preview and the LMS
// package are then checked in headless Chromium and by the package checker.
TEST(PublishedCourses, EachButtonWritesACourseThatOpensInTheBrowser)
{
    PublishingApp a;
    for (auto kind : {CPublishFrmVw::Standalone, CPublishFrmVw::Lan, CPublishFrmVw::Web,
                      CPublishFrmVw::Lms})
        a.Click(kind);
    EXPECT_EQ(a.Failures(), QStringList());
    EXPECT_TRUE(QFileInfo::exists(a.Published("Standalone") + "/index.htm"));
    EXPECT_TRUE(QFileInfo::exists(a.Published("Lan-based database") + "/index.htm"));
    EXPECT_TRUE(QFileInfo::exists(a.Published("Web-based database") + "/content/ind.htm"));
    EXPECT_TRUE(QFileInfo::exists(a.Published("LMS") + ".zip"));

    // The screen preview, from the Edit window's command with the second screen chosen.
    QTreeWidget *outline = a.app->EditView()->OutlineWidget();
    QTreeWidgetItem *chosen = nullptr;
    for (QTreeWidgetItemIterator it(outline); *it; ++it)
        for (int column = 0; column < outline->columnCount(); ++column)
            if ((*it)->text(column).contains("Exit Routes"))
                chosen = *it;
    ASSERT_NE(chosen, nullptr);
    outline->setCurrentItem(chosen);
    QAction *preview = a.app->MainFrame()->Action(CorvCommand::PreviewScreen);
    ASSERT_TRUE(preview->isEnabled());
    preview->trigger();
    const QString page = a.f.AppData() + "/preview/content/preview.htm";
    EXPECT_EQ(a.opened, QStringList{"browse " + page});
    EXPECT_EQ(a.Failures(), QStringList());

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_published_courses.py"),
                            a.Published("Standalone"), page, "Exit Routes", a.Published("LMS") + ".zip",
                            a.Published("LMS"), QStringLiteral(CORV_BUILD_TEST_DIR "/published-courses")});
    ASSERT_TRUE(check.waitForFinished(240000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}

// Guards a publish whose run-time step fails: the author is told which step, the window stays usable and
// the next publish runs.
TEST(PublishedCourses, FailedStepIsToldAndTheWindowGoesOn)
{
    PublishingApp a;
    ASSERT_TRUE(QFile::remove(a.f.ProgramFolder() + "/Themes/Classical/Classical.css"));
    a.f.prompt.SetFallback(CPrompt::ok);
    a.Click(CPublishFrmVw::Standalone);
    EXPECT_TRUE(a.f.prompt.Texts().contains("Fail while publishing.\nError occurs at CreateKvxCss."))
        << qPrintable(a.f.prompt.Texts().join(" | "));
    EXPECT_TRUE(a.view->isEnabled());
    EXPECT_TRUE(a.view->Button(CPublishFrmVw::Lan)->isEnabled());
    a.f.prompt.Clear();
    a.Click(CPublishFrmVw::Lan);
    EXPECT_TRUE(a.f.prompt.Texts().contains("Fail while publishing.\nError occurs at CreateKvxCss."));
}

// Guards the author's files against a custom output folder that must never be emptied: the project's own
// folder and the home folder are refused with a message, even when the author agrees to empty them, and
// everything in them stays.
TEST(PublishedCourses, CustomFolderThatHoldsTheAuthorsFilesIsNeverEmptied)
{
    PublishingApp a;
    const QString notes = a.f.tree.Write("p/notes.txt", "keep me");
    const QString home = a.f.tree.MakeFolder("home");
    const QString letter = a.f.tree.Write("home/letter.txt", "keep me too");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.toLocal8Bit());
    a.doc->MutableSettings().UseDefaultOutputFolder = {1, 0, 0, 1};
    a.doc->MutableSettings().OutputFolder = {QString(), a.f.tree / "p", home, QString()};
    a.doc->MutableSettings().UseASP = 0;

    a.Click(CPublishFrmVw::Lan);
    a.Click(CPublishFrmVw::Web);
    qputenv("HOME", oldHome);

    EXPECT_EQ(a.f.prompt.Texts().filter("cannot be emptied for publishing").size(), 2)
        << qPrintable(a.f.prompt.Texts().join(" | "));
    for (const QString &kept : {a.project, notes, letter})
        EXPECT_TRUE(QFileInfo::exists(kept)) << qPrintable(kept);
    EXPECT_TRUE(a.view->isEnabled());
}

// Guards a text link made as the author makes it, through the Add link dialog on the words selected in a
// text box: saved, reopened and published, it is a working link that takes the learner to its screen.
TEST(PublishedCourses, TextLinkMadeThroughTheDialogLeadsToItsScreen)
{
    PublishingApp a;
    const int target = a.doc->MainScreens()[1]->GetId();
    auto textbox = std::make_unique<CComponentTextbox>();
    textbox->SetBounds(CRect(40, 40, 640, 200), false);
    textbox->SetDefaultFont(QStringLiteral("Liberation Sans"), 14, 0);
    textbox->GetRichText().ReplaceAll(QStringLiteral("Read about the exit routes before you start."));
    {
        // The box is edited on an Edit canvas of its own, then taken from there into the course.
        ShownCanvas shown;
        CComponentTextbox *edited = shown.Put(std::move(textbox));
        auto *box = static_cast<CWndTextbox *>(edited->GetComponentWindow());
        CDlgAddLink dialog(*a.doc);
        dialog.values.selectedText = QStringLiteral("exit routes");
        dialog.ShowValues();
        dialog.show();
        dialog.PopupCheck()->click(); // opens in the course window
        dialog.ScreenCombo()->setCurrentIndex(dialog.ScreenCombo()->findData(target));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        box->Editor()->SetDocSelection(15, 26);
        ASSERT_TRUE(box->AddLink(dialog.values, a.f.prompt));
        textbox.reset(static_cast<CComponentTextbox *>(shown.screen->DetachComponent(edited).release()));
        textbox->DetachFromCanvas();
    }
    ASSERT_TRUE(a.doc->MainScreens()[0]->AddComponent(std::move(textbox)).Ok());
    ASSERT_TRUE(a.app->OnFileSave()) << qPrintable(a.f.prompt.Texts().join(" | "));
    ASSERT_TRUE(a.app->OpenDocumentFile(a.project)) << qPrintable(a.f.prompt.Texts().join(" | "));
    a.doc = a.app->Document();
    a.app->OnViewPublish();
    a.Click(CPublishFrmVw::Standalone);
    EXPECT_EQ(a.Failures(), QStringList());

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_published_link.py"),
                            a.Published("Standalone"), "exit routes", "Exit Routes",
                            QStringLiteral(CORV_BUILD_TEST_DIR "/published-courses/text-link-followed.png")});
    ASSERT_TRUE(check.waitForFinished(120000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}

// Guards a preview whose browser refuses to start (Chromium run as root ends at once): the author is told
// which page could not be shown and what the browser said, instead of nothing happening.
TEST(PublishedCourses, APreviewWhoseBrowserEndsAtOnceIsReported)
{
    AppFixture f;
    f.CopyBuiltProgramData();
    const QString project = f.WriteProject("p/Demo.kvx", {{"1", "Welcome", pt_document}}, "Fire Safety");
    // The desktop's opener stands for a browser that will not run.
    f.tree.MakeFolder("bin");
    const QString opener = f.tree / "bin/xdg-open";
    {
        QFile script(opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"Running as root without --no-sandbox is not supported.\"\nexit 1\n");
    }
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    struct PathFirst {
        QByteArray was = qgetenv("PATH");
        explicit PathFirst(const QString &folder) { qputenv("PATH", QFile::encodeName(folder) + ':' + was); }
        ~PathFirst() { qputenv("PATH", was); }
    } pathFirst(f.tree / "bin");

    auto app = f.Start({"corvessa", project});
    app->Document()->MutableSettings().WarnInteractTooLow = 0;
    f.prompt.SetFallback(CPrompt::ok);
    f.prompt.Clear();
    app->OnViewEdit();
    QAction *preview = app->MainFrame()->Action(CorvCommand::PreviewScreen);
    ASSERT_TRUE(preview->isEnabled());
    preview->trigger();
    const QString page = QDir::toNativeSeparators(f.AppData() + "/preview/content/preview.htm");
    const QString told = "The browser could not show the page\n" + page
                         + "\nRunning as root without --no-sandbox is not supported.";
    for (int i = 0; i < 500 && !f.prompt.Texts().contains(told); ++i)
        QTest::qWait(10);
    EXPECT_EQ(f.prompt.Texts(), QStringList{told});
    EXPECT_TRUE(QFileInfo::exists(page));
}
