#include "FakeCanvas.h"
#include "PictureTestSupport.h"

#include "model/ComponentPartIdentification.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

using namespace PictureTest;

namespace {

const QString kProject = QStringLiteral("Course.kvx");

// A record at the current schema, written field by field.
QByteArray Record(const QString &imageFile, float scale, int targetCount)
{
    CArchive ar;
    ar.WriteInt(ct_part_identification);
    ar.WriteRect(CRect(10, 10, 1014, 500));
    ar.WriteString(QStringLiteral("Find the valve"));
    ar.WriteString(imageFile);
    ar.WriteFloat(scale);
    for (int i = 0; i < 10; ++i)
        ar.WriteRect(CRect(i, i, i + 30, i + 30));
    ar.WriteInt(targetCount);
    ar.WriteInt(1);
    ar.WriteInt(1);
    ar.WriteString(QStringLiteral("Right"));
    ar.WriteString(QStringLiteral("Wrong"));
    ar.WriteInt(255);
    return ar.GetBuffer();
}

uint32_t FloatBits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

// The scale stored in a record: after the head, the question text and the image file.
float StoredScale(const QByteArray &record)
{
    CArchive in(record);
    in.ReadInt();
    in.ReadRect();
    in.ReadString();
    in.ReadString();
    return in.ReadFloat();
}

} // namespace

// Guards the layout of the 750 x 300 picture area, which places the published targets: natural size
// centred along the top, reduced to fit when allowed and needed, from the corner when too large.
TEST(PartIdentification, PictureLayout)
{
    struct Case {
        int width, height;
        bool reduce;
        CRect rect;
    } cases[] = {
        {400, 200, false, {175, 0, 575, 200}}, {400, 200, true, {175, 0, 575, 200}},
        {1500, 300, true, {0, 0, 750, 150}},   {1500, 600, true, {0, 0, 750, 300}},
        {300, 600, true, {300, 0, 450, 300}},  {1000, 500, false, {0, 0, 1000, 500}},
        {750, 100, true, {0, 0, 750, 100}},    {750, 100, false, {0, 0, 750, 100}},
        {301, 100, false, {225, 0, 526, 100}}, {0, 0, true, {0, 0, 750, 300}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CComponentPartIdentification::LayoutPicture(c.width, c.height, c.reduce), c.rect)
            << c.width << " x " << c.height << (c.reduce ? " reduced" : "");
}

// Guards where the publisher puts the targets: relative to the picture's corner as the area shows it,
// and the shown size it reports.
TEST(PartIdentification, TargetsOnThePicture)
{
    TempTree tree;
    struct Case {
        int width, height, reduce;
        CRect target, onImage;
        int shownWidth, shownHeight;
    } cases[] = {
        {300, 600, 1, {310, 20, 340, 50}, {10, 20, 40, 50}, 150, 300},
        {300, 600, 0, {10, 20, 40, 50}, {10, 20, 40, 50}, 300, 600},
        {400, 200, 0, {185, 5, 215, 35}, {10, 5, 40, 35}, 400, 200},
        {1500, 300, 1, {100, 100, 130, 130}, {100, 100, 130, 130}, 750, 150},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        const QString path = Write(tree, QStringLiteral("p.png"), Pattern(c.width, c.height), ImageFormatPng);
        CComponentPartIdentification q;
        q.m_reduceToFit = c.reduce;
        q.SetImageFile(path);
        q.SetTargetRect(c.target.left, c.target.top, c.target.right, c.target.bottom, 2);
        EXPECT_EQ(q.GetTargetRect(2), c.target);
        EXPECT_EQ(q.GetTargetRectOnImage(2), c.onImage);
        EXPECT_EQ(q.GetImageWidth(), c.shownWidth);
        EXPECT_EQ(q.GetImageHeight(), c.shownHeight);
    }
    CComponentPartIdentification q;
    q.SetTargetRect(1, 2, 3, 4, 10);
    q.SetTargetRect(1, 2, 3, 4, -1);
    EXPECT_EQ(q.GetTargetRect(10), CRect());
}

// Guards the question picture of the project: a bitmap written as PNG under its name without blanks, its
// case kept, the record naming it by full path; a picture that cannot be shown names where it would be.
TEST(PartIdentification, QuestionPictureIsWrittenAsShown)
{
    TempTree tree;
    const QString source = Write(tree, QStringLiteral("plans/Wiring Plan.bmp"), Pattern(200, 100), ImageFormatBmp);
    CComponentPartIdentification q;
    q.SetImageFile(source);
    const QByteArray record = StoreFor(q, tree / kProject);
    const QString copy = tree / QStringLiteral("Course/Images/Questions/WiringPlan.png");
    EXPECT_TRUE(IsPngFile(copy));
    EXPECT_EQ(q.GetImageFile(), copy);
    EXPECT_EQ(StoredScale(record), 1.0f);
    auto loaded = LoadFor<CComponentPartIdentification>(record, tree / kProject);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetImageFile(), copy);
    EXPECT_EQ(loaded->GetPictureWidth(), 200);
    EXPECT_EQ(StoreFor(*loaded, tree / kProject), record);

    CComponentPartIdentification missing;
    missing.SetImageFile(tree / QStringLiteral("plans/Gone Plan.png"));
    StoreFor(missing, tree / kProject);
    EXPECT_EQ(missing.GetImageFile(), tree / QStringLiteral("plans/Gone Plan.png"));
    CComponentPartIdentification empty;
    StoreFor(empty, tree / kProject);
    EXPECT_TRUE(empty.GetImageFile().isEmpty());
}

