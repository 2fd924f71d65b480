#include "CanvasFixture.h"

#include "editor/CanvasEdits.h"
#include "editor/CanvasModel.h"
#include "model/ComponentLine.h"

#include <algorithm>

namespace {

using Tracker = CCanvasModel::Tracker;
using Shape = CCanvasModel::Shape;

// Guards against a dragged component left partly off the screen, or resized while it is pulled back.
TEST(CanvasModelTest, DraggedRectanglesAreShiftedIntoTheScreenNeverResized)
{
    struct Case {
        QRect dragged;
        QRect expected;
    };
    const Case cases[] = {
        {QRect(-30, 50, 200, 100), QRect(0, 50, 200, 100)},      // left edge below 0
        {QRect(900, 50, 200, 100), QRect(808, 50, 200, 100)},    // right edge past 1008
        {QRect(100, -5, 50, 60), QRect(100, 0, 50, 60)},         // top above 0
        {QRect(100, 540, 50, 60), QRect(100, 500, 50, 60)},      // bottom past 560
        {QRect(-10, 0, 1100, 100), QRect(-92, 0, 1100, 100)},    // wider than the screen: flush right
        {QRect(0, -10, 100, 600), QRect(0, -40, 100, 600)},      // taller than the screen: flush bottom
        {QRect(10, 10, 100, 100), QRect(10, 10, 100, 100)},      // inside: unchanged
    };
    for (const Case &c : cases)
        EXPECT_EQ(CCanvasModel::ClampIntoScreen(c.dragged), c.expected) << c.dragged.x() << "," << c.dragged.y();
}

class CanvasModelScreenTest : public CanvasFixture
{
protected:
    CCanvasModel ShowAll(CCorvPage &screen)
    {
        CCanvasModel canvas;
        for (const auto &c : screen.GetComponentList())
            canvas.Append(c.get());
        return canvas;
    }
};

// Guards against a click on overlapping windows selecting the one behind, and against lines that can only
// be hit on their exact pixels.
TEST_F(CanvasModelScreenTest, HitTestingRunsFrontToBackAndFindsLinesWithinFivePixels)
{
    CCorvPage &screen = AddScreen();
    CComponentBase *back = Add(screen, ct_rectangle, CRect(100, 100, 300, 300));
    CComponentBase *front = Add(screen, ct_image, CRect(200, 200, 400, 400));
    auto *vertical = static_cast<CComponentLine *>(Add(screen, ct_line, {}));
    vertical->SetPoints(QPoint(600, 100), QPoint(600, 300));
    auto *slanted = static_cast<CComponentLine *>(Add(screen, ct_line, {}));
    slanted->SetPoints(QPoint(700, 100), QPoint(900, 300));
    CCanvasModel canvas = ShowAll(screen);

    struct Case {
        QPoint point;
        CComponentBase *expected;
    };
    const Case cases[] = {
        {QPoint(250, 250), front},     // the overlap: the later one
        {QPoint(150, 150), back},
        {QPoint(350, 350), front},
        {QPoint(50, 50), nullptr},
        {QPoint(605, 200), vertical},  // 5 pixels beside a vertical line
        {QPoint(606, 200), nullptr},
        {QPoint(600, 304), vertical},  // beyond an end, within 5
        {QPoint(800, 196), slanted},   // about 2.8 pixels off the slant
        {QPoint(810, 180), nullptr},   // about 21 pixels off
    };
    for (const Case &c : cases)
        EXPECT_EQ(CCanvasModel::HitTest(canvas.Components(), c.point), c.expected) << c.point.x() << "," << c.point.y();
}

// Guards against topic buttons getting a tracker (they cannot be moved on the canvas) and against clicks
// reaching what lies behind a topic button's window.
TEST_F(CanvasModelScreenTest, SelectionStatesFollowTheKindSelected)
{
    CCorvPage &screen = AddScreen(pt_folder);
    CComponentBase *image = Add(screen, ct_image, CRect(0, 0, 300, 200));
    CComponentBase *topic = Add(screen, ct_small_topic, CRect(100, 100, 400, 160));
    CComponentBase *youtube = Add(screen, ct_youtube, CRect(500, 300, 900, 500));
    auto *line = static_cast<CComponentLine *>(Add(screen, ct_line, {}));
    line->SetPoints(QPoint(10, 400), QPoint(300, 400));
    CCanvasModel canvas = ShowAll(screen);

    EXPECT_EQ(canvas.SelectAt(QPoint(50, 50)), image);
    EXPECT_EQ(canvas.GetTracker(), Tracker::Rect);
    EXPECT_EQ(canvas.SelectAt(QPoint(150, 130)), nullptr) << "the topic window keeps its click";
    EXPECT_EQ(canvas.GetSelected(), nullptr);
    EXPECT_EQ(canvas.GetTracker(), Tracker::None);

    canvas.Select(topic); // a right click on the topic window
    EXPECT_EQ(canvas.GetSelected(), topic);
    EXPECT_EQ(canvas.GetTracker(), Tracker::None);

    EXPECT_EQ(canvas.SelectAt(QPoint(150, 402)), line);
    EXPECT_EQ(canvas.GetTracker(), Tracker::Line);

    canvas.SelectAt(QPoint(600, 400));
    EXPECT_EQ(canvas.GetSelected(), youtube);
    EXPECT_EQ(CCanvasModel::TrackerStyle(youtube->GetType()), CCanvasModel::kStyleHatchedOnly);
    EXPECT_EQ(CCanvasModel::TrackerStyle(image->GetType()), CCanvasModel::kStyleHandles);

    canvas.Forget(youtube);
    EXPECT_EQ(canvas.GetSelected(), nullptr);
    EXPECT_FALSE(canvas.Contains(youtube));
}

// Guards against a picture losing its shape on a corner drag, or another kind being held to one.
TEST_F(CanvasModelScreenTest, OnlyPicturesKeepTheirRatioWhileResized)
{
    CCorvPage &screen = AddScreen();
    CComponentBase *image = Add(screen, ct_image, CRect(10, 10, 310, 210));
    CComponentBase *rectangle = Add(screen, ct_rectangle, CRect(10, 10, 310, 210));
    EXPECT_DOUBLE_EQ(CCanvasModel::TrackerRatio(image), 1.5);
    EXPECT_EQ(CCanvasModel::TrackerRatio(rectangle), -1);
    EXPECT_EQ(CCanvasModel::TrackerRatio(nullptr), -1);
}

// Guards against a click without a move drawing to a point left over from the drawing before, and
// against a tool that stays armed after its shape.
TEST(CanvasModelTest, DrawingToolsDrawOneShapeFromPressToRelease)
{
    CCanvasModel canvas;
    canvas.ArmDrawing(Shape::Line);
    canvas.PressDrawing(QPoint(10, 10));
    canvas.MoveDrawing(QPoint(50, 60));
    auto first = canvas.ReleaseDrawing(QPoint(100, 100));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->first, QPoint(10, 10));
    EXPECT_EQ(first->second, QPoint(100, 100));
    EXPECT_FALSE(canvas.IsDrawingArmed());

