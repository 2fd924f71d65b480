#include "publish/OptionsScript.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentQuestion.h"
#include "model/ComponentTopicButton.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/PathUtil.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"
#include "publish/RunToHtmlSpan.h"
#include "publish/ScriptTextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>

// content/scripts/<prefix>_prefs.js: the course settings the run-time reads when the course starts. The
// lines, their order and their spacing are the course's format; the run-time and older courses' pages
// rely on them.

using namespace CorvScriptText;

namespace {

constexpr int kMainSlot = 0;
constexpr int kOutlineSlot = 2;

QString Bool(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

// Lines of the options script, each written as "<name and spacing><value><end>".
class Lines
{
public:
    void Fixed(const char *text) { m_text += QLatin1String(text); }
    // A bare value: a word, a number or a list.
    void Value(const char *name, const QString &value, const char *end = ";\n")
    {
        m_text += QLatin1String(name) + value + QLatin1String(end);
    }
    void Flag(const char *name, bool value, const char *end = ";\n") { Value(name, Bool(value), end); }
    void Number(const char *name, qint64 value, const char *end = ";\n") { Value(name, QString::number(value), end); }
    // A string value, already made safe for the inside of a double-quoted string.
    void String(const char *name, const QString &inside, const char *end = ";\n")
    {
        m_text += QLatin1String(name) + u'"' + inside + u'"' + QLatin1String(end);
    }
    const QString &Text() const { return m_text; }

private:
    QString m_text;
};

// The text of a style-sheet line between "color:" and the first ";", when the line has both.
std::optional<QString> ColourOfLine(const QString &line)
{
    const qsizetype colon = line.indexOf(QLatin1String("color:"));
    const qsizetype end = line.indexOf(u';');
    if (colon < 0 || end < 0)
        return std::nullopt;
    const qsizetype length = end - colon - 6;
    return length > 0 ? line.mid(colon + 6, length) : QString();
}

// The window height for the bars the course hides and collapses; the width is always 1008.
int WindowHeight(const CCourseSettings &s)
{
    int height = s.HideNavigationBar != 0 && s.RemoveNavigationBarSpace != 0 ? 620 : 680;
    if (s.HideTopBar != 0 && s.RemoveTopBarSpace != 0)
        height -= 60;
    return height;
}

// The LAN database's connection text, in the pieces the run-time's connection expects.
QString ConnectionString(const CCourseSettings &s)
{
    const bool dsn = s.UseLANDbDSN == 1;
    const auto piece = [](QString text) {
        if (!text.isEmpty() && !text.endsWith(u';'))
            text += u';';
        return text;
    };
    return piece(dsn ? QStringLiteral("DSN=") + s.LANDbDSN : s.LANDbProvider)
           + piece(dsn ? QStringLiteral("UID=") + s.LANDbUID : s.LANDbDataSource)
           + (dsn ? QStringLiteral("PWD=") + s.LANDbPassword : s.LANDbSundry);
}

// The topics the run-time marks as holding assessable questions: topic zero is the menu of a menu course.
QString AssessableList(const CCourseSettings &s, const CCorvessaDoc &doc)
{
    if (s.MenuBasedCourse == 0)
        return s.LinearSourceAssessable == 1 ? QStringLiteral("1") : QStringLiteral("0");
    QString list = QStringLiteral("0");
    for (const auto &topic : doc.Topics()) {
        const bool counted = !topic->GetName().isEmpty() || !topic->GetSourceDocument().isEmpty();
        if (counted)
            list += topic->GetAssessable().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? QStringLiteral(",1")
                                                                                                     : QStringLiteral(",0");
    }
    return list;
}

struct MenuLists {
    QString titles;
    QString banners;
    QString pictures;
};

// The picture the publish copies for the topic button at the position: the large one (mm<k>.png) or the small
// one (m<k>.png) the project keeps, or none.
QString TopicPictureName(const CCorvessaDoc &doc, int position)
{
    if (doc.GetPathName().isEmpty())
        return {};
    const QString folder = CCorvessaDoc::ProjectFolderOf(doc.GetPathName());
    for (const QString &name : {QStringLiteral("MM/mm%1.png"), QStringLiteral("M/m%1.png")}) {
        const QString relative = name.arg(position);
        if (QFileInfo::exists(CorvPath::Join(folder, QStringLiteral("Images/") + relative)))
            return relative.mid(relative.indexOf(u'/') + 1);
    }
    return {};
}

// The titles of the first menu screen's topic buttons, the banners of their topics and the pictures of the
// buttons, paired by position, as three script lists; none without a menu screen.
std::optional<MenuLists> MenuTitleLists(const CCorvessaDoc &doc)
{
    const auto menu = std::find_if(doc.MainScreens().begin(), doc.MainScreens().end(),
                                   [](const auto &screen) { return COutlineTree::IsMenuPage(screen.get()); });
    if (menu == doc.MainScreens().end())
        return std::nullopt;
    QStringList titles;
    QStringList banners;
    QStringList pictures;
    for (const auto &component : (*menu)->GetComponentList()) {
        const auto *button = dynamic_cast<const CComponentTopicButton *>(component.get());
        if (!button)
            continue;
        // A button beyond the topic list has no banner.
        const size_t topic = size_t(titles.size());
        pictures.append(u'"' + TopicPictureName(doc, int(titles.size())) + u'"');
        titles.append(u'"' + Quoted(button->GetTitle()) + u'"');
        banners.append(u'"' + (topic < doc.Topics().size() ? Quoted(doc.Topics()[topic]->GetBanner()) : QString()) + u'"');
    }
    // A menu that carries no topic buttons (a course imported with a plain menu) still has its topics: the
    // run-time lays out one card per topic, and each is named after its topic rather than counted.
    if (titles.isEmpty()) {
        for (const auto &topic : doc.Topics()) {
            if (topic->GetName().isEmpty() && topic->GetSourceDocument().isEmpty())
                continue;
            const QString name = !topic->GetName().isEmpty() ? topic->GetName()
                                                             : QFileInfo(CorvPath::ToSlashes(topic->GetSourceDocument())).completeBaseName();
            pictures.append(u'"' + TopicPictureName(doc, int(titles.size())) + u'"');
            titles.append(u'"' + Quoted(name) + u'"');
            banners.append(u'"' + Quoted(topic->GetBanner()) + u'"');
        }
    }
    const auto list = [](const QStringList &items) { return u'[' + items.join(QStringLiteral(", ")) + QStringLiteral("];"); };
    return MenuLists{list(titles), list(banners), list(pictures)};
}

// A question's own feedback texts (wrong, correct); none for components that are not questions.
std::optional<std::pair<QString, QString>> QuestionFeedback(const CComponentBase &component)
{
    if (const auto *question = dynamic_cast<const CComponentQuestion *>(&component))
        return std::make_pair(question->GetWrongFeedback(), question->GetCorrectFeedback());
    if (const auto *slider = dynamic_cast<const CComponentLikert *>(&component))
        return std::make_pair(slider->GetWrongFeedback(), slider->GetCorrectFeedback());
    if (const auto *freeForm = dynamic_cast<const CComponentFreeFormText *>(&component))
        return std::make_pair(freeForm->m_wrongFeedback, freeForm->m_correctFeedback);
    return std::nullopt;
}

// Day, month and year of the expiry date in local time; zeros when local time cannot represent it.
struct CalendarDay {
    int day = 0;
    int month = 0;
    int year = 0;
};

CalendarDay LocalDay(int64_t seconds)
{
    const std::time_t time = std::time_t(seconds);
    std::tm local{};
    if (int64_t(time) != seconds || !localtime_r(&time, &local))
        return {};
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

// What the rows read of a publish besides the course's settings.
struct Publish {
    const CCourseSettings &s;
    const CCorvessaDoc &doc;
    int target;
    int lessonMode;
    QString prefix;
    bool Lan() const { return target == PublishTargetLan; }
    bool Web() const { return target == PublishTargetWeb; }
};

// Rows up to the final performance list: the globals, the fixed sizes, the match-the-pairs colours, the
// window, the connection, the menu titles and the default feedback.
QString HeadRows(const CCourseSettings &s, const CCorvessaDoc &doc, const QString &lineColour, const QString &shadowColour,
                 const std::optional<QString> &connection, const QString &fps)
{
    Lines l;
    l.Fixed("// Options used by the course\n"
            "var kvx = {};\n"
            "var kvxAssessScore = {};\n"
            "var kvxFdbck = {};\n"
            "var kvxMem = {};\n"
            "var kvxObj = {};\n"
            "var kvxPrefs = {};\n"
            "var kvxRandom = {};\n"
            "var kvxTopBg, kvxTop, kvxMain, kvxNavBg, kvxNav, kvxUser;\n");
    l.Value("kvxObj.version = ", PlainNumber(doc.GetContext().majorVersionText));
    l.Fixed("kvxObj.kvxname = \"\";\n"
            "kvxObj.kvxID = \"\";\n"
            "kvxObj.kvxpwd = \"\";\n"
            "kvxObj.progBarWidth = 398;\n"
            "kvxObj.btnDoneHeight = 47;\n"
            "kvxObj.btnPlayStopHeight = 47;\n"
            "kvxObj.timerOffSet = 37;\n"
            "// The colour of the line in Match the Pairs questions\n");
    l.String("kvxObj.lineColour = ", Quoted(lineColour));
    l.Fixed("// The colour of the shadow line in Match the Pairs questions\n");
    l.String("kvxObj.lineShadow = ", Quoted(shadowColour));
    l.Value("kvxPrefs.winSize = ", QStringLiteral("[1008, %1]").arg(WindowHeight(s)));
    l.Flag("kvxPrefs.mainMenuOnlyListMenu = ", s.MainMenuOnlyListMenu != 0);
    l.Flag("kvxPrefs.mainMenuDontAllowImages = ", s.MainMenuNoImages != 0);
    if (connection)
        l.String("kvxObj.background = ", *connection, ";\n\n");
    l.String("kvxPrefs.title = ", Title(s.CourseName));
    if (const auto menuTitles = MenuTitleLists(doc)) {
        l.Value("kvxPrefs.menuTitles = ", menuTitles->titles, "\n");
        l.Value("kvxPrefs.menuTitlesTopDisplay = ", menuTitles->banners, "\n");
        // The published topic pictures by button ("" for a button without one), so that the menu asks for
        // no picture that the course lacks.
        l.Value("kvxPrefs.menuPictures = ", menuTitles->pictures, "\n\n");
    } else {
        l.Fixed("kvxPrefs.menuTitles = [];\n"
                "kvxPrefs.menuTitlesTopDisplay = [];\n\n");
    }
    l.Fixed("kvxPrefs.navTitles = [\"\", \"\", \"\", \"\"];\n");
    l.Value("kvxPrefs.intDefaultFdbck = ",
            QStringLiteral("[\"%1\", \"%2\"]").arg(Escaped(s.FeedBackWrong), Escaped(s.FeedBackCorrect)));
    l.Value("kvxPrefs.assDefaultFdbck = ",
            QStringLiteral("[\"%1\", \"%2\"]").arg(Escaped(s.AssmntFeedBackWrong), Escaped(s.AssmntFeedBackCorrect)),
            ";\n\n");
    l.Value("kvxPrefs.fps = ", u'[' + fps + u']');
    return l.Text();
}

// The project's names and kind: rows the run-time builds file names and requests from.
void ProjectRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    const bool lan = r.Lan();
    const bool web = r.Web();
    const QString &prefix = r.prefix;
    l.String("\nkvxObj.projectPrefix = ", Quoted(prefix));
    const QString suffix = web && r.lessonMode == 0 ? (s.UseASP == 1 ? QStringLiteral("asp") : QStringLiteral("php"))
                                                    : QStringLiteral("htm");
    l.String("kvxObj.projectSuf = ", u'.' + suffix, ";\n\n");
    QString type = QStringLiteral("standalone");
    if (web)
        type = r.lessonMode ? QStringLiteral("ostrelle") : QStringLiteral("webdb");
    else if (lan)
        type = QStringLiteral("lan");
    else if (r.target == PublishTargetLms && r.lessonMode == 0)
        type = QStringLiteral("scorm");
    l.String("kvxObj.projectType = ", type);
    l.Fixed("// image type (generally)\n"
            "kvxObj.imgExt = \".png\";\n\n"
            "//\n"
            "/* General */\n");
}

// The course description, the body font, the bars and the buttons.
void GeneralRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    l.String("kvxPrefs.courseName = ", CourseName(s.CourseName));
    l.String("kvxPrefs.courseCode = ", Quoted(s.CourseCode));
    l.String("kvxPrefs.courseDesc = ", Escaped(s.CourseDescription));
    l.Fixed("kvxPrefs.courseKeywords = \"\";\n");
    l.String("kvxPrefs.courseAuthor = ", Quoted(s.CourseAuthor));
    l.String("kvxPrefs.courseDate = ", Quoted(s.CourseDate));
    l.Value("kvxPrefs.indexDisplay = ", QStringLiteral("[%1,%2,%3,%4,%5]")
                                            .arg(int(s.ShowCourseName == 1))
                                            .arg(int(s.ShowCourseCode == 1))
                                            .arg(int(s.ShowCourseAuthor == 1))
                                            .arg(int(s.ShowCourseDate == 1))
                                            .arg(int(s.ShowCourseDescription == 1)));
    l.Fixed("kvxPrefs.courseObjectives = \"\";\n"
            "kvxPrefs.courseAudience = \"\";\n"
            "// Is it a single topic course: [true, false]\n");
    l.Flag("kvxPrefs.singleTopic = ", s.MenuBasedCourse == 0);
    // The body size in points as a percentage of the run-time's 16-point base.
    const double fontPercent = LeadingInteger(s.FontSizePoints[kMainSlot]) * 0.0625 * 100 + 0.5;
    l.Number("kvxPrefs.mainFontSize = ", qint64(std::trunc(fontPercent)));
    l.Fixed("kvxPrefs.fontSizeBtnsVisible = false;\n"
            "\n// Background\n");
    l.Flag("kvxPrefs.swapTopNavBars = ", s.SwapTopAndNavigationBars == 1);
    l.Flag("kvxPrefs.hideTopBar = ", s.HideTopBar == 1);
    l.Flag("kvxPrefs.collapseTopBar = ", s.RemoveTopBarSpace == 1);
    l.Flag("kvxPrefs.hideNavBar = ", s.HideNavigationBar == 1);
    l.Flag("kvxPrefs.collapseNavBar = ", s.RemoveNavigationBarSpace == 1);
    l.Fixed("//\n"
            "// Buttons\n");
    l.Flag("kvxPrefs.nextVisible = ", s.UseBtnNext == 1);
    l.Value("kvxPrefs.nextTime = ", s.UseBtnNext == 1 ? QStringLiteral("null") : QString::number(s.TimeBetweenScreens));
    l.Flag("kvxPrefs.backVisible = ", s.UseBtnBack == 1);
    l.Flag("kvxPrefs.menuVisible = ", s.UseBtnMenu == 1);
    l.Flag("kvxPrefs.quitVisible = ", s.UseBtnQuit == 1);
    l.Flag("kvxPrefs.progressVisible = ", s.UseProgressBar == 1, ";\n\n");
}

// How questions behave, inside and outside the assessment.
void InteractivityRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    l.Fixed("//\n"
            "// Interactivity\n");
    l.Flag("kvxPrefs.showCorrect = ", s.QuestResponse == 0);
    l.Flag("kvxPrefs.multiAttempt = ", s.QuestResponse == 1);
    l.Flag("kvxPrefs.showFeedback = ", s.UseQuestFeedback == 1);
    l.Flag("kvxPrefs.nextEnabled = ", s.DisableNextBtn == 0);
    l.Fixed("// Is the done button visible during a question [true, false] default true\n");
    l.Flag("kvxPrefs.doneVisible = ", s.IncEvalBtn == 1, ";\n\n");
    l.Flag("kvxPrefs.useMCToggleBtn = ", s.McToggleType == 0, ";\n\n");
    l.Fixed("// which topics have assessable questions\n"
            "// [topic zero, one, two, three,...]\n");
    l.Value("kvxPrefs.assessable = ", u'[' + AssessableList(s, r.doc) + u']', ";\n\n");
    l.Fixed("// Assessment\n"
            "// Is the last topic an assessment\n");
    l.Flag("kvxPrefs.assessment = ", s.LastAssessmentTopic == 1);
    l.Fixed("//\n");
    l.Flag("kvxPrefs.assessShowCorrect = ", s.ShowCorrectAnswer == 1);
    l.Flag("kvxPrefs.assessFeedback = ", s.ProvideFeedback == 1);
    const bool timed = s.SetTimeLimitPerQuestion == 1;
    l.Flag("kvxPrefs.assessTimeLimit = ", timed);
    const auto numberOrNull = [](bool set, int value) { return set ? QString::number(value) : QStringLiteral("null"); };
    l.Value("kvxPrefs.assessTimeEach = ", numberOrNull(timed && s.TimeLimitType == 0, s.TimeLimitEachQuestion));
    l.Value("kvxPrefs.assessTimeAll = ", numberOrNull(timed && s.TimeLimitType == 1, s.TimeLimitAllQuestions));
    l.Flag("kvxPrefs.showTimeRemaining = ", s.ShowTimer == 1);
    l.Value("kvxPrefs.assessNumQuestions = ", numberOrNull(s.SetQuestionCountFromPool == 1, s.QuestionCountFromPool));
    l.Number("kvxPrefs.assessPassMark = ", s.SetPercentagePassMark != 0 ? s.PercentagePassMark : 0);
    l.Flag("kvxPrefs.assessRandom = ", s.PresentRandomQuestions == 1);
    l.Flag("kvxPrefs.assessOptionsRandom = ", s.PresentRandomMultiChoice == 1);
    l.Fixed("// limit the number of assessment attempts (0 is no limit)\n"
            "kvxPrefs.assessTryLimit = 0;\n"
            "//\n"
            "// can a user go backwards from a question to a non-question\n"
            "// by default, no (false)\n"
            "kvxPrefs.assessPrevToNonQuestion = false;\n");
    l.Flag("kvxPrefs.assessNextEnabled = ", s.DisableNextBtn2 != 1);
    l.Flag("kvxPrefs.assessBackEnabled = ", s.DisableBackBtn2 != 1);
    l.Flag("kvxPrefs.assessMenuEnabled = ", s.DisableMenuBtn2 != 1);
    l.Flag("kvxPrefs.assessDoneVisible = ", s.IncEvalBtn4Assessment == 1, ";\n\n");
}

