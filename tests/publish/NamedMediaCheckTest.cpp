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

// Guards names with blanks, which the screens quote whole ("media/questions/My Quiz.swf" was cut to
// "media/questions/My" and a present file reported missing), names after a bare "=" that end at a blank,
// names written with entities, and the logo of the course page, which is checked with the screens.
TEST(NamedMediaCheck, NamesWithBlanksAndTheLogo)
{
    const QString script = "\"<object data='media/questions/My Quiz.swf'><param value=\\\"media/Two  Blanks.mp3\\\">\" + "
                           "\"<img src=images/bare.png alt='x'><img src='images/Tom &amp; Jerry.png'>\"";
    EXPECT_EQ(CorvNamedMediaCheck::NamedFiles(script),
              QStringList({"media/questions/My Quiz.swf", "media/Two  Blanks.mp3", "images/bare.png", "images/Tom & Jerry.png"}));

    TempTree tmp;
    tmp.Write("Out/content/media/questions/My Quiz.swf", "swf");
    tmp.Write("Out/content/demo_0_1.js", "kvx.updatePage({\"contents\": \"<object data='media/questions/My Quiz.swf'>\"});\n");
    tmp.Write("Out/content/ind.htm", "<div id=\"logo\"><img alt=\"logo\" src=\"images/Our Logo.png\"></div>\n");
    EXPECT_EQ(CorvNamedMediaCheck::MissingFiles(tmp / "Out", "Demo"), QStringList{"content/images/Our Logo.png"});
    tmp.Write("Out/content/images/Our Logo.png", "png");
    EXPECT_TRUE(CorvNamedMediaCheck::MissingFiles(tmp / "Out", "Demo").isEmpty());
}

// Guards where a name may start: at the very start of the text or after a quote, "(" or "="; never after
// another character (a longer word ending in "media/"), and never inside a name already taken, even where
// a folder word inside it follows a "=".
TEST(NamedMediaCheck, WhereNamesStart)
{
    const struct
    {
        const char *script;
        QStringList names;
    } cases[] = {
        {"media/start.png rest", {"media/start.png"}},
        {"xmedia/q.png' ximages/r.png'", {}},
        {"=images/a=media/b", {"images/a=media/b"}},
        {"'images/media/c.png'", {"images/media/c.png"}},
        {"(media/a b.mp3)'images/x.png' \"media/a b.mp3\"", {"media/a b.mp3", "images/x.png"}},
        {"'images/' and 'media/'", {}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CorvNamedMediaCheck::NamedFiles(QString::fromUtf8(c.script)), c.names) << c.script;
}
