#include "document/CourseSettings.h"

#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"

#include <QHash>

namespace {

using D = CourseSettingDescriptor;
using Src = D::DefaultSource;
using S = CCourseSettings;

enum Ini { none, key };
enum Made { always, constructed };

D Row(const char *name, SettingKind kind, int slot, Ini ini, Made made, Src source, int64_t number,
      const char *text = nullptr, int rangeLast = 0)
{
    D d{name, kind, slot, ini == key ? name : nullptr, made == constructed, source, number, text, rangeLast};
    d.stores = projectFileStore | settingsFileStore | (ini == key ? iniFileStore : 0u);
    return d;
}

D Int(const char *name, SettingKind kind, int32_t S::*m, int32_t def, Ini ini = none, Made made = always)
{
    D d = Row(name, kind, -1, ini, made, Src::literal, def);
    d.intMember = m;
    return d;
}
D Flag(const char *name, int32_t S::*m, int32_t def, Ini ini = none, Made made = always)
{
    return Int(name, SettingKind::flag, m, def, ini, made);
}
D Number(const char *name, int32_t S::*m, int32_t def, Ini ini = none)
{
    return Int(name, SettingKind::number, m, def, ini);
}
D Colour(const char *name, uint32_t S::*m, uint32_t def, Ini ini = none)
{
    D d = Row(name, SettingKind::colour, -1, ini, always, Src::literal, def);
    d.colourMember = m;
    return d;
}
D Text(const char *name, QString S::*m, const char *def, Ini ini = none, Made made = always)
{
    D d = Row(name, SettingKind::text, -1, ini, made, Src::literal, 0, def);
    d.textMember = m;
    return d;
}
D TextId(const char *name, QString S::*m, int id, Ini ini = none)
{
    D d = Row(name, SettingKind::text, -1, ini, always, Src::stringEntry, id);
    d.textMember = m;
    return d;
}
// Array slots: only slot 0 of the font arrays has an ini key.
D TextSlot(const char *name, S::Slots4Text S::*m, int slot, const char *def, Ini ini = none)
{
    D d = Row(name, SettingKind::text, slot, ini, always, Src::literal, 0, def);
    d.textSlots = m;
    return d;
}
D TextSlotId(const char *name, S::Slots4Text S::*m, int slot, int id, Ini ini = none)
{
    D d = Row(name, SettingKind::text, slot, ini, always, Src::stringEntry, id);
    d.textSlots = m;
    return d;
}
D IntSlot(const char *name, SettingKind kind, S::Slots4Int S::*m, int slot, int32_t def, Ini ini = none)
{
    D d = Row(name, kind, slot, ini, always, Src::literal, def);
    d.intSlots = m;
    return d;
}
D ColourSlot(const char *name, std::array<uint32_t, 4> S::*m, int slot, uint32_t def, Ini ini = none)
{
    D d = Row(name, SettingKind::colour, slot, ini, always, Src::literal, def);
    d.colourSlots = m;
    return d;
}
D List(const char *name, QStringList S::*m, int firstId = 0, int lastId = -1)
{
    D d = Row(name, SettingKind::textList, -1, none, always, firstId ? Src::stringRange : Src::literal, firstId,
              nullptr, lastId);
    d.listMember = m;
    return d;
}
D Date(const char *name, int64_t S::*m)
{
    D d = Row(name, SettingKind::date, -1, none, always, Src::clockNow, 0);
    d.dateMember = m;
    return d;
}
D ProgramFile(const char *name, QString S::*m, const char *file, Ini ini, Made made)
{
    D d = Row(name, SettingKind::text, -1, ini, made, Src::programFile, 0, file);
    d.textMember = m;
    return d;
}

constexpr auto flag = SettingKind::flag;
constexpr auto number = SettingKind::number;

const char *const kArialFamily = "Arial, Helvetica, sans-serif";
// The SCORM exit value is written into the run-time's script as it stands, quotes included.
const char *const kSuspendQuoted = "\"suspend\"";

std::vector<D> BuildTable()
{
    return {
        // General and course metadata.
        Number("DictionaryLanguage", &S::DictionaryLanguage, 32960),
        Text("CourseName", &S::CourseName, "", key),
        Flag("ShowCourseName", &S::ShowCourseName, 1, key),
        Text("CourseCode", &S::CourseCode, "", key),
        Flag("ShowCourseCode", &S::ShowCourseCode, 1, key),
        Text("CourseAuthor", &S::CourseAuthor, "", key),
        Flag("ShowCourseAuthor", &S::ShowCourseAuthor, 1, key),
        Text("CourseDate", &S::CourseDate, ""),
        Flag("ShowCourseDate", &S::ShowCourseDate, 1),
        Text("CourseDescription", &S::CourseDescription, ""),
        Flag("ShowCourseDescription", &S::ShowCourseDescription, 1),
        Flag("UseSourceDocumentFonts", &S::UseSourceDocumentFonts, 0, key),
        Flag("FastPowerpointImport", &S::FastPowerpointImport, 1, key),
        Flag("ImportPowerpointAsImages", &S::ImportPowerpointAsImages, 0, key),
        Text("LomKeywords", &S::LomKeywords, ""),
        Text("LomOrganization", &S::LomOrganization, ""),
        Text("LomAddress", &S::LomAddress, ""),
        Text("LomTelephone", &S::LomTelephone, ""),
        Text("LomEmail", &S::LomEmail, ""),
        Text("LomCatalog", &S::LomCatalog, ""),
        Text("LomEntry", &S::LomEntry, ""),
        Flag("LomCost", &S::LomCost, 0),
        Flag("LomCopyright", &S::LomCopyright, 0),
        Text("LomRightsDescription", &S::LomRightsDescription, ""),
        Text("LomVersion", &S::LomVersion, ""),
        Text("LomOrganizationTitle", &S::LomOrganizationTitle, ""),
        Text("LomItemTitle", &S::LomItemTitle, ""),
        Number("LomLanguage", &S::LomLanguage, 1),
        Number("LomStatus", &S::LomStatus, 0),
        Number("LomPurpose", &S::LomPurpose, 0),
        Number("LomResourceType", &S::LomResourceType, 0),

        // Appearance.
        Text("Theme", &S::Theme, "", key),
        Flag("UseCustomBackground", &S::UseCustomBackground, 0, key),
        Colour("BgColor", &S::BgColor, 16777215, key),
        Text("BgImage", &S::BgImage, "", key),
        Flag("UseBgImgTile", &S::UseBgImgTile, 0, key),
        Text("LogoImage", &S::LogoImage, "", key),
        Flag("SwapTopAndNavigationBars", &S::SwapTopAndNavigationBars, 0, key),
        Flag("HideTopBar", &S::HideTopBar, 0, key),
        Flag("RemoveTopBarSpace", &S::RemoveTopBarSpace, 0, key),
        Flag("HideNavigationBar", &S::HideNavigationBar, 0, key),
        Flag("RemoveNavigationBarSpace", &S::RemoveNavigationBarSpace, 0, key),
        Number("TemplateType", &S::TemplateType, 10, key),

        // Fonts: 0 main body, 1 course name, 2 outline, 3 glossary.
        TextSlotId("FontName", &S::FontName, 0, 10560, key),
        TextSlotId("FontName", &S::FontName, 1, 10560),
        TextSlotId("FontName", &S::FontName, 2, 10560),
        TextSlotId("FontName", &S::FontName, 3, 10562),
        IntSlot("FontSize", number, &S::FontSize, 0, 3, key),
        IntSlot("FontSize", number, &S::FontSize, 1, 3),
        IntSlot("FontSize", number, &S::FontSize, 2, 3),
        IntSlot("FontSize", number, &S::FontSize, 3, 3),
        TextSlot("FontSizePoints", &S::FontSizePoints, 0, "12", key),
        TextSlot("FontSizePoints", &S::FontSizePoints, 1, "36"),
        TextSlot("FontSizePoints", &S::FontSizePoints, 2, "10"),
        TextSlot("FontSizePoints", &S::FontSizePoints, 3, "12"),
        ColourSlot("FontColor", &S::FontColor, 0, 0, key),
        ColourSlot("FontColor", &S::FontColor, 1, 0),
        ColourSlot("FontColor", &S::FontColor, 2, 0),
        ColourSlot("FontColor", &S::FontColor, 3, 0),
        TextSlotId("FontFamily", &S::FontFamily, 0, 10561, key),
        TextSlotId("FontFamily", &S::FontFamily, 1, 10561),
        TextSlotId("FontFamily", &S::FontFamily, 2, 10561),
        TextSlotId("FontFamily", &S::FontFamily, 3, 10561),
        TextSlot("FontWeight", &S::FontWeight, 0, "normal"),
        TextSlot("FontWeight", &S::FontWeight, 1, "bold"),
        TextSlot("FontWeight", &S::FontWeight, 2, "bold"),
        TextSlot("FontWeight", &S::FontWeight, 3, "normal"),
        Text("EncodingLabel", &S::EncodingLabel, S::kUtf8EncodingLabel),
        Flag("RightToLeft", &S::RightToLeft, 0),

        // Graphics.
        Number("GraphicSize", &S::GraphicSize, 1, key),
        Flag("IncludeSourceDocGraphics", &S::IncludeSourceDocGraphics, 1, key),
        Flag("AddBorderToImages", &S::AddBorderToImages, 0, key),
        Number("ImageBorderType", &S::ImageBorderType, 0, key),
        Flag("AutoGenerateGraphics", &S::AutoGenerateGraphics, 1, key),
        Flag("UseColorPhotos", &S::UseColorPhotos, 1, key),
        Flag("UseBWPhotos", &S::UseBWPhotos, 1, key),
        Flag("UsePhotoObjects", &S::UsePhotoObjects, 1, key),
        Flag("UseClipArt", &S::UseClipArt, 0, key),
        Flag("UseRandomlyDisplayMatchingGraphics", &S::UseRandomlyDisplayMatchingGraphics, 1, key),
        Flag("UsePrioritiseGraphicsCategories", &S::UsePrioritiseGraphicsCategories, 0, key),
        List("GraphicsCategories", &S::GraphicsCategories, 15019, 15038),
        List("PriorityCategories", &S::PriorityCategories),
        Flag("RandomKenBurns", &S::RandomKenBurns, 0),
        Number("KenBurnsInterval", &S::KenBurnsInterval, 3),
        Flag("KenBurnsZoomIn", &S::KenBurnsZoomIn, 1),
        Flag("KenBurnsZoomOut", &S::KenBurnsZoomOut, 1),
        Flag("KenBurnsPan", &S::KenBurnsPan, 1),
        Flag("KenBurnsFadeIn", &S::KenBurnsFadeIn, 1),
        Flag("KenBurnsGrow", &S::KenBurnsGrow, 1),

        // Buttons and navigation.
        Flag("UseBtnNext", &S::UseBtnNext, 1, key),
        Flag("UseBtnBack", &S::UseBtnBack, 1, key),
        Flag("UseBtnMenu", &S::UseBtnMenu, 1, key),
        Flag("UseBtnQuit", &S::UseBtnQuit, 1, key),
        TextId("LblNext", &S::LblNext, 10681, key),
        TextId("LblBack", &S::LblBack, 10682, key),
        TextId("LblMenu", &S::LblMenu, 10683, key),
        TextId("LblQuit", &S::LblQuit, 10684, key),
        TextId("LblDone", &S::LblDone, 10685, key),
        TextId("LblPlay", &S::LblPlay, 10686, key),
        TextId("LblStop", &S::LblStop, 10687, key),
        Flag("UseProgressBar", &S::UseProgressBar, 1, key),
        Number("TimeBetweenScreens", &S::TimeBetweenScreens, 6, key),
        Number("McToggleType", &S::McToggleType, 0, key),
        Text("NextButtonDelay", &S::NextButtonDelay, "7"),
        Flag("DelayNextButton", &S::DelayNextButton, 0),
        Flag("NoNextAtTopicEnd", &S::NoNextAtTopicEnd, 0),
        Flag("ShowGlossary", &S::ShowGlossary, 1, none, constructed),
        Flag("HideGlossaryInAssessment", &S::HideGlossaryInAssessment, 1, none, constructed),
        Flag("HideHelpInAssessment", &S::HideHelpInAssessment, 1, none, constructed),
        Int("HelpScreen", SettingKind::screen, &S::HelpScreen, 0, none, constructed),

        // Questions and assessment.
        Number("QuestResponse", &S::QuestResponse, 0, key),
        Flag("UseQuestFeedback", &S::UseQuestFeedback, 1, key),
        TextId("FeedBackCorrect", &S::FeedBackCorrect, 30002, key),
        TextId("FeedBackWrong", &S::FeedBackWrong, 30004, key),
        Flag("DisableNextBtn", &S::DisableNextBtn, 1, key),
        Flag("IncEvalBtn", &S::IncEvalBtn, 1, key),
        Flag("AutoProgress", &S::AutoProgress, 0),
        Flag("AutoProgressOnEvaluate", &S::AutoProgressOnEvaluate, 0),
        Flag("AutoCreateDragDropQuest", &S::AutoCreateDragDropQuest, 0, key),
        Number("DragDropQuestInterval", &S::DragDropQuestInterval, 10, key),
        Number("DragDropQuestWordCount", &S::DragDropQuestWordCount, 6, key),
        Flag("UseRandScreensQuest", &S::UseRandScreensQuest, 0, key),
        Flag("LastAssessmentTopic", &S::LastAssessmentTopic, 0, key),
        Flag("ShowCorrectAnswer", &S::ShowCorrectAnswer, 0, key),
        Flag("ProvideFeedback", &S::ProvideFeedback, 0, key),
        TextId("AssmntFeedBackCorrect", &S::AssmntFeedBackCorrect, 30002, key),
        TextId("AssmntFeedBackWrong", &S::AssmntFeedBackWrong, 30004, key),
        Flag("SetTimeLimitPerQuestion", &S::SetTimeLimitPerQuestion, 0, key),
        Flag("ShowTimer", &S::ShowTimer, 1, key),
        Number("TimeLimitType", &S::TimeLimitType, 0, key),
        Number("TimeLimitEachQuestion", &S::TimeLimitEachQuestion, 60, key),
        Number("TimeLimitAllQuestions", &S::TimeLimitAllQuestions, 600, key),
        Flag("SetQuestionCountFromPool", &S::SetQuestionCountFromPool, 0, key),
        Number("QuestionCountFromPool", &S::QuestionCountFromPool, 80, key),
        Flag("SetPercentagePassMark", &S::SetPercentagePassMark, 1, key),
        Number("PercentagePassMark", &S::PercentagePassMark, 80, key),
        Flag("IncEvalBtn4Assessment", &S::IncEvalBtn4Assessment, 1, key),
        Flag("PresentRandomQuestions", &S::PresentRandomQuestions, 1, key),
        Flag("PresentRandomMultiChoice", &S::PresentRandomMultiChoice, 1, key),
        Flag("CreateFinalFeedbackScreen", &S::CreateFinalFeedbackScreen, 1, key),
        Flag("DisableNextBtn2", &S::DisableNextBtn2, 0, key),
        Flag("DisableBackBtn2", &S::DisableBackBtn2, 1, key),
        Flag("DisableMenuBtn2", &S::DisableMenuBtn2, 0, key),
        Flag("AutoProgressOnEvaluateInAssessment", &S::AutoProgressOnEvaluateInAssessment, 0),
        Flag("AutoProgressInAssessment", &S::AutoProgressInAssessment, 0),

        // Construction, outline and expiry.
        Flag("CreateObjectivePages", &S::CreateObjectivePages, 0, key),
        Flag("WarnInteractTooLow", &S::WarnInteractTooLow, 1, key),
        Number("ContentScreenCount", &S::ContentScreenCount, 4, key),
        Flag("ForceNewPage", &S::ForceNewPage, 0, key),
        Flag("UseSrcPageBreaks", &S::UseSrcPageBreaks, 1, key),
        Flag("UseSrcWordHeadings", &S::UseSrcWordHeadings, 1, key),
        Flag("LeftAlignBulletedLists", &S::LeftAlignBulletedLists, 1, key),
        Flag("LeftAlignNumberedLists", &S::LeftAlignNumberedLists, 1, key),
        Flag("CreateOutline", &S::CreateOutline, 0),
        Flag("OutlineCloseOnSelect", &S::OutlineCloseOnSelect, 0),
        Text("OutlineLabel", &S::OutlineLabel, "OUTLINE"),
        Text("OutlineFontName", &S::OutlineFontName, "Arial"),
        Text("OutlineFontWeight", &S::OutlineFontWeight, "bold"),
        Number("OutlineFontSize", &S::OutlineFontSize, 8),
        Colour("OutlineFontColor", &S::OutlineFontColor, 0),
        Text("OutlineFontFamily", &S::OutlineFontFamily, kArialFamily),
        Text("OutlineEncodingLabel", &S::OutlineEncodingLabel, S::kUtf8EncodingLabel),
        Number("OutlineLeft", &S::OutlineLeft, 12),
        Number("OutlineTop", &S::OutlineTop, 4),
        Number("OutlineWidth", &S::OutlineWidth, 300),
        Number("OutlineHeight", &S::OutlineHeight, 560),
        Colour("OutlineLinkColor", &S::OutlineLinkColor, 0),
        Flag("OutlineUseButton", &S::OutlineUseButton, 0),
        Flag("OutlineHideInAssessment", &S::OutlineHideInAssessment, 0),
        Flag("SetExpiry", &S::SetExpiry, 0),
        Date("ExpiryDate", &S::ExpiryDate),
        Text("ExpiryMessage", &S::ExpiryMessage, "This course has now expired"),

        // Management: sign-in and data.
        Flag("RecordData", &S::RecordData, 0, key),
        Flag("SignIn", &S::SignIn, 0, key),
        Flag("MaySelfRegister", &S::MaySelfRegister, 0, key),
        Flag("UseSignInName", &S::UseSignInName, 1, key),
        Text("SignInName", &S::SignInName, "Name", key),
        Flag("UseSignInID", &S::UseSignInID, 1, key),
        Text("SignInID", &S::SignInID, "ID", key),
        Flag("UseSignInPassword", &S::UseSignInPassword, 1, key),
        Text("SignInPassword", &S::SignInPassword, "Password", key),
        Flag("UseSendEmail", &S::UseSendEmail, 0, key),
        Text("EmailAddress", &S::EmailAddress, "Enter email address here", key),
        Flag("AllowResume", &S::AllowResume, 0),

        // Databases of the LAN and web targets.
        Text("LANDbTableName", &S::LANDbTableName, "Table1", key),
        Flag("UseLANDbDSN", &S::UseLANDbDSN, 1, key),
        Text("LANDbDSN", &S::LANDbDSN, "", key),
        Text("LANDbUID", &S::LANDbUID, "Admin", key),
        Text("LANDbPassword", &S::LANDbPassword, "", key),
        Text("LANDbProvider", &S::LANDbProvider, "", key),
        Text("LANDbDataSource", &S::LANDbDataSource, "", key),
        Text("LANDbSundry", &S::LANDbSundry, "", key),
        Text("LANDbTableName2", &S::LANDbTableName2, "Table2"),
        Flag("UseASP", &S::UseASP, 1, key),
        Text("WebASPDbTableName", &S::WebASPDbTableName, "Table1", key),
        Flag("UseWebDbASPDSN", &S::UseWebDbASPDSN, 1, key),
        Text("WebASPDbDSN", &S::WebASPDbDSN, "", key),
        Text("WebASPDbUID", &S::WebASPDbUID, "Admin", key),
        Text("WebASPDbPassword", &S::WebASPDbPassword, "", key),
        Text("WebASPDbProvider", &S::WebASPDbProvider, "", key),
        Text("WebASPDbDataSource", &S::WebASPDbDataSource, "", key),
        Flag("UseWebASPDbRelativePath", &S::UseWebASPDbRelativePath, 0, key),
        Text("WebASPDbSundry", &S::WebASPDbSundry, "", key),
        Text("WebPHPDbTableName", &S::WebPHPDbTableName, "Table1", key),
        Text("WebPHPDbType", &S::WebPHPDbType, "", key),
        Text("WebPHPDbType4Publish", &S::WebPHPDbType4Publish, "", key),
        Flag("UseWebPHPStandardParameters", &S::UseWebPHPStandardParameters, 1, key),
        Text("WebPHPServer", &S::WebPHPServer, "", key),
        Text("WebPHPDatabase", &S::WebPHPDatabase, "", key),
        Flag("UseWebPHPPersistence", &S::UseWebPHPPersistence, 0, key),
        Text("WebPHPUserID", &S::WebPHPUserID, "", key),
        Text("WebPHPPassword", &S::WebPHPPassword, "", key),
        Text("WebPHPConnectionString", &S::WebPHPConnectionString, "", key),
        Text("WebDbTableName2", &S::WebDbTableName2, "Table2"),

        // Learning management system.
        Flag("UseScorm", &S::UseScorm, 1),
        Flag("UseOstrelle", &S::UseOstrelle, 0),
        Text("OstrelleLessonFolder", &S::OstrelleLessonFolder, ""),
        Flag("SCORM12", &S::SCORM12, 1, key),
        Flag("CreateZip", &S::CreateZip, 0, key),
        Text("ScormExit12", &S::ScormExit12, kSuspendQuoted),
        Text("ScormExit2004", &S::ScormExit2004, kSuspendQuoted),
        Text("LmsCompatibility", &S::LmsCompatibility, "Default"),
        Flag("LmsOpensNewWindow", &S::LmsOpensNewWindow, 0),
        Flag("LmsProtectPassedStatus", &S::LmsProtectPassedStatus, 0),

        // Publishing and internationalisation.
        ProgramFile("InternationalProfileFilename", &S::InternationalProfileFilename, "kv_profile.kvp", key,
                    constructed),
        IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 0, 1),
        IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 1, 1),
        IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 2, 1),
        IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 3, 1),
        TextSlot("OutputFolder", &S::OutputFolder, 0, ""),
        TextSlot("OutputFolder", &S::OutputFolder, 1, ""),
        TextSlot("OutputFolder", &S::OutputFolder, 2, ""),
        TextSlot("OutputFolder", &S::OutputFolder, 3, ""),
        Flag("EmulateIE7", &S::EmulateIE7, 1),
        Flag("PreviewUsingHTM", &S::PreviewUsingHTM, 0, key),
        Flag("PublishImagesAtStandardResolution", &S::PublishImagesAtStandardResolution, 0, key),
        Text("LastContentLibrary", &S::LastContentLibrary, "", none, constructed),

        // Course structure.
        Flag("CompleteTopicsInOrder", &S::CompleteTopicsInOrder, 0),
        Flag("MainMenuOnlyListMenu", &S::MainMenuOnlyListMenu, 0),
        Flag("MainMenuNoImages", &S::MainMenuNoImages, 0),
        Flag("MenuBasedCourse", &S::MenuBasedCourse, 0),
        Text("LinearSourceDocument", &S::LinearSourceDocument, ""),
        Flag("LinearSourceAssessable", &S::LinearSourceAssessable, 0),
    };
}