// Remembered answers, sign-in, recording, the databases and the LMS.
void ManagementRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    const bool lan = r.Lan();
    const bool web = r.Web();
    l.Fixed("// Can the state of questions be remembered\n"
            "// They will only be remembered if: it's an assessment; it's not timed per question;\n"
            "// the correct answer is not shown; feedback is not given; and, the Done button is visible\n"
            "kvxPrefs.assessMemory = false;\n"
            "if (kvxPrefs.assessment && \n"
            "   !kvxPrefs.assessTimeEach && \n"
            "   !kvxPrefs.assessShowCorrect && \n"
            "   !kvxPrefs.assessFeedback && \n"
            "   kvxPrefs.assessDoneVisible) {\n"
            "\t   kvxPrefs.assessMemory = true;\n"
            "}\n"
            "// Management\n");
    l.Flag("kvxPrefs.signin = ", s.SignIn == 1);
    l.Flag("kvxPrefs.selfRegister = ", s.MaySelfRegister == 1);
    l.Flag("kvxPrefs.reqUsername = ", s.UseSignInName == 1);
    l.String("kvxPrefs.labelName = ", Quoted(s.SignInName));
    l.Flag("kvxPrefs.reqID = ", s.UseSignInID == 1);
    l.String("kvxPrefs.labelID = ", Quoted(s.SignInID));
    l.Flag("kvxPrefs.reqPwd = ", s.UseSignInPassword == 1);
    l.String("kvxPrefs.labelPwd = ", Quoted(s.SignInPassword));
    l.Fixed("kvxPrefs.labelPwd2 = \"Re-enter Password\";\n"
            "// do you want data recorded\n");
    l.Flag("kvxPrefs.record = ", s.RecordData == 1);
    l.Fixed("// email\n");
    l.Flag("kvxPrefs.sendEmail = ", s.UseSendEmail == 1);
    l.String("kvxPrefs.email = ", Mail(s.EmailAddress));
    l.Fixed("// local db\n");
    l.Flag("kvxPrefs.localDB = ", lan);
    QString table;
    if (lan)
        table = s.LANDbTableName;
    else if (web)
        table = s.UseASP != 0 ? s.WebASPDbTableName : s.WebPHPDbTableName;
    l.String("kvxPrefs.table = ", Quoted(table));
    l.Fixed("// web db\n");
    l.Flag("kvxPrefs.webDB = ", web);
    l.Fixed("// Connected to SCORM LMS\n");
    l.Flag("kvxPrefs.LMS = ", r.target == PublishTargetLms);
    l.Value("kvxPrefs.LMSversion = ", s.SCORM12 != 0 ? QStringLiteral("12") : QStringLiteral("2004"));
    if (s.LmsOpensNewWindow != 0)
        l.Fixed("kvxPrefs.opensNew = true;\n");
    l.Fixed("// Once a SCO is passed and the score\n//cannot be changed by the SCO\n");
    l.Flag("kvxPrefs.LMSProtectPassedStatus = ", s.LmsProtectPassedStatus != 0);
    l.Flag("// resume\nkvxPrefs.allowResume = ", s.AllowResume == 1);
}

