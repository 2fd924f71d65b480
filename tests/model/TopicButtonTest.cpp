#include "FakeCanvas.h"
#include "PictureTestSupport.h"

#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentSmallTopic.h"
#include "platform/CorvContext.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace PictureTest;

namespace {

// A graphics library that records what it was asked and answers with one file name.
class FakeLibrary : public CGraphicsLibrarySearch
{
public:
    void SetUseColourPhotos(int use) override { log.append(QStringLiteral("colour=%1").arg(use)); }
    void SetUseBwPhotos(int use) override { log.append(QStringLiteral("bw=%1").arg(use)); }
    void SetUsePhotoObjects(int use) override { log.append(QStringLiteral("objects=%1").arg(use)); }
    void SetUseClipArt(int use) override { log.append(QStringLiteral("clipart=%1").arg(use)); }
    void SetRandomChoice(int random) override { log.append(QStringLiteral("random=%1").arg(random)); }
    int FindImageForText(const QString &text, QString &fileName, QString &workText) override
    {
        log.append(QStringLiteral("find ") + text);
        fileName = answer;
        workText = QStringLiteral("matched");
        return answer.isEmpty() ? 0 : 1;
    }
    // The filters set last, as "kind=flag" words.
    QStringList Filters() const { return log.filter(QStringLiteral("=")); }

    QString answer;
    QStringList log;
};

const QString kProject = QStringLiteral("Course.kvx");

} // namespace

// Guards the numbering of the rendered pictures: one count across every button of a save, large and small
// alike, started again by the next save.
TEST(TopicButton, RenderedPicturesAreNumberedAcrossTheSave)
{
    TempTree tree;
    const QString picture = Write(tree, QStringLiteral("pics/gull.png"), Pattern(400, 300), ImageFormatPng);
    CComponentLargeTopic first, second;
    CComponentSmallTopic third;
    for (CComponentTopicButton *button : {static_cast<CComponentTopicButton *>(&first),
                                          static_cast<CComponentTopicButton *>(&second),
                                          static_cast<CComponentTopicButton *>(&third)})
        button->SetPicture(picture, CCorvContext::Empty());

    int counter = 0;  // the document's counter, set to 0 before the screens are written
    CPictureSaveSession session([&counter] { return counter++; });
    const QString project = tree / kProject;
    struct Expected {
        CComponentTopicButton *button;
        const char *name;
        const char *file;
    } expected[] = {
        {&first, "mm0.png", "Course/Images/MM/mm0.png"},
        {&second, "mm1.png", "Course/Images/MM/mm1.png"},
        {&third, "m2.png", "Course/Images/M/m2.png"},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.name);
        const QByteArray record = StoreFor(*e.button, project, &session);
        CArchive in(record);
        in.ReadInt();
        in.ReadRect();
        in.ReadString();
        in.ReadInt();
        EXPECT_EQ(in.ReadString(), QString::fromLatin1(e.name));
        EXPECT_TRUE(IsPngFile(tree / QString::fromLatin1(e.file)));
        EXPECT_EQ(e.button->GetRenderedPath(), tree / QString::fromLatin1(e.file));
    }
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("Course/Images/M/png8/m2.png")),
              TempTree::ReadAll(tree / QStringLiteral("Course/Images/M/m2.png")));
    EXPECT_EQ(counter, 3);

    // A button stored on its own numbers from 0.
    CComponentLargeTopic alone;
    alone.SetPicture(picture, CCorvContext::Empty());
    StoreFor(alone, project);
    EXPECT_EQ(alone.GetRenderedPath(), tree / QStringLiteral("Course/Images/MM/mm0.png"));
}

// Guards the size each button renders its picture at: its own display size, worked out from its own
// picture, not from whichever button was drawn last (nor 0 x 0 when none was drawn).
TEST(TopicButton, EachButtonRendersAtItsOwnDisplaySize)
{
    TempTree tree;
    struct Case {
        bool large;
        int width, height;
        int renderedWidth, renderedHeight;
    } cases[] = {
        {true, 400, 300, 193, 145}, {true, 150, 600, 36, 145}, {true, 100, 50, 100, 50},  // never enlarged
        {false, 400, 300, 38, 28},  {false, 30, 60, 19, 38},   {false, 10, 10, 38, 38},   // always 38
    };
    CPictureSaveSession session;
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString path = Write(tree, QStringLiteral("pics/p%1.png").arg(n), Pattern(c.width, c.height), ImageFormatPng);
        std::unique_ptr<CComponentTopicButton> button;
        if (c.large)
            button = std::make_unique<CComponentLargeTopic>();
        else
            button = std::make_unique<CComponentSmallTopic>();
        button->SetPicture(path, CCorvContext::Empty());
        EXPECT_EQ(button->GetDisplaySize(), QSize(c.renderedWidth, c.renderedHeight));
        StoreFor(*button, tree / kProject, &session);
        const CxImage rendered = Read(button->GetRenderedPath());
        EXPECT_EQ(rendered.GetWidth(), c.renderedWidth);
        EXPECT_EQ(rendered.GetHeight(), c.renderedHeight);
        ++n;
    }
}

