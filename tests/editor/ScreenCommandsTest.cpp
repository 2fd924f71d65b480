#include "EditFixture.h"

#include "editor/ScreenCommands.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "platform/richtext/RichText.h"
#include "model/ComponentType.h"

#include <gtest/gtest.h>

namespace {

const QString kEmptyMenuCourse = QStringLiteral("This is a multiple topic, cannot add anything to empty ");

// The Edit window's screen commands over a fixture, with dialogs that answer as the test says and count
// how often they were asked.
struct Commands {
    EditFixture &f;
    CScreenCommands::Dialogs dialogs;
    CScreenCommands commands{*f.edit, dialogs};
    int asked = 0;
    bool ok = true;
    int templateCode = 0;
    CMultipleChoiceValues seenChoice;

    explicit Commands(EditFixture &fixture) : f(fixture)
    {
        dialogs.addScreen = [this](int &code) {
            ++asked;
            code = templateCode;
            return ok;
        };
        dialogs.multipleChoice = [this](CMultipleChoiceValues &v) {
            ++asked;
            seenChoice = v;
            v.stem = "Which is a prime?";
            v.options = {"4", "7", "9", "", ""};
            v.correct = {0, 1, 0, 0, 0};
            return ok;
        };
        dialogs.trueFalse = [this](CTrueFalseValues &v) {
            ++asked;
            v.statement = "Water is wet";
            return ok;
        };
        dialogs.blankQuestion = [this](CBlankQuestionValues &v, bool) {
            ++asked;
            v.questionText = "The sky is ****.";
            v.words[0] = "blue";
            return ok;
        };
        dialogs.freeFormText = [this](CComponentFreeFormText::DialogValues &) {
            ++asked;
            return ok;
        };
        dialogs.insertTable = [this](CInsertTableValues &v) {
            ++asked;
            v.rows = 3;
            v.columns = 4;
            return ok;
        };
    }
};

std::vector<int> ComponentTypes(const CCorvPage &screen)
{
    std::vector<int> types;
    for (const auto &c : screen.GetComponentList())
        types.push_back(c->GetType());
    return types;
}

} // namespace

// Guards where a new content screen lands (last child of a current container, next sibling of a current
// screen) and that the outline is renumbered and the lists follow it afterwards.
TEST(ScreenCommands, NewScreenPlacementAndRenumbering)
{
    EditFixture f({{"1", "Intro"}, {"2", "Box", pt_container}, {"2_1", "In"}, {"3", "End"}});
    Commands c(f);
    f.edit->MakeCurrentScreen(f.Page("Box"));
    CCorvPage *child = c.commands.NewScreen();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetTitle(), CScreenCommands::kNewScreenTitle);
    EXPECT_EQ(f.edit->GetCurrentPage(), child);

    f.edit->MakeCurrentScreen(f.Page("Intro"));
    CCorvPage *sibling = c.commands.NewScreen();
    ASSERT_NE(sibling, nullptr);
    const QString t = CScreenCommands::kNewScreenTitle;
    EXPECT_EQ(f.Outline(), "Intro[1] " + t + "[2] Box[3](In[3_1] " + t + "[3_2]) End[4]");
    EXPECT_EQ(f.Lists(), "Intro " + t + " Box In " + t + " End |  | ");
    EXPECT_EQ(f.Captions(), "1 2 3 4 5");
    EXPECT_TRUE(f.doc->IsModified());
    // The new screen is marked; the one it replaced on the canvas had its thumbnail refreshed and was cleared.
    EXPECT_EQ(sibling->GetModified(), 1);
    EXPECT_EQ(child->GetModified(), 0);
}

// Guards the template table: 0 to 9 picture layouts, 14 blank, anything else a text-only screen.
TEST(ScreenCommands, TemplateCodes)
{
    EditFixture f({{"1", "A"}});
    Commands c(f);
    CCorvPage *blank = c.commands.MakeTemplateScreen(14, "9", nullptr);
    CCorvPage *text = c.commands.MakeTemplateScreen(13, "9", nullptr);
    CCorvPage *other = c.commands.MakeTemplateScreen(42, "9", nullptr);
    CCorvPage *layout = c.commands.MakeTemplateScreen(3, "9", nullptr);
    ASSERT_TRUE(blank && text && other && layout);
    EXPECT_TRUE(ComponentTypes(*blank).empty());
    EXPECT_EQ(ComponentTypes(*text), std::vector<int>{ct_textbox});
    EXPECT_EQ(ComponentTypes(*other), std::vector<int>{ct_textbox});
    const auto types = ComponentTypes(*layout);
    EXPECT_NE(std::find(types.begin(), types.end(), ct_image), types.end());
}

