#include "GoldenProject.h"

namespace {
const QString kArial = "Arial";
const QString kFamily = "Arial, Helvetica, sans-serif";
const QString kUtf8 = "Unicode (UTF-8) - [utf-8]";
const QString kCorrect = "Yes, that is the correct answer.";
const QString kWrong = "No, the correct answer is now shown.";
} // namespace

void GoldenProject::WriteSettings(qint64 expiry)
{
    if (!m_noSchema && !m_omitSchemaNumber)
        m_ar.WriteInt(m_schema);
    I("nextScreen", 0);
    I("nextTextBox", 1);
    I("importPending", 1);
    if (AtLeast(1000007))
        I("DictionaryLanguage", 32960);
    S("CourseName", "");
    if (AtLeast(1000001)) I("ShowCourseName", 1);
    S("CourseCode", "");
    if (AtLeast(1000001)) {
        I("ShowCourseCode", 1);
        S("CourseAuthor", "");
        I("ShowCourseAuthor", 1);
        S("CourseDate", "");
        I("ShowCourseDate", 1);
    }
    S("CourseDescription", "");
    if (AtLeast(1000001)) I("ShowCourseDescription", 1);
    S("LomKeywords", "");
    if (Above(10000029)) {
        for (const char *n : {"LomOrganization", "LomAddress", "LomTelephone", "LomEmail", "LomCatalog", "LomEntry"})
            S(n, "");
        I("LomCost", 0);
        I("LomCopyright", 0);
        for (const char *n : {"LomRightsDescription", "LomVersion", "LomOrganizationTitle", "LomItemTitle"})
            S(n, "");
        I("LomLanguage", 1);
        I("LomStatus", 0);
        I("LomPurpose", 0);
        I("LomResourceType", 0);
    }
    if (m_noSchema) {
        S("obsolete1", "old one");
        S("obsolete2", "old two");
    }
    S("Theme", "");
    I("UseCustomBackground", 0);
    I("BgColor", 16777215);
    S("BgImage", "");
    I("UseBgImgTile", 0);
    S("LogoImage", "");
    if (AtLeast(10000040))
        for (const char *n : {"SwapTopAndNavigationBars", "HideTopBar", "RemoveTopBarSpace", "HideNavigationBar",
                              "RemoveNavigationBarSpace"})
            I(n, 0);
    I("TemplateType", 10);
    S("FontName[0]", kArial);
    I("FontSize[0]", 3);
    I("FontColor[0]", 0);
    S("FontFamily[0]", kFamily);
    if (AtLeast(10000038)) {
        S("FontSizePoints[0]", "12");
        S("FontWeight[0]", "normal");
    }
    auto slot = [&](int n, const QString &face, const char *points, const char *weight) {
        const QByteArray k = "[" + QByteArray::number(n) + "]";
        S(QByteArray("FontName" + k).constData(), face);
        I(QByteArray("FontSize" + k).constData(), 3);
        I(QByteArray("FontColor" + k).constData(), 0);
        S(QByteArray("FontFamily" + k).constData(), kFamily);
        S(QByteArray("FontSizePoints" + k).constData(), points);
        S(QByteArray("FontWeight" + k).constData(), weight);
    };
    if (AtLeast(1000006)) {
        slot(1, kArial, "36", "bold");
        slot(2, kArial, "10", "bold");
    }
    if (AtLeast(10000038))
        slot(3, "Verdana", "12", "normal");
    if (AtLeast(1000006))
        S("EncodingLabel", kUtf8);
    if (AtLeast(10000032))
        I("RightToLeft", 0);
    I("GraphicSize", 1);
    I("IncludeSourceDocGraphics", 1);
    I("AddBorderToImages", 0);
    I("ImageBorderType", 0);
    I("AutoGenerateGraphics", 1);
    I("UseColorPhotos", 1);
    I("UseBWPhotos", 1);
    I("UsePhotoObjects", 1);
    I("UseClipArt", 0);
    I("UseRandomlyDisplayMatchingGraphics", 1);
    I("UsePrioritiseGraphicsCategories", 0);
    L("GraphicsCategories", kBuiltInCategories);
    L("PriorityCategories", {});
    for (const char *n : {"UseBtnNext", "UseBtnBack", "UseBtnMenu", "UseBtnQuit"})
        I(n, 1);
    S("LblNext", "Next");
    S("LblBack", "Back");
    S("LblMenu", "Menu");
    S("LblQuit", "Quit");
    S("LblDone", "Done");
    S("LblPlay", "Play");
    S("LblStop", "Stop");
    I("UseProgressBar", 1);
    I("TimeBetweenScreens", 6);
    I("McToggleType", 0);
    if (AtLeast(1000006)) {
        I("DelayNextButton", 0);
        S("NextButtonDelay", "7");
        I("CompleteTopicsInOrder", 0);
        I("AutoProgress", 0);
    }
    if (AtLeast(10000020)) {
        I("MainMenuOnlyListMenu", 0);
        I("MainMenuNoImages", 0);
    }
    if (Above(10000013))
        I("NoNextAtTopicEnd", 0);
    if (AtLeast(10000038)) {
        I("ShowGlossary", 1);
        I("HideGlossaryInAssessment", 1);
        I("HideHelpInAssessment", 1);
        I("HelpScreen", 0);
    }
    I("QuestResponse", 0);
    I("UseQuestFeedback", 1);
    S("FeedBackCorrect", kCorrect);
    S("FeedBackWrong", kWrong);
    I("DisableNextBtn", 1);
    I("IncEvalBtn", 1);
    if (AtLeast(1000005)) {
        I("CreateOutline", 0);
        I("OutlineCloseOnSelect", 0);
        S("OutlineLabel", "OUTLINE");
        S("OutlineFontName", kArial);
        S("OutlineFontWeight", "bold");
        I("OutlineFontSize", 8);
        I("OutlineFontColor", 0);
        S("OutlineFontFamily", kFamily);
        S("OutlineEncodingLabel", kUtf8);
        I("OutlineLeft", 12);
        I("OutlineTop", 4);
        I("OutlineWidth", 300);
        I("OutlineHeight", 560);
    }
    if (AtLeast(10000029))
        I("OutlineLinkColor", 0);
    if (AtLeast(10000034)) {
        I("OutlineUseButton", 0);
        I("OutlineHideInAssessment", 0);
    }
    I("AutoCreateDragDropQuest", 0);
    I("DragDropQuestInterval", 10);
    I("DragDropQuestWordCount", 6);
    I("UseRandScreensQuest", 0);
    I("LastAssessmentTopic", 0);
    I("ShowCorrectAnswer", 0);
    I("ProvideFeedback", 0);
    S("AssmntFeedBackCorrect", kCorrect);
    S("AssmntFeedBackWrong", kWrong);
    I("SetTimeLimitPerQuestion", 0);
    I("ShowTimer", 1);
    I("TimeLimitType", 0);
    I("TimeLimitEachQuestion", 60);
    I("TimeLimitAllQuestions", 600);
    I("SetQuestionCountFromPool", 0);
    I("QuestionCountFromPool", 80);
    I("SetPercentagePassMark", 1);
    I("PercentagePassMark", 80);
    I("IncEvalBtn4Assessment", 1);
    I("PresentRandomQuestions", 1);
    I("PresentRandomMultiChoice", 1);
    I("CreateFinalFeedbackScreen", 1);
    I("DisableNextBtn2", 0);
    I("DisableBackBtn2", 1);
    I("DisableMenuBtn2", 0);
    if (AtLeast(10000036))
        I("AutoProgressInAssessment", 0);
    I("CreateObjectivePages", 0);
    I("WarnInteractTooLow", 1);
    I("ContentScreenCount", 4);
    I("ForceNewPage", 0);
    I("UseSrcPageBreaks", 1);
    I("UseSrcWordHeadings", 1);
    if (AtLeast(10000027)) {
        I("LeftAlignBulletedLists", 1);
        I("LeftAlignNumberedLists", 1);
    }
    if (AtLeast(10000010)) {
        I("SetExpiry", 0);
        m_ar.WriteInt64(Value("ExpiryDate", expiry).toLongLong());
        S("ExpiryMessage", "This course has now expired");
    }
    I("RecordData", 0);
    I("SignIn", 0);
    I("MaySelfRegister", 0);
    I("UseSignInName", 1);
    S("SignInName", "Name");
    I("UseSignInID", 1);
    S("SignInID", "ID");
    I("UseSignInPassword", 1);
    S("SignInPassword", "Password");
    I("UseSendEmail", 0);
    S("EmailAddress", "Enter email address here");
    if (Above(1000008))
        I("AllowResume", 0);
    S("LANDbTableName", "Table1");
    I("UseLANDbDSN", 1);
    S("LANDbDSN", "");
    S("LANDbUID", "Admin");
    S("LANDbPassword", "");
    S("LANDbProvider", "");
    S("LANDbDataSource", "");
    S("LANDbSundry", "");
    if (AtLeast(10000012))
        S("LANDbTableName2", "Table2");
    I("UseASP", 1);
    S("WebASPDbTableName", "Table1");
    I("UseWebDbASPDSN", 1);
    S("WebASPDbDSN", "");
    S("WebASPDbUID", "Admin");
    S("WebASPDbPassword", "");
    S("WebASPDbProvider", "");
    S("WebASPDbDataSource", "");
    I("UseWebASPDbRelativePath", 0);
    S("WebASPDbSundry", "");
    S("WebPHPDbTableName", "Table1");
    I("UseWebPHPStandardParameters#1", 1);
    S("WebPHPDbType", "");
    S("WebPHPDbType4Publish", "");
    I("UseWebPHPStandardParameters#2", 1);
    S("WebPHPServer", "");
    S("WebPHPDatabase", "");
    I("UseWebPHPPersistence", 0);
    S("WebPHPUserID", "");
    S("WebPHPPassword", "");
    S("WebPHPConnectionString", "");
    if (AtLeast(10000012))
        S("WebDbTableName2", "Table2");
    I("SCORM12", 1);
    I("CreateZip", 0);
    if (AtLeast(10000018)) {
        S("ScormExit12", "\"suspend\"");
        S("ScormExit2004", "\"suspend\"");
    }
    if (AtLeast(10000046))
        S("LmsCompatibility", "Default");
    if (AtLeast(10000011)) {
        I("UseScorm", 1);
        I("UseOstrelle", 0);
        S("OstrelleLessonFolder", "");
    }
    for (int n = 0; n < 4; ++n) {
        I(QByteArray("UseDefaultOutputFolder[" + QByteArray::number(n) + "]").constData(), 1);
        S(QByteArray("OutputFolder[" + QByteArray::number(n) + "]").constData(), "");
    }
    if (AtLeast(10000013))
        I("LmsOpensNewWindow", 0);
    I("MenuBasedCourse", 0);
    S("LinearSourceDocument", "");
    I("LinearSourceAssessable", 0);
}