// Guards a button that shows its screen's thumbnail: it takes no picture of its own and writes none, yet
// stores a rendered name and uses up a number.
TEST(TopicButton, ThumbnailButtonTakesNoPictureButUsesANumber)
{
    TempTree tree;
    FakeLibrary library;
    library.answer = QStringLiteral("gull.png");
    const CTopicPictureSource source{CCorvContext::Empty(), &library, {}};
    CComponentLargeTopic button;
    button.SetThumbnailIndex(3, source);
    button.SetTitleAndPicture(QStringLiteral("Gulls"), QString(), source);
    EXPECT_EQ(button.GetTitle(), QStringLiteral("Gulls"));
    EXPECT_TRUE(library.log.isEmpty());
    EXPECT_FALSE(button.GetPicture().IsValid());
    EXPECT_EQ(button.GetDisplaySize(), QSize(200, 145));

    CPictureSaveSession session;
    const QByteArray record = StoreFor(button, tree / kProject, &session);
    CArchive in(record);
    in.ReadInt();
    in.ReadRect();
    EXPECT_EQ(in.ReadString(), QStringLiteral("Gulls"));
    EXPECT_EQ(in.ReadInt(), 3);
    EXPECT_EQ(in.ReadString(), QStringLiteral("mm0.png"));
    EXPECT_FALSE(QFile::exists(tree / QStringLiteral("Course/Images/MM/mm0.png")));
    EXPECT_EQ(session.TakeTopicButtonNumber(), 1);
}

// Guards the library search: exactly one kind of picture, the first the course allows in the order photo
// objects, colour, black and white, clip art (photo objects when none is), chosen at random.
TEST(TopicButton, LibrarySearchSetsExactlyOneKind)
{
    struct Case {
        CLibraryPictureKinds kinds;
        const char *chosen;
    } cases[] = {
        {{1, 1, 1, 1}, "objects"}, {{0, 1, 1, 1}, "colour"}, {{0, 0, 1, 1}, "bw"},
        {{0, 0, 0, 1}, "clipart"}, {{0, 0, 0, 0}, "objects"}, {{2, 0, 1, 0}, "bw"},  // only 1 counts as set
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chosen);
        FakeLibrary library;
        library.answer = QStringLiteral("Gull.jpg");
        QString name;
        const int found = CComponentTopicButton::FindLibraryPictureForText(
            QStringLiteral("Sea birds"), name, {CCorvContext::Empty(), &library, c.kinds});
        EXPECT_EQ(found, 1);
        EXPECT_EQ(name, QStringLiteral("Gull.jpg"));
        QStringList set;
        for (const QString &filter : library.Filters())
            if (filter.endsWith(QStringLiteral("=1")))
                set.append(filter.section(u'=', 0, 0));
        EXPECT_EQ(set, QStringList({QString::fromLatin1(c.chosen), QStringLiteral("random")}));
        EXPECT_EQ(library.Filters().size(), 5);
        EXPECT_EQ(library.log.last(), QStringLiteral("find Sea birds"));
    }
    QString name = QStringLiteral("stale");
    EXPECT_EQ(CComponentTopicButton::FindLibraryPictureForText(QStringLiteral("x"), name, {CCorvContext::Empty(), nullptr, {}}), -1);
    EXPECT_TRUE(name.isEmpty());
}

// Guards a button given no picture: the library's picture for its title, found in the library's folders,
// and a photo object with its mask.
TEST(TopicButton, TitleWithoutPictureTakesTheLibrarysPicture)
{
    TempTree tree;
    CCorvContext context;
    context.graphicsLibraryRoot = tree / QStringLiteral("library/");
    Write(tree, QStringLiteral("library/Photo_Objects/image_JPG/Cup.jpg"), Grey(60, 40, 128), ImageFormatJpg);
    Write(tree, QStringLiteral("library/Photo_Objects/mask/Cup.png"), HalfMask(60, 40), ImageFormatPng);
    FakeLibrary library;
    library.answer = QStringLiteral("cup.JPG");  // libraries copied from Windows spell names every way
    CComponentSmallTopic button;
    button.SetTitleAndPicture(QStringLiteral("Tea time"), QString(), {context, &library, {}});
    EXPECT_EQ(button.GetPicturePath(), tree / QStringLiteral("library/Photo_Objects/image_JPG/Cup.jpg"));
    EXPECT_EQ(button.HasPhotoMask(), 1);
    ASSERT_TRUE(button.GetPicture().AlphaIsValid());
    EXPECT_EQ(button.GetPicture().AlphaGet(55, 20), 0);

    // Nothing found leaves the button as it is.
    library.answer.clear();
    CComponentLargeTopic none;
    none.SetTitleAndPicture(QStringLiteral("Nothing"), QString(), {context, &library, {}});
    EXPECT_TRUE(none.GetPicturePath().isEmpty());
    EXPECT_FALSE(none.GetPicture().IsValid());
}

