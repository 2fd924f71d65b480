#include "document/CourseSettings.h"

#include "platform/CorvContext.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include "GoldenProject.h"

#include <QSet>

namespace {

constexpr qint64 kNow = 1700000000;

// The built-in defaults, transcribed independently of the settings table: every setting by name, in
// declaration order. Texts are QString, flags/numbers int, colours uint, lists QStringList, dates qint64.
QList<QPair<QString, QVariant>> ExpectedDefaults()
{
    const QString arial = "Arial", family = "Arial, Helvetica, sans-serif", utf8 = "Unicode (UTF-8) - [utf-8]";
    auto i = [](int v) { return QVariant(v); };
    auto u = [](uint v) { return QVariant(v); };
    auto t = [](const QString &v) { return QVariant(v); };
    return {
        {"DictionaryLanguage", i(32960)}, {"CourseName", t("")}, {"ShowCourseName", i(1)}, {"CourseCode", t("")},
        {"ShowCourseCode", i(1)}, {"CourseAuthor", t("")}, {"ShowCourseAuthor", i(1)}, {"CourseDate", t("")},
        {"ShowCourseDate", i(1)}, {"CourseDescription", t("")}, {"ShowCourseDescription", i(1)},
        {"UseSourceDocumentFonts", i(0)}, {"FastPowerpointImport", i(1)}, {"ImportPowerpointAsImages", i(0)},
        {"LomKeywords", t("")}, {"LomOrganization", t("")}, {"LomAddress", t("")}, {"LomTelephone", t("")},
        {"LomEmail", t("")}, {"LomCatalog", t("")}, {"LomEntry", t("")}, {"LomCost", i(0)}, {"LomCopyright", i(0)},
        {"LomRightsDescription", t("")}, {"LomVersion", t("")}, {"LomOrganizationTitle", t("")},
        {"LomItemTitle", t("")}, {"LomLanguage", i(1)}, {"LomStatus", i(0)}, {"LomPurpose", i(0)},
        {"LomResourceType", i(0)},
        {"Theme", t("")}, {"UseCustomBackground", i(0)}, {"BgColor", u(0xFFFFFF)}, {"BgImage", t("")},
        {"UseBgImgTile", i(0)}, {"LogoImage", t("")}, {"SwapTopAndNavigationBars", i(0)}, {"HideTopBar", i(0)},
        {"RemoveTopBarSpace", i(0)}, {"HideNavigationBar", i(0)}, {"RemoveNavigationBarSpace", i(0)},
        {"TemplateType", i(10)},
        {"FontName[0]", t(arial)}, {"FontName[1]", t(arial)}, {"FontName[2]", t(arial)},
        {"FontName[3]", t("Verdana")}, {"FontSize[0]", i(3)}, {"FontSize[1]", i(3)}, {"FontSize[2]", i(3)},
        {"FontSize[3]", i(3)}, {"FontSizePoints[0]", t("12")}, {"FontSizePoints[1]", t("36")},
        {"FontSizePoints[2]", t("10")}, {"FontSizePoints[3]", t("12")}, {"FontColor[0]", u(0)},
        {"FontColor[1]", u(0)}, {"FontColor[2]", u(0)}, {"FontColor[3]", u(0)}, {"FontFamily[0]", t(family)},
        {"FontFamily[1]", t(family)}, {"FontFamily[2]", t(family)}, {"FontFamily[3]", t(family)},
        {"FontWeight[0]", t("normal")}, {"FontWeight[1]", t("bold")}, {"FontWeight[2]", t("bold")},
        {"FontWeight[3]", t("normal")}, {"EncodingLabel", t(utf8)}, {"RightToLeft", i(0)},
        {"GraphicSize", i(1)}, {"IncludeSourceDocGraphics", i(1)}, {"AddBorderToImages", i(0)},
        {"ImageBorderType", i(0)}, {"AutoGenerateGraphics", i(1)}, {"UseColorPhotos", i(1)},
        {"UseBWPhotos", i(1)}, {"UsePhotoObjects", i(1)}, {"UseClipArt", i(0)},
        {"UseRandomlyDisplayMatchingGraphics", i(1)}, {"UsePrioritiseGraphicsCategories", i(0)},
        {"GraphicsCategories", QVariant(kBuiltInCategories)}, {"PriorityCategories", QVariant(QStringList())},
        {"RandomKenBurns", i(0)}, {"KenBurnsInterval", i(3)}, {"KenBurnsZoomIn", i(1)}, {"KenBurnsZoomOut", i(1)},
        {"KenBurnsPan", i(1)}, {"KenBurnsFadeIn", i(1)}, {"KenBurnsGrow", i(1)},
        {"UseBtnNext", i(1)}, {"UseBtnBack", i(1)}, {"UseBtnMenu", i(1)}, {"UseBtnQuit", i(1)},
        {"LblNext", t("Next")}, {"LblBack", t("Back")}, {"LblMenu", t("Menu")}, {"LblQuit", t("Quit")},
        {"LblDone", t("Done")}, {"LblPlay", t("Play")}, {"LblStop", t("Stop")}, {"UseProgressBar", i(1)},
        {"TimeBetweenScreens", i(6)}, {"McToggleType", i(0)}, {"NextButtonDelay", t("7")},
        {"DelayNextButton", i(0)}, {"NoNextAtTopicEnd", i(0)}, {"ShowGlossary", i(1)},
        {"HideGlossaryInAssessment", i(1)}, {"HideHelpInAssessment", i(1)}, {"HelpScreen", i(0)},
        {"QuestResponse", i(0)}, {"UseQuestFeedback", i(1)}, {"FeedBackCorrect", t("Yes, that is the correct answer.")},
        {"FeedBackWrong", t("No, the correct answer is now shown.")}, {"DisableNextBtn", i(1)}, {"IncEvalBtn", i(1)},
        {"AutoProgress", i(0)}, {"AutoProgressOnEvaluate", i(0)}, {"AutoCreateDragDropQuest", i(0)},
        {"DragDropQuestInterval", i(10)}, {"DragDropQuestWordCount", i(6)}, {"UseRandScreensQuest", i(0)},
        {"LastAssessmentTopic", i(0)}, {"ShowCorrectAnswer", i(0)}, {"ProvideFeedback", i(0)},
        {"AssmntFeedBackCorrect", t("Yes, that is the correct answer.")},
        {"AssmntFeedBackWrong", t("No, the correct answer is now shown.")}, {"SetTimeLimitPerQuestion", i(0)},
        {"ShowTimer", i(1)}, {"TimeLimitType", i(0)}, {"TimeLimitEachQuestion", i(60)},
        {"TimeLimitAllQuestions", i(600)}, {"SetQuestionCountFromPool", i(0)}, {"QuestionCountFromPool", i(80)},
        {"SetPercentagePassMark", i(1)}, {"PercentagePassMark", i(80)}, {"IncEvalBtn4Assessment", i(1)},
        {"PresentRandomQuestions", i(1)}, {"PresentRandomMultiChoice", i(1)}, {"CreateFinalFeedbackScreen", i(1)},
        {"DisableNextBtn2", i(0)}, {"DisableBackBtn2", i(1)}, {"DisableMenuBtn2", i(0)},
        {"AutoProgressOnEvaluateInAssessment", i(0)}, {"AutoProgressInAssessment", i(0)},
        {"CreateObjectivePages", i(0)}, {"WarnInteractTooLow", i(1)}, {"ContentScreenCount", i(4)},
        {"ForceNewPage", i(0)}, {"UseSrcPageBreaks", i(1)}, {"UseSrcWordHeadings", i(1)},
        {"LeftAlignBulletedLists", i(1)}, {"LeftAlignNumberedLists", i(1)}, {"CreateOutline", i(0)},
        {"OutlineCloseOnSelect", i(0)}, {"OutlineLabel", t("OUTLINE")}, {"OutlineFontName", t(arial)},
        {"OutlineFontWeight", t("bold")}, {"OutlineFontSize", i(8)}, {"OutlineFontColor", u(0)},
        {"OutlineFontFamily", t(family)}, {"OutlineEncodingLabel", t(utf8)}, {"OutlineLeft", i(12)},
        {"OutlineTop", i(4)}, {"OutlineWidth", i(300)}, {"OutlineHeight", i(560)}, {"OutlineLinkColor", u(0)},
        {"OutlineUseButton", i(0)}, {"OutlineHideInAssessment", i(0)}, {"SetExpiry", i(0)},
        {"ExpiryDate", QVariant(kNow)}, {"ExpiryMessage", t("This course has now expired")},
        {"RecordData", i(0)}, {"SignIn", i(0)}, {"MaySelfRegister", i(0)}, {"UseSignInName", i(1)},
        {"SignInName", t("Name")}, {"UseSignInID", i(1)}, {"SignInID", t("ID")}, {"UseSignInPassword", i(1)},
        {"SignInPassword", t("Password")}, {"UseSendEmail", i(0)}, {"EmailAddress", t("Enter email address here")},
        {"AllowResume", i(0)},
        {"LANDbTableName", t("Table1")}, {"UseLANDbDSN", i(1)}, {"LANDbDSN", t("")}, {"LANDbUID", t("Admin")},
        {"LANDbPassword", t("")}, {"LANDbProvider", t("")}, {"LANDbDataSource", t("")}, {"LANDbSundry", t("")},
        {"LANDbTableName2", t("Table2")}, {"UseASP", i(1)}, {"WebASPDbTableName", t("Table1")},
        {"UseWebDbASPDSN", i(1)}, {"WebASPDbDSN", t("")}, {"WebASPDbUID", t("Admin")}, {"WebASPDbPassword", t("")},
        {"WebASPDbProvider", t("")}, {"WebASPDbDataSource", t("")}, {"UseWebASPDbRelativePath", i(0)},
        {"WebASPDbSundry", t("")}, {"WebPHPDbTableName", t("Table1")}, {"WebPHPDbType", t("")},
        {"WebPHPDbType4Publish", t("")}, {"UseWebPHPStandardParameters", i(1)}, {"WebPHPServer", t("")},
        {"WebPHPDatabase", t("")}, {"UseWebPHPPersistence", i(0)}, {"WebPHPUserID", t("")},
        {"WebPHPPassword", t("")}, {"WebPHPConnectionString", t("")}, {"WebDbTableName2", t("Table2")},
        {"UseScorm", i(1)}, {"UseOstrelle", i(0)}, {"OstrelleLessonFolder", t("")}, {"SCORM12", i(1)},
        {"CreateZip", i(0)}, {"ScormExit12", t("\"suspend\"")}, {"ScormExit2004", t("\"suspend\"")},
        {"LmsCompatibility", t("Default")}, {"LmsOpensNewWindow", i(0)}, {"LmsProtectPassedStatus", i(0)},
        {"InternationalProfileFilename", t("/opt/corvessa/kv_profile.kvp")},
        {"UseDefaultOutputFolder[0]", i(1)}, {"UseDefaultOutputFolder[1]", i(1)},
        {"UseDefaultOutputFolder[2]", i(1)}, {"UseDefaultOutputFolder[3]", i(1)}, {"OutputFolder[0]", t("")},
        {"OutputFolder[1]", t("")}, {"OutputFolder[2]", t("")}, {"OutputFolder[3]", t("")}, {"EmulateIE7", i(1)},
        {"PreviewUsingHTM", i(0)}, {"PublishImagesAtStandardResolution", i(0)}, {"LastContentLibrary", t("")},
        {"CompleteTopicsInOrder", i(0)}, {"MainMenuOnlyListMenu", i(0)}, {"MainMenuNoImages", i(0)},
        {"MenuBasedCourse", i(0)}, {"LinearSourceDocument", t("")}, {"LinearSourceAssessable", i(0)},
    };
}

// The kvx.ini keys, in the order the settings store writes them.
const QStringList kIniKeys = {
    "CourseName", "ShowCourseName", "CourseCode", "ShowCourseCode", "CourseAuthor", "ShowCourseAuthor", "Theme",
    "UseCustomBackground", "BgColor", "BgImage", "UseBgImgTile", "LogoImage", "SwapTopAndNavigationBars",
    "HideTopBar", "RemoveTopBarSpace", "HideNavigationBar", "RemoveNavigationBarSpace", "TemplateType",
    "FontName", "FontSize", "FontSizePoints", "FontColor", "FontFamily", "UseSourceDocumentFonts",
    "FastPowerpointImport", "ImportPowerpointAsImages", "GraphicSize", "IncludeSourceDocGraphics",
    "AddBorderToImages", "ImageBorderType", "AutoGenerateGraphics", "UseColorPhotos", "UseBWPhotos",
    "UsePhotoObjects", "UseClipArt", "UseRandomlyDisplayMatchingGraphics", "UsePrioritiseGraphicsCategories",
    "UseBtnNext", "UseBtnBack", "UseBtnMenu", "UseBtnQuit", "LblNext", "LblBack", "LblMenu", "LblQuit", "LblDone",
    "LblPlay", "LblStop", "UseProgressBar", "TimeBetweenScreens", "McToggleType", "QuestResponse",
    "UseQuestFeedback", "FeedBackCorrect", "FeedBackWrong", "DisableNextBtn", "IncEvalBtn",
    "AutoCreateDragDropQuest", "DragDropQuestInterval", "DragDropQuestWordCount", "UseRandScreensQuest",
    "LastAssessmentTopic", "ShowCorrectAnswer", "ProvideFeedback", "AssmntFeedBackCorrect", "AssmntFeedBackWrong",
    "SetTimeLimitPerQuestion", "ShowTimer", "TimeLimitType", "TimeLimitEachQuestion", "TimeLimitAllQuestions",
    "SetQuestionCountFromPool", "QuestionCountFromPool", "SetPercentagePassMark", "PercentagePassMark",
    "IncEvalBtn4Assessment", "PresentRandomQuestions", "PresentRandomMultiChoice", "CreateFinalFeedbackScreen",
    "DisableNextBtn2", "DisableBackBtn2", "DisableMenuBtn2", "CreateObjectivePages", "WarnInteractTooLow",
    "ContentScreenCount", "ForceNewPage", "UseSrcPageBreaks", "UseSrcWordHeadings", "LeftAlignBulletedLists",
    "LeftAlignNumberedLists", "RecordData", "SignIn", "MaySelfRegister", "UseSignInName", "SignInName",
    "UseSignInID", "SignInID", "UseSignInPassword", "SignInPassword", "UseSendEmail", "EmailAddress",
    "LANDbTableName", "UseLANDbDSN", "LANDbDSN", "LANDbUID", "LANDbPassword", "LANDbProvider", "LANDbDataSource",
    "LANDbSundry", "UseASP", "WebASPDbTableName", "UseWebDbASPDSN", "WebASPDbDSN", "WebASPDbUID",
    "WebASPDbPassword", "WebASPDbProvider", "WebASPDbDataSource", "UseWebASPDbRelativePath", "WebASPDbSundry",
    "WebPHPDbTableName", "WebPHPDbType", "WebPHPDbType4Publish", "UseWebPHPStandardParameters", "WebPHPServer",
    "WebPHPDatabase", "UseWebPHPPersistence", "WebPHPUserID", "WebPHPPassword", "WebPHPConnectionString",
    "SCORM12", "CreateZip", "InternationalProfileFilename", "PreviewUsingHTM", "PublishImagesAtStandardResolution"};


} // namespace

