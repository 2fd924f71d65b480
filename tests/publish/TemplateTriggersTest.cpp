#include "PublishStepsFixture.h"

#include <functional>

namespace {

using Setup = std::function<void(CCorvessaDoc &)>;

struct TriggerCase {
    TriggerCase(const char *l, Setup s, QByteArray e, int only = -1, QByteArray others = {})
        : line(l), setup(std::move(s)), expected(std::move(e)), onlyTarget(only), forOthers(std::move(others))
    {
    }
    const char *line;     // the template line
    Setup setup;          // settings of the case
    QByteArray expected;  // the output for every target...
    int onlyTarget;       // ...or only for this target
    QByteArray forOthers; // what the other targets write when onlyTarget is set
};

const QByteArray kScript = "<script type=\"text/javascript\" src=\"";

// Runs one template line through the start-page step for a target and gives what it wrote.
class TemplateTriggersTest : public PublishStepsTest
{
protected:
    QByteArray Expand(const QByteArray &line, int target)
    {
        Program("source/publish/index.htm", line + "\n");
        Program("source/publish/index.hta", "");
        QDir().mkpath(output);
        if (!Publisher(target)->CreateIndexWebPage())
            return "<failed>";
        return Out("index.htm");
    }
};

// Guards every trigger's text for each target and the settings cases that change it: the character set,
// the unescaped title, the style-sheet and script links with the prefix in lower case, at most one list
// alignment sheet, the LMS script, the logo's file name, the sign-in flag, the course name or a blank,
// the font lists of both slots, colours as #RRGGBB from 0x00BBGGRR, sizes in points and pixels, the
// background triggers with and without the course's own background and their defaults, right-to-left,
// the compatibility line, and the LAN and AJAX scripts that exclude each other.
TEST_F(TemplateTriggersTest, EveryTriggerForEveryTarget)
{
    const auto none = [](CCorvessaDoc &) {};
    const std::vector<TriggerCase> cases = {
        {":::charset", [](CCorvessaDoc &d) { d.MutableSettings().EncodingLabel = "Unicode (UTF-8) - [utf-8]"; },
         "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">\n"},
        {":::charset", [](CCorvessaDoc &d) { d.MutableSettings().EncodingLabel = "Western European - [iso-8859-1]"; },
         "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=iso-8859-1\">\n"},
        {":::charset", [](CCorvessaDoc &d) { d.MutableSettings().EncodingLabel = ""; },
         "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">\n"},
        {":::charset", [](CCorvessaDoc &d) { d.MutableSettings().EncodingLabel = "no brackets ]"; },
         "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">\n"},
        // A course name is page text: markup in it would run as script on every page that names the course.
        {":::title", [](CCorvessaDoc &d) { d.MutableSettings().CourseName = "Safety & <b>you</b>"; }, "<title>Safety &amp; &lt;b&gt;you&lt;/b&gt;</title>\n"},
        {":::title", [](CCorvessaDoc &d) { d.MutableSettings().CourseName = "Fish &amp; chips"; }, "<title>Fish &amp;amp; chips</title>\n"},
        {":::title", [](CCorvessaDoc &d) { d.MutableSettings().CourseName.clear(); }, "<title></title>\n"},
        {":::css", [](CCorvessaDoc &d) { d.MutableSettings().LeftAlignBulletedLists = d.MutableSettings().LeftAlignNumberedLists = 0; }, "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/demo.css\">\n"},
        {":::css", [](CCorvessaDoc &d) { d.MutableSettings().LeftAlignBulletedLists = 1; d.MutableSettings().LeftAlignNumberedLists = 0; },
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/demo.css\">\n"
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/align_bullets.css\">\n"},
        {":::css", [](CCorvessaDoc &d) { d.MutableSettings().LeftAlignNumberedLists = 1; d.MutableSettings().LeftAlignBulletedLists = 0; },
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/demo.css\">\n"
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/align_numbers.css\">\n"},
        {":::css", [](CCorvessaDoc &d) { d.MutableSettings().LeftAlignBulletedLists = d.MutableSettings().LeftAlignNumberedLists = 1; },
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/demo.css\">\n"
         "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/align_lists.css\">\n"},
        {":::scripts", none,
         kScript + "scripts/demo_prefs.js\"></script>\n" + kScript + "scripts/internationalisation.js\"></script>\n" + kScript
             + "scripts/demo_pages.js\"></script>\n" + kScript + "scripts/kvx_scorm.js\"></script>\n",
         PublishTargetLms,
         kScript + "scripts/demo_prefs.js\"></script>\n" + kScript + "scripts/internationalisation.js\"></script>\n" + kScript
             + "scripts/demo_pages.js\"></script>\n"},
        {":::indexcss", none, "<link type=\"text/css\" rel=\"stylesheet\" href=\"content/scripts/demo.css\">\n"},
        {":::prefsscript", none,
         kScript + "content/scripts/demo_prefs.js\"></script>\n" + kScript + "content/scripts/kvx_scorm.js\"></script>\n",
         PublishTargetLms, kScript + "content/scripts/demo_prefs.js\"></script>\n"},
        {":::logo", [](CCorvessaDoc &d) { d.MutableSettings().LogoImage.clear(); }, ""},
        {":::logo", [](CCorvessaDoc &d) { d.MutableSettings().LogoImage = "C:\\Pics\\Our Logo.PNG"; },
         "\t\t<div id=\"logo\"><img title=\"logo\" alt=\"logo\" id=\"logoImg\" name=\"logoImg\" src=\"images/our logo.png\"></div>\n"},
        {":::logo", [](CCorvessaDoc &d) { d.MutableSettings().LogoImage = "/courses/Demo/Images/Resized/a\"b.png"; },
         "\t\t<div id=\"logo\"><img title=\"logo\" alt=\"logo\" id=\"logoImg\" name=\"logoImg\" src=\"images/a&quot;b.png\"></div>\n"},
        {":::signin", [](CCorvessaDoc &d) { d.MutableSettings().SignIn = 1; }, "  $_SESSION['signin'] = true;\n"},
        {":::signin", [](CCorvessaDoc &d) { d.MutableSettings().SignIn = 2; }, "  $_SESSION['signin'] = false;\n"},
        {":::coursename", [](CCorvessaDoc &d) { d.MutableSettings().CourseName = "Fire drill"; d.MutableSettings().ShowCourseName = 0; },
         "\t\t<p id=\"coursetitle\">Fire drill</p>\n"},
        {":::coursename", [](CCorvessaDoc &d) { d.MutableSettings().CourseName.clear(); }, "\t\t<p id=\"coursetitle\">&nbsp;</p>\n"},
        {":::coursename", [](CCorvessaDoc &d) { d.MutableSettings().CourseName = "<img src=x onerror=alert(1)>"; },
         "\t\t<p id=\"coursetitle\">&lt;img src=x onerror=alert(1)&gt;</p>\n"},
        {":::bodyfontfamily", [](CCorvessaDoc &d) { d.MutableSettings().FontName[0] = "Verdana"; d.MutableSettings().FontFamily[0] = "Arial, sans-serif"; },
         "\tfont-family: Verdana, Arial, sans-serif;\n"},
        {":::bodyfontfamily", [](CCorvessaDoc &d) { d.MutableSettings().FontName[0] = "Georgia"; d.MutableSettings().FontFamily[0] = "Georgia, serif"; },
         "\tfont-family: Georgia, serif;\n"},
        {":::bodyfontfamily", [](CCorvessaDoc &d) { d.MutableSettings().FontName[0] = "georgia"; d.MutableSettings().FontFamily[0] = "Georgia, serif"; },
         "\tfont-family: georgia, Georgia, serif;\n"},
        {":::bodyfontcolor", [](CCorvessaDoc &d) { d.MutableSettings().FontColor[0] = 0x00336699; }, "\tcolor: #996633;\n"},
        {":::bodyfontsize", [](CCorvessaDoc &d) { d.MutableSettings().FontSizePoints[0] = "12"; }, "\tfont-size: 12pt;\n"},
        {":::bodyfontweight", [](CCorvessaDoc &d) { d.MutableSettings().FontWeight[0] = "bold"; }, "\tfont-weight: bold;\n"},
        {":::bodybackground", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; }, "\tbackground-color: ;\n"},
        {":::bodybackground default: #FBF6EA", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; },
         "\tbackground-color: #FBF6EA;\n"},
        {":::bodybackground default: #FBF6EA", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 1; d.MutableSettings().BgColor = 0x000000FF; },
         "\tbackground-color: #FF0000;\n"},
        {":::directionrtl", [](CCorvessaDoc &d) { d.MutableSettings().RightToLeft = 1; }, "\tdirection:rtl;\n\tunicode-bidi:embed;\n"},
        {":::directionrtl", [](CCorvessaDoc &d) { d.MutableSettings().RightToLeft = 0; }, ""},
        {":::backgroundimage default: url(pics/bg.jpg)", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; },
         "\tbackground-image: url(pics/bg.jpg);\n"},
        {":::backgroundimage default: url(pics/bg.jpg)",
         [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 1; d.MutableSettings().BgImage = "D:\\Pics\\Sky.JPG"; },
         "\tbackground-image: url(pics/sky.jpg);\n"},
        {":::backgroundimage default: none", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 1; d.MutableSettings().BgImage.clear(); }, ""},
        {":::backgroundimage", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; }, ""},
        {":::backgroundrepeat default: no-repeat", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; d.MutableSettings().UseBgImgTile = 1; },
         "\tbackground-repeat: no-repeat;\n"},
        {":::backgroundrepeat default: no-repeat", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 1; d.MutableSettings().UseBgImgTile = 1; }, ""},
        {":::backgroundrepeat default: no-repeat", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 1; d.MutableSettings().UseBgImgTile = 0; },
         "\tbackground-repeat: no-repeat;\n"},
        {":::backgroundrepeat", [](CCorvessaDoc &d) { d.MutableSettings().UseCustomBackground = 0; }, ""},
        {":::titlefontfamily", [](CCorvessaDoc &d) { d.MutableSettings().FontName[1] = "Arial"; d.MutableSettings().FontFamily[1] = "Helvetica"; d.MutableSettings().FontName[0] = "x"; },
         "\tfont-family: Arial, Helvetica;\n"},
        {":::titlefontcolor", [](CCorvessaDoc &d) { d.MutableSettings().FontColor[1] = 0x00FFFFFF; d.MutableSettings().FontColor[0] = 0; }, "\tcolor: #FFFFFF;\n"},
        // The default colour (black) would stand unreadable on a dark bar: the theme's colour is taken.
        {":::titlefontcolor default: #FFF8E7", [](CCorvessaDoc &d) { d.MutableSettings().FontColor[1] = 0; }, "\tcolor: #FFF8E7;\n"},
        {":::titlefontcolor default: #FFF8E7", [](CCorvessaDoc &d) { d.MutableSettings().FontColor[1] = 0x00336699; }, "\tcolor: #996633;\n"},
        {":::titlefontcolor", [](CCorvessaDoc &d) { d.MutableSettings().FontColor[1] = 0; }, "\tcolor: #000000;\n"},
        {":::titlefontsize", [](CCorvessaDoc &d) { d.MutableSettings().FontSizePoints[1] = "24"; }, "\tfont-size: 24px;\n"},
        {":::titlefontweight", [](CCorvessaDoc &d) { d.MutableSettings().FontWeight[1] = "normal"; d.MutableSettings().FontWeight[0] = "bold"; },
         "\tfont-weight: normal;\n"},
        {":::emulation", [](CCorvessaDoc &d) { d.MutableSettings().EmulateIE7 = 1; },
         "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=EmulateIE7\">\n"},
        {":::emulation", [](CCorvessaDoc &d) { d.MutableSettings().EmulateIE7 = 0; }, ""},
        {":::ajaxjs", none, "", PublishTargetLan, kScript + "scripts/kvx_ajax.js\"></script>\n"},
        {":::lanjs", none, "<script type=\"text/jscript.encode\" src=\"scripts/kvx_loc.jse\"></script>\n", PublishTargetLan, ""},
    };
    for (const TriggerCase &c : cases) {
        for (int target = PublishTargetPreview; target <= PublishTargetStandalone; ++target) {
            doc = std::make_unique<CCorvessaDoc>(context);
            c.setup(*doc);
            const QByteArray expected = c.onlyTarget < 0 || c.onlyTarget == target ? c.expected : c.forOthers;
            EXPECT_EQ(Expand(c.line, target).toStdString(), expected.toStdString()) << c.line << " for target " << target;
        }
    }
}

// Guards that the trigger defaults are handed on only to the three background triggers; the others ignore
// the text after "default:".
TEST_F(TemplateTriggersTest, OnlyBackgroundTriggersTakeTheDefault)
{
    doc->MutableSettings().FontWeight[0] = "bold";
    doc->MutableSettings().EmulateIE7 = 0;
    EXPECT_EQ(Expand(":::bodyfontweight default: normal", PublishTargetStandalone), "\tfont-weight: bold;\n");
    EXPECT_EQ(Expand(":::emulation default: yes", PublishTargetStandalone), "");
}

} // namespace