// The program's own options, kept per user only: never in a project file.
const char *const kNotInProjectFile[] = {
    "UseSourceDocumentFonts", "FastPowerpointImport", "ImportPowerpointAsImages", "InternationalProfileFilename",
    "PreviewUsingHTM", "PublishImagesAtStandardResolution", "LastContentLibrary",
};
// The settings the saved defaults (setting.bin) leave out: the per-user options above but the last content
// library, and the course's own layout and run-time choices.
const char *const kNotInSettingsFile[] = {
    "UseSourceDocumentFonts", "FastPowerpointImport", "ImportPowerpointAsImages", "InternationalProfileFilename",
    "PreviewUsingHTM", "PublishImagesAtStandardResolution", "HelpScreen", "SwapTopAndNavigationBars",
    "HideTopBar", "RemoveTopBarSpace", "HideNavigationBar", "RemoveNavigationBarSpace", "LeftAlignBulletedLists",
    "LeftAlignNumberedLists", "MainMenuOnlyListMenu", "MainMenuNoImages", "ScormExit12", "ScormExit2004",
};

// The settings the published options script writes, for the run-time to read when a course starts: every
// slot of an array setting by its bare name, a single slot as "Name[n]".
const char *const kInOptionsScript[] = {
    "AllowResume", "AssmntFeedBackCorrect", "AssmntFeedBackWrong", "AutoProgress", "AutoProgressInAssessment",
    "AutoProgressOnEvaluate", "AutoProgressOnEvaluateInAssessment", "CompleteTopicsInOrder", "CourseAuthor",
    "CourseCode", "CourseDate", "CourseDescription", "CourseName", "CreateOutline", "DelayNextButton",
    "DisableBackBtn2", "DisableMenuBtn2", "DisableNextBtn", "DisableNextBtn2", "EmailAddress", "ExpiryDate",
    "ExpiryMessage", "FeedBackCorrect", "FeedBackWrong", "FontName[2]", "FontSizePoints[0]", "FontSizePoints[2]",
    "FontWeight[2]", "HelpScreen", "HideGlossaryInAssessment", "HideHelpInAssessment", "HideNavigationBar",
    "HideTopBar", "IncEvalBtn", "IncEvalBtn4Assessment", "LANDbDSN", "LANDbDataSource", "LANDbPassword",
    "LANDbProvider", "LANDbSundry", "LANDbTableName", "LANDbTableName2", "LANDbUID", "LastAssessmentTopic",
    "LinearSourceAssessable", "LmsOpensNewWindow", "LmsProtectPassedStatus", "MainMenuNoImages",
    "MainMenuOnlyListMenu", "MaySelfRegister", "McToggleType", "MenuBasedCourse", "NextButtonDelay",
    "NoNextAtTopicEnd", "OutlineCloseOnSelect", "OutlineHeight", "OutlineHideInAssessment", "OutlineLabel",
    "OutlineLeft", "OutlineLinkColor", "OutlineTop", "OutlineUseButton", "OutlineWidth", "PercentagePassMark",
    "PresentRandomMultiChoice", "PresentRandomQuestions", "ProvideFeedback", "QuestResponse",
    "QuestionCountFromPool", "RecordData", "RemoveNavigationBarSpace", "RemoveTopBarSpace", "RightToLeft",
    "SCORM12", "ScormExit12", "ScormExit2004", "SetExpiry", "SetPercentagePassMark", "SetQuestionCountFromPool",
    "SetTimeLimitPerQuestion", "ShowCorrectAnswer", "ShowCourseAuthor", "ShowCourseCode", "ShowCourseDate",
    "ShowCourseDescription", "ShowCourseName", "ShowGlossary", "ShowTimer", "SignIn", "SignInID", "SignInName",
    "SignInPassword", "SwapTopAndNavigationBars", "Theme", "TimeBetweenScreens", "TimeLimitEachQuestion",
    "TimeLimitType", "UseASP", "UseBtnBack", "UseBtnMenu", "UseBtnNext", "UseBtnQuit", "UseLANDbDSN",
    "UseProgressBar", "UseQuestFeedback", "UseSendEmail", "UseSignInID", "UseSignInName", "UseSignInPassword",
    "WebASPDbTableName", "WebDbTableName2", "WebPHPDbTableName",
};

