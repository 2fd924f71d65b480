#include "LmsFixture.h"

#include "model/ComponentAudio.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QColor>
#include <QRegularExpression>

#include <cmath>
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
        doc->MutableSettings().CourseName = "Fire Safety";
        doc->MutableSettings().Theme = "Classical";
        for (const char *label : {"1", "2"})
            doc->AddScreen(std::make_unique<CCorvPage>(int(doc->MainScreens().size()) + 1,
                                                                      QStringLiteral("Screen %1").arg(label), "", "", 0,
                                                                      label, pt_document, -1));
        tree.RebuildFromScreenLists(doc->MainScreens(), doc->PopupScreens(), doc->GlossaryScreens());
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
        case Asp: return publisher.PublishWebDatabaseAsp(0).Ok();
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
        {"SCORM 2004, new window", Lms, 0, 0, 1, {"imsmanifest.xml", "kv_metadata.xml", "imscp_v1p1.xsd", "XMLSchema.dtd", "datatypes.dtd"},
         {"index.htm", "content/end.htm", "content/signin.htm", "content/scripts/pics/kvx.ico", "content/scripts/pics/classical.css"}},
    };
    doc->MutableSettings().CreateZip = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        doc->MutableSettings().UseASP = c.useAsp;
        doc->MutableSettings().SCORM12 = c.scorm12;
        doc->MutableSettings().LmsOpensNewWindow = c.newWindow;
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
    doc->MutableSettings().Theme = "Bare";
    doc->MutableSettings().CreateZip = 1;
    doc->MutableSettings().LmsOpensNewWindow = 0;

    Run(Lms);
    EXPECT_EQ(prompt.Texts(), QStringList{"Fail while publishing.\nError occurs at CreateKvxCss."});
    EXPECT_EQ(doc->Settings().Theme, "Bare");
    EXPECT_TRUE(Exists("index.htm"));
    EXPECT_TRUE(Exists("content/outline.htm"));
    for (const char *file : {"content/scripts/demo.css", "content/scripts/demo_pages.js", "content/scripts/demo_prefs.js",
                             "content/scripts/internationalisation.js", "content/glossary/glossary_items.js",
                             "content/demo_0_0.js", "imsmanifest.xml", "kv_metadata.xml"})
        EXPECT_FALSE(Exists(file)) << file;
    EXPECT_FALSE(QFileInfo::exists(output + ".zip"));
}

