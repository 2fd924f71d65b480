#include "FakeCanvas.h"
#include "PictureTestSupport.h"

#include "model/ComponentImage.h"
#include "platform/CorvContext.h"
#include "platform/RandomSource.h"
#include "platform/RecordingPrompt.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>

using namespace PictureTest;

namespace {

const QString kProject = QStringLiteral("Course.kvx");

// A library root with one photo object (Cup.jpg) and its mask.
struct Library {
    explicit Library(const TempTree &tree)
    {
        context.graphicsLibraryRoot = tree / QStringLiteral("library/");
        cup = Write(tree, QStringLiteral("library/Photo_Objects/image_JPG/Cup.jpg"), Grey(60, 40, 128), ImageFormatJpg);
        Write(tree, QStringLiteral("library/Photo_Objects/mask/Cup.png"), HalfMask(60, 40), ImageFormatPng);
    }
    CCorvContext context;
    QString cup;
};

uint32_t FloatBits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

} // namespace

// Guards the frame drawn into JPEG pictures: 2% of the larger side on every side, none under 50 pixels,
// never on PNG pictures or photo objects.
TEST(ImageComponent, JpegFrameWidths)
{
    TempTree tree;
    Library library(tree);
    struct Case {
        const char *file;
        int width, height, format;
        int frame;
    } cases[] = {
        {"pics/big.jpg", 1000, 600, ImageFormatJpg, 20},
        {"pics/tall.jpg", 120, 300, ImageFormatJpg, 6},
        {"pics/small.jpg", 49, 30, ImageFormatJpg, 0},
        {"pics/flat.png", 1000, 600, ImageFormatPng, 0},
        {"library/Photo_Objects/image_JPG/Cup.jpg", 60, 40, ImageFormatJpg, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = Write(tree, QString::fromLatin1(c.file), Grey(c.width, c.height, 128), c.format);
        CComponentImage image;
        image.SetJpegBorder(1);
        image.SetImageFile(path, library.context);
        const CxImage &p = image.GetPicture();
        ASSERT_TRUE(p.IsValid());
        EXPECT_EQ(image.GetNaturalWidth(), c.width);
        const int midX = c.width / 2, midY = c.height / 2;
        ASSERT_EQ(RedAt(p, midX, midY), 128) << "the test picture does not decode exactly";
        for (int k : {c.frame - 1, c.frame}) {
            if (k < 0)
                continue;
            const int expected = k < c.frame ? 0 : 128;
            EXPECT_EQ(RedAt(p, k, midY), expected) << "left, column " << k;
            EXPECT_EQ(RedAt(p, c.width - 1 - k, midY), expected) << "right, column " << k;
            EXPECT_EQ(RedAt(p, midX, k), expected) << "bottom, row " << k;
            EXPECT_EQ(RedAt(p, midX, c.height - 1 - k), expected) << "top, row " << k;
        }
    }
}

// Guards the bevel: each band changes mid-grey by its own percentage, the corner diagonals get the row
// band's change and then the column band's (rows counted from the bottom).
TEST(ImageComponent, BevelledFrameValues)
{
    TempTree tree;
    const QString path = Write(tree, QStringLiteral("pics/grey.jpg"), Grey(1000, 600, 128), ImageFormatJpg);
    CComponentImage image;
    image.SetJpegBorder(1);
    image.SetBevelled(1);
    image.SetImageFile(path, CCorvContext::Empty());
    const CxImage &p = image.GetPicture();
    struct Pixel {
        int x, y, level;
    } pixels[] = {
        {500, 300, 128},  // inside
        {500, 5, 90},     // bottom band: -30%
        {500, 594, 166},  // top band: +30%
        {5, 300, 179},    // left band: +40%
        {994, 300, 77},   // right band: -40%
        {3, 3, 126},      // bottom-left diagonal: 128 -> 90 -> 126
        {3, 596, 232},    // top-left: 166 -> 232
        {996, 3, 54},     // bottom-right: 90 -> 54
        {996, 596, 100},  // top-right: 166 -> 100
        {19, 300, 179},   // the last column of the band
        {20, 300, 128},
    };
    for (const Pixel &px : pixels) {
        const RGBQUAD c = p.GetPixelColor(px.x, px.y, false);
        EXPECT_EQ(c.rgbRed, px.level) << px.x << "," << px.y;
        EXPECT_EQ(c.rgbGreen, px.level) << px.x << "," << px.y;
        EXPECT_EQ(c.rgbBlue, px.level) << px.x << "," << px.y;
    }
}

// Guards the names of the project copies: the author's file name made safe and lower-case with the
// extension of the format it is written in, JPEG only for JPEG sources that are no photo object.
TEST(ImageComponent, ProjectCopyNamesAndFormats)
{
    TempTree tree;
    Library library(tree);
    struct Case {
        QString source;
        int format;
        const char *stored;
        bool jpeg;
    } cases[] = {
        {QStringLiteral("pics/My Photo.JPEG"), ImageFormatJpg, "myphoto.jpg", true},
        {QStringLiteral("pics/Logo.bmp"), ImageFormatBmp, "logo.png", false},
        {QStringLiteral("pics/a<b>&c d.png"), ImageFormatPng, "abcd.png", false},
        // A name without an extension keeps its whole name.
        {QStringLiteral("pics/NoExtension"), ImageFormatPng, "noextension.png", false},
        {QStringLiteral("library/Photo_Objects/image_JPG/Cup.jpg"), ImageFormatJpg, "cup.png", false},
    };
    const QString project = tree / kProject;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        const QString path = Write(tree, c.source, Pattern(60, 40), c.format);
        CComponentImage image;
        image.SetBounds(CRect(0, 0, 60, 40), false);
        image.SetImageFile(path, library.context);
        const QByteArray record = StoreFor(image, project);
        EXPECT_EQ(FirstString(record), QString::fromLatin1(c.stored));
        const QString copy = tree / (QStringLiteral("Course/Images/") + QString::fromLatin1(c.stored));
        EXPECT_EQ(image.GetImageFile(), copy);
        EXPECT_EQ(IsJpegFile(copy), c.jpeg);
        EXPECT_EQ(IsPngFile(copy), !c.jpeg);
        EXPECT_TRUE(QFile::exists(tree / (QStringLiteral("Course/Images/Resized/") + QString::fromLatin1(c.stored))));
    }
    // The photo object's copy carries its mask as alpha: the left half opaque, the right half clear.
    const CxImage cup = Read(tree / QStringLiteral("Course/Images/cup.png"));
    ASSERT_TRUE(cup.AlphaIsValid());
    EXPECT_EQ(cup.AlphaGet(5, 20), 255);
    EXPECT_EQ(cup.AlphaGet(55, 20), 0);
}

