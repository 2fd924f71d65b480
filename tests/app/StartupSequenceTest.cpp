#include "FakeRegistry.h"
#include "app/ImagesXmlIndex.h"
#include "app/StartupSequence.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "platform/StringTable.h"
#include "support/TempTree.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace CorvRegistryKeys;

namespace {

const QByteArray kIndex = "<?xml version=\"1.0\"?>\n<images><image><name>Apple</name><file>apple.jpg</file></image>"
                          "<image><file>pear.jpg</file></image></images>\n";

// The window side of start-up, reduced to a record of the calls in their order.
class CRecordingHost : public CStartupHost
{
public:
    QStringList calls;
    bool createFrame = true;
    bool commandLine = true;
    QStringList used;
    QList<QPair<QString, QString>> substitutions;

    bool CreateFrameAndDocument() override { calls.append("frame"); return createFrame; }
    void ShowMainWindow() override { calls.append("show"); }
    void ShowLoadingWindow() override { calls.append("loading window"); }
    void CloseLoadingWindow() override { calls.append("close loading window"); }
    QStringList *UsedLibraryPictures() override { return &used; }
    void SetSpecialCharacters(const QList<QPair<QString, QString>> &pairs) override
    {
        calls.append("special characters");
        substitutions = pairs;
    }
    void CreateMainViews() override { calls.append("views"); }
    void UpdateBarVisibility() override { calls.append("bars"); }
    bool ProcessCommandLine(const CCommandLineInfo &info) override
    {
        calls.append("command line " + info.fileName);
        return commandLine;
    }
    void FocusCategoryTree() override { calls.append("focus"); }
};

struct Startup {
    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
    CRecordingHost host;
    CFakeRegistry registry;
    std::unique_ptr<CImagesXmlIndex> index;

    Startup()
    {
        tree.Write("bin/exclusionList.txt", "The\r\n And \r\n");
        tree.Write("bin/specialChars.txt", "a\tb\r\n");
        tree.Write("bin/images.xml", kIndex);
        context.programFolder = tree / "bin";
        context.versionText = "4.009";
        context.prompt = &prompt;
        registry.AddKey(RegistryHive::LocalMachine, kProductKey);
        index = std::make_unique<CImagesXmlIndex>(context);
    }
    CStartupSequence::Result Run(const QStringList &arguments = {"corvessa"}, QString base = {})
    {
        CStartupSequence sequence(host, registry, *index, context, base.isEmpty() ? tree / "config" : base);
        const auto result = sequence.Run(CCommandLineInfo::Parse(arguments));
        excluded = sequence.ExcludedWords();
        return result;
    }
    QStringList excluded;
};

} // namespace

// Guards the order of start-up: the project named on the command line is opened only once every main view
// exists, and the focus goes to the category tree last; the folders and texts are filled on the way.
TEST(StartupSequence, RunsTheStepsInOrder)
{
    Startup s;
    ASSERT_EQ(s.Run({"corvessa", "/home/a/Demo.kvx"}), CStartupSequence::Result::Running);
    EXPECT_EQ(s.host.calls, (QStringList{"frame", "show", "loading window", "close loading window", "special characters",
                                         "views", "bars", "command line /home/a/Demo.kvx", "focus"}));
    EXPECT_TRUE(s.prompt.Texts().isEmpty());
    EXPECT_EQ(s.context.majorVersionText, "4");
    EXPECT_EQ(s.context.appDataFolder, s.tree / "config/Zerandt/Corvessa4");
    EXPECT_TRUE(QFileInfo(s.context.appDataFolder).isDir());
    EXPECT_EQ(s.context.graphicsLibraryRoot, s.tree / "bin/Library/");
    EXPECT_EQ(s.excluded, (QStringList{"the", "and"}));
    EXPECT_EQ(s.host.substitutions, (QList<QPair<QString, QString>>{{"a", "b"}}));
    EXPECT_TRUE(s.index->IsLoaded());
    EXPECT_EQ(s.index->ImageCount(), 2);
    EXPECT_TRUE(s.registry.changes.isEmpty());
}

// Guards the version that names the per-user folder: a program without version information is "3.0".
TEST(StartupSequence, PerUserFolderFollowsTheVersion)
{
    Startup s;
    s.context.versionText = "3.0";
    ASSERT_EQ(s.Run(), CStartupSequence::Result::Running);
    EXPECT_EQ(s.context.appDataFolder, s.tree / "config/Zerandt/Corvessa3");
}

