#include "GoldenProject.h"

#include "document/CourseSettings.h"
#include "document/ProjectArchive.h"
#include "platform/Archive.h"
#include "support/TempTree.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

constexpr qint64 kNow = 1700000000;

CCourseSettings Defaults()
{
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, {});
    return s;
}

struct Loaded
{
    CCourseSettings s;
    CProjectArchive::Header header;
    CProjectArchive::ReadContext context;
    qint64 bytesLeft = 0;
};

// Reads the settings block of bytes over settings that start as `before`.
Loaded LoadSettings(const QByteArray &bytes, CCourseSettings before = Defaults(), bool retry = false)
{
    Loaded out{std::move(before), {}, {}};
    out.context.retry = retry;
    out.context.projectFolder = "/courses/Course";
    CArchive ar(bytes);
    out.header = CProjectArchive::LoadSettingsBlock(ar, out.s, out.context);
    out.bytesLeft = ar.BytesLeft();
    return out;
}

// Every setting the project file holds set to a value unlike its default.
CCourseSettings Distinctive()
{
    CCourseSettings s = Defaults();
    int n = 0;
    for (const auto &d : CourseSettingTable()) {
        ++n;
        switch (d.kind) {
        case SettingKind::text:
            d.Set(s, d.DisplayName() + "~" + QString::number(n));
            break;
        case SettingKind::textList:
            d.Set(s, QStringList{d.DisplayName(), QString::number(n)});
            break;
        case SettingKind::date:
            d.Set(s, qint64(5000000000LL + n));
            break;
        case SettingKind::colour:
            d.Set(s, uint(0x010203u * uint(n)));
            break;
        default:
            d.Set(s, 100 + n);
            break;
        }
    }
    s.LogoImage = "logo.png";
    s.LastAssessmentTopic = 0; // else the reader clears LinearSourceAssessable
    return s;
}

} // namespace

// Guards the order and the type of every field the writer puts into a new project's settings block.
TEST(ProjectArchiveSettings, NewProjectSettingsEqualTheGoldenFieldByField)
{
    CArchive ar;
    CProjectArchive::StoreSettingsBlock(ar, Defaults(), CProjectArchive::Header{});
    CProjectArchive::StorePostTopicBlock(ar, Defaults(), {});

    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    golden.WritePostTopic();
    ASSERT_EQ(ar.GetBuffer().size(), golden.Bytes().size());
    EXPECT_EQ(ar.GetBuffer(), golden.Bytes());
}

// Guards fields that the writer or the reader skips: a missing field would come back as its default.
TEST(ProjectArchiveSettings, EverySettingOfTheFileSurvivesAWriteAndARead)
{
    const CCourseSettings written = Distinctive();
    const QStringList docs = {"/docs/a.docx", "/docs/b.docx"};
    CArchive ar;
    CProjectArchive::StoreSettingsBlock(ar, written, {10000047, true, 12, 34, 0});
    CProjectArchive::StorePostTopicBlock(ar, written, docs);

    CCourseSettings read = Defaults();
    CProjectArchive::ReadContext context;
    context.projectFolder = "/courses/Course";
    CArchive in(ar.GetBuffer());
    const auto header = CProjectArchive::LoadSettingsBlock(in, read, context);
    QStringList readDocs;
    CProjectArchive::LoadPostTopicBlock(in, read, readDocs, context);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(header.nextScreenNumber, 12);
    EXPECT_EQ(header.nextTextBoxNumber, 34);
    EXPECT_EQ(header.importPending, 0);
    EXPECT_EQ(readDocs, docs);

    // Not in the project file: the per-user options and what only the document object holds.
    const QStringList notStored = {"UseSourceDocumentFonts", "FastPowerpointImport", "ImportPowerpointAsImages",
                                   "InternationalProfileFilename", "PreviewUsingHTM",
                                   "PublishImagesAtStandardResolution", "LastContentLibrary"};
    for (const auto &d : CourseSettingTable()) {
        const QString name = d.DisplayName();
        SCOPED_TRACE(name.toStdString());
        if (notStored.contains(name))
            EXPECT_EQ(d.Get(read), d.DefaultValue(kNow, {}));
        else if (name == "EncodingLabel" || name == "OutlineEncodingLabel")
            EXPECT_EQ(d.Get(read).toString(), "Unicode (UTF-8) - [utf-8]");
        else if (name == "LogoImage")
            EXPECT_EQ(read.LogoImage, "/courses/Course/Images/Resized/logo.png");
        else
            EXPECT_EQ(d.Get(read), d.Get(written));
    }
}

