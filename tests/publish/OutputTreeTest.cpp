#include "PublishStepsFixture.h"

#include "publish/OutputTree.h"
#include "publish/ProgramData.h"

#include <QFile>

#include <set>

namespace {

const QStringList kCommonTree = {
    "content",         "content/glossary",        "content/images", "content/images/questions",
    "content/media",   "content/media/questions", "content/scripts", "content/scripts/pics",
    "content/scripts/pics/tree",
};

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

class OutputTreeTest : public PublishStepsTest
{
protected:
    // Lays out every program-data file a copy names for the settings, each holding its own name.
    void InstallRunTime(int target)
    {
        for (const CorvProgramData::RunTimeCopy &c : CorvProgramData::RunTimeCopies(doc->Settings(), target, 0)) {
            if (c.folder)
                Program(c.source + "/File In " + QFileInfo(c.source).fileName() + ".TXT", c.source.toUtf8());
            else
                Program(c.source, c.source.toUtf8());
        }
    }
    void InstallTheme(const QString &name)
    {
        Program("Themes/" + name + "/" + name + ".css", "css of " + name.toUtf8());
        for (const QString &picture : CorvProgramData::ThemeButtonPictures())
            Program("Themes/" + name + "/Buttons/" + picture, (name + "/" + picture).toUtf8());
    }
    int BuildTree(int target, int confirm = 1) { return Publisher(target)->BuildTargetDirectoryAndSubDirectories(output, confirm); }
};

// Guards the folders of each target's output tree: the nine content folders of every target, the include
// folder of the web target, the database library folders of its PHP pages, and the schema folders of a
// SCORM 2004 package (none for SCORM 1.2).
TEST_F(OutputTreeTest, FoldersPerTarget)
{
    struct Case {
        int target;
        int useAsp;
        int scorm12;
        QStringList extra;
    };
    const std::vector<Case> cases = {
        {PublishTargetPreview, 0, 0, {}},
        {PublishTargetLan, 0, 0, {}},
        {PublishTargetStandalone, 0, 0, {}},
        {PublishTargetWeb, 1, 0, {"content/include"}},
        {PublishTargetWeb, 0, 0, {"content/include", "content/adodb", "content/adodb/drivers", "content/adodb/lang"}},
        {PublishTargetLms, 0, 0, {"common", "extend", "unique", "vocab"}},
        {PublishTargetLms, 0, 1, {}},
    };
    for (const Case &c : cases) {
        QDir(tmp / "Published").removeRecursively();
        doc->MutableSettings().UseASP = c.useAsp;
        doc->MutableSettings().SCORM12 = c.scorm12;
        EXPECT_EQ(BuildTree(c.target), 1) << c.target;
        EXPECT_EQ(OutFolders(), Sorted(kCommonTree + c.extra)) << c.target << " asp " << c.useAsp << " scorm12 " << c.scorm12;
    }
    EXPECT_TRUE(prompt.Entries().isEmpty());
}

// Guards the question before an existing output is emptied: its text, No keeping every file, Yes removing
// stray files before the tree is made again; no question without confirm (the preview); a folder holding
// only empty sub-folders is kept and not asked about.
TEST_F(OutputTreeTest, AsksBeforeEmptyingAFolderThatHoldsFiles)
{
    tmp.Write("Published/Out/old/stray.txt", "x");
    prompt.Script({CPrompt::no});
    EXPECT_EQ(BuildTree(PublishTargetStandalone), -1);
    ASSERT_EQ(prompt.Texts(), QStringList{"The folder " + output + " already exists and may contain files.\n"
                                          "Do you want to remove any existing files and continue?"});
    EXPECT_EQ(prompt.Entries().front().kind, CPrompt::yesNo);
    EXPECT_EQ(OutFiles(), QStringList{"old/stray.txt"});

    prompt.Clear();
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(BuildTree(PublishTargetStandalone), 1);
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_EQ(OutFolders(), kCommonTree);

    prompt.Clear();
    tmp.Write("Published/Out/content/x.htm", "x");
    EXPECT_EQ(BuildTree(PublishTargetPreview, 0), 1);
    EXPECT_TRUE(prompt.Entries().isEmpty());
    EXPECT_TRUE(OutFiles().isEmpty());

    tmp.MakeFolder("Published/Out/empty/inner");
    EXPECT_EQ(BuildTree(PublishTargetStandalone), 1);
    EXPECT_TRUE(prompt.Entries().isEmpty());
    EXPECT_TRUE(QFileInfo(output + "/empty/inner").isDir());
}

// Guards the author's files against a "Yes" that would empty a folder holding the project, or the project's
// media folder: the step refuses with a message and deletes nothing, also without the question.
TEST_F(OutputTreeTest, RefusesToEmptyAFolderHoldingTheProject)
{
    tmp.Write("Courses/Demo.kvx", "project");
    tmp.Write("Courses/Demo/Images/photo.jpg", "picture");
    for (const QString &folder : {tmp / "Courses", tmp / "Courses/Demo", tmp / "Courses/Demo/Images"}) {
        prompt.Clear();
        prompt.Script({CPrompt::yes});
        EXPECT_EQ(Publisher(PublishTargetStandalone)->BuildTargetDirectoryAndSubDirectories(folder, 1), COutputTree::kRefused)
            << folder.toStdString();
        EXPECT_EQ(Publisher(PublishTargetPreview)->BuildTargetDirectoryAndSubDirectories(folder, 0), COutputTree::kRefused);
        ASSERT_FALSE(prompt.Texts().isEmpty());
        EXPECT_TRUE(prompt.Texts().front().startsWith("The folder " + folder + " holds the project"));
        EXPECT_EQ(prompt.Entries().front().kind, CPrompt::error);
    }
    EXPECT_EQ(TempTree::ReadAll(tmp / "Courses/Demo.kvx"), "project");
    EXPECT_EQ(TempTree::ReadAll(tmp / "Courses/Demo/Images/photo.jpg"), "picture");
}

// Guards the tree step's failures: a folder that cannot be made (a file in its place) and a link in the
// output folder that would take the course's files elsewhere.
TEST_F(OutputTreeTest, FailsWhenAFolderCannotBeMadeOrLeadsElsewhere)
{
    tmp.Write("Published/Out", "a file where the folder goes");
    EXPECT_EQ(BuildTree(PublishTargetStandalone, 0), 0);
    ASSERT_FALSE(prompt.Texts().isEmpty());
    EXPECT_TRUE(prompt.Texts().front().contains("\n" + output)) << prompt.Texts().front().toStdString();

    QFile::remove(tmp / "Published/Out");
    prompt.Clear();
    const QString elsewhere = tmp.MakeFolder("elsewhere");
    tmp.MakeFolder("Published/Out");
    ASSERT_TRUE(QFile::link(elsewhere, output + "/content"));
    EXPECT_EQ(BuildTree(PublishTargetStandalone), 0);
    EXPECT_EQ(prompt.Texts(), QStringList{"The folder " + output + "/content lies outside the output folder " + output + "."});
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

// Guards the run-time copy of each target: the fixed files, the per-target files (the LAN database and its
// script, the ASP folder, the PHP pages under their published names, the SCORM schema folders at the top
// of the package), the pictures of the course folder, and each file's bytes.
TEST_F(OutputTreeTest, RunTimeCopyPerTarget)
{
    InstallTheme("Classical");
    struct Case {
        int target;
        int useAsp;
        int scorm12;
        int lessonMode;
        QStringList present;
        QStringList absent;
    };
    const std::vector<Case> cases = {
        {PublishTargetStandalone, 0, 0, 0, {"content/done.htm", "content/nav.htm"}, {"kvx.mdb", "content/scripts/kvx_loc.jse"}},
        {PublishTargetLan, 0, 0, 0, {"kvx.mdb", "content/scripts/kvx_loc.jse", "content/done.htm", "content/nav.htm"}, {}},
        {PublishTargetWeb, 1, 0, 0, {"kvx.mdb", "content/done.htm", "content/include/file in include.txt"}, {"content/nav.htm"}},
        {PublishTargetWeb, 1, 0, 1, {"content/done.htm"}, {"kvx.mdb"}},
        {PublishTargetWeb, 0, 0, 0,
         {"content/include/kqdb.php", "content/include/writedata.php", "content/include/recordtext.php",
          "content/include/common.php", "content/adodb/drivers/file in drivers.txt"},
         {"content/include/writeData.php", "content/include/checksignin.php", "content/include/checkregister.php", "kvx.mdb"}},
        // The schema files keep their names: they name one another ("XMLSchema.dtd").
        {PublishTargetLms, 0, 1, 0, {"content/scripts/kvx_scorm.js", "File In scorm12.TXT"}, {"common", "File In scorm2004.TXT"}},
        {PublishTargetLms, 0, 0, 0, {"File In scorm2004.TXT", "common/file in common.txt", "vocab/file in vocab.txt"}, {"File In scorm12.TXT"}},
    };
    for (const Case &c : cases) {
        QDir(tmp / "program/source").removeRecursively();
        QDir(tmp / "Published").removeRecursively();
        doc->MutableSettings().UseASP = c.useAsp;
        doc->MutableSettings().SCORM12 = c.scorm12;
        InstallRunTime(c.target);
        auto publisher = Publisher(c.target);
        ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 1), 1);
        EXPECT_TRUE(publisher->CopySourceFiles2Target(c.lessonMode));
        for (const QString &name : {QString("content/scripts/kvx.js"), QString("content/scripts/kvx_kb_effect.js"),
                                    QString("content/media/expressInstall.swf"), QString("content/scripts/kvx.css"),
                                    QString("content/scripts/pics/kvx.ico"), QString("content/scripts/pics/x.gif")})
            EXPECT_TRUE(OutExists(name)) << name.toStdString() << " for " << c.target;
        EXPECT_EQ(Out("content/scripts/kvx_tree.js"), "source/publish/content/scripts/kvx_tree.js");
        for (const QString &name : c.present)
            EXPECT_TRUE(OutExists(name)) << name.toStdString() << " for " << c.target;
        for (const QString &name : c.absent)
            EXPECT_FALSE(OutExists(name)) << name.toStdString() << " for " << c.target;
        if (c.target == PublishTargetWeb && !c.useAsp) {
            EXPECT_EQ(Out("content/include/writedata.php"), "source/publishPhp/content/include/writeData.php");
        }
    }
    EXPECT_TRUE(prompt.Entries().isEmpty());
}