// Guards the resized copy the publisher animates: the component's size, except for zooming and panning,
// which need the whole picture.
TEST(ImageComponent, ResizedCopySizeByEffect)
{
    TempTree tree;
    const QString path = Write(tree, QStringLiteral("pics/photo.png"), Pattern(400, 300), ImageFormatPng);
    struct Case {
        int effect;
        int width, height;
    } cases[] = {
        {CComponentImage::effectNone, 200, 100},   {CComponentImage::effectFadeIn, 200, 100},
        {CComponentImage::effectGrow, 200, 100},   {CComponentImage::effectZoomIn, 400, 300},
        {CComponentImage::effectZoomOut, 400, 300}, {CComponentImage::effectPan, 400, 300},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.effect);
        CComponentImage image;
        image.SetBounds(CRect(10, 10, 210, 110), false);
        image.SetImageFile(path, CCorvContext::Empty());
        image.SetAnimationEffect(c.effect);
        StoreFor(image, tree / kProject);
        const CxImage resized = Read(tree / QStringLiteral("Course/Images/Resized/photo.png"));
        EXPECT_EQ(resized.GetWidth(), c.width);
        EXPECT_EQ(resized.GetHeight(), c.height);
    }
}

// Guards a metafile picture: shown at its natural size with its white ground clear, written into the project
// as PNG with its resized copy at the size it was drawn at, and the metafile flag kept by the record.
TEST(ImageComponent, MetafilePictures)
{
    TempTree tree;
    MetafilesPlayed player;
    CComponentImage image;
    image.SetBounds(CRect(0, 0, 50, 30), false);
    image.SetImageFile(WriteMetafile(tree, QStringLiteral("clipart/Shapes.wmf")), CCorvContext::Empty());
    EXPECT_EQ(image.IsMetafile(), 1);
    const CxImage &picture = image.GetPicture();
    const QImage &shown = image.GetDisplayImage();
    ASSERT_EQ(picture.GetWidth(), 96);
    ASSERT_EQ(picture.GetHeight(), 48);
    ASSERT_EQ(shown.size(), QSize(96, 48));
    int white = 0, wrong = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 96; ++x) {
            const RGBQUAD c = picture.GetPixelColor(x, 47 - y, false);
            const bool isWhite = c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255;
            white += isWhite;
            wrong += qAlpha(shown.pixel(x, y)) != (isWhite ? 0 : 255);
        }
    }
    EXPECT_GT(white, 0);
    EXPECT_LT(white, 96 * 48);
    EXPECT_EQ(wrong, 0);

    const QByteArray record = StoreFor(image, tree / kProject);
    EXPECT_EQ(FirstString(record), QStringLiteral("shapes.png"));
    EXPECT_TRUE(IsPngFile(tree / QStringLiteral("Course/Images/shapes.png")));
    const CxImage resized = Read(tree / QStringLiteral("Course/Images/Resized/shapes.png"));
    EXPECT_EQ(resized.GetWidth(), 96);
    EXPECT_EQ(resized.GetHeight(), 48);
    EXPECT_EQ(record.right(4), QByteArray("\x01\0\0\0", 4));  // the metafile flag ends the record
    auto reopened = LoadFor<CComponentImage>(record, tree / kProject);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->IsMetafile(), 1);
    EXPECT_EQ(reopened->GetNaturalWidth(), 96);
}

