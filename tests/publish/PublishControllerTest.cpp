#include "LmsFixture.h"

#include "model/ComponentLink.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/StringTable.h"
#include "publish/PublishController.h"

namespace {

// A controller whose drivers only record what they were asked to do, and succeed or fail on request.
class RecordingController : public CPublishController
{
public:
    RecordingController(CCorvessaDoc &document, const COutlineTree *tree, Services services)
        : CPublishController(document, tree, std::move(services)), m_doc(document)
    {
    }

    struct Call {
        Driver driver;
        QString folder;
        int lessonMode;
        int useAsp;
        QString webFolder;
    };
    std::vector<Call> calls;
    bool aspSucceeds = true;
    bool throwFromAsp = false;
    std::vector<const CCorvPage *> previews;

protected:
    bool RunPreview(CCorvPage &screen) override
    {
        previews.push_back(&screen);
        return true;
    }

    bool RunDriver(Driver driver, const QString &folder, int lessonMode, const QString &webFolder) override
    {
        calls.push_back({driver, folder, lessonMode, m_doc.Settings().UseASP, webFolder});
        if (driver == DriveWebAsp && throwFromAsp)
            throw std::runtime_error("disk gone");
        return driver == DriveWebAsp ? aspSucceeds : true;
    }

private:
    CCorvessaDoc &m_doc;
};

class PublishControllerTest : public LmsStepTest
{
protected:
    PublishControllerTest()
    {
        doc->SetPathName(tmp / "courses/Demo.kvx");
        tmp.MakeFolder("courses");
        doc->MutableSettings().UseDefaultOutputFolder = {1, 1, 1, 1};
        services.saveProject = [this] { ++saves; return saveAnswer; };
        services.open = [this](const QString &path) { opened << "open " + path; };
        services.openInBrowser = [this](const QString &path) { opened << "browse " + path; };
        services.busy = [this](bool on) { busyLog << on; };
        controller = std::make_unique<RecordingController>(*doc, &tree, services);
    }

    void AddScreens(int content, int questions)
    {
        doc->ClearMainScreens();
        int number = 1;
        const auto add = [&](int pageType) {
            doc->AddScreen(std::make_unique<CCorvPage>(number, "S", "", "", 0,
                                                                     QStringLiteral("1_%1").arg(number), pageType, 0));
            ++number;
        };
        for (int i = 0; i < content; ++i)
            add(pt_document);
        for (int i = 0; i < questions; ++i)
            add(pt_question);
        add(pt_folder);
    }

    QString Published(const char *kind) const { return tmp / (QStringLiteral("courses/Demo Published files/") + kind); }

    CPublishController::Services services;
    std::unique_ptr<RecordingController> controller;
    int saves = 0;
    bool saveAnswer = true;
    QStringList opened;
    QList<bool> busyLog;
};

} // namespace

// Guards the density rule: content screens per question screen, truncated, against the author's limit;
// menus do not count, equality does not fire, no question at all counts every content screen, and the
// rule is off unless the author asked for it.
TEST_F(PublishControllerTest, DensityRule)
{
    struct Case {
        int content, questions, limit, warn;
        bool fires;
    } const cases[] = {
        {12, 2, 5, 1, true}, {12, 3, 5, 1, false}, {12, 0, 5, 1, true}, {10, 2, 5, 1, false},
        {12, 0, 5, 0, false}, {0, 0, 0, 1, false}, {1, 0, 0, 1, true},
    };
    for (const Case &c : cases) {
        AddScreens(c.content, c.questions);
        doc->MutableSettings().WarnInteractTooLow = c.warn;
        doc->MutableSettings().ContentScreenCount = c.limit;
        EXPECT_EQ(controller->TooFewQuestions(), c.fires) << c.content << "/" << c.questions << " limit " << c.limit;
    }
}