void GoldenProject::WriteTopics(const QList<QStringList> &topics)
{
    if (AtLeast(10000017)) {
        m_ar.WriteInt(int32_t(topics.size()));
    } else {
        m_ar.WriteByte(uint8_t(topics.size()));
        m_ar.WriteByte(0xEE); // the second byte of the old count means nothing
    }
    for (const QStringList &t : topics)
        for (const QString &s : t)
            m_ar.WriteString(s);
}

void GoldenProject::WritePostTopic(const QStringList &glossaryDocuments)
{
    if (AtLeast(10000033)) {
        I("AutoProgressOnEvaluate", 0);
        I("AutoProgressOnEvaluateInAssessment", 0);
    }
    if (AtLeast(10000035))
        I("LmsProtectPassedStatus", 0);
    if (AtLeast(10000038)) {
        I("glossaryDocumentCount", int32_t(glossaryDocuments.size()));
        for (const QString &d : glossaryDocuments)
            m_ar.WriteString(d);
    }
    if (AtLeast(10000042))
        I("EmulateIE7", 1);
    if (AtLeast(10000044)) {
        I("RandomKenBurns", 0);
        I("KenBurnsInterval", 3);
        for (const char *n : {"KenBurnsZoomIn", "KenBurnsZoomOut", "KenBurnsPan", "KenBurnsFadeIn", "KenBurnsGrow"})
            I(n, 1);
    }
}

void GoldenProject::WriteScreen(int number, const QString &title, const QString &label, int pageType, int menuKind,
                                const std::function<void(CArchive &)> &components, int componentCount)
{
    if (number >= 0)
        m_ar.WriteInt(number);
    m_ar.WriteString(title);
    m_ar.WriteString("banner of " + title);
    m_ar.WriteString("source.docx");
    m_ar.WriteInt(0);
    m_ar.WriteString(label);
    m_ar.WriteInt(pageType);
    if (menuKind >= 0)
        m_ar.WriteInt(menuKind);
    m_ar.WriteInt(componentCount);
    if (components)
        components(m_ar);
}

const QStringList kBuiltInCategories = {
    "Abstracts & Backgrounds", "Agriculture & Industry", "Architecture", "Business, Commerce & Trade",
    "Education", "Food & Beverages", "Health & Safety", "Holiday & Special Occasions", "House & Home",
    "Lifestyles & Cultures", "Nature", "People", "Religion, Myth & Fantasy", "Science & Technology",
    "Signs & Symbols", "Social Issues & Government", "Sports & Leisure", "Transportation", "Travel & Tourism",
    "Wildlife & Animals"};
