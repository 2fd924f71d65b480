#include "CanvasFixture.h"

#include "editor/CanvasModel.h"
#include "editor/ComponentCommands.h"
#include "model/ComponentAudio.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentImage.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/URLLink.h"
#include "platform/richtext/RichText.h"

namespace {

using namespace ComponentCommands;

class CanvasCommandsTest : public CanvasFixture
{
};

// Guards against an audio pair placed on top of each other, and against a single audio button that
// nothing would ever start.
TEST_F(CanvasCommandsTest, AudioMakesAPlayAndStopPairOrOneStartingButton)
{
    CCorvPage &screen = AddScreen();
    screen.SetModified(0);
    SMediaChoice choice;
    choice.kind = MediaAudio;
    choice.filePath = QStringLiteral("C:\\sounds\\intro.mp3");
    choice.displayController = 1;
    choice.autoStart = 0;
    choice.loop = 1;
    ASSERT_EQ(AddMedia(*doc, &screen, choice, prompt), 2);
    auto *play = static_cast<CComponentAudio *>(screen.GetComponent(0));
    auto *stop = static_cast<CComponentAudio *>(screen.GetComponent(1));
    EXPECT_EQ(play->GetBounds(), CRect(10, 10, 84, 81));
    EXPECT_EQ(stop->GetBounds(), CRect(90, 10, 164, 81));
    EXPECT_EQ(play->GetPlayButton(), 1);
    EXPECT_EQ(stop->GetPlayButton(), 0);
    for (auto *audio : {play, stop}) {
        EXPECT_EQ(audio->m_buttonControls, 1);
        EXPECT_EQ(audio->m_autoStart, 0);
        EXPECT_EQ(audio->m_loop, 1);
        EXPECT_EQ(audio->GetFilePath(), choice.filePath);
    }
    EXPECT_EQ(screen.GetModified(), 1) << "a media command marks the screen";

    CCorvPage &other = AddScreen(pt_document, QStringLiteral("2"));
    choice.displayController = 0;
    ASSERT_EQ(AddMedia(*doc, &other, choice, prompt), 1);
    auto *single = static_cast<CComponentAudio *>(other.GetComponent(0));
    EXPECT_EQ(single->GetPlayButton(), 1);
    EXPECT_EQ(single->m_autoStart, 1);
    EXPECT_EQ(single->m_buttonControls, 0);

    // The same file in the same role again: refused (with the screen's message) and not kept.
    EXPECT_EQ(AddMedia(*doc, &other, choice, prompt), 0);
    EXPECT_EQ(other.GetComponentCount(), 1);
    EXPECT_EQ(prompt.Texts().size(), 1);
    EXPECT_EQ(AddMedia(*doc, nullptr, choice, prompt), 0);
}

// Guards against a movie without a controller that cannot be started, while Flash keeps its own choice.
TEST_F(CanvasCommandsTest, AVideoWithoutControllerStartsByItselfUnlessItIsFlash)
{
    struct Case {
        int kind;
        QString file;
        int controller;
        int expectedStart;
    };
    const Case cases[] = {
        {MediaVideo, "clip.SWF", 0, 0},  {MediaVideo, "clip.swf", 0, 0}, {MediaVideo, "clip.mp4", 0, 1},
        {MediaVideo, "clip.mp4", 1, 0},  {MediaAnimatedGif, "a.gif", 0, 1}, {MediaFlash, "f.swf", 0, 0},
    };
    for (const Case &c : cases) {
        SMediaChoice choice;
        choice.kind = c.kind;
        choice.filePath = c.file;
        choice.displayController = c.controller;
        choice.autoStart = 0;
        auto made = BuildMedia(choice, nullptr);
        ASSERT_EQ(made.size(), 1u);
        auto *video = static_cast<CComponentVideo *>(made[0].get());
        EXPECT_EQ(video->m_autoStart, c.expectedStart) << c.file.toStdString() << " " << c.controller;
        EXPECT_EQ(video->GetFilePath(), c.file);
    }
}

// Guards against a replaced picture left off the screen or distorted.
TEST(CanvasCommandsPlacementTest, AReplacedPictureIsCentredFittedAndPulledBack)
{
    EXPECT_EQ(ReplacedPictureBounds(CRect(0, 0, 100, 100), 2, 1000, 666), CRect(5, 5, 505, 337));
    const CRect corner = ReplacedPictureBounds(CRect(900, 500, 1000, 550), 2, 1000, 666);
    EXPECT_EQ(corner.right, 1003);
    EXPECT_EQ(corner.bottom, 555);
    EXPECT_EQ(corner.Width(), 500);
    // A small picture is not enlarged; it is centred on the old bounds.
    EXPECT_EQ(ReplacedPictureBounds(CRect(400, 200, 600, 400), 1, 100, 50), CRect(450, 275, 550, 325));
    EXPECT_FLOAT_EQ(DisplayScale(1008, 504, 1.0f), 2.0f);
    EXPECT_FLOAT_EQ(DisplayScale(1008, 0, 1.25f), 1.25f) << "no picture shown: the scale stays";
}

// Guards against scripts that break the generated JavaScript of a text link, and against a picture link
// escaped twice.
TEST_F(CanvasCommandsTest, LinksEscapeScriptsOnTextOnlyAndNeedATarget)
{
    EXPECT_EQ(EscapeLinkScript(QStringLiteral(R"(say("a\b"))")), QStringLiteral(R"(say(\"a\\b\"))"));

    auto textbox = Make(ct_textbox, CRect(0, 0, 400, 200));
    auto &tb = static_cast<CComponentTextbox &>(*textbox);
    tb.GetRichText().ReplaceAll(QStringLiteral("Read more here"));
    SLinkChoice choice;
    choice.address = QStringLiteral("https://example.org");
    tb.GetRichText().SetSel(5, 5);
    EXPECT_FALSE(AddLink(tb, choice, prompt)) << "nothing selected";
    tb.GetRichText().SetSel(5, 9);
    SLinkChoice none;
    EXPECT_FALSE(AddLink(tb, none, prompt)) << "neither a screen nor a target text";
    EXPECT_EQ(tb.GetLinkCount(), 0);
    choice.scriptFlag = 1;
    choice.script = QStringLiteral(R"(say("a\b"))");
    ASSERT_TRUE(AddLink(tb, choice, prompt));
    ASSERT_EQ(tb.GetLinkCount(), 1);
    int number = -1;
    for (int n = 0; n <= tb.GetNextLinkNumber(); ++n)
        if (tb.FindLink(n))
            number = n;
    ASSERT_NE(number, -1);
    EXPECT_TRUE(tb.IsScriptLink(number));
    EXPECT_EQ(tb.FindLink(number)->GetUrl(), QStringLiteral(R"(say(\"a\\b\"))"));

    auto image = Make(ct_image, CRect(0, 0, 100, 100));
    ASSERT_TRUE(AddLink(*image, choice, prompt));
    EXPECT_EQ(static_cast<CComponentImage &>(*image).GetLink().GetUrl(), choice.script);
}

// Guards against "No Fill" losing the colour it carries, and "Automatic" leaving text in another colour.
TEST_F(CanvasCommandsTest, ColoursFillOutlineOrColourTheSelection)
{
    auto rectangle = Make(ct_rectangle, CRect(0, 0, 100, 100));
    auto &shape = static_cast<CComponentRectangle &>(*rectangle);
    EXPECT_TRUE(ApplyColour(&shape, ColourFill, 0x000000FF, true));
    EXPECT_EQ(shape.GetValues().m_filled, 0);
    EXPECT_EQ(shape.GetValues().m_fillColor, 0x000000FFu);
    EXPECT_TRUE(ApplyColour(&shape, ColourOutline, 0x0000FF00, false));
    EXPECT_EQ(shape.GetValues().m_outlined, 1);
    EXPECT_EQ(shape.GetValues().m_outlineColor, 0x0000FF00u);
    EXPECT_TRUE(ApplyLineWidth(&shape, 4));
    EXPECT_EQ(shape.GetValues().m_lineWidth, 4);

    auto textbox = Make(ct_textbox, CRect(0, 0, 400, 200));
    auto &text = static_cast<CComponentTextbox &>(*textbox).GetRichText();
    text.ReplaceAll(QStringLiteral("coloured"));
    text.SetSel(0, 8);
    ASSERT_TRUE(ApplyColour(textbox.get(), ColourFill, 0x00123456, false));
    EXPECT_EQ(text.GetCharFormatAt(2).colour, 0x00123456u);
    ASSERT_TRUE(ApplyColour(textbox.get(), ColourFill, 0x00123456, true));
    EXPECT_EQ(text.GetCharFormatAt(2).colour, 0u);

    auto video = Make(ct_video, CRect(0, 0, 100, 100));
    EXPECT_FALSE(ApplyColour(video.get(), ColourFill, 0, false));
    EXPECT_FALSE(ApplyColour(nullptr, ColourFill, 0, false));
    EXPECT_FALSE(ApplyLineWidth(video.get(), 3));
}

// Guards against Cut leaving the component on the screen or on the canvas, or putting the component
// itself (rather than a copy) in the clipboard.
TEST_F(CanvasCommandsTest, CutCopiesToTheClipboardAndRemoves)
{
    CCorvPage &screen = AddScreen();
    CComponentBase *image = Add(screen, ct_image, CRect(400, 300, 700, 500));
    CComponentBase *shape = Add(screen, ct_ellipse, CRect(0, 0, 50, 50));
    CCanvasModel canvas;
    canvas.Append(image);
    canvas.Append(shape);
    canvas.Select(image);
    CHeldComponentClipboard clipboard;
    ASSERT_TRUE(Cut(clipboard, screen, canvas, image, *doc));
    ASSERT_NE(clipboard.GetComponent(), nullptr);
    EXPECT_EQ(clipboard.GetComponent()->GetType(), ct_image);
    EXPECT_EQ(clipboard.GetComponent()->GetBounds(), CRect(36, 32, 336, 232));
    EXPECT_EQ(screen.GetComponentCount(), 1);
    EXPECT_EQ(canvas.GetSelected(), nullptr);
    EXPECT_EQ(canvas.Components().size(), 1u);

    screen.SetModified(0);
    ASSERT_TRUE(BringToTop(screen, shape));
    EXPECT_EQ(screen.GetModified(), 1);
    EXPECT_FALSE(SendToBack(screen, nullptr));
}

// Guards against Properties resizing an audio button or a YouTube player.
TEST_F(CanvasCommandsTest, PropertiesKeepTheSizeOfAudioAndYouTube)
{
    struct Case {
        int type;
        CRect expected;
    };
    const Case cases[] = {
        {ct_audio, CRect(50, 60, 124, 131)},   {ct_youtube, CRect(50, 60, 124, 131)},
        {ct_image, CRect(50, 60, 250, 360)},   {ct_textbox, CRect(50, 60, 250, 360)},
        {ct_video, CRect(50, 60, 250, 360)},
    };
    for (const Case &c : cases) {
        auto component = Make(c.type, CRect(10, 10, 84, 81));
        EXPECT_EQ(PlacedBounds(*component, 50, 60, 200, 300), c.expected) << c.type;
    }
}

// Guards against formatting commands reaching kinds that have no text.
TEST_F(CanvasCommandsTest, FormattingActsOnTextBoxesAndTablesOnly)
{
    auto textbox = Make(ct_textbox, CRect(0, 0, 400, 200));
    auto &text = static_cast<CComponentTextbox &>(*textbox).GetRichText();
    text.ReplaceAll(QStringLiteral("bold"));
    text.SetSel(0, 4);
    ASSERT_TRUE(ApplyFormatting(textbox.get(), Bold));
    EXPECT_TRUE(text.GetCharFormatAt(1).Has(CFE_BOLD));
    ASSERT_TRUE(ApplyFormatting(textbox.get(), AlignRight));
    EXPECT_EQ(text.GetParaFormatAt(0).alignment, PFA_RIGHT);
    auto image = Make(ct_image, CRect(0, 0, 10, 10));
    EXPECT_FALSE(ApplyFormatting(image.get(), Bold));
}

} // namespace

