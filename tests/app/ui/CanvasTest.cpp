#include "CanvasWidgetFixture.h"

#include "editor/ui/ComponentWindows.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "editor/CanvasEdits.h"
#include "editor/ComponentCommands.h"
#include "editor/ScreenRenderer.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentButton.h"
#include "model/ComponentFactory.h"
#include "model/ComponentImage.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The author's pointer on the canvas: presses, moves and releases reach what lies under them.
class CanvasTest : public CanvasWidgetFixture
{
protected:
    QWidget *Page() const { return canvas->Page(); }
    // The widget an author's pointer reaches at a canvas point (a component's window or the page).
    QWidget *At(const QPoint &point, QPoint &local) const
    {
        QWidget *target = Page()->childAt(point);
        if (!target || target == canvas->Overlay())
            target = Page();
        local = target->mapFrom(Page(), point);
        return target;
    }
    void Press(const QPoint &point)
    {
        QPoint local;
        QWidget *target = At(point, local);
        QTest::mousePress(target, Qt::LeftButton, {}, local);
    }
    void Release(const QPoint &point)
    {
        // While a tracker drags, the page holds the mouse.
        QWidget *target = QWidget::mouseGrabber();
        QPoint local;
        if (!target)
            target = At(point, local);
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(Page(), point));
    }
    void MoveTo(const QPoint &point)
    {
        QWidget *target = QWidget::mouseGrabber();
        QPoint local;
        if (!target)
            target = At(point, local);
        QTest::mouseMove(target, target->mapFrom(Page(), point));
    }
    void Drag(const QPoint &from, const QPoint &to)
    {
        Press(from);
        MoveTo((from + to) / 2);
        MoveTo(to);
        Release(to);
    }
};

