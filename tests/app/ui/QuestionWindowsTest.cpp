#include "CanvasWidgetFixture.h"

#include "dialogs/ui/PartTargetsView.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/ui/QuestionWindows.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFactory.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const int kQuestionKinds[] = {ct_complete_paragraph, ct_fill_blanks, ct_match_pairs, ct_multiple_choice, ct_likert,
                              ct_part_identification};

QString ShotFolder()
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    return folder;
}

QString Png(const TempTree &tree, const QString &name, int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = tree / name;
    image.save(path, "PNG");
    return path;
}

// The question windows on a shown canvas, made by the canvas as in the program.
class QuestionWindowsTest : public CanvasWidgetFixture
{
protected:
    QuestionWindowsTest() : CanvasWidgetFixture(pt_question) {}


    template <class Kind>
    Kind *Add(int type, const CRect &bounds)
    {
        auto c = CComponentFactory::CreateComponent(type, canvas.get());
        c->SetBounds(bounds, true);
        auto *raw = dynamic_cast<Kind *>(c.get());
        EXPECT_TRUE(screen->AddComponent(std::move(c)).Ok());
        screen->ShowOnCanvas(*canvas);
        // Selected, as a question the author has just put on the screen: its window shows its fields.
        canvas->SelectComponent(raw);
        QApplication::processEvents();
        return raw;
    }
    static QWidget *WindowOf(CComponentBase *c) { return dynamic_cast<QWidget *>(c->GetComponentWindow()); }
    template <class Child = QPlainTextEdit>
    static Child *Field(CComponentBase *c, const QString &name)
    {
        for (Child *child : WindowOf(c)->findChildren<Child *>())
            if (child->accessibleName() == name)
                return child;
        return nullptr;
    }
    static QRect Box(int l, int t, int r, int b) { return CRect(l, t, r, b).ToQRect(); }
    void Shot(CComponentBase *c, const QString &name)
    {
        WindowOf(c)->grab().save(ShotFolder() + QStringLiteral("/question-window-%1.png").arg(name));
        QImage thumbnail(c->GetBounds().right + 1, c->GetBounds().bottom + 1, QImage::Format_RGB32);
        thumbnail.fill(Qt::white);
        QPainter painter(&thumbnail);
        CanvasComponentPainter::Paint(painter, *c);
        painter.end();
        thumbnail.save(ShotFolder() + QStringLiteral("/question-thumbnail-%1.png").arg(name));
    }
};

// Guards the window layouts against the sizes they are computed from: the complete-the-paragraph and
// fill-in-the-blanks fields of a 1008 x 500 window, the fields following a resize, and the slider keeping
// the layout it was made with.
TEST_F(QuestionWindowsTest, FieldsFollowTheSizeButTheSliderKeepsItsLayout)
{
    auto *paragraph = Add<CComponentCompleteParagraph>(ct_complete_paragraph, CRect(0, 0, 1008, 500));
    SCompleteParagraphValues values = paragraph->GetValues();
    values.m_instruction = "Complete the paragraph.";
    values.m_paragraph = "Gulls nest on ***** and eat ****.";
    values.m_words = {"cliffs", "fish"};
    paragraph->SetValues(values);
    QApplication::processEvents();
    EXPECT_EQ(Field(paragraph, "Question")->geometry(), Box(10, 30, 998, 91));
    EXPECT_EQ(Field(paragraph, "Paragraph")->geometry(), Box(10, 223, 998, 467));
    EXPECT_EQ(Field(paragraph, "Question")->toPlainText(), "Complete the paragraph.");
    EXPECT_EQ(Field(paragraph, "Word 2")->toPlainText(), "fish");
    Shot(paragraph, "complete-paragraph");

    paragraph->SetBounds(CRect(0, 0, 1008, 400), true);
    QApplication::processEvents();
    // c = trunc(360 / 7.5) = 48.
    EXPECT_EQ(Field(paragraph, "Paragraph")->geometry(), Box(10, 184, 998, 376));

    auto *blanks = Add<CComponentFillBlanks>(ct_fill_blanks, CRect(0, 0, 1008, 500));
    SFillBlanksValues blankValues = blanks->GetValues();
    blankValues.m_instruction = "Type the missing words.";
    blankValues.m_questionText = "Gulls nest on ***** and eat ****.";
    blankValues.m_words = {"cliffs", "fish"};
    blanks->SetValues(blankValues);
    QApplication::processEvents();
    EXPECT_EQ(Field(blanks, "Instruction")->geometry(), Box(10, 28, 998, 84));
    EXPECT_EQ(Field(blanks, "Answer 6")->geometry(), Box(514, 252, 998, 272));
    EXPECT_EQ(Field(blanks, "Answer 2")->toPlainText(), "fish");
    Shot(blanks, "fill-blanks");

    auto *slider = Add<CComponentLikert>(ct_likert, CRect(0, 0, 1004, 490));
    const QRect question = Field(slider, "Question")->geometry();
    const QRect picture = Field<QLabel>(slider, "Horizontal Slider")->geometry();
    EXPECT_EQ(question, Box(10, 23, 994, 92));
    EXPECT_EQ(picture, Box(330, 207, 674, 237));
    slider->SetBounds(CRect(0, 0, 700, 300), true);
    QApplication::processEvents();
    EXPECT_EQ(Field(slider, "Question")->geometry(), question);
    EXPECT_EQ(Field<QLabel>(slider, "Horizontal Slider")->geometry(), picture);
}

