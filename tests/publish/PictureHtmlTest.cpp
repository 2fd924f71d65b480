#include "ScreenTestSupport.h"

#include "model/ComponentFlashVideo.h"
#include "model/ComponentImage.h"
#include "publish/ScreenPanels.h"
#include "publish/ScreenScriptWriter.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <limits>

using namespace ScreenTest;
using CorvScreenPanels::KenBurnsGeometry;

namespace {

class PictureHtmlTest : public ::testing::Test
{
protected:
    PictureHtmlTest() { screen = f.Add(f.doc->MainScreens(), QStringLiteral("1"), pt_document); }

    // A 200 x 100 picture at (10, 20) whose marquee, at half the editor's size, is the middle quarter of
    // the picture: zoom 2, zoomed 400 x 200, centred at (-100, -50).
    CComponentImage *Picture(int effect)
    {
        auto *image = Place<CComponentImage>(*screen, f.prompt, CRect(10, 20, 210, 120));
        image->SetImageFile("/project/Images/Resized/Cliff.JPG", f.context);
        image->SetAnimationEffect(effect);
        image->SetStartRect(CRect(100, 50, 300, 150));
        image->m_scale = 0.5f;
        image->m_timeToComplete = 4.5f;
        image->m_waitBeforeStart = 0.25f;
        image->m_acceleration = 2;
        return image;
    }

    QString Markup(CComponentImage &image, int number = 1)
    {
        f.Outline();
        QString piece;
        EXPECT_TRUE(CorvScreenPanels::ImageToHtml(f.Publisher()->Context(), image, number, piece));
        return piece;
    }

    static QString Entry(const CComponentImage &image, int number = 1)
    {
        QString list;
        CorvScreenPanels::AddKenBurnsScript(list, image, number);
        return list;
    }

    Fixture f;
    CCorvPage *screen = nullptr;
};

const QString kHidden = "\"<div id='kb1' style='overflow:hidden; position:absolute; left:10px; top:20px; width:200px; height:100px;'>";
const QString kImage = "<img id='kb1img' src='images/cliff.jpg' alt='' title='' style='position:absolute; ";

} // namespace

// Guards the derived values of the pan-and-zoom effects in single precision, truncated toward zero:
// the zoom, the zoomed size, the offsets that centre the marquee (negative ones included), the marquee
// and its centre on the canvas, the start of a learner's pan and the automated path.
TEST_F(PictureHtmlTest, GeometryInSinglePrecision)
{
    const struct {
        CRect bounds, marquee;
        float scale;
        float zoom;
        int zw, zh, ox, oy, ml, mt, mw, mh, cx, cy, px, py;
    } cases[] = {
        // The middle quarter at half size.
        {{10, 20, 210, 120}, {100, 50, 300, 150}, 0.5f, 2.0f, 400, 200, -100, -50, 50, 25, 100, 50, 100, 50, 100, 50},
        // The left half at full size: twice the container, centred on the marquee's centre.
        {{0, 0, 200, 100}, {0, 0, 100, 100}, 1.0f, 2.0f, 400, 200, 0, -50, 0, 0, 100, 100, 50, 50, 0, 0},
        // A small marquee far right at double size.
        {{0, 0, 300, 150}, {200, 100, 260, 130}, 2.0f, 2.5f, 750, 375, -1000, -500, 400, 200, 120, 60, 460, 230, 1000, 500},
        // A zoom of 3.333...: 333 and 250 wide and high, an offset of -3.67 truncated to -3.
        {{0, 0, 100, 75}, {0, 0, 30, 20}, 1.0f, 100.0f / 30.0f, 333, 250, 0, -3, 0, 0, 30, 20, 15, 10, 0, 0},
    };
    for (const auto &c : cases) {
        auto *image = Place<CComponentImage>(*screen, f.prompt, c.bounds);
        image->SetAnimationEffect(CComponentImage::effectZoomOut);
        image->SetStartRect(c.marquee);
        image->m_scale = c.scale;
        const KenBurnsGeometry g = CorvScreenPanels::KenBurnsGeometryOf(*image);
        EXPECT_EQ(g.effect, CComponentImage::effectZoomOut);
        EXPECT_FLOAT_EQ(g.zoom, c.zoom);
        EXPECT_EQ(std::vector<int>({g.zoomedWidth, g.zoomedHeight, g.offsetX, g.offsetY, g.marqueeLeft, g.marqueeTop,
                                    g.marqueeWidth, g.marqueeHeight, g.centreX, g.centreY, g.panX, g.panY}),
                  std::vector<int>({c.zw, c.zh, c.ox, c.oy, c.ml, c.mt, c.mw, c.mh, c.cx, c.cy, c.px, c.py}))
            << "marquee " << c.marquee.left << "," << c.marquee.top;
    }
}

