#include "ZipRecords.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "platform/CorvContext.h"
#include "platform/RecordingProgress.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "publish/CharacterSubstitutions.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>

namespace {

using S = PublishStep;

enum Driver { Standalone, Lan, Asp, Php, Lms };

const char *DriverName(Driver d)
{
    static const char *const names[] = {"standalone", "LAN", "web ASP", "web PHP", "LMS"};
    return names[d];
}

// A publisher whose steps are scripted: each records that it ran (with the lesson mode where one is
// passed) and gives its scripted result (1 unless told). The tree step makes the output folder; the
// outline and package steps are the real ones.
class ScriptedPublisher : public CCoursePublisher
{
public:
    using CCoursePublisher::CCoursePublisher;

    std::map<PublishStep, int> results;
    // What a step adds to the publish's failures when it runs.
    std::map<PublishStep, QString> errors;
    QStringList ran;

protected:
    int RunStep(PublishStep step, int lessonMode) override
    {
        QString name = PublishStepName(step);
        if (step == S::CopySourceFiles2Target || step == S::CreatePrefsJS)
            name += QStringLiteral(":%1").arg(lessonMode);
        ran.append(name);
        if (const auto error = errors.find(step); error != errors.end())
            Context().AddError(error->second);
        if (step == S::BuildOutline || step == S::ZipPublishedFolder)
            return CCoursePublisher::RunStep(step, lessonMode);
        const auto it = results.find(step);
        const int result = it == results.end() ? 1 : it->second;
        if (step == S::BuildTargetDirectoryAndSubDirectories && result == 1) {
            QDir().mkpath(GetTargetFolder() + "/content/scripts/pics/tree");
            QFile page(GetTargetFolder() + "/index.htm");
            if (page.open(QIODevice::WriteOnly))
                page.write("<html></html>\n");
        }
        return result;
    }
};

class CoursePublisherTest : public ::testing::Test
{
protected:
    CoursePublisherTest()
    {
        context.prompt = &prompt;
        context.progress = &progress;
        context.programFolder = tmp.MakeFolder("program") + "/";
        tmp.Write("program/source/PlaceHolderText/outline.htm.txt", "<~dtree~>");
        doc = std::make_unique<CCorvessaDoc>(context);
        output = tmp / "Demo Published files/Out";
    }

    // A menu course: the menu, a topic container with a question, and a screen after the menu.
    void AddCourse()
    {
        auto add = [&](const QString &label, int type) {
            doc->AddScreen(std::make_unique<CCorvPage>(int(doc->MainScreens().size()) + 1, "S" + label,
                                                                      "", "", 0, label, type, -1));
            return doc->MainScreens().back().get();
        };
        add("1", pt_folder)->SetMenuKind(apt_multi_topic_menu);
        add("1_1", pt_container);
        add("1_1_1", pt_question);
        add("2", pt_document);
        tree.RebuildFromScreenLists(doc->MainScreens(), doc->PopupScreens(), doc->GlossaryScreens());
    }

    std::unique_ptr<ScriptedPublisher> Publisher(const QString &prefix = "Demo")
    {
        return std::make_unique<ScriptedPublisher>(*doc, output, prefix, &tree);
    }

    // Runs the driver; the ASP driver's result, true for the others.
    static bool Run(CCoursePublisher &publisher, Driver driver, int lessonMode = 0)
    {
        switch (driver) {
        case Standalone: publisher.PublishStandalone(); break;
        case Lan: publisher.PublishLanDatabase(); break;
        case Asp: return publisher.PublishWebDatabaseAsp(lessonMode).Ok();
        case Php: publisher.PublishWebDatabasePhp(); break;
        case Lms: publisher.PublishLms(); break;
        }
        return true;
    }

    QString Completed() const { return "Publish has completed successfully to:\n\n" + output; }
    static QString FailedAt(const char *step) { return QStringLiteral("Fail while publishing.\nError occurs at %1.").arg(step); }

    TempTree tmp;
    CRecordingPrompt prompt;
    CRecordingProgress progress;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    COutlineTree tree;
    QString output;
};

} // namespace