// Guards a "Yes" to the density question and a refused save: the command ends with nothing saved,
// published or remembered; a "No" goes on to save and publish.
TEST_F(PublishControllerTest, DensityAnswerAndSaveDecide)
{
    AddScreens(12, 2);
    doc->MutableSettings().WarnInteractTooLow = 1;
    doc->MutableSettings().ContentScreenCount = 5;
    prompt.Script({CPrompt::yes});
    controller->Publish(CPublishController::Standalone);
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(controller->calls.empty());
    EXPECT_EQ(prompt.Texts(), QStringList{CStringTable::Load(35056).arg(5)});

    prompt.Script({CPrompt::no});
    saveAnswer = false;
    controller->Publish(CPublishController::Standalone);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(controller->calls.empty());
    EXPECT_FALSE(controller->HasPublished(CPublishController::Standalone));

    prompt.Script({CPrompt::no});
    saveAnswer = true;
    controller->Publish(CPublishController::Standalone);
    ASSERT_EQ(controller->calls.size(), 1u);
    EXPECT_EQ(controller->calls[0].driver, CPublishController::DriveStandalone);
    EXPECT_EQ(controller->calls[0].folder, Published("Standalone"));
    EXPECT_EQ(busyLog, (QList<bool>{true, false}));
    EXPECT_TRUE(controller->HasPublished(CPublishController::Standalone));
    EXPECT_EQ(controller->PreviewPage(), Published("Standalone") + "/index.htm");
}

// Guards where each kind goes: beside the project by default, inside a folder of its own under a custom
// standalone folder, straight into the custom folder for the others, and nowhere (one message, no
// publisher, nothing remembered) when the custom folder is missing.
TEST_F(PublishControllerTest, OutputFolders)
{
    const QString custom = tmp.MakeFolder("D");
    doc->MutableSettings().UseDefaultOutputFolder = {0, 0, 0, 0};
    doc->MutableSettings().OutputFolder = {custom, custom, custom, ""};
    EXPECT_EQ(controller->OutputFolder(CPublishController::Standalone), custom + "/Demo Published files/Standalone");
    EXPECT_EQ(controller->OutputFolder(CPublishController::Lan), custom);
    EXPECT_EQ(controller->OutputFolder(CPublishController::Web), custom);
    EXPECT_EQ(controller->OutputFolder(CPublishController::Lms), Published("LMS"));
    EXPECT_TRUE(prompt.Texts().isEmpty());

    doc->MutableSettings().OutputFolder[1] = tmp / "gone";
    controller->Publish(CPublishController::Lan);
    EXPECT_EQ(prompt.Texts(), QStringList{CStringTable::Load(61482)});
    EXPECT_TRUE(controller->calls.empty());
    EXPECT_FALSE(controller->HasPublished(CPublishController::Lan));
}

// Guards the prefix and title of a project whose name has more than one dot or an extension of another
// length: the title is the name without its last extension, whatever its length.
TEST_F(PublishControllerTest, TitleAndPrefixComeFromTheFileName)
{
    doc->SetPathName(tmp / "courses/My.Course.project");
    EXPECT_EQ(controller->OutputFolder(CPublishController::Lan), tmp / "courses/My.Course Published files/Lan-based database");
    EXPECT_FALSE(controller->ProjectPrefix().contains(u'.'));
}

// Guards the completion message of an ASP web publish: shown once, by the window, when every step
// succeeded; never after a failure; never for PHP pages, whose driver reports for itself.
TEST_F(PublishControllerTest, AspCompletionMessage)
{
    doc->MutableSettings().UseASP = 1;
    controller->Publish(CPublishController::Web);
    EXPECT_EQ(prompt.Texts(), QStringList{CStringTable::Load(35009).arg(Published("Web-based database"))});
    EXPECT_TRUE(controller->HasPublished(CPublishController::Web));

    prompt.Clear();
    controller->aspSucceeds = false;
    controller->Publish(CPublishController::Web);
    EXPECT_TRUE(prompt.Texts().isEmpty());

    doc->MutableSettings().UseASP = 0;
    controller->Publish(CPublishController::Web);
    EXPECT_TRUE(prompt.Texts().isEmpty());
    EXPECT_EQ(controller->calls.back().driver, CPublishController::DriveWebPhp);
}