// Guards the course against its publish: a theme that is not installed publishes as "Classical" throughout
// (pictures, style sheet, options), while the course goes on naming the theme the author chose.
TEST_F(ShippedDataPublishTest, MissingThemePublishesClassicalAndLeavesTheCourseAlone)
{
    ASSERT_TRUE(Run(Standalone));
    const QByteArray styleSheet = TempTree::ReadAll(output + "/content/scripts/demo.css");
    const QByteArray options = TempTree::ReadAll(output + "/content/scripts/demo_prefs.js");
    ASSERT_FALSE(styleSheet.isEmpty());

    doc->MutableSettings().Theme = "Gone";
    EXPECT_TRUE(Run(Standalone));
    EXPECT_EQ(prompt.Texts(), QStringList{Completed()});
    EXPECT_EQ(doc->Settings().Theme, "Gone");
    EXPECT_EQ(TempTree::ReadAll(output + "/content/scripts/demo.css"), styleSheet);
    EXPECT_EQ(TempTree::ReadAll(output + "/content/scripts/demo_prefs.js"), options);
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

// Guards a publish into a folder that holds the project: every driver shows the refusal alone (no second
// message naming the step) and writes nothing into the folder.
TEST_F(ShippedDataPublishTest, RefusedFolderShowsOneMessage)
{
    tmp.Write("Courses/Demo.kvx", "project");
    const QString folder = tmp / "Courses";
    for (const Driver driver : {Standalone, Lan, Asp, Php, Lms}) {
        SCOPED_TRACE(int(driver));
        prompt.Clear();
        CCoursePublisher publisher(*doc, folder, "Demo", &tree);
        switch (driver) {
        case Standalone: EXPECT_FALSE(publisher.PublishStandalone().Ok()); break;
        case Lan: EXPECT_FALSE(publisher.PublishLanDatabase().Ok()); break;
        case Asp: EXPECT_FALSE(publisher.PublishWebDatabaseAsp(0).Ok()); break;
        case Php: EXPECT_FALSE(publisher.PublishWebDatabasePhp().Ok()); break;
        case Lms: EXPECT_FALSE(publisher.PublishLms().Ok()); break;
        }
        ASSERT_EQ(prompt.Texts().size(), 1) << qPrintable(prompt.Texts().join(" | "));
        EXPECT_TRUE(prompt.Texts().front().startsWith("The folder " + folder + " holds the project"));
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Demo.kvx"});
    }
}

// Guards a course whose project lacks media its screens name (a Windows Media clip and movie, a Flash
// animation): the publish never reports success for pages that name files the output lacks; it says once,
// in one message, that it completed with missing files and lists each of them.
TEST_F(ShippedDataPublishTest, MissingMediaAreListedOnceInsteadOfSuccess)
{
    CCorvPage &screen = *doc->MainScreens().front();
    const auto add = [&](std::unique_ptr<CComponentBase> component) {
        component->SetBounds({10, 10, 200, 150}, false);
        screen.AddComponent(std::move(component));
    };
    auto clip = std::make_unique<CComponentAudio>();
    clip->SetFilePath(tmp / "Courses/Demo/Sounds/waves.wma");
    clip->SetPlayButton(1);
    add(std::move(clip));
    for (const char *movie : {"Courses/Demo/Movies/tour.wmv", "Courses/Demo/Movies/intro.swf"}) {
        auto video = std::make_unique<CComponentVideo>();
        video->SetFilePath(tmp / movie);
        add(std::move(video));
    }
    // A clip that is there is no missing file.
    tmp.Write("Courses/Demo/Sounds/gulls.mp3", "clip");
    auto present = std::make_unique<CComponentAudio>();
    present->SetFilePath(tmp / "Courses/Demo/Sounds/gulls.mp3");
    present->SetPlayButton(1);
    add(std::move(present));

    for (const Driver driver : {Standalone, Lms}) {
        SCOPED_TRACE(int(driver));
        Run(driver);
        EXPECT_EQ(prompt.Texts().join("\n---\n").toStdString(),
                  QString{"Publish has completed with missing files to:\n\n" + output
                              + "\n\nThe course's screens name these files, which the project lacks:\n\n"
                                "content/media/intro.swf\ncontent/media/tour.wvx\ncontent/media/waves.wax"}.toStdString());
        EXPECT_TRUE(Exists("content/media/gulls.mp3"));
    }
}

namespace {

// WCAG's relative luminance of an sRGB colour and the contrast ratio of two.
double Luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The declarations of the first rule whose selector list holds `selector`.
QString RuleBody(QString css, const QString &selector)
{
    static const QRegularExpression comment(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption);
    css.remove(comment);
    static const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    for (auto it = rule.globalMatch(css); it.hasNext();) {
        const auto match = it.next();
        for (const QString &part : match.captured(1).split(u','))
            if (part.trimmed() == selector)
                return match.captured(2);
    }
    return {};
}

QStringList HexColours(const QString &text)
{
    QStringList colours;
    static const QRegularExpression hex(QStringLiteral("#[0-9A-Fa-f]{6}\\b"));
    for (auto it = hex.globalMatch(text); it.hasNext();)
        colours.append(it.next().captured());
    return colours;
}

} // namespace

// Guards the course name and the outline link on each theme's bar as a course with the default colours
// publishes them: the text takes the theme's bar text colour, never black, and reaches WCAG's 4.5:1
// against every colour of the bar (its fill and each stop of its gradient, which axe cannot judge).
TEST_F(ShippedDataPublishTest, BarTextIsReadableOnEveryTheme)
{
    const QStringList themes = QDir(QStringLiteral(CORV_PROGRAM_FOLDER "Themes")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_FALSE(themes.isEmpty());
    doc->MutableSettings().CreateOutline = 1;
    for (const QString &theme : themes) {
        SCOPED_TRACE(theme.toStdString());
        doc->MutableSettings().Theme = theme;
        Run(Standalone);
        const QString css = QString::fromUtf8(Read("content/scripts/demo.css"));
        const QString bar = RuleBody(css, ".kvxBar");
        QStringList barColours;
        for (const QString &line : bar.split(u';'))
            if (line.contains(QLatin1String("background")))
                barColours += HexColours(line);
        ASSERT_FALSE(barColours.isEmpty()) << css.toStdString();
        const QStringList title = HexColours(RuleBody(css, "#coursetitle").section(QStringLiteral("color:"), 1, 1).section(u';', 0, 0));
        const QStringList link = HexColours(bar.section(QStringLiteral("\n\tcolor:"), 1, 1).section(u';', 0, 0));
        ASSERT_EQ(title.size(), 1) << css.toStdString();
        ASSERT_EQ(link.size(), 1) << bar.toStdString();
        for (const QString &text : {title[0], link[0]})
            for (const QString &background : barColours)
                EXPECT_GE(Contrast(QColor(text), QColor(background)), 4.5) << text.toStdString() << " on " << background.toStdString();
        // The outline link takes the bar's colour: the options give it none of its own.
        EXPECT_TRUE(Read("content/scripts/demo_prefs.js").contains("kvxPrefs.outline.color \t\t\t\t\t= \"\";"));
    }
}