// Guards the schema rule and the retry gates of a file without a schema number.
TEST(ProjectArchiveSettings, SchemaLessFileTakesTheTableValuesAndDropsTheObsoleteStrings)
{
    GoldenProject golden(GoldenProject::kNoSchema, {{"nextScreen", 57}, {"Theme", "Ocean"}, {"CourseName", "Old"}});
    golden.WriteSettings(kNow);

    CCourseSettings before = Defaults();
    before.ShowCourseName = 0;
    before.CourseAuthor = "previous author";
    before.ShowCourseDate = 0;
    before.DictionaryLanguage = 32958;
    const Loaded l = LoadSettings(golden.Bytes(), before);
    EXPECT_EQ(l.header.schema, 1000000);
    EXPECT_FALSE(l.header.hasSchemaNumber);
    EXPECT_EQ(l.header.nextScreenNumber, 57);
    EXPECT_EQ(l.s.CourseName, "Old");
    EXPECT_EQ(l.s.ShowCourseName, 1);
    EXPECT_EQ(l.s.CourseAuthor, "");
    EXPECT_EQ(l.s.ShowCourseDate, 1);
    EXPECT_EQ(l.s.DictionaryLanguage, 32958); // kept: gated at least 1000007
    EXPECT_EQ(l.s.Theme, "Ocean");            // read in step after the two obsolete strings
    EXPECT_EQ(l.bytesLeft, 0);
}

// Guards the retry pass: its gates are open and the obsolete strings are not expected.
TEST(ProjectArchiveSettings, RetryPassReadsTheWidenedFields)
{
    GoldenProject golden = GoldenProject::RetryShaped({{"nextScreen", 9}, {"ShowCourseName", 0},
                                                       {"CourseAuthor", "Ann"}, {"Theme", "Ocean"}});
    golden.WriteSettings(kNow);
    const Loaded l = LoadSettings(golden.Bytes(), Defaults(), /*retry*/ true);
    EXPECT_EQ(l.header.nextScreenNumber, 9);
    EXPECT_EQ(l.s.ShowCourseName, 0);
    EXPECT_EQ(l.s.CourseAuthor, "Ann");
    EXPECT_EQ(l.s.Theme, "Ocean");
    EXPECT_EQ(l.bytesLeft, 0);
}

// Guards the gates where "at least" and "above" differ by one schema.
TEST(ProjectArchiveSettings, AtLeastAndAboveGatesDifferAtTheirOwnSchema)
{
    const struct Case {
        int32_t schema;
        const char *setting;
        int written; // -1: the schema has no such field
        int expected; // the setting starts at 77
    } cases[] = {
        {10000013, "NoNextAtTopicEnd", -1, 77},  // above 10000013
        {10000014, "NoNextAtTopicEnd", 1, 1},
        {10000013, "LmsOpensNewWindow", 1, 1},  // at least 10000013
        {10000012, "LmsOpensNewWindow", -1, 77},
        {10000029, "LomLanguage", -1, 77},       // above 10000029
        {10000030, "LomLanguage", 5, 5},
        {10000029, "OutlineLinkColor", 5, 5},   // at least 10000029
        {10000028, "OutlineLinkColor", -1, 0},   // not read: 0
        {1000008, "AllowResume", -1, 77},        // above 1000008
        {10000009, "AllowResume", 1, 1},
        {10000033, "OutlineUseButton", -1, 0},   // at least 10000034, else 0
        {10000026, "LeftAlignBulletedLists", -1, 1}, // at least 10000027, else 1
        {10000027, "LeftAlignBulletedLists", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.setting) + " at " + std::to_string(c.schema));
        QMap<QString, QVariant> overrides;
        if (c.written >= 0)
            overrides.insert(c.setting, c.written);
        GoldenProject golden(c.schema, overrides);
        golden.WriteSettings(kNow);
        CCourseSettings before = Defaults();
        FindCourseSetting(c.setting)->Set(before, FindCourseSetting(c.setting)->kind == SettingKind::colour
                                                      ? QVariant(77u) : QVariant(77));
        const Loaded l = LoadSettings(golden.Bytes(), before);
        EXPECT_EQ(FindCourseSetting(c.setting)->Get(l.s).toInt(), c.expected);
        EXPECT_EQ(l.bytesLeft, 0);
    }
}

