#include "LmsFixture.h"

#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <filesystem>

namespace {

enum Driver { Standalone, Lan, Asp, Php, Lms };

// Every driver with every one of its steps real, on the program data the build lays out: what a course
// author's publish does, from the run-time copy to the package.
class ShippedDataPublishTest : public LmsStepTest
{
protected:
    ShippedDataPublishTest()
    {
        context.programFolder = QStringLiteral(CORV_PROGRAM_FOLDER);
        context.appDataFolder = tmp.MakeFolder("appdata");
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->SetPathName(tmp / "Courses/Demo.kvx");
        doc->CourseName = "Fire Safety";
        doc->Theme = "Classical";
        for (const char *label : {"1", "2"})
            doc->MainScreenList.push_back(std::make_unique<CCorvPage>(int(doc->MainScreenList.size()) + 1,
                                                                      QStringLiteral("Screen %1").arg(label), "", "", 0,
                                                                      label, pt_document, -1));
        tree.RebuildFromScreenLists(doc->MainScreenList, doc->PopupScreenList, doc->GlossaryScreenList);
    }

    // Runs the driver into a fresh output folder; the ASP driver's result, true for the others.
    bool Run(Driver driver)
    {
        QDir(output).removeRecursively();
        QFile::remove(output + ".zip");
        prompt.Clear();
        return Drive(driver);
    }

    // Runs the driver into the output folder as it is.
    bool Drive(Driver driver)
    {
        CCoursePublisher publisher(*doc, output, "Demo", &tree);
        switch (driver) {
        case Standalone: publisher.PublishStandalone(); break;
        case Lan: publisher.PublishLanDatabase(); break;
        case Asp: return publisher.PublishWebDatabaseAsp(0);
        case Php: publisher.PublishWebDatabasePhp(); break;
        case Lms: publisher.PublishLms(); break;
        }
        return true;
    }

    bool Exists(const QString &relative) const { return QFileInfo::exists(output + u'/' + relative); }
    QString Completed() const { return "Publish has completed successfully to:\n\n" + output; }
};

// The files every complete publish of the two-screen course holds, named after the prefix "Demo".
const QStringList kCourseFiles = {
    "content/scripts/demo.css", "content/scripts/demo_prefs.js", "content/scripts/demo_pages.js",
    "content/scripts/internationalisation.js", "content/glossary/glossary_items.js", "content/demo_0_0.js",
    "content/demo_0_1.js", "content/outline.htm", "content/ind.htm", "content/scripts/kvx.js",
    "content/scripts/pics/nav_next.png", "content/scripts/pics/tree/page.gif",
};

} // namespace

// Guards the publish as the author runs it, for every target: with the shipped data every step succeeds and
// the driver reports completion, the course's files are there under the lower-cased prefix with each
// target's own files beside them, and an LMS package (either edition, in either window mode) lists exactly
// the files it carries, with its ZIP holding the same.
TEST_F(ShippedDataPublishTest, EveryDriverCompletes)
{
    struct Case {
        const char *name;
        Driver driver;
        int useAsp, scorm12, newWindow;
        QStringList present, absent;
    };
    const QList<Case> cases = {
        {"standalone", Standalone, 0, 0, 0, {"index.htm", "index.hta", "content/done.htm", "content/nav.htm"}, {"kvx.mdb"}},
        {"LAN", Lan, 0, 0, 0, {"index.hta", "content/scripts/kvx_loc.jse"}, {"content/include"}},
        {"web ASP", Asp, 1, 0, 0, {"index.htm", "content/include/kv_config.asp", "content/include/kvdb.asp"}, {"index.hta"}},
        {"web PHP", Php, 0, 0, 0,
         {"content/include/kqconfig.php", "content/include/msg.php", "content/include/writedata.php", "content/adodb"},
         {"index.hta", "content/include/kv_config.asp"}},
        {"SCORM 1.2", Lms, 0, 1, 0, {"index.htm", "imsmanifest.xml", "kv_metadata.xml", "imscp_rootv1p1p2.xsd"}, {"common"}},
        {"SCORM 2004, new window", Lms, 0, 0, 1, {"imsmanifest.xml", "kv_metadata.xml", "imscp_v1p1.xsd"},
         {"index.htm", "content/end.htm", "content/signin.htm", "content/scripts/pics/kvx.ico", "content/scripts/pics/classical.css"}},
    };
    doc->CreateZip = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        doc->UseASP = c.useAsp;
        doc->SCORM12 = c.scorm12;
        doc->LmsOpensNewWindow = c.newWindow;
        EXPECT_TRUE(Run(c.driver));
        EXPECT_EQ(prompt.Texts(), c.driver == Asp ? QStringList() : QStringList{Completed()});
        for (const QString &file : kCourseFiles + c.present)
            EXPECT_TRUE(Exists(file)) << file.toStdString();
        for (const QString &file : c.absent)
            EXPECT_FALSE(Exists(file)) << file.toStdString();
        EXPECT_EQ(QFileInfo::exists(output + ".zip"), c.driver == Lms);
        if (c.driver == Lms && HasTool("python3")) {
            const QStringList allowed = c.newWindow ? QStringList{"--allow-unlisted", "content/nav.htm"} : QStringList{};
            const ToolRun checked = RunTool(Python(), QStringList{CORV_SCORM_CHECK, output + ".zip", "--same-files-as", output} + allowed);
            EXPECT_EQ(checked.exitCode, 0) << checked.output.toStdString();
        }
    }
}