// Guards against two pictures overwriting each other in one save: different sources with one name, and
// one source shown at two sizes (its resized copies differ), get names of their own.
TEST(ImageComponent, NameCollisionsWithinOneSave)
{
    TempTree tree;
    const QString red = Write(tree, QStringLiteral("a/photo.jpg"), Plain(40, 30, {0, 0, 255, 0}), ImageFormatJpg);
    const QString blue = Write(tree, QStringLiteral("b/photo.jpg"), Plain(40, 30, {255, 0, 0, 0}), ImageFormatJpg);
    const QString bitmap = Write(tree, QStringLiteral("c/Logo.bmp"), Plain(40, 30, {0, 255, 0, 0}), ImageFormatBmp);
    const QString png = Write(tree, QStringLiteral("d/logo.png"), Plain(40, 30, {0, 0, 0, 0}), ImageFormatPng);
    struct Case {
        QString source;
        CRect bounds;
        const char *stored;
    } cases[] = {
        {red, {0, 0, 40, 30}, "photo.jpg"},
        {blue, {0, 0, 40, 30}, "photo_2.jpg"},
        {red, {0, 0, 40, 30}, "photo.jpg"},     // the same picture at the same size: the same files
        {red, {0, 0, 20, 15}, "photo_3.jpg"},   // another size: another resized copy
        {bitmap, {0, 0, 40, 30}, "logo.png"},
        {png, {0, 0, 40, 30}, "logo_2.png"},
    };
    CPictureSaveSession session;
    std::vector<std::unique_ptr<CComponentImage>> images;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        auto image = std::make_unique<CComponentImage>();
        image->SetBounds(c.bounds, false);
        image->SetImageFile(c.source, CCorvContext::Empty());
        EXPECT_EQ(FirstString(StoreFor(*image, tree / kProject, &session)), QString::fromLatin1(c.stored));
        images.push_back(std::move(image));
    }
    EXPECT_GT(RedAt(Read(tree / QStringLiteral("Course/Images/photo.jpg")), 20, 15), 200);
    EXPECT_LT(RedAt(Read(tree / QStringLiteral("Course/Images/photo_2.jpg")), 20, 15), 50);
    EXPECT_EQ(Read(tree / QStringLiteral("Course/Images/Resized/photo_3.jpg")).GetWidth(), 20);
    EXPECT_EQ(Read(tree / QStringLiteral("Course/Images/Resized/photo.jpg")).GetWidth(), 40);
    EXPECT_EQ(Read(tree / QStringLiteral("Course/Images/logo.png")).GetPixelColor(5, 5).rgbGreen, 255);

    // The next save of the project (the components now naming their copies) gives every one its name again.
    CPictureSaveSession next;
    for (size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(FirstString(StoreFor(*images[i], tree / kProject, &next)), QString::fromLatin1(cases[i].stored));
}