std::vector<D> BuildTableWithStores()
{
    std::vector<D> table = BuildTable();
    for (D &d : table) {
        const QLatin1String name(d.name);
        for (const char *in : kInOptionsScript)
            if (name == QLatin1String(in) || d.DisplayName() == QLatin1String(in))
                d.stores |= unsigned(optionsScriptStore);
        for (const char *out : kNotInProjectFile)
            if (name == QLatin1String(out))
                d.stores &= ~unsigned(projectFileStore);
        for (const char *out : kNotInSettingsFile)
            if (name == QLatin1String(out))
                d.stores &= ~unsigned(settingsFileStore);
    }
    return table;
}

} // namespace

const std::vector<CourseSettingDescriptor> &CourseSettingTable()
{
    static const std::vector<D> table = BuildTableWithStores();
    return table;
}


const CourseSettingDescriptor *FindCourseSetting(const QString &displayName)
{
    static const QHash<QString, const D *> byName = [] {
        QHash<QString, const D *> map;
        for (const D &d : CourseSettingTable())
            map.insert(d.DisplayName(), &d);
        return map;
    }();
    return byName.value(displayName, nullptr);
}

namespace {

template <class T>
const D *FindByMember(T S::*member, T S::*D::*field)
{
    for (const D &d : CourseSettingTable())
        if (d.*field == member)
            return &d;
    return nullptr;
}

} // namespace

