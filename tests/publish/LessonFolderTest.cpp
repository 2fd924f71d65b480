#include "LmsFixture.h"

namespace {

const QString kEmptyName = QStringLiteral(
    "Cannot publish.\nPlease first enter a Ostrelle folder name on the management setting tab");
const QString kQuestion = QStringLiteral(
    "A folder with the same name as the nominated lesson folder name already exists.\nIf you continue its "
    "contents will be deleted. Do you want to continue?");

class LessonFolderTest : public LmsStepTest
{
protected:
    LessonFolderTest()
    {
        published = tmp / "Course Published files";
        web = published + "/Web";
        WriteFileAt(web + "/content/ind.htm", "page");
        WriteFileAt(web + "/content/include/kv_config.asp", "config");
        WriteFileAt(web + "/content/scripts/kvx.js", "script");
        WriteFileAt(web + "/kvx.mdb", "database");
        doc->MutableSettings().OstrelleLessonFolder = "lesson1";
    }

    QString Lesson() const { return published + "/lesson1"; }
    QString Completed(const QString &folder) const { return "Publish has completed successfully to:\n\n" + folder; }

    QString published, web;
};

} // namespace

// Guards the lesson: it lies beside the LMS folder under its own name and holds the web course's content
// folder, its server configuration included, and nothing from above it.
TEST_F(LessonFolderTest, CopiesTheWebContentBesideTheLmsFolder)
{
    Publisher()->PublishLessonFolder(web);
    EXPECT_EQ(prompt.Texts(), QStringList{Completed(Lesson())});
    EXPECT_EQ(TempTree::ReadAll(Lesson() + "/ind.htm"), "page");
    EXPECT_EQ(TempTree::ReadAll(Lesson() + "/include/kv_config.asp"), "config");
    EXPECT_EQ(TempTree::ReadAll(Lesson() + "/scripts/kvx.js"), "script");
    EXPECT_FALSE(QFileInfo::exists(Lesson() + "/kvx.mdb"));
    EXPECT_FALSE(QFileInfo::exists(Lesson() + "/content"));
}

// Guards an existing lesson folder: one holding only empty folders is reused without a question; one
// holding files is replaced only after a Yes, and a No leaves it as it was.
TEST_F(LessonFolderTest, ExistingFolder)
{
    tmp.MakeFolder("Course Published files/lesson1/empty/deeper");
    Publisher()->PublishLessonFolder(web);
    EXPECT_EQ(prompt.Texts(), QStringList{Completed(Lesson())});

    WriteFileAt(Lesson() + "/old.htm", "old");
    prompt.Clear();
    prompt.Script({CPrompt::no});
    Publisher()->PublishLessonFolder(web);
    EXPECT_EQ(prompt.Texts(), QStringList{kQuestion});
    EXPECT_TRUE(QFileInfo::exists(Lesson() + "/old.htm"));

    prompt.Clear();
    prompt.Script({CPrompt::yes});
    Publisher()->PublishLessonFolder(web);
    EXPECT_EQ(prompt.Texts(), (QStringList{kQuestion, Completed(Lesson())}));
    EXPECT_FALSE(QFileInfo::exists(Lesson() + "/old.htm"));
    EXPECT_TRUE(QFileInfo::exists(Lesson() + "/ind.htm"));
}

// Guards the folders around the lesson: a name that is empty, climbs out, holds a separator, or names the
// LMS or web output (or the project's own folder) is refused before anything is deleted, asked or copied.
TEST_F(LessonFolderTest, NamesThatWouldDestroySomethingAreRefused)
{
    WriteFileAt(output + "/imsmanifest.xml", "lms");
    const QString projectFolder = published + "/Demo";
    WriteFileAt(projectFolder + "/Images/pic.png", "picture");
    doc->SetPathName(published + "/Demo.kvx");
    WriteFileAt(published + "/Demo.kvx", "project");
    for (const QString &name : {QString(), QStringLiteral(".."), QStringLiteral("."), QStringLiteral("a/b"),
                                QStringLiteral("../../x"), QStringLiteral("LMS"), QStringLiteral("Web"), QStringLiteral("Demo")}) {
        SCOPED_TRACE(name.toStdString());
        prompt.Clear();
        prompt.SetFallback(CPrompt::yes);
        doc->MutableSettings().OstrelleLessonFolder = name;
        Publisher()->PublishLessonFolder(web);
        ASSERT_EQ(prompt.Texts().size(), 1);
        EXPECT_EQ(prompt.Entries()[0].kind, name.isEmpty() ? CPrompt::information : CPrompt::error);
        if (name.isEmpty())
            EXPECT_EQ(prompt.Texts()[0], kEmptyName);
        else
            EXPECT_TRUE(prompt.Texts()[0].startsWith("Cannot publish.\nThe lesson folder name")) << prompt.Texts()[0].toStdString();
    }
    EXPECT_EQ(TempTree::ReadAll(output + "/imsmanifest.xml"), "lms");
    EXPECT_EQ(TempTree::ReadAll(web + "/content/ind.htm"), "page");
    EXPECT_EQ(TempTree::ReadAll(projectFolder + "/Images/pic.png"), "picture");
    EXPECT_EQ(TempTree::ReadAll(published + "/Demo.kvx"), "project");
}

// Guards a web course that was not published (no folder given, or one without content): the author is told,
// and the lesson folder is neither emptied nor made.
TEST_F(LessonFolderTest, MissingWebCourseIsReported)
{
    WriteFileAt(Lesson() + "/keep.htm", "keep");
    prompt.SetFallback(CPrompt::yes);
    for (const QString &folder : {QString(), tmp.MakeFolder("Course Published files/Empty web")}) {
        prompt.Clear();
        Publisher()->PublishLessonFolder(folder);
        EXPECT_EQ(prompt.Texts(), QStringList{"Cannot publish.\nThe web course for the Ostrelle lesson was not published."});
    }
    EXPECT_TRUE(QFileInfo::exists(Lesson() + "/keep.htm"));
}

// Guards a lesson folder that cannot be made (a file in its place): both messages, and no completion.
TEST_F(LessonFolderTest, FolderThatCannotBeMade)
{
    QDir(published).mkpath(".");
    WriteFileAt(published + "/lesson1", "a file");
    prompt.SetFallback(CPrompt::yes);
    Publisher()->PublishLessonFolder(web);
    ASSERT_FALSE(prompt.Texts().isEmpty());
    EXPECT_EQ(prompt.Texts().last(), "ERROR: Failed to create lesson folder for Ostrelle.");
    EXPECT_FALSE(prompt.Texts().contains(Completed(Lesson())));
}