// Guards against the frame growing at every save and the copies drifting: saving again, with or without
// opening the project in between, leaves both copies exactly as they were.
TEST(ImageComponent, SavingAgainLeavesTheCopiesIdentical)
{
    TempTree tree;
    const QString path = Write(tree, QStringLiteral("pics/Grey Day.jpg"), Grey(300, 200, 128), ImageFormatJpg);
    const QString project = tree / kProject;
    const QString copy = tree / QStringLiteral("Course/Images/greyday.jpg");
    const QString resized = tree / QStringLiteral("Course/Images/Resized/greyday.jpg");

    CComponentImage image;
    image.SetBounds(CRect(0, 0, 150, 100), false);
    image.SetJpegBorder(1);
    image.SetBevelled(1);
    image.SetImageFile(path, CCorvContext::Empty());
    const QByteArray record = StoreFor(image, project);
    const QByteArray firstCopy = TempTree::ReadAll(copy);
    const QByteArray firstResized = TempTree::ReadAll(resized);
    ASSERT_FALSE(firstCopy.isEmpty());
    ASSERT_FALSE(firstResized.isEmpty());
    // The frame is in both copies once: the bottom band is 90, not darkened a second time.
    EXPECT_NEAR(RedAt(Read(copy), 150, 2), 90, 8);
    EXPECT_NEAR(RedAt(Read(resized), 75, 1), 90, 8);

    EXPECT_EQ(StoreFor(image, project), record);
    EXPECT_EQ(TempTree::ReadAll(copy), firstCopy);
    EXPECT_EQ(TempTree::ReadAll(resized), firstResized);

    auto reopened = LoadFor<CComponentImage>(record, project);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->GetImageFile(), copy);
    EXPECT_EQ(reopened->GetNaturalWidth(), 300);
    reopened->SetJpegBorder(1);
    reopened->SetBevelled(1);
    reopened->Show();
    EXPECT_NEAR(RedAt(reopened->GetPicture(), 150, 2), 90, 8);
    EXPECT_EQ(StoreFor(*reopened, project), record);
    EXPECT_EQ(TempTree::ReadAll(copy), firstCopy);
    EXPECT_EQ(TempTree::ReadAll(resized), firstResized);
}

// Guards against a save that cannot write the copy reported as done: the archive's writer learns of it to
// tell the author, and the component keeps naming the picture it has.
TEST(ImageComponent, CopyThatCannotBeWrittenIsReported)
{
    TempTree tree;
    const QString path = Write(tree, QStringLiteral("pics/photo.png"), Pattern(40, 30), ImageFormatPng);
    tree.MakeFolder(QStringLiteral("Course/Images/photo.png"));  // a folder where the copy would go
    CRecordingPrompt prompt;
    CCorvContext context;
    context.prompt = &prompt;
    CComponentImage image;
    image.SetImageFile(path, context);
    CArchive ar;
    ar.SetFilePath(tree / kProject);
    ar.SetContext(&context);
    image.SerializeComponent(ar);
    EXPECT_EQ(FirstString(ar.GetBuffer()), QStringLiteral("photo.png"));
    EXPECT_EQ(image.GetImageFile(), path);
    // Noted on the archive for the one message its writer shows, never a box per picture.
    EXPECT_EQ(ar.GetFailedCopyFiles(), QStringList{path});
    EXPECT_TRUE(prompt.Entries().isEmpty());
}