// Guards an LMS publish whose theme folder is there without its style sheet: the style-sheet step is named,
// every step after it that needs success is left out (no scripts, screens, manifest, record or package),
// the outline is still written, and no completion is reported.
TEST_F(ShippedDataPublishTest, ThemeWithoutStyleSheetStopsAnLmsPublish)
{
    namespace fs = std::filesystem;
    const QString program = tmp.MakeFolder("program");
    for (const char *shipped : {"source", "kv_profile.kvp", "Themes/Classical"}) {
        std::error_code ec;
        fs::create_directories(fs::path((program + "/Themes").toStdString()), ec);
        fs::copy(fs::path(CORV_PROGRAM_FOLDER) / shipped, fs::path(program.toStdString()) / shipped,
                 fs::copy_options::recursive, ec);
        ASSERT_FALSE(ec) << shipped << ": " << ec.message();
    }
    tmp.Write("program/Themes/Bare/bg.jpg", "picture");
    context.programFolder = program + "/";
    doc->Theme = "Bare";
    doc->CreateZip = 1;
    doc->LmsOpensNewWindow = 0;

    Run(Lms);
    EXPECT_EQ(prompt.Texts(), QStringList{"Fail while publishing.\nError occurs at CreateKvxCss."});
    EXPECT_EQ(doc->Theme, "Bare");
    EXPECT_TRUE(Exists("index.htm"));
    EXPECT_TRUE(Exists("content/outline.htm"));
    for (const char *file : {"content/scripts/demo.css", "content/scripts/demo_pages.js", "content/scripts/demo_prefs.js",
                             "content/scripts/internationalisation.js", "content/glossary/glossary_items.js",
                             "content/demo_0_0.js", "imsmanifest.xml", "kv_metadata.xml"})
        EXPECT_FALSE(Exists(file)) << file;
    EXPECT_FALSE(QFileInfo::exists(output + ".zip"));
}

// Guards an output folder that holds the author's files when the author answers No: every driver asks
// once, leaves the file as it was and writes nothing, and only the standalone and PHP drivers then name the
// step.
TEST_F(ShippedDataPublishTest, DeclinedEmptyingKeepsTheFolder)
{
    const QString question = "The folder " + output + " already exists and may contain files.\n"
                             "Do you want to remove any existing files and continue?";
    const QString failed = "Fail while publishing.\nError occurs at BuildTargetDirectoryAndSubDirectories.";
    struct Case {
        Driver driver;
        bool namesTheStep;
    };
    for (const Case &c : {Case{Standalone, true}, Case{Lan, false}, Case{Asp, false}, Case{Php, true}, Case{Lms, false}}) {
        SCOPED_TRACE(int(c.driver));
        prompt.Clear();
        tmp.Write("Course Published files/LMS/notes.txt", "mine");
        prompt.Script({CPrompt::no});
        EXPECT_EQ(Drive(c.driver), c.driver != Asp);
        EXPECT_EQ(prompt.Texts(), c.namesTheStep ? (QStringList{question, failed}) : QStringList{question});
        EXPECT_EQ(QDir(output).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"notes.txt"});
        EXPECT_EQ(Read("notes.txt"), "mine");
    }
}
