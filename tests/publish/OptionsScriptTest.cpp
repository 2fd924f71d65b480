#include "ScriptFilesSupport.h"

#include "document/CourseSettings.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTextbox.h"
#include "model/Topic.h"
#include "publish/ScriptTextRules.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace ScriptFiles;

namespace {

const QString kGoldenFolder = QStringLiteral(CORV_SOURCE_DIR "/tests/publish/golden/scripts");

// Compares a written file with its golden copy; CORV_UPDATE_GOLDEN=1 writes the golden copy anew.
void ExpectGolden(const QString &written, const QString &goldenName)
{
    const QString golden = kGoldenFolder + u'/' + goldenName;
    if (qEnvironmentVariableIsSet("CORV_UPDATE_GOLDEN")) {
        QDir().mkpath(kGoldenFolder);
        QFile::remove(golden);
        ASSERT_TRUE(QFile::copy(written, golden));
    }
    const QByteArray actual = TempTree::ReadAll(written);
    const QByteArray expected = TempTree::ReadAll(golden);
    EXPECT_TRUE(actual == expected) << goldenName.toStdString() << " differs at " << ScreenTest::FirstDifference(actual, expected).toStdString();
}

QString Block(const QString &script, const QString &from, const QString &to)
{
    const qsizetype start = script.indexOf(from);
    return start < 0 ? QString() : script.mid(start, script.indexOf(to, start) - start);
}

// A program folder of the test's own with one theme whose style sheet is the given text.
void UseTheme(Course &c, const QByteArray &css)
{
    c.context.programFolder = c.tmp.MakeFolder("program") + u'/';
    c.tmp.Write("program/Themes/Plain/Plain.css", css);
    c.doc->MutableSettings().Theme = QStringLiteral("Plain");
}

// Values unlike the setting's current one, of the form its descriptor takes.
QVariantList OtherValues(const CourseSettingDescriptor &d, const QVariant &value, const CCorvessaDoc &doc)
{
    switch (d.kind) {
    case SettingKind::flag: return {value.toInt() == 1 ? 0 : 1};
    case SettingKind::number: return {value.toInt() + 7};
    case SettingKind::colour: return {value.toUInt() ^ 0x00A05010u};
    case SettingKind::text: return {value.toString() + u'Q', QStringLiteral("7")};
    case SettingKind::date: return {value.toLongLong() + 400 * 86400};
    case SettingKind::textList: return {value.toStringList() + QStringList{QStringLiteral("Extra")}};
    case SettingKind::screen: {
        QVariantList screens;
        for (const CCorvessaDoc::ScreenList *list : {&doc.PopupScreens(), &doc.MainScreens()})
            for (const auto &screen : *list)
                if (screen->GetId() != value.toInt())
                    screens.push_back(screen->GetId());
        return screens;
    }
    }
    return {};
}

} // namespace

// Guards the options script as one of the stores of the course settings: every setting whose descriptor
// names the script changes what the script writes, and no other setting does. Each setting is changed alone,
// from a new course's values and from them with every flag set and with every flag cleared, for the LAN, web
// and LMS targets.
TEST(SettingDescriptors, OptionsScriptWritesExactlyTheSettingsThatNameIt)
{
    Course c;
    c.BuildSample();
    const CCourseSettings fresh = c.doc->Settings();
    CCourseSettings flagged = fresh, unflagged = fresh;
    for (const CourseSettingDescriptor &d : CourseSettingTable()) {
        if (d.kind == SettingKind::flag) {
            d.Set(flagged, 1);
            d.Set(unflagged, 0);
        }
    }
    const CCourseSettings *bases[] = {&fresh, &flagged, &unflagged};
    const int targets[] = {PublishTargetLan, PublishTargetWeb, PublishTargetLms};
    std::optional<QString> before[3][3];
    for (int b = 0; b < 3; ++b) {
        for (int t = 0; t < 3; ++t) {
            c.doc->MutableSettings() = *bases[b];
            before[b][t] = c.Prefs(targets[t]);
            ASSERT_TRUE(before[b][t]) << b << " " << t;
        }
    }
    int written = 0;
    for (const CourseSettingDescriptor &d : CourseSettingTable()) {
        bool changes = false;
        for (int b = 0; b < 3 && !changes; ++b) {
            c.doc->MutableSettings() = *bases[b];
            const QVariant value = d.Get(*bases[b]);
            for (const QVariant &other : OtherValues(d, value, *c.doc)) {
                d.Set(c.doc->MutableSettings(), other);
                for (int t = 0; t < 3 && !changes; ++t)
                    changes = c.Prefs(targets[t]) != before[b][t];
                d.Set(c.doc->MutableSettings(), value);
                if (changes)
                    break;
            }
        }
        EXPECT_EQ(changes, bool(d.stores & optionsScriptStore)) << qPrintable(d.DisplayName());
        written += changes ? 1 : 0;
    }
    // A good part of what an author sets reaches the run-time through the script.
    EXPECT_GT(written, int(CourseSettingTable().size()) / 3);
}

