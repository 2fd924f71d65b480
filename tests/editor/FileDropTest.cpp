#include "EditFixture.h"

#include "editor/FileDrop.h"
#include "editor/ScreenCommands.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentImage.h"
#include "model/ComponentType.h"
#include "model/ComponentVideo.h"
#include "support/TempTree.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using FileDrop::Kind;

struct Dropping {
    EditFixture &f;
    CScreenCommands::Dialogs dialogs;
    CScreenCommands commands{*f.edit, dialogs};
    TempTree tree;

    explicit Dropping(EditFixture &fixture) : f(fixture) {}

    QString Picture(const QString &name, int w = 40, int h = 30) const
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = tree / name;
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
    FileDrop::Outcome Drop(const QStringList &paths, QPoint at = {100, 100})
    {
        return FileDrop::DropFiles(*f.edit, commands, paths, at);
    }
};

template <class Kind>
std::vector<Kind *> ComponentsOf(CCorvPage *screen)
{
    std::vector<Kind *> found;
    for (const auto &c : screen->GetComponentList())
        if (auto *k = dynamic_cast<Kind *>(c.get()))
            found.push_back(k);
    return found;
}

TEST(FileDrop, ExtensionsDecideWhatAFileBecomes)
{
    const struct {
        const char *path;
        Kind kind;
        int command;
    } cases[] = {
        {"/a/b.png", Kind::picture, 0},     {"/a/B.JPEG", Kind::picture, 0},    {"/a/b.wmf", Kind::picture, 0},
        {"/a/MOVIE.SWF", Kind::flash, 32951}, {"/a/b.mov", Kind::video, 32950},  {"/a/b.rm", Kind::video, 32950},
        {"/a/b.Pdf", Kind::pdf, 32953},     {"/a/b.flv", Kind::flashVideo, 33019}, {"/a/b.mp3", Kind::audio, 32949},
        {"/a/b.WMA", Kind::audio, 32949},   {"/a/b.docx", Kind::document, 0},   {"/a/b.PPT", Kind::document, 0},
        {"/a/b.txt", Kind::none, 0},        {"/a/png", Kind::none, 0},          {"/a.png/readme", Kind::none, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileDrop::Classify(QString::fromLatin1(c.path)), c.kind);
        EXPECT_EQ(FileDrop::MediaCommandOf(QString::fromLatin1(c.path)), c.command);
    }
}

TEST(FileDrop, AcceptsOnlyPlaceableFilesAndAMenuCourseNeedsAScreen)
{
    const QStringList documents{"/x/a.doc", "/x/b.pptx"};
    EXPECT_FALSE(FileDrop::AcceptsFiles(documents, false, true));
    EXPECT_FALSE(FileDrop::AcceptsFiles({"/x/a.txt"}, false, true));
    EXPECT_TRUE(FileDrop::AcceptsFiles({"/x/a.doc", "/x/b.mp3"}, false, false));
    EXPECT_FALSE(FileDrop::AcceptsFiles({"/x/b.mp3"}, true, false));
    EXPECT_TRUE(FileDrop::AcceptsFiles({"/x/b.mp3"}, true, true));
    EXPECT_EQ(FileDrop::CountDocuments({"/x/a.doc", "/x/b.png", "/x/c.PPTX"}), 2);
}

TEST(FileDrop, MediaAreKeptOnTheScreen)
{
    EXPECT_EQ(FileDrop::PlacedBounds({100, 50}, 390, 390), CRect(100, 50, 490, 440));
    EXPECT_EQ(FileDrop::PlacedBounds({900, 400}, 390, 390), CRect(618, 170, 1008, 560));
    EXPECT_EQ(FileDrop::PlacedBounds({-20, -5}, 74, 71), CRect(0, 0, 74, 71));
    EXPECT_EQ(FileDrop::FilePoint({10, 20}, 2), QPoint(110, 120));
}

TEST(FileDrop, MediaComponentsTakeTheDropSettings)
{
    auto swf = FileDrop::BuildMediaComponent("/m/MOVIE.SWF", {0, 0}, nullptr);
    auto *video = dynamic_cast<CComponentVideo *>(swf.get());
    ASSERT_TRUE(video);
    EXPECT_EQ(video->GetType(), ct_video);
    EXPECT_EQ(video->GetBounds(), CRect(0, 0, 390, 390));
    EXPECT_EQ(video->GetFilePath(), "/m/MOVIE.SWF");
    EXPECT_EQ(std::tuple(video->m_autoStart, video->m_loop, video->m_controller, video->m_windowMode),
              std::tuple(1, 1, 1, QString("window")));

    auto pdf = FileDrop::BuildMediaComponent("/m/guide.pdf", {5, 5}, nullptr);
    auto *document = dynamic_cast<CComponentVideo *>(pdf.get());
    ASSERT_TRUE(document);
    EXPECT_EQ(std::tuple(document->m_toolbar, document->m_scrollBar, document->m_navPanes), std::tuple(1, 1, 1));

    auto flv = FileDrop::BuildMediaComponent("/m/clip.flv", {5, 5}, nullptr);
    auto *player = dynamic_cast<CComponentFlashVideo *>(flv.get());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->GetValues().m_autoStart, 0);
    EXPECT_EQ(player->GetFlashVersion(), 9);
    EXPECT_EQ(player->GetBackgroundColor(), 0x00EFEFEFu);
    const SFlashVideoValues &settings = player->GetPlayerValues();
    EXPECT_EQ(settings.m_volume, 60);
    EXPECT_EQ(settings.m_barColour, 0x00FF6600u);
    EXPECT_EQ(settings.m_barShadowColour, 0x00FBBB91u);
    EXPECT_EQ(settings.m_soundBarColour, 0x00FF6600u);
    EXPECT_EQ(std::tuple(settings.m_autoHide, settings.m_allowFullScreen, settings.m_defaultColours),
              std::tuple(1, 1, 1));

    auto mp3 = FileDrop::BuildMediaComponent("/m/voice.mp3", {5, 5}, nullptr);
    auto *audio = dynamic_cast<CComponentAudio *>(mp3.get());
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->GetBounds(), CRect(5, 5, 79, 76));
    EXPECT_EQ(std::tuple(audio->GetPlayButton(), audio->m_loop, audio->m_buttonControls, audio->m_autoStart),
              std::tuple(1, 0, 0, 1));

    EXPECT_FALSE(FileDrop::BuildMediaComponent("/m/a.png", {0, 0}, nullptr));
    EXPECT_FALSE(FileDrop::BuildMediaComponent("/m/a.doc", {0, 0}, nullptr));
}

