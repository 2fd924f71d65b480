#include "ScriptFilesSupport.h"

#include "model/ComponentTextbox.h"
#include "publish/PublishText.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <functional>

using namespace ScriptFiles;

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

QString PagesArray(const QString &script)
{
    const qsizetype end = script.indexOf(QLatin1String("var quest"));
    return script.mid(0, end);
}

QStringList Strings(const QJsonValue &array)
{
    QStringList list;
    for (const QJsonValue &v : array.toArray())
        list.append(v.toString());
    return list;
}

} // namespace

// Guards the declarations every course page relies on, after the byte-order mark: without outline items the
// script declares p and quest and holds nothing else.
TEST(PagesScript, EmptyOutlineWritesOnlyTheDeclarations)
{
    Course c;
    // A question screen outside the outline has no publish id to key its answers with.
    CCorvPage *loose = c.Add(c.doc->MainScreens(), "1", pt_question);
    Put<CComponentMultipleChoice>(c, *loose)->SetOptions(Options("A", "B"), {1, 0, 0, 0, 0});
    ASSERT_TRUE(c.Pages());
    EXPECT_EQ(TempTree::ReadAll(c.PagesPath()), kByteOrderMark + "var p = [];\nvar quest = {};\n");
}

// Guards the groups of a course without menus: a folder pairs itself with each of its screens in one block,
// and a folder whose screens sit in a container lists them as one group.
TEST(PagesScript, PlainFormGroups)
{
    Course c;
    auto &main = c.doc->MainScreens();
    c.Add(main, "1", pt_document, "Start");
    c.Add(main, "2", pt_folder, "Birds");
    c.Add(main, "2_1", pt_document);
    c.Add(main, "2_2", pt_question);
    c.Add(main, "2_3", pt_document);
    c.Add(main, "3", pt_folder, "Eggs");
    c.Add(main, "3_1", pt_container);
    c.Add(main, "3_1_1", pt_document);
    c.Add(main, "3_1_2", pt_document);
    c.Outline();
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    EXPECT_EQ(PagesArray(*script), QStringLiteral("var p = [];\n"
                                                  "p[0] = [];\n"
                                                  "p[0][0] = [\"0_0\",\"0_1\",\"0_5\"];\n"
                                                  "p[0][1] = [\"0_1\",\"0_2\"];\n"
                                                  "p[0][2] = [\"0_1\",\"0_3q\"];\n"
                                                  "p[0][3] = [\"0_1\",\"0_4\"];\n"
                                                  "p[0][4] = [\"0_5\",\"0_7\",\"0_8\"];\n"));
}

// Guards the blocks of a course with a menu inside a topic: the topics of the inner menu start a block of
// their own, headed by the inner menu, after a line feed.
TEST(PagesScript, MenuFormStartsABlockBelowAnInnerMenu)
{
    Course c;
    auto &main = c.doc->MainScreens();
    const auto menu = [&](const QString &label) { c.Add(main, label, pt_folder)->SetMenuKind(apt_multi_topic_menu); };
    menu("1");
    c.Add(main, "1_1", pt_container);
    c.Add(main, "1_1_1", pt_document);
    c.Add(main, "1_2", pt_container);
    menu("1_2_1");
    c.Add(main, "1_2_2", pt_container);
    c.Add(main, "1_2_2_1", pt_document);
    c.Add(main, "1_2_2_2", pt_document);
    c.Add(main, "1_2_3", pt_container);
    c.Add(main, "1_2_3_1", pt_document);
    c.Outline();
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    EXPECT_EQ(PagesArray(*script), QStringLiteral("var p = [];\n"
                                                  "p[0] = [];\n"
                                                  "p[0][0] = [\"0_0m\"];\n"
                                                  "p[0][1] = [\"1_1\",\"1_2\"];\n"
                                                  "p[0][2] = [\"1_1\",\"1_4m\",\"1_5\",\"1_8\"];\n"
                                                  "\np[1] = [];\n"
                                                  "p[1][0] = [\"1_4m\",\"1_6\",\"1_7\"];\n"
                                                  "p[1][1] = [\"1_5\",\"1_9\"];\n"));
}

