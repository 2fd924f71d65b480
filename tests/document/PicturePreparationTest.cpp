#include "document/PicturePreparation.h"
#include "support/TempTree.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

QString MakePicture(const TempTree &tree, const QString &relative, int width, int height, const char *format)
{
    QDir().mkpath(QFileInfo(tree / relative).absolutePath());
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(30, 90, 160));
    const QString path = tree / relative;
    EXPECT_TRUE(picture.save(path, format));
    return path;
}

// The size of the picture as Qt's own readers see it.
QSize SizeOf(const QString &path) { return QImageReader(path).size(); }

} // namespace

// Guards the logo's shrinking: only a logo taller than the bar is fitted into 400 x 50 keeping its ratio;
// the written file is measured by Qt's reader, not by ours.
TEST(PicturePreparation, LogoTallerThanTheBarIsFittedInto400By50)
{
    const struct {
        int width, height;
        QSize expected;
    } cases[] = {{800, 100, {400, 50}}, {300, 50, {300, 50}}, {2000, 60, {400, 12}}, {300, 60, {250, 50}},
                 {600, 40, {600, 40}}};
    for (const auto &c : cases) {
        TempTree tree;
        const QString logo = MakePicture(tree, "art/logo.jpg", c.width, c.height, "JPEG");
        const QString stored = PrepareLogoPicture(tree / "Course", logo);
        EXPECT_EQ(stored, tree / "Course/Images/Resized/logo.jpg") << c.width << "x" << c.height;
        EXPECT_EQ(SizeOf(stored), c.expected) << c.width << "x" << c.height;
    }
}

// Guards the PNG logo's second copy and the name the copies take: the png8 copy is the one named, and
// blanks and "<>&" leave the name.
TEST(PicturePreparation, PngLogoIsWrittenTwiceUnderItsSafeName)
{
    TempTree tree;
    tree.MakeFolder("Course/Images/Resized");
    const QString logo = MakePicture(tree, "art/My Logo&.png", 640, 80, "PNG");
    const QString stored = PrepareLogoPicture(tree / "Course", logo);
    EXPECT_EQ(stored, tree / "Course/Images/Resized/png8/MyLogo.png");
    EXPECT_EQ(SizeOf(tree / "Course/Images/Resized/MyLogo.png"), QSize(400, 50));
    EXPECT_EQ(TempTree::ReadAll(stored), TempTree::ReadAll(tree / "Course/Images/Resized/MyLogo.png"));
    EXPECT_EQ(PrepareLogoPicture(tree / "Course", ""), "");
}

// Guards a logo that cannot be decoded: copied as it is, so the course does not name a file that was never
// written; a logo that is not there at all prepares nothing.
TEST(PicturePreparation, UndecodableLogoIsCopiedAsItIs)
{
    TempTree tree;
    const QString logo = tree.Write("art/logo.gif", "not a picture at all");
    EXPECT_EQ(PrepareLogoPicture(tree / "Course", logo), tree / "Course/Images/Resized/logo.gif");
    EXPECT_EQ(TempTree::ReadAll(tree / "Course/Images/Resized/logo.gif"), "not a picture at all");
    EXPECT_EQ(PrepareLogoPicture(tree / "Course", tree / "art/gone.png"), "");
}

// Guards the copies against themselves: a logo that already is the prepared copy is not encoded again
// (a JPEG would lose quality at every save), and a background that already is the copy is not copied
// onto itself.
TEST(PicturePreparation, CopiesThatAreAlreadyInPlaceAreLeftAlone)
{
    TempTree tree;
    const QString logo = MakePicture(tree, "Course/images/resized/logo.jpg", 200, 40, "JPEG");
    const QByteArray before = TempTree::ReadAll(logo);
    EXPECT_EQ(PrepareLogoPicture(tree / "Course", logo), logo);
    EXPECT_EQ(TempTree::ReadAll(logo), before);

    const QString background = tree.Write("Course/images/resized/sea.jpg", "background bytes");
    EXPECT_EQ(PrepareBackgroundPicture(tree / "Course", background), background);
    EXPECT_EQ(TempTree::ReadAll(background), "background bytes");
}

// Guards the background copy: unchanged bytes under the safe name; a source that cannot be read keeps the
// author's path, so the course does not lose its background to a missing copy.
TEST(PicturePreparation, BackgroundIsCopiedUnchanged)
{
    TempTree tree;
    const QString background = tree.Write("art/Sea & Sky.jpg", "background bytes");
    const QString stored = PrepareBackgroundPicture(tree / "Course", background);
    EXPECT_EQ(stored, tree / "Course/Images/Resized/SeaSky.jpg");
    EXPECT_EQ(TempTree::ReadAll(stored), "background bytes");
    EXPECT_EQ(PrepareBackgroundPicture(tree / "Course", tree / "art/gone.jpg"), tree / "art/gone.jpg");
    EXPECT_EQ(PrepareBackgroundPicture(tree / "Course", ""), "");
}

// Guards the preview's logo: shrunk the same way into the output folder's images folder.
TEST(PicturePreparation, PreviewLogoGoesIntoTheOutputImages)
{
    TempTree tree;
    const QString logo = MakePicture(tree, "art/logo.png", 800, 100, "PNG");
    EXPECT_TRUE(CopyResizedLogo(tree / "out", logo));
    EXPECT_EQ(SizeOf(tree / "out/images/logo.png"), QSize(400, 50));
    EXPECT_FALSE(CopyResizedLogo(tree / "out", ""));
}