// Guards the empty course: one message, no question, no step, and the output folder never made.
TEST_F(CoursePublisherTest, EmptyCourseOnlySaysSo)
{
    for (Driver d : {Standalone, Lan, Asp, Php, Lms}) {
        for (const COutlineTree *courseTree : {static_cast<const COutlineTree *>(nullptr), static_cast<const COutlineTree *>(&tree)}) {
            prompt.Clear();
            ScriptedPublisher publisher(*doc, output, "demo", courseTree);
            const bool result = Run(publisher, d);
            if (d == Asp) {
                EXPECT_FALSE(result);
            }
            EXPECT_EQ(prompt.Texts(), QStringList{"No screen to publish."}) << DriverName(d);
            EXPECT_TRUE(publisher.ran.isEmpty()) << DriverName(d);
            EXPECT_FALSE(QFileInfo::exists(output));
        }
    }
}

// Guards each driver's steps, their order, the lesson mode handed on, the gates of the LMS steps and the
// completion report when everything succeeds.
TEST_F(CoursePublisherTest, StepOrderByDriver)
{
    AddCourse();
    const QStringList head = {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0"};
    const QStringList scripts = {"CreateKvxCss", "BuildPagesJS", "CreatePrefsJS:0", "WriteInternationalisationVariables",
                                 "WriteGlossaryItems", "BuildContents"};
    struct Case {
        Driver driver;
        int newWindow, createZip, lessonMode;
        QStringList steps;
        bool completionShown;
    };
    const QList<Case> cases = {
        {Standalone, 0, 0, 0, head + QStringList{"CreateIndexWebPage", "ProcessSourceFiles"} + scripts + QStringList{"BuildOutline"}, true},
        {Lan, 0, 0, 0, head + QStringList{"CreateIndexWebPage", "ProcessSourceFiles"} + scripts + QStringList{"BuildOutline"}, true},
        {Asp, 0, 0, 1,
         QStringList{"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:1", "CreateIndexWebPage",
                     "ProcessSourceFiles", "CreateKvxCss", "BuildPagesJS", "CreatePrefsJS:1",
                     "WriteInternationalisationVariables", "WriteGlossaryItems", "BuildContents", "CreateConfigAsp",
                     "BuildOutline"},
         false},
        {Php, 0, 0, 0,
         head + QStringList{"CreateKqConfigFile", "CreateIndexWebPage", "ProcessSourceFiles"} + scripts + QStringList{"BuildOutline"},
         true},
        {Lms, 0, 0, 0,
         head + QStringList{"CreateIndexWebPage", "ProcessSourceFiles"} + scripts
             + QStringList{"BuildOutline", "CreateManifestXML", "CreateMetadataManifestXML"},
         true},
        {Lms, 1, 1, 0,
         head + QStringList{"ProcessSourceFiles"} + scripts
             + QStringList{"BuildOutline", "CreateManifestXML", "CreateMetadataManifestXML", "StripAutoOpenFiles",
                           "ZipPublishedFolder"},
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(DriverName(c.driver));
        prompt.Clear();
        doc->MutableSettings().LmsOpensNewWindow = c.newWindow;
        doc->MutableSettings().CreateZip = c.createZip;
        auto publisher = Publisher();
        const bool result = Run(*publisher, c.driver, c.lessonMode);
        EXPECT_TRUE(result);
        EXPECT_EQ(publisher->ran, c.steps);
        EXPECT_EQ(prompt.Texts(), c.completionShown ? QStringList{Completed()} : QStringList{});
    }
    // The publish ids were numbered when the driver started.
    EXPECT_EQ(doc->MainScreens()[0]->GetPublishId(), "0_0m");
    EXPECT_EQ(doc->MainScreens()[2]->GetPublishId(), "1_2q");
    EXPECT_EQ(doc->MainScreens()[3]->GetPublishId(), "1_3");
}

// Guards the failure of a step: its message names it, the steps that need success are skipped, the two
// that always run still do, no completion is reported, and only the standalone driver adds its final
// message with the system's reason.
TEST_F(CoursePublisherTest, FailingStepStopsTheRest)
{
    AddCourse();
    struct Case {
        Driver driver;
        PublishStep failing;
        int newWindow;
        QStringList steps;
        QStringList messages;
    };
    const QString failedProject = "Failed to publish the project.";
    const QList<Case> cases = {
        {Standalone, S::CreateKvxCss, 0,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "CreateIndexWebPage", "ProcessSourceFiles",
          "CreateKvxCss", "BuildOutline"},
         {FailedAt("CreateKvxCss"), failedProject}},
        {Lan, S::CreateKvxCss, 0,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "CreateIndexWebPage", "ProcessSourceFiles",
          "CreateKvxCss", "BuildOutline"},
         {FailedAt("CreateKvxCss")}},
        {Php, S::CreateKqConfigFile, 0,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "CreateKqConfigFile", "ProcessSourceFiles",
          "BuildOutline"},
         {FailedAt("CreateKqConfigFile")}},
        {Asp, S::CreateConfigAsp, 0,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "CreateIndexWebPage", "ProcessSourceFiles",
          "CreateKvxCss", "BuildPagesJS", "CreatePrefsJS:0", "WriteInternationalisationVariables", "WriteGlossaryItems",
          "BuildContents", "CreateConfigAsp", "BuildOutline"},
         {FailedAt("CreateConfigAsp")}},
        {Lms, S::CreateManifestXML, 1,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "ProcessSourceFiles", "CreateKvxCss",
          "BuildPagesJS", "CreatePrefsJS:0", "WriteInternationalisationVariables", "WriteGlossaryItems", "BuildContents",
          "BuildOutline", "CreateManifestXML", "StripAutoOpenFiles"},
         {FailedAt("CreateManifestXML")}},
        // Steps whose result is not read cannot fail a publish.
        {Lan, S::ProcessSourceFiles, 0,
         {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target:0", "CreateIndexWebPage", "ProcessSourceFiles",
          "CreateKvxCss", "BuildPagesJS", "CreatePrefsJS:0", "WriteInternationalisationVariables", "WriteGlossaryItems",
          "BuildContents", "BuildOutline"},
         {"<completed>"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 failing %2").arg(DriverName(c.driver), PublishStepName(c.failing)).toStdString());
        prompt.Clear();
        doc->MutableSettings().LmsOpensNewWindow = c.newWindow;
        doc->MutableSettings().CreateZip = 1;
        auto publisher = Publisher();
        publisher->results[c.failing] = 0;
        const bool result = Run(*publisher, c.driver);
        EXPECT_EQ(result, c.driver != Asp);
        EXPECT_EQ(publisher->ran, c.steps);
        QStringList messages = prompt.Texts();
        // The system's reason after the standalone's final message varies; its start does not.
        for (QString &m : messages)
            if (m.startsWith(failedProject + "\n"))
                m = failedProject;
        QStringList expected = c.messages;
        expected.replaceInStrings("<completed>", Completed());
        EXPECT_EQ(messages, expected);
    }
    EXPECT_FALSE(QFileInfo::exists(output + ".zip"));
}