// Guards the refusals: an empty menu course (message, no dialog for the free-form question, nothing made),
// and Cancel (nothing made, nothing modified).
TEST(ScreenCommands, RefusalsAndCancel)
{
    {
        EditFixture f;
        f.doc->MutableSettings().MenuBasedCourse = 1;
        Commands c(f);
        EXPECT_EQ(c.commands.NewScreen(), nullptr);
        EXPECT_EQ(c.asked, 0);
        EXPECT_EQ(c.commands.InsertQuestion(CScreenCommands::Question::freeFormText), nullptr);
        EXPECT_EQ(c.asked, 0);
        // The question dialog comes first, the refusal after it.
        EXPECT_EQ(c.commands.InsertQuestion(CScreenCommands::Question::multipleChoice), nullptr);
        EXPECT_EQ(c.asked, 1);
        EXPECT_EQ(f.prompt.Texts(), QStringList({kEmptyMenuCourse, kEmptyMenuCourse, kEmptyMenuCourse}));
        EXPECT_TRUE(f.doc->MainScreens().empty());
    }
    {
        EditFixture f({{"1", "A"}});
        f.doc->SetModifiedFlag(false);
        Commands c(f);
        c.ok = false;
        EXPECT_EQ(c.commands.NewScreen(), nullptr);
        EXPECT_EQ(c.commands.InsertQuestion(CScreenCommands::Question::fillBlanks), nullptr);
        EXPECT_EQ(c.commands.InsertQuestion(CScreenCommands::Question::freeFormText), nullptr);
        EXPECT_EQ(f.Lists(), "A |  | ");
        EXPECT_EQ(f.Outline(), "A[1]");
        EXPECT_FALSE(f.doc->IsModified());
    }
}

// Guards a question screen: its fixed title, its place after the current screen, the dialog preset with
// the course's feedback (the assessment pair where the final pair applies), and the values in the question.
TEST(ScreenCommands, InsertQuestionPresetsFeedback)
{
    EditFixture f({{"1", "A"}, {"2", "B"}});
    f.doc->MutableSettings().FeedBackCorrect = "Well done";
    f.doc->MutableSettings().FeedBackWrong = "Try again";
    f.doc->MutableSettings().AssmntFeedBackCorrect = "Right";
    f.doc->MutableSettings().AssmntFeedBackWrong = "Wrong";
    Commands c(f);
    f.edit->MakeCurrentScreen(f.Page("A"));
    CCorvPage *q = c.commands.InsertQuestion(CScreenCommands::Question::multipleChoice);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(c.seenChoice.correctFeedback, "Well done");
    EXPECT_EQ(c.seenChoice.wrongFeedback, "Try again");
    EXPECT_EQ(q->GetTitle(), "Multiple Choice");
    EXPECT_EQ(q->GetPageType(), pt_question);
    EXPECT_EQ(f.Outline(), "A[1] Multiple Choice[2] B[3]");
    auto *mc = dynamic_cast<CComponentMultipleChoice *>(CScreenCommands::FindQuestionComponent(*q));
    ASSERT_NE(mc, nullptr);
    EXPECT_EQ(mc->GetOptions()[1], "7");
    EXPECT_EQ(mc->GetCorrectFlags()[1], 1);
    EXPECT_EQ(mc->GetQuestionValues().m_correctFeedback, "Well done");
    EXPECT_TRUE(f.doc->IsModified());

    // A linear course with the last-topic assessment setting: every question takes the assessment pair.
    f.doc->MutableSettings().LastAssessmentTopic = 1;
    ASSERT_NE(c.commands.InsertQuestion(CScreenCommands::Question::multipleChoice), nullptr);
    EXPECT_EQ(c.seenChoice.correctFeedback, "Right");
    EXPECT_EQ(c.seenChoice.wrongFeedback, "Wrong");

    CCorvPage *blanks = c.commands.InsertQuestion(CScreenCommands::Question::fillBlanks);
    ASSERT_NE(blanks, nullptr);
    EXPECT_EQ(blanks->GetTitle(), "Fill in Blanks");
    EXPECT_NE(dynamic_cast<CComponentFillBlanks *>(CScreenCommands::FindQuestionComponent(*blanks)), nullptr);
}