// Guards the record: a full-size popup is stored with the screen's size, only the markers in use are
// written, floats travel bit for bit, and a marker count that no record can hold is refused.
TEST(ImageComponent, RecordFields)
{
    CComponentImage image(nullptr);
    image.SetBounds(CRect(5, 6, 105, 86), false);
    image.SetAltText(QStringLiteral("A gull"));
    image.SetKeywords(QStringLiteral("bird, coast"));
    image.SetLink(1, 42, QStringLiteral("http://x"), 1, 0, 1, 300, 400);
    image.SetAnimationEffect(CComponentImage::effectPan);
    image.m_markerCount = 4;
    image.m_timeToComplete = 0.1f;
    image.m_scale = 1e-30f;
    image.m_waitAtEachMarker = -2.5f;
    for (int i = 0; i < 4; ++i)
        image.m_markers[size_t(i)] = CRect(i, i + 1, i + 2, i + 3);
    const QByteArray record = StoreFor(image, QStringLiteral("/nowhere/Course.kvx"));
    // Head 20, six strings, 16 ints, five floats, the marquee and 4 markers of 16 bytes.
    CArchive strings;
    for (const char *s : {"", "A gull", "", "bird, coast", "http://x", ""})
        strings.WriteString(QString::fromLatin1(s));
    EXPECT_EQ(record.size(), 20 + strings.GetBuffer().size() + 4 * 16 + 4 * 5 + 16 + 4 * 16);

    auto loaded = LoadFor<CComponentImage>(record, QStringLiteral("/nowhere/Course.kvx"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetAltText(), QStringLiteral("A gull"));
    EXPECT_EQ(loaded->GetLink().GetStoredPopupHeight(), 560);
    EXPECT_EQ(loaded->GetLink().GetStoredPopupWidth(), 1008);
    EXPECT_EQ(loaded->GetLink().GetTargetScreen(), 42);
    EXPECT_EQ(loaded->GetLink().GetNumber(), -1);
    EXPECT_EQ(FloatBits(loaded->m_timeToComplete), FloatBits(0.1f));
    EXPECT_EQ(FloatBits(loaded->m_scale), FloatBits(1e-30f));
    EXPECT_EQ(FloatBits(loaded->m_waitAtEachMarker), FloatBits(-2.5f));
    EXPECT_EQ(loaded->m_markers[3], CRect(3, 4, 5, 6));
    // Markers beyond the count keep the defaults.
    EXPECT_EQ(loaded->m_markers[4], CRect(116, 188, 155, 245));
    EXPECT_EQ(loaded->m_markers[11], CRect(319, 517, 358, 574));
    EXPECT_EQ(StoreFor(*loaded, QStringLiteral("/nowhere/Course.kvx")), record);

    for (int count : {13, -1, 0x7FFFFFFF}) {
        SCOPED_TRACE(count);
        CComponentImage bad(nullptr);
        bad.m_markerCount = 0;
        QByteArray bytes = StoreFor(bad, QStringLiteral("/nowhere/Course.kvx"));
        // The marker count follows the strings and link, the effect, the acceleration, two floats and the
        // title.
        CArchive in(bytes);
        in.ReadInt();
        in.ReadRect();
        for (int i = 0; i < 4; ++i)
            in.ReadString();
        for (int i = 0; i < 5; ++i)
            in.ReadInt();
        in.ReadString();
        for (int i = 0; i < 6; ++i)
            in.ReadInt();
        in.ReadFloat();
        in.ReadFloat();
        in.ReadString();
        const qint64 at = in.GetPosition();
        ASSERT_EQ(in.ReadInt(), 0);
        std::memcpy(bytes.data() + at, &count, 4);
        CArchive ar(bytes);
        try {
            CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
            ADD_FAILURE() << "an impossible marker count was read";
        } catch (const CArchiveException &e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
        }
    }
}

// Guards the random effects of imported pictures against the tables the publisher's layouts assume, with a
// fixed random source: which effect, and the marquee and markers laid out for a 400 x 300 picture.
TEST(ImageComponent, RandomEffects)
{
    TempTree tree;
    Library library(tree);
    using Markers = std::vector<std::pair<int, int>>;
    struct Case {
        const char *name;
        CImageEffectFlags allowed;
        bool photoObject;
        std::initializer_list<int> draws;
        int effect;
        CRect marquee;
        float timeToEachMarker;
        int markerCount;
        Markers markers;  // left, top of the markers laid out
    } cases[] = {
        {"pan, variant 2 after a refused draw", {0, 0, 1, 0}, false, {1, 2, 2}, CComponentImage::effectPan,
         {0, 180, 160, 300}, 2.0f, 4, {{106, 83}, {186, 46}, {265, 83}, {306, 206}}},
        {"pan, variant 0", {0, 0, 1, 0}, false, {2, 0}, CComponentImage::effectPan, {0, 90, 160, 210}, 6.0f, 1,
         {{306, 136}}},
        {"pan, variant 3", {0, 0, 1, 0}, false, {2, 3}, CComponentImage::effectPan, {240, 180, 400, 300}, 2.0f, 4,
         {{265, 83}, {186, 46}, {105, 83}, {66, 179}}},
        {"pan, variant 4", {0, 0, 1, 0}, false, {2, 4}, CComponentImage::effectPan, {0, 0, 160, 120}, 2.0f, 4,
         {{106, 173}, {186, 226}, {265, 173}, {306, 66}}},
        {"pan, variant 5", {0, 0, 1, 0}, false, {2, 5}, CComponentImage::effectPan, {240, 0, 400, 120}, 2.0f, 4,
         {{266, 173}, {186, 226}, {105, 173}, {66, 46}}},
        {"pan, variant 1", {0, 0, 1, 0}, false, {2, 1}, CComponentImage::effectPan, {240, 90, 400, 210}, 6.0f, 1,
         {{66, 136}}},
        {"zoom in, top right", {1, 0, 0, 0}, false, {0, 5}, CComponentImage::effectZoomIn, {240, 0, 400, 120}, 2.0f, 1,
         {}},
        {"zoom out, centre", {0, 1, 0, 0}, false, {1, 8}, CComponentImage::effectZoomOut, {120, 90, 280, 210}, 2.0f,
         1, {}},
        {"fade in", {0, 0, 0, 1}, false, {3}, CComponentImage::effectFadeIn, {}, 2.0f, 1, {}},
        {"photo object grows", {1, 0, 0, 0}, true, {0}, CComponentImage::effectGrow, {120, 180, 280, 300}, 2.0f, 1,
         {}},
        // A source that keeps drawing a refused effect still ends.
        {"endless refusals", {0, 1, 0, 0}, false, {}, CComponentImage::effectZoomOut, {0, 90, 160, 210}, 2.0f, 1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CComponentImage image(nullptr);
        image.SetBounds(CRect(10, 20, 410, 320), false);
        if (c.photoObject)
            image.SetImageFile(library.cup, library.context);
        ASSERT_EQ(image.IsPhotoObject(), c.photoObject ? 1 : 0);
        image.m_acceleration = 2;
        image.m_clickStart = 1;
        image.m_scale = 0.5f;
        CScriptedRandom random(c.draws);
        image.ChooseRandomEffect(random, c.allowed);
        EXPECT_EQ(image.GetAnimationEffect(), c.effect);
        EXPECT_EQ(image.GetStartRect(), c.marquee);
        EXPECT_EQ(image.m_timeToEachMarker, c.timeToEachMarker);
        EXPECT_EQ(image.m_markerCount, c.markerCount);
        for (size_t i = 0; i < c.markers.size(); ++i) {
            const auto [left, top] = c.markers[i];
            EXPECT_EQ(image.m_markers[i], CRect(left, top, left + 29, top + 47)) << "marker " << i;
        }
        EXPECT_EQ(image.m_timeToComplete, 6.0f);
        EXPECT_EQ(image.m_waitBeforeStart, 1.0f);
        EXPECT_EQ(image.m_acceleration, 0);
        EXPECT_EQ(image.m_clickStart, 0);
        EXPECT_EQ(image.m_scale, 1.0f);
        EXPECT_EQ(image.m_ownCoordinates, 1);
    }

    // Nothing allowed: nothing changes.
    CComponentImage untouched(nullptr);
    untouched.SetBounds(CRect(0, 0, 400, 300), false);
    CScriptedRandom random({2, 2, 2});
    untouched.ChooseRandomEffect(random, {});
    EXPECT_EQ(untouched.GetAnimationEffect(), 0);
    EXPECT_EQ(untouched.m_ownCoordinates, 0);
    EXPECT_EQ(untouched.m_timeToEachMarker, 2.0f);
}

// Guards copy and paste: the copy has everything the author gave the picture, alternative text and link
// included, at the paste position.
TEST(ImageComponent, CloneCopiesEveryField)
{
    TempTree tree;
    FakeCanvas canvas;
    const QString path = Write(tree, QStringLiteral("pics/photo.png"), Pattern(40, 30), ImageFormatPng);
    CComponentImage image(&canvas);
    image.SetBounds(CRect(500, 300, 600, 350), true);
    image.SetImageFile(path, CCorvContext::Empty());
    image.SetAltText(QStringLiteral("Terns"));
    image.SetKeywords(QStringLiteral("birds"));
    image.SetJpegBorder(1);
    image.SetBevelled(1);
    image.SetLink(0, -1, QStringLiteral("http://x"), 1, 0, 0, 200, 300);
    image.SetAnimationEffect(CComponentImage::effectZoomOut);
    image.SetTitleText(QStringLiteral("Title"));
    image.m_markers[7] = CRect(1, 2, 3, 4);
    image.m_timeToEachMarker = 3.5f;

    auto copy = image.Clone(false);
    auto &c = dynamic_cast<CComponentImage &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 136, 82));
    EXPECT_EQ(c.GetParentCanvas(), &canvas);
    EXPECT_EQ(c.GetImageFile(), path);
    EXPECT_EQ(c.GetPicture().GetWidth(), 40);
    EXPECT_EQ(c.GetAltText(), QStringLiteral("Terns"));
    EXPECT_EQ(c.GetKeywords(), QStringLiteral("birds"));
    EXPECT_EQ(c.GetJpegBorder(), 1);
    EXPECT_EQ(c.GetBorderStyle(), 1);
    EXPECT_EQ(c.IsLinked(), 1);
    EXPECT_EQ(c.GetLink(), image.GetLink());
    EXPECT_EQ(c.GetAnimationEffect(), CComponentImage::effectZoomOut);
    EXPECT_EQ(c.GetTitleText(), QStringLiteral("Title"));
    EXPECT_EQ(c.m_markers[7], CRect(1, 2, 3, 4));
    EXPECT_EQ(c.m_timeToEachMarker, 3.5f);
    EXPECT_EQ(image.Clone(true)->GetBounds(), CRect(500, 300, 600, 350));
}

