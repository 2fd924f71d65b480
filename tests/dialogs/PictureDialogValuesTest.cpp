#include "dialogs/PictureDialogValues.h"
#include "support/TempTree.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QByteArray Png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

// Guards against a picture component made from nothing: an empty path, a missing file or a picture the
// image library cannot decode stop OK with a message naming the file (and the library's reason), while a
// readable picture passes whatever the case of its extension.
TEST(PictureDialogValues, OnlyAPictureThatLoadsPasses)
{
    TempTree tree;
    const QString good = tree.Write("p/Good.PNG", Png(12, 8));
    const QString damaged = tree.Write("p/damaged.png", Png(12, 8).left(40));
    const QString text = tree.Write("p/notes.jpg", "not a picture at all");

    EXPECT_TRUE(CheckPictureFile(good).Passed());
    SPictureFileValues values;
    values.path = "  ";
    EXPECT_EQ(values.Check().message, PictureDialogText::kChoosePicture);
    EXPECT_EQ(values.Check().focus, SPictureFileValues::kPathControl);

    for (const QString &bad : {damaged, text, tree / "p/missing.png"}) {
        const CDialogCheck check = CheckPictureFile(bad);
        EXPECT_FALSE(check.Passed()) << qPrintable(bad);
        EXPECT_TRUE(check.message.startsWith(PictureDialogText::kUnreadablePicture.arg(bad))) << qPrintable(check.message);
    }
    // A damaged file gets the image library's own reason on the second line.
    EXPECT_TRUE(CheckPictureFile(damaged).message.contains('\n')) << qPrintable(CheckPictureFile(damaged).message);
}

// Guards the category lists of "Set priorities": the available list stays sorted whatever comes back to it,
// the chosen order is the author's, and moves past either end or without a selection change nothing.
TEST(PictureDialogValues, CategoryListsKeepTheirOrders)
{
    CCategoryPriorityLists lists({"Nature", "Architecture", "people", "Education"}, {"Sports & Leisure"});
    EXPECT_EQ(lists.Available(), (QStringList{"Architecture", "Education", "Nature", "people"}));

    EXPECT_EQ(lists.Add(2), 1); // Nature to the end of the chosen ones
    EXPECT_EQ(lists.Add(0), 2); // then Architecture
    EXPECT_EQ(lists.Selected(), (QStringList{"Sports & Leisure", "Nature", "Architecture"}));
    EXPECT_EQ(lists.Available(), (QStringList{"Education", "people"}));

    EXPECT_FALSE(lists.MoveUp(0)) << "the first cannot go higher";
    EXPECT_FALSE(lists.MoveDown(2)) << "the last cannot go lower";
    EXPECT_FALSE(lists.MoveUp(-1));
    EXPECT_EQ(lists.Add(-1), -1);
    EXPECT_EQ(lists.Remove(7), -1);
    EXPECT_EQ(lists.Selected(), (QStringList{"Sports & Leisure", "Nature", "Architecture"}));

    EXPECT_TRUE(lists.MoveUp(2));
    EXPECT_TRUE(lists.MoveDown(0));
    EXPECT_EQ(lists.Selected(), (QStringList{"Architecture", "Sports & Leisure", "Nature"}));

    // Removing sorts the category back in among the available ones.
    EXPECT_EQ(lists.Remove(1), 2);
    EXPECT_EQ(lists.Available(), (QStringList{"Education", "people", "Sports & Leisure"}));
    EXPECT_EQ(lists.Remove(0), 0);
    EXPECT_EQ(lists.Remove(0), 2);
    EXPECT_TRUE(lists.Selected().isEmpty());
    EXPECT_EQ(lists.Available(), (QStringList{"Architecture", "Education", "Nature", "people", "Sports & Leisure"}));
}