// Guards the multiple-choice window: only the options in use are shown, at the bottom, with their ticks; a
// blank-only option at the end counts empty; in true/false style the instruction sits above the stem.
TEST_F(QuestionWindowsTest, MultipleChoiceShowsTheOptionsInUseAtTheBottom)
{
    auto *choice = Add<CComponentMultipleChoice>(ct_multiple_choice, CRect(0, 0, 1000, 560));
    SMultipleChoiceValues values = choice->GetValues();
    values.m_stem = "Which birds nest on cliffs?";
    values.m_instruction = "Choose one.";
    values.m_options = {"Gulls", "Robins", "   ", "", ""};
    values.m_correct = {1, 0, 0, 0, 0};
    choice->SetValues(values);
    QApplication::processEvents();
    auto *window = dynamic_cast<CWndMultipleChoice *>(choice->GetComponentWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ShownOptions(), 2);
    EXPECT_TRUE(Field(choice, "Option 1")->isVisible());
    EXPECT_FALSE(Field(choice, "Option 3")->isVisible());
    EXPECT_FALSE(Field<QCheckBox>(choice, "Option 3 is correct")->isVisible());
    // c = 40: the two options where options 4 and 5 of five would be; the stem 4.5 units taller.
    EXPECT_EQ(Field(choice, "Option 1")->geometry(), Box(30, 420, 990, 460));
    EXPECT_EQ(Field(choice, "Option 2")->geometry(), Box(30, 480, 990, 520));
    EXPECT_EQ(Field(choice, "Question")->geometry(), Box(10, 20, 990, 400));
    EXPECT_TRUE(Field<QCheckBox>(choice, "Option 1 is correct")->isChecked());
    EXPECT_FALSE(Field<QCheckBox>(choice, "Option 2 is correct")->isChecked());
    EXPECT_FALSE(Field(choice, "Instruction")->isVisible());
    Shot(choice, "multiple-choice");

    values.m_trueFalse = 1;
    values.m_options = {"True", "False", "", "", ""};
    choice->SetValues(values);
    QApplication::processEvents();
    EXPECT_TRUE(Field(choice, "Instruction")->isVisible());
    EXPECT_EQ(Field(choice, "Instruction")->geometry(), Box(10, 20, 990, 80));
    EXPECT_EQ(Field(choice, "Question")->geometry(), Box(10, 100, 990, 400));
    Shot(choice, "true-false");
}