// Guards the project round trip: after opening the project the button's picture is its rendered file,
// and saving again renders the very same pixels.
TEST(TopicButton, ReopenedButtonRendersTheSamePicture)
{
    TempTree tree;
    const QString project = tree / kProject;
    for (bool large : {true, false}) {
        SCOPED_TRACE(large);
        const QString picture = Write(tree, QStringLiteral("pics/Sea Gull.png"), Pattern(300, 200), ImageFormatPng);
        std::unique_ptr<CComponentTopicButton> button;
        if (large)
            button = std::make_unique<CComponentLargeTopic>();
        else
            button = std::make_unique<CComponentSmallTopic>();
        button->SetBounds(CRect(10, 10, 220, 180), false);
        button->SetTitle(QStringLiteral("Gulls"));
        button->SetPicture(picture, CCorvContext::Empty());
        const QByteArray record = StoreFor(*button, project);
        const QString rendered = button->GetRenderedPath();
        const QByteArray first = TempTree::ReadAll(rendered);
        ASSERT_FALSE(first.isEmpty());
        // The own picture is kept in the project as a PNG under its safe, lower-case name.
        EXPECT_EQ(button->GetPicturePath(), tree / QStringLiteral("Course/Images/seagull.png"));

        std::unique_ptr<CComponentTopicButton> reopened;
        if (large)
            reopened = LoadFor<CComponentLargeTopic>(record, project);
        else
            reopened = LoadFor<CComponentSmallTopic>(record, project);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->GetPicturePath(), rendered);
        EXPECT_EQ(reopened->GetTitle(), QStringLiteral("Gulls"));
        EXPECT_EQ(reopened->GetBounds(), CRect(10, 10, 220, 180));
        EXPECT_EQ(StoreFor(*reopened, project), record);
        EXPECT_EQ(TempTree::ReadAll(rendered), first);
    }
}

// Guards copy and paste: the copy shows the same title and picture at once.
TEST(TopicButton, CloneCarriesTitleAndPicture)
{
    TempTree tree;
    FakeCanvas canvas;
    const QString picture = Write(tree, QStringLiteral("pics/tern.png"), Pattern(80, 60), ImageFormatPng);
    CComponentSmallTopic button(&canvas);
    button.SetBounds(CRect(500, 300, 600, 350), true);
    button.SetTitle(QStringLiteral("Terns"));
    button.SetPicture(picture, CCorvContext::Empty());
    button.SetShowPicture(0);
    auto copy = button.Clone(false);
    auto &c = dynamic_cast<CComponentSmallTopic &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 136, 82));
    EXPECT_EQ(c.GetTitle(), QStringLiteral("Terns"));
    EXPECT_EQ(c.GetPicturePath(), picture);
    EXPECT_EQ(c.GetThumbnailIndex(), -1);
    EXPECT_EQ(c.GetPicture().GetWidth(), 80);
    EXPECT_EQ(c.GetShowPicture(), 0);
    EXPECT_EQ(c.GetParentCanvas(), &canvas);
    c.Show();
    EXPECT_GT(FakeCanvas::WindowOf(c)->updates, 0);
}

// Guards a picture that cannot be loaded: the large button shows none (never a blank picture of the old
// size), the small one keeps the picture it had.
TEST(TopicButton, PictureThatCannotBeLoaded)
{
    TempTree tree;
    const QString picture = Write(tree, QStringLiteral("pics/tern.png"), Pattern(80, 60), ImageFormatPng);
    const QString missing = tree / QStringLiteral("pics/missing.png");
    CComponentLargeTopic large;
    large.SetPicture(picture, CCorvContext::Empty());
    large.SetPicture(missing, CCorvContext::Empty());
    EXPECT_FALSE(large.GetPicture().IsValid());
    EXPECT_TRUE(large.GetDisplaySize().isEmpty());
    CComponentSmallTopic small;
    small.SetPicture(picture, CCorvContext::Empty());
    small.SetPicture(missing, CCorvContext::Empty());
    EXPECT_EQ(small.GetPicture().GetWidth(), 80);
}