// Guards the rules that put settings into the script: ordinary text passes unchanged, and quotation marks,
// backslashes and line breaks can never end a string early.
TEST(OptionsScript, TextRules)
{
    using namespace CorvScriptText;
    struct Case {
        std::function<QString(const QString &)> rule;
        const char *name;
        QString text;
        QString expected;
    };
    const std::vector<Case> cases = {
        {Quoted, "Quoted plain", "Table 1", "Table 1"},
        {Quoted, "Quoted marks", "say \"hi\"", "say \\\"hi\\\""},
        {Quoted, "Quoted backslash", "C:\\temp\\", "C:\\\\temp\\\\"},
        {Quoted, "Quoted breaks", "one\r\ntwo", "one\\r\\ntwo"},
        {Escaped, "Escaped", "\tTab \"x\"\r\n", "Tab \\\"x\\\"\\n"},
        {Title, "Title", "Sea \"birds\" it's \\ here", "Sea birds its  here"},
        {CourseName, "Name pairs", "a\\\\b say \\\"hi\\\"", "ab say hi"},
        {CourseName, "Name marks", "Sea \"birds\"", "Sea \\\"birds\\\""},
        {CourseName, "Name lone backslash", "x\\", "x\\\\"},
        {Mail, "Mail", "\"a'b\"@x.org\\", "ab@x.org\\\\"},
        {PlainNumber, "Number", " 2.5 ", "2.5"},
        {PlainNumber, "Number whole", "7", "7"},
        {PlainNumber, "Number empty", "", "0"},
        {PlainNumber, "Number with script", "5;alert(1)", "0"},
        {PlainNumber, "Number negative", "-3", "0"},
        {StringLiteral, "Literal double", "\"suspend\"", "\"suspend\""},
        {StringLiteral, "Literal single", "'logout'", "'logout'"},
        {StringLiteral, "Literal empty string", "\"\"", "\"\""},
        {StringLiteral, "Literal bare", "suspend", "\"suspend\""},
        {StringLiteral, "Literal empty", "", "\"\""},
        {StringLiteral, "Literal broken", "\"a\"b\"", "\"\\\"a\\\"b\\\"\""},
        {StringLiteral, "Literal escape", "\"a\\\"", "\"\\\"a\\\\\\\"\""},
        {StringLiteral, "Literal one mark", "\"", "\"\\\"\""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.rule(c.text), c.expected) << c.name;

    const std::vector<std::pair<QString, int>> integers = {
        {"12", 12}, {" 16pt", 16}, {"", 0}, {"pt", 0}, {"-3", -3}, {"+4", 4}, {"99999999999", INT_MAX}};
    for (const auto &[text, value] : integers)
        EXPECT_EQ(LeadingInteger(text), value) << text.toStdString();
}

// Guards every byte of the options script for the four targets, and of the pages script, for the sample
// course; Node reads the answers and the connection back as the questions and settings hold them.
TEST(ScriptFiles, MatchGoldenFiles)
{
    Course c;
    c.BuildSample();
    c.doc->MutableSettings().UseLANDbDSN = 1;
    c.doc->MutableSettings().LANDbDSN = QStringLiteral("corvessa");
    c.doc->MutableSettings().LANDbUID = QStringLiteral("author");
    c.doc->MutableSettings().LANDbPassword = QStringLiteral("s3cret");
    c.doc->MutableSettings().UseASP = 1;
    c.doc->MutableSettings().SCORM12 = 1;
    struct Publish {
        int target;
        int lessonMode;
        const char *golden;
    };
    const Publish publishes[] = {
        {PublishTargetStandalone, 0, "standalone_prefs.js"},
        {PublishTargetLan, 0, "lan_prefs.js"},
        {PublishTargetWeb, 1, "web_asp_lesson_prefs.js"},
        {PublishTargetLms, 0, "lms_prefs.js"},
    };
    for (const Publish &publish : publishes) {
        ASSERT_TRUE(c.Prefs(publish.target, publish.lessonMode)) << publish.golden;
        ExpectGolden(c.PrefsPath(), QLatin1String(publish.golden));
        QFile::rename(c.PrefsPath(), c.output + u'/' + QLatin1String(publish.golden));
    }
    ASSERT_TRUE(c.Pages());
    ExpectGolden(c.PagesPath(), QStringLiteral("menu_pages.js"));

    SKIP_WITHOUT_NODE();
    QString error;
    const QJsonObject lan = ReadInNode({c.output + QStringLiteral("/lan_prefs.js"), c.PagesPath()}, &error);
    ASSERT_FALSE(lan.isEmpty()) << error.toStdString();
    EXPECT_EQ(lan.value("connection").toString(), "DSN=corvessa;UID=author;PWD=s3cret");
    const auto id = [&](const char *label) { return c.Screen(label)->GetPublishId(); };
    const QJsonObject expected = {
        {id("1_1_2"), "big;large,gull"}, // the blanks question is the later one on its screen
        {id("1_2_2"), "2.50"},
        {id("1_3_1_1"), QJsonArray{"gull", QJsonArray{"tern", "skua"}}},
        {id("1_3_1_2"), "01,00"},
    };
    EXPECT_EQ(lan.value("answers").toObject(), expected);
    for (const char *name : {"standalone_prefs.js", "web_asp_lesson_prefs.js", "lms_prefs.js"})
        EXPECT_FALSE(ReadInNode({c.output + u'/' + QLatin1String(name), c.PagesPath()}, &error).isEmpty())
            << name << error.toStdString();
}

// Guards the rows that depend on the target: the connection only for LAN and standalone, the page suffix
// and course type, the database flags and table names, and the new-window row only when it is set.
TEST(OptionsScript, RowsByTarget)
{
    struct Case {
        const char *name;
        int target;
        int lessonMode;
        int useAsp;
        const char *suffix;
        const char *type;
        const char *table;
        const char *table2; // nullptr: no row
        bool connection;
        const char *databases; // localDB, webDB, LMS
    };
    const Case cases[] = {
        {"standalone", PublishTargetStandalone, 0, 1, ".htm", "standalone", "", nullptr, true, "false false false"},
        {"LAN", PublishTargetLan, 0, 1, ".htm", "lan", "lanT", "lanT2", true, "true false false"},
        {"web ASP", PublishTargetWeb, 0, 1, ".asp", "webdb", "aspT", "webT2", false, "false true false"},
        {"web PHP", PublishTargetWeb, 0, 0, ".php", "webdb", "phpT", "webT2", false, "false true false"},
        {"web lesson", PublishTargetWeb, 1, 1, ".htm", "ostrelle", "aspT", "webT2", false, "false true false"},
        {"LMS", PublishTargetLms, 0, 1, ".htm", "scorm", "", nullptr, false, "false false true"},
        {"preview", PublishTargetPreview, 0, 1, ".htm", "standalone", "", nullptr, false, "false false false"},
    };
    for (const Case &k : cases) {
        for (const int newWindow : {0, 1}) {
            Course c;
            c.doc->MutableSettings().UseASP = k.useAsp;
            c.doc->MutableSettings().LANDbTableName = "lanT";
            c.doc->MutableSettings().LANDbTableName2 = "lanT2";
            c.doc->MutableSettings().WebASPDbTableName = "aspT";
            c.doc->MutableSettings().WebPHPDbTableName = "phpT";
            c.doc->MutableSettings().WebDbTableName2 = "webT2";
            c.doc->MutableSettings().LmsOpensNewWindow = newWindow;
            const auto script = c.Prefs(k.target, k.lessonMode);
            ASSERT_TRUE(script) << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxObj.projectSuf"), QStringLiteral("kvxObj.projectSuf = \"%1\";").arg(k.suffix)) << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxObj.projectType"), QStringLiteral("kvxObj.projectType = \"%1\";").arg(k.type)) << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxPrefs.table ="), QStringLiteral("kvxPrefs.table = \"%1\";").arg(k.table)) << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxPrefs.table2"),
                      k.table2 ? QStringLiteral("kvxPrefs.table2 = \"%1\";").arg(k.table2) : QString()) << k.name;
            EXPECT_EQ(script->contains(QLatin1String("kvxObj.background = \"")), k.connection) << k.name;
            const QStringList flags = QString::fromLatin1(k.databases).split(u' ');
            EXPECT_EQ(LineStarting(*script, "kvxPrefs.localDB"), "kvxPrefs.localDB = " + flags[0] + ";") << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxPrefs.webDB"), "kvxPrefs.webDB = " + flags[1] + ";") << k.name;
            EXPECT_EQ(LineStarting(*script, "kvxPrefs.LMS ="), "kvxPrefs.LMS = " + flags[2] + ";") << k.name;
            EXPECT_EQ(script->contains(QLatin1String("\nkvxPrefs.opensNew = true;\n")), newWindow == 1) << k.name;
        }
    }
}