// Guards the font slots of a file written before the glossary font existed.
TEST(ProjectArchiveSettings, Schema10000037ReadsSlotsOneAndTwoOnly)
{
    GoldenProject golden(10000037, {{"FontName[1]", "Tahoma"}, {"FontSizePoints[2]", "9"}});
    golden.WriteSettings(kNow);
    CCourseSettings before = Defaults();
    before.FontSizePoints[0] = "20";
    before.FontWeight[0] = "bold";
    before.FontName[3] = "Kept Face";
    before.ShowGlossary = 0;
    const Loaded l = LoadSettings(golden.Bytes(), before);
    EXPECT_EQ(l.s.FontName[1], "Tahoma");
    EXPECT_EQ(l.s.FontSizePoints[2], "9");
    EXPECT_EQ(l.s.FontSizePoints[0], "12");
    EXPECT_EQ(l.s.FontWeight[0], "normal");
    EXPECT_EQ(l.s.FontName[3], "Kept Face");
    EXPECT_EQ(l.s.ShowGlossary, 0);
    EXPECT_EQ(l.bytesLeft, 0);
}

// Guards the normalisations every read applies.
TEST(ProjectArchiveSettings, ReadNormalisesLabelsPointSizeLogoAndLinearSource)
{
    GoldenProject golden(10000047, {{"FontSizePoints[0]", "14pt"}, {"FontSizePoints[1]", "14pt"},
                                    {"EncodingLabel", "Western European [iso-8859-1]"},
                                    {"OutlineEncodingLabel", "Greek [iso-8859-7]"},
                                    {"LogoImage", "..\\..\\etc\\logo.png"},
                                    {"LastAssessmentTopic", 1}, {"LinearSourceAssessable", 1}});
    golden.WriteSettings(kNow);
    const Loaded l = LoadSettings(golden.Bytes());
    EXPECT_EQ(l.s.FontSizePoints[0], "14");
    EXPECT_EQ(l.s.FontSizePoints[1], "14pt");
    EXPECT_EQ(l.s.EncodingLabel, "Unicode (UTF-8) - [utf-8]");
    EXPECT_EQ(l.s.OutlineEncodingLabel, "Unicode (UTF-8) - [utf-8]");
    EXPECT_EQ(l.s.LogoImage, "/courses/Course/Images/Resized/logo.png");
    EXPECT_EQ(l.s.LinearSourceAssessable, 0);

    GoldenProject noLogo(10000047, {{"LastAssessmentTopic", 0}, {"LinearSourceAssessable", 1}});
    noLogo.WriteSettings(kNow);
    const Loaded m = LoadSettings(noLogo.Bytes());
    EXPECT_EQ(m.s.LogoImage, "");
    EXPECT_EQ(m.s.LinearSourceAssessable, 1);
}

// Guards the second copy of the PHP flag: it is the one that stays.
TEST(ProjectArchiveSettings, SecondCopyOfThePhpFlagWins)
{
    GoldenProject golden(10000047, {{"UseWebPHPStandardParameters#1", 1}, {"UseWebPHPStandardParameters#2", 0}});
    golden.WriteSettings(kNow);
    EXPECT_EQ(LoadSettings(golden.Bytes()).s.UseWebPHPStandardParameters, 0);
}

// Guards against a damaged length making the reader allocate what the file cannot hold.
TEST(ProjectArchiveSettings, HugeStringLengthInASmallFileFailsCleanly)
{
    QByteArray bytes;
    CArchive head;
    head.WriteInt(10000047);
    head.WriteInt(0);
    head.WriteInt(1);
    head.WriteInt(1);
    head.WriteInt(32960);
    bytes = head.GetBuffer();
    // CourseName: the UTF-16 marker, then the 32-bit length form holding 0x7FFFFFFF.
    bytes += QByteArray::fromHex("FFFEFFFFFFFFFFFFFF7F");
    bytes.append(100 - bytes.size(), 'x');
    ASSERT_EQ(bytes.size(), 100);
    try {
        LoadSettings(bytes);
        FAIL() << "no exception";
    } catch (const CArchiveException &e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
    }
}