// Guards the sign-in files: the sign-in and registration scripts follow their settings, and the PHP
// sign-in pages come only with sign-in on, the registration page only with self-registration as well.
TEST_F(OutputTreeTest, SignInFilesFollowTheirSettings)
{
    struct Case {
        int signIn;
        int selfRegister;
        bool signInFiles;
        bool registerFiles;
    };
    for (const Case &c : {Case{0, 1, false, false}, Case{1, 0, true, false}, Case{1, 1, true, true}}) {
        QDir(tmp / "Published").removeRecursively();
        doc->MutableSettings().UseASP = 0;
        doc->MutableSettings().SignIn = 0;
        doc->MutableSettings().MaySelfRegister = 0;
        InstallRunTime(PublishTargetWeb); // with both off: the files that are not to be copied exist too
        doc->MutableSettings().SignIn = 1;
        doc->MutableSettings().MaySelfRegister = 1;
        InstallRunTime(PublishTargetWeb);
        doc->MutableSettings().SignIn = c.signIn;
        doc->MutableSettings().MaySelfRegister = c.selfRegister;
        auto publisher = Publisher(PublishTargetWeb);
        ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 1), 1);
        publisher->CopySourceFiles2Target(0);
        EXPECT_EQ(OutExists("content/include/checksignin.php"), c.signInFiles) << c.signIn << c.selfRegister;
        EXPECT_EQ(OutExists("content/signin.js"), c.signInFiles) << c.signIn << c.selfRegister;
        EXPECT_EQ(OutExists("content/include/checkregister.php"), c.registerFiles) << c.signIn << c.selfRegister;
        EXPECT_EQ(OutExists("content/register.js"), c.registerFiles) << c.signIn << c.selfRegister;
    }
}