// Guards against the canvas losing an author's shape or its moves: what is drawn, moved, resized,
// copied, pasted and deleted with the mouse and the keys is exactly what the saved project holds.
TEST_F(CanvasTest, AnAuthorsRectangleEndsUpInTheSavedProjectExactlyAsEdited)
{
    QStringList positions;
    QObject::connect(canvas.get(), &CScrollViewEx::positionChanged,
                     [&](int x, int y, int w, int h) { positions << QStringLiteral("%1, %2|%3, %4").arg(x).arg(y).arg(w).arg(h); });

    canvas->SetDrawRectangle();
    Drag(QPoint(100, 100), QPoint(300, 250));
    ASSERT_EQ(screen->GetComponentCount(), 1);
    CComponentBase *rectangle = screen->GetComponent(0);
    ASSERT_EQ(rectangle->GetType(), ct_rectangle);
    EXPECT_EQ(rectangle->GetBounds(), CRect(100, 100, 300, 250));
    EXPECT_TRUE(doc->IsModified());

    // A click selects it, a drag of its middle moves it; past the left edge it is pulled back.
    Press(QPoint(150, 150));
    Release(QPoint(150, 150));
    ASSERT_EQ(canvas->GetSelectedComponent(), rectangle);
    Drag(QPoint(150, 150), QPoint(20, 200));
    EXPECT_EQ(rectangle->GetBounds(), CRect(0, 150, 200, 300));
    EXPECT_EQ(positions.last(), "0, 150|200, 150");

    // The lower-right handle resizes it.
    Drag(QPoint(200, 300), QPoint(260, 340));
    EXPECT_EQ(rectangle->GetBounds(), CRect(0, 150, 260, 340));

    // Arrows move it, with Shift they resize it.
    Page()->setFocus();
    QTest::keyClick(Page(), Qt::Key_Right);
    QTest::keyClick(Page(), Qt::Key_Down);
    QTest::keyClick(Page(), Qt::Key_Down);
    QTest::keyClick(Page(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(rectangle->GetBounds(), CRect(1, 152, 262, 342));

    // Copy and paste: a second rectangle at (36, 32) of the same size, not selected.
    QTest::keyClick(Page(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(Page(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(screen->GetComponentCount(), 2);
    CComponentBase *pasted = screen->GetComponent(1);
    EXPECT_EQ(pasted->GetBounds(), CRect(36, 32, 297, 222));
    EXPECT_EQ(canvas->GetSelectedComponent(), rectangle);

    // Ctrl+Z does nothing; Delete removes the selected one.
    QTest::keyClick(Page(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(screen->GetComponentCount(), 2);
    QTest::keyClick(Page(), Qt::Key_Delete);
    ASSERT_EQ(screen->GetComponentCount(), 1);
    EXPECT_EQ(screen->GetComponent(0), pasted);
    EXPECT_EQ(canvas->GetSelectedComponent(), nullptr);
    EXPECT_EQ(positions.last(), "0, 0|0, 0");

    const QString path = tree / QStringLiteral("course.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, path).Ok());
    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, path).Ok());
    ASSERT_EQ(reread.MainScreens().size(), 1u);
    const CCorvPage &saved = *reread.MainScreens().front();
    ASSERT_EQ(saved.GetComponentCount(), 1);
    EXPECT_EQ(saved.GetComponent(0)->GetType(), ct_rectangle);
    EXPECT_EQ(saved.GetComponent(0)->GetBounds(), CRect(36, 32, 297, 222));
}

// Guards against a question pasted over a screen's content, and against the author not being told.
TEST_F(CanvasTest, PastingAQuestionOntoAScreenWithContentShowsTheMessage)
{
    auto question = CComponentFactory::CreateComponent(ct_multiple_choice, canvas.get());
    canvas->Clipboard().CopyComponent(*question);
    question.reset();
    canvas->SetDrawEllipse();
    Drag(QPoint(400, 300), QPoint(500, 380));
    ASSERT_EQ(screen->GetComponentCount(), 1);
    std::unique_ptr<QMenu> menu = canvas->BuildCanvasMenu();
    QAction *paste = nullptr;
    for (QAction *action : menu->actions())
        if (action->data().toInt() == CanvasEdits::Menu::Paste)
            paste = action;
    ASSERT_NE(paste, nullptr);
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(screen->GetComponentCount(), 1);
    EXPECT_EQ(prompt.Texts(), QStringList{"Question can only be pasted onto empty page."});
}

// Guards against a picture distorted by a corner drag: its width / height stays as before the drag.
TEST_F(CanvasTest, ACornerDragOfAPictureKeepsItsShape)
{
    auto image = CComponentFactory::CreateComponent(ct_image, canvas.get());
    image->SetBounds(CRect(100, 100, 400, 300), true);
    CComponentBase *picture = image.get();
    ASSERT_TRUE(screen->AddComponent(std::move(image)).Ok());
    screen->ShowOnCanvas(*canvas);
    Press(QPoint(200, 200));
    Release(QPoint(200, 200));
    ASSERT_EQ(canvas->GetSelectedComponent(), picture);
    Drag(QPoint(400, 300), QPoint(550, 320));
    const CRect b = picture->GetBounds();
    EXPECT_EQ(b.left, 100);
    EXPECT_EQ(b.top, 100);
    EXPECT_EQ(b.Width(), 450);
    EXPECT_EQ(b.Height(), 300) << "height = ceil(width / 1.5)";
    // A side handle changes one dimension only.
    Drag(QPoint(550, 250), QPoint(600, 260));
    EXPECT_EQ(picture->GetBounds().Width(), 500);
    EXPECT_EQ(picture->GetBounds().Height(), 300);
}

// A screen with every kind a screen's pictures show, filled in so each draws something.
void FillEveryKind(CCorvessaDoc &doc, CCorvPage &screen, CScrollViewEx &canvas, const QString &picture, bool withUndrawn)
{
    struct Row {
        int type;
        CRect bounds;
    };
    const Row rows[] = {
        {ct_rectangle, CRect(10, 10, 200, 120)},      {ct_ellipse, CRect(220, 10, 400, 120)},
        {ct_image, CRect(420, 10, 570, 110)},         {ct_textbox, CRect(590, 10, 990, 120)},
        {ct_multiple_choice, CRect(10, 140, 330, 400)}, {ct_table, CRect(350, 140, 650, 260)},
        {ct_audio, CRect(670, 140, 744, 211)},        {ct_video, CRect(760, 140, 990, 300)},
        {ct_youtube, CRect(350, 280, 650, 400)},      {ct_likert, CRect(670, 320, 990, 420)},
        {ct_small_topic, CRect(10, 420, 330, 470)},   {ct_large_topic, CRect(350, 420, 560, 555)},
        {ct_fill_blanks, CRect(580, 430, 780, 555)},  {ct_match_pairs, CRect(800, 430, 1000, 555)},
        {ct_complete_paragraph, CRect(10, 480, 330, 555)},
    };
    for (const Row &row : rows) {
        auto c = CComponentFactory::CreateComponent(row.type, &canvas);
        c->SetBounds(row.bounds, true);
        if (auto *image = dynamic_cast<CComponentImage *>(c.get()))
            image->SetImageFile(picture, doc.GetContext());
        if (auto *textbox = dynamic_cast<CComponentTextbox *>(c.get()))
            textbox->GetRichText().ReplaceAll(QStringLiteral("A text box with its text."));
        if (auto *mc = dynamic_cast<CComponentMultipleChoice *>(c.get())) {
            auto v = mc->GetValues();
            v.m_stem = QStringLiteral("Which colour is the sky?");
            v.m_options = {QStringLiteral("Blue"), QStringLiteral("Green"), QStringLiteral("Red"), QString(), QString()};
            mc->SetValues(v);
        }
        if (auto *topic = dynamic_cast<CComponentSmallTopic *>(c.get()))
            topic->SetTitle(QStringLiteral("Topic one"));
        c->ExchangeData(false);
        EXPECT_TRUE(screen.AddComponent(std::move(c)).Ok());
    }
    auto line = CComponentFactory::CreateComponent(ct_line, &canvas);
    static_cast<CComponentLine &>(*line).SetPoints(QPoint(20, 130), QPoint(990, 132));
    screen.AddComponent(std::move(line));
    if (withUndrawn) {
        auto button = CComponentFactory::CreateComponent(ct_button, &canvas);
        button->SetBounds(CRect(900, 500, 1000, 530), true);
        auto values = static_cast<CComponentButton &>(*button).GetValues();
        values.m_caption = QStringLiteral("Next");
        static_cast<CComponentButton &>(*button).SetValues(values);
        screen.AddComponent(std::move(button));
        auto link = CComponentFactory::CreateComponent(ct_link, &canvas);
        link->SetBounds(CRect(800, 530, 1000, 555), true);
        screen.AddComponent(std::move(link));
    }
    screen.ShowOnCanvas(canvas);
}

QString SamplePicture(const TempTree &tree)
{
    const QString path = tree / QStringLiteral("sky.png");
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(90, 160, 230));
    for (int y = 120; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            picture.setPixelColor(x, y, QColor(60, 140, 60));
    picture.save(path, "PNG");
    return path;
}

// Guards against the canvas and the navigator's pictures drawing a screen differently: both go through the
// same painting of the components' own values.
TEST_F(CanvasTest, TheCanvasAndTheThumbnailShowTheSameScreen)
{
    FillEveryKind(*doc, *screen, *canvas, SamplePicture(tree), false);
    canvas->SetBackgroundFlag(false);
    QApplication::processEvents();
    const QImage shown = canvas->GrabScreen().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(1008, 560));
    QImage shrunk(CScreenRenderer::kLargeThumbnail, QImage::Format_RGB32);
    {
        QPainter painter(&shrunk);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shrunk.rect(), shown);
    }
    const QImage thumbnail = CScreenRenderer::Render(*doc, *screen, CScreenRenderer::kLargeThumbnail);
    ASSERT_EQ(thumbnail.size(), shrunk.size());
    double total = 0;
    int worst = 0;
    for (int y = 0; y < thumbnail.height(); ++y)
        for (int x = 0; x < thumbnail.width(); ++x) {
            const QColor a = thumbnail.pixelColor(x, y), b = shrunk.pixelColor(x, y);
            const int d = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            total += d;
            worst = std::max(worst, d);
        }
    const double mean = total / (thumbnail.width() * thumbnail.height());
    EXPECT_LT(mean, 2.0) << "worst pixel " << worst;
    // The thumbnail is not blank: the screen's content shows.
    EXPECT_NE(thumbnail, CScreenRenderer::Render(*doc, *doc->AddScreen(std::make_unique<CCorvPage>(
                                                                 99, QString(), QString(), QString(), 0,
                                                                 QStringLiteral("9"), pt_document, -1)),
                                                 CScreenRenderer::kLargeThumbnail));
}

// Keeps a picture of the canvas with every kind for a person to look at (in the build folder).
TEST_F(CanvasTest, APictureOfTheCanvasWithEveryKindIsKept)
{
    FillEveryKind(*doc, *screen, *canvas, SamplePicture(tree), true);
    canvas->SetGridFlag(true);
    Press(QPoint(100, 60));
    Release(QPoint(100, 60));
    QApplication::processEvents();
    const QString folder = QString::fromUtf8(CORV_BUILD_TEST_DIR) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    const QImage picture = canvas->grab().toImage();
    EXPECT_TRUE(picture.save(folder + QStringLiteral("/canvas-every-kind.png")));
    EXPECT_TRUE(canvas->RenderSmallThumbnail(screen).save(folder + QStringLiteral("/canvas-every-kind-small.png")));
    EXPECT_TRUE(canvas->RenderLargeThumbnail(screen).save(folder + QStringLiteral("/canvas-every-kind-large.png")));
}

} // namespace

namespace {

// Guards against the canvas holding on to a screen a new project has deleted.
TEST_F(CanvasTest, ANewProjectLetsGoOfTheScreenShown)
{
    canvas->SetDrawRectangle();
    Drag(QPoint(100, 100), QPoint(300, 250));
    Press(QPoint(150, 150));
    Release(QPoint(150, 150));
    ASSERT_NE(canvas->GetSelectedComponent(), nullptr);
    doc->OnNewDocument();
    EXPECT_EQ(canvas->GetCurrentScreen(), nullptr);
    EXPECT_EQ(canvas->GetSelectedComponent(), nullptr);
    EXPECT_TRUE(canvas->Model().IsEmpty());
    Press(QPoint(150, 150));
    Release(QPoint(150, 150));
    QTest::keyClick(Page(), Qt::Key_Delete);
    QTest::keyClick(Page(), Qt::Key_V, Qt::ControlModifier);
    screen = nullptr;
}

} // namespace

namespace {

// Guards against the canvas swallowing the Edit window's new-screen keys.
TEST_F(CanvasTest, CtrlFunctionKeysReachTheEditWindow)
{
    QList<int> keys;
    QObject::connect(canvas.get(), &CScrollViewEx::editWindowKey, [&](int key) { keys << key; });
    QTest::keyClick(Page(), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyClick(Page(), Qt::Key_F10, Qt::ControlModifier);
    QTest::keyClick(Page(), Qt::Key_F5);
    EXPECT_EQ(keys, (QList<int>{Qt::Key_F1, Qt::Key_F10}));
}

} // namespace