// The outline window and the navigation rules.
void OutlineRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    l.Fixed("\n/////////////\n//Outline\n//////////////////\n"
            "kvxPrefs.outline \t\t\t\t    = {};\n");
    l.Flag("kvxPrefs.outline.activate \t\t\t    = ", s.CreateOutline == 1);
    l.Fixed("kvxPrefs.outline.win \t\t\t\t= null;\n");
    l.String("kvxPrefs.outline.label \t\t\t\t\t= ", Quoted(s.OutlineLabel));
    l.Flag("kvxPrefs.outline.closeOnSelect \t\t\t= ", s.OutlineCloseOnSelect == 1);
    l.Number("kvxPrefs.outline.width                    = ", s.OutlineWidth);
    l.Number("kvxPrefs.outline.height                   = ", s.OutlineHeight);
    l.String("kvxPrefs.outline.left \t\t\t\t\t= ", QString::number(s.OutlineLeft) + QLatin1String("px"));
    l.String("kvxPrefs.outline.top \t\t\t\t\t    = ", QString::number(s.OutlineTop) + QLatin1String("px"));
    l.String("kvxPrefs.outline.font \t\t\t\t\t= ", Quoted(s.FontName[kOutlineSlot]));
    l.String("kvxPrefs.outline.fontSize \t\t\t    = ", Quoted(s.FontSizePoints[kOutlineSlot]) + QLatin1String("px"));
    l.String("kvxPrefs.outline.weight\t\t\t\t\t= ", Quoted(s.FontWeight[kOutlineSlot]));
    // The outline's link stands on the theme's bar: with the default colour (black) it takes the bar's text
    // colour, and the outline's own links their page's.
    l.String("kvxPrefs.outline.color \t\t\t\t\t= ", s.OutlineLinkColor == 0 ? QString() : HtmlColour(s.OutlineLinkColor));
    l.Flag("kvxPrefs.outline.button\t\t\t\t\t= ", s.OutlineUseButton != 0);
    l.Flag("kvxPrefs.outline.assessVisible\t\t\t\t\t= ", s.OutlineHideInAssessment == 0);
    // A bare number in the script: anything else the setting holds would break the whole file.
    l.Value("kvxPrefs.nextBtnDelay                     = ",
            s.DelayNextButton == 1 ? PlainNumber(s.NextButtonDelay) : QStringLiteral("0"));
    l.Flag("kvxPrefs.completeTopicsInOrder            = ", s.CompleteTopicsInOrder == 1);
    l.Flag("kvxPrefs.autoProgress                     = ", s.AutoProgress == 1);
    l.Flag("kvxPrefs.autoProgressTest = ", s.AutoProgressInAssessment != 0);
    l.Flag("kvxPrefs.autoProgressOnDone = ", s.AutoProgressOnEvaluate != 0);
    l.Flag("kvxPrefs.autoProgressOnDoneTest = ", s.AutoProgressOnEvaluateInAssessment != 0);
}