// Guards the markup and the start-up entry of every effect: where the image starts, how its container
// clips or scrolls it, and what kvx.KB is told (seconds and delay as %g, the click flag, the container
// and image ids).
TEST_F(PictureHtmlTest, EveryEffect)
{
    const QString timing = "'seconds':4.5, 'accelType':2, 'bounce':0, 'oe':null, 'click':false";
    const struct {
        int effect;
        int panMode;
        QString markup;
        QString entry;
    } cases[] = {
        {CComponentImage::effectNone, 2,
         "\"<div id='kb1' style='position:absolute; left:10px; top:20px; width:200px; height:100px;'>" + kImage +
             "left:0px; top:0px; width:100%; height:100%; margin:0;'></div>\"",
         ""},
        {CComponentImage::effectZoomIn, 2, kHidden + kImage + "left:0px; top:0px; width:200px; height:100px; margin:0;'></div>\"",
         "\"kvx.KB('size', {'container':'kb1','src':'kb1img','type':'zoom in','w':400,'h':200,'cx':100, 'cy':50," + timing +
             ", 'delay':0.25});\""},
        {CComponentImage::effectZoomOut, 2,
         kHidden + kImage + "left:-100px; top:-50px; width:400px; height:200px; margin:0;'></div>\"",
         "\"kvx.KB('size', {'container':'kb1','src':'kb1img', 'type':'zoom out','w':200,'h':100, " + timing +
             ",'delay':0.25});\""},
        {CComponentImage::effectPan, 2, kHidden + kImage + "left:-100px; top:-50px; width:400px; height:200px; margin:0;'></div>\"",
         "\"kvx.KB('move', {'container':'kb1','src':'kb1img','type':'pan', 'seq':[[14,14,2],0.5,[200,100,2],0.5,[386,186,2]], "
         "'accelType':2, 'bounce':0, 'oe':null, 'click':false,'delay':0.25});\""},
        {CComponentImage::effectPan, 1,
         "\"<div id='kb1' style='overflow:auto; position:absolute; left:10px; top:20px; width:200px; height:100px;'>" + kImage +
             "left:0px; top:0px; width:400px; height:200px; margin:0;'></div>\"",
         "\"kvx.KB('scroll', {'container': 'kb1', 'src': 'kb1img', 'x': 100, 'y': 50});\""},
        {CComponentImage::effectPan, 0, kHidden + kImage + "left:0px; top:0px; width:400px; height:200px; margin:0;'></div>\"",
         "\"kvx.KB('usermove', {'container': 'kb1', 'src': 'kb1img', 'x': 100, 'y': 50});\""},
        {CComponentImage::effectShrink, 2, kHidden + kImage + "left:0px; top:0px; width:200px; height:100px; margin:0;'></div>\"",
         "\"kvx.KB('size', {'container':'kb1','src':'kb1img','type':'shrink','w':100,'h':50, 'lt':50, 'tp':25," + timing +
             ",'delay':0.25});\""},
        {CComponentImage::effectGrow, 2, kHidden + kImage + "left:50px; top:25px; width:100px; height:50px; margin:0;'></div>\"",
         "\"kvx.KB('size', {'container':'kb1','src':'kb1img','type':'grow','w':200,'h':100, " + timing + ",'delay':0.25});\""},
        {CComponentImage::effectFadeIn, 2,
         kHidden + "<img id='kb1img' class='fadein' src='images/cliff.jpg' alt='' title='' style='position:absolute; "
                   "left:0px; top:0px; width:200px; height:100px;'></div>\"",
         "\"kvx.KB('fade', {'container':'kb1','src':'kb1img','type':'fade in', " + timing + ",'delay':0.25});\""},
        {CComponentImage::effectFadeOut, 2,
         kHidden + "<img id='kb1img' class='fadeout' src='images/cliff.jpg' alt='' title='' style='position:absolute; "
                   "left:0px; top:0px; width:200px; height:100px;'></div>\"",
         "\"kvx.KB('fade', {'container':'kb1','src':'kb1img','type':'fade out', " + timing + ",'delay':0.25});\""},
    };
    for (const auto &c : cases) {
        CComponentImage *image = Picture(c.effect);
        image->m_panningMode = c.panMode;
        image->m_markerCount = 3;
        image->m_markers[0] = CRect(0, 0, 28, 28);
        image->m_markers[1] = CRect(186, 86, 214, 114);
        image->m_markers[2] = CRect(372, 172, 400, 200);
        image->m_timeToEachMarker = 2.0f;
        image->m_waitAtEachMarker = 0.5f;
        EXPECT_EQ(Markup(*image), c.markup) << "effect " << c.effect << " mode " << c.panMode;
        EXPECT_EQ(Entry(*image), c.entry) << "effect " << c.effect << " mode " << c.panMode;
    }
}