const CourseSettingDescriptor *FindCourseSetting(int32_t S::*member) { return FindByMember(member, &D::intMember); }
const CourseSettingDescriptor *FindCourseSetting(uint32_t S::*member) { return FindByMember(member, &D::colourMember); }
const CourseSettingDescriptor *FindCourseSetting(int64_t S::*member) { return FindByMember(member, &D::dateMember); }
const CourseSettingDescriptor *FindCourseSetting(QString S::*member) { return FindByMember(member, &D::textMember); }
const CourseSettingDescriptor *FindCourseSetting(QStringList S::*member) { return FindByMember(member, &D::listMember); }

QString CourseSettingDescriptor::DisplayName() const
{
    const QString bare = QString::fromLatin1(name);
    return slot < 0 ? bare : bare + u'[' + QString::number(slot) + u']';
}

QVariant CourseSettingDescriptor::Get(const CCourseSettings &s) const
{
    if (intMember)
        return QVariant(int(s.*intMember));
    if (colourMember)
        return QVariant(uint(s.*colourMember));
    if (textMember)
        return QVariant(s.*textMember);
    if (listMember)
        return QVariant(s.*listMember);
    if (dateMember)
        return QVariant(qint64(s.*dateMember));
    if (intSlots)
        return QVariant(int((s.*intSlots)[size_t(slot)]));
    if (colourSlots)
        return QVariant(uint((s.*colourSlots)[size_t(slot)]));
    return QVariant((s.*textSlots)[size_t(slot)]);
}