// Guards the window size for each way of hiding and collapsing the two bars.
TEST(OptionsScript, WindowSize)
{
    struct Case {
        int hideTop, removeTop, hideNav, removeNav;
        const char *size;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "[1008, 680]"}, {1, 1, 0, 0, "[1008, 620]"}, {0, 0, 1, 1, "[1008, 620]"},
        {1, 1, 1, 1, "[1008, 560]"}, {1, 0, 0, 1, "[1008, 680]"},
    };
    for (const Case &k : cases) {
        Course c;
        c.doc->MutableSettings().HideTopBar = k.hideTop;
        c.doc->MutableSettings().RemoveTopBarSpace = k.removeTop;
        c.doc->MutableSettings().HideNavigationBar = k.hideNav;
        c.doc->MutableSettings().RemoveNavigationBarSpace = k.removeNav;
        const auto script = c.Prefs(PublishTargetStandalone);
        ASSERT_TRUE(script);
        EXPECT_EQ(LineStarting(*script, "kvxPrefs.winSize"), QStringLiteral("kvxPrefs.winSize = %1;").arg(k.size));
    }
}

// Guards the final performance list: empty brackets without such screens, their quoted ids in list order
// without blanks otherwise.
TEST(OptionsScript, FinalPerformanceList)
{
    Course c;
    c.Add(c.doc->MainScreens(), "1", pt_document);
    c.Outline();
    EXPECT_EQ(LineStarting(*c.Prefs(PublishTargetLms), "kvxPrefs.fps"), "kvxPrefs.fps = [];");
    c.Add(c.doc->MainScreens(), "2", pt_asmt_folder);
    c.Add(c.doc->MainScreens(), "2_1", pt_asmt_document);
    c.Add(c.doc->MainScreens(), "2_2", pt_question);
    c.Add(c.doc->MainScreens(), "2_3", pt_asmt_document);
    c.Outline();
    EXPECT_EQ(LineStarting(*c.Prefs(PublishTargetLms), "kvxPrefs.fps"), "kvxPrefs.fps = [\"0_2\",\"0_4\"];");
}