// Guards that screens the student never reaches in order stay out of the top list: the popups folder, a
// popup screen, the glossary and a remediation screen.
TEST(PagesScript, RootListLeavesOutPopupsGlossaryAndRemediation)
{
    Course c;
    auto &main = c.doc->MainScreens();
    c.Add(main, "1", pt_document, "Start");
    c.Add(main, "2", pt_remediation, "Remediation");
    c.Add(main, "3", pt_document, "End");
    c.Add(c.doc->PopupScreens(), "P4", pt_popups_only);
    c.Add(c.doc->PopupScreens(), "P5", pt_document, "A loose popup");
    c.Add(c.doc->GlossaryScreens(), "G6", pt_glossary);
    c.Add(c.doc->GlossaryScreens(), "G6_1", pt_document);
    c.Outline();
    ASSERT_EQ(c.Screen("P5")->GetPublishId(), "1000_4");
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    EXPECT_EQ(PagesArray(*script), QStringLiteral("var p = [];\np[0] = [];\np[0][0] = [\"0_0\",\"0_2\"];\n"));
}

// Guards the answers the course marks against: each kind's answer text, scrambled with the screen's id,
// reads back in Node as the question's answer; the author's option texts are not changed by publishing.
TEST(PagesScript, AnswersReadBackPerKind)
{
    SKIP_WITHOUT_NODE();
    struct Case {
        const char *name;
        std::function<void(Course &, CCorvPage &)> build;
        QJsonValue answer;
    };
    const auto slider = [](bool numbers, float correct, int decimals, int snap) {
        return [=](Course &c, CCorvPage &s) {
            auto *q = Put<CComponentLikert>(c, s);
            q->SetUseNumbers(numbers);
            q->SetWords(QStringLiteral("Never;Rarely;Often;Always"));
            q->SetCorrectValue(correct);
            q->SetDecimalPlaces(decimals);
            q->SetSnap(snap);
        };
    };
    const std::vector<Case> cases = {
        {"choice B of A, B", [](Course &c, CCorvPage &s) {
             Put<CComponentMultipleChoice>(c, s)->SetOptions(Options(" A ", "B", "", " ", ""), {0, 1, 0, 0, 0});
         }, QStringLiteral("00,01")},
        {"choice with a gap", [](Course &c, CCorvPage &s) {
             Put<CComponentMultipleChoice>(c, s)->SetOptions(Options("A", "", "C"), {1, 0, 1, 0, 0});
         }, QStringLiteral("01,00,01")},
        {"choice all empty", [](Course &c, CCorvPage &s) {
             Put<CComponentMultipleChoice>(c, s)->SetOptions(Options("", " "), {1, 1, 0, 0, 0});
         }, QStringLiteral("")},
        {"word scale 3.0", slider(false, 3.0f, 0, 1), QStringLiteral("2")},
        {"word scale 0.2", slider(false, 0.2f, 0, 1), QStringLiteral("0")},
        {"word scale 1.5", slider(false, 1.5f, 0, 1), QStringLiteral("1")},
        {"numbers, 2 decimals", slider(true, 2.5f, 2, 0), QStringLiteral("2.50")},
        {"numbers, whole", slider(true, 3.7f, 2, 1), QStringLiteral("4")},
        {"blanks", [](Course &c, CCorvPage &s) {
             CComponentQuestion::Words words;
             words[0] = "big;large";
             words[3] = "gull";
             words[9] = "tern";
             Put<CComponentFillBlanks>(c, s)->SetWords(words);
         }, QStringLiteral("big;large,gull,tern")},
        {"blanks all empty", [](Course &c, CCorvPage &s) { Put<CComponentFillBlanks>(c, s); }, QStringLiteral("")},
        {"free form", [](Course &c, CCorvPage &s) {
             auto *q = Put<CComponentFreeFormText>(c, s);
             q->m_keywords[1] = "gull";
             q->m_keywords[4] = "tern;skua";
         }, QJsonArray{QStringLiteral("gull"), QJsonArray{QStringLiteral("tern"), QStringLiteral("skua")}}},
        {"text only", [](Course &c, CCorvPage &s) { Put<CComponentTextbox>(c, s); }, QJsonValue::Undefined},
    };
    Course c;
    std::vector<CCorvPage *> screens;
    for (size_t i = 0; i < cases.size(); ++i) {
        screens.push_back(c.Add(c.doc->MainScreens(), QString::number(i + 1), pt_question, cases[i].name));
        cases[i].build(c, *screens.back());
    }
    // A content screen's questions are not marked.
    CCorvPage *content = c.Add(c.doc->MainScreens(), "99", pt_document);
    Put<CComponentMultipleChoice>(c, *content)->SetOptions(Options("A", "B"), {1, 0, 0, 0, 0});
    c.Outline();
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    EXPECT_TRUE(script->contains(QStringLiteral("quest[\"%1\"] = \"\";\n").arg(screens[9]->GetPublishId())));
    EXPECT_FALSE(script->contains(u'"' + content->GetPublishId() + u'"' + QStringLiteral("] =")));

    QString error;
    const QJsonObject read = ReadInNode({c.PagesPath()}, &error);
    ASSERT_FALSE(read.isEmpty()) << error.toStdString();
    const QJsonObject answers = read.value("answers").toObject();
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(answers.value(screens[i]->GetPublishId()), cases[i].answer) << cases[i].name;
    EXPECT_EQ(answers.size(), qsizetype(cases.size() - 1));
    const auto *choice = dynamic_cast<CComponentMultipleChoice *>(screens[0]->GetComponent(0));
    EXPECT_EQ(choice->GetOptions(), Options(" A ", "B", "", " ", ""));
}