// Guards the match-the-pairs pictures: a side without a picture shows a white 40 x 40 square, a side with
// one its thumbnail, and a picture that does not load leaves what the side showed.
TEST_F(QuestionWindowsTest, MatchPairsSidesShowThumbnailsOrWhiteSquares)
{
    auto *pairs = Add<CComponentMatchPairs>(ct_match_pairs, CRect(0, 0, 1008, 500));
    SMatchPairsValues values = pairs->GetValues();
    values.m_questionText = "Match the birds to their homes.";
    values.m_leftTexts = {"Gull", "Robin"};
    values.m_rightTexts = {"Cliff", "Hedge"};
    values.m_leftImages[0] = Png(tree, "gull.png", 80, 40, Qt::red);
    values.m_zoom = 1;
    pairs->SetValues(values);
    QApplication::processEvents();
    const QImage blank = Field<QLabel>(pairs, "Right picture 1")->pixmap().toImage();
    EXPECT_EQ(blank.size(), QSize(40, 40));
    EXPECT_EQ(blank.pixelColor(20, 20), QColor(Qt::white));
    const QImage gull = Field<QLabel>(pairs, "Left picture 1")->pixmap().toImage();
    EXPECT_EQ(gull.size(), QSize(40, 20));
    EXPECT_EQ(gull.pixelColor(20, 10), QColor(Qt::red));
    EXPECT_EQ(Field<QLabel>(pairs, "Left picture 1")->geometry(), Box(403, 187, 443, 237));
    EXPECT_EQ(Field<QCheckBox>(pairs, "Zoom images on rollover")->isChecked(), true);
    Shot(pairs, "match-pairs");

    values.m_leftImages[0] = tree.Write("broken.png", "not a picture");
    pairs->SetValues(values);
    QApplication::processEvents();
    EXPECT_EQ(Field<QLabel>(pairs, "Left picture 1")->pixmap().toImage().pixelColor(20, 10), QColor(Qt::red));
}

// Guards the mouse: a question window hands a click to the canvas (which selects it), a double click asks
// the Edit window for the question's dialog, and the part identification window keeps left clicks for its
// picture window, whose targets the author drags into the question.
TEST_F(QuestionWindowsTest, ClicksSelectExceptOverThePartPicture)
{
    auto *slider = Add<CComponentLikert>(ct_likert, CRect(0, 0, 1004, 490));
    QTest::mouseClick(WindowOf(slider), Qt::LeftButton, {}, QPoint(200, 300));
    EXPECT_EQ(canvas->GetSelectedComponent(), slider);
    QSignalSpy commands(canvas.get(), &CScrollViewEx::commandRequested);
    QTest::mouseDClick(WindowOf(slider), Qt::LeftButton, {}, QPoint(200, 300));
    QApplication::processEvents();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands.first().first().toInt(), CQuestionWindow::kEditQuestionCommand);
    canvas->SelectComponent(nullptr);
    Shot(slider, "slider");

    screen->RemoveComponent(slider, 0);
    auto *parts = Add<CComponentPartIdentification>(ct_part_identification, CRect(0, 0, 1004, 490));
    SPartIdentificationValues values = parts->GetValues();
    values.m_questionText = "Find the beak.";
    values.m_imageFile = Png(tree, "gull.png", 400, 200, Qt::gray);
    values.m_targetCount = 3;
    values.m_targets[0] = CRect(185, 10, 215, 40);
    values.m_targets[1] = CRect(300, 100, 340, 140);
    parts->SetValues(values);
    parts->SetImageFile(values.m_imageFile);
    QApplication::processEvents();
    auto *window = dynamic_cast<CWndPartIdentification *>(parts->GetComponentWindow());
    ASSERT_NE(window, nullptr);
    CPartTargetsView *picture = window->PictureWindow();
    EXPECT_EQ(picture->geometry(), Box(127, 128, 877, 428));
    EXPECT_EQ(picture->PictureRect(), CRect(175, 0, 575, 200));
    EXPECT_EQ(picture->PartCount(), 3);
    EXPECT_EQ(picture->GetPartRect(1), CRect(300, 100, 340, 140));

    // Beside the picture window: nothing happens on the canvas.
    canvas->SelectComponent(nullptr);
    QTest::mouseClick(WindowOf(parts), Qt::LeftButton, {}, QPoint(50, 200));
    EXPECT_EQ(canvas->GetSelectedComponent(), nullptr);
    // On a target: the target moves, the question keeps it, the canvas does not select.
    const QPoint grab(310, 110);
    QTest::mousePress(picture, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(20, 10)), QPointF(picture->mapToGlobal(grab + QPoint(20, 10))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, grab + QPoint(20, 10));
    EXPECT_EQ(canvas->GetSelectedComponent(), nullptr);
    EXPECT_EQ(parts->GetTargetRect(1), CRect(320, 110, 360, 150));
    EXPECT_TRUE(doc->IsModified());
    Shot(parts, "part-identification");
}