// Guards the report of a failed publish: the author and the caller hear of every failure the steps met,
// the one that stopped the publish and those of the steps that run whatever happened, not only the last.
TEST_F(CoursePublisherTest, FailedPublishReportsEveryFailure)
{
    AddCourse();
    auto publisher = Publisher();
    publisher->results[S::CopySourceFiles2Target] = 0;
    publisher->errors[S::CopySourceFiles2Target] = "No space left on device";
    publisher->errors[S::ProcessSourceFiles] = "Permission denied";
    const CStatus status = publisher->PublishStandalone();
    ASSERT_FALSE(status.Ok());
    EXPECT_EQ(status.Error(), FailedAt("CopySourceFiles2Target") + "\nNo space left on device\nPermission denied");
    EXPECT_EQ(prompt.Texts(), QStringList({FailedAt("CopySourceFiles2Target"),
                                           "Failed to publish the project.\nNo space left on device\nPermission denied"}));
    EXPECT_EQ(publisher->GetLastErrorText(), "No space left on device\nPermission denied");

    // A new publish starts with no failures; a whole success gives an empty status.
    prompt.Clear();
    publisher->results.clear();
    publisher->errors.clear();
    EXPECT_TRUE(publisher->PublishStandalone().Ok());
    EXPECT_EQ(publisher->GetLastErrorText(), "");
    EXPECT_EQ(prompt.Texts(), QStringList({Completed()}));
}