// Guards every built-in default against slips of value, kind or order in the settings table.
TEST(CourseSettings, DefaultsEqualTheTableSettingBySetting)
{
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, "/opt/corvessa");

    const auto expected = ExpectedDefaults();
    const auto &table = CourseSettingTable();
    ASSERT_EQ(table.size(), size_t(expected.size()));
    for (size_t n = 0; n < table.size(); ++n) {
        SCOPED_TRACE(expected[qsizetype(n)].first.toStdString());
        EXPECT_EQ(table[n].DisplayName(), expected[qsizetype(n)].first);
        const QVariant actual = table[n].Get(s);
        EXPECT_EQ(actual.metaType(), expected[qsizetype(n)].second.metaType());
        EXPECT_EQ(actual, expected[qsizetype(n)].second);
    }
}

// Guards the ini store's reach: exactly the 134 keys it writes map to settings, slot 0 of the font arrays.
TEST(CourseSettings, IniKeysAreExactlyTheStoresKeys)
{
    QStringList fromTable;
    for (const auto &d : CourseSettingTable())
        if (d.iniKey) {
            EXPECT_TRUE(d.slot <= 0) << d.name;
            fromTable.append(QString::fromLatin1(d.iniKey));
        }
    EXPECT_EQ(kIniKeys.size(), 134);
    EXPECT_EQ(fromTable.size(), kIniKeys.size());
    EXPECT_EQ(QSet<QString>(fromTable.begin(), fromTable.end()), QSet<QString>(kIniKeys.begin(), kIniKeys.end()));
}