// Three pictures 50 pixels apart named by their file names; the documents of the drop are only counted; the
// screen and the document are marked modified.
TEST(FileDrop, PicturesArePlacedStepByStepAndDocumentsCounted)
{
    EditFixture f({{"1", "One"}});
    f.edit->MakeCurrentScreen(f.Page("One"));
    Dropping d(f);
    f.Page("One")->SetModified(0);
    f.doc->SetModifiedFlag(false);
    const QStringList paths{d.Picture("a.png"), d.Picture("b.png"), d.tree / "notes.docx", d.Picture("c.png")};
    const FileDrop::Outcome outcome = d.Drop(paths, {100, 100});
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.placed, 3);
    EXPECT_EQ(outcome.documents, 1);
    const auto images = ComponentsOf<CComponentImage>(f.Page("One"));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0]->GetAltText(), "a.png");
    EXPECT_EQ(images[2]->GetAltText(), "c.png");
    // The document took the third place: the offset grows for every file of the drop.
    EXPECT_EQ(images[1]->GetBounds().left - images[0]->GetBounds().left, 50);
    EXPECT_EQ(images[1]->GetBounds().top - images[0]->GetBounds().top, 50);
    EXPECT_EQ(images[2]->GetBounds().left - images[0]->GetBounds().left, 150);
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Drag contains 1 documents"});
    EXPECT_TRUE(f.Page("One")->GetModified());
    EXPECT_TRUE(f.doc->IsModified());
}

// File names are not cut at any length: a picture deep in nested folders is placed like any other.
TEST(FileDrop, LongPathsArePlacedWhole)
{
    EditFixture f({{"1", "One"}});
    f.edit->MakeCurrentScreen(f.Page("One"));
    Dropping d(f);
    const QString deep = QString("folder-with-a-rather-long-name/").repeated(10) + "picture.png";
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString path = d.tree.Write(deep, QByteArray());
    ASSERT_GT(path.size(), 300);
    ASSERT_TRUE(image.save(path, "PNG"));
    EXPECT_EQ(d.Drop({path}).placed, 1);
    const auto images = ComponentsOf<CComponentImage>(f.Page("One"));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->GetAltText(), "picture.png");
}

TEST(FileDrop, EmptyLinearCourseGetsABlankScreenFirst)
{
    EditFixture f;
    Dropping d(f);
    const FileDrop::Outcome outcome = d.Drop({"/media/MOVIE.SWF"}, {900, 500});
    ASSERT_TRUE(outcome.accepted);
    CCorvPage *screen = f.edit->GetCurrentPage();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->GetLabel(), "1");
    EXPECT_EQ(f.doc->MainScreens().size(), 1u);
    const auto videos = ComponentsOf<CComponentVideo>(screen);
    ASSERT_EQ(videos.size(), 1u);
    EXPECT_EQ(FileDrop::MediaCommandOf(videos[0]->GetFilePath()), 32951);
    // Dropped near the corner, the video stays on the screen.
    EXPECT_EQ(videos[0]->GetBounds(), CRect(618, 170, 1008, 560));
}

TEST(FileDrop, RefusedDropsChangeNothing)
{
    {
        SCOPED_TRACE("menu course without a current screen");
        EditFixture f({{"1", "Main menu", pt_folder}});
        f.doc->MutableSettings().MenuBasedCourse = 1;
        f.edit->ForgetCurrentScreen();
        Dropping d(f);
        EXPECT_FALSE(d.Drop({d.Picture("a.png")}).accepted);
        EXPECT_EQ(f.doc->MainScreens().size(), 1u);
        EXPECT_TRUE(f.prompt.Texts().isEmpty());
    }
    {
        SCOPED_TRACE("only documents and unknown files");
        EditFixture f({{"1", "One"}});
        f.edit->MakeCurrentScreen(f.Page("One"));
        Dropping d(f);
        EXPECT_FALSE(d.Drop({"/x/a.doc", "/x/b.txt"}).accepted);
        EXPECT_TRUE(f.Page("One")->GetComponentList().empty());
        EXPECT_TRUE(f.prompt.Texts().isEmpty());
    }
}

} // namespace