// Expiry, the second table, the LMS exit, the glossary and help buttons and the text direction.
void CourseEndRows(Lines &l, const Publish &r)
{
    const CCourseSettings &s = r.s;
    const bool lan = r.Lan();
    const bool web = r.Web();
    l.Fixed("kvxPrefs.expiry = {};\n");
    l.Flag("kvxPrefs.expiry.isSet   = ", s.SetExpiry == 1);
    const CalendarDay expiry = LocalDay(s.ExpiryDate);
    l.Number("kvxPrefs.expiry.day   = ", expiry.day);
    l.Number("kvxPrefs.expiry.month = ", expiry.month);
    l.Number("kvxPrefs.expiry.year  = ", expiry.year);
    l.String("kvxPrefs.expiry.msg   = ", Escaped(s.ExpiryMessage));
    if (lan || web)
        l.String("kvxPrefs.table2 = ", Quoted(lan ? s.LANDbTableName2 : s.WebDbTableName2));
    l.Flag("kvxPrefs.noNextAtTopicEnd = ", s.UseBtnNext == 1 && s.NoNextAtTopicEnd == 1);
    l.Value("kvxPrefs.cmiExit = ", StringLiteral(s.SCORM12 == 1 ? s.ScormExit12 : s.ScormExit2004));
    const bool glossary = r.doc.GlossaryScreens().size() > 1;
    l.Flag("kvxPrefs.hasGlossary\t\t\t\t\t= ", glossary && s.ShowGlossary != 0);
    if (glossary && !r.doc.GlossaryScreens().front()->GetTitle().isEmpty())
        l.String("kvxPrefs.glossaryLabel = ", Quoted(r.doc.GlossaryScreens().front()->GetTitle()));
    l.Flag("kvxPrefs.assessGlossaryVisible\t\t\t\t= ", s.HideGlossaryInAssessment == 0);
    l.Flag("kvxPrefs.hasHelp\t\t\t\t\t\t= ", s.HelpScreen != 0);
    if (const CCorvPage *help = s.HelpScreen != 0 ? r.doc.FindScreenByNumber(s.HelpScreen) : nullptr) {
        if (!help->GetTitle().isEmpty())
            l.String("kvxPrefs.helpLabel = ", Quoted(help->GetTitle()));
        if (!help->GetPublishId().isEmpty())
            l.String("kvxPrefs.helpScreen = ", Quoted(help->GetPublishId()));
    }
    l.Flag("kvxPrefs.assessHelpVisible\t\t\t\t\t= ", s.HideHelpInAssessment == 0);
    l.Flag("kvxPrefs.rtl = ", s.RightToLeft == 1);
    l.Fixed("kvxPrefs.Ostrelle = (kvxObj.projectType == \"ostrelle\");\n");
}

} // namespace

