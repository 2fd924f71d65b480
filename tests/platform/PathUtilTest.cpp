#include "platform/PathUtil.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

// Guards name splitting of paths stored on Windows and built here.
TEST(PathUtil, SplitsBothSeparators)
{
    struct Case { QString path, name, folder; };
    const Case cases[] = {
        {"D:\\a\\b.txt", "b.txt", "D:\\a"},
        {"/home/u/b.txt", "b.txt", "/home/u"},
        {"Images\\Resized/x.png", "x.png", "Images\\Resized"},
        {"plain", "plain", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CorvPath::FileName(c.path), c.name) << c.path.toStdString();
        EXPECT_EQ(CorvPath::FolderOf(c.path), c.folder) << c.path.toStdString();
    }
    EXPECT_EQ(CorvPath::Join({"a/", "\\b", "c"}), "a/b/c");
    EXPECT_EQ(CorvPath::CanonicalFolderName("images\\resized"), "Images/Resized");
    // Every picture folder of a project's media folder, as components save into them.
    for (const char *folder : {"images/questions", "IMAGES\\m", "images/mm", "sounds", "movies", "rtfs"})
        EXPECT_TRUE(CorvPath::KnownFolderNames().contains(CorvPath::CanonicalFolderName(folder))) << folder;
    EXPECT_EQ(CorvPath::CanonicalFolderName("images\\MM"), "Images/MM");
    EXPECT_EQ(CorvPath::CanonicalFolderName("mine"), "mine");
    EXPECT_TRUE(CorvPath::SamePathNoCase("C:\\Course\\IMAGES\\", "c:/course/images"));
}

// Guards that a name from a file can never leave its folder.
TEST(PathUtil, SafeBareNames)
{
    struct Case { QString in, out; };
    const Case cases[] = {
        {"..\\..\\etc\\passwd", "passwd"}, {"../x.mp3", "x.mp3"}, {"..", ""}, {".", ""}, {"", ""},
        {"/abs/path.png", "path.png"}, {"ok name.wav", "ok name.wav"}, {QString("a\nb.txt"), "ab.txt"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CorvPath::SafeBareName(c.in), c.out) << c.in.toStdString();
    EXPECT_FALSE(CorvPath::IsSafeBareName("a/b"));
    EXPECT_TRUE(CorvPath::IsSafeBareName("b.png"));
}

// Guards projects copied from Windows, whose names are spelt in any case: existing parts are found as they
// are on disk, and a missing tail is kept so that nothing is created twice in another case.
TEST(PathUtil, ResolvesWithoutRegardToCase)
{
    TempTree tree;
    tree.Write("Course/Images/Photo.JPG", "x");
    EXPECT_EQ(CorvPath::ResolveNoCase(tree / "course/images/photo.jpg"), tree / "Course/Images/Photo.JPG");
    EXPECT_EQ(CorvPath::ResolveNoCase(tree / "COURSE\\images\\Resized/new.png"), tree / "Course/Images/Resized/new.png");
    EXPECT_EQ(CorvPath::ResolveNoCase(tree / "Course/Images/Photo.JPG"), tree / "Course/Images/Photo.JPG");
}