// Guards the second picture of a screen with a fade-in: kb2 and kb2img in markup and entry, the entry
// after ", " in a list that holds one already, and the click flag.
TEST_F(PictureHtmlTest, SecondPictureFadesIn)
{
    CComponentImage *image = Picture(CComponentImage::effectFadeIn);
    image->m_clickStart = 1;
    EXPECT_TRUE(Markup(*image, 2).startsWith("\"<div id='kb2' style='overflow:hidden; "));
    EXPECT_TRUE(Markup(*image, 2).contains("<img id='kb2img' class='fadein' "));
    QString list = "\"first()\"";
    CorvScreenPanels::AddKenBurnsScript(list, *image, 2);
    EXPECT_EQ(list, "\"first()\", \"kvx.KB('fade', {'container':'kb2','src':'kb2img','type':'fade in', 'seconds':4.5, "
                    "'accelType':2, 'bounce':0, 'oe':null, 'click':true,'delay':0.25});\"");
}

// Guards the values no screen can show, from a damaged file or an editor that never set them: an empty or
// inverted marquee, a scale of 0 or not a number, or sizes no int holds publish the picture without
// animation (no division by zero, no undefined conversion); an unknown effect is none; times that are
// not numbers are written as 0; more markers than there are reach only the twelve.
TEST_F(PictureHtmlTest, DamagedValues)
{
    const auto plain = [](const QString &markup) { return markup.contains("width:100%; height:100%;"); };
    const struct {
        int effect;
        CRect marquee;
        float scale;
    } noAnimation[] = {
        {CComponentImage::effectZoomIn, {100, 50, 100, 150}, 0.5f},
        {CComponentImage::effectZoomOut, {100, 50, 300, 150}, 0.0f},
        {CComponentImage::effectPan, {300, 50, 100, 150}, 1.0f},
        {CComponentImage::effectShrink, {100, 50, 300, 150}, std::numeric_limits<float>::quiet_NaN()},
        {CComponentImage::effectGrow, {0, 0, 1, 1}, 1e-30f},
        {CComponentImage::effectZoomIn, {-2147483647, 0, 2147483647, 10}, 1e30f},
        {42, {100, 50, 300, 150}, 0.5f},
        {-1, {100, 50, 300, 150}, 0.5f},
    };
    for (const auto &c : noAnimation) {
        CComponentImage *image = Picture(c.effect);
        image->SetStartRect(c.marquee);
        image->m_scale = c.scale;
        EXPECT_TRUE(plain(Markup(*image))) << c.effect;
        EXPECT_EQ(Entry(*image), "") << c.effect;
    }

    // A fade needs no marquee.
    CComponentImage *fade = Picture(CComponentImage::effectFadeOut);
    fade->SetStartRect(CRect());
    fade->m_timeToComplete = std::numeric_limits<float>::infinity();
    fade->m_waitBeforeStart = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(Entry(*fade).contains("'seconds':0, ") && Entry(*fade).contains("'delay':0});"));

    CComponentImage *pan = Picture(CComponentImage::effectPan);
    pan->m_panningMode = 2;
    pan->m_markerCount = 40;
    const KenBurnsGeometry g = CorvScreenPanels::KenBurnsGeometryOf(*pan);
    EXPECT_EQ(g.path.size(), 12);
    pan->m_markerCount = -3;
    EXPECT_TRUE(Entry(*pan).contains("'seq':[], "));
}