// Guards the kind of every setting held as an int: the stores write flags as "TRUE"/"FALSE" and numbers in
// decimal, so a number taken for a flag (or the reverse) would be stored wrongly. Colours, texts, lists and
// the date are told apart by their value types in the defaults test above.
TEST(CourseSettings, IntSettingsAreFlagsUnlessTheTableSaysNumberOrScreen)
{
    const QSet<QString> numbers = {
        "DictionaryLanguage", "LomLanguage", "LomStatus", "LomPurpose", "LomResourceType", "TemplateType",
        "FontSize[0]", "FontSize[1]", "FontSize[2]", "FontSize[3]", "GraphicSize", "ImageBorderType",
        "KenBurnsInterval", "TimeBetweenScreens", "McToggleType", "QuestResponse", "DragDropQuestInterval",
        "DragDropQuestWordCount", "TimeLimitType", "TimeLimitEachQuestion", "TimeLimitAllQuestions",
        "QuestionCountFromPool", "PercentagePassMark", "ContentScreenCount", "OutlineFontSize", "OutlineLeft",
        "OutlineTop", "OutlineWidth", "OutlineHeight"};
    int flags = 0;
    for (const auto &d : CourseSettingTable()) {
        const QString name = d.DisplayName();
        SCOPED_TRACE(name.toStdString());
        if (d.intMember == nullptr && d.intSlots == nullptr)
            continue;
        if (name == "HelpScreen")
            EXPECT_EQ(d.kind, SettingKind::screen);
        else if (numbers.contains(name))
            EXPECT_EQ(d.kind, SettingKind::number);
        else {
            EXPECT_EQ(d.kind, SettingKind::flag);
            ++flags;
        }
    }
    EXPECT_EQ(flags, 110); // the flags of the tables, the four output-folder slots included
    // The ini keys read as decimal integers: exactly these 17 numbers and colours.
    const QSet<QString> integerKeys = {
        "BgColor", "TemplateType", "FontSize", "FontColor", "GraphicSize", "ImageBorderType", "TimeBetweenScreens",
        "McToggleType", "QuestResponse", "DragDropQuestInterval", "DragDropQuestWordCount", "TimeLimitType",
        "TimeLimitEachQuestion", "TimeLimitAllQuestions", "QuestionCountFromPool", "PercentagePassMark",
        "ContentScreenCount"};
    QSet<QString> fromTable;
    for (const auto &d : CourseSettingTable())
        if (d.iniKey && (d.kind == SettingKind::number || d.kind == SettingKind::colour))
            fromTable.insert(QString::fromLatin1(d.iniKey));
    EXPECT_EQ(fromTable, integerKeys);
}