// Guards question editing: only on a question screen, true/false clears options C to E, Cancel keeps the
// question, and OK marks the work to be saved.
TEST(ScreenCommands, EditQuestion)
{
    EditFixture f({{"1", "A"}});
    Commands c(f);
    f.edit->MakeCurrentScreen(f.Page("A"));
    EXPECT_FALSE(c.commands.EditQuestion());
    EXPECT_EQ(c.asked, 0);

    CCorvPage *tf = c.commands.InsertQuestion(CScreenCommands::Question::trueFalse);
    ASSERT_NE(tf, nullptr);
    EXPECT_EQ(tf->GetTitle(), "True False");
    auto *mc = dynamic_cast<CComponentMultipleChoice *>(CScreenCommands::FindQuestionComponent(*tf));
    ASSERT_NE(mc, nullptr);
    mc->SetOptions({"TRUE", "FALSE", "left over", "x", "y"}, {0, 1, 1, 1, 0});
    f.doc->SetModifiedFlag(false);
    c.ok = false;
    EXPECT_FALSE(c.commands.EditQuestion());
    EXPECT_EQ(mc->GetOptions()[2], "left over");
    EXPECT_FALSE(f.doc->IsModified());
    c.ok = true;
    EXPECT_TRUE(c.commands.EditQuestion());
    EXPECT_EQ(mc->GetOptions()[2], "");
    EXPECT_EQ(mc->GetOptions()[3], "");
    EXPECT_EQ(mc->GetCorrectFlags()[2], 0);
    EXPECT_EQ(mc->GetCorrectFlags()[3], 0);
    EXPECT_TRUE(f.doc->IsModified());

    // A question screen without a question: nothing to ask.
    const int asked = c.asked;
    CCorvPage *empty = f.Add({"9", "Empty", pt_question});
    f.edit->OnUpdate();
    f.edit->MakeCurrentScreen(empty);
    EXPECT_FALSE(c.commands.EditQuestion());
    EXPECT_EQ(c.asked, asked);
}

// Guards copy and paste: two pastes give two independent copies; folders and assessment screens are never
// copied; a deleted copied screen pastes nothing.
TEST(ScreenCommands, CopyAndPaste)
{
    EditFixture f({{"1", "A"}, {"2", "B"}, {"G1", "Glossary", pt_glossary, EditFixture::glossary}});
    Commands c(f);
    f.edit->MakeCurrentScreen(f.Page("A"));
    c.commands.CopyScreen();
    CCorvPage *first = c.commands.PasteScreen();
    CCorvPage *second = c.commands.PasteScreen();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->GetId(), second->GetId());
    EXPECT_EQ(f.Lists(), "A A A B |  | Glossary");
    EXPECT_EQ(f.edit->GetCurrentPage(), second);

    f.edit->MakeCurrentScreen(f.Page("Glossary"));
    c.commands.CopyScreen();
    EXPECT_EQ(c.commands.PasteScreen(), nullptr);
    EXPECT_EQ(f.Lists(), "A A A B |  | Glossary");

    for (int type : {pt_asmt_folder, pt_asmt_container, pt_asmt_document, pt_popups_only}) {
        f.edit->MakeCurrentScreen(f.Page("B"));
        f.Page("B")->SetPageType(type);
        c.commands.CopyScreen();
        EXPECT_EQ(f.edit->GetCopiedScreen(), nullptr) << type;
        f.Page("B")->SetPageType(pt_document);
    }
}

// Guards the table command: the dialog's size on the current screen; nothing without a screen or on Cancel.
TEST(ScreenCommands, AddTable)
{
    {
        EditFixture none;
        Commands c(none);
        EXPECT_EQ(c.commands.AddTable(), nullptr);
        EXPECT_EQ(c.asked, 0);
    }
    EditFixture f({{"1", "A"}});
    Commands c(f);
    f.edit->MakeCurrentScreen(f.Page("A"));
    c.ok = false;
    EXPECT_EQ(c.commands.AddTable(), nullptr);
    EXPECT_TRUE(f.Page("A")->GetComponentList().empty());
    c.ok = true;
    CComponentTable *table = c.commands.AddTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetRowCount(), 3);
    EXPECT_EQ(ComponentTypes(*f.Page("A")), std::vector<int>{ct_table});
    EXPECT_TRUE(f.doc->IsModified());
}