void CourseSettingDescriptor::Set(CCourseSettings &s, const QVariant &value) const
{
    if (intMember)
        s.*intMember = int32_t(value.toInt());
    else if (colourMember)
        s.*colourMember = uint32_t(value.toUInt());
    else if (textMember)
        s.*textMember = value.toString();
    else if (listMember)
        s.*listMember = value.toStringList();
    else if (dateMember)
        s.*dateMember = value.toLongLong();
    else if (intSlots)
        (s.*intSlots)[size_t(slot)] = int32_t(value.toInt());
    else if (colourSlots)
        (s.*colourSlots)[size_t(slot)] = uint32_t(value.toUInt());
    else
        (s.*textSlots)[size_t(slot)] = value.toString();
}

QVariant CourseSettingDescriptor::DefaultValue(int64_t now, const QString &programFolder) const
{
    switch (source) {
    case DefaultSource::stringEntry:
        return QVariant(CStringTable::Load(int(defaultNumber)));
    case DefaultSource::stringRange: {
        QStringList list;
        for (int id = int(defaultNumber); id <= rangeLast; ++id)
            list.append(CStringTable::Load(id));
        return QVariant(list);
    }
    case DefaultSource::clockNow:
        return QVariant(qint64(now));
    case DefaultSource::programFile:
        return QVariant(CorvPath::Join(programFolder, QString::fromLatin1(defaultText)));
    case DefaultSource::literal:
        break;
    }
    switch (kind) {
    case SettingKind::text:
        return QVariant(QString::fromUtf8(defaultText));
    case SettingKind::textList:
        return QVariant(QStringList());
    case SettingKind::colour:
        return QVariant(uint(defaultNumber));
    case SettingKind::date:
        return QVariant(qint64(defaultNumber));
    default:
        return QVariant(int(defaultNumber));
    }
}

void CCourseSettings::ApplyDefaults(bool includeConstructed, int64_t now, const QString &programFolder)
{
    for (const D &d : CourseSettingTable())
        if (includeConstructed || !d.constructed)
            d.Set(*this, d.DefaultValue(now, programFolder));
}

QString CCourseSettings::GetCharset() const
{
    // An empty charset would publish "charset=" on every page; the label's own default is the safe answer.
    const qsizetype open = EncodingLabel.indexOf(u'[');
    const qsizetype close = EncodingLabel.indexOf(u']');
    if (open < 0 || close < open)
        return QStringLiteral("utf-8");
    return EncodingLabel.mid(open + 1, close - open - 1);
}