// Guards that a later new course keeps the options only the document object's construction sets.
TEST(CourseSettings, ConstructedOnlySettingsSurviveLaterDefaults)
{
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, {});
    s.ShowGlossary = 0;
    s.HideGlossaryInAssessment = 0;
    s.HideHelpInAssessment = 0;
    s.HelpScreen = 5;
    s.InternationalProfileFilename = "/elsewhere/p.kvp";
    s.LastContentLibrary = "lib.kvxl";
    s.CourseName = "Old course";
    s.ApplyDefaults(false, kNow + 10, {});
    EXPECT_EQ(s.ShowGlossary, 0);
    EXPECT_EQ(s.HideGlossaryInAssessment, 0);
    EXPECT_EQ(s.HideHelpInAssessment, 0);
    EXPECT_EQ(s.HelpScreen, 5);
    EXPECT_EQ(s.InternationalProfileFilename, "/elsewhere/p.kvp");
    EXPECT_EQ(s.LastContentLibrary, "lib.kvxl");
    EXPECT_EQ(s.CourseName, "");
    EXPECT_EQ(s.ExpiryDate, kNow + 10);
}

// Guards the publisher's charset: never empty, so no page says "charset=".
TEST(CourseSettings, CharsetIsTheBracketedNameOrUtf8)
{
    const struct { const char *label, *charset; } cases[] = {
        {"Unicode (UTF-8) - [utf-8]", "utf-8"},
        {"x [iso-8859-1] y", "iso-8859-1"},
        {"Western", "utf-8"},
        {"", "utf-8"},
        {"only [open", "utf-8"},
        {"wrong ]way[ round", "utf-8"},
    };
    CCourseSettings s;
    for (const auto &c : cases) {
        s.EncodingLabel = c.label;
        EXPECT_EQ(s.GetCharset(), c.charset) << c.label;
    }
}

// Guards lookups by the names the stores use.
TEST(CourseSettings, FindsSettingsByNameAndSlot)
{
    ASSERT_NE(FindCourseSetting("FontWeight[3]"), nullptr);
    EXPECT_EQ(FindCourseSetting("FontWeight[3]")->slot, 3);
    EXPECT_NE(FindCourseSetting("LblStop"), nullptr);
    EXPECT_EQ(FindCourseSetting("FontWeight"), nullptr);
    EXPECT_EQ(FindCourseSetting("NoSuchSetting"), nullptr);
}

// Guards the string table's search and the entries the defaults depend on.
TEST(StringTable, LoadsEntriesByNumber)
{
    EXPECT_EQ(CStringTable::Load(10562), "Verdana");
    EXPECT_EQ(CStringTable::Load(35004), "Click and add text.");
    EXPECT_TRUE(CStringTable::Load(10829).endsWith("{totalscore}%.  "));
    EXPECT_TRUE(CStringTable::Has(15038));
    EXPECT_FALSE(CStringTable::Has(15040));
    EXPECT_EQ(CStringTable::Load(1), QString());
}