// Guards the per-question feedback: one line per component of a question screen, filled only for questions
// whose texts differ from the defaults other than in letter case; from the last topic on, when it is the
// assessment, the assessment's defaults are the ones compared.
TEST(OptionsScript, CustomFeedback)
{
    for (const int lastIsAssessment : {1, 0}) {
        Course c;
        CCorvessaDoc &d = *c.doc;
        d.MutableSettings().LastAssessmentTopic = lastIsAssessment;
        d.MutableSettings().FeedBackWrong = "Wrong.";
        d.MutableSettings().FeedBackCorrect = "Right.";
        d.MutableSettings().AssmntFeedBackWrong = "Not so.";
        d.MutableSettings().AssmntFeedBackCorrect = "So.";
        const auto question = [&](CCorvPage &screen, const QString &wrong, const QString &correct) {
            auto *q = Put<CComponentMultipleChoice>(c, screen);
            q->SetWrongFeedback(wrong);
            q->SetCorrectFeedback(correct);
        };
        c.Add(d.MainScreens(), "1", pt_folder, "Course");
        CCorvPage *three = c.Add(d.MainScreens(), "1_1", pt_question);
        question(*three, "Try \"again\"\n", "Right.");
        Put<CComponentTextbox>(c, *three);
        question(*three, "Wrong.", "Right.");
        question(*c.Add(d.MainScreens(), "1_2", pt_question), "WRONG.", "right.");
        c.Add(d.MainScreens(), "1_3", pt_container, "Last topic");
        CCorvPage *test = c.Add(d.MainScreens(), "1_3_1", pt_question);
        question(*test, "Not so.", "So.");
        question(*test, "Wrong.", "Right.");
        c.Outline();
        const auto script = c.Prefs(PublishTargetStandalone);
        ASSERT_TRUE(script);
        const QString lastLine = lastIsAssessment ? "kvxFdbck[\"0_4q\"] = [\"Wrong.\", \"Right.\"];\n"
                                                  : "kvxFdbck[\"0_4q\"] = [\"Not so.\", \"So.\"];\n";
        const QString lines = lastIsAssessment ? "\n" + lastLine : lastLine + "\n";
        EXPECT_EQ(Block(*script, "/* custom", "\nkvxObj.projectPrefix"),
                  "/* custom feedback for specific questions */\n"
                  "kvxFdbck[\"0_1q\"] = [\"Try \\\"again\\\"\\n\", \"Right.\"];\n\n\n"
                  "\n" + lines);
    }
}

