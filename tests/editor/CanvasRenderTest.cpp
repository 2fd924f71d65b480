#include "CanvasFixture.h"

#include "document/CourseSettings.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/ScreenRenderer.h"
#include "model/ComponentButton.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTextbox.h"
#include "platform/richtext/RichText.h"

#include <QPainter>

namespace {

class CanvasRenderTest : public CanvasFixture
{
protected:
    QImage PaintBackdrop(const CScreenRenderer::Canvas &canvas)
    {
        QImage image(CScreenRenderer::kScreenSize, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        CScreenRenderer::PaintBackdrop(painter, canvas);
        return image;
    }
};

// Guards against thumbnails whose size follows the content, which breaks the navigator's image lists.
TEST_F(CanvasRenderTest, ThumbnailsHaveTheirFixedSizes)
{
    CCorvPage &empty = AddScreen();
    CCorvPage &full = AddScreen(pt_document, QStringLiteral("2"));
    Add(full, ct_rectangle, CRect(-200, -100, 1500, 900));
    Add(full, ct_multiple_choice, CRect(36, 32, 900, 500));
    for (CCorvPage *screen : {&empty, &full}) {
        EXPECT_EQ(CScreenRenderer::RenderSmallThumbnail(*screen).size(), QSize(100, 70));
        EXPECT_EQ(CScreenRenderer::RenderLargeThumbnail(*screen).size(), QSize(190, 140));
        EXPECT_EQ(CScreenRenderer::Render(*doc, *screen, QSize(100, 70)).size(), QSize(100, 70));
        EXPECT_EQ(CScreenRenderer::Render(*doc, *screen, QSize(190, 140)).size(), QSize(190, 140));
    }
    EXPECT_TRUE(CScreenRenderer::Render(*doc, empty, QSize()).isNull());
}

// Guards against buttons, links and remediation showing in the pictures of a screen: they are not part
// of what the screen looks like.
TEST_F(CanvasRenderTest, ButtonsLinksAndRemediationAreNotDrawn)
{
    CCorvPage &empty = AddScreen();
    CCorvPage &screen = AddScreen(pt_document, QStringLiteral("2"));
    auto *button = static_cast<CComponentButton *>(Add(screen, ct_button, CRect(100, 100, 400, 200)));
    auto values = button->GetValues();
    values.m_caption = QStringLiteral("NEXT NEXT NEXT");
    button->SetValues(values);
    Add(screen, ct_link, CRect(100, 300, 400, 340));
    Add(screen, ct_remediation, CRect(0, 0, 1008, 560));
    EXPECT_EQ(CScreenRenderer::Render(*doc, screen, CScreenRenderer::kScreenSize),
              CScreenRenderer::Render(*doc, empty, CScreenRenderer::kScreenSize));

    Add(screen, ct_rectangle, CRect(100, 100, 400, 200));
    EXPECT_NE(CScreenRenderer::Render(*doc, screen, CScreenRenderer::kScreenSize),
              CScreenRenderer::Render(*doc, empty, CScreenRenderer::kScreenSize));
}

// Guards against tiles placed at the wrong steps, or a single picture repeated when tiling is off.
TEST_F(CanvasRenderTest, ACustomBackgroundIsTiledAtThePictureSteps)
{
    CCourseSettings settings;
    settings.UseCustomBackground = 1;
    settings.BgColor = 0x00FF0000; // blue as COLORREF
    settings.BgImage = Picture(QStringLiteral("bg/tile.png"), 300, 200, QColor(0, 200, 0), QColor(255, 0, 0));
    settings.UseBgImgTile = 1;
    const QImage background = CScreenRenderer::LoadBackground(settings, context.programFolder);
    ASSERT_EQ(background.size(), QSize(300, 200));

    CScreenRenderer::Canvas canvas{&settings, &background, true, false, false};
    QImage tiled = PaintBackdrop(canvas);
    for (int x : {0, 300, 600, 900})
        for (int y : {0, 200, 400})
            EXPECT_EQ(tiled.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
    EXPECT_EQ(tiled.pixelColor(1000, 550), QColor(0, 200, 0)) << "the last tiles are cut at the screen edge";
    EXPECT_EQ(tiled.pixelColor(301, 201), QColor(0, 200, 0));

    settings.UseBgImgTile = 0;
    QImage single = PaintBackdrop(canvas);
    EXPECT_EQ(single.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(single.pixelColor(300, 0), QColor(0, 0, 255)) << "beyond the picture: the background colour";
    EXPECT_EQ(single.pixelColor(1007, 559), QColor(0, 0, 255));

    canvas.backgroundFlag = false;
    EXPECT_EQ(PaintBackdrop(canvas).pixelColor(10, 10), QColor(Qt::white)) << "background flag off: white";
}

// Guards against a stale or missing theme picture: without "bg.jpg" the screen is white even with the
// background flag set; with it the theme's picture is found whatever the case of the folder.
TEST_F(CanvasRenderTest, ThemeBackgroundComesFromTheProgramFolderOrNothing)
{
    CCourseSettings settings;
    settings.Theme = QStringLiteral("Harbour");
    EXPECT_TRUE(CScreenRenderer::LoadBackground(settings, context.programFolder).isNull());
    const QImage none = CScreenRenderer::LoadBackground(settings, context.programFolder);
    EXPECT_EQ(PaintBackdrop({&settings, &none, true, false, false}).pixelColor(500, 300), QColor(Qt::white));

    settings.BgImage = QStringLiteral("/nowhere/missing.png");
    settings.UseCustomBackground = 1;
    EXPECT_TRUE(CScreenRenderer::LoadBackground(settings, context.programFolder).isNull());
    settings.UseCustomBackground = 0;

    const QString jpeg = tree.Write(QStringLiteral("program/Themes/Harbour/bg.jpg"), QByteArray());
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 200));
    ASSERT_TRUE(picture.save(jpeg, "JPG"));
    const QImage theme = CScreenRenderer::LoadBackground(settings, context.programFolder);
    EXPECT_EQ(theme.size(), QSize(64, 48));
    const QImage shown = PaintBackdrop({&settings, &theme, true, false, false});
    EXPECT_LT(std::abs(shown.pixelColor(10, 10).blue() - 200), 8);
    EXPECT_EQ(shown.pixelColor(100, 100), QColor(Qt::white));
}

// Guards against the grid drawn at 0 or at the wrong steps.
TEST_F(CanvasRenderTest, TheGridHasLinesEveryFortyPixelsButNotAtZero)
{
    CCourseSettings settings;
    QImage grid = PaintBackdrop({&settings, nullptr, false, true, false});
    const QColor grey(200, 200, 200);
    EXPECT_EQ(grid.pixelColor(40, 13), grey);
    EXPECT_EQ(grid.pixelColor(1000, 13), grey);
    EXPECT_EQ(grid.pixelColor(13, 520), grey);
    EXPECT_EQ(grid.pixelColor(0, 13), QColor(Qt::white));
    EXPECT_EQ(grid.pixelColor(13, 0), QColor(Qt::white));
    EXPECT_EQ(grid.pixelColor(41, 13), QColor(Qt::white));
}

// Guards against a component drawn relative to its window rather than at its place on the screen: the
// picture of a question at (200, 100) is the picture at (0, 0) moved by (200, 100).
TEST_F(CanvasRenderTest, ComponentsPaintAtTheirBounds)
{
    for (int type : {ct_multiple_choice, ct_textbox, ct_table, ct_likert, ct_fill_blanks, ct_video, ct_audio}) {
        auto at = [&](int x, int y) {
            auto c = Make(type, CRect(x, y, x + 400, y + 300));
            if (auto *mc = dynamic_cast<CComponentMultipleChoice *>(c.get())) {
                auto v = mc->GetValues();
                v.m_stem = QStringLiteral("Which one?");
                v.m_options[0] = QStringLiteral("This one");
                mc->SetValues(v);
            }
            if (auto *tb = dynamic_cast<CComponentTextbox *>(c.get()))
                tb->GetRichText().ReplaceAll(QStringLiteral("Some text"));
            QImage image(CScreenRenderer::kScreenSize, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            CanvasComponentPainter::Paint(painter, *c);
            return image;
        };
        const QImage origin = at(0, 0);
        const QImage moved = at(200, 100);
        EXPECT_EQ(moved.copy(200, 100, 400, 300), origin.copy(0, 0, 400, 300)) << type;
        QImage blank(400, 300, QImage::Format_RGB32);
        blank.fill(Qt::white);
        EXPECT_NE(origin.copy(0, 0, 400, 300), blank) << type;
    }
}

// Guards against the small thumbnail's frame going missing or the large one getting it.
TEST_F(CanvasRenderTest, OnlyTheSmallPictureHasTheFrame)
{
    CCorvPage &screen = AddScreen();
    QImage framed(CScreenRenderer::kScreenSize, QImage::Format_RGB32);
    framed.fill(Qt::white);
    {
        QPainter painter(&framed);
        CScreenRenderer::DrawPage(painter, screen, true);
    }
    EXPECT_EQ(framed.pixelColor(5, 100), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(500, 4), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(1002, 100), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(500, 555), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(4, 100), QColor(Qt::white));
    const QImage large = CScreenRenderer::RenderLargeThumbnail(screen);
    for (int y = 0; y < large.height(); ++y)
        for (int x = 0; x < large.width(); ++x)
            ASSERT_EQ(large.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
}

} // namespace