// Guards a reduced picture: written at the shown size with the factor that gives its natural size back,
// so the project opens with the same layout and saves again unchanged.
TEST(PartIdentification, ReducedPictureKeepsItsNaturalSize)
{
    TempTree tree;
    const QString source = Write(tree, QStringLiteral("plans/engine.png"), Pattern(1500, 600), ImageFormatPng);
    CComponentPartIdentification q;
    q.m_reduceToFit = 1;
    q.SetImageFile(source);
    q.SetTargetRect(100, 50, 160, 110, 0);
    const QByteArray record = StoreFor(q, tree / kProject);
    const QString copy = tree / QStringLiteral("Course/Images/Questions/engine.png");
    const CxImage written = Read(copy);
    EXPECT_EQ(written.GetWidth(), 750);
    EXPECT_EQ(written.GetHeight(), 300);
    EXPECT_EQ(FloatBits(StoredScale(record)), 0x40000000u);

    auto loaded = LoadFor<CComponentPartIdentification>(record, tree / kProject);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPictureWidth(), 1500);
    EXPECT_EQ(loaded->GetPictureHeight(), 600);
    EXPECT_EQ(loaded->GetImageWidth(), 750);
    EXPECT_EQ(loaded->GetImageHeight(), 300);
    EXPECT_EQ(loaded->GetTargetRectOnImage(0), CRect(100, 50, 160, 110));
    const QByteArray bytes = TempTree::ReadAll(copy);
    EXPECT_EQ(StoreFor(*loaded, tree / kProject), record);
    EXPECT_EQ(TempTree::ReadAll(copy), bytes);
}

// Guards the folder of a question read from a single-screen archive: its picture goes below the
// archive's own folder.
TEST(PartIdentification, SingleScreenArchiveWritesBelowItsFolder)
{
    TempTree tree;
    const QString source = Write(tree, QStringLiteral("plans/valve.png"), Pattern(80, 60), ImageFormatPng);
    CComponentPartIdentification q;
    q.SetImageFile(source);
    const QString archive = tree / QStringLiteral("Lib_Library/Lib_Item1/Lib_Item1.kvl");
    const QByteArray record = StoreFor(q, tree / kProject);
    auto fromArchive = LoadFor<CComponentPartIdentification>(record, archive, true);
    ASSERT_TRUE(fromArchive);
    StoreFor(*fromArchive, archive);
    EXPECT_EQ(fromArchive->GetImageFile(), tree / QStringLiteral("Lib_Library/Lib_Item1/Images/Questions/valve.png"));
    EXPECT_TRUE(IsPngFile(fromArchive->GetImageFile()));
}

// Guards records from damaged or foreign files: a target count the ten rectangles cannot hold is refused,
// a factor that is no size is taken as 1, and a project moved from another machine finds its pictures in
// its own folder.
TEST(PartIdentification, RecordsFromDamagedOrMovedFiles)
{
    TempTree tree;
    const QString picture = Write(tree, QStringLiteral("Course/Images/Questions/Plan.png"), Pattern(90, 40), ImageFormatPng);
    for (int count : {11, -1}) {
        SCOPED_TRACE(count);
        CArchive ar(Record(picture, 1.0f, count));
        try {
            CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent});
            ADD_FAILURE() << "a target count of " << count << " was read";
        } catch (const CArchiveException &e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
        }
    }
    for (float scale : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(scale);
        auto q = LoadFor<CComponentPartIdentification>(Record(picture, scale, 10), tree / kProject);
        ASSERT_TRUE(q);
        EXPECT_EQ(q->GetPictureWidth(), 90);
        EXPECT_EQ(q->GetPictureHeight(), 40);
        EXPECT_EQ(q->GetTargetCount(), 10);
        EXPECT_EQ(q->m_highlightColor, 255);
    }
    auto moved = LoadFor<CComponentPartIdentification>(
        Record(QStringLiteral("C:\\Courses\\Course\\Images\\Questions\\plan.png"), 1.0f, 1), tree / kProject);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->GetImageFile(), picture);
    EXPECT_EQ(moved->GetPictureWidth(), 90);
}