COptionsScript::COptionsScript(const CPublishContext &context) : m_context(context) {}

bool COptionsScript::Write(int lessonMode)
{
    const CPublishContext &c = m_context;
    const CCourseSettings &s = c.Settings();
    const QString &prefix = c.GetProjectPrefix();
    QString lineColour;
    QString shadowColour;
    if (!ReadThemeLineColours(lineColour, shadowColour)) {
        m_context.AddError(QStringLiteral("The style sheet of the theme \"%1\" cannot be read.").arg(c.Theme()));
        return false;
    }
    std::optional<QString> connection;
    if (c.GetTarget() == PublishTargetLan || c.GetTarget() == PublishTargetStandalone) {
        connection = ScrambleString(ConnectionString(s), prefix);
        // The prefix is the only key the run-time has; without one the connection text would stand in the
        // file as it is.
        if (!connection) {
            m_context.AddError(QStringLiteral("The project's file name leaves no prefix to hide the database connection with."));
            return false;
        }
    }

    const Publish publish{s, c.GetDocument(), c.GetTarget(), lessonMode, prefix};
    Lines rows;
    for (const auto section : {ProjectRows, GeneralRows, InteractivityRows, ManagementRows, OutlineRows, CourseEndRows})
        section(rows, publish);

    CPublishFile file;
    const QString path = QStringLiteral("content/scripts/%1_prefs.js").arg(prefix);
    if (file.Open(c.GetTargetFolder(), path, CPublishFile::WithByteOrderMark)
        && file.WriteString(HeadRows(s, c.GetDocument(), lineColour, shadowColour, connection, FpsList()))) {
        WriteCustomFeedback(&file);
        file.WriteString(rows.Text());
    }
    if (!file.Close()) {
        m_context.AddFileError(file);
        return false;
    }
    return true;
}