// Guards start-up's hard stops: no excluded words or no index ends it after the message that names the
// file, and the wait window never stays up.
TEST(StartupSequence, MissingFilesEndStartUpWithTheirMessage)
{
    {
        Startup s;
        QFile::remove(s.tree / "bin/exclusionList.txt");
        EXPECT_EQ(s.Run(), CStartupSequence::Result::Failed);
        ASSERT_EQ(s.prompt.Texts().size(), 1);
        EXPECT_TRUE(s.prompt.Texts()[0].contains(s.tree / "bin/exclusionList.txt")) << qPrintable(s.prompt.Texts()[0]);
        EXPECT_EQ(s.host.calls, (QStringList{"frame", "show"}));
    }
    for (const QByteArray &broken : {QByteArray(), QByteArray("<images><image>"), QByteArray("\xff\xfe garbage")}) {
        Startup s;
        if (broken.isNull())
            QFile::remove(s.tree / "bin/images.xml");
        else
            s.tree.Write("bin/images.xml", broken);
        EXPECT_EQ(s.Run(), CStartupSequence::Result::Failed);
        EXPECT_EQ(s.prompt.Texts(), QStringList{CStringTable::Load(57347) + s.tree / "bin/images.xml"});
        EXPECT_EQ(s.host.calls, (QStringList{"frame", "show", "loading window", "close loading window"}));
    }
}

// Guards the steps the window side can refuse, and the automation start that reads and shows nothing.
TEST(StartupSequence, RefusalsAndAutomation)
{
    {
        Startup s;
        s.host.createFrame = false;
        EXPECT_EQ(s.Run(), CStartupSequence::Result::Failed);
        EXPECT_EQ(s.host.calls, QStringList{"frame"});
        EXPECT_TRUE(s.prompt.Texts().isEmpty());
    }
    {
        Startup s;
        s.host.commandLine = false;
        EXPECT_EQ(s.Run(), CStartupSequence::Result::Failed);
        EXPECT_FALSE(s.host.calls.contains("focus"));
    }
    {
        Startup s;
        s.registry = CFakeRegistry(); // no key anywhere: it would be reported
        EXPECT_EQ(s.Run({"corvessa", "/Embedding"}), CStartupSequence::Result::AutomationOnly);
        EXPECT_TRUE(s.host.calls.isEmpty());
        EXPECT_TRUE(s.prompt.Texts().isEmpty());
        EXPECT_FALSE(s.index->IsLoaded());
        EXPECT_FALSE(QFileInfo::exists(s.tree / "config"));
    }
}

// Guards a damaged per-user place: the folder that cannot be made is told with the system's reason and
// start-up goes on; a missing registry key is told once and start-up goes on.
TEST(StartupSequence, DamagedPerUserPlacesDoNotStopStartUp)
{
    Startup s;
    s.tree.Write("config", "a file where the per-user folder should be");
    s.registry = CFakeRegistry();
    ASSERT_EQ(s.Run(), CStartupSequence::Result::Running);
    const QStringList texts = s.prompt.Texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], CStringTable::Load(61466));
    // The system's reason, then the level of the folder that could not be made.
    const QString folder = texts[1].section(u'\n', -1);
    EXPECT_TRUE(s.context.appDataFolder.startsWith(folder) && folder.startsWith(s.tree / "config")) << qPrintable(texts[1]);
    EXPECT_FALSE(texts[1].section(u'\n', 0, 0).isEmpty());
    EXPECT_EQ(s.context.graphicsLibraryRoot, s.tree / "bin/Library/");
    EXPECT_TRUE(s.host.calls.contains("focus"));
}

// Guards the index load: parsed once per run, with a copy of the excluded words.
TEST(ImagesXmlIndex, LoadsOnceAndKeepsItsOwnWords)
{
    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
    context.prompt = &prompt;
    CImagesXmlIndex index(context);
    QStringList words = {"the"};
    QStringList used;
    const QString path = tree.Write("images.xml", kIndex);
    ASSERT_EQ(index.LoadLibraryIndex(path, words, &used), 1);
    words.append("and");
    tree.Write("images.xml", "not xml at all");
    EXPECT_EQ(index.LoadLibraryIndex(path, words, &used), 1);
    EXPECT_EQ(index.ParseCount(), 1);
    EXPECT_EQ(index.ExcludedWords(), QStringList{"the"});
    EXPECT_TRUE(prompt.Texts().isEmpty());
}