// Guards the part picture window's scrolling: a picture larger than the window without scaling gets both
// bars, a line is 6 pixels and the targets move with the picture, and reading them back gives them
// relative to the unscrolled picture.
TEST_F(QuestionWindowsTest, PartPictureScrollsBySixPixelLines)
{
    CPartTargetsView view;
    view.show();
    view.SetScalingAllowed(false);
    QImage big(1000, 500, QImage::Format_RGB32);
    big.fill(Qt::gray);
    view.SetBitmap(big);
    EXPECT_TRUE(view.HorizontalBar()->isVisible());
    EXPECT_TRUE(view.VerticalBar()->isVisible());
    EXPECT_FALSE(view.IsScaled());
    const CRect part = view.GetPartRect(0);
    view.HorizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    view.VerticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.ScrollOffset(), QPoint(6, 6));
    view.HorizontalBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(view.ScrollOffset().x(), 1000 - (750 - 14));
    view.HorizontalBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    view.HorizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // The target is drawn where the picture went: a press at its old place misses it.
    const QPoint old(part.right - 3, part.bottom - 3);
    QTest::mousePress(&view, Qt::LeftButton, {}, old);
    QMouseEvent move(QEvent::MouseMove, QPointF(old + QPoint(50, 0)), QPointF(view.mapToGlobal(QPoint(0, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, old + QPoint(50, 0));
    EXPECT_EQ(view.GetPartRect(0), part);
    const QPoint shown(part.left - 6 + 4, part.top - 6 + 4);
    QTest::mousePress(&view, Qt::LeftButton, {}, shown);
    QMouseEvent drag(QEvent::MouseMove, QPointF(shown + QPoint(50, 0)), QPointF(view.mapToGlobal(QPoint(0, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drag);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, shown + QPoint(50, 0));
    view.ResetScrollPosition();
    EXPECT_EQ(view.ScrollOffset(), QPoint(0, 0));
    EXPECT_EQ(view.GetPartRect(0), CRect(part.left + 50, part.top, part.right + 50, part.bottom));

    // Placed relative to the picture: a centred 400 x 200 picture moves the target by its origin.
    CPartTargetsView centred;
    centred.SetBitmap(QImage(400, 200, QImage::Format_RGB32));
    centred.SetPartRect(2, CRect(10, 20, 40, 50), true);
    EXPECT_EQ(centred.GetPartRect(2), CRect(185, 20, 215, 50));
}

// Guards the screen pictures against the windows: every question kind draws into a thumbnail without the
// window, and the multiple-choice thumbnail has only the boxes of the options in use.
TEST_F(QuestionWindowsTest, ThumbnailsDrawTheSameBoxes)
{
    auto *choice = Add<CComponentMultipleChoice>(ct_multiple_choice, CRect(0, 0, 1000, 560));
    SMultipleChoiceValues values = choice->GetValues();
    values.m_stem = "Pick one.";
    values.m_options = {"A", "B", "", "", ""};
    choice->SetValues(values);
    QImage image(1001, 561, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CanvasComponentPainter::Paint(painter, *choice);
    painter.end();
    // Option boxes at 420 and 480 from x 30; none at the first of five's place (240).
    EXPECT_EQ(image.pixelColor(30, 430), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 490), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 250), QColor(Qt::white));
    // The stem box starts 1.5 units down (y 80).
    EXPECT_EQ(image.pixelColor(10, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 60), QColor(Qt::white));

    for (int type : {ct_complete_paragraph, ct_fill_blanks, ct_match_pairs, ct_likert, ct_part_identification}) {
        auto c = CComponentFactory::CreateComponent(type, nullptr);
        c->SetBounds(CRect(0, 0, 1004, 490), true);
        QImage shot(1004, 490, QImage::Format_RGB32);
        shot.fill(Qt::gray);
        QPainter p(&shot);
        p.translate(0, 0);
        CanvasComponentPainter::Paint(p, *c);
        p.end();
        EXPECT_EQ(shot.pixelColor(500, 5), QColor(Qt::white)) << type;
    }
}

} // namespace