// Guards that the C++ scrambler and the course run-time's de-scrambler agree on every UTF-16 unit, including
// characters outside the Basic Multilingual Plane (two units each) and keys shorter or longer than the text.
TEST(PagesScript, ScrambledTextsReadBackInJavaScript)
{
    SKIP_WITHOUT_NODE();
    const QStringList texts = {QString(), "A", "Gull, tern;skua", QStringLiteral("na\u00EFve \u65E5\u672C"),
                               QStringLiteral("\U0001D11E clef \U0001F426"), "\"quote\" \\ back\nline\r",
                               QStringLiteral("\uFFFF\u0001")};
    const QStringList keys = {"1_3q", "demo", "k", "1000_12345678901234567890"};
    QList<std::pair<QString, QString>> pairs;
    QStringList expected;
    for (const QString &key : keys)
        for (const QString &text : texts) {
            const auto scrambled = ScrambleString(text, key);
            ASSERT_TRUE(scrambled);
            pairs.append({*scrambled, key});
            expected.append(text);
        }
    EXPECT_EQ(DescrambleInNode(pairs), expected);
    EXPECT_EQ(*ScrambleString(QStringLiteral("\U0001D11E"), "a"), "55445-56703-");
}

// Guards the remediation instance: it follows the answers, names the p entry written for its group, and
// carries the questions, pass mark, trigger, start and targets; an empty reverse-out target stays a valid
// script.
TEST(PagesScript, RemediationInstanceFollowsTheAnswers)
{
    SKIP_WITHOUT_NODE();
    Course c;
    c.BuildSample();
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    const qsizetype lastAnswer = script->lastIndexOf(QLatin1String("quest["));
    const qsizetype instance = script->indexOf(QLatin1String("kvxRemediation.push("));
    ASSERT_GT(instance, lastAnswer);
    ASSERT_GT(lastAnswer, 0);
    EXPECT_EQ(script->count(QLatin1String("var kvxRemediation = [];")), 1);
    EXPECT_EQ(script->count(QLatin1String("kvxRemediation.byGroup = {};")), 1);

    QString error;
    const QJsonObject read = ReadInNode({c.PagesPath()}, &error);
    ASSERT_FALSE(read.isEmpty()) << error.toStdString();
    EXPECT_EQ(read.value("remediationAt").toArray(), QJsonArray{true});
    const QJsonObject r = read.value("kvxRemediation").toArray().at(0).toObject();
    const auto id = [&](const char *label) { return c.Screen(label)->GetPublishId(); };
    EXPECT_EQ(r.value("num").toInt(), 0);
    EXPECT_EQ(Strings(r.value("questions")), QStringList({id("1_2_2"), id("1_1_2")}));
    EXPECT_EQ(r.value("passMark").toInt(), 80);
    EXPECT_EQ(r.value("trigger").toString(), id("1_2_2"));
    EXPECT_EQ(r.value("start").toString(), id("1_2_3_1"));
    EXPECT_EQ(r.value("reverseOut").toString(), "");
    EXPECT_EQ(r.value("completion").toString(), id("1_2_4"));
    EXPECT_EQ(Strings(r.value("group")), QStringList({id("1_2_2"), id("1_2_3_1"), id("1_2_3_2")}));
}