// Guards the own picture kept in "Images" against another component's picture of the same name in the
// same save.
TEST(TopicButton, OwnPictureDoesNotOverwriteAnImagesPicture)
{
    TempTree tree;
    const QString project = tree / kProject;
    const QString logo = Write(tree, QStringLiteral("a/logo.png"), Plain(40, 30, {255, 0, 0, 0}), ImageFormatPng);
    const QString other = Write(tree, QStringLiteral("b/Logo.bmp"), Plain(40, 30, {0, 0, 255, 0}), ImageFormatBmp);
    CPictureSaveSession session;
    CComponentImage image;
    image.SetImageFile(logo, CCorvContext::Empty());
    StoreFor(image, project, &session);
    CComponentLargeTopic button;
    button.SetPicture(other, CCorvContext::Empty());
    StoreFor(button, project, &session);
    EXPECT_EQ(button.GetPicturePath(), tree / QStringLiteral("Course/Images/logo_2.png"));
    EXPECT_EQ(Read(tree / QStringLiteral("Course/Images/logo.png")).GetPixelColor(5, 5).rgbBlue, 255);
    EXPECT_EQ(Read(tree / QStringLiteral("Course/Images/logo_2.png")).GetPixelColor(5, 5).rgbRed, 255);
}

// Guards a large button's metafile picture: held at the picture area's size with its white ground clear and
// the fitted flag stored; once the project is opened again the rendered file is not resampled a second time.
TEST(TopicButton, MetafileHeldAtThePictureAreaSize)
{
    TempTree tree;
    MetafilesPlayed player;
    CComponentLargeTopic button;
    button.SetBounds(CRect(0, 0, 204, 180), false);
    button.SetPicture(WriteMetafile(tree, QStringLiteral("clipart/Shapes.wmf")), CCorvContext::Empty());
    EXPECT_EQ(button.IsFitted(), 1);
    ASSERT_EQ(button.GetPicture().GetWidth(), CComponentLargeTopic::kPictureWidth);
    ASSERT_EQ(button.GetPicture().GetHeight(), CComponentLargeTopic::kPictureHeight);
    const RGBQUAD clear = button.GetPicture().GetTransColor();
    EXPECT_TRUE(button.GetPicture().IsTransparent());
    EXPECT_EQ(clear.rgbRed + clear.rgbGreen + clear.rgbBlue, 3 * 255);

    const QString project = tree / kProject;
    const QByteArray record = StoreFor(button, project);
    const QString rendered = tree / QStringLiteral("Course/Images/MM/mm0.png");
    const QByteArray firstRendering = TempTree::ReadAll(rendered);
    EXPECT_EQ(Read(rendered).GetWidth(), CComponentLargeTopic::kPictureWidth);
    EXPECT_EQ(Read(rendered).GetHeight(), CComponentLargeTopic::kPictureHeight);
    EXPECT_EQ(record.right(4), QByteArray("\x01\0\0\0", 4));  // the fitted flag ends the record

    auto reopened = LoadFor<CComponentLargeTopic>(record, project);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->IsFitted(), 1);
    EXPECT_EQ(StoreFor(*reopened, project), record);
    EXPECT_EQ(TempTree::ReadAll(rendered), firstRendering);
}

// Guards a large button whose metafile picture is replaced by another kind of picture: the new picture
// is rendered at its own display size, not squeezed into 200 x 145 as the metafile was.
TEST(TopicButton, OnlyMetafilesAreHeldAtTheFixedSize)
{
    TempTree tree;
    CArchive old;
    old.WriteInt(ct_large_topic);
    old.WriteRect(CRect(0, 0, 210, 180));
    old.WriteString(QStringLiteral("Gulls"));
    old.WriteInt(-1);
    old.WriteString(QStringLiteral("mm0.png"));
    old.WriteInt(0);
    old.WriteInt(1);  // fitted: its picture was a metafile
    auto button = LoadFor<CComponentLargeTopic>(old.GetBuffer(), tree / kProject);
    ASSERT_TRUE(button);
    ASSERT_EQ(button->IsFitted(), 1);
    button->SetPicture(Write(tree, QStringLiteral("pics/gull.png"), Pattern(400, 300), ImageFormatPng),
                       CCorvContext::Empty());
    EXPECT_EQ(button->IsFitted(), 0);
    EXPECT_EQ(button->GetPicture().GetWidth(), 400);
    StoreFor(*button, tree / kProject);
    EXPECT_EQ(Read(button->GetRenderedPath()).GetWidth(), 193);
}