// Guards the placement of a replaced picture against the cases an author meets: a smaller or larger
// picture than the old one, every size class (any class but small and large is medium), and a picture
// pushed past an edge of the screen.
TEST(CanvasCommandsPlacementTest, AReplacedPictureFollowsItsSizeClass)
{
    const struct {
        CRect old;
        int sizeClass, width, height;
        CRect expected;
    } cases[] = {
        {CRect(0, 0, 300, 200), 0, 1000, 1000, CRect(50, 0, 250, 200)},
        // The large box (-230, -146)-(270, 187) gives (-230, -146)-(270, 186), then the margin rule.
        {CRect(0, 0, 40, 40), 2, 500, 333, CRect(5, 5, 505, 337)},
        {CRect(400, 200, 600, 400), 1, 800, 800, CRect(367, 167, 633, 433)},
        {CRect(400, 200, 600, 400), 7, 800, 800, CRect(367, 167, 633, 433)},
        {CRect(400, 200, 600, 400), -1, 800, 800, CRect(367, 167, 633, 433)},
        {CRect(950, 100, 1000, 150), 1, 300, 100, CRect(703, 75, 1003, 175)},
        {CRect(100, 530, 200, 560), 1, 100, 300, CRect(106, 289, 194, 555)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReplacedPictureBounds(c.old, c.sizeClass, c.width, c.height), c.expected)
            << c.sizeClass << " " << c.width << "x" << c.height;
}