// Guards the lesson-folder LMS publish: one save, the ASP web course first in its lesson mode with the
// author's PHP choice put back afterwards, then the lesson from that web folder; and when the web part
// fails, throws or has no folder, no lesson is copied from nowhere and the choice still comes back.
TEST_F(PublishControllerTest, LessonFolderMode)
{
    doc->MutableSettings().UseOstrelle = 1;
    doc->MutableSettings().UseASP = 0;
    controller->Publish(CPublishController::Lms);
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(controller->calls.size(), 2u);
    EXPECT_EQ(controller->calls[0].driver, CPublishController::DriveWebAsp);
    EXPECT_EQ(controller->calls[0].lessonMode, 1);
    EXPECT_EQ(controller->calls[0].useAsp, 1);
    EXPECT_EQ(controller->calls[1].driver, CPublishController::DriveLessonFolder);
    EXPECT_EQ(controller->calls[1].folder, Published("LMS"));
    EXPECT_EQ(controller->calls[1].webFolder, Published("Web-based database"));
    EXPECT_EQ(doc->Settings().UseASP, 0);
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join('|'));
    EXPECT_FALSE(controller->HasPublished(CPublishController::Web));

    controller->calls.clear();
    controller->aspSucceeds = false;
    controller->Publish(CPublishController::Lms);
    ASSERT_EQ(controller->calls.size(), 1u);
    EXPECT_EQ(prompt.Texts(), QStringList{CStringTable::Load(25030)});
    EXPECT_EQ(doc->Settings().UseASP, 0);

    controller->calls.clear();
    controller->throwFromAsp = true;
    EXPECT_THROW(controller->Publish(CPublishController::Lms), std::runtime_error);
    EXPECT_EQ(doc->Settings().UseASP, 0);

    controller->calls.clear();
    controller->throwFromAsp = false;
    prompt.Clear();
    doc->MutableSettings().UseDefaultOutputFolder[2] = 0;
    doc->MutableSettings().OutputFolder[2] = tmp / "gone";
    controller->Publish(CPublishController::Lms);
    EXPECT_TRUE(controller->calls.empty());
    EXPECT_EQ(prompt.Texts(), (QStringList{CStringTable::Load(61482), CStringTable::Load(25030)}));
    EXPECT_TRUE(controller->HasPublished(CPublishController::Lms));
}

// Guards the open-folder and preview buttons: nothing before a publish; the LMS button opens the folder
// holding the package when one is made, the lesson folder in the lesson-folder mode, else the folder.
TEST_F(PublishControllerTest, FoldersToOpen)
{
    controller->OpenPublishedFolder(CPublishController::Lms);
    controller->PreviewPublished();
    EXPECT_TRUE(opened.isEmpty());

    controller->Publish(CPublishController::Lms);
    controller->Publish(CPublishController::Standalone);
    const QString parent = tmp / "courses/Demo Published files";
    struct Case {
        int zip, lessonMode;
        QString expected;
    } const cases[] = {{0, 0, parent + "/LMS"}, {1, 0, parent}, {1, 1, parent + "/lesson1"}, {0, 1, parent + "/lesson1"}};
    doc->MutableSettings().OstrelleLessonFolder = "lesson1";
    for (const Case &c : cases) {
        doc->MutableSettings().CreateZip = c.zip;
        doc->MutableSettings().UseOstrelle = c.lessonMode;
        EXPECT_EQ(controller->FolderToOpen(CPublishController::Lms), c.expected) << c.zip << c.lessonMode;
    }
    doc->MutableSettings().UseOstrelle = 0;
    doc->MutableSettings().CreateZip = 0;
    controller->OpenPublishedFolder(CPublishController::Lms);
    controller->PreviewPublished();
    EXPECT_EQ(opened, (QStringList{"open " + parent + "/LMS", "browse " + parent + "/Standalone/index.htm"}));
}

// Guards the screen preview command: it needs a screen, saves nothing, drops the screen's links to screens
// that are gone, and the window shows it busy for as long as it runs.
TEST_F(PublishControllerTest, ScreenPreviewNeedsAScreenAndNoSave)
{
    AddScreens(1, 0);
    EXPECT_FALSE(controller->PreviewScreen(nullptr));
    EXPECT_TRUE(busyLog.isEmpty());
    CCorvPage *screen = doc->MainScreens().front().get();
    auto link = std::make_unique<CComponentLink>();
    link->SetTargetPageId(4242);
    ASSERT_TRUE(screen->AddComponent(std::move(link)));
    const int components = screen->GetComponentCount();
    EXPECT_TRUE(controller->PreviewScreen(screen));
    EXPECT_EQ(screen->GetComponentCount(), components - 1);
    EXPECT_EQ(controller->previews, std::vector<const CCorvPage *>{screen});
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(busyLog, (QList<bool>{true, false}));
}