// Guards remediation folders that cannot be offered: one whose question screens were all deleted, and one
// with no content screen before it, write no instance and leave the numbering to the next one; without any
// instance the remediation frame is not written either.
TEST(PagesScript, RemediationWithoutQuestionsOrTriggerWritesNoInstance)
{
    for (const bool withValidOne : {false, true}) {
        Course c;
        auto &main = c.doc->MainScreens();
        c.Add(main, "1", pt_folder, "Topic");
        CCorvPage *first = c.Add(main, "1_1", pt_remediation, "Before any content");
        c.Add(main, "1_1_1", pt_document);
        CCorvPage *quiz = c.Add(main, "1_2", pt_question, "Quiz");
        CCorvPage *gone = c.Add(main, "1_3", pt_remediation, "Questions deleted");
        c.Add(main, "1_3_1", pt_document);
        Put<CComponentRemediation>(c, *first)->SetQuestionPageIds({quiz->GetId()});
        Put<CComponentRemediation>(c, *gone)->SetQuestionPageIds({900, 901});
        if (withValidOne) {
            CCorvPage *valid = c.Add(main, "1_4", pt_remediation, "Valid");
            c.Add(main, "1_4_1", pt_document);
            Put<CComponentRemediation>(c, *valid)->SetQuestionPageIds({quiz->GetId(), 902});
        }
        c.Outline();
        const auto script = c.Pages();
        ASSERT_TRUE(script);
        EXPECT_EQ(script->contains(QLatin1String("kvxRemediation")), withValidOne);
        EXPECT_EQ(script->count(QLatin1String("kvxRemediation.push(")), withValidOne ? 1 : 0);
        if (withValidOne) {
            EXPECT_TRUE(script->contains(QLatin1String("\tnum: 0,\n\tat: \"[0][3]\",")));
        }
        // Nothing is dropped from the course while it is published.
        EXPECT_EQ(dynamic_cast<CComponentRemediation *>(gone->GetComponent(0))->GetStoredQuestionPageIds(),
                  std::vector<int>({900, 901}));
        if (!NodeProgram().isEmpty()) {
            QString error;
            EXPECT_FALSE(ReadInNode({c.PagesPath()}, &error).isEmpty()) << error.toStdString();
        }
    }
}

// Guards an installation without the remediation templates: the step still succeeds and the script runs.
TEST(PagesScript, MissingRemediationTemplatesLeaveAValidScript)
{
    Course c;
    c.context.programFolder = c.tmp.MakeFolder("program") + u'/';
    c.BuildSample();
    const auto script = c.Pages();
    ASSERT_TRUE(script);
    EXPECT_FALSE(script->contains(QLatin1String("kvxRemediation")));
    if (!NodeProgram().isEmpty()) {
        QString error;
        EXPECT_FALSE(ReadInNode({c.PagesPath()}, &error).isEmpty()) << error.toStdString();
    }
}

// Guards the step's result: a script that cannot be written fails the step.
TEST(PagesScript, UnwritableFileFailsTheStep)
{
    Course c;
    c.BuildSample();
    QDir(c.output + QStringLiteral("/content/scripts")).removeRecursively();
    EXPECT_FALSE(c.Pages());
}

// Guards the pages script against what authors type as answers: quotation marks, backslashes, line breaks
// and script-ending text in blanks and keywords leave a valid script whose answers read back exactly.
TEST(PagesScript, HostileAnswersKeepTheScriptValid)
{
    SKIP_WITHOUT_NODE();
    const QString nasty = QStringLiteral("it's \"q\" \\ </script>\r\nnext \u2028 \U0001F426 \\");
    Course c;
    c.BuildSample();
    auto *blanks = dynamic_cast<CComponentFillBlanks *>(c.Screen("1_1_2")->GetComponent(1));
    ASSERT_TRUE(blanks);
    CComponentQuestion::Words words = blanks->GetWords();
    words[0] = nasty;
    blanks->SetWords(words);
    auto *keywords = dynamic_cast<CComponentFreeFormText *>(c.Screen("1_3_1_1")->GetComponent(0));
    ASSERT_TRUE(keywords);
    keywords->m_keywords[0] = nasty;
    ASSERT_TRUE(c.Pages());
    int status = -1;
    ScreenTest::RunProgram(NodeProgram(), {QStringLiteral("--check"), c.PagesPath()}, status);
    EXPECT_EQ(status, 0);
    QString error;
    const QJsonObject answers = ReadInNode({c.PagesPath()}, &error).value("answers").toObject();
    EXPECT_EQ(answers.value(c.Screen("1_1_2")->GetPublishId()).toString(), nasty + ",gull") << error.toStdString();
    EXPECT_EQ(answers.value(c.Screen("1_3_1_1")->GetPublishId()).toArray().at(0).toString(), nasty);
}