// Guards what each driver does when the author declines emptying the folder (-1) or the folder tree
// cannot be made (0): who shows a message, and which steps still run.
TEST_F(CoursePublisherTest, TreeStepOutcomes)
{
    AddCourse();
    doc->MutableSettings().LmsOpensNewWindow = 1;
    const QString tree = "BuildTargetDirectoryAndSubDirectories";
    const QStringList afterFailure = {tree, "ProcessSourceFiles", "BuildOutline"};
    const QString message = FailedAt("BuildTargetDirectoryAndSubDirectories");
    struct Case {
        Driver driver;
        int treeResult;
        QStringList steps;
        QStringList messages;
    };
    const QList<Case> cases = {
        {Standalone, -1, {tree}, {message}},
        {Lan, -1, {tree}, {}},
        {Asp, -1, {tree}, {}},
        {Php, -1, {tree}, {message}},
        {Lms, -1, {tree}, {}},
        {Standalone, 0, afterFailure, {"Failed to publish the project."}},
        {Lan, 0, afterFailure, {message}},
        {Asp, 0, afterFailure, {message}},
        {Php, 0, afterFailure, {}},
        {Lms, 0, afterFailure + QStringList{"StripAutoOpenFiles"}, {message}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 tree %2").arg(DriverName(c.driver)).arg(c.treeResult).toStdString());
        prompt.Clear();
        auto publisher = Publisher();
        publisher->results[S::BuildTargetDirectoryAndSubDirectories] = c.treeResult;
        EXPECT_EQ(Run(*publisher, c.driver), c.driver != Asp);
        EXPECT_EQ(publisher->ran, c.steps);
        QStringList messages = prompt.Texts();
        for (QString &m : messages)
            m = m.section(u'\n', 0, m.startsWith("Failed to publish") ? 0 : 1);
        EXPECT_EQ(messages, c.messages);
        // The outline step had no folder to write into and made none.
        EXPECT_FALSE(QFileInfo::exists(output));
    }
}

// Guards the standalone progress window: range 0 to 12, the ten step names in order and ten steps of the
// bar, also when a failed step makes the later ones skip.
TEST_F(CoursePublisherTest, StandaloneProgress)
{
    AddCourse();
    const QStringList texts = {"BuildTargetDirectoryAndSubDirectories", "CopySourceFiles2Target", "CreateIndexWebPage",
                               "ProcessSourceFiles", "CreateKvxCss", "BuildPagesJS", "CreatePrefsJS",
                               "WriteInternationalisationVariables", "WriteGlossaryItems", "BuildContents"};
    for (int failing : {0, 1}) {
        progress = CRecordingProgress();
        auto publisher = Publisher();
        if (failing)
            publisher->results[S::BuildPagesJS] = 0;
        publisher->PublishStandalone();
        EXPECT_EQ(progress.lower, 0);
        EXPECT_EQ(progress.upper, 12);
        EXPECT_EQ(progress.texts, texts);
        EXPECT_EQ(progress.steps, 10);
    }
    // Only the standalone driver shows progress.
    progress = CRecordingProgress();
    Publisher()->PublishLanDatabase();
    EXPECT_TRUE(progress.texts.isEmpty());
    EXPECT_EQ(progress.steps, 0);
}

// Guards the outline step: the page written with a byte-order mark from the program's outline template, the
// program's outline pictures copied under lower-cased names (files only), and the prefix and folder forms
// the steps build names from.
TEST_F(CoursePublisherTest, OutlineStepAndNames)
{
    AddCourse();
    tmp.Write("program/source/tree/Plus.GIF", "GIF89a");
    tmp.Write("program/source/tree/Base.gif", "GIF89a");
    tmp.Write("program/source/tree/sub/inner.gif", "GIF89a");
    ScriptedPublisher publisher(*doc, output + "/", "My Demo", &tree);
    EXPECT_EQ(publisher.GetTargetFolder(), output);
    EXPECT_EQ(publisher.GetProjectPrefix(), "my demo");
    publisher.PublishLanDatabase();
    EXPECT_EQ(TempTree::ReadAll(output + "/content/outline.htm").toStdString(),
              std::string("\xEF\xBB\xBF"
                         "\t\t\td.add(1, 0, \"S1\", \"javascript:fPage(pg[0]);\");\n"
                         "\t\t\td.add(2, 1, \"S1_1\");\n"
                         "\t\t\td.add(3, 2, \"S1_1_1\", \"javascript:fPage(pg[2]);\", \"\", \"\",\"scripts/pics/tree/question.gif\");\n"
                         "\t\t\td.add(4, 0, \"S2\", \"javascript:fPage(pg[3]);\");\n"));
    QStringList pictures = QDir(output + "/content/scripts/pics/tree").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(pictures, QStringList({"base.gif", "plus.gif"}));
    EXPECT_EQ(publisher.GetTarget(), PublishTargetLan);
}

// Guards the package of an LMS publish: "<folder>.zip" beside the folder when asked for and everything
// succeeded, an older package replaced, none when not asked for; a package that cannot be made is a
// failed publish with its own message, never a success.
TEST_F(CoursePublisherTest, LmsPackage)
{
    AddCourse();
    doc->MutableSettings().CreateZip = 0;
    Publisher()->PublishLms();
    EXPECT_FALSE(QFileInfo::exists(output + ".zip"));

    doc->MutableSettings().CreateZip = 1;
    tmp.Write("Demo Published files/Out.zip", "an older package");
    prompt.Clear();
    Publisher()->PublishLms();
    EXPECT_EQ(prompt.Texts(), QStringList{Completed()});
    const CProcessResult listing = ZipRecords::Tool("unzip", {"-Z1", output + ".zip"});
    ASSERT_TRUE(listing.Succeeded()) << listing.standardOutput.toStdString();
    EXPECT_EQ(QString::fromUtf8(listing.standardOutput).split(u'\n', Qt::SkipEmptyParts),
              QStringList({"content/outline.htm", "index.htm"}));
    EXPECT_TRUE(ZipRecords::Tool("unzip", {"-t", output + ".zip"}).Succeeded());
    // Packed at the zip program's default level 6, each deflated entry flagged "normal".
    const QByteArray package = TempTree::ReadAll(output + ".zip");
    const ZipRecords::Archive archive = ZipRecords::Read(package);
    ASSERT_EQ(archive.central.size(), 2);
    for (int i = 0; i < archive.central.size(); ++i) {
        ASSERT_EQ(archive.central[i].method, 8);
        EXPECT_EQ(archive.central[i].flags, 0x0000);
        const QByteArray file = TempTree::ReadAll(output + "/" + QString::fromUtf8(archive.central[i].name));
        EXPECT_EQ(ZipRecords::Data(package, archive, i), ZipRecords::RawDeflate(file, 6)) << archive.central[i].name.data();
    }

    // A folder in the package's place is left alone and the publish fails at the package step.
    QFile::remove(output + ".zip");
    tmp.Write("Demo Published files/Out.zip/keep.txt", "mine");
    prompt.Clear();
    Publisher()->PublishLms();
    EXPECT_EQ(prompt.Texts(), QStringList{FailedAt("ZipPublishedFolder")});
    EXPECT_EQ(TempTree::ReadAll(output + ".zip/keep.txt"), "mine");
}

// Guards the text substitutions as the screen writers reach them through the publisher.
TEST_F(CoursePublisherTest, TextSubstitutions)
{
    auto publisher = Publisher();
    QString text = "a (c) b";
    publisher->ApplyTextSubstitutions(text);
    EXPECT_EQ(text, "a (c) b");
    CCharacterSubstitutions map;
    map.Set("(c)", QString(QChar(0xA9)));
    publisher->SetSpecialCharacters(&map);
    publisher->ApplyTextSubstitutions(text);
    EXPECT_EQ(text, QString("a ") + QChar(0xA9) + " b");
    EXPECT_TRUE(publisher->IsCourseTreeEmpty());
    EXPECT_FALSE(publisher->HasMenuScreen());
    AddCourse();
    EXPECT_FALSE(publisher->IsCourseTreeEmpty());
    EXPECT_TRUE(publisher->HasMenuScreen());
}