// Guards the list of topics with assessable questions: one item for a linear course, topic zero then every
// topic with a name or a source document for a menu course.
TEST(OptionsScript, AssessableTopics)
{
    for (const int assessable : {1, 0}) {
        Course c;
        c.doc->MutableSettings().MenuBasedCourse = 0;
        c.doc->MutableSettings().LinearSourceAssessable = assessable;
        EXPECT_EQ(LineStarting(*c.Prefs(PublishTargetStandalone), "kvxPrefs.assessable"),
                  QStringLiteral("kvxPrefs.assessable = [%1];").arg(assessable));
    }
    Course c;
    c.doc->MutableSettings().MenuBasedCourse = 1;
    c.doc->AddTopic(std::make_unique<CTopic>("1", "Birds", "", "", "FALSE"));
    c.doc->AddTopic(std::make_unique<CTopic>("2", "Eggs", "", "", "true"));
    c.doc->AddTopic(std::make_unique<CTopic>("3", "", "", "nests.docx", "FALSE"));
    c.doc->AddTopic(std::make_unique<CTopic>("4", "", "banner", "", "TRUE"));
    EXPECT_EQ(LineStarting(*c.Prefs(PublishTargetStandalone), "kvxPrefs.assessable"), "kvxPrefs.assessable = [0,0,1,0];");
}

// Guards the assessment's time limits: null unless a limit is set, then only the kind the course chose.
TEST(OptionsScript, TimeLimitRows)
{
    struct Case {
        int set, type;
        const char *each, *all;
    };
    for (const Case &k : {Case{0, 0, "null", "null"}, Case{0, 1, "null", "null"}, Case{1, 0, "30", "null"},
                          Case{1, 1, "null", "600"}}) {
        Course c;
        c.doc->MutableSettings().SetTimeLimitPerQuestion = k.set;
        c.doc->MutableSettings().TimeLimitType = k.type;
        c.doc->MutableSettings().TimeLimitEachQuestion = 30;
        c.doc->MutableSettings().TimeLimitAllQuestions = 600;
        const auto script = c.Prefs(PublishTargetStandalone);
        EXPECT_EQ(LineStarting(*script, "kvxPrefs.assessTimeEach"), QStringLiteral("kvxPrefs.assessTimeEach = %1;").arg(k.each));
        EXPECT_EQ(LineStarting(*script, "kvxPrefs.assessTimeAll"), QStringLiteral("kvxPrefs.assessTimeAll = %1;").arg(k.all));
    }
}

// Guards the database connection of the LAN and standalone targets: it reads back with the prefix in both of
// its forms, never stands in the file as it is, and a prefix that cannot hide it fails the step.
TEST(OptionsScript, ConnectionString)
{
    SKIP_WITHOUT_NODE();
    struct Case {
        int useDsn;
        const char *expected;
    };
    for (const Case &k : {Case{1, "DSN=birds;UID=ann;PWD=p;w"}, Case{0, "Provider=x;Data Source=c:\\db.mdb;Mode=Read"},
                          Case{2, "Provider=x;Data Source=c:\\db.mdb;Mode=Read"}}) {
        Course c;
        CCorvessaDoc &d = *c.doc;
        d.MutableSettings().UseLANDbDSN = k.useDsn;
        d.MutableSettings().LANDbDSN = "birds";
        d.MutableSettings().LANDbUID = "ann;";
        d.MutableSettings().LANDbPassword = "p;w";
        d.MutableSettings().LANDbProvider = "Provider=x";
        d.MutableSettings().LANDbDataSource = "Data Source=c:\\db.mdb";
        d.MutableSettings().LANDbSundry = "Mode=Read";
        const auto script = c.Prefs(PublishTargetLan);
        ASSERT_TRUE(script);
        EXPECT_FALSE(script->contains(QLatin1String(k.expected)));
        EXPECT_TRUE(script->contains(QRegularExpression("\nkvxObj.background = \"([0-9]+-)+\";\n\nkvxPrefs.title")));
        QString error;
        EXPECT_EQ(ReadInNode({c.PrefsPath()}, &error).value("connection").toString(), k.expected) << error.toStdString();
    }
    Course c;
    c.doc->MutableSettings().LANDbProvider = "Provider=x";
    EXPECT_FALSE(c.Prefs(PublishTargetLan, 0, ""));
    EXPECT_FALSE(c.Prefs(PublishTargetStandalone, 0, ""));
    // Without a connection text there is nothing to hide.
    c.doc->MutableSettings().UseLANDbDSN = 0;
    c.doc->MutableSettings().LANDbProvider.clear();
    c.doc->MutableSettings().LANDbDataSource.clear();
    c.doc->MutableSettings().LANDbSundry.clear();
    const auto empty = c.Prefs(PublishTargetStandalone, 0, "");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->contains(QLatin1String("\nkvxObj.background = \"\";\n\n")));
}