bool COptionsScript::ReadThemeLineColours(QString &lineColour, QString &shadowColour) const
{
    const QString &theme = m_context.Theme();
    QString sheet;
    if (!CorvProgramData::IsPlainThemeName(theme)
        || !ReadAnsiTextFile(CorvProgramData::Resolve(m_context.ProgramFolder(),
                                                      CorvPath::Join({CorvProgramData::kThemesFolder, theme,
                                                                      theme + QStringLiteral(".css")})),
                             sheet))
        return false;
    std::optional<QString> line;
    std::optional<QString> shadow;
    for (const QString &text : sheet.split(u'\n')) {
        if (text.contains(QLatin1String(".lineColour")))
            if (auto colour = ColourOfLine(text))
                line = colour;
        if (text.contains(QLatin1String(".lineShadow")))
            if (auto colour = ColourOfLine(text))
                shadow = colour;
    }
    lineColour = line.value_or(QStringLiteral("#0000ff"));
    shadowColour = shadow.value_or(QStringLiteral("#808080"));
    return true;
}

QString COptionsScript::FpsList() const
{
    QStringList ids;
    for (const auto &screen : m_context.GetDocument().MainScreens())
        if (screen->GetPageType() == pt_asmt_document)
            ids.append(screen->GetPublishId());
    return QuotedIdList(ids);
}