// Guards the end of the file inside the block: the reader stops with the archive's error.
TEST(ProjectArchiveSettings, FileCutShortEndsWithEndOfFile)
{
    GoldenProject golden(10000047);
    golden.WriteSettings(kNow);
    for (int cut : {0, 3, 17, int(golden.Bytes().size()) - 1}) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(LoadSettings(golden.Bytes().left(cut)), CArchiveException);
    }
}

// Guards the logo of a project copied from Windows: its folders and name are found on disk in whatever
// case they have there, instead of a path that names no file.
TEST(ProjectArchiveSettings, LogoPathIsFoundOnDiskWithoutRegardToCase)
{
    TempTree tree;
    tree.Write("Course/images/resized/Logo.PNG", "png");
    const QString folder = tree / "Course";
    EXPECT_EQ(CProjectArchive::LogoPathFromStoredName(folder, "logo.png"), tree / "Course/images/resized/Logo.PNG");
    EXPECT_EQ(CProjectArchive::LogoPathFromStoredName(folder, "C:\\old\\logo.png"),
              tree / "Course/images/resized/Logo.PNG");
    // A logo not on disk keeps the canonical spelling below the folders that exist.
    EXPECT_EQ(CProjectArchive::LogoPathFromStoredName(folder, "other.png"), tree / "Course/images/resized/other.png");
    EXPECT_EQ(CProjectArchive::LogoPathFromStoredName(tree / "Fresh", "logo.png"), tree / "Fresh/Images/Resized/logo.png");
    EXPECT_EQ(CProjectArchive::LogoPathFromStoredName(folder, ""), "");
}

// Guards the glossary documents' count: taken as it stands, so a count of 0 or less reads none and what
// follows is read in step, while a count beyond the file ends at the end of the file.
TEST(ProjectArchiveSettings, GlossaryDocumentCountIsTakenAsItStands)
{
    const struct Case {
        int32_t count;
        QStringList written;
        bool endsEarly;
    } cases[] = {
        {0, {}, false},
        {-1, {}, false},
        {INT32_MIN, {}, false},
        {2, {"/a.docx", "/b.docx"}, false},
        {0x7FFFFFFF, {"/a.docx"}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        GoldenProject golden(10000047, {{"glossaryDocumentCount", c.count}, {"EmulateIE7", 0}, {"KenBurnsGrow", 0}});
        golden.WritePostTopic(c.written);
        CCourseSettings s = Defaults();
        QStringList docs = {"left from before"};
        CProjectArchive::ReadContext context;
        CArchive ar(golden.Bytes());
        if (c.endsEarly) {
            EXPECT_THROW(CProjectArchive::LoadPostTopicBlock(ar, s, docs, context), CArchiveException);
            continue;
        }
        CProjectArchive::LoadPostTopicBlock(ar, s, docs, context);
        EXPECT_EQ(docs, c.written);
        EXPECT_EQ(s.EmulateIE7, 0);
        EXPECT_EQ(s.KenBurnsGrow, 0);
        EXPECT_TRUE(ar.AtEnd());
    }
}

// Guards the golden builder itself: an override that no field written uses (a misspelt name, a field the
// schema leaves out) fails the test instead of silently testing nothing.
TEST(ProjectArchiveSettings, GoldenBuilderRefusesOverridesItNeverWrites)
{
    EXPECT_NONFATAL_FAILURE(
        {
            GoldenProject golden(10000047, {{"CourseNmae", "typo"}});
            golden.WriteSettings(kNow);
        },
        "CourseNmae");
    EXPECT_NONFATAL_FAILURE(
        {
            GoldenProject golden(10000045, {{"LmsCompatibility", "Other"}}); // written from 10000046 on
            golden.WriteSettings(kNow);
        },
        "LmsCompatibility");
}