// Guards the course's own pictures and media: each folder to its place under lower-cased names, names a
// page cannot link to left out and left in the project, the preview taking only the question pictures,
// and the background picture named by a stored path with either separator, or found as the project's own
// copy when the stored path is one of another system.
TEST_F(OutputTreeTest, ProjectPicturesAndMedia)
{
    Project("Images/Resized/Photo.PNG", "resized");
    Project("Images/Resized/My Photo.jpg", "unsafe");
    Project("Images/Resized/a&b.png", "unsafe");
    Project("Images/MM/mm0.png", "mm");
    Project("Images/M/m0.png", "m");
    Project("Images/Questions/1_1l0.png", "question picture");
    Project("Sounds/Clip.MP3", "sound");
    Project("Movies/film.mp4", "movie");
    Project("Questions/q.swf", "flash");
    Project("Images/Resized/sub/deep.png", "not copied");
    const QString sky = tmp.Write("Pics/Sky.JPG", "sky");
    doc->MutableSettings().BgImage = QString(sky).replace('/', '\\');

    auto publisher = Publisher(PublishTargetStandalone);
    ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 1), 1);
    EXPECT_TRUE(publisher->CopySourceFiles2Target(0));
    EXPECT_EQ(OutFiles(), Sorted({"content/images/photo.png", "content/images/mm0.png", "content/images/m0.png",
                                  "content/images/questions/1_1l0.png", "content/media/clip.mp3", "content/media/film.mp4",
                                  "content/media/questions/q.swf", "content/scripts/pics/sky.jpg"}));
    EXPECT_EQ(Out("content/scripts/pics/sky.jpg"), "sky");
    EXPECT_EQ(TempTree::ReadAll(tmp / "Courses/Demo/Images/Resized/My Photo.jpg"), "unsafe");

    // A path of another system (a project made elsewhere): without the project's own copy there is nothing
    // to copy; with it, that copy is the background.
    QDir(output).removeRecursively();
    doc->MutableSettings().BgImage = "D:\\Pics\\Sky.JPG";
    publisher->SetPreviewFlag(1);
    ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 0), 1);
    EXPECT_TRUE(publisher->CopySourceFiles2Target(0));
    EXPECT_EQ(OutFiles(), QStringList{"content/images/questions/1_1l0.png"});

    Project("Images/Resized/sky.jpg", "saved sky");
    EXPECT_TRUE(publisher->CopySourceFiles2Target(0));
    EXPECT_EQ(Out("content/scripts/pics/sky.jpg"), "saved sky");
}