// Guards the anchors of linked pictures: a screen by its publish id (in the course page, from its frame),
// a popup with its size or the full screen, a script with ";" added when it has none, a web address in a
// new window; a link to a screen that is gone writes neither anchor nor "</a>"; the author's texts cannot
// end their attribute or the contents string.
TEST_F(PictureHtmlTest, LinksAndTexts)
{
    CCorvPage *target = f.Add(f.doc->MainScreens(), "2", pt_document);
    const auto linked = [&](int screenLink, int screen, const QString &address, int popup, int script, int fullSize) {
        CComponentImage *image = Picture(CComponentImage::effectNone);
        image->SetLink(screenLink, screen, address, popup, script, fullSize, 300, 400);
        const QString markup = Markup(*image);
        const qsizetype start = markup.indexOf("px;'>") + 5;
        return markup.mid(start, markup.indexOf("<img") - start) + (markup.contains("</a>") ? "|closed" : "");
    };
    f.Outline();
    const QString id = target->GetPublishId();
    EXPECT_EQ(linked(1, target->GetId(), "", 0, 0, 0), "<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"" + id + "\\\")'>|closed");
    EXPECT_EQ(linked(1, target->GetId(), "", 1, 0, 0), "<a href='#' data-kvx-click='kvx.popup(\\\"" + id + "\\\",400,300)'>|closed");
    EXPECT_EQ(linked(1, target->GetId(), "", 1, 0, 1), "<a href='#' data-kvx-click='kvx.popup(\\\"" + id + "\\\",1008,560)'>|closed");
    EXPECT_EQ(linked(1, 999, "", 0, 0, 0), "");
    EXPECT_EQ(linked(0, -1, "kvx.hint(1)", 0, 1, 0), "<a href='#' data-kvx-script='2539c89e70fa8ca974d2'>|closed");
    EXPECT_EQ(linked(0, -1, "a(); b()", 0, 1, 0), "<a href='#' data-kvx-script='4d178cc05ac9aa106ae1'>|closed");
    EXPECT_EQ(linked(0, -1, "https://example.org/?a=1&b='2'", 0, 0, 0),
              "<a href='https://example.org/?a=1&amp;b=&#39;2&#39;' target='_blank'>|closed");

    CComponentImage *image = Picture(CComponentImage::effectNone);
    image->SetImageFile("C:\\Course\\Images\\Resized\\It's.PNG", f.context);
    image->SetAltText("it's \"a\" \\ <b>");
    image->SetTitleText("t'");
    EXPECT_TRUE(Markup(*image).contains("src='images/it&#39;s.png' alt='it&#39;s &quot;a&quot; \\\\ &lt;b&gt;' title='t&#39;'"));
}

// Guards the Flash video player: its markup from the template, the video and its still copied into the
// output's media folder (replacing older copies); a video file that is gone still gets its markup, and
// the failed copy is not reported.
TEST_F(PictureHtmlTest, FlashVideo)
{
    auto *video = Place<CComponentFlashVideo>(*screen, f.prompt, CRect(10, 20, 330, 260));
    video->SetFilePath(f.tmp.Write("Movies/Harbour Tour.flv", "FLV"));
    video->m_stillImagePath = f.tmp.Write("Images/Still.JPG", "JPEG");
    f.tmp.Write("Out/content/media/Still.JPG", "older");
    f.Outline();
    QString piece;
    ASSERT_TRUE(CorvScreenPanels::MediaToHtml(f.Publisher()->Context(), *video, piece));
    EXPECT_TRUE(piece.startsWith("\"<div id='flv"));
    EXPECT_TRUE(piece.contains("<video src='media/Harbour Tour.flv' poster='media/Still.JPG' width='320' height='240'"));
    EXPECT_EQ(TempTree::ReadAll(f.output + "/content/media/Harbour Tour.flv"), "FLV");
    EXPECT_EQ(TempTree::ReadAll(f.output + "/content/media/Still.JPG"), "JPEG");

    auto *gone = Place<CComponentFlashVideo>(*screen, f.prompt, CRect(10, 20, 330, 260));
    gone->SetFilePath(f.tmp / "Movies/Gone.flv");
    f.prompt.Clear();
    ASSERT_TRUE(CorvScreenPanels::MediaToHtml(f.Publisher()->Context(), *gone, piece));
    EXPECT_TRUE(piece.contains("<video src='media/Gone.flv' poster='media/x.gif'"));
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
    EXPECT_FALSE(QFile::exists(f.output + "/content/media/Gone.flv"));

    // In a screen file the player is one piece, without the template's closing line end.
    const auto publisher = f.Publisher();
    CScreenScriptWriter writer(publisher->Context());
    EXPECT_TRUE(writer.ScreenContents(*screen).endsWith("</div>\""));
    EXPECT_FALSE(writer.HasMissingPieces());
}
