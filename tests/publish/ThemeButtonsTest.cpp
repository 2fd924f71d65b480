#include "PublishStepsFixture.h"

#include "publish/ProgramData.h"

namespace {

class ThemeButtonsTest : public PublishStepsTest
{
protected:
    ThemeButtonsTest()
    {
        for (const QString &theme : {QString("Classical"), QString("Harbour")}) {
            Program("Themes/" + theme + "/" + theme + ".css", "css");
            Program("Themes/" + theme + "/BG.JPG", theme.toUtf8() + " background");
            for (const QString &picture : CorvProgramData::ThemeButtonPictures())
                Program("Themes/" + theme + "/Buttons/" + picture, (theme + "/" + picture).toUtf8());
        }
        QDir().mkpath(output + "/content/scripts/pics");
    }

    // The picture the course got under a published name, as "<theme>/<picture of the Buttons folder>".
    QByteArray Published(const QString &name) const { return Out("content/scripts/pics/" + name); }
};

// Guards the choice of each button's picture by its label: the picture of each label text, the picture
// without words for an empty label, and for a label that is none of the row's texts (the comparison is
// exact and case-sensitive) the picture without words rather than another button's; the popup button
// always.
TEST_F(ThemeButtonsTest, PicturesFollowTheLabels)
{
    doc->MutableSettings().Theme = "Harbour";
    doc->MutableSettings().LblNext = "Continue";
    doc->MutableSettings().LblBack = "";
    doc->MutableSettings().LblMenu = "Home";
    doc->MutableSettings().LblQuit = "Quit";
    doc->MutableSettings().LblDone = "done";
    doc->MutableSettings().LblPlay = "Start";
    doc->MutableSettings().LblStop = "Pause";
    EXPECT_TRUE(Publisher(PublishTargetStandalone)->CopyThemeButtons());
    EXPECT_EQ(Published("nav_next.png"), "Harbour/nav_next03.png");
    EXPECT_EQ(Published("nav_back.png"), "Harbour/nav_back01.png");
    EXPECT_EQ(Published("nav_menu.png"), "Harbour/nav_menu02.png");
    EXPECT_EQ(Published("nav_quit.png"), "Harbour/nav_quit.png");
    EXPECT_EQ(Published("btn_done.png"), "Harbour/btn_done01.png");
    EXPECT_EQ(Published("btn_play.png"), "Harbour/btn_play02.png");
    EXPECT_EQ(Published("btn_stop.png"), "Harbour/btn_stop02.png");
    EXPECT_EQ(Published("btn_popup.png"), "Harbour/btn_popup.png");
    // The theme's own files come along under lower-cased names; its Buttons folder does not.
    EXPECT_EQ(Published("bg.jpg"), "Harbour background");
    EXPECT_EQ(Published("harbour.css"), "css");
    EXPECT_FALSE(OutExists("content/scripts/pics/nav_next03.png"));
    EXPECT_EQ(doc->Settings().Theme, "Harbour");
}

// Guards the fall-back theme: a theme that is not installed, or a name that is not a plain folder name, gives
// the pictures of "Classical", and the rest of the publish uses that theme; the course keeps the theme it names.
TEST_F(ThemeButtonsTest, MissingThemeFallsBackToClassical)
{
    for (const QString &theme : {QString("Gone"), QString("../Themes/Harbour"), QString(""), QString("Harbour/.")}) {
        doc->MutableSettings().Theme = theme;
        doc->MutableSettings().LblNext = "Next";
        const auto publisher = Publisher(PublishTargetStandalone);
        EXPECT_TRUE(publisher->CopyThemeButtons());
        EXPECT_EQ(publisher->Context().Theme(), "Classical") << theme.toStdString();
        EXPECT_EQ(doc->Settings().Theme, theme);
        EXPECT_EQ(Published("nav_next.png"), "Classical/nav_next.png") << theme.toStdString();
        EXPECT_EQ(Published("bg.jpg"), "Classical background");
    }
    // A theme folder spelt in another case is the same theme.
    doc->MutableSettings().Theme = "harbour";
    EXPECT_TRUE(Publisher(PublishTargetStandalone)->CopyThemeButtons());
    EXPECT_EQ(Published("nav_next.png"), "Harbour/nav_next.png");
}

// Guards a theme that lacks a picture: nothing is reported and the publish goes on.
TEST_F(ThemeButtonsTest, MissingPictureIsPassedOver)
{
    QFile::remove(tmp / "program/Themes/Harbour/Buttons/nav_next01.png");
    doc->MutableSettings().Theme = "Harbour";
    doc->MutableSettings().LblNext = "";
    EXPECT_TRUE(Publisher(PublishTargetStandalone)->CopyThemeButtons());
    EXPECT_FALSE(OutExists("content/scripts/pics/nav_next.png"));
    EXPECT_EQ(Published("nav_back.png"), "Harbour/nav_back.png");
    EXPECT_TRUE(prompt.Entries().isEmpty());
}

} // namespace