// Guards the final performance screens of a linear course: Pass and Fail (a percentage pass mark) or
// Completed, each holding a Message; the outline is renumbered so no label is given twice.
TEST(ScreenCommands, FinalPerformanceScreens)
{
    for (const bool passMark : {true, false}) {
        EditFixture f({{"1", "A"}, {"2", "B"}});
        f.doc->MutableSettings().SetPercentagePassMark = passMark ? 1 : 0;
        Commands c(f);
        CCorvPage *folder = c.commands.AddFinalPerformanceScreens();
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(f.doc->GetFinalPerformanceFolder(), folder);
        EXPECT_EQ(folder->GetPageType(), pt_asmt_folder);
        EXPECT_EQ(f.Outline(), passMark ? "A[1] B[2] Final Performance Screens[3](Pass[3_1](Message[3_1_1]) "
                                          "Fail[3_2](Message[3_2_1]))"
                                        : "A[1] B[2] Final Performance Screens[3](Completed[3_1](Message[3_1_1]))");
        EXPECT_EQ(f.edit->GetCurrentPage()->GetTitle(), "Message");
        EXPECT_EQ(f.edit->GetCurrentPage()->GetLabel(), passMark ? "3_2_1" : "3_1_1");
        EXPECT_TRUE(f.doc->IsModified());
    }
}

// Guards the folder commands: a second popups-only folder is refused with 1; glossary items land in order
// under one glossary folder with their thumbnails last and the definition in the text box.
TEST(ScreenCommands, PopupsAndGlossaryFolders)
{
    EditFixture f({{"1", "A"}, {"2", "B"}});
    Commands c(f);
    EXPECT_EQ(c.commands.AddPopupsOnlyFolder(), 0);
    EXPECT_EQ(c.commands.AddPopupsOnlyFolder(), 1);
    ASSERT_NE(f.doc->GetPopupsFolder(), nullptr);
    EXPECT_EQ(f.doc->GetPopupsFolder()->GetTitle(), "Popups Only");

    f.edit->MakeCurrentScreen(f.Page("A"));
    for (const char *term : {"Exit", "Alarm", "Drill"})
        ASSERT_NE(c.commands.AddGlossaryItem(term, QString("About ") + term), nullptr);
    EXPECT_EQ(f.Titles(f.doc->GlossaryScreens()), "Glossary Exit Alarm Drill");
    COutlineTree::Item *glossary = f.Item("Glossary");
    ASSERT_TRUE(glossary);
    EXPECT_EQ(OutlineRules::CountChildren(f.edit->GetTreeCtrl(), glossary), 3);
    const int n = f.edit->Thumbs().GetItemCount();
    EXPECT_EQ(f.edit->Thumbs().GetItemData(n - 1)->GetTitle(), "Drill");
    EXPECT_EQ(f.edit->Thumbs().GetItemData(n - 3)->GetTitle(), "Exit");
    std::vector<CComponentBase *> boxes;
    f.Page("Alarm")->GetComponentsOfType(ct_textbox, boxes);
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(dynamic_cast<CComponentTextbox *>(boxes.front())->GetRichText().GetText().contains("About Alarm"));
}

// Guards the new-screen keys: Ctrl+F10 makes a screen of the last picture layout, Ctrl+F11 a text-only and
// Ctrl+F12 a blank one, without a dialog; a menu course refuses them with the main menu current and takes them
// in a container.
TEST(ScreenCommands, NewScreenKeys)
{
    {
        EditFixture f({{"1", "A"}});
        Commands c(f);
        f.edit->MakeCurrentScreen(f.Page("A"));
        CCorvPage *text = c.commands.NewScreenFromKey(11);
        CCorvPage *blank = c.commands.NewScreenFromKey(12);
        CCorvPage *layout = c.commands.NewScreenFromKey(10);
        ASSERT_TRUE(text && blank && layout);
        EXPECT_EQ(c.asked, 0);
        EXPECT_EQ(ComponentTypes(*text), std::vector<int>{ct_textbox});
        EXPECT_TRUE(ComponentTypes(*blank).empty());
        const auto types = ComponentTypes(*layout);
        EXPECT_NE(std::find(types.begin(), types.end(), ct_image), types.end());
        EXPECT_EQ(f.doc->MainScreens().size(), 4u);
        EXPECT_EQ(c.commands.NewScreenFromKey(13), nullptr);
    }
    {
        EditFixture f({{"1", "Main menu", pt_folder}, {"1_1", "Topic", pt_container}, {"1_1_1", "In"}});
        f.doc->MutableSettings().MenuBasedCourse = 1;
        Commands c(f);
        f.edit->MakeCurrentScreen(f.Page("Main menu"));
        EXPECT_EQ(c.commands.NewScreenFromKey(1), nullptr);
        EXPECT_EQ(f.prompt.Texts(), QStringList{"You may not add new screen at current location"});
        f.edit->MakeCurrentScreen(f.Page("Topic"));
        CCorvPage *added = c.commands.NewScreenFromKey(12);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(f.Outline(), "Main menu[1](Topic[1_1](In[1_1_1] " + CScreenCommands::kNewScreenTitle + "[1_1_2]))");
    }
}
