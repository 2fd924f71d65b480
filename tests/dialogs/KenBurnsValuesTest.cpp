#include "dialogs/KenBurnsValues.h"
#include "model/ComponentImage.h"

#include <gtest/gtest.h>

using namespace KenBurns;

// Guards the controls the editor offers for each effect and panning mode: a timing box left enabled where
// the effect ignores it, or an automated pan whose length could be typed over, gives the author settings
// that the published course does not follow.
TEST(KenBurnsRules, ControlsFollowTheEffectAndPanMode)
{
    const struct {
        int effect, panMode;
        bool click;
        ControlStates want;
    } cases[] = {
        // time, wait before, markers, title, wait at, time to, click, acceleration, pan modes, instruction
        {effectNone, panAutomated, false, {false, false, false, false, false, false, false, false, false, 0}},
        {effectZoomIn, panDrag, false, {true, true, false, true, false, false, true, true, false, 61483}},
        {effectZoomOut, panDrag, false, {true, true, false, true, false, false, true, true, false, 61484}},
        {effectShrink, panDrag, false, {true, true, false, true, false, false, true, true, false, 61488}},
        {effectGrow, panDrag, false, {true, true, false, true, false, false, true, true, false, 61489}},
        {effectFadeIn, panDrag, false, {true, true, false, true, false, false, true, true, false, 61486}},
        {effectFadeOut, panDrag, false, {true, true, false, true, false, false, true, true, false, 61487}},
        {effectPan, panAutomated, false, {false, true, true, true, true, true, true, true, true, 61485}},
        {effectPan, panScroll, false, {false, false, false, true, false, false, false, true, true, 61529}},
        {effectPan, panDrag, false, {false, false, false, true, false, false, false, true, true, 61530}},
        // A click starts the animation: there is nothing to wait for.
        {effectZoomIn, panDrag, true, {true, false, false, true, false, false, true, true, false, 61483}},
        {effectPan, panAutomated, true, {false, false, true, true, true, true, true, true, true, 61485}},
        // A damaged value is taken as no effect.
        {42, panDrag, false, {false, false, false, false, false, false, false, false, false, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ControlStatesFor(c.effect, c.panMode, c.click), c.want) << c.effect << " " << c.panMode;
    EXPECT_EQ(InstructionText(61529), QStringLiteral("Instruction:\nResize the marquee to set the size of the graphic."));
    EXPECT_EQ(InstructionText(0), QString());
}

// Guards the help texts: each button joins its texts in order, with the quoted words the texts build.
TEST(KenBurnsRules, HelpButtonsJoinTheirTexts)
{
    const QString effects = HelpText(helpEffects);
    EXPECT_TRUE(effects.startsWith("Animation Effect\n----------------\n\nDefinition:\n"));
    EXPECT_TRUE(effects.contains("each marker is displayed in turn at the \"centre\" of the window.\n\nGrow\n"));
    EXPECT_TRUE(effects.endsWith("Note, no part of a graphic is displayed outside of its \"window\".\n"));
    EXPECT_TRUE(HelpText(helpOptions)
                    .startsWith("Options\n-------\n\n\nTime to complete animation (seconds)\nThe number of seconds "
                                "the animation is to take to complete.Time to wait before starting"));
    EXPECT_TRUE(HelpText(helpPanning).contains("panned.\n\nTime to Pan to markers (seconds)\n"));
    EXPECT_TRUE(HelpText(helpPanning).endsWith("before proceeding to the next marker."));
    EXPECT_TRUE(HelpText(helpAcceleration).endsWith("speed up during the middle of the animation."));
    EXPECT_EQ(HelpText(1), QString());
}

// Guards the length of an automated pan: waits only between markers, travel to every marker.
TEST(KenBurnsRules, AutomatedPanTakesItsPathsLength)
{
    EXPECT_FLOAT_EQ(TotalTime(3, 1.5f, 2.0f), 9.0f);
    EXPECT_FLOAT_EQ(TotalTime(1, 5.0f, 2.0f), 2.0f);
    KenBurnsValues v;
    v.effect = effectPan;
    v.panMode = panScroll;
    v.markerCount = 3;
    v.waitAtEachMarker = 1.5f;
    v.UpdateTotalTime();
    EXPECT_FLOAT_EQ(v.timeToComplete, 6.0f) << "only an automated pan is timed by its path";
    v.panMode = panAutomated;
    v.UpdateTotalTime();
    EXPECT_FLOAT_EQ(v.timeToComplete, 9.0f);
}

// Guards the picture area's layout: natural size when the picture fits, else reduced to the area, always
// centred along the top, with the offset the editor's rectangles are kept without.
TEST(KenBurnsGeometry, PictureIsLaidOutAlongTheTop)
{
    EXPECT_EQ(LayoutImage(450, 300, 400, 200), CRect(25, 0, 425, 200));
    EXPECT_EQ(LayoutImage(450, 300, 900, 300), CRect(0, 0, 450, 150));
    EXPECT_EQ(LayoutImage(450, 300, 300, 600), CRect(150, 0, 300, 300));
    EXPECT_EQ(LayoutImage(450, 300, 0, 0), CRect(0, 0, 450, 300)) << "no picture: the whole area";
    // Odd leftovers included, the offset is exactly where the picture starts.
    for (const int width : {450, 451})
        for (const int pictureWidth : {400, 401}) {
            const CRect image = LayoutImage(width, 300, pictureWidth, 200);
            EXPECT_EQ(PictureOffset(width, image), image.left) << width << " " << pictureWidth;
        }
}

// Guards the marquee a picture gets without one: two fifths of the picture, 10 pixels in, moved with the
// picture; and a marquee that left the picture coming back inside at most the picture's size.
TEST(KenBurnsGeometry, DefaultMarqueeAndKeepingItInside)
{
    EXPECT_EQ(DefaultMarquee(CRect(0, 0, 400, 200)), CRect(10, 10, 170, 90));
    EXPECT_EQ(DefaultMarquee(CRect(25, 0, 425, 200)), CRect(35, 10, 195, 90));
    const CRect image(25, 0, 425, 200);
    EXPECT_EQ(KeepInside(CRect(400, 150, 500, 200), image), CRect(325, 150, 425, 200));
    EXPECT_EQ(KeepInside(CRect(0, -20, 900, 100), image), CRect(25, 0, 425, 120));
    EXPECT_EQ(KeepInside(CRect(100, 50, 40, 10), image), CRect(40, 10, 100, 50)) << "an inverted marquee";
    EXPECT_DOUBLE_EQ(AspectRatio(image), 2.0);
    EXPECT_DOUBLE_EQ(AspectRatio(CRect()), 0.0);
}

// Guards where markers may go: a marquee centred on a marker must stay inside the picture, so a marker
// past an edge stops half a marquee inside it (the right and bottom edges winning for a marquee wider
// than the picture).
TEST(KenBurnsGeometry, MarkersStayWhereTheMarqueeFits)
{
    const CRect image(25, 0, 425, 200);
    const CRect marquee(35, 10, 195, 90); // half: 80 x 40
    const struct {
        CRect in, out;
    } cases[] = {
        {CRect(200, 60, 229, 107), CRect(200, 60, 229, 107)},
        {CRect(-30, 60, -1, 107), CRect(105, 60, 134, 107)},
        {CRect(500, 60, 529, 107), CRect(316, 60, 345, 107)},
        {CRect(200, -40, 229, 7), CRect(200, 40, 229, 87)},
        {CRect(200, 300, 229, 347), CRect(200, 113, 229, 160)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConstrainMarker(c.in, image, marquee), c.out);
    const CRect wide(0, 0, 600, 300);
    EXPECT_EQ(ConstrainMarker(CRect(186, 100, 215, 147), image, wide), CRect(96, 3, 125, 50));
}

// Guards the layout of new markers: a row 44 pixels apart on the marquee's centre line, further rows lower,
// and never a marker below the picture however wide the marquee.
TEST(KenBurnsGeometry, NewMarkersAreLaidOutInRowsInsideThePicture)
{
    const CRect image(25, 0, 425, 200);
    const CRect marquee(35, 10, 195, 90);
    const std::vector<CRect> row = LayoutNewMarkers(1, 4, image, marquee);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0], CRect(134, 50, 163, 97));
    EXPECT_EQ(row[1].left - row[0].left, 44);
    EXPECT_EQ(row[2].left - row[1].left, 44);
    for (const CRect &r : row)
        EXPECT_EQ(r.top, 50);

    // A marquee almost as wide as the picture leaves room for one marker a row: rows drop 40, then 80 more,
    // and every marker is kept where the marquee fits.
    const CRect big(25, 0, 385, 100);
    const std::vector<CRect> rows = LayoutNewMarkers(0, 12, image, big);
    ASSERT_EQ(rows.size(), 12u);
    for (const CRect &r : rows) {
        EXPECT_EQ(ConstrainMarker(r, image, big), r);
        EXPECT_LE(r.bottom, image.bottom);
    }
    EXPECT_EQ(rows[1].top - rows[0].top, 40);
    EXPECT_TRUE(LayoutNewMarkers(4, 2, image, marquee).empty());
}

// Guards the scale from a picture's own rectangle to the editor's area, and the conversion of stored
// rectangles: a picture of no size (one whose file could not be read) must not divide by zero.
TEST(KenBurnsGeometry, StoredRectanglesAreScaledToTheArea)
{
    const CRect area(0, 0, 450, 300);
    EXPECT_FLOAT_EQ(RectScale(area, CRect(10, 10, 310, 210)), 1.5f);
    EXPECT_FLOAT_EQ(RectScale(area, CRect(0, 0, 100, 150)), 2.0f);
    EXPECT_FLOAT_EQ(RectScale(area, CRect(40, 40, 40, 40)), 1.0f);
    EXPECT_EQ(ScaleRect(CRect(10, 21, 33, 45), 1.5f), CRect(15, 31, 49, 67));
    EXPECT_FLOAT_EQ(DisplayScale(300, 450), 300.0f / 450.0f);
    EXPECT_FLOAT_EQ(DisplayScale(300, 0), 1.0f);
}

// Guards the editor's key frames and start rectangle: shown scaled and moved by the picture offset, handed
// back in the area's scale with only the offset taken off.
TEST(KenBurnsValuesTest, KeyFramesAreShownScaledAndGivenBackWithoutTheOffset)
{
    KenBurnsValues v;
    for (int i = 0; i < kMaxMarkers; ++i)
        EXPECT_EQ(v.keyFrames[size_t(i)], CRect(29 * i, 47 * i, 29 * i + 39, 47 * i + 57));
    v.rescale = 1;
    v.pictureOffset = 20;
    const CRect shown = v.ToDisplay(CRect(10, 20, 39, 67), 1.5f);
    EXPECT_EQ(shown, CRect(35, 30, 78, 100));
    v.SetKeyFrame(shown, 0);
    EXPECT_EQ(v.GetKeyFrame(0), CRect(15, 30, 58, 100));
    v.SetStartRect(CRect(20, 5, 120, 55));
    EXPECT_EQ(v.GetStartRect(), CRect(0, 5, 100, 55));
    v.rescale = 0;
    EXPECT_EQ(v.ToDisplay(CRect(10, 20, 39, 67), 1.5f), CRect(30, 20, 59, 67));
    EXPECT_EQ(v.GetKeyFrame(12), CRect());
}

// Guards the copy between a picture and the editor: every value goes both ways, key frames come only with
// an effect, and OK stores the scale and clears the own-coordinates flag so the next edit does not scale
// the rectangles twice.
TEST(KenBurnsValuesTest, PictureValuesGoIntoTheEditorAndBack)
{
    SImageValues image;
    image.m_picturePath = QStringLiteral("/p/Images/dunes.png");
    image.m_effect = effectPan;
    image.m_acceleration = 2;
    image.m_timeToComplete = 7.5f;
    image.m_waitBeforeStart = 0.5f;
    image.m_titleText = QStringLiteral("Dunes");
    image.m_markerCount = 2;
    image.m_markers[0] = CRect(1, 2, 30, 49);
    image.m_markers[1] = CRect(50, 60, 79, 107);
    image.m_markers[2] = CRect(7, 7, 7, 7);
    image.m_marquee = CRect(5, 6, 105, 56);
    image.m_waitAtEachMarker = 1.25f;
    image.m_panningMode = panAutomated;
    image.m_clickStart = 1;
    image.m_timeToEachMarker = 3.0f;
    image.m_ownCoordinates = 1;

    KenBurnsValues v;
    v.CopyFromImage(image, CRect(100, 100, 400, 300));
    EXPECT_EQ(v.pictureFile, image.m_picturePath);
    EXPECT_EQ(v.effect, effectPan);
    EXPECT_EQ(v.acceleration, 2);
    EXPECT_FLOAT_EQ(v.timeToComplete, 7.5f);
    EXPECT_FLOAT_EQ(v.waitBeforeStarting, 0.5f);
    EXPECT_EQ(v.imageTitleText, QStringLiteral("Dunes"));
    EXPECT_EQ(v.markerCount, 2);
    EXPECT_EQ(v.keyFrames[1], CRect(50, 60, 79, 107));
    EXPECT_EQ(v.keyFrames[2], DefaultKeyFrame(2)) << "markers not in use keep the editor's own";
    EXPECT_EQ(v.startRect, image.m_marquee);
    EXPECT_FLOAT_EQ(v.waitAtEachMarker, 1.25f);
    EXPECT_EQ(v.panMode, panAutomated);
    EXPECT_EQ(v.userClickStarts, 1);
    EXPECT_FLOAT_EQ(v.timeToEachMarker, 3.0f);
    EXPECT_EQ(v.componentRect, CRect(100, 100, 400, 300));
    EXPECT_EQ(v.rescale, 1);

    image.m_effect = effectNone;
    KenBurnsValues none;
    none.CopyFromImage(image, CRect(100, 100, 400, 300));
    EXPECT_EQ(none.keyFrames[0], DefaultKeyFrame(0)) << "no effect: the stored markers are not taken";

    v.pictureOffset = 25;
    v.startRect = CRect(45, 10, 205, 90);
    v.keyFrames[0] = CRect(125, 50, 154, 97);
    v.keyFrames[1] = CRect(169, 50, 198, 97);
    v.effect = effectZoomOut;
    SImageValues out = image;
    v.CopyToImage(out, 0.75f);
    EXPECT_EQ(out.m_effect, effectZoomOut);
    EXPECT_EQ(out.m_marquee, CRect(20, 10, 180, 90));
    EXPECT_EQ(out.m_markers[0], CRect(100, 50, 129, 97));
    EXPECT_EQ(out.m_markers[1], CRect(144, 50, 173, 97));
    EXPECT_EQ(out.m_markers[2], CRect(7, 7, 7, 7));
    EXPECT_FLOAT_EQ(out.m_scale, 0.75f);
    EXPECT_EQ(out.m_ownCoordinates, 0);
    EXPECT_EQ(out.m_titleText, QStringLiteral("Dunes"));
    EXPECT_EQ(out.m_clickStart, 1);
    EXPECT_EQ(out.m_picturePath, image.m_picturePath) << "the picture itself is not the editor's to change";

    // A damaged count is kept within the editor's twelve markers.
    image.m_markerCount = 40;
    KenBurnsValues damaged;
    damaged.CopyFromImage(image, CRect());
    EXPECT_EQ(damaged.MarkersInUse(), kMaxMarkers);
}