// Guards what the canvas shows: the picture as loaded (a photo object with its mask as alpha), none while
// the screen is not shown, and the component painted into a thumbnail.
TEST(ImageComponent, DisplayImage)
{
    TempTree tree;
    Library library(tree);
    FakeCanvas canvas;
    CComponentImage image(&canvas);
    image.SetBounds(CRect(0, 0, 60, 40), true);
    image.Show(); // a shown component has its window, and its window the picture at its size
    image.SetImageFile(library.cup, library.context);
    ASSERT_EQ(image.GetDisplayImage().size(), QSize(60, 40));
    EXPECT_EQ(qAlpha(image.GetDisplayImage().pixel(5, 20)), 255);
    EXPECT_EQ(qAlpha(image.GetDisplayImage().pixel(55, 20)), 0);
    image.Hide();
    EXPECT_TRUE(image.GetDisplayImage().isNull());
    image.Show();
    EXPECT_EQ(image.GetDisplayImage().size(), QSize(60, 40));
    EXPECT_TRUE(FakeCanvas::WindowOf(image)->visible);

    QImage thumbnail(80, 60, QImage::Format_ARGB32);
    thumbnail.fill(Qt::white);
    QPainter painter(&thumbnail);
    image.Draw(painter);
    painter.end();
    EXPECT_NEAR(qRed(thumbnail.pixel(10, 20)), 128, 4);
    EXPECT_EQ(thumbnail.pixel(50, 20), qRgb(255, 255, 255));

    // A picture that cannot be loaded leaves nothing to show.
    image.SetImageFile(tree / QStringLiteral("pics/missing.png"), library.context);
    EXPECT_TRUE(image.GetDisplayImage().isNull());
    EXPECT_FALSE(image.GetPicture().IsValid());
}