// Guards the match-the-pairs colours taken from the theme's style sheet: the text between "color:" and the
// first ";" of the last line naming each class, the built-in colours where none is named, and a failed step
// when the style sheet is missing.
TEST(OptionsScript, ThemeLineColours)
{
    struct Case {
        const char *css;
        const char *line;
        const char *shadow;
    };
    const Case cases[] = {
        {".lineColour { color:#123456; }\n.lineShadow{color:red;}\n", "#123456", "red"},
        {".lineColour { color:#123456; }\r\n", "#123456", "#808080"},
        {"", "#0000ff", "#808080"},
        {".lineColour { color: blue ; }", " blue ", "#808080"},
        {".lineColour { color:; }", "", "#808080"},
        {".lineColour;color:#abc", "", "#808080"},
        {".lineColour { color:#111; }\n.lineColour { color:#222; }", "#222", "#808080"},
        {".lineColour {\n color:#111; }", "#0000ff", "#808080"},
        {".lineShadow { color:\"x\\\"; }", "#0000ff", "\\\"x\\\\\\\""},
    };
    for (const Case &k : cases) {
        Course c;
        UseTheme(c, k.css);
        const auto script = c.Prefs(PublishTargetStandalone);
        ASSERT_TRUE(script) << k.css;
        EXPECT_EQ(LineStarting(*script, "kvxObj.lineColour"), QStringLiteral("kvxObj.lineColour = \"%1\";").arg(k.line)) << k.css;
        EXPECT_EQ(LineStarting(*script, "kvxObj.lineShadow"), QStringLiteral("kvxObj.lineShadow = \"%1\";").arg(k.shadow)) << k.css;
    }
    for (const QString theme : {"Missing", "", "../Plain"}) {
        Course c;
        UseTheme(c, ".lineColour { color:#123456; }");
        c.doc->MutableSettings().Theme = theme;
        EXPECT_FALSE(c.Prefs(PublishTargetStandalone)) << theme.toStdString();
        EXPECT_FALSE(QFile::exists(c.PrefsPath()));
    }
}

// Guards the body font size as a share of the run-time's base size, read from the setting's leading digits.
TEST(OptionsScript, MainFontSize)
{
    for (const auto &[points, size] : std::vector<std::pair<QString, int>>{
             {"12", 75}, {"16", 100}, {"12pt", 75}, {" 9", 56}, {"", 0}, {"large", 0}}) {
        Course c;
        c.doc->MutableSettings().FontSizePoints[0] = points;
        EXPECT_EQ(LineStarting(*c.Prefs(PublishTargetStandalone), "kvxPrefs.mainFontSize"),
                  QStringLiteral("kvxPrefs.mainFontSize = %1;").arg(size)) << points.toStdString();
    }
}

// Guards the expiry date: its day in local time, and zeros for a date local time cannot represent.
TEST(OptionsScript, ExpiryDate)
{
    for (const auto &[seconds, day] : std::vector<std::pair<int64_t, QString>>{
             {1767225600, "1 1 2026"}, {1709164800, "29 2 2024"}, {INT64_MAX, "0 0 0"}}) {
        Course c;
        c.doc->MutableSettings().ExpiryDate = seconds;
        const auto script = c.Prefs(PublishTargetStandalone);
        const QStringList parts = day.split(u' ');
        EXPECT_EQ(Block(*script, "kvxPrefs.expiry.day", "kvxPrefs.expiry.msg"),
                  QStringLiteral("kvxPrefs.expiry.day   = %1;\nkvxPrefs.expiry.month = %2;\nkvxPrefs.expiry.year  = %3;\n")
                      .arg(parts[0], parts[1], parts[2]));
    }
}

