#include "publish/NamedMediaCheck.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

// Guards the check of a published course's media over many screen files (read on several threads): every
// file a screen names and the folder lacks is reported once, sorted, whichever screen names it; files of
// another prefix and files that are there are not.
TEST(NamedMediaCheck, ManyScreensReportEachMissingFileOnce)
{
    TempTree tmp;
    tmp.Write("Out/content/images/there.png", "png");
    tmp.Write("Out/content/media/clip.mp3", "mp3");
    for (int i = 0; i < 150; ++i) {
        QByteArray script = "kvx.updatePage({\"contents\": \"<img src='images/there.png'>\" + \"<a href='media/clip.mp3'>\"";
        if (i % 10 == 3)
            script += " + \"<img src='images/gone" + QByteArray::number(i % 4) + ".png'>\"";
        if (i == 149)
            script += " + \"<embed src=\\\"media/absent.mp4\\\">\"";
        tmp.Write(QStringLiteral("Out/content/demo_%1.js").arg(i), script + "});\n");
    }
    // Another course's screen file in the same folder is not read.
    tmp.Write("Out/content/other_1.js", "\"<img src='images/elsewhere.png'>\"");

    EXPECT_EQ(CorvNamedMediaCheck::MissingFiles(tmp / "Out", "Demo"),
              QStringList({"content/images/gone1.png", "content/images/gone3.png", "content/media/absent.mp4"}));
    tmp.Write("Out/content/images/gone1.png", "png");
    tmp.Write("Out/content/images/gone3.png", "png");
    tmp.Write("Out/content/media/absent.mp4", "mp4");
    EXPECT_TRUE(CorvNamedMediaCheck::MissingFiles(tmp / "Out", "Demo").isEmpty());
}