    canvas.ArmDrawing(Shape::Line);
    canvas.ArmDrawing(Shape::Rectangle); // another tool while armed only changes the shape
    canvas.PressDrawing(QPoint(300, 250));
    auto second = canvas.ReleaseDrawing(QPoint(200, 200));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->shape, Shape::Rectangle);
    EXPECT_EQ(second->rect, QRect(200, 200, 100, 50));

    canvas.ArmDrawing(Shape::Ellipse);
    canvas.PressDrawing(QPoint(400, 400));
    EXPECT_FALSE(canvas.ReleaseDrawing(QPoint(400, 400))) << "a click alone draws nothing";
    EXPECT_FALSE(canvas.IsDrawingArmed());
    EXPECT_FALSE(canvas.ReleaseDrawing(QPoint(500, 500))) << "a release without a press";
}

// Guards against context-menu entries offered where they cannot work.
TEST_F(CanvasModelScreenTest, ContextMenuGreysByScreenClipboardAndImport)
{
    using namespace CanvasEdits::Menu;
    auto greyed = [](const std::vector<int> &list, int id) { return std::find(list.begin(), list.end(), id) != list.end(); };
    const std::vector<int> media{MediaAudio, MediaVideo, MediaYouTube, MediaFlash, MediaFlashVideo, MediaAnimatedGif,
                                 MediaAcrobat, MediaNarration};

    CCorvPage &content = AddScreen(pt_document);
    auto plain = GreyedEntries(&content, false, false);
    EXPECT_TRUE(greyed(plain, Cut));
    EXPECT_TRUE(greyed(plain, Copy));
    EXPECT_FALSE(greyed(plain, Paste));
    EXPECT_FALSE(greyed(plain, AddTable));
    EXPECT_FALSE(greyed(plain, ImportDocument));
    EXPECT_TRUE(greyed(GreyedEntries(&content, true, false), Paste));
    EXPECT_TRUE(greyed(GreyedEntries(&content, false, true), ImportDocument));

    for (int folderType : {pt_container, pt_popups_only, pt_glossary}) {
        CCorvPage &folder = AddScreen(folderType, QStringLiteral("F%1").arg(folderType));
        auto list = GreyedEntries(&folder, false, false);
        for (int id : {GraphicFromFile, GraphicFromLibrary, AddTable, MediaMenu})
            EXPECT_TRUE(greyed(list, id)) << folderType << " " << id;
        for (int id : media)
            EXPECT_FALSE(greyed(list, id)) << folderType << " " << id;
    }
    auto none = GreyedEntries(nullptr, false, false);
    for (int id : media)
        EXPECT_TRUE(greyed(none, id)) << id;
    EXPECT_TRUE(greyed(none, GraphicFromFile));
    EXPECT_FALSE(greyed(none, NewScreen));
}

} // namespace