// Guards a question whose picture is missing: a save writes back the path and the factor it read, so the
// author's picture and layout come back when the file does (the path used to move into another folder of
// the project and the factor became 1.0).
TEST(PartIdentification, MissingPictureKeepsItsPathAndScale)
{
    TempTree tree;
    const struct Case {
        const char *stored;
        float scale;
    } cases[] = {
        {"C:\\pics\\lost plan.png", 0.5f}, {"C:\\Courses\\Course\\Images\\Questions\\gone.png", 2.25f},
        {"..", 1.0f}, {"C:\\pics\\", 0.75f}, {" & ", 1.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        const QByteArray record = Record(QString::fromLatin1(c.stored), c.scale, 1);
        auto q = LoadFor<CComponentPartIdentification>(record, tree / kProject);
        ASSERT_TRUE(q);
        const QByteArray saved = StoreFor(*q, tree / kProject);
        EXPECT_EQ(q->GetImageFile(), QString::fromLatin1(c.stored));
        EXPECT_EQ(StoredScale(saved), c.scale);
        EXPECT_EQ(saved, record);
        auto again = LoadFor<CComponentPartIdentification>(saved, tree / kProject);
        ASSERT_TRUE(again);
        EXPECT_EQ(StoreFor(*again, tree / kProject), saved);
    }

    // The picture comes back: it is shown at the size the stored factor gives.
    const QString picture = Write(tree, QStringLiteral("pics/plan.png"), Pattern(80, 40), ImageFormatPng);
    auto missing = LoadFor<CComponentPartIdentification>(Record(tree / QStringLiteral("pics/gone.png"), 0.5f, 1),
                                                         tree / kProject);
    ASSERT_TRUE(missing);
    const QByteArray saved = StoreFor(*missing, tree / kProject);
    QFile::copy(picture, tree / QStringLiteral("pics/gone.png"));
    auto back = LoadFor<CComponentPartIdentification>(saved, tree / kProject);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetPictureWidth(), 40);
}

// Guards copy and paste: the copy has the picture, every target and every option.
TEST(PartIdentification, CloneCarriesEverything)
{
    TempTree tree;
    FakeCanvas canvas;
    const QString source = Write(tree, QStringLiteral("plans/valve.png"), Pattern(80, 60), ImageFormatPng);
    CComponentPartIdentification q(&canvas);
    EXPECT_EQ(q.GetBounds(), CRect(10, 10, 1014, 500));
    q.SetImageFile(source);
    q.SetQuestionText(QStringLiteral("Find it"));
    q.SetTargetCount(3);
    q.SetTargetRect(1, 2, 3, 4, 9);
    q.m_targetsToMatch = 2;
    q.m_reduceToFit = 1;
    q.m_highlightColor = 0x0000FF;
    q.SetCorrectFeedback(QStringLiteral("Yes"));
    q.SetWrongFeedback(QStringLiteral("No"));
    q.SetFont(QStringLiteral("Arial"), 11);
    auto copy = q.Clone(true);
    auto &c = dynamic_cast<CComponentPartIdentification &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(10, 10, 1014, 500));
    EXPECT_EQ(c.GetImageFile(), source);
    EXPECT_EQ(c.GetPicture().GetWidth(), 80);
    EXPECT_EQ(c.GetQuestionText(), QStringLiteral("Find it"));
    EXPECT_EQ(c.GetTargetCount(), 3);
    EXPECT_EQ(c.GetTargetRect(9), CRect(1, 2, 3, 4));
    EXPECT_EQ(c.m_targetsToMatch, 2);
    EXPECT_EQ(c.m_reduceToFit, 1);
    EXPECT_EQ(c.m_highlightColor, 0x0000FF);
    EXPECT_EQ(c.GetCorrectFeedback(), QStringLiteral("Yes"));
    EXPECT_EQ(c.GetWrongFeedback(), QStringLiteral("No"));
    EXPECT_EQ(c.GetFontSize(), 11);
    q.SetTargetCount(25);
    EXPECT_EQ(q.GetTargetCount(), 10);
}