// Guards the menu titles and topic banners: paired by position, an empty banner for a button without a
// topic, empty lists without a menu screen, and the topics' names and banners for a menu without buttons
// (a course imported with a plain menu once showed "Screen 1 of 1" on its topic card).
TEST(OptionsScript, MenuTitles)
{
    Course c;
    c.doc->AddTopic(std::make_unique<CTopic>("1", "Birds", "Topic 1", "", "FALSE"));
    c.doc->AddTopic(std::make_unique<CTopic>("2", "Eggs", "Topic \"2\"", "", "FALSE"));
    EXPECT_TRUE(c.Prefs(PublishTargetStandalone)->contains(
        QLatin1String("\nkvxPrefs.menuTitles = [];\nkvxPrefs.menuTitlesTopDisplay = [];\n\nkvxPrefs.navTitles")));
    CCorvPage *menu = c.Add(c.doc->MainScreens(), "1", pt_folder, "Menu");
    menu->SetMenuKind(apt_multi_topic_menu);
    c.Outline();
    EXPECT_TRUE(c.Prefs(PublishTargetStandalone)->contains(QLatin1String(
        "\nkvxPrefs.menuTitles = [\"Birds\", \"Eggs\"];\nkvxPrefs.menuTitlesTopDisplay = [\"Topic 1\", \"Topic \\\"2\\\"\"];\n"
        "kvxPrefs.menuPictures = [\"\", \"\"];\n\nkvxPrefs.navTitles")));
    Put<CComponentLargeTopic>(c, *menu)->SetTitle("Birds");
    Put<CComponentTextbox>(c, *menu);
    Put<CComponentSmallTopic>(c, *menu)->SetTitle("\"Eggs\"");
    Put<CComponentSmallTopic>(c, *menu)->SetTitle("Nests");
    EXPECT_TRUE(c.Prefs(PublishTargetStandalone)->contains(
        QLatin1String("\nkvxPrefs.menuTitles = [\"Birds\", \"\\\"Eggs\\\"\", \"Nests\"];\n"
                      "kvxPrefs.menuTitlesTopDisplay = [\"Topic 1\", \"Topic \\\"2\\\"\", \"\"];\n"
                      "kvxPrefs.menuPictures = [\"\", \"\", \"\"];\n\n")));
    // A button whose picture the project keeps names it; the menu asks for no other.
    const QString project = c.tmp / "course/Birds.kvx";
    c.tmp.Write("course/Birds/Images/MM/mm0.png", "png");
    c.tmp.Write("course/Birds/Images/M/m2.png", "png");
    c.doc->SetPathName(project);
    EXPECT_TRUE(c.Prefs(PublishTargetStandalone)->contains(
        QLatin1String("kvxPrefs.menuPictures = [\"mm0.png\", \"\", \"m2.png\"];\n\n")));
}

// Guards the glossary and help rows: the glossary counts only with an entry beside its folder, and a help
// screen that is gone leaves the help on without its label or screen.
TEST(OptionsScript, GlossaryAndHelpRows)
{
    Course c;
    c.doc->MutableSettings().ShowGlossary = 1;
    c.doc->MutableSettings().HelpScreen = 77;
    c.Add(c.doc->GlossaryScreens(), "G1", pt_glossary, "Words");
    c.Outline();
    auto script = c.Prefs(PublishTargetStandalone);
    EXPECT_TRUE(script->contains(QLatin1String("\nkvxPrefs.hasGlossary\t\t\t\t\t= false;\nkvxPrefs.assessGlossaryVisible")));
    EXPECT_TRUE(script->contains(QLatin1String("\nkvxPrefs.hasHelp\t\t\t\t\t\t= true;\nkvxPrefs.assessHelpVisible")));
    c.Add(c.doc->GlossaryScreens(), "G1_1", pt_document, "Gull");
    CCorvPage *help = c.Add(c.doc->PopupScreens(), "P2", pt_document);
    help->SetTitle(QString());
    c.doc->MutableSettings().HelpScreen = help->GetId();
    c.Outline();
    script = c.Prefs(PublishTargetStandalone);
    EXPECT_TRUE(script->contains(QLatin1String("\nkvxPrefs.hasGlossary\t\t\t\t\t= true;\nkvxPrefs.glossaryLabel = \"Words\";\n")));
    EXPECT_TRUE(script->contains(QStringLiteral("= true;\nkvxPrefs.helpScreen = \"%1\";\nkvxPrefs.assessHelpVisible").arg(help->GetPublishId())));
}