// Guards that the copy never follows a link: a linked file in the course folder is not brought in, and a
// link in the output where a file goes is replaced by the file, leaving the link's target untouched.
TEST_F(OutputTreeTest, CopiesNeverFollowLinks)
{
    const QString secret = tmp.Write("secret/passwords.txt", "secret");
    Project("Images/Resized/real.png", "real");
    ASSERT_TRUE(QFile::link(secret, tmp / "Courses/Demo/Images/Resized/linked.png"));
    Program("source/publish/content/scripts/kvx.js", "run-time");
    const QString victim = tmp.Write("victim.js", "keep me");

    auto publisher = Publisher(PublishTargetStandalone);
    ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 1), 1);
    ASSERT_TRUE(QFile::link(victim, output + "/content/scripts/kvx.js"));
    EXPECT_TRUE(publisher->CopySourceFiles2Target(0));
    EXPECT_EQ(Out("content/images/real.png"), "real");
    EXPECT_FALSE(OutExists("content/images/linked.png"));
    EXPECT_FALSE(QFileInfo(output + "/content/scripts/kvx.js").isSymLink());
    EXPECT_EQ(Out("content/scripts/kvx.js"), "run-time");
    EXPECT_EQ(TempTree::ReadAll(victim), "keep me");
}

// Guards that a copy the output cannot take (here a folder where a file goes) fails the step with the
// reason kept for the final message, while the other files are still copied; missing run-time files are
// passed over as before.
TEST_F(OutputTreeTest, ADestinationThatCannotBeWrittenFailsTheStep)
{
    Program("source/publish/content/scripts/kvx.js", "run-time");
    Program("source/publish/content/scripts/kvx.css", "style");
    auto publisher = Publisher(PublishTargetStandalone);
    ASSERT_EQ(publisher->BuildTargetDirectoryAndSubDirectories(output, 1), 1);
    EXPECT_TRUE(publisher->CopySourceFiles2Target(0)) << "missing run-time files are no failure";
    QFile::remove(output + "/content/scripts/kvx.js");
    QDir().mkpath(output + "/content/scripts/kvx.js");
    EXPECT_FALSE(publisher->CopySourceFiles2Target(0));
    EXPECT_TRUE(publisher->GetLastErrorText().contains("kvx.js"));
    EXPECT_EQ(Out("content/scripts/kvx.css"), "style");
}

} // namespace