void COptionsScript::WriteCustomFeedback(CPublishFile *file) const
{
    if (!file)
        return;
    const CCourseSettings &s = m_context.Settings();
    const COutlineTree *tree = m_context.GetCourseTree();
    QString block = QStringLiteral("/* custom feedback for specific questions */\n");
    // The last topic is the last child of the first root item; in a course whose last topic is the
    // assessment, its questions and every one after it are judged against the assessment's defaults.
    const COutlineTree::Item *lastTopic = tree ? tree->GetChildItem(tree->GetRootItem()) : nullptr;
    while (lastTopic && tree->GetNextSiblingItem(lastTopic))
        lastTopic = tree->GetNextSiblingItem(lastTopic);
    const CCorvPage *lastTopicScreen = tree ? tree->GetItemData(lastTopic) : nullptr;
    bool inAssessment = false;
    for (const auto &screen : m_context.GetDocument().MainScreens()) {
        if (lastTopicScreen && screen.get() == lastTopicScreen && s.LastAssessmentTopic == 1)
            inAssessment = true;
        if (screen->GetPageType() != pt_question)
            continue;
        const QString &defaultWrong = inAssessment ? s.AssmntFeedBackWrong : s.FeedBackWrong;
        const QString &defaultCorrect = inAssessment ? s.AssmntFeedBackCorrect : s.FeedBackCorrect;
        for (const auto &component : screen->GetComponentList()) {
            const auto feedback = QuestionFeedback(*component);
            if (feedback && (feedback->first.compare(defaultWrong, Qt::CaseInsensitive) != 0
                             || feedback->second.compare(defaultCorrect, Qt::CaseInsensitive) != 0))
                block += QStringLiteral("kvxFdbck[\"%1\"] = [\"%2\", \"%3\"];")
                             .arg(Quoted(screen->GetPublishId()), Escaped(feedback->first), Escaped(feedback->second));
            block += u'\n';
        }
    }
    file->WriteString(block);
}