// Guards the whole course against what authors type: with quotation marks, backslashes, line breaks and
// script-ending text in every text setting, every target's options script is a valid script, and the
// settings written between quotation marks read back exactly.
TEST(OptionsScript, HostileTextsKeepTheScriptValid)
{
    SKIP_WITHOUT_NODE();
    const QString nasty = QStringLiteral("it's \"q\" \\ </script>\r\nnext \u2028 \U0001F426 \\");
    Course c;
    UseTheme(c, ".lineColour { color:a\"b\\c; }\n.lineShadow { color:\n");
    c.BuildSample();
    CCorvessaDoc &d = *c.doc;
    d.MutableSettings().UseLANDbDSN = 1;
    for (QString *text : {&d.MutableSettings().CourseName, &d.MutableSettings().CourseCode, &d.MutableSettings().CourseAuthor, &d.MutableSettings().CourseDate, &d.MutableSettings().CourseDescription,
                          &d.MutableSettings().FeedBackWrong, &d.MutableSettings().FeedBackCorrect, &d.MutableSettings().AssmntFeedBackWrong, &d.MutableSettings().AssmntFeedBackCorrect,
                          &d.MutableSettings().SignInName, &d.MutableSettings().SignInID, &d.MutableSettings().SignInPassword, &d.MutableSettings().EmailAddress, &d.MutableSettings().LANDbTableName,
                          &d.MutableSettings().LANDbTableName2, &d.MutableSettings().WebASPDbTableName, &d.MutableSettings().WebPHPDbTableName, &d.MutableSettings().WebDbTableName2,
                          &d.MutableSettings().OutlineLabel, &d.MutableSettings().FontName[2], &d.MutableSettings().FontSizePoints[2], &d.MutableSettings().FontWeight[2], &d.MutableSettings().NextButtonDelay,
                          &d.MutableSettings().ScormExit12, &d.MutableSettings().ScormExit2004, &d.MutableSettings().ExpiryMessage, &d.MutableSettings().FontSizePoints[0], &d.MutableSettings().LANDbDSN,
                          &d.MutableSettings().LANDbUID, &d.MutableSettings().LANDbPassword, &d.MutableSettings().LANDbProvider, &d.MutableSettings().LANDbDataSource, &d.MutableSettings().LANDbSundry})
        *text = nasty;
    d.MutableSettings().DelayNextButton = 1;
    for (const auto &topic : d.Topics())
        *topic = CTopic(topic->GetNumber(), topic->GetName(), nasty, QString(), topic->GetAssessable());
    for (const auto &component : c.Screen("1")->GetComponentList())
        dynamic_cast<CComponentTopicButton &>(*component).SetTitle(nasty);
    d.GlossaryScreens().front()->SetTitle(nasty);
    c.doc->FindScreenByNumber(d.Settings().HelpScreen)->SetTitle(nasty);
    c.context.majorVersionText = QStringLiteral("4;alert(1)");

    for (const int target : {PublishTargetStandalone, PublishTargetLan, PublishTargetWeb, PublishTargetLms}) {
        const auto script = c.Prefs(target);
        ASSERT_TRUE(script) << target;
        int status = -1;
        ScreenTest::RunProgram(NodeProgram(), {QStringLiteral("--check"), c.PrefsPath()}, status);
        EXPECT_EQ(status, 0) << "node --check, target " << target;
        QString error;
        const QJsonObject read = ReadInNode({c.PrefsPath()}, &error);
        ASSERT_FALSE(read.isEmpty()) << target << error.toStdString();
        const QJsonObject prefs = read.value("kvxPrefs").toObject();
        for (const char *name : {"courseCode", "courseAuthor", "courseDate", "labelName", "labelID", "labelPwd",
                                 "cmiExit", "glossaryLabel", "helpLabel"})
            EXPECT_EQ(prefs.value(name).toString(), nasty) << name;
        EXPECT_EQ(prefs.value("menuTitles").toArray().at(0).toString(), nasty);
        EXPECT_EQ(prefs.value("menuTitlesTopDisplay").toArray().at(2).toString(), nasty);
        EXPECT_EQ(prefs.value("outline").toObject().value("label").toString(), nasty);
        EXPECT_EQ(prefs.value("outline").toObject().value("fontSize").toString(), nasty + "px");
        EXPECT_EQ(prefs.value("nextBtnDelay").toInt(-1), 0);
        EXPECT_EQ(prefs.value("mainFontSize").toInt(-1), 0);
        EXPECT_EQ(read.value("kvxObj").toObject().value("version").toInt(-1), 0);
        EXPECT_EQ(read.value("kvxObj").toObject().value("lineColour").toString(), "a\"b\\c");
        QString name = nasty;
        name.remove("\\\\").remove("\\\"");
        EXPECT_EQ(prefs.value("courseName").toString(), name);
        if (target == PublishTargetLan) {
            EXPECT_EQ(prefs.value("table").toString(), nasty);
            EXPECT_EQ(prefs.value("table2").toString(), nasty);
            EXPECT_EQ(read.value("connection").toString(), "DSN=" + nasty + ";UID=" + nasty + ";PWD=" + nasty);
        }
    }
}

// Guards the step's result: a script that cannot be written fails the step.
TEST(OptionsScript, UnwritableFileFailsTheStep)
{
    Course c;
    QDir(c.output + QStringLiteral("/content/scripts")).removeRecursively();
    EXPECT_FALSE(c.Prefs(PublishTargetStandalone));
}
